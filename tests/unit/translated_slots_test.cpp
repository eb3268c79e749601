#include "backup_support/translated_slots.h"

#include <gtest/gtest.h>

#include "common/text_encoding.h"

namespace vaultrine::backup {
namespace {

std::string Cp1252(std::string_view utf8) { return Utf8ToCp1252(utf8); }

void Store(TranslatedSlots& slots, const std::string& utf8, int id) {
  StoreTranslatedText(slots, utf8, id, Cp1252);
}

TEST(TranslatedSlots, TextsAreCutToTheSlotCapacity) {
  struct Case {
    int id;
    size_t given;
    std::string expected;
  };
  const std::string letters = std::string(200, 'x');
  const Case cases[] = {
      {480, 20, std::string(16, 'x')},   {300, 40, std::string(32, 'x')},
      {502, 64, std::string(64, 'x')},   {508, 65, std::string(64, 'x')},
      {631, 31, std::string(31, 'x')},   {9000, 128, std::string(128, 'x')},
      {9000, 129, std::string(128, 'x')}, {510, 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "id " << c.id << ", " << c.given << " chars");
    TranslatedSlots slots;
    Store(slots, letters.substr(0, c.given), c.id);
    EXPECT_EQ(slots.Get(c.id), c.expected);
  }
}

TEST(TranslatedSlots, ErrorNoticeKeepsALeadingBlankAndNineteenCharacters) {
  const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXY";  // 25
  const struct {
    std::string given;
    std::string expected;
  } cases[] = {
      {"123456789", " 123456789"},
      {"", " "},
      {alphabet, " " + alphabet.substr(0, 19)},
  };
  for (const auto& c : cases) {
    TranslatedSlots slots;
    Store(slots, c.given, kSlotErrorNotice);
    EXPECT_EQ(slots.Get(kSlotErrorNotice), c.expected) << c.given;
  }
}

TEST(TranslatedSlots, UnknownIdsChangeNothing) {
  TranslatedSlots slots;
  Store(slots, "Nouveaux", 503);
  for (int id : {0, 506, 507, -1, 9002}) {
    Store(slots, "stray", id);
    EXPECT_EQ(slots.Get(id), "") << id;
  }
  for (int id : {300, 480, 490, 501, 502, 504, 505, 508, 509, 510, 631, 9000, 9001}) {
    EXPECT_EQ(slots.Get(id), "") << id;
  }
  EXPECT_EQ(slots.Get(503), "Nouveaux");
}

TEST(TranslatedSlots, Utf8ArrivesInTheAnsiCodePage) {
  TranslatedSlots slots;
  Store(slots, "Modifi\xC3\xA9s", 504);
  EXPECT_EQ(slots.Get(504), "Modifi\xE9s");
  EXPECT_EQ(slots.Get(504).size(), 8u);
  // Capacity counts characters of the converted text, not UTF-8 bytes.
  Store(slots, "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9", 480);
  EXPECT_EQ(slots.Get(480), std::string(10, '\xE9'));
}

}  // namespace
}  // namespace vaultrine::backup
