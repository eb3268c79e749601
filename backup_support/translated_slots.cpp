#include "translated_slots.h"

namespace vaultrine::backup {
namespace {

struct SlotInfo {
  int id;
  size_t capacity;
};

constexpr SlotInfo kSlots[14] = {
    {300, 32},  {480, 16}, {490, 16}, {501, 32}, {502, 64}, {503, 16},  {504, 16},
    {505, 16},  {508, 64}, {509, 16}, {510, 16}, {631, 32}, {9000, 128}, {9001, 19},
};

int IndexOf(int id) {
  for (int i = 0; i < 14; ++i) {
    if (kSlots[i].id == id) return i;
  }
  return -1;
}

constexpr size_t kWorkBufferChars = 255;

}  // namespace

size_t TranslatedSlots::Capacity(int id) {
  const int i = IndexOf(id);
  return i < 0 ? 0 : kSlots[i].capacity;
}

bool TranslatedSlots::Set(int id, std::string_view ansi) {
  const int i = IndexOf(id);
  if (i < 0) return false;
  ansi = ansi.substr(0, ansi.find('\0'));
  const std::string_view kept = ansi.substr(0, kSlots[i].capacity);
  // The error notice is drawn right after the counts; its blank keeps them apart.
  texts_[i] = id == kSlotErrorNotice ? " " + std::string(kept) : std::string(kept);
  return true;
}

const std::string& TranslatedSlots::Get(int id) const {
  static const std::string kEmpty;
  const int i = IndexOf(id);
  return i < 0 ? kEmpty : texts_[i];
}

void StoreTranslatedText(TranslatedSlots& slots, std::string_view utf8, int id, AnsiEncoder encode) {
  if (TranslatedSlots::Capacity(id) == 0) return;
  std::string ansi = encode(utf8.substr(0, utf8.find('\0')));
  if (ansi.size() > kWorkBufferChars) ansi.resize(kWorkBufferChars);
  slots.Set(id, ansi);
}

}  // namespace vaultrine::backup
