#include "common/text_encoding.h"

#include <gtest/gtest.h>

namespace vaultrine {
namespace {

TEST(TextEncoding, RoundTripsThroughUtf16) {
  for (const std::string& s : {std::string(""), std::string("plain"), std::string("Fran\xC3\xA7" "ais"),
                              std::string("\xE2\x82\xAC 5"), std::string("\xF0\x9F\x93\x81 folder")}) {
    EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(s)), s);
  }
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x93\x81").size(), 2u);  // surrogate pair
}

TEST(TextEncoding, Cp1252CoversWesternAccentsAndEuro) {
  EXPECT_EQ(Utf8ToCp1252("Modifi\xC3\xA9s"), "Modifi\xE9s");
  EXPECT_EQ(Utf8ToCp1252("\xE2\x82\xAC"), "\x80");
  EXPECT_EQ(Utf8ToCp1252("\xC5\x93"), "\x9C");         // oe ligature
  EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");        // not in the page
  EXPECT_EQ(Cp1252ToUtf8("Obsol\xE8tes \x80"), "Obsol\xC3\xA8tes \xE2\x82\xAC");
}

TEST(TextEncoding, InvalidUtf8NeverReadsPastTheEnd) {
  // Truncated sequences, stray continuation bytes, overlong forms and surrogates.
  for (const std::string& s : {std::string("\xC3"), std::string("\xE2\x82"), std::string("\x80\x80"),
                              std::string("\xC0\xAF"), std::string("\xED\xA0\x80"),
                              std::string("\xF4\x90\x80\x80"), std::string("a\xFF" "b")}) {
    const std::u16string w = Utf8ToUtf16(s);
    for (char16_t c : w) EXPECT_TRUE(c == u'\xFFFD' || c < 0x80) << s;
    EXPECT_FALSE(Utf8ToCp1252(s).empty());
  }
  EXPECT_EQ(Utf8ToUtf16("a\xFF" "b"), u"a\xFFFD" "b");
}

TEST(TextEncoding, LoneSurrogatesBecomeReplacement) {
  const std::u16string lone = {u'x', static_cast<char16_t>(0xD800)};
  EXPECT_EQ(Utf16ToUtf8(lone), "x\xEF\xBF\xBD");
}

}  // namespace
}  // namespace vaultrine

namespace vaultrine {
namespace {

TEST(TextEncoding, CutsOnlyBetweenCharacters) {
  const std::string accented = "ab\xC3\xA9" "cd";  // "abécd"
  struct {
    size_t max;
    const char* kept;
  } cases[] = {{10, "ab\xC3\xA9" "cd"}, {4, "ab\xC3\xA9"}, {3, "ab"}, {2, "ab"}, {0, ""}};
  for (const auto& c : cases) {
    std::string s = accented;
    CutUtf8(s, c.max);
    EXPECT_EQ(s, c.kept) << c.max;
  }
}

}  // namespace
}  // namespace vaultrine
