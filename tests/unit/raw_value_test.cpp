#include "common/raw_value.h"

#include <gtest/gtest.h>

#include "common/text_encoding.h"

namespace vaultrine {
namespace {

TEST(RawValue, ValidityFollowsTheUtf8Grammar) {
  struct Case { std::string text; bool valid; };
  const Case cases[] = {
      {"", true},
      {"30", true},
      {"cl\xC3\xA9Secr\xC3\xA8te", true},
      {"\xEF\xBF\xBD", true},          // U+FFFD written out is still valid
      {"\xF0\x9F\x94\x91", true},      // outside the BMP
      {"cl\xE9", false},               // cp1252 e-acute
      {"\xC3", false},                 // cut short
      {"\xC0\xAF", false},             // overlong slash
      {"\xED\xA0\x80", false},         // surrogate
      {"\xF4\x90\x80\x80", false},     // past U+10FFFF
      {"a\x80" "b", false},            // stray continuation byte
  };
  for (const Case& c : cases) EXPECT_EQ(IsValidUtf8(c.text), c.valid) << c.text;
}

TEST(RawValue, ShowsUtf8AsItIsAndOtherBytesAsCp1252) {
  struct Case { std::string stored; std::string shown; };
  const Case cases[] = {
      {"", ""},
      {"30", "30"},
      {"cl\xC3\xA9Secr\xC3\xA8te", "cl\xC3\xA9Secr\xC3\xA8te"},
      {"cl\xE9Secr\xE8te", "cl\xC3\xA9Secr\xC3\xA8te"},
      {"\x80uro", "\xE2\x82\xACuro"},
  };
  for (const Case& c : cases) EXPECT_EQ(ShowRawValue(c.stored), c.shown) << c.stored;
}

TEST(RawValue, UntouchedFieldsGiveBackTheStoredBytesAndTypedTextIsUtf8) {
  struct Case { std::string stored; std::string field; std::string written; };
  const Case cases[] = {
      // Untouched: the very bytes that were read, whatever they were.
      {"cl\xE9Secr\xE8te", "cl\xC3\xA9Secr\xC3\xA8te", "cl\xE9Secr\xE8te"},
      {"cl\xC3\xA9Secr\xC3\xA8te", "cl\xC3\xA9Secr\xC3\xA8te", "cl\xC3\xA9Secr\xC3\xA8te"},
      // Bytes that cp1252 leaves unassigned show as U+FFFD but still come back whole.
      {"a\x81" "b", "a\xEF\xBF\xBD" "b", "a\x81" "b"},
      // Edited: what the user typed, in UTF-8.
      {"cl\xE9", "cl\xC3\xA9s", "cl\xC3\xA9s"},
      {"", "n\xC3\xB6", "n\xC3\xB6"},
      {"old", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(StoreRawValue(c.stored, c.field), c.written) << c.stored;
}

TEST(RawValue, CutsWholeUtf8CharactersOrCp1252Bytes) {
  struct Case { std::string stored; size_t max; std::string cut; };
  const Case cases[] = {
      {"abc", 5, "abc"},
      {"abc", 3, "abc"},
      {"cl\xC3\xA9s", 3, "cl"},           // the two bytes of e-acute stay together
      {"cl\xC3\xA9s", 4, "cl\xC3\xA9"},
      {"cl\xE9s", 3, "cl\xE9"},            // cp1252: one byte, one character
      {"\x80\xBF\xBF\xBF", 2, "\x80\xBF"},  // bytes that look like UTF-8 continuations
  };
  for (const Case& c : cases) {
    std::string s = c.stored;
    CutRawValue(s, c.max);
    EXPECT_EQ(s, c.cut) << c.stored << " to " << c.max;
  }
}

}  // namespace
}  // namespace vaultrine
