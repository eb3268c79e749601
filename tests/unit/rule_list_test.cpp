#include "config_editor/core/rule_list.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace vaultrine::config {
namespace {

using Entries = std::vector<std::string>;

// An entry goes out to its dialog and comes back by the dialog's result.
TEST(RuleList, EditSlotProtocol) {
  const Entries five = {"a", "b", "c", "d", "e"};
  const struct {
    const char* name;
    int taken, result, position;
    Entries expected;
    int placed;
  } cases[] = {
      {"abandon puts it back in place", 2, kEditAbandon, 2, {"a", "b", "c", "d", "e"}, 2},
      {"validate at position 1 moves it to the top", 3, kEditValidate, 0, {"d", "a", "b", "c", "e"}, 0},
      {"validate at the last position", 0, kEditValidate, 4, {"b", "c", "d", "e", "a"}, 4},
      {"no position appends", 1, kEditValidate, -1, {"a", "c", "d", "e", "b"}, 4},
      {"a position past the count appends", 1, kEditValidate, 9, {"a", "c", "d", "e", "b"}, 4},
      {"delete leaves it out", 4, kEditDelete, 4, {"a", "b", "c", "d"}, -1},
      {"a syntax error leaves it out", 0, kEditSyntaxError, 0, {"b", "c", "d", "e"}, -1},
      {"a window that could not be shown puts it back in place", 2, kEditNotShown, 2, {"a", "b", "c", "d", "e"}, 2},
      {"an unknown result leaves it out", 2, 0, 2, {"a", "b", "d", "e"}, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RuleList list(five);
    RuleEditSlot slot = list.TakeOut(c.taken);
    EXPECT_EQ(slot.text, five[c.taken]);
    EXPECT_EQ(slot.count, 5);
    EXPECT_EQ(slot.position, c.taken);
    EXPECT_EQ(list.count(), 4);
    slot.position = c.position;
    EXPECT_EQ(list.PutBack(slot, c.result), c.placed);
    EXPECT_EQ(list.entries(), c.expected);
  }
}

TEST(RuleList, TwoIdenticalEntriesTheTakenOneMoves) {
  RuleList list({"x", "y", "x"});
  RuleEditSlot slot = list.TakeOut(2);
  slot.text = "z";
  slot.position = 1;
  list.PutBack(slot, kEditValidate);
  EXPECT_EQ(list.entries(), (Entries{"x", "z", "y"}));
}

TEST(RuleList, AHundredAndFirstEntryIsRefused) {
  RuleList list;
  for (int i = 0; i < kMaxEntries; ++i) ASSERT_TRUE(list.Append("r" + std::to_string(i)));
  EXPECT_TRUE(list.Full());
  EXPECT_FALSE(list.Append("one too many"));
  EXPECT_EQ(list.count(), kMaxEntries);
}

TEST(RuleList, LoadAndSaveThroughTheInternalFile) {
  testing::TempDir dir;
  const std::string path = dir.File("internal.ini");
  const std::string long_rule = "gzip => (path=\"" + std::string(400, 'x') + "\")";
  {
    ProfileFile file(path);
    for (const auto& [key, value] : std::vector<std::pair<std::string, std::string>>{
             {"000", "C:\\Data\\"}, {"001", "#\"D:\\Off\\\""}, {"002", "C:\\\xC3\xA9t\xC3\xA9\\"},
             {"004", "after the gap"}})
      file.Write("include", key, value);
    file.Write("exclude", "000", "yes => (path=\"*.tmp\")");
    file.Write("exclude", "001", "*****");
    file.Write("exclude", "002", "never read");
    file.Write("compress", "000", long_rule);
    ASSERT_TRUE(file.Flush());
  }
  const ProfileFile file(path);
  const struct {
    const char* section;
    bool quotes;
    Entries expected;
  } cases[] = {
      {"include", true, {"\"C:\\Data\\\"", "#\"D:\\Off\\\"", "\"C:\\\xC3\xA9t\xC3\xA9\\\""}},
      {"exclude", false, {"yes => (path=\"*.tmp\")"}},
      {"md5_compare", false, {}},
      {"compress", false, {long_rule}},  // whole: the page rewrites what it loaded
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.section);
    EXPECT_EQ(RuleList::Load(file, c.section, c.quotes).entries(), c.expected);
  }

  // Saving replaces the whole section: keys past the new count go, the rest of the
  // file stays.
  ProfileFile writable(path);
  ASSERT_TRUE(RuleList({"\"E:\\New\\\""}).Save(writable, "include"));
  const ProfileFile reread(path);
  EXPECT_EQ(RuleList::Load(reread, "include", true).entries(), Entries{"\"E:\\New\\\""});
  EXPECT_EQ(reread.Read("include", "004", "gone"), "gone");
  EXPECT_EQ(reread.Read("exclude", "002", ""), "never read");
}

TEST(RuleList, FolderValuesAndLimits) {
  const struct {
    RuleSection section;
    const char* folder;
    const char* value;
  } cases[] = {
      {RuleSection::kInclude, "C:\\Data", "C:\\Data\\"},
      {RuleSection::kInclude, "C:\\", "C:\\"},
      {RuleSection::kCompress, "C:\\Data", "C:\\Data\\*"},
      {RuleSection::kExclude, "D:\\", "D:\\*"},
      {RuleSection::kCryptPath, "\\\\server\\share", "\\\\server\\share\\*"},
  };
  for (const auto& c : cases) EXPECT_EQ(FolderRuleValue(c.section, c.folder), c.value) << c.folder;

  const std::string value381(381, 'v');
  EXPECT_TRUE(RuleFits(ComposeRule(RuleSection::kInclude, {false, RuleKind::kNone, value381})));
  EXPECT_FALSE(RuleFits(ComposeRule(RuleSection::kInclude, {false, RuleKind::kNone, value381 + "v"})));
  const std::string composed = ComposeRule(RuleSection::kCompress, {false, RuleKind::kNone, std::string(366, 'v')});
  EXPECT_EQ(composed.size(), 383u);
  EXPECT_TRUE(RuleFits(composed));
  EXPECT_FALSE(RuleFits(composed + "v"));
}

}  // namespace
}  // namespace vaultrine::config
