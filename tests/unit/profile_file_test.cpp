#include "config_editor/core/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "temp_dir.h"

namespace vaultrine::config {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

struct ReadCase {
  const char* name;
  std::string file;
  const char* section;
  const char* key;
  size_t capacity;
  std::string expected;
};

class ProfileRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ProfileRead, GivesTheStoredValueOrTheDefault) {
  TempDir dir;
  const ReadCase& c = GetParam();
  WriteBytes(dir.File("p.ini"), c.file);
  EXPECT_EQ(ReadProfileString(dir.File("p.ini"), c.section, c.key, "*****", c.capacity),
            c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ProfileRead,
    ::testing::Values(
        ReadCase{"Plain", "[s]\r\nk=v\r\n", "s", "k", 0, "v"},
        ReadCase{"BlanksTrimmed", "[s]\r\n  k \t=  v w \t\r\n", "s", "k", 0, "v w"},
        // What Windows trims: C white space and Ctrl-Z, around keys, values and names.
        ReadCase{"WindowsBlanksTrimmed", "[ s\x0B]\r\n\x0C k\x1A=\x0B \"v\" \x1A\r\r\n", "s", "k", 0, "v"},
        ReadCase{"DoubleQuotesRemoved", "[s]\r\nk= \"C:\\a b\\\" \r\n", "s", "k", 0, "C:\\a b\\"},
        ReadCase{"SingleQuotesRemoved", "[s]\r\nk='x'\r\n", "s", "k", 0, "x"},
        ReadCase{"OnlyOnePairRemoved", "[s]\r\nk=\"\"x\"\"\r\n", "s", "k", 0, "\"x\""},
        ReadCase{"UnmatchedQuotesKept", "[s]\r\nk=\"x'\r\n", "s", "k", 0, "\"x'"},
        ReadCase{"LoneQuoteKept", "[s]\r\nk=\"\r\n", "s", "k", 0, "\""},
        ReadCase{"CommentedEntryKeepsQuotes", "[s]\r\n001=#\"D:\\P\\\"\r\n", "s", "001", 0,
                 "#\"D:\\P\\\""},
        ReadCase{"NamesIgnoreCase", "[General]\r\nOV_Obsolete=1\r\n", "general", "ov_obsolete", 0,
                 "1"},
        ReadCase{"EmptyValueIsNotTheDefault", "[s]\r\nk=\r\n", "s", "k", 0, ""},
        ReadCase{"MissingSection", "[s]\r\nk=v\r\n", "t", "k", 0, "*****"},
        ReadCase{"MissingKey", "[s]\r\nk=v\r\n", "s", "j", 0, "*****"},
        ReadCase{"LineWithoutEqualsIsNoKey", "[s]\r\nk\r\n", "s", "k", 0, "*****"},
        ReadCase{"KeyOfTheNextSectionNotSeen", "[s]\r\n[t]\r\nk=v\r\n", "s", "k", 0, "*****"},
        ReadCase{"KeyBeforeAnySectionNotSeen", "k=v\r\n[s]\r\n", "s", "k", 0, "*****"},
        ReadCase{"HeaderAfterBlanks", "[s]\r\n \t[t]\r\nk=v\r\n", "t", "k", 0, "v"},
        ReadCase{"HeaderAfterBlanksEndsTheSection", "[s]\r\n [t]\r\nk=v\r\n", "s", "k", 0, "*****"},
        ReadCase{"FirstKeyWins", "[s]\r\nk=1\r\nK=2\r\n", "s", "k", 0, "1"},
        ReadCase{"FirstSectionWins", "[s]\r\nk=1\r\n[S]\r\nk=2\r\n", "s", "k", 0, "1"},
        ReadCase{"LfLineEnds", "[s]\nk=v\nj=w\n", "s", "j", 0, "w"},
        ReadCase{"LastLineWithoutEnd", "[s]\r\nk=v", "s", "k", 0, "v"},
        ReadCase{"ByteOrderMarkSkipped", "\xEF\xBB\xBF[s]\r\nk=v\r\n", "s", "k", 0, "v"},
        ReadCase{"ValueHoldsEquals", "[s]\r\nk=a=b\r\n", "s", "k", 0, "a=b"},
        ReadCase{"Utf8AndNulPassThrough", std::string("[s]\r\nk=\xC3\xA9t\xC3\xA9\0x\r\n", 17),
                 "s", "k", 0, std::string("\xC3\xA9t\xC3\xA9\0x", 7)},
        ReadCase{"CapacityCountsTheTerminator", "[s]\r\nk=abcdef\r\n", "s", "k", 4, "abc"},
        ReadCase{"CapacityAppliesToTheDefault", "[s]\r\n", "s", "k", 3, "**"},
        ReadCase{"CapacityNeverSplitsACharacter", "[s]\r\nk=a\xC3\xA9\r\n", "s", "k", 3, "a"}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return info.param.name; });

TEST(ProfileRead, MissingFileGivesTheDefault) {
  TempDir dir;
  EXPECT_EQ(ReadProfileString(dir.File("none.ini"), "s", "k", "dflt"), "dflt");
}

struct WriteCase {
  const char* name;
  std::string before;
  std::function<void(ProfileFile&)> change;
  std::string after;
};

class ProfileWrite : public ::testing::TestWithParam<WriteCase> {};

TEST_P(ProfileWrite, ChangesTheFileInPlace) {
  TempDir dir;
  const WriteCase& c = GetParam();
  const std::string path = dir.File("p.ini");
  if (!c.before.empty()) WriteBytes(path, c.before);
  ProfileFile file(path);
  c.change(file);
  ASSERT_TRUE(file.Flush());
  EXPECT_EQ(ReadBytes(path), c.after);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, ProfileWrite,
    ::testing::Values(
        WriteCase{"ReplaceWhereItStands", "[s]\r\nA=1\r\nb=2\r\n",
                  [](ProfileFile& f) { f.Write("S", "a", "9"); }, "[s]\r\nA=9\r\nb=2\r\n"},
        WriteCase{"AppendKeyBeforeTheClosingBlank", "[s]\r\na=1\r\n\r\n[t]\r\nx=1\r\n",
                  [](ProfileFile& f) { f.Write("s", "b", "2"); },
                  "[s]\r\na=1\r\nb=2\r\n\r\n[t]\r\nx=1\r\n"},
        WriteCase{"AppendSectionAfterABlank", "[s]\r\na=1\r\n",
                  [](ProfileFile& f) { f.Write("t", "000", "v"); },
                  "[s]\r\na=1\r\n\r\n[t]\r\n000=v\r\n"},
        WriteCase{"AppendSectionAfterExistingBlank", "[general]\r\nk=v\r\n\r\n",
                  [](ProfileFile& f) { f.Write("include", "000", "\"C:\\\""); },
                  "[general]\r\nk=v\r\n\r\n[include]\r\n000=\"C:\\\"\r\n"},
        WriteCase{"NewFile", "", [](ProfileFile& f) { f.Write("s", "k", "v"); }, "[s]\r\nk=v\r\n"},
        WriteCase{"DeleteKey", "[s]\r\na=1\r\nb=2\r\nc=3\r\n",
                  [](ProfileFile& f) {
                    f.Write("s", "a", std::nullopt);
                    f.Write("s", "c", "4");  // the index still finds keys after a delete
                  },
                  "[s]\r\nb=2\r\nc=4\r\n"},
        WriteCase{"DeleteThenWriteListAgain", "[s]\r\n000=a\r\n001=b\r\n\r\n[t]\r\n",
                  [](ProfileFile& f) {
                    for (const char* k : {"000", "001", "002"}) f.Write("s", k, std::nullopt);
                    f.Write("s", "000", "z");
                  },
                  "[s]\r\n000=z\r\n\r\n[t]\r\n"},
        WriteCase{"DeleteMissingChangesNothing", "[s]\nk=v\n",
                  [](ProfileFile& f) {
                    f.Write("s", "j", std::nullopt);
                    f.Write("t", "k", std::nullopt);
                  },
                  "[s]\nk=v\n"},
        WriteCase{"RewritesWithCrLf", "[s]\nk=v\n[t]\n", [](ProfileFile& f) { f.Write("s", "k", "w"); },
                  "[s]\r\nk=w\r\n[t]\r\n"},
        WriteCase{"KeepsMarkAndOtherLines", "\xEF\xBB\xBF; note\r\n[s]\r\nfree text\r\n",
                  [](ProfileFile& f) { f.Write("s", "k", "C:\\Donn\xC3\xA9" "es"); },
                  "\xEF\xBB\xBF; note\r\n[s]\r\nfree text\r\nk=C:\\Donn\xC3\xA9" "es\r\n"},
        WriteCase{"RefusesWhatWouldBreakTheLines", "[s]\r\nk=v\r\n",
                  [](ProfileFile& f) {
                    EXPECT_FALSE(f.Write("s", "a=b", "1"));
                    EXPECT_FALSE(f.Write("s", "[x]", "1"));
                    EXPECT_FALSE(f.Write("s", "k", "1\n2"));
                    EXPECT_FALSE(f.Write("a]b", "k", "1"));
                    EXPECT_FALSE(f.Write("s", " ", "1"));
                  },
                  "[s]\r\nk=v\r\n"}),
    [](const ::testing::TestParamInfo<WriteCase>& info) { return info.param.name; });

TEST(ProfileWrite, NothingReachesTheDiskBeforeFlush) {
  TempDir dir;
  const std::string path = dir.File("p.ini");
  WriteBytes(path, "[s]\r\nk=v\r\n");
  ProfileFile file(path);
  ASSERT_TRUE(file.Write("s", "k", "w"));
  EXPECT_EQ(file.Read("s", "k", ""), "w");
  EXPECT_EQ(ReadBytes(path), "[s]\r\nk=v\r\n");
  ASSERT_TRUE(file.Flush());
  EXPECT_EQ(ReadProfileString(path, "s", "k", ""), "w");
}

TEST(ProfileWrite, OneShotWriteThenReadBack) {
  TempDir dir;
  const std::string path = dir.File("p.ini");
  ASSERT_TRUE(WriteProfileString(path, "general", "obsolete", "30d"));
  ASSERT_TRUE(WriteProfileString(path, "General", "OBSOLETE", "45d"));
  EXPECT_EQ(ReadBytes(path), "[general]\r\nobsolete=45d\r\n");
}

TEST(ProfileWrite, FlushFailureIsReported) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("folder"));
  ProfileFile file(dir.File("folder"));
  ASSERT_TRUE(file.Write("s", "k", "v"));
  EXPECT_FALSE(file.Flush());
}

}  // namespace
}  // namespace vaultrine::config
