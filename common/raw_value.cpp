#include "common/raw_value.h"

#include "common/text_encoding.h"

namespace vaultrine {

std::string ShowRawValue(std::string_view stored) {
  if (IsValidUtf8(stored)) return std::string(stored);
  return Cp1252ToUtf8(stored);
}

std::string StoreRawValue(std::string_view stored, std::string_view shown_now) {
  if (shown_now == ShowRawValue(stored)) return std::string(stored);
  return std::string(shown_now);
}

void CutRawValue(std::string& stored, size_t max_bytes) {
  if (IsValidUtf8(stored))
    CutUtf8(stored, max_bytes);
  else if (stored.size() > max_bytes)
    stored.resize(max_bytes);
}

}  // namespace vaultrine
