// The success window as the engine shows it: the lists recorded through
// RecordFilenames, DisplayGoodResult blocking its caller while a driver thread
// reads the window, presses its buttons (a stand-in Notepad in the current folder
// records how it was started) and closes it; OK files the details archive.
#include <windows.h>

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "common/win/wide.h"
#include "tests/ui/backup_support/result_window_support.h"
#include "tests/ui/helpers/ui_support.h"

namespace vaultrine::uitest {
namespace {

using win::FromWide;
using win::ToWide;

constexpr COLORREF kGreen = RGB(0, 183, 0);
const std::string kMark = "\xEF\xBB\xBF";

// Slot id, UTF-8 text given, text expected in the control of the same id.
const struct {
  int id;
  const char* text;
} kSlots[] = {
    {IDC_SHOW_FILE_LIST, "Voir la liste"},
    {IDC_SHOW_OBSOLETE, "Voir"},
    {IDC_DATE_LABEL, "Date sauvegarde"},
    {IDC_COUNTS_GROUP, "Nombre de fichiers trait\xC3\xA9s depuis la derni\xC3\xA8re sauvegarde"},
    {IDC_NEW_LABEL, "Nouveaux"},
    {IDC_MODIFIED_LABEL, "Modifi\xC3\xA9s"},
    {IDC_OBSOLETE_LABEL, "Obsol\xC3\xA8tes"},
    {IDC_SIZES_GROUP, "Taille des fichiers sauvegard\xC3\xA9s"},
    {IDC_NEW_SIZE_LABEL, "Nouveaux"},
    {IDC_MODIFIED_SIZE_LABEL, "Modifi\xC3\xA9s"},
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t pos = 0;
  for (size_t end; (end = text.find("\r\n", pos)) != std::string::npos; pos = end + 2)
    lines.push_back(text.substr(pos, end - pos));
  return lines;
}

std::vector<std::string> FilesIn(const std::string& folder, const wchar_t* pattern) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW fd;
  HANDLE h = FindFirstFileW((ToWide(folder) + L"\\" + pattern).c_str(), &fd);
  if (h == INVALID_HANDLE_VALUE) return names;
  do names.push_back(FromWide(fd.cFileName)); while (FindNextFileW(h, &fd));
  FindClose(h);
  return names;
}

std::string ComputerName() {
  wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  GetComputerNameW(name, &size);
  return FromWide(std::wstring(name, size));
}

// <computer>_DD-MM-YY_HH-MM_Details.gz
bool IsArchiveName(const std::string& name) {
  const std::string prefix = ComputerName() + "_", suffix = "_Details.gz";
  if (name.size() != prefix.size() + 14 + suffix.size() || name.rfind(prefix, 0) != 0 ||
      name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
    return false;
  const std::string stamp = name.substr(prefix.size(), 14);
  for (size_t i = 0; i < stamp.size(); ++i) {
    const char want = (i == 2 || i == 5 || i == 11) ? '-' : i == 8 ? '_' : '9';
    if (want == '9' ? !isdigit(static_cast<unsigned char>(stamp[i])) : stamp[i] != want) return false;
  }
  return true;
}

std::string Inflate(const std::string& path) {
  gzFile in = gzopen_w(ToWide(path).c_str(), "rb");
  if (!in) return "<cannot open>";
  std::string out;
  char buf[4096];
  int n;
  while ((n = gzread(in, buf, sizeof buf)) > 0) out.append(buf, n);
  gzclose(in);
  return out;
}

class SuccessWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t old[MAX_PATH];
    GetCurrentDirectoryW(MAX_PATH, old);
    old_dir_ = old;
    ASSERT_TRUE(SetCurrentDirectoryW(ToWide(scratch_.path()).c_str()));
    ASSERT_TRUE(CopyFileTo(BinFolder() + "\\stand_in_program.exe", scratch_.File("Notepad.exe")));
    SetStandInMarker(marker());
    CreateDirectoryW(ToWide(scratch_.File("summary")).c_str(), nullptr);
    WriteFileBytes(scratch_.File("Vaultrine.ini"),
                   kMark + "[general]\r\nsummary=\"" + scratch_.File("summary") + "\"\r\n");
  }
  void TearDown() override {
    SetStandInMarker("");
    SetCurrentDirectoryW(old_dir_.c_str());
  }
  std::string marker() const { return scratch_.File("notepad-ran.txt"); }
  std::string task() const { return scratch_.File("Vaultrine.ini") + "-1"; }
  void SetSlots(BackupLibraryRun& run) {
    for (const auto& s : kSlots) run.get_translated_text(s.text, s.id);
    run.get_translated_text("2 erreurs", 9001);
  }
  // Posts the command and waits for Notepad's start to be recorded.
  bool PressAndWaitForNotepad(HWND w, int id, size_t starts) {
    PostMessageW(w, WM_COMMAND, id, 0);
    return WaitUntil([&] { return Lines(ReadFileBytes(marker())).size() >= starts; });
  }

  ScratchFolder scratch_;
  std::wstring old_dir_;
};

// The green headline on the banner, cut after 48 characters; the error notice in
// black on the alarm button when errors were recorded.
void CheckDrawing(HWND w, const std::string& headline, bool notice) {
  ExpectHeadline(w, headline, kGreen);
  const auto black = [](COLORREF px) { return NearColour(px, RGB(0, 0, 0), 60); };
  const POINT alarm = DialogPixels(w, 29, 135);
  const RECT notice_area{alarm.x + 5, alarm.y + 6, alarm.x + 67, alarm.y + 19};
  if (notice) {
    EXPECT_TRUE(WaitUntil([&] { return CountPixels(w, notice_area, black) > 10; })) << "error notice drawn";
  } else {
    EXPECT_EQ(CountPixels(w, notice_area, black), 0) << "no error notice";
  }
}

TEST_F(SuccessWindow, QuietRunHidesItsButtonsAndClosingWithoutOkFilesNothing) {
  BackupLibraryRun run;
  ASSERT_TRUE(run.ok());
  SetSlots(run);
  // An engine window that came back after the load: the window's refresh pushes it away.
  HWND engine = CreateWindowExW(0, L"STATIC", L"C:\\Vaultrine\\Vaultrine.exe", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                20, 20, 300, 100, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_FALSE(IsIconic(engine));
  run.record("Nouveau", "C:/a.txt");
  const std::string headline = std::string(48, '\'') + std::string(12, 'W');
  bool checked = false;
  WindowDriver driver(L"Sauvegarde - calme", [&](HWND w) {
    EXPECT_TRUE(WaitUntil([&] { return FocusOf(w) == GetDlgItem(w, IDC_FOCUS_SINK); })) << "focus on the hidden edit";
    const struct {
      int id;
      std::string text;
    } controls[] = {{IDC_DATE, "06/12/2026 17:45"}, {IDC_NEW_COUNT, "0"},  {IDC_MODIFIED_COUNT, "0"},
                    {IDC_OBSOLETE_COUNT, "abc"},          {IDC_NEW_SIZE, "0  bytes"}, {IDC_MODIFIED_SIZE, "1234 K bytes"}};
    for (const auto& c : controls) EXPECT_EQ(ItemText(w, c.id), c.text) << c.id;
    for (const auto& s : kSlots) EXPECT_EQ(ItemText(w, s.id), s.text) << s.id;
    EXPECT_FALSE(ItemVisible(w, IDC_SHOW_FILE_LIST)) << "0 new and 0 modified";
    EXPECT_FALSE(ItemVisible(w, IDC_SHOW_OBSOLETE)) << "\"abc\" obsolete counts as 0";
    EXPECT_FALSE(ItemVisible(w, IDC_SHOW_ERRORS)) << "no error recorded";
    CheckDrawing(w, headline, false);
    EXPECT_TRUE(IsIconic(engine));
    PostMessageW(w, WM_COMMAND, IDCANCEL, 0);  // the Esc key
    checked = true;
  });
  run.display_good("Sauvegarde - calme", headline.c_str(), "06/12/2026 17:45", "0", "abc", "0", "0", "1234K",
                   L"C:\\nowhere.sqlite", task().c_str());
  EXPECT_TRUE(driver.Join());
  EXPECT_TRUE(checked);
  EXPECT_TRUE(FilesIn(scratch_.path(), L"*_Details.gz").empty());
  EXPECT_TRUE(FilesIn(scratch_.File("summary"), L"*").size() == 2) << "only . and ..";
  EXPECT_EQ(ReadFileBytes(scratch_.File("Vaultrine_FileList.txt")), kMark + "Nouveau: C:\\a.txt\r\n");
  EXPECT_FALSE(FileExists(marker()));
  DestroyWindow(engine);
}

TEST_F(SuccessWindow, BusyRunOpensItsListsAndOkFilesTheArchive) {
  // A database path of 70 UTF-16 units whose first 64 name the real database: the
  // report only finds its row when the path was cut at 64.
  const std::string folder = "C:\\vr" + std::to_string(GetCurrentProcessId());
  CreateDirectoryW(ToWide(folder).c_str(), nullptr);
  const std::string database = folder + "\\" + std::string(64 - folder.size() - 1 - 7, 'd') + ".sqlite";
  ASSERT_EQ(database.size(), 64u);
  // Wine reuses process ids: a run that failed half-way may have left this database.
  DeleteFileW(ToWide(database).c_str());
  {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open(database.c_str(), &db), SQLITE_OK);
    const std::string sql = "CREATE TABLE dest (destpath TEXT, otime INTEGER, isobsolete INTEGER, task TEXT);"
                            "INSERT INTO dest VALUES ('F:/old/report.odt', 0, 1, '" + task() + "');";
    ASSERT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
  }

  BackupLibraryRun run;
  ASSERT_TRUE(run.ok());
  SetSlots(run);
  run.record("Nouveau", "C:/Users/anne/rapport \xC3\xA9t\xC3\xA9.odt");
  run.record("@Erreur", "C:/locked.pst");
  run.record("Modifi\xC3\xA9", "C:/Users/anne/budget.ods");
  run.record("@Erreur", "C:/gone.txt");
  const std::string list = ReadFileBytes(scratch_.File("Vaultrine_FileList.txt"));
  EXPECT_EQ(Lines(list).size(), 2u);

  const std::string headline = "Sauvegarde termin\xC3\xA9" "e";
  bool checked = false;
  WindowDriver driver(L"Sauvegarde - active", [&](HWND w) {
    EXPECT_TRUE(ItemVisible(w, IDC_SHOW_FILE_LIST)) << "0 new and 5 modified";
    EXPECT_TRUE(ItemVisible(w, IDC_SHOW_OBSOLETE));
    EXPECT_TRUE(ItemVisible(w, IDC_SHOW_ERRORS));
    RECT alarm{};
    GetWindowRect(GetDlgItem(w, IDC_SHOW_ERRORS), &alarm);
    EXPECT_EQ(alarm.right - alarm.left, 107) << "sized to its pictures";
    EXPECT_EQ(alarm.bottom - alarm.top, 24);
    CheckDrawing(w, headline, true);
    SaveShotIfAsked(w, "backup-success");

    EXPECT_TRUE(PressAndWaitForNotepad(w, IDC_SHOW_FILE_LIST, 1));
    EXPECT_TRUE(PressAndWaitForNotepad(w, IDC_SHOW_ERRORS, 2));
    EXPECT_TRUE(PressAndWaitForNotepad(w, IDC_SHOW_OBSOLETE, 3));
    PostMessageW(w, WM_COMMAND, IDC_SUCCESS_OK, 0);
    checked = true;
  });
  std::wstring database_arg = ToWide(database) + L"ZZZZZZ";
  run.display_good("Sauvegarde - active", headline.c_str(), "06/12/2026 17:45", "0", "3", "5", "0", "98765M",
                   database_arg.c_str(), task().c_str());
  EXPECT_TRUE(driver.Join());
  EXPECT_TRUE(checked);

  const std::vector<std::string> started = Lines(ReadFileBytes(marker()));
  const std::vector<std::string> expected = {scratch_.path() + "|Notepad.exe Vaultrine_FileList.txt",
                                             scratch_.path() + "|Notepad.exe Vaultrine_ErrorList.txt",
                                             scratch_.path() + "|Notepad.exe Lapsarium_FileList.txt"};
  EXPECT_EQ(started, expected);
  EXPECT_NE(ReadFileBytes(scratch_.File("Lapsarium_FileList.txt")).find("F:\\old\\report.odt"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(scratch_.File("Vaultrine_ErrorList.txt")),
            kMark + "Erreur: C:\\locked.pst\r\nErreur: C:\\gone.txt\r\n");

  // OK: compressed under its own name, named after the computer and the minute,
  // filed in the summary folder, and no copy left behind.
  const std::vector<std::string> filed = FilesIn(scratch_.File("summary"), L"*_Details.gz");
  ASSERT_EQ(filed.size(), 1u);
  EXPECT_TRUE(IsArchiveName(filed[0])) << filed[0];
  const std::string archive = ReadFileBytes(scratch_.File("summary") + "\\" + filed[0]);
  EXPECT_EQ(archive.substr(0, 33), std::string("\x1F\x8B\x08\x08\0\0\0\0\0\x0B" "Vaultrine_FileList.txt", 33));
  EXPECT_EQ(Inflate(scratch_.File("summary") + "\\" + filed[0]), list);
  EXPECT_TRUE(FilesIn(scratch_.path(), L"*_Details.gz").empty());
  EXPECT_EQ(ReadFileBytes(scratch_.File("Vaultrine_FileList.txt")), list) << "the plain list stays";

  DeleteFileW(ToWide(database).c_str());
  RemoveDirectoryW(ToWide(folder).c_str());
}

TEST_F(SuccessWindow, ASummaryFolderThatCannotTakeTheArchiveKeepsIt) {
  WriteFileBytes(scratch_.File("Vaultrine.ini"), "summary=" + scratch_.File("no such folder") + "\r\n");
  BackupLibraryRun run;
  ASSERT_TRUE(run.ok());
  run.record("Nouveau", "C:/a.txt");
  BoxSeen seen;
  WindowDriver driver(L"Sauvegarde - sans dossier", [&](HWND w) {
    BoxAnswerer answer(w, IDOK);
    PostMessageW(w, WM_COMMAND, IDOK, 0);  // the Enter key: what OK does
    seen = answer.Join();
  });
  run.display_good("Sauvegarde - sans dossier", "OK", "d", "1", "0", "0", "1", "1", L"x", task().c_str());
  EXPECT_TRUE(driver.Join());
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.caption, "Sauvegarde - sans dossier");
  const std::vector<std::string> kept = FilesIn(scratch_.path(), L"*_Details.gz");
  ASSERT_EQ(kept.size(), 1u);
  EXPECT_NE(seen.text.find(scratch_.File("no such folder") + "\\" + kept[0]), std::string::npos) << seen.text;
  EXPECT_NE(seen.text.find(scratch_.File(kept[0])), std::string::npos) << seen.text;
  EXPECT_EQ(Inflate(scratch_.File(kept[0])), kMark + "Nouveau: C:\\a.txt\r\n");
}

}  // namespace
}  // namespace vaultrine::uitest
