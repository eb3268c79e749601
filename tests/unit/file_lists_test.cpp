#include "backup_support/file_lists.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "temp_dir.h"

namespace vaultrine::backup {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

const std::string kMark = "\xEF\xBB\xBF";

std::string Golden(const char* name) {
  return ReadBytes(std::string(VAULTRINE_SOURCE_DIR) + "/tests/unit/golden/" + name);
}

// One run of the engine as it reports: an error first, slashes everywhere, UTF-8,
// empty parts, and a line far longer than any fixed buffer would hold.
TEST(FileLists, ARunGivesTheGoldenLists) {
  TempDir dir;
  WriteBytes(dir.File(kFileListName), "left from an earlier run\r\n");
  WriteBytes(dir.File(kErrorListName), "old errors, emptied by the first error\r\n");
  FileLists lists(dir.path().string());

  lists.Record("@Erreur/lecture", "C:/Users/anne/verrouill\xC3\xA9.pst : access denied");
  // The first record of the load, although an error, created both lists.
  EXPECT_EQ(ReadBytes(dir.File(kFileListName)), kMark);
  EXPECT_EQ(ReadBytes(dir.File(kErrorListName)),
            kMark + "Erreur\\lecture: C:\\Users\\anne\\verrouill\xC3\xA9.pst : access denied\r\n");

  const std::string long_label(40, 'L');
  const std::string long_text = "D:/" + std::string(600, 'x') + "/end";
  const struct {
    std::string label, text;
  } records[] = {
      {"Nouveau", "C:/Documents/\xC3\xA9t\xC3\xA9 2026/rapport.odt"},
      {"Modifi\xC3\xA9/copie", "C:\\already\\backslashed.txt"},
      {"", "no label"},
      {"Nouveau", ""},
      {"@", "an error with an empty label"},
      {"@@double", "only the first @ goes"},
      {"a@b", "an @ inside is a file record"},
      {long_label, long_text},
  };
  for (const auto& r : records) lists.Record(r.label, r.text);
  lists.Close();

  EXPECT_EQ(lists.error_count(), 3);
  EXPECT_EQ(ReadBytes(dir.File(kFileListName)), Golden("file_list.txt"));
  EXPECT_EQ(ReadBytes(dir.File(kErrorListName)), Golden("error_list.txt"));
}

// Each record is on disk when Record returns, without a close: a killed engine
// loses nothing it reported.
TEST(FileLists, EveryRecordReachesTheFileAtOnce) {
  TempDir dir;
  FileLists lists(dir.path().string());
  std::string expected = kMark;
  for (int i = 0; i < 3; ++i) {
    lists.Record("Nouveau", "f/" + std::to_string(i));
    expected += "Nouveau: f\\" + std::to_string(i) + "\r\n";
    EXPECT_EQ(ReadBytes(dir.File(kFileListName)), expected) << i;
  }
}

TEST(FileLists, AFileListThatCannotBeCreatedSilencesTheLoad) {
  TempDir dir;
  FileLists lists(dir.File("no such folder"));
  lists.Record("@Erreur", "x");
  lists.Record("Nouveau", "y");
  EXPECT_EQ(lists.file_list_state(), FileLists::State::kFailed);
  EXPECT_EQ(lists.error_list_state(), FileLists::State::kNotCreated) << "errors are not even tried";
  EXPECT_EQ(lists.error_count(), 0);
}

TEST(FileLists, AnErrorListThatCannotBeCreatedDropsTheRecordUncountedThenRetries) {
  TempDir dir;
  std::filesystem::create_directory(dir.File(kErrorListName));  // takes the name
  FileLists lists(dir.path().string());
  lists.Record("@Erreur", "dropped");
  EXPECT_EQ(lists.error_list_state(), FileLists::State::kFailed);
  EXPECT_EQ(lists.error_count(), 0);
  lists.Record("Nouveau", "still listed");

  std::filesystem::remove(dir.File(kErrorListName));
  lists.Record("@Erreur", "kept");
  EXPECT_EQ(lists.error_list_state(), FileLists::State::kOpen);
  EXPECT_EQ(lists.error_count(), 1);
  lists.Close();
  EXPECT_EQ(ReadBytes(dir.File(kErrorListName)), kMark + "Erreur: kept\r\n");
  EXPECT_EQ(ReadBytes(dir.File(kFileListName)), kMark + "Nouveau: still listed\r\n");
}

TEST(FileLists, RecordsAfterTheEndOfTheRunAreDropped) {
  TempDir dir;
  FileLists lists(dir.path().string());
  lists.Record("Nouveau", "a");
  lists.Record("@Erreur", "b");
  lists.Close();
  lists.Record("Nouveau", "late");
  lists.Record("@Erreur", "late");
  EXPECT_EQ(lists.error_count(), 1);
  EXPECT_EQ(ReadBytes(dir.File(kFileListName)), kMark + "Nouveau: a\r\n");
  EXPECT_EQ(ReadBytes(dir.File(kErrorListName)), kMark + "Erreur: b\r\n");
}

}  // namespace
}  // namespace vaultrine::backup
