#include "backup_support/disc_space.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "backup_support/file_time_size.h"

namespace vaultrine::backup {
namespace {

class FakeDiskSpace : public DiskSpacePlatform {
 public:
  std::map<std::string, uint64_t> drives;
  bool answer_yes = false;
  std::vector<std::string> queried_roots;
  struct Asked {
    std::string caption, question;
  };
  std::vector<Asked> asked;

  std::optional<uint64_t> FreeBytes(const std::string& root) override {
    queried_roots.push_back(root);
    const auto it = drives.find(root);
    if (it == drives.end()) return std::nullopt;
    return it->second;
  }
  bool AskYesNo(const std::string& caption, const std::string& question) override {
    asked.push_back({caption, question});
    return answer_yes;
  }
};

const char kFormat[] = "Only %s bytes free on %s, %s needed. Go on?";

TEST(DiscSpace, AsksOnlyWhenTheNeededBytesReachTheFreeOnes) {
  struct Case {
    const char* needed;
    bool asks;
  };
  const Case cases[] = {
      {"999", false},   {"1000", true},     {"1001", true},  {"abc", false},  {"", false},
      {"-5000", false}, {"  +1000", true},  {"1000xyz", true}, {"99 9999", false},
      {"-9223372036854775808", false}, {"99999999999999999999999", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.needed);
    FakeDiskSpace platform;
    platform.drives["D:\\"] = 1000;
    EXPECT_EQ(CheckDiscSpace("D:\\Backup", c.needed, kFormat, "", platform), c.asks ? kStop : kGoOn);
    EXPECT_EQ(platform.asked.size(), c.asks ? 1u : 0u);
  }
}

TEST(DiscSpace, TheAnswerDecides) {
  for (bool yes : {false, true}) {
    FakeDiskSpace platform;
    platform.drives["D:\\"] = 1000;
    platform.answer_yes = yes;
    EXPECT_EQ(CheckDiscSpace("D:\\Backup", "1000", kFormat, "Sauvegarde", platform), yes ? kGoOn : kStop);
    ASSERT_EQ(platform.asked.size(), 1u);
    EXPECT_EQ(platform.asked[0].caption, "Sauvegarde");
    EXPECT_EQ(platform.asked[0].question, "Only 1000 bytes free on D:\\, 1000 needed. Go on?");
  }
}

TEST(DiscSpace, RootIsTheFirstThreeCharactersWithBackslashes) {
  EXPECT_EQ(DriveRoot("e:/data"), "e:\\");
  EXPECT_EQ(DriveRoot("D:\\Backup\\Set1"), "D:\\");
  EXPECT_EQ(DriveRoot("//server/share"), "\\\\s");
  EXPECT_EQ(DriveRoot("e:"), "e:");

  FakeDiskSpace platform;
  platform.drives["e:\\"] = 10;
  EXPECT_EQ(CheckDiscSpace("e:/data", "20", "%s|%s|%s", "", platform), kStop);
  EXPECT_EQ(platform.queried_roots, std::vector<std::string>{"e:\\"});
  ASSERT_EQ(platform.asked.size(), 1u);
  EXPECT_EQ(platform.asked[0].question, "10|e:\\|20");
}

TEST(DiscSpace, AFailedFreeSpaceQueryGoesOnWithoutAQuestion) {
  for (const char* path : {"Q:\\nowhere", "\\\\server\\share", ""}) {
    FakeDiskSpace platform;
    platform.drives["D:\\"] = 0;
    EXPECT_EQ(CheckDiscSpace(path, "99999999", kFormat, "", platform), kGoOn) << path;
    EXPECT_TRUE(platform.asked.empty()) << path;
  }
}

TEST(DiscSpace, EmptyFormatStillAsks) {
  FakeDiskSpace platform;
  platform.drives["C:\\"] = 0;
  platform.answer_yes = true;
  EXPECT_EQ(CheckDiscSpace("C:\\", "0", "", "", platform), kGoOn);
  ASSERT_EQ(platform.asked.size(), 1u);
  EXPECT_EQ(platform.asked[0].question, "");
}

TEST(DiscSpace, QuestionFormattingIsBoundedAndTakesOnlyThreeTexts) {
  struct Case {
    std::string format;
    std::string expected;
  };
  const std::string long_format = std::string(128, 'a') + "%s" ;
  const Case cases[] = {
      {"%s %s %s", "18446744073709551615 Z:\\ 7"},
      {"100%% sure? %s", "100% sure? 18446744073709551615"},
      {"%d %i %s %s %s %s", "%d %i 18446744073709551615 Z:\\ 7 %s"},
      {"tail %", "tail %"},
      {long_format + long_format, (std::string(128, 'a') + "18446744073709551615" + std::string(128, 'a'))
                                      .substr(0, kQuestionMax)},
  };
  for (const Case& c : cases) {
    const std::string q = FormatSpaceQuestion(c.format, UINT64_MAX, "Z:\\", 7);
    EXPECT_EQ(q, c.expected) << c.format;
    EXPECT_LE(q.size(), kQuestionMax);
  }
}

TEST(DiscSpace, ReadsNeededBytesLikeTheRuntime) {
  const struct {
    const char* text;
    int64_t value;
  } cases[] = {
      {"123", 123},   {" \t42", 42},  {"-17", -17}, {"+8", 8}, {"12ab34", 12}, {"x12", 0},
      {"- 5", 0},     {"", 0},
      {"9223372036854775807", INT64_MAX}, {"9223372036854775808", INT64_MAX},
      {"-9223372036854775808", INT64_MIN}, {"-99999999999999999999", INT64_MIN},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadNeededBytes(c.text), c.value) << c.text;
}

TEST(FileTimeAndSize, TextsFitTheEngineBuffers) {
  struct Case {
    std::optional<FileStatus> status;
    std::string time, size;
    int result;
  };
  const Case cases[] = {
      {FileStatus{false, 10, 0}, "10", "0", kIsFile},
      {FileStatus{true, 1700000000, 4096}, "1700000000", "4096", kIsFolder},
      {FileStatus{false, -10, 5}, "0", "5", kIsFile},
      {FileStatus{false, INT64_MIN, 999'999'999'999'999}, "0", "999999999999999", kIsFile},
      {FileStatus{false, INT64_MAX, 1'000'000'000'000'000}, "999999999999999", "999999999999999", kIsFile},
      {FileStatus{false, 0, UINT64_MAX}, "0", "999999999999999", kIsFile},
      {std::nullopt, "0", "0", kNotExamined},
  };
  for (const Case& c : cases) {
    const FileTimeAndSize out = DescribeFile(c.status);
    EXPECT_EQ(out.time, c.time);
    EXPECT_EQ(out.size, c.size);
    EXPECT_EQ(out.result, c.result);
    EXPECT_LE(out.time.size(), kDigitsMax);
    EXPECT_LE(out.size.size(), kDigitsMax);
  }
}

}  // namespace
}  // namespace vaultrine::backup
