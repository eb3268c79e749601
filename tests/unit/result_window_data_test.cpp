#include "backup_support/result_window_data.h"

#include <gtest/gtest.h>

#include "common/text_encoding.h"

namespace vaultrine::backup {
namespace {

std::string Cp1252(std::string_view utf8) { return Utf8ToCp1252(utf8); }

TEST(ResultTexts, SizeFormatting) {
  const struct {
    const char* given;
    const char* shown;
  } cases[] = {
      {"0", "0  bytes"},           {"1234", "1234  bytes"},    {"1234K", "1234 K bytes"},
      {"56M and more", "56 M bytes"}, {"abc", " a bytes"},      {"", "  bytes"},
      {"12\xC3\xA9", "12 \xC3\xA9 bytes"},  // a whole character, never half of one
      {"7 Mo", "7   bytes"},
  };
  for (const auto& c : cases) EXPECT_EQ(FormatSize(c.given), c.shown) << c.given;
}

TEST(ResultTexts, CountsAndTheButtonsTheyHide) {
  const struct {
    const char *new_count, *obsolete, *modified;
    bool file_list, obsolete_list;
  } cases[] = {
      {"0", "0", "0", false, false},  {"0", "1", "5", true, true},   {"3", "abc", "0", true, false},
      {" 12 files", "-2", "x", true, true}, {"", "", "", false, false}, {"+0", "0x10", "00", false, false},
      {"2147483647", "99999999999999999999", "2147483647", true, true},  // no overflow, no wrap to 0
      {"-2147483648", "0", "2147483648", true, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.new_count) + "|" + c.obsolete + "|" + c.modified);
    ResultWindowData data;
    data.SetCounts(c.new_count, c.obsolete, c.modified);
    EXPECT_EQ(data.new_count, c.new_count) << "shown unchanged";
    EXPECT_EQ(data.ShowFileListButton(), c.file_list);
    EXPECT_EQ(data.ShowObsoleteButton(), c.obsolete_list);
  }
  EXPECT_EQ(LeadingNumber("abc"), 0);
  EXPECT_EQ(LeadingNumber(" \t-42x"), -42);
  EXPECT_EQ(LeadingNumber("99999999999999999999"), 2147483647);
  EXPECT_EQ(LeadingNumber("-99999999999999999999"), -2147483647 - 1);
}

TEST(ResultTexts, ErrorTextSplitsIntoListEntries) {
  const std::string line130(130, 'e');
  const std::string accented = std::string(126, 'a') + "\xC3\xA9" + "b";  // the é would straddle byte 127
  const struct {
    const char* name;
    std::string text;
    std::vector<std::string> entries;
  } cases[] = {
      {"two lines, last line feed", "first\nsecond\n", {"first", "second"}},
      {"two lines, no last line feed", "first\nsecond", {"first", "second"}},
      {"empty", "", {}},
      {"empty lines", "\n\nx", {"", "", "x"}},
      {"CR LF", "first\r\nsecond\r\n", {"first", "second"}},
      {"130 characters", line130, {std::string(127, 'e'), "eee"}},
      {"127 characters exactly", std::string(127, 'f') + "\nnext", {std::string(127, 'f'), "next"}},
      {"cut at a character boundary", accented, {std::string(126, 'a'), "\xC3\xA9" "b"}},
      {"zero byte ends the text", std::string("a\nb\0c", 5), {"a", "b"}},
      {"stray continuation bytes", std::string(200, '\x80'), {std::string(127, '\x80'), std::string(73, '\x80')}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitErrorLines(c.text), c.entries) << c.name;
}

TEST(ResultTexts, DatabasePathFromTheEnginesUtf16) {
  const std::u16string seventy(70, u'd');
  const std::u16string surrogate = std::u16string(63, u'p') + u"\U0001F600";
  const struct {
    const char* name;
    std::u16string units;
    std::string path;
  } cases[] = {
      {"70 units keep 64", seventy, std::string(64, 'd')},
      {"accent kept as UTF-8", u"C:\\Donn\u00E9es\\Vaultrine.sqlite", "C:\\Donn\xC3\xA9" "es\\Vaultrine.sqlite"},
      {"a unit with a zero low byte is kept", u"C:\\\u0100.db", "C:\\\xC4\x80.db"},
      {"zero unit ends it", std::u16string(u"ab\0cd", 5), "ab"},
      {"no half surrogate pair at the cut", surrogate, std::string(63, 'p')},
      {"empty", u"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(DatabasePathFromUtf16(c.units), c.path) << c.name;
}

TEST(ResultTexts, HeadlineAndCaptionCapacities) {
  const std::string sixty = std::string(50, 'H') + "0123456789";
  const struct {
    std::string headline;
    std::string ansi;
  } cases[] = {
      {sixty, sixty.substr(0, 48)},
      {"Sauvegarde termin\xC3\xA9" "e", "Sauvegarde termin\xE9" "e"},  // é is one ANSI byte
      {std::string(47, 'x') + "\xC3\xA9\xC3\xA9", std::string(47, 'x') + "\xE9"},
      {std::string("ok\0hidden", 9), "ok"},
  };
  for (const auto& c : cases) {
    ResultWindowData data;
    data.SetHeadline(c.headline, Cp1252);
    EXPECT_EQ(data.headline, c.ansi);
  }
  ResultWindowData data;
  data.SetCaption(std::string(78, 'c') + "\xC3\xA9");
  EXPECT_EQ(data.caption, std::string(78, 'c')) << "79 bytes, never half a character";
}

}  // namespace
}  // namespace vaultrine::backup
