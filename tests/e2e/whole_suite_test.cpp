// The whole suite with the stand-in engines, as a user goes through it: the parameter
// file made in the editor from the advanced template, a backup from the launcher, its
// details archive, a second backup after a deletion, the obsolete report, a restore
// through the request dialog, and the language switched and back. Only windows,
// control ids and files are used.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "common/win/wide.h"
#include "backup_support/resource.h"
#include "config_editor/resource.h"
#include "launcher/resource.h"
#include "led_indicator/resource.h"
#include "restore_support/resource.h"
#include "tests/e2e/suite_driver.h"
#include "tests/ui/config_editor/page_driver.h"
#include "tests/ui/helpers/wine_drives.h"

namespace vaultrine::uitest {
namespace {

using win::ToWide;

const std::string kMark = "\xEF\xBB\xBF";
// Short on purpose: the backup library keeps 64 characters of the database path.
const std::string kRoot = "C:\\VltE2E";
const std::string kProgram = kRoot + "\\Program";
const std::string kSource = kRoot + "\\Source";
const std::string kSummary = kRoot + "\\Summary";
const std::string kRestored = kRoot + "\\Restored";
const std::string kDisc = kRoot + "\\Disc";
const char kDrive = 'V';
const std::string kBackups = std::string(1, kDrive) + ":\\Backups";
const std::string kKey = "cl\xC3\xA9" "e2e";
const std::string kCatalog = kProgram + "\\locale\\gui\\LC_MESSAGES\\vaultrine.mo";

const std::string kDash = " \xE2\x80\x94 ";
const std::string kEllipsis = "\xE2\x80\xA6";

std::string ReplacedOnce(std::string text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find("\r\n", start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

// The lines of the failure window's list, for the message of a failed wait.
std::string FailureLines(int list_id) {
  HWND window = FindWindowHolding({list_id});
  std::string text;
  if (window) {
    for (const std::string& line : ListBoxEntries(GetDlgItem(window, list_id))) text += line + "\n";
  }
  return text;
}

// The status the backup library left in the program folder, less its date, which is
// returned as the launcher shows it (DD/MM/YYYY HH:MM) once checked to be this run's.
std::string StatusWithoutDate(std::string& shown_date) {
  std::string status = ReadFileBytes(kProgram + "\\Vaultrine_LastBackup.txt");
  const size_t at = status.find("date=");
  if (at == std::string::npos || status.size() < at + 23) return status;
  const std::string date = status.substr(at + 5, 16);  // YYYY-MM-DD HH:MM
  shown_date = date.substr(8, 2) + "/" + date.substr(5, 2) + "/" + date.substr(0, 4) + date.substr(10);
  SYSTEMTIME then{}, now{};
  then.wYear = static_cast<WORD>(std::stoi(date.substr(0, 4)));
  then.wMonth = static_cast<WORD>(std::stoi(date.substr(5, 2)));
  then.wDay = static_cast<WORD>(std::stoi(date.substr(8, 2)));
  then.wHour = static_cast<WORD>(std::stoi(date.substr(11, 2)));
  then.wMinute = static_cast<WORD>(std::stoi(date.substr(14, 2)));
  GetLocalTime(&now);
  FILETIME a{}, b{};
  SystemTimeToFileTime(&then, &a);
  SystemTimeToFileTime(&now, &b);
  const auto ticks = [](FILETIME f) { return (static_cast<long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime; };
  const long long minutes = (ticks(b) - ticks(a)) / 600000000LL;
  EXPECT_TRUE(minutes >= 0 && minutes <= 10) << "the status of this run, in local time: " << date;
  return status.erase(at, 23);  // "date=" and the date, CR LF
}

// The launcher's line once it says `full`, or as much of it as its place holds and "…".
void ExpectLastBackupLine(const LauncherDriver& launcher, const std::string& full) {
  HWND line = GetDlgItem(launcher.main(), IDC_LAST_BACKUP);
  std::string shown;
  const auto says_it = [&] {
    shown = TextOf(line);
    if (shown == full) return true;
    const size_t kept = shown.size() - std::min(shown.size(), kEllipsis.size());
    return shown.size() > kEllipsis.size() + 20 && shown.substr(kept) == kEllipsis && full.rfind(shown.substr(0, kept), 0) == 0;
  };
  EXPECT_TRUE(WaitUntil(says_it, 10000)) << "shown: " << shown << "\nwanted: " << full;
}

// The file lines a backup records for these sources, in any order.
std::vector<std::string> Sorted(std::vector<std::string> lines) {
  std::sort(lines.begin(), lines.end());
  return lines;
}

// The sources the backups take; "locked.doc" is held open during the first one.
const std::vector<std::pair<std::string, std::string>> kSources = {
    {"Letters\\anne.txt", "Dear Anne,\r\n"},
    {"Letters\\rapport \xC3\xA9t\xC3\xA9.txt", "Rapport d'\xC3\xA9t\xC3\xA9\r\n"},
    {"budget.csv", "Budget;2026\r\n"},
    {"locked.doc", std::string(3000, 'L')},
    {"Notes\\old.txt", "soon gone"},
};
const std::string kParameterFile = kProgram + "\\Vaultrine.ini";
// The file the second backup finds obsolete, where the backup holds it.
const std::string kGone = kBackups + "\\C" + kSource.substr(2) + "\\Notes\\old.txt";

// One scenario, one stage per test, in order: each stage works on what the ones
// before it left (the program folder, the parameter file, the backups, the running
// launcher), and a stage that fails does not keep the later ones from being run
// and reported.
class WholeSuite : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RemoveTree(kRoot);
    ready_ = AssembleProgramFolder(kProgram) &&
             // The suite starts in English: the catalog as the launcher parks it.
             MoveFileW(ToWide(kCatalog).c_str(), ToWide(kCatalog + ".EN").c_str());
    CreateDirectoryW(ToWide(kSource).c_str(), nullptr);
    for (const auto& [name, bytes] : kSources) {
      const std::string path = kSource + "\\" + name;
      CreateDirectoryW(ToWide(path.substr(0, path.find_last_of('\\'))).c_str(), nullptr);
      WriteFileBytes(path, bytes);
    }
    for (const std::string& f : {kSummary, kDisc, kDisc + "\\Backups"}) CreateDirectoryW(ToWide(f).c_str(), nullptr);
    drive_ = std::make_unique<WineDrive>(kDrive, kDisc, "BACKUP1");
  }
  static void TearDownTestSuite() {
    launcher_.reset();
    drive_.reset();
    if (!DemoMode()) RemoveTree(kRoot);
  }
  void SetUp() override {
    ASSERT_TRUE(ready_) << "the program folder could not be assembled";
    ASSERT_TRUE(drive_->ok());
  }
  // The launcher the backup stage started, still running.
  static bool LauncherUp() { return launcher_ && IsWindow(launcher_->main()); }

  // A backup from the launcher up to its success window, whose new and obsolete
  // counts are read before OK; the launcher is back afterwards.
  // With `task_report`, the window's obsolete list of the task is opened first (in Notepad,
  // closed again) and the report it wrote is kept there.
  void BackUp(LauncherDriver& launcher, const std::string& shot, std::string& new_count, std::string& obsolete_count,
              std::string* task_report = nullptr) {
    launcher.Click(LauncherDriver::kBackup.x, LauncherDriver::kBackup.y);
    HWND window = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (window = FindWindowHolding({IDC_NEW_COUNT, IDC_SUCCESS_OK})) || FindWindowHolding({IDC_ERROR_LIST}); }, 60000))
        << DesktopWindows();
    ASSERT_TRUE(window) << "the failure window came: " << FailureLines(IDC_ERROR_LIST);
    new_count = TextOf(GetDlgItem(window, IDC_NEW_COUNT));
    obsolete_count = TextOf(GetDlgItem(window, IDC_OBSOLETE_COUNT));
    Shot(shot, window);
    if (task_report) {
      *task_report = ReportInNotepad(
          [&] { PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_SHOW_OBSOLETE, BN_CLICKED), 0); }, shot + "-task-report");
    }
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDC_SUCCESS_OK, BN_CLICKED), 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window); }));
    ASSERT_TRUE(launcher.WaitRestored());
  }

  // The obsolete report that `open` asks for: read while Notepad shows it, then Notepad
  // is closed.
  static std::string ReportInNotepad(const std::function<void()>& open, const std::string& shot) {
    const std::string report = kProgram + "\\Lapsarium_FileList.txt";
    DeleteFileW(ToWide(report).c_str());
    open();
    HWND notepad = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (notepad = FindWindowW(L"Notepad", nullptr)) != nullptr; }, 30000))
        << DesktopWindows();
    const std::string bytes = ReadFileBytes(report);
    Shot(shot, notepad);
    PostMessageW(notepad, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(notepad); }));
    return bytes;
  }

  // The obsolete report from the launcher; the launcher is back afterwards.
  std::string ObsoleteReport(LauncherDriver& launcher, const std::string& shot) {
    const std::string bytes =
        ReportInNotepad([&] { launcher.Click(LauncherDriver::kObsolete.x, LauncherDriver::kObsolete.y); }, shot);
    EXPECT_TRUE(launcher.WaitRestored());
    return bytes;
  }

  static inline bool ready_ = false;
  static inline std::unique_ptr<WineDrive> drive_;
  static inline std::unique_ptr<LauncherDriver> launcher_;
  static inline std::string date_;  // of the last backup, as the launcher shows it
};

TEST_F(WholeSuite, EditorMakesTheParameterFileFromTheAdvancedTemplate) {
  const std::string& parameter_file = kParameterFile;
  {
    EditorDriver editor(kProgram);
    ASSERT_TRUE(editor.Start());
    PageDriver pages(editor);
    ASSERT_TRUE(pages.NewAdvancedFile(parameter_file));
    Shot("editor-file", editor.main());
    ASSERT_TRUE(pages.Go(kGeneralTab, IDC_DELAY));
    HWND page = editor.page();
    for (const auto& [id, text] : std::vector<std::pair<int, std::string>>{
             {IDC_DESTINATION, kBackups}, {IDC_VOLUME, "BACKUP1"}, {IDC_DELAY, "90"}, {IDC_KEY, kKey}, {IDC_SUMMARY, kSummary},
             {IDC_RESTORE, kRestored + "\\"}})
      PageDriver::Type(page, id, text);
    Shot("editor-general", editor.main());
    // The template's first folder becomes the source folder.
    ASSERT_TRUE(pages.Go(kIncludePage));
    HWND dialog = pages.Open(kIncludePage, 0);
    ASSERT_TRUE(dialog);
    PageDriver::Type(dialog, kIncludePage.value, kSource + "\\");
    Shot("editor-include-rule", dialog);
    ASSERT_TRUE(PageDriver::End(dialog, kIncludePage.validate));
    Shot("editor-include", editor.main());
    EXPECT_EQ(pages.CloseSaving(), 0);
  }
  std::string expected = ReadFileBytes(kProgram + "\\High_Template_TSN.tsn");
  expected = ReplacedOnce(expected, "obsolete=180d\r\ncryptkey=\r\nsummary=\"C:\\Users\\Public\\Documents\"",
                          "obsolete=90d\r\ncryptkey=" + kKey + "\r\nsummary=\"" + kSummary + "\"");
  expected = ReplacedOnce(expected, "[include]\r\n\"C:\\Users\\\"", "[include]\r\n\"" + kSource + "\\\"");
  expected = ReplacedOnce(expected, "\"E:\\Vaultrine\" ,name=VAULTRINE1 , search",
                          "\"" + kBackups + "\" ,name=BACKUP1 , search");
  expected = ReplacedOnce(expected, "[restore]\r\nC:\\000_Revivalis\\", "[restore]\r\n" + kRestored + "\\");
  EXPECT_EQ(ReadFileBytes(parameter_file), expected);
}

// One file held open by another program is an error.
TEST_F(WholeSuite, FirstBackupFromTheLauncher) {
  // The demo slows the restore stand-in so its progress window can be seen.
  if (DemoMode()) SetEnvironmentVariableW(L"VAULTRINE_STANDIN_PAUSE_MS", L"4000");
  launcher_ = std::make_unique<LauncherDriver>(kProgram);
  LauncherDriver& launcher = *launcher_;
  ASSERT_TRUE(launcher.Start());
  EXPECT_EQ(launcher.LanguageShown(), 0);
  EXPECT_EQ(TextOf(GetDlgItem(launcher.main(), IDC_LAST_BACKUP)), "No backup yet");
  Shot("launcher-en", launcher.main());

  std::string new_count, obsolete_count;
  {
    HANDLE held = CreateFileW(ToWide(kSource + "\\locked.doc").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    BackUp(launcher, "backup-success", new_count, obsolete_count);
    CloseHandle(held);
  }
  std::vector<std::string> recorded;
  for (const auto& [name, bytes] : kSources) {
    if (name != "locked.doc") recorded.push_back("new: " + kSource + "\\" + name);
  }
  EXPECT_EQ(new_count, std::to_string(recorded.size()));
  EXPECT_EQ(obsolete_count, "0");
  // The run left its status beside the lists, and the launcher, back, says it.
  std::string& date = date_;
  EXPECT_EQ(StatusWithoutDate(date), kMark + "[last backup]\r\noutcome=completed\r\nnew=" + new_count +
                                         "\r\nmodified=0\r\nobsolete=0\r\nerrors=1\r\nfirst error=" +
                                         Lines(ReadFileBytes(kProgram + "\\Vaultrine_ErrorList.txt").substr(3))[0] +
                                         "\r\n");
  ExpectLastBackupLine(launcher, "Last backup: " + date + kDash + "completed with 1 error (" + new_count +
                                     " new, 0 modified, 0 obsolete)");
  Shot("launcher-after-first-backup", launcher.main());
  const std::string list = ReadFileBytes(kProgram + "\\Vaultrine_FileList.txt");
  ASSERT_EQ(list.substr(0, 3), kMark);
  EXPECT_EQ(Sorted(Lines(list.substr(3))), Sorted(recorded));
  const std::string errors = ReadFileBytes(kProgram + "\\Vaultrine_ErrorList.txt");
  ASSERT_EQ(errors.substr(0, 3), kMark);
  ASSERT_EQ(Lines(errors.substr(3)).size(), 1u) << errors;
  EXPECT_NE(errors.find(kSource + "\\locked.doc"), std::string::npos) << errors;
  for (const auto& [name, bytes] : kSources) {
    const std::string copy = kDisc + "\\Backups\\C" + kSource.substr(2) + "\\" + name;
    EXPECT_EQ(FileExists(copy), name != "locked.doc") << copy;
    if (name != "locked.doc") {
      EXPECT_EQ(ReadFileBytes(copy), bytes) << copy;
    }
  }
  // OK sent the list, compressed, to the summary folder.
  const std::vector<std::string> summary = FilesBelow(kSummary);
  ASSERT_EQ(summary.size(), 1u);
  EXPECT_EQ(summary[0].substr(summary[0].size() - 11), "_Details.gz");
  const std::string archive = ReadFileBytes(kSummary + "\\" + summary[0]);
  EXPECT_EQ(archive.substr(10, 23), std::string("Vaultrine_FileList.txt") + '\0');
  std::string unpacked;
  EXPECT_TRUE(Gunzip(archive, unpacked));
  EXPECT_EQ(unpacked, list);
}

// One obsolete file, listed by the success window for this task.
TEST_F(WholeSuite, SecondBackupAfterADeletion) {
  ASSERT_TRUE(LauncherUp());
  LauncherDriver& launcher = *launcher_;
  std::string new_count, obsolete_count;
  std::string& date = date_;
  ASSERT_TRUE(DeleteFileW(ToWide(kSource + "\\Notes\\old.txt").c_str()));
  std::string task_report;
  BackUp(launcher, "backup-success-obsolete", new_count, obsolete_count, &task_report);
  EXPECT_EQ(new_count, "1") << "the file held open the first time";
  EXPECT_EQ(obsolete_count, "1");
  EXPECT_EQ(StatusWithoutDate(date), kMark + "[last backup]\r\noutcome=completed\r\nnew=1\r\nmodified=0\r\n"
                                             "obsolete=1\r\nerrors=0\r\nfirst error=\r\n");
  ExpectLastBackupLine(launcher, "Last backup: " + date + kDash + "completed (1 new, 0 modified, 1 obsolete)");
  Shot("launcher-after-second-backup", launcher.main());
  // The success window's list: this task's rows only, without a heading.
  EXPECT_EQ(task_report, kMark + "0\t" + kGone + "\r\n");
}

TEST_F(WholeSuite, ObsoleteReportFromTheLauncher) {
  ASSERT_TRUE(LauncherUp());
  EXPECT_EQ(ObsoleteReport(*launcher_, "obsolete-report-en"),
            kMark + "Days \tObsolete files    \r\n=====\t==================\r\n\r\n0\t" + kGone + "\r\n");
}

// One folder chosen in the request dialog.
TEST_F(WholeSuite, RestoreThroughTheRequestDialog) {
  ASSERT_TRUE(LauncherUp());
  LauncherDriver& launcher = *launcher_;
  const std::string letters = kBackups + "\\C" + kSource.substr(2) + "\\Letters\\";
  {
    launcher.Click(LauncherDriver::kRestore.x, LauncherDriver::kRestore.y);
    HWND request = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (request = FindWindowHolding({IDC_REQUEST_LIST, IDM_START_RESTORE})) != nullptr; }, 30000))
        << DesktopWindows();
    DWORD engine_id = 0;
    GetWindowThreadProcessId(request, &engine_id);
    HANDLE engine = OpenProcess(PROCESS_ALL_ACCESS, FALSE, engine_id);
    ASSERT_TRUE(engine);
    EXPECT_EQ(PageDriver::Field(request, IDC_BACKUP_DESTINATION), kBackups) << "the drive labelled BACKUP1";
    EXPECT_EQ(PageDriver::Field(request, IDC_RESTORE_FOLDER), kRestored + "\\");
    EXPECT_EQ(PageDriver::Field(request, IDC_REQUEST_KEY), kKey);
    {
      FolderChooserAnswerer chooser(ToWide(letters.substr(0, letters.size() - 1)), false, engine);
      PageDriver::Press(request, IDM_ADD_FOLDER);
      EXPECT_TRUE(chooser.Join());
    }
    EXPECT_TRUE(WaitUntil([&] { return ListBoxEntries(GetDlgItem(request, IDC_REQUEST_LIST)).size() == 1; }));
    Shot("restore-request", request);
    PageDriver::Press(request, IDM_START_RESTORE);
    if (DemoMode()) {
      // The stand-in was slowed for the demo: the progress window, once its gauge has
      // moved, with the LED blinking over its corner.
      HWND progress = nullptr;
      if (WaitUntil([&] {
            progress = FindWindowHolding({IDC_PROGRESS_BAR, IDC_PROGRESS_NOTE});
            const std::string percent = progress ? TextOf(GetDlgItem(progress, IDC_PROGRESS_PERCENT)) : "";
            return !percent.empty() && percent[0] != '0' && FindWindowHolding({IDC_LED_CLOCK_AREA, IDC_LED_BACKGROUND});
          }, 20000)) {
        Sleep(1500);  // the LEDs light after a second
        HWND led = FindWindowHolding({IDC_LED_CLOCK_AREA, IDC_LED_BACKGROUND});
        // Wine raises the X window of the progress window above the other process's
        // topmost LED when the request dialog hands it the activation (Windows keeps
        // the LED above): the LED is moved out of the topmost band and back, which
        // restacks it, so that the picture shows what a Windows user sees.
        SetWindowPos(led, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        SetWindowPos(led, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        Shot("restore-progress", {progress, led});
      }
    }
    HWND result = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
      return (result = FindWindowHolding({IDC_STANDARD_COUNT, IDM_SUCCESS_OK})) || FindWindowHolding({IDC_RESTORE_ERROR_LIST});
    }, 60000)) << DesktopWindows();
    ASSERT_TRUE(result) << "the restore failed: " << FailureLines(IDC_RESTORE_ERROR_LIST);
    const auto in_letters = std::count_if(kSources.begin(), kSources.end(),
                                          [](const auto& s) { return s.first.rfind("Letters\\", 0) == 0; });
    EXPECT_EQ(TextOf(GetDlgItem(result, IDC_STANDARD_COUNT)), std::to_string(in_letters));
    Shot("restore-success", result);
    PageDriver::Press(result, IDM_SUCCESS_OK);
    EXPECT_EQ(WaitForSingleObject(engine, 20000), static_cast<DWORD>(WAIT_OBJECT_0));
    CloseHandle(engine);
    ASSERT_TRUE(launcher.WaitRestored());
  }
  EXPECT_EQ(ReadFileBytes(kProgram + "\\DecryptList.txt"),
            kMark + "key=" + kKey + "\r\ndestination=" + kRestored + "\\\r\n" + letters + "\r\n");
  const std::string restored_list = ReadFileBytes(kProgram + "\\Revivalis_FileList.txt");
  for (const auto& [name, bytes] : kSources) {
    const bool chosen = name.rfind("Letters\\", 0) == 0;
    EXPECT_EQ(FileExists(kRestored + "\\" + name), chosen) << name;
    if (!chosen) continue;
    EXPECT_EQ(ReadFileBytes(kRestored + "\\" + name), bytes) << name;
    EXPECT_NE(restored_list.find(kRestored + "\\" + name + "\r\n"), std::string::npos) << restored_list;
  }
}

// French chosen in the launcher; the launcher, the editor and the report again; English back.
TEST_F(WholeSuite, LanguageSwitchedAndBack) {
  ASSERT_TRUE(LauncherUp());
  LauncherDriver& launcher = *launcher_;
  const std::string& parameter_file = kParameterFile;
  const std::string& date = date_;
  launcher.ChooseLanguage(1);
  EXPECT_TRUE(WaitUntil([&] { return FileExists(kCatalog) && !FileExists(kCatalog + ".EN"); }));
  EXPECT_TRUE(WaitUntil([&] { return launcher.LabelVisible(IDC_BACKUP_FR) && !launcher.LabelVisible(IDC_BACKUP_EN); }));
  EXPECT_EQ(launcher.Close(), 0);
  launcher_.reset();
  LauncherDriver french(kProgram);
  ASSERT_TRUE(french.Start());
  EXPECT_EQ(french.LanguageShown(), 1);
  EXPECT_TRUE(french.LabelVisible(IDC_BACKUP_FR));
  ExpectLastBackupLine(french, "Derni\xC3\xA8re sauvegarde : " + date + kDash +
                                   "termin\xC3\xA9" "e (1 nouveau, 0 modifi\xC3\xA9, 1 p\xC3\xA9rim\xC3\xA9)");
  Shot("launcher-fr", french.main());
  {
    // The editor, started from the launcher, speaks French too; saved untouched, the
    // parameter file keeps its bytes.
    const std::string before = ReadFileBytes(parameter_file);
    french.Click(LauncherDriver::kConfigure.x, LauncherDriver::kConfigure.y);
    EditorDriver editor(kProgram);
    ASSERT_TRUE(editor.Attach()) << DesktopWindows();
    PageDriver pages(editor);
    ASSERT_TRUE(pages.Go(kGeneralTab, IDC_DELAY));
    EXPECT_EQ(TextOf(GetDlgItem(editor.page(), IDC_GENERAL_GROUP)), "Param\xC3\xA8tres g\xC3\xA9n\xC3\xA9raux de la sauvegarde");
    EXPECT_EQ(PageDriver::Field(editor.page(), IDC_DELAY), "90");
    Shot("editor-general-fr", editor.main());
    EXPECT_EQ(pages.CloseSaving(), 0);
    EXPECT_EQ(ReadFileBytes(parameter_file), before);
    EXPECT_TRUE(french.WaitRestored());
  }
  EXPECT_EQ(ObsoleteReport(french, "obsolete-report-fr"),
            kMark + "Jours\tFichiers obsoletes\r\n=====\t==================\r\n\r\n0\t" + kGone + "\r\n");
  french.ChooseLanguage(0);
  EXPECT_TRUE(WaitUntil([&] { return !FileExists(kCatalog) && FileExists(kCatalog + ".EN"); }));
  EXPECT_TRUE(WaitUntil([&] { return french.LabelVisible(IDC_BACKUP_EN); }));
  EXPECT_EQ(french.Close(), 0);
}

}  // namespace
}  // namespace vaultrine::uitest
