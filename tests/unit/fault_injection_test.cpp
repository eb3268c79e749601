// The files a user cares about, written on a disk that fails: full before the write,
// full part-way through it, turned read-only, or with its folder gone. Whatever
// happens, the previous data is still there, the failure is reported, and once the
// disk is well again the work can be saved.
#ifndef _WIN32
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "backup_support/details_archive.h"
#include "backup_support/file_lists.h"
#include "common/bom_copy.h"
#include "common/last_backup.h"
#include "common/file_io.h"
#include "common/message_file.h"
#include "common/message_keys.h"
#include "common/obsolete_report.h"
#include "common/text_encoding.h"
#include "config_editor/core/editor_files.h"
#include "config_editor/core/parameter_file.h"
#include "restore_support/request_rules.h"
#include "restore_support/restored_list.h"
#include "small_disk.h"
#include "temp_dir.h"

namespace vaultrine {
namespace {

using testing::ChangeDir;
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

// A parameter file on a disk that takes no writes (a CD, a read-only share): opened,
// created there or found at start-up, it is refused with what is wrong and where to
// put it, in the user's words, never called incompatible; nothing is left chosen.
TEST(ParameterFileOnAReadOnlyDisk, ChoosingItSaysTheFolderCannotBeWritten) {
  using namespace config;
  SmallDisk disk(256);
  REQUIRE_SMALL_DISK(disk);
  const std::string path = disk.File("Vaultrine.ini");
  const std::string bytes = ParameterFile("90d");
  WriteBytes(path, bytes);
  ASSERT_TRUE(disk.SetReadOnly(true));

  struct NoBoxes : MessageSink {
    void Show(const UserMessage& m) override { ADD_FAILURE() << m.text; }
  } no_boxes;
  MessageFile messages(kEditorMessageFile);
  ASSERT_TRUE(messages.LoadMessageFile(std::string(VAULTRINE_SOURCE_DIR) + "/data", no_boxes));
  messages.SelectSection(message_keys::kSection, "eng");
  EditorFiles files(std::string(VAULTRINE_SOURCE_DIR) + "/data",
                    [&](std::string_view key) { return Utf16ToUtf8(messages.LookUpMessage(key)); });
  const auto refusal = [](const std::string& file) {
    return "The folder of " + file + " cannot be written.\r\n"
           "Copy the file to a folder you can write to, such as C:\\Vaultrine, and open it there.";
  };
  const struct {
    const char* name;
    std::function<Choice(RecordingSink&)> choose;
    std::string named;
  } cases[] = {
      {"open", [&](RecordingSink& sink) { return files.ChooseExisting(path, sink); }, path},
      {"new", [&](RecordingSink& sink) { return files.ChooseNew(disk.File("n.ini"), false, sink); },
       disk.File("n.ini")},
      {"start-up", [&](RecordingSink& sink) {
         return files.ChooseFirstCompatible(disk.path(), {"Vaultrine.ini", "b.ini"}, sink);
       }, path},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    RecordingSink sink;
    EXPECT_EQ(c.choose(sink), Choice::kNotChosen);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, refusal(c.named));
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::kError);
    EXPECT_EQ(files.state(), FileState::kNoFile);
    EXPECT_EQ(ReadBytes(path), bytes);
  }

  // Writable again: the same file opens without a word.
  ASSERT_TRUE(disk.SetReadOnly(false));
  RecordingSink sink;
  EXPECT_EQ(files.ChooseExisting(path, sink), Choice::kChosen);
  EXPECT_TRUE(sink.messages.empty());
  files.Discard();
}

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

// A read error is a failed copy, never the end of the file. A folder where the
// archive was expected opens, but every read of it fails (on the small disk even its
// end cannot be sought); nothing is left behind to pass for a copy.
TEST(BomCopyOnAFaultyDisk, AReadErrorIsAFailedCopy) {
  SmallDisk disk(64);
  testing::TempDir elsewhere;
  std::vector<std::string> sources = {elsewhere.File("archive_Details.gz")};
  if (disk.available()) sources.push_back(disk.File("archive_Details.gz"));
  for (const std::string& source : sources) {
    ASSERT_TRUE(std::filesystem::create_directory(source));
    for (const char* mode : {"", kAddBom, kRemoveBom}) {
      SCOPED_TRACE(source + " mode " + mode);
      const std::string copy = elsewhere.File("copy.gz");
      WriteBytes(copy, "an earlier copy");
      EXPECT_EQ(CopyWithByteOrderMark(source, copy, mode), kBomCopyReadError);
      EXPECT_FALSE(std::filesystem::exists(copy));
    }
  }
}

// ---- the backup library's lists and details archive ------------------------------

// Lines of file names that deflate badly, so the archive of a list is about as big
// as half the list and a nearly full disk cannot take it.
std::string NoisyName(unsigned& seed) {
  std::string name = "C:/Users/anne/Documents/";
  for (int i = 0; i < 48; ++i) {
    seed = seed * 1103515245u + 12345u;
    name += "0123456789abcdef"[(seed >> 16) & 15];
  }
  return name + ".odt";
}

// A list on disk is the byte-order mark and whole lines of what was recorded, never
// a line cut short; empty only when even the mark found no room.
::testing::AssertionResult WholeLinesOf(const std::string& actual, const std::string& full) {
  if (actual.empty()) return ::testing::AssertionSuccess();
  if (actual.size() > full.size() || full.compare(0, actual.size(), actual) != 0)
    return ::testing::AssertionFailure() << "not what was recorded: " << actual.substr(0, 80);
  if (actual.size() != 3 && actual.back() != '\n') return ::testing::AssertionFailure() << "ends in a cut line";
  return ::testing::AssertionSuccess();
}

size_t LinesIn(const std::string& list) { return static_cast<size_t>(std::count(list.begin(), list.end(), '\n')); }

class FileListsOnAFaultyDisk : public ::testing::TestWithParam<FaultCase> {};

// The engine goes on reporting whatever the disk does: what reached a list is whole,
// every record that did not is counted, the error count is what the error list
// holds, and the end of the run says so. An earlier run's error list is only ever
// replaced by this run's errors.
TEST_P(FileListsOnAFaultyDisk, WhatIsListedIsWholeAndWhatIsNotIsReported) {
  using namespace backup;
  SmallDisk disk(64);
  REQUIRE_SMALL_DISK(disk);
  const std::string folder = disk.File("Run");
  std::filesystem::create_directories(folder);
  const std::string old_errors = "\xEF\xBB\xBF" "Erreur: an earlier run\r\n";
  WriteBytes(folder + "/" + kErrorListName, old_errors);
  Inflict(GetParam().fault, disk, folder);

  FileLists lists(folder);
  std::string all_files = "\xEF\xBB\xBF", all_errors = "\xEF\xBB\xBF";
  int files = 0, errors = 0;
  unsigned seed = 7;
  for (int i = 0; i < 60; ++i) {
    const std::string name = NoisyName(seed);
    const bool error = i % 5 == 4;
    lists.Record(error ? "@Erreur" : "Nouveau", name);
    std::string line = error ? "Erreur: " + name : "Nouveau: " + name;
    std::replace(line.begin(), line.end(), '/', '\\');
    (error ? all_errors : all_files) += line + "\r\n";
    ++(error ? errors : files);
  }
  lists.Close();

  const std::string file_list = ReadBytes(folder + "/" + kFileListName);
  const std::string error_list = ReadBytes(folder + "/" + kErrorListName);
  EXPECT_TRUE(WholeLinesOf(file_list, all_files));
  const size_t listed = file_list.empty() ? 0 : LinesIn(file_list);
  EXPECT_EQ(listed + lists.lost_file_records(), static_cast<size_t>(files));
  EXPECT_GT(lists.lost_file_records() + lists.lost_error_records(), 0) << "the fault never bit";
  // The earlier error list stays as it was unless this run's first error replaced it.
  if (error_list != old_errors) {
    EXPECT_TRUE(WholeLinesOf(error_list, all_errors));
  }
  if (GetParam().fault == Fault::kReadOnly || GetParam().fault == Fault::kFull) {
    EXPECT_EQ(error_list, old_errors);
  }
  EXPECT_EQ(static_cast<size_t>(lists.error_count()), error_list == old_errors ? 0 : LinesIn(error_list));
  EXPECT_EQ(lists.error_count() + lists.lost_error_records(), errors);

  RecordingSink sink;
  lists.ReportLosses(sink, "Vaultrine 1.92");
  ASSERT_EQ(sink.messages.size(), 1u);
  EXPECT_EQ(sink.messages[0].caption, "Vaultrine 1.92");
  EXPECT_EQ(sink.messages[0].icon, MessageIcon::kWarning);
  if (lists.lost_file_records() > 0) {
    EXPECT_NE(sink.messages[0].text.find(std::to_string(lists.lost_file_records()) + " missing from " + kFileListName),
              std::string::npos)
        << sink.messages[0].text;
  }

  // The disk well again: the next load lists everything and has nothing to report.
  Heal(GetParam().fault, disk, folder);
  FileLists next(folder);
  seed = 7;
  for (int i = 0; i < 60; ++i) next.Record(i % 5 == 4 ? "@Erreur" : "Nouveau", NoisyName(seed));
  next.Close();
  EXPECT_EQ(ReadBytes(folder + "/" + kFileListName), all_files);
  EXPECT_EQ(ReadBytes(folder + "/" + kErrorListName), all_errors);
  sink.messages.clear();
  next.ReportLosses(sink, "Vaultrine 1.92");
  EXPECT_TRUE(sink.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(Faults, FileListsOnAFaultyDisk, ::testing::ValuesIn(kFaults), PrintCase);

// The end-of-run steps as the success window's OK runs them: the run's folder holds
// the list, the summary folder receives the archive.
constexpr const char* kArchive = "OFFICE_06-12-26_17-45_Details.gz";

// A list of about 40 KB whose archive takes about 20 KB.
std::string WriteNoisyList(const std::string& folder) {
  backup::FileLists lists(folder);
  unsigned seed = 11;
  for (int i = 0; i < 500; ++i) lists.Record("Nouveau", NoisyName(seed));
  lists.Close();
  return ReadBytes(folder + "/" + backup::kFileListName);
}

backup::FinishRunInput RunInput(const std::string& run_folder, const std::string& summary) {
  WriteBytes(run_folder + "/Vaultrine.ini", "[general]\r\nsummary=\"" + summary + "\"\r\n");
  backup::FinishRunInput input;
  input.computer_name = "OFFICE";
  input.now = {2026, 12, 6, 17, 45};
  input.task_text = run_folder + "/Vaultrine.ini-1";
  input.current_folder = run_folder;
  input.caption = "Vaultrine";
  return input;
}

std::string Inflate(const std::string& path) {
  const std::string out = path + ".inflated";
  const int status = std::system(("gzip -dc < '" + path + "' > '" + out + "'").c_str());
  const std::string bytes = status == 0 ? ReadBytes(out) : "<not gzip>";
  std::filesystem::remove(out);
  return bytes;
}

class DetailsArchiveOnAFaultyDisk : public ::testing::TestWithParam<FaultCase> {};

// The run's own folder fails while the list is compressed: the list is filed as it
// is (whole, under the archive's name) or stays where it was, and a box says what
// failed; no half-made archive is left behind.
TEST_P(DetailsArchiveOnAFaultyDisk, ACompressionTheDiskRefusesFilesThePlainList) {
  using namespace backup;
  SmallDisk disk(160);
  REQUIRE_SMALL_DISK(disk);
  testing::TempDir summary;
  const std::string run = disk.File("Run");
  std::filesystem::create_directories(run);
  const std::string list = WriteNoisyList(run);
  ASSERT_GT(list.size(), 30000u);
  const FinishRunInput input = RunInput(run, summary.path().string());
  ChangeDir cd(run);
  Inflict(GetParam().fault, disk, run);

  RecordingSink boxes;
  std::string list_name = kFileListName;
  const FinishResult r = FinishRun(list_name, input, boxes);
  const std::string filed = ReadBytes(summary.File(kArchive));
  switch (GetParam().fault) {
    case Fault::kFull:
    case Fault::kFullPartWay:
      EXPECT_EQ(r.outcome, FinishOutcome::kFiled);
      EXPECT_EQ(filed, list);
      break;
    case Fault::kReadOnly:
      EXPECT_EQ(r.outcome, FinishOutcome::kNotFiled);
      EXPECT_EQ(ReadBytes(run + "/" + kFileListName), list);
      EXPECT_EQ(filed, "");
      break;
    case Fault::kFolderGone:
      EXPECT_EQ(r.outcome, FinishOutcome::kNoFileList);
      EXPECT_TRUE(boxes.messages.empty());
      return;
  }
  ASSERT_GE(boxes.messages.size(), 1u);
  EXPECT_EQ(boxes.messages[0].caption, "ERROR GZ_Compress()");
  EXPECT_FALSE(std::filesystem::exists(run + "/" + kFileListName + ".gz"));
  for (const auto& entry : std::filesystem::directory_iterator(run)) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(name == kFileListName || name == "Vaultrine.ini") << "left behind: " << name;
  }
}

// The summary folder fails while the archive is copied into it: the archive stays in
// the run's folder whole, the user is told where, nothing half-copied is left in the
// summary folder, and what it held before is untouched.
TEST_P(DetailsArchiveOnAFaultyDisk, ACopyTheSummaryFolderRefusesKeepsTheArchive) {
  using namespace backup;
  SmallDisk disk(64);
  REQUIRE_SMALL_DISK(disk);
  testing::TempDir run;
  const std::string list = WriteNoisyList(run.path().string());
  const std::string summary = disk.File("Summary");
  std::filesystem::create_directories(summary);
  const std::string earlier = summary + "/OFFICE_05-12-26_17-45_Details.gz";
  WriteBytes(earlier, "yesterday's archive");
  const FinishRunInput input = RunInput(run.path().string(), summary);
  ChangeDir cd(run.path());
  Inflict(GetParam().fault, disk, summary);

  RecordingSink boxes;
  std::string list_name = kFileListName;
  const FinishResult r = FinishRun(list_name, input, boxes);
  EXPECT_EQ(r.outcome, FinishOutcome::kNotFiled);
  EXPECT_EQ(Inflate(run.File(kArchive)), list);
  EXPECT_FALSE(std::filesystem::exists(summary + "/" + kArchive));
  ASSERT_EQ(boxes.messages.size(), 1u);
  EXPECT_EQ(boxes.messages[0].icon, MessageIcon::kWarning);
  EXPECT_NE(boxes.messages[0].text.find(run.File(kArchive)), std::string::npos) << boxes.messages[0].text;
  if (GetParam().fault != Fault::kFolderGone) {
    EXPECT_EQ(ReadBytes(earlier), "yesterday's archive");
  }
}

INSTANTIATE_TEST_SUITE_P(Faults, DetailsArchiveOnAFaultyDisk, ::testing::ValuesIn(kFaults), PrintCase);

// The archive needs room on the run's disk once: the name goes into its header in
// the same pass as the data, never through a second copy of the whole archive.
TEST(DetailsArchiveOnASmallDisk, RoomForTheArchiveOnceIsEnough) {
  using namespace backup;
  SmallDisk disk(160);
  REQUIRE_SMALL_DISK(disk);
  testing::TempDir summary, measure;
  const std::string run = disk.File("Run");
  std::filesystem::create_directories(run);
  const std::string list = WriteNoisyList(run);
  // The archive's size, made on a disk with room to spare.
  WriteBytes(measure.File(kFileListName), list);
  std::string measured = measure.File(kFileListName);
  RecordingSink ignored;
  ASSERT_EQ(GzCompress(measured, ignored), 0);
  const size_t archive_size = std::filesystem::file_size(measured);
  ASSERT_GT(archive_size, 12288u) << "too small to tell one copy from two";
  const FinishRunInput input = RunInput(run, summary.path().string());
  ChangeDir cd(run);
  // Whole pages for the archive and one more, not twice the archive.
  ASSERT_TRUE(disk.Fill((archive_size + 4095) / 4096 * 4096 + 4096));

  RecordingSink boxes;
  std::string list_name = kFileListName;
  const FinishResult r = FinishRun(list_name, input, boxes);
  EXPECT_EQ(r.outcome, FinishOutcome::kFiled);
  for (const UserMessage& box : boxes.messages) ADD_FAILURE() << box.caption << ": " << box.text;
  const std::string filed = ReadBytes(summary.File(kArchive));
  EXPECT_EQ(filed.substr(0, 33), GzipHeader("Vaultrine_FileList.txt"));
  EXPECT_EQ(Inflate(summary.File(kArchive)), list);
}

// ---- the status of the last backup -------------------------------------------------

class LastBackupOnAFaultyDisk : public ::testing::TestWithParam<FaultCase> {};

// A status the disk refuses is not written at all: the previous one stays whole, and
// no temporary is left beside it.
TEST_P(LastBackupOnAFaultyDisk, ThePreviousStatusStaysWhole) {
  SmallDisk disk(64);
  REQUIRE_SMALL_DISK(disk);
  const std::string folder = disk.File("Program");
  std::filesystem::create_directories(folder);
  const std::string path = folder + "/" + kLastBackupFileName;
  LastBackup previous;
  previous.when = BackupTime{2026, 12, 7, 9, 0};
  previous.outcome = BackupOutcome::kCompleted;
  previous.new_files = previous.modified_files = previous.obsolete_files = previous.errors = 0;
  ASSERT_TRUE(WriteLastBackup(path, previous));
  const std::string before = ReadBytes(path);
  LastBackup failed;
  failed.when = BackupTime{2026, 12, 8, 17, 55};
  failed.outcome = BackupOutcome::kFailed;
  failed.first_error = std::string(kFirstErrorMax, 'e');
  Inflict(GetParam().fault, disk, disk.File("Program"));

  EXPECT_FALSE(WriteLastBackup(path, failed));
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
  // The result window does not let the previous run pass for this one: it takes the
  // old status away where the disk lets it (a read-only folder does not).
  EXPECT_FALSE(LeaveLastBackup(path, failed));
  EXPECT_EQ(std::filesystem::exists(path), GetParam().fault == Fault::kReadOnly);

  Heal(GetParam().fault, disk, folder);
  EXPECT_TRUE(WriteLastBackup(path, failed));
  EXPECT_EQ(ReadBytes(path), ComposeLastBackup(failed));
}

// The status is far smaller than a page: a disk with a page left takes it whole, and
// a folder that is gone holds no previous status to keep.
const FaultCase kStatusFaults[] = {{"FullDisk", Fault::kFull}, {"ReadOnlyFolder", Fault::kReadOnly}};
INSTANTIATE_TEST_SUITE_P(Faults, LastBackupOnAFaultyDisk, ::testing::ValuesIn(kStatusFaults), PrintCase);

// ---- the restore library's list of restored files -------------------------------------

class RestoredListOnAFaultyDisk : public ::testing::TestWithParam<FaultCase> {};

// The engine reports every restored file whatever the disk does: what reached the
// list is whole lines, every file that did not is counted as lost and in no kind's
// count, and the notice says how many.
TEST_P(RestoredListOnAFaultyDisk, WhatIsListedIsWholeAndWhatIsNotIsCounted) {
  SmallDisk disk(64);
  REQUIRE_SMALL_DISK(disk);
  const std::string folder = disk.File("Restore");
  std::filesystem::create_directories(folder);
  const std::string path = folder + "/Revivalis_FileList.txt";
  Inflict(GetParam().fault, disk, folder);

  constexpr int kRecords = 400;
  restore::RestoredList list(path);
  std::string all = "\xEF\xBB\xBF";
  unsigned seed = 5;
  for (int i = 0; i < kRecords; ++i) {
    const char* kind = restore::kKinds[i % 4];
    const std::string name = NoisyName(seed);
    list.Record(kind, name);
    all += restore::RestoredListLine(kind, name);
  }
  list.Close();

  const std::string listed = ReadBytes(path);
  EXPECT_TRUE(WholeLinesOf(listed, all));
  const int lines = listed.empty() ? 0 : static_cast<int>(LinesIn(listed));
  EXPECT_GT(list.lost(), 0) << "the fault never bit";
  EXPECT_EQ(lines + list.lost(), kRecords);
  // The listed lines are the first ones, the kinds in turn.
  for (int kind = 0; kind < 4; ++kind) EXPECT_EQ(list.counts()[kind], (lines + 3 - kind) / 4) << kind;
  EXPECT_EQ(restore::IncompleteListNotice("%s restored files are missing.", list.lost()),
            std::to_string(list.lost()) + " restored files are missing.");

  // The disk well again: the next run lists everything.
  Heal(GetParam().fault, disk, folder);
  restore::RestoredList next(path);
  seed = 5;
  for (int i = 0; i < kRecords; ++i) EXPECT_TRUE(next.Record(restore::kKinds[i % 4], NoisyName(seed)));
  next.Close();
  EXPECT_EQ(ReadBytes(path), all);
  EXPECT_EQ(next.lost(), 0);
  EXPECT_EQ(next.counts(), (std::array<int, 4>{100, 100, 100, 100}));
}

INSTANTIATE_TEST_SUITE_P(Faults, RestoredListOnAFaultyDisk, ::testing::ValuesIn(kFaults), PrintCase);

// ---- the restore request ------------------------------------------------------------

class RequestFileOnAFaultyDisk : public ::testing::TestWithParam<FaultCase> {};

// The engine restores whatever the request names, so a request the disk cut short
// must not exist at all; once the disk is well the same request is written whole.
TEST_P(RequestFileOnAFaultyDisk, IsWholeOrAbsent) {
  SmallDisk disk(64);
  REQUIRE_SMALL_DISK(disk);
  const std::string folder = disk.File("Restore");
  std::filesystem::create_directories(folder);
  const std::string path = folder + "/DecryptList.txt";
  std::vector<std::string> entries;
  for (int i = 0; i < 150; ++i) entries.push_back("E:\\Sauvegarde\\C\\Users\\anne\\Documents\\dossier " + std::to_string(i));
  const std::string bytes = restore::RequestFileBytes("s3cr\xC3\xA9t", "D:\\000_Revivalis", entries);
  ASSERT_GT(bytes.size(), 4096u);
  Inflict(GetParam().fault, disk, folder);

  EXPECT_FALSE(restore::WriteRequestFile(path, bytes));
  EXPECT_FALSE(std::filesystem::exists(path));

  Heal(GetParam().fault, disk, folder);
  EXPECT_TRUE(restore::WriteRequestFile(path, bytes));
  EXPECT_EQ(ReadBytes(path), bytes);
  // A file already there is not ours to replace, nor to remove.
  EXPECT_FALSE(restore::WriteRequestFile(path, "other"));
  EXPECT_EQ(ReadBytes(path), bytes);
}

INSTANTIATE_TEST_SUITE_P(Faults, RequestFileOnAFaultyDisk, ::testing::ValuesIn(kFaults), PrintCase);

}  // namespace
}  // namespace vaultrine
#endif
