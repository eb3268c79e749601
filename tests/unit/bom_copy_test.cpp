#include "common/bom_copy.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <filesystem>
#include <thread>

#include "common/file_io.h"
#include "temp_dir.h"

namespace vaultrine {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::string kMark = "\xEF\xBB\xBF";

struct MarkCase {
  const char* name;
  std::string source;
  const char* mode;
  std::string expected;
};

void PrintTo(const MarkCase& c, std::ostream* os) { *os << c.name; }

class BomCopyModes : public ::testing::TestWithParam<MarkCase> {};

TEST_P(BomCopyModes, CopiesWithTheRightMark) {
  TempDir dir;
  const MarkCase& c = GetParam();
  WriteBytes(dir.File("src"), c.source);
  EXPECT_EQ(CopyWithByteOrderMark(dir.File("src"), dir.File("dst"), c.mode), kBomCopyOk);
  EXPECT_EQ(ReadBytes(dir.File("dst")), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, BomCopyModes,
    ::testing::Values(
        MarkCase{"RemoveWithout", "[general]\r\n", kRemoveBom, "[general]\r\n"},
        MarkCase{"RemoveWith", kMark + "[general]\r\n", kRemoveBom, "[general]\r\n"},
        MarkCase{"RemoveOnlyMark", kMark, kRemoveBom, ""},
        MarkCase{"RemoveTwoBytesOfMark", "\xEF\xBB", kRemoveBom, "\xEF\xBB"},
        MarkCase{"AddWithout", "a=1\r\n", kAddBom, kMark + "a=1\r\n"},
        MarkCase{"AddTwice", kMark + "a=1\r\n", kAddBom, kMark + kMark + "a=1\r\n"},
        MarkCase{"MarkNotAtStartKeptByRemove", "x" + kMark, kRemoveBom, "x" + kMark},
        MarkCase{"MarkNotAtStartKeptByAdd", "x" + kMark, kAddBom, kMark + "x" + kMark},
        MarkCase{"PlainCopyKeepsMark", kMark + "z", "", kMark + "z"},
        MarkCase{"ModeIsCaseSensitive", kMark + "z", "removebom", kMark + "z"}),
    [](const ::testing::TestParamInfo<MarkCase>& info) { return info.param.name; });

TEST(BomCopy, EmptySourceGivesEmptyDestination) {
  TempDir dir;
  WriteBytes(dir.File("src"), "");
  for (const char* mode : {kRemoveBom, kAddBom, ""}) {
    EXPECT_EQ(CopyWithByteOrderMark(dir.File("src"), dir.File("dst"), mode), kBomCopyOk) << mode;
    ASSERT_TRUE(std::filesystem::exists(dir.File("dst")));
    EXPECT_EQ(std::filesystem::file_size(dir.File("dst")), 0u) << mode;
  }
}

TEST(BomCopy, MissingSourceCreatesNothing) {
  TempDir dir;
  EXPECT_EQ(CopyWithByteOrderMark(dir.File("none"), dir.File("dst"), kAddBom), kBomCopyNoSource);
  EXPECT_FALSE(std::filesystem::exists(dir.File("dst")));
}

TEST(BomCopy, UncreatableDestinationGivesTwo) {
  TempDir dir;
  WriteBytes(dir.File("src"), "abc");
  EXPECT_EQ(CopyWithByteOrderMark(dir.File("src"), dir.File("no/such/folder/dst"), ""),
            kBomCopyNoDestination);
}

TEST(BomCopy, BlockBoundariesKeepEveryByte) {
  TempDir dir;
  constexpr size_t kBlock = kBomCopyBlock;
  for (size_t size : {size_t{4}, kBlock - 1, kBlock, kBlock + 1, kBlock + 3, 3 * kBlock + 17}) {
    std::string data(size, '\0');
    for (size_t i = 0; i < size; ++i) data[i] = static_cast<char>((i * 131 + 7) & 0xFF);
    data.replace(0, 3, kMark);
    WriteBytes(dir.File("src"), data);
    ASSERT_EQ(CopyWithByteOrderMark(dir.File("src"), dir.File("plain"), ""), kBomCopyOk);
    EXPECT_EQ(ReadBytes(dir.File("plain")), data) << size;
    ASSERT_EQ(CopyWithByteOrderMark(dir.File("src"), dir.File("stripped"), kRemoveBom), kBomCopyOk);
    EXPECT_EQ(ReadBytes(dir.File("stripped")), data.substr(3)) << size;
    ASSERT_EQ(CopyWithByteOrderMark(dir.File("src"), dir.File("added"), kAddBom), kBomCopyOk);
    EXPECT_EQ(ReadBytes(dir.File("added")), kMark + data) << size;
  }
}

TEST(BomCopy, CopyTakesTheSourceModificationTime) {
  TempDir dir;
  WriteBytes(dir.File("src"), kMark + "[general]\r\n");
  const int64_t when = 1234567890;  // 2009-02-13 23:31:30 UTC
  ASSERT_TRUE(SetFileTimes(dir.File("src"), when));
  for (const char* mode : {kRemoveBom, kAddBom, ""}) {
    ASSERT_EQ(CopyWithByteOrderMark(dir.File("src"), dir.File("dst"), mode), kBomCopyOk);
    EXPECT_EQ(FileModificationTime(dir.File("dst")).value_or(-1), when) << mode;
  }
}

// A source that cannot seek (a pipe where a file was expected) is copied as it
// reads, never taken for an empty file.
TEST(BomCopy, ASourceThatCannotSeekIsCopiedWhole) {
  TempDir dir;
  const std::string pipe = dir.File("pipe");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  const std::string data = kMark + std::string(kBomCopyBlock + 5, 'p');
  // A reader that stops early must fail the writer's write, not end the test program.
  const auto previous = std::signal(SIGPIPE, SIG_IGN);
  std::thread writer([&] { WriteBytes(pipe, data); });
  const int result = CopyWithByteOrderMark(pipe, dir.File("dst"), kRemoveBom);
  writer.join();
  std::signal(SIGPIPE, previous);
  EXPECT_EQ(result, kBomCopyOk);
  EXPECT_EQ(ReadBytes(dir.File("dst")), data.substr(3));
}

TEST(BomCopy, ShortWriteOnFullDeviceGivesFour) {
  // /dev/full accepts the open and fails every write: the copy must say so.
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  TempDir dir;
  WriteBytes(dir.File("src"), std::string(20000, 'x'));
  EXPECT_EQ(CopyWithByteOrderMark(dir.File("src"), "/dev/full", ""), kBomCopyShortWrite);
}

}  // namespace
}  // namespace vaultrine
