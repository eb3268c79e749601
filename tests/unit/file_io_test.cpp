#include "common/file_io.h"

#include <gtest/gtest.h>

#include "temp_dir.h"

namespace vaultrine {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

TEST(ReplaceFileKeepingBackup, SwapsInTheNewFileAndKeepsTheOldOne) {
  TempDir dir;
  WriteBytes(dir.File("new"), "new");
  WriteBytes(dir.File("P"), "current");
  WriteBytes(dir.File("P.OLD"), "older");
  ASSERT_TRUE(ReplaceFileKeepingBackup(dir.File("new"), dir.File("P"), dir.File("P.OLD")));
  EXPECT_EQ(ReadBytes(dir.File("P")), "new");
  EXPECT_EQ(ReadBytes(dir.File("P.OLD")), "current");
  EXPECT_FALSE(FileReadable(dir.File("new")));
  // The backup is a file of its own: the next replace does not change it through P.
  WriteBytes(dir.File("new"), "newer");
  ASSERT_TRUE(ReplaceFileKeepingBackup(dir.File("new"), dir.File("P"), dir.File("P.OLD")));
  EXPECT_EQ(ReadBytes(dir.File("P")), "newer");
  EXPECT_EQ(ReadBytes(dir.File("P.OLD")), "new");
}

TEST(ReplaceFileKeepingBackup, WithoutATargetThereIsNothingToKeep) {
  TempDir dir;
  WriteBytes(dir.File("new"), "new");
  WriteBytes(dir.File("P.OLD"), "stale");
  ASSERT_TRUE(ReplaceFileKeepingBackup(dir.File("new"), dir.File("P"), dir.File("P.OLD")));
  EXPECT_EQ(ReadBytes(dir.File("P")), "new");
  EXPECT_FALSE(FileReadable(dir.File("P.OLD")));
}

TEST(ReplaceFileKeepingBackup, FailureLeavesTheTarget) {
  TempDir dir;
  WriteBytes(dir.File("P"), "current");
  EXPECT_FALSE(ReplaceFileKeepingBackup(dir.File("missing"), dir.File("P"), dir.File("P.OLD")));
  EXPECT_EQ(ReadBytes(dir.File("P")), "current");
}

}  // namespace
}  // namespace vaultrine
