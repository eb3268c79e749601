#include "led_indicator/led_rules.h"

#include <gtest/gtest.h>

#include <vector>

#include <string>

namespace vaultrine::led {
namespace {

std::u16string Repeat(std::u16string head, std::size_t length) {
  while (head.size() < length) head += u'x';
  return head;
}

TEST(LedCommandLine, OriginAndPlacement) {
  const struct {
    std::u16string line;
    int x;  // placement of the LED window
    int y;
  } cases[] = {
      {u"0;0;", 6, 27},
      {u"100;-20;", 106, 7},
      {u"", 5, 26},                       // nothing given: -1,-1
      {u"250", 256, 27},                  // no ";": x from the whole line, y 0
      {u"5;", 11, 27},
      {u";9;", 6, 36},
      {u"1;2;3;", 7, 29},
      {u" +42; \t-7", 48, 20},            // atoi: blanks and sign
      {u"abc;def;", 6, 27},               // no digits read as 0
      {u"12x;3y;", 18, 30},               // digits up to the first other character
      {u"12345678;3;", 32767 + 6, 30},    // 7 characters read, then held to 16 bits
      {u"-40000;40000;", -32768 + 6, 32767 + 27},
      {u"\u00e9;1;", 6, 28},
      {Repeat(u"10;20;", 63), 16, 47},    // the longest line accepted
  };
  for (const auto& c : cases) {
    const std::optional<Origin> origin = ParseCommandLine(c.line);
    ASSERT_TRUE(origin) << c.line.size();
    const Placement p = LedWindowPlacement(*origin);
    EXPECT_EQ(p.x, c.x) << std::string(c.line.begin(), c.line.end());
    EXPECT_EQ(p.y, c.y) << std::string(c.line.begin(), c.line.end());
    EXPECT_EQ(p.width, 66);
    EXPECT_EQ(p.height, 52);
  }
  const Origin empty = *ParseCommandLine(u"");
  EXPECT_EQ(empty.x, -1);
  EXPECT_EQ(empty.y, -1);
}

// On a finer screen the window and its distance from the corner grow as the progress
// window's caption and the LED window's own controls do; at 96 dpi nothing changes.
TEST(LedCommandLine, PlacementScalesWithTheScreen) {
  const struct {
    int dpi, x, y, width, height;
  } cases[] = {
      {96, 106, 7, 66, 52}, {120, 108, 14, 83, 65}, {144, 109, 21, 99, 78}, {192, 112, 34, 132, 104},
  };
  const Origin origin = *ParseCommandLine(u"100;-20;");
  for (const auto& c : cases) {
    const Placement p = LedWindowPlacement(origin, c.dpi);
    EXPECT_EQ(std::vector<int>({p.x, p.y, p.width, p.height}), std::vector<int>({c.x, c.y, c.width, c.height})) << c.dpi;
  }
}

TEST(LedCommandLine, LongerThan63CharactersIsRefused) {
  EXPECT_TRUE(ParseCommandLine(Repeat(u"0;0;", 63)));
  for (std::size_t length : {64u, 65u, 200u}) {
    EXPECT_FALSE(ParseCommandLine(Repeat(u"0;0;", length))) << length;
  }
}

TEST(LedClock, TwoBlanksTimeOneBlank) {
  const struct {
    int h, m, s;
    const char* text;
  } cases[] = {{9, 5, 7, "  09:05:07 "}, {0, 0, 0, "  00:00:00 "}, {23, 59, 60, "  23:59:60 "}};
  for (const auto& c : cases) {
    std::tm t{};
    t.tm_hour = c.h;
    t.tm_min = c.m;
    t.tm_sec = c.s;
    EXPECT_EQ(ClockText(t), c.text);
  }
}

TEST(LedClock, PicturesAlternateStartingWithYellowGreen) {
  int16_t state = 0;
  std::string seen;
  for (int tick = 0; tick < 5; ++tick) seen += std::to_string(NextLedPicture(state)) + " ";
  EXPECT_EQ(seen, "320 310 320 310 320 ");
}

}  // namespace
}  // namespace vaultrine::led
