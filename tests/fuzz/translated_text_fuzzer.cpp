// GetTranslatedText's portable part on any bytes: the UTF-8 to code page 1252
// conversion and the fourteen slots. Bytes 0-1 choose the id (one of the slots
// most of the time, any number otherwise); the rest is the engine's text. A slot
// never holds more than its capacity (the error notice: a blank and 19), only
// known ids change anything, and the stored text is the start of the converted one.
#include <cstdint>
#include <string>
#include <string_view>

#include "backup_support/translated_slots.h"
#include "common/text_encoding.h"

using namespace vaultrine;
using namespace vaultrine::backup;

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

std::string Cp1252(std::string_view utf8) { return Utf8ToCp1252(utf8); }

constexpr int kIds[] = {300, 480, 490, 501, 502, 503, 504, 505, 508, 509, 510, 631, 9000, 9001};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  const int id = data[0] < 0xF0 ? kIds[data[0] % 14] : static_cast<int16_t>(data[0] << 8 | data[1]);
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

  TranslatedSlots slots;
  for (int other : kIds) slots.Set(other, "before");
  const TranslatedSlots before = slots;
  StoreTranslatedText(slots, text, id, Cp1252);

  const size_t capacity = TranslatedSlots::Capacity(id);
  for (int other : kIds) {
    if (other != id) Check(slots.Get(other) == before.Get(other));
  }
  if (capacity == 0) {
    Check(slots.Get(id).empty());
    return 0;
  }
  std::string converted = Cp1252(text.substr(0, text.find('\0')));
  converted = converted.substr(0, converted.find('\0'));
  const std::string& stored = slots.Get(id);
  std::string_view kept = stored;
  if (id == kSlotErrorNotice) {
    Check(!kept.empty() && kept.front() == ' ');
    kept.remove_prefix(1);
  }
  Check(kept.size() <= capacity);
  Check(converted.compare(0, kept.size(), kept) == 0);
  Check(kept.size() == std::min(capacity, std::min<size_t>(converted.size(), 255)));
  // Code page 1252 back to UTF-8 and again gives the same bytes: nothing is invented.
  Check(Utf8ToCp1252(Cp1252ToUtf8(kept)) == kept);
  return 0;
}
