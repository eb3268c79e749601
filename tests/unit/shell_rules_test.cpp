#include "config_editor/core/shell_rules.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

namespace vaultrine::config {
namespace {

TEST(EditorShellRules, SystemCommandFilter) {
  const std::pair<unsigned, bool> cases[] = {
      {0xF010, true},  {0xF012, true},  // move, also by the caption (low bits: hit test)
      {0xF020, true},  {0xF060, true},  {0xF120, true},  {0xF093, true}, {0xF100, true},
      {0xF095, true},  {0xF030, false}, {0xF032, false},  // maximise, by caption double click
      {0xF000, false}, {0xF008, false},                   // size, by a border
      {0xF040, false}, {0xF080, false}, {0xF130, false}, {0xF140, false}, {0xF170, false},
      {0x0000, false}, {0xFFFF, false},
  };
  for (const auto& [command, allowed] : cases)
    EXPECT_EQ(SystemCommandAllowed(command), allowed) << std::hex << command;
}

TEST(EditorShellRules, FilePagePicturesEdgesAreInclusive) {
  const struct {
    int x, y;
    FilePageRegion region;
  } cases[] = {
      {795, 65, FilePageRegion::kNew},       {831, 99, FilePageRegion::kNew},
      {794, 80, FilePageRegion::kNone},      {832, 80, FilePageRegion::kNone},
      {810, 64, FilePageRegion::kNone},      {810, 100, FilePageRegion::kNone},
      {795, 116, FilePageRegion::kExisting}, {831, 148, FilePageRegion::kExisting},
      {810, 115, FilePageRegion::kNone},     {810, 149, FilePageRegion::kNone},
      {0, 0, FilePageRegion::kNone},         {-1, -1, FilePageRegion::kNone},
  };
  for (const auto& c : cases) EXPECT_EQ(FilePageRegionAt(c.x, c.y), c.region) << c.x << "," << c.y;
  EXPECT_FALSE(FilePageRegionRect(FilePageRegion::kNone).Contains(0, 0));
}

// The page grows with the screen's resolution; the pictures' places grow with it, and
// at 96 dpi they are the stated pixels exactly.
TEST(EditorShellRules, FilePagePicturesScaleWithTheScreen) {
  const struct {
    int dpi;
    PixelRect fresh, existing;
  } cases[] = {
      {96, {795, 65, 831, 99}, {795, 116, 831, 148}},
      {120, {994, 81, 1039, 124}, {994, 145, 1039, 185}},
      {144, {1193, 98, 1247, 149}, {1193, 174, 1247, 222}},
      {192, {1590, 130, 1662, 198}, {1590, 232, 1662, 296}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    for (const auto& [region, want] : {std::pair{FilePageRegion::kNew, c.fresh}, std::pair{FilePageRegion::kExisting, c.existing}}) {
      const PixelRect r = FilePageRegionRect(region, c.dpi);
      EXPECT_EQ(std::tie(r.left, r.top, r.right, r.bottom), std::tie(want.left, want.top, want.right, want.bottom));
      EXPECT_EQ(FilePageRegionAt(r.left, r.top, c.dpi), region);
      EXPECT_EQ(FilePageRegionAt(r.right + 1, r.bottom, c.dpi), FilePageRegion::kNone);
    }
  }
}

TEST(EditorShellRules, ChooserFilterEndsWithTwoNuls) {
  const std::pair<const char*, std::u16string> cases[] = {
      {"*.ini|*.ini||", std::u16string(u"*.ini\0*.ini\0\0", 13)},
      {"*.*|*.*||", std::u16string(u"*.*\0*.*\0\0", 9)},
      {"*.ini|*.ini", std::u16string(u"*.ini\0*.ini\0\0", 13)},  // bars forgotten at the end
      {"", std::u16string(u"\0\0", 2)},
      {"Fichiers paramètre|*.ini||",
       std::u16string(u"Fichiers param\u00E8tre\0*.ini\0\0", 26)},
  };
  for (const auto& [bars, expected] : cases) EXPECT_EQ(ChooserFilter(bars), expected) << bars;
}

TEST(EditorShellRules, ParameterFileNames) {
  const std::pair<const char*, bool> cases[] = {
      {"Vaultrine.ini", true}, {"X.INI", true},       {".ini", true},
      {"a.ini.OLD", false},    {"a.ini.@@@", false},  {"a.inix", false},
      {"ini", false},          {"", false},           {"Vaultrine.tsn", false},
  };
  for (const auto& [name, expected] : cases) EXPECT_EQ(IsParameterFileName(name), expected) << name;
}

TEST(EditorShellRules, EndQuestionText) {
  EXPECT_EQ(EndQuestionText(u"Save\r\n%s\r\nbefore closing it?", "C:\\P\\Vaultrine.ini"),
            u"Save\r\nC:\\P\\Vaultrine.ini\r\nbefore closing it?");
  // A path with its own "%s" or "%" goes in as it is, and only the first place is filled.
  EXPECT_EQ(EndQuestionText(u"%s and %s", "C:\\100%s\\a.ini"), u"C:\\100%s\\a.ini and %s");
  EXPECT_EQ(EndQuestionText(u"? no place", "C:\\a.ini"), u"? no place");
  EXPECT_EQ(EndQuestionText(u"Save %s?", "C:\\\xC3\xA9t\xC3\xA9.ini"), u"Save C:\\\u00E9t\u00E9.ini?");
  // At most 511 units, never half a surrogate pair.
  const std::string long_path(600, 'p');
  EXPECT_EQ(EndQuestionText(u"%s", long_path).size(), 511u);
  std::string emoji_path(510, 'p');
  emoji_path += "\xF0\x9F\x98\x80";  // one character, two units, the second past the limit
  const std::u16string cut = EndQuestionText(u"%s", emoji_path);
  EXPECT_EQ(cut, std::u16string(510, u'p'));
}

}  // namespace
}  // namespace vaultrine::config
