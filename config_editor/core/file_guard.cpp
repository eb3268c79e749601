#include "config_editor/core/file_guard.h"

#include <cstdint>
#include <cstdio>

namespace vaultrine::config {

std::string GuardName(std::u16string_view normalised_path) {
  // FNV-1a over the UTF-16 units: a path of any length gives 16 hex digits.
  uint64_t hash = 14695981039346656037ull;
  for (char16_t unit : normalised_path) {
    hash ^= static_cast<uint64_t>(unit);
    hash *= 1099511628211ull;
  }
  char digits[17];
  std::snprintf(digits, sizeof digits, "%016llx", static_cast<unsigned long long>(hash));
  return std::string("Local\\ConfigVaultrine-") + digits;
}

}  // namespace vaultrine::config
