// The files a user cares about, written on a disk that fails: full before the write,
// full part-way through it, turned read-only, or with its folder gone. Whatever
// happens, the previous data is still there, the failure is reported, and once the
// disk is well again the work can be saved.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <filesystem>
#include <ostream>
#include <string>

#include "common/bom_copy.h"
#include "common/file_io.h"
#include "common/obsolete_report.h"
#include "config_editor/core/parameter_file.h"
#include "small_disk.h"
#include "temp_dir.h"

namespace vaultrine {
namespace {

using testing::ReadBytes;
using testing::SmallDisk;
using testing::WriteBytes;

enum class Fault { kFull, kFullPartWay, kReadOnly, kFolderGone };

struct FaultCase {
  const char* name;
  Fault fault;
};

std::string PrintCase(const ::testing::TestParamInfo<FaultCase>& info) { return info.param.name; }
void PrintTo(const FaultCase& c, std::ostream* os) { *os << c.name; }

const FaultCase kFaults[] = {
    {"FullDisk", Fault::kFull},
    {"DiskFillsPartWay", Fault::kFullPartWay},
    {"ReadOnlyFolder", Fault::kReadOnly},
    {"FolderGone", Fault::kFolderGone},
};

// Brings the fault about on `disk`; `folder` is the folder the write goes to.
void Inflict(Fault fault, SmallDisk& disk, const std::string& folder) {
  switch (fault) {
    case Fault::kFull: ASSERT_TRUE(disk.Fill(0)); break;
    case Fault::kFullPartWay: ASSERT_TRUE(disk.Fill(4096)); break;
    case Fault::kReadOnly: ASSERT_TRUE(disk.SetReadOnly(true)); break;
    case Fault::kFolderGone: std::filesystem::remove_all(folder); break;
  }
}

void Heal(Fault fault, SmallDisk& disk, const std::string& folder) {
  disk.Empty();
  if (fault == Fault::kReadOnly) {
    ASSERT_TRUE(disk.SetReadOnly(false));
  }
  if (fault == Fault::kFolderGone) std::filesystem::create_directories(folder);
}

#define REQUIRE_SMALL_DISK(disk) \
  if (!(disk).available()) GTEST_SKIP() << "no small disk here: " << (disk).why()

// A parameter file as the editor writes it, large enough (about 10 KB) that a save
// into the last free page of the disk runs out part-way.
std::string ParameterFile(const char* obsolete) {
  std::string f = std::string("\xEF\xBB\xBF[general]\r\nov_obsolete=1\r\nobsolete=") + obsolete + "\r\n";
  f += "\r\n[include]\r\n";
  for (int i = 0; i < 100; ++i) f += "\"C:\\Users\\jdupont\\Documents\\Dossier num\xC3\xA9ro " + std::to_string(i) + "\\\"\r\n";
  f += "\r\n[destination]\r\n\"E:\\Sauvegarde\" ,name=DISQUE1 , search\r\n";
  for (const char* s : config::kRuleSectionsAfterDestination) f += std::string("\r\n[") + s + "]\r\n";
  return f + "\r\n# eof\r\n";
}

class ParameterFileOnAFaultyDisk : public ::testing::TestWithParam<FaultCase> {};

TEST_P(ParameterFileOnAFaultyDisk, SaveKeepsThePreviousFileAndTheEdits) {
  using namespace config;
  SmallDisk disk(256);
  REQUIRE_SMALL_DISK(disk);
  const std::string folder = disk.File("Programme");
  std::filesystem::create_directories(folder);
  const std::string path = folder + "/Vaultrine.ini";
  const std::string before = ParameterFile("90d");
  const std::string edited = ParameterFile("30d");
  WriteBytes(path, before);
  WriteBytes(BackupCopyName(path), "the save before");
  ASSERT_TRUE(MakeWorkingCopy(path, path));
  RecordingSink sink;
  std::string chosen = path;
  ASSERT_EQ(ConvertToInternal(chosen, sink), kConverted);
  const std::string internal = InternalFileName(WorkingCopyName(path));
  ASSERT_TRUE(WriteProfileString(internal, "general", "obsolete", "30d"));
  const std::string edits = ReadBytes(internal);

  // The save writes the working copy anew: without it, the disk has no room at all.
  std::filesystem::remove(WorkingCopyName(path));
  Inflict(GetParam().fault, disk, folder);
  EXPECT_EQ(WriteParameterFile(path, sink), kCannotCreate);
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0].text, "Echec lors de la création du fichier paramètre");
  EXPECT_EQ(sink.messages[0].icon, MessageIcon::kError);
  if (GetParam().fault == Fault::kFolderGone) return;  // nothing was there to keep
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(ReadBytes(BackupCopyName(path)), "the save before");
  EXPECT_EQ(ReadBytes(internal), edits);
  EXPECT_FALSE(FileReadable(WorkingCopyName(path)));

  // Room again: the same edits save, and the file they replace becomes ".OLD".
  Heal(GetParam().fault, disk, folder);
  sink.messages.clear();
  EXPECT_EQ(WriteParameterFile(path, sink), kWritten);
  EXPECT_TRUE(sink.messages.empty());
  EXPECT_EQ(ReadBytes(path), edited);
  EXPECT_EQ(ReadBytes(BackupCopyName(path)), before);
}

TEST_P(ParameterFileOnAFaultyDisk, OpeningNeverTouchesTheFileAndSaysWhatFailed) {
  using namespace config;
  SmallDisk disk(256);
  REQUIRE_SMALL_DISK(disk);
  const std::string folder = disk.File("Programme");
  std::filesystem::create_directories(folder);
  const std::string path = folder + "/Vaultrine.ini";
  const std::string before = ParameterFile("90d");
  WriteBytes(path, before);
  ASSERT_TRUE(MakeWorkingCopy(path, path));

  Inflict(GetParam().fault, disk, folder);
  RecordingSink sink;
  std::string chosen = path;
  EXPECT_NE(ConvertToInternal(chosen, sink), kConverted);
  EXPECT_EQ(sink.messages.size(), 1u);
  if (GetParam().fault == Fault::kFolderGone) return;
  EXPECT_EQ(ReadBytes(path), before);
  // Nothing half-made is left to pass for a finished conversion later.
  EXPECT_FALSE(FileReadable(InternalFileName(WorkingCopyName(path))));

  // Room again: opening works and a save gives every section back.
  Heal(GetParam().fault, disk, folder);
  sink.messages.clear();
  chosen = path;
  ASSERT_EQ(ConvertToInternal(chosen, sink), kConverted);
  EXPECT_EQ(WriteParameterFile(path, sink), kWritten);
  EXPECT_TRUE(sink.messages.empty());
  EXPECT_EQ(ReadBytes(path), before);
}

INSTANTIATE_TEST_SUITE_P(Faults, ParameterFileOnAFaultyDisk, ::testing::ValuesIn(kFaults), PrintCase);

class ObsoleteReportOnAFaultyDisk : public ::testing::TestWithParam<FaultCase> {};

// The report is rewritten from the database every time, so nothing of the user's is
// at stake; what matters is that a report cut short is never opened as the list.
TEST_P(ObsoleteReportOnAFaultyDisk, IsReportedNeverOpened) {
  SmallDisk disk(64);
  REQUIRE_SMALL_DISK(disk);
  testing::TempDir elsewhere;
  const std::string database = elsewhere.File("Vaultrine.sqlite");
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(database.c_str(), &db), SQLITE_OK);
  // About 200 KB of report: more than the whole disk.
  ASSERT_EQ(sqlite3_exec(db,
                         "CREATE TABLE dest (destpath TEXT, otime INTEGER, isobsolete INTEGER, task TEXT);"
                         "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000)"
                         " INSERT INTO dest SELECT 'E:/Sauvegarde/C/Users/jdupont/Documents/rapport num' || i"
                         " || '.odt', 1700000000 - i, 1, 'task' FROM n;",
                         nullptr, nullptr, nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  const std::string folder = disk.File("Programme");
  std::filesystem::create_directories(folder);
  const std::string report = folder + "/" + kObsoleteReportFileName;
  // Leave room for the start of the report: the disk fills while the rows go out.
  if (GetParam().fault == Fault::kFullPartWay) {
    ASSERT_TRUE(disk.Fill(16384));
  } else {
    Inflict(GetParam().fault, disk, folder);
  }

  for (const bool launcher : {true, false}) {
    RecordingSink sink;
    const ObsoleteReportVariant variant = launcher ? LauncherReportVariant(Language::kEnglish, report)
                                                   : LibraryReportVariant("task", "Sauvegarde", report);
    EXPECT_EQ(WriteObsoleteReport(variant, database, 1700000000, sink), ReportOutcome::kCreateFailed);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, variant.create_failure_text);
  }
}

INSTANTIATE_TEST_SUITE_P(Faults, ObsoleteReportOnAFaultyDisk, ::testing::ValuesIn(kFaults), PrintCase);

// The library's copy of the details archive: a copy cut short by the disk says so.
TEST(BomCopyOnAFaultyDisk, ACopyCutShortIsNeverSuccess) {
  SmallDisk disk(64);
  REQUIRE_SMALL_DISK(disk);
  testing::TempDir elsewhere;
  const std::string source = elsewhere.File("archive_Details.gz");
  WriteBytes(source, std::string(3 * kBomCopyBlock / 2, 'z'));
  for (const char* mode : {"", kAddBom, kRemoveBom})
    EXPECT_EQ(CopyWithByteOrderMark(source, disk.File("copy.gz"), mode), kBomCopyShortWrite) << mode;
  ASSERT_TRUE(disk.SetReadOnly(true));
  EXPECT_EQ(CopyWithByteOrderMark(source, disk.File("other.gz"), ""), kBomCopyNoDestination);
  EXPECT_EQ(CopyWithByteOrderMark(source, disk.File("missing/copy.gz"), ""), kBomCopyNoDestination);
}

}  // namespace
}  // namespace vaultrine
#endif
