#include "config_editor/core/rule_expression.h"

#include <gtest/gtest.h>

namespace vaultrine::config {
namespace {

using S = RuleSection;
using K = RuleKind;

// Values typed in a dialog and the rules they give.
struct ComposeCase {
  S section;
  K kind;
  std::string typed;
  std::string rule;
};

const ComposeCase kComposed[] = {
    {S::kCompress, K::kNone, "C:\\Data\\", "gzip => (path=\"C:\\Data\\*\")"},
    {S::kCompress, K::kNone, "C:\\Data\\*", "gzip => (path=\"C:\\Data\\*\")"},
    {S::kCompress, K::kNone, "C:\\Data", "gzip => (path=\"C:\\Data*\")"},
    {S::kCompress, K::kNone, "*.doc", "gzip => (path=\"*.doc\")"},
    {S::kCompress, K::kNone, "D:", "gzip => (path=\"D:*\")"},
    {S::kCompress, K::kNone, "", "gzip => (path=\"\")"},
    {S::kCompress, K::kNone, "#C:\\Data", "#gzip => (path=\"C:\\Data*\")"},
    {S::kCrypt, K::kNone, "C:\\Secret\\", "bf => (path=\"C:\\Secret\\*\")"},
    {S::kCryptPath, K::kNone, "\\\\srv\\share", "bf => (path=\"\\\\srv\\share\")"},
    {S::kCryptPath, K::kNone, "\xC3\x89:\\x", "bf => (path=\"\xC3\x89:\\x*\")"},
    {S::kExclude, K::kNo, "C:\\Data", "no => (path=\"C:\\Data\")"},
    {S::kExclude, K::kYes, "#C:\\Temp\\*", "#yes => (path=\"C:\\Temp\\*\")"},
    {S::kInclude, K::kNone, "C:\\Users\\", "\"C:\\Users\\\""},
    {S::kInclude, K::kNone, "#C:\\Users\\", "#\"C:\\Users\\\""},
    {S::kMd5Compare, K::kSize, "500", "md5 => (size>500)"},
    {S::kMd5Compare, K::kPath, "C:\\Docs\\*", "md5 => (path=\"C:\\Docs\\*\")"},
    {S::kInclude, K::kNone, "C:\\Donn\xC3\xA9" "es\\", "\"C:\\Donn\xC3\xA9" "es\\\""},
};

TEST(ComposeRule, GivesTheStoredRuleByteForByte) {
  for (const ComposeCase& c : kComposed) {
    RuleParts parts;
    parts.kind = c.kind;
    parts.value = c.typed;
    EXPECT_EQ(ComposeRule(c.section, parts), c.rule) << c.typed;
  }
}

// Opening the stored rule gives a value that composes back to the same rule.
TEST(ParseRule, StoredRulesOpenToAValueThatComposesBack) {
  for (const ComposeCase& c : kComposed) {
    auto parts = ParseRule(c.section, c.rule);
    ASSERT_TRUE(parts) << c.rule;
    EXPECT_EQ(parts->commented, c.typed.rfind('#', 0) == 0) << c.rule;
    if (c.section == S::kExclude || c.section == S::kMd5Compare) {
      EXPECT_EQ(parts->kind, c.kind) << c.rule;
    }
    RuleParts again = *parts;
    if (parts->commented) again.value = "#" + again.value;
    EXPECT_EQ(ComposeRule(c.section, again), c.rule);
  }
}

struct ParseCase {
  S section;
  std::string rule;
  bool commented;
  K kind;
  std::string value;
};

TEST(ParseRule, TakesRulesApartByPosition) {
  const ParseCase cases[] = {
      {S::kCompress, "gzip => (ext=\"doc\")", false, K::kNone, "*.doc"},
      {S::kCrypt, "bf => (ext=\"tmp\")", false, K::kNone, "*.tmp"},
      {S::kCryptPath, "#bf => (ext=\"tmp\")", true, K::kNone, "*.tmp"},
      {S::kExclude, "#no => (path=\"*.bak\")", true, K::kNo, "*.bak"},
      {S::kExclude, "maybe => (path=\"*.x\")", false, K::kYes, "*.x"},
      {S::kMd5Compare, "md5 => (size>250)", false, K::kSize, "250"},
      {S::kMd5Compare, "#md5 => (path=\"*.doc\")", true, K::kPath, "*.doc"},
      {S::kInclude, "#\"D:\\Photos\\\"", true, K::kNone, "D:\\Photos\\"},
      {S::kInclude, "\"\xC3\x89t\xC3\xA9\"", false, K::kNone, "\xC3\x89t\xC3\xA9"},
      // Positional: another prefix is cut at the same places.
      {S::kCompress, "bf => (path=\"C:\\x\")", false, K::kNone, "\\x"},
      {S::kCompress, "gzip => (path=\"", false, K::kNone, ""},
      {S::kCrypt, "bf => (path=\"\xC3\xA9\xC3\xA9\")", false, K::kNone, "\xC3\xA9\xC3\xA9"},
      {S::kExclude, "no => (path=\"\xE2\x82\xAC\")", false, K::kNo, "\xE2\x82\xAC"},
  };
  for (const ParseCase& c : cases) {
    auto parts = ParseRule(c.section, c.rule);
    ASSERT_TRUE(parts) << c.rule;
    EXPECT_EQ(parts->commented, c.commented) << c.rule;
    EXPECT_EQ(parts->kind, c.kind) << c.rule;
    EXPECT_EQ(parts->value, c.value) << c.rule;
  }
}

TEST(ParseRule, ExtensionFormIsWrittenBackInThePathForm) {
  auto parts = ParseRule(S::kCompress, "gzip => (ext=\"doc\")");
  ASSERT_TRUE(parts);
  EXPECT_EQ(ComposeRule(S::kCompress, *parts), "gzip => (path=\"*.doc\")");
  parts = ParseRule(S::kCrypt, "bf => (ext=\"tmp\")");
  ASSERT_TRUE(parts);
  EXPECT_EQ(ComposeRule(S::kCrypt, *parts), "bf => (path=\"*.tmp\")");
}

TEST(ParseRule, CommentMarkIsNotCarriedOverUnlessTyped) {
  auto parts = ParseRule(S::kExclude, "#no => (path=\"*.bak\")");
  ASSERT_TRUE(parts);
  ASSERT_TRUE(parts->commented);
  EXPECT_EQ(ComposeRule(S::kExclude, *parts), "no => (path=\"*.bak\")");
}

TEST(ParseRule, FirstQuoteMustStandAmongTheFirstNineteenCharacters) {
  const std::string at18 = std::string(18, 'a') + "\"x\"";
  const std::string at19 = std::string(19, 'a') + "\"x\"";
  for (S section : {S::kInclude, S::kExclude, S::kCompress, S::kCrypt, S::kCryptPath}) {
    const std::string open = section == S::kExclude ? "(" : "";
    EXPECT_TRUE(ParseRule(section, open + at18.substr(open.size()))) << static_cast<int>(section);
    EXPECT_FALSE(ParseRule(section, open + at19.substr(open.size()))) << static_cast<int>(section);
    EXPECT_FALSE(ParseRule(section, open + "no quote at all")) << static_cast<int>(section);
  }
  // Characters, not bytes: an accented letter before the quote counts once.
  EXPECT_TRUE(ParseRule(S::kInclude, std::string(17, 'a') + "\xC3\xA9\"x\""));
  // md5_compare has no quote test, but needs one of its two forms.
  EXPECT_TRUE(ParseRule(S::kMd5Compare, "md5 => (size>" + std::string(30, '1') + ")"));
  EXPECT_FALSE(ParseRule(S::kMd5Compare, "md5 => (date>1)"));
  EXPECT_FALSE(ParseRule(S::kMd5Compare, ""));
}

TEST(ParseRule, CommentMarkCountsInIncludeAndExcludeOnly) {
  // The quote at index 18 of the body is at 19 of the stored text.
  const std::string body = "(" + std::string(17, 'a') + "\"x\"";
  EXPECT_TRUE(ParseRule(S::kCompress, "#" + body));
  EXPECT_TRUE(ParseRule(S::kCrypt, "#" + body));
  EXPECT_FALSE(ParseRule(S::kExclude, "#" + body));
  EXPECT_FALSE(ParseRule(S::kInclude, "#" + body));
}

TEST(ParseRule, ExcludeWithoutParenthesisIsASyntaxError) {
  EXPECT_FALSE(ParseRule(S::kExclude, "yes => path=\"*.tmp\""));
}

TEST(Rules, PlaceholdersAndSectionNames) {
  EXPECT_EQ(PlaceholderRule(S::kCompress), "gzip => (path=\"*.zzzzzzzz\")");
  EXPECT_EQ(PlaceholderRule(S::kCrypt), "bf => (path=\"*.zzzzzzzz\")");
  EXPECT_EQ(PlaceholderRule(S::kCryptPath), "bf => (path=\"*.zzzzzzzz\")");
  EXPECT_EQ(PlaceholderRule(S::kExclude), "yes => (path=\"*.zzzzzzzz\")");
  EXPECT_EQ(PlaceholderRule(S::kMd5Compare), "md5 => (path=\"*.zzzzzzzz\")");
  for (S section : {S::kExclude, S::kMd5Compare, S::kCompress, S::kCrypt, S::kCryptPath}) {
    auto parts = ParseRule(section, PlaceholderRule(section));
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->value, "*.zzzzzzzz");
  }
  EXPECT_EQ(RuleSectionNamed("md5_compare"), S::kMd5Compare);
  EXPECT_EQ(RuleSectionNamed("crypt_path"), S::kCryptPath);
  EXPECT_FALSE(RuleSectionNamed("old_versions"));
  RecordingSink sink;
  ShowSyntaxError(sink);
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0].text, "Il y a une erreur de syntaxe dans ce fichier");
  EXPECT_EQ(sink.messages[0].icon, MessageIcon::kError);
}

}  // namespace
}  // namespace vaultrine::config
