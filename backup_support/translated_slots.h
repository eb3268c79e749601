// The texts the backup engine hands over one at a time, already translated, for the
// result windows and the disk-space question. Each slot has a fixed capacity; longer
// texts are cut, unknown ids are ignored. Slot texts are in the ANSI code page.
#pragma once
#include <array>
#include <string>
#include <string_view>

namespace vaultrine::backup {

inline constexpr int kSlotDiskQuestion = 9000;
inline constexpr int kSlotErrorNotice = 9001;

class TranslatedSlots {
 public:
  // Characters the slot keeps; 0 for ids that are not slots.
  static size_t Capacity(int id);

  // Stores `ansi` cut to the slot's capacity. The error notice keeps a leading blank
  // before up to 19 characters. Returns false (and changes nothing) for unknown ids.
  bool Set(int id, std::string_view ansi);
  // Empty for unknown ids and for slots never set.
  const std::string& Get(int id) const;

 private:
  std::array<std::string, 14> texts_;
};

// UTF-8 to the ANSI code page: the platform's conversion in the library, a fixed
// code page in the tests.
using AnsiEncoder = std::string (*)(std::string_view utf8);

// What the export does: convert (at most 255 bytes survive, the engine's work buffer)
// and store.
void StoreTranslatedText(TranslatedSlots& slots, std::string_view utf8, int id, AnsiEncoder encode);

}  // namespace vaultrine::backup
