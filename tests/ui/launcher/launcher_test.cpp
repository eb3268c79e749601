// The launcher window under Wine: driven by posted messages on the test's own thread,
// which runs the same message handling as the program's loop. The program folder and
// the Windows folder are scratch folders holding stand-in programs.
#include "launcher/launcher_window.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "common/win/wide.h"
#include "launcher/resource.h"
#include "tests/ui/helpers/ui_support.h"

namespace vaultrine::launcher {
namespace {

using uitest::FileExists;
using uitest::ScratchFolder;
using win::ToWide;

const wchar_t kCaption[] = L"VAULTRINE 1.92";
const char kSettingsEn[] = "Backup settings have not yet been configured";
const char kSettingsFr[] =
    "Les param\xC3\xA8tres de la sauvegarde n'ont pas encore \xC3\xA9t\xC3\xA9 configur\xC3\xA9s";
const char kDatabaseEn[] = "Backup has not yet been done";
const char kDatabaseFr[] = "La sauvegarde n'a jamais \xC3\xA9t\xC3\xA9 faite";

// A point inside each hot region and one in the gap between two rows.
struct Point {
  int x, y;
};
constexpr Point kHelp = {548, 120};
constexpr Point kConfigure = {300, 210};
constexpr Point kBackup = {300, 300};
constexpr Point kRestore = {300, 390};
constexpr Point kObsolete = {300, 480};
constexpr Point kGap = {300, 258};

struct ReportCall {
  int count = 0;
  std::string database_path;
  std::string program_folder;
};

class Launcher : public ::testing::Test {
 protected:
  void SetUp() override {
    GetCurrentDirectoryW(MAX_PATH, old_dir_);
    SetCurrentDirectoryW(ToWide(program_.path()).c_str());
    CreateDirectoryW(L"locale", nullptr);
    CreateDirectoryW(L"locale\\gui", nullptr);
    CreateDirectoryW(L"locale\\gui\\LC_MESSAGES", nullptr);
    CreateDirectoryW(ToWide(windows_.path() + "\\").c_str(), nullptr);
    // Keep the real pointer away from the window: only posted moves count.
    SetCursorPos(1200, 1000);
  }
  void TearDown() override {
    window_.reset();
    Pump();
    uitest::SetStandInMarker("");
    SetCurrentDirectoryW(old_dir_);
  }

  void WriteCatalog() { uitest::WriteFileBytes(program_.File(kCatalog), "catalog"); }

  LauncherEnvironment Environment(const std::string& program_folder) {
    LauncherEnvironment env;
    env.module_file_name = [program_folder] { return std::optional<std::string>(program_folder + "\\TopVaultrine.exe"); };
    env.windows_folder = [this] { return windows_.path(); };
    env.obsolete_report = [this](HWND, Language, const std::string& db, const std::string& folder) {
      ++report_.count;
      report_.database_path = db;
      report_.program_folder = folder;
    };
    return env;
  }

  HWND Open() { return OpenIn(program_.path()); }
  HWND OpenIn(const std::string& program_folder) {
    window_ = std::make_unique<LauncherWindow>(GetModuleHandleW(nullptr), Environment(program_folder));
    HWND h = window_->Open();
    Pump();
    return h;
  }

  // What the program's loop does, until the queue is empty.
  void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (window_) {
        window_->Process(msg);
      } else {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
    }
  }
  void Move(Point p) {
    PostMessageW(window_->hwnd(), WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    Pump();
  }
  // The click carries another position on purpose: the last movement decides.
  void Click() {
    PostMessageW(window_->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    Pump();
    PostMessageW(window_->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    Pump();
  }

  std::set<int> VisibleLabels() const {
    std::set<int> ids;
    for (int id = IDC_CONFIGURE_FR; id <= IDC_OBSOLETE_EN_HOT; ++id) {
      if (IsWindowVisible(window_->Item(id))) ids.insert(id);
    }
    return ids;
  }
  std::wstring ListText() const {
    HWND list = window_->Item(IDC_LAUNCHER_LANGUAGE);
    const LRESULT sel = SendMessageW(list, CB_GETCURSEL, 0, 0);
    wchar_t text[64] = {};
    if (sel >= 0) SendMessageW(list, CB_GETLBTEXT, sel, reinterpret_cast<LPARAM>(text));
    return text;
  }
  static HCURSOR Hand() { return LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDC_HAND_POINTER)); }
  static HCURSOR Arrow() { return LoadCursorW(nullptr, IDC_ARROW); }

  static constexpr const char* kCatalog = "locale\\gui\\LC_MESSAGES\\vaultrine.mo";
  ScratchFolder program_;
  ScratchFolder windows_;
  std::unique_ptr<LauncherWindow> window_;
  ReportCall report_;
  wchar_t old_dir_[MAX_PATH] = {};
};

TEST_F(Launcher, StartLanguageFollowsTheCatalog) {
  struct Case {
    bool catalog;
    const wchar_t* list_text;
    std::set<int> labels;
  };
  const Case cases[] = {
      {true, L"Fran\u00E7ais", {IDC_CONFIGURE_FR, IDC_BACKUP_FR, IDC_RESTORE_FR, IDC_OBSOLETE_FR}},
      {false, L"English", {IDC_CONFIGURE_EN, IDC_BACKUP_EN, IDC_RESTORE_EN, IDC_OBSOLETE_EN}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.catalog ? "catalog present" : "catalog absent");
    if (c.catalog) WriteCatalog(); else DeleteFileW(ToWide(kCatalog).c_str());
    HWND h = Open();
    ASSERT_TRUE(h);
    EXPECT_EQ(ListText(), c.list_text);
    EXPECT_EQ(SendMessageW(window_->Item(IDC_LAUNCHER_LANGUAGE), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(VisibleLabels(), c.labels);
    EXPECT_EQ(window_->language(), c.catalog ? Language::kFrench : Language::kEnglish);
    // Window furniture: caption, both icons, client area as large as the background.
    EXPECT_EQ(win::GetWindowTextUtf8(h), "VAULTRINE 1.92");
    EXPECT_TRUE(SendMessageW(h, WM_GETICON, ICON_BIG, 0));
    EXPECT_TRUE(SendMessageW(h, WM_GETICON, ICON_SMALL, 0));
    EXPECT_EQ(SendMessageW(h, WM_QUERYDRAGICON, 0, 0), SendMessageW(h, WM_GETICON, ICON_BIG, 0));
    RECT rc;
    GetClientRect(h, &rc);
    EXPECT_EQ(rc.right, 631);
    EXPECT_EQ(rc.bottom, 530);
    window_.reset();
  }
}

TEST_F(Launcher, PointerHighlightsTheRowUnderItAndSetsTheHand) {
  struct Case {
    bool catalog;
    Point at[4];
    std::set<int> expected[4];
  };
  const Case cases[] = {
      {false, {kConfigure, kBackup, kRestore, kObsolete},
       {{IDC_CONFIGURE_EN_HOT, IDC_BACKUP_EN, IDC_RESTORE_EN, IDC_OBSOLETE_EN},
        {IDC_CONFIGURE_EN, IDC_BACKUP_EN_HOT, IDC_RESTORE_EN, IDC_OBSOLETE_EN},
        {IDC_CONFIGURE_EN, IDC_BACKUP_EN, IDC_RESTORE_EN_HOT, IDC_OBSOLETE_EN},
        {IDC_CONFIGURE_EN, IDC_BACKUP_EN, IDC_RESTORE_EN, IDC_OBSOLETE_EN_HOT}}},
      {true, {kConfigure, kBackup, kRestore, kObsolete},
       {{IDC_CONFIGURE_FR_HOT, IDC_BACKUP_FR, IDC_RESTORE_FR, IDC_OBSOLETE_FR},
        {IDC_CONFIGURE_FR, IDC_BACKUP_FR_HOT, IDC_RESTORE_FR, IDC_OBSOLETE_FR},
        {IDC_CONFIGURE_FR, IDC_BACKUP_FR, IDC_RESTORE_FR_HOT, IDC_OBSOLETE_FR},
        {IDC_CONFIGURE_FR, IDC_BACKUP_FR, IDC_RESTORE_FR, IDC_OBSOLETE_FR_HOT}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.catalog ? "French" : "English");
    if (c.catalog) WriteCatalog();
    Open();
    const std::set<int> plain = VisibleLabels();
    for (int i = 0; i < 4; ++i) {
      SetCursor(Arrow());
      Move(c.at[i]);
      EXPECT_EQ(VisibleLabels(), c.expected[i]) << "row " << i;
      EXPECT_EQ(GetCursor(), Hand()) << "row " << i;
      Move({c.at[i].x + 5, c.at[i].y + 1});  // moving within the row keeps everything
      EXPECT_EQ(GetCursor(), Hand());
      Move(kGap);
      EXPECT_EQ(VisibleLabels(), plain) << "row " << i;
      EXPECT_EQ(GetCursor(), Arrow()) << "the cursor from before the hand";
    }
    // The help sign: hand, nothing highlighted.
    SetCursor(Arrow());
    Move(kHelp);
    EXPECT_EQ(GetCursor(), Hand());
    EXPECT_EQ(VisibleLabels(), plain);
    Move({10, 10});
    EXPECT_EQ(GetCursor(), Arrow());
    window_.reset();
  }
}

// The drawn pictures as the build made them: sizes, colour depth, cursor hot spot.
TEST_F(Launcher, PicturesHaveTheirSizes) {
  HINSTANCE self = GetModuleHandleW(nullptr);
  struct Case {
    int id, width, height;
  };
  std::vector<Case> cases = {{IDB_BACKGROUND, 631, 530}};
  for (int id = IDB_CONFIGURE_FR; id <= IDB_OBSOLETE_EN_HOT; ++id) {
    const bool restore_en = id == IDB_RESTORE_EN || id == IDB_RESTORE_EN_HOT;
    cases.push_back({id, restore_en ? 400 : 405, 48});
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    HBITMAP bmp = static_cast<HBITMAP>(
        LoadImageW(self, MAKEINTRESOURCEW(c.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_TRUE(bmp);
    DIBSECTION dib{};
    ASSERT_EQ(GetObjectW(bmp, sizeof dib, &dib), static_cast<int>(sizeof dib));
    EXPECT_EQ(dib.dsBm.bmWidth, c.width);
    EXPECT_EQ(dib.dsBm.bmHeight, c.height);
    EXPECT_EQ(dib.dsBm.bmBitsPixel, 24);
    DeleteObject(bmp);
  }
  // The hand the launcher shows, at the system's cursor size: a 32-pixel cursor
  // whose hotspot, the fingertip, grows with it on a finer screen.
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(Hand(), &info));
  EXPECT_FALSE(info.fIcon);
  BITMAP mask{};
  ASSERT_TRUE(GetObjectW(info.hbmMask, sizeof mask, &mask));
  EXPECT_EQ(info.xHotspot, 13u * static_cast<unsigned>(mask.bmWidth) / 32u);
  EXPECT_EQ(info.yHotspot, 1u * static_cast<unsigned>(mask.bmWidth) / 32u);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
}

TEST_F(Launcher, BackupAndRestoreNeedTheSettingsFile) {
  // Stand-in engines beside the launcher record their current directory and wait.
  for (const char* engine : {"Vaultrine.exe", "Revivalis.exe"}) {
    ASSERT_TRUE(uitest::CopyFileTo(uitest::BinFolder() + "\\stand_in_program.exe", program_.File(engine)));
  }
  struct Case {
    bool catalog;
    Point row;
    WPARAM key;  // the row's key, used for the first attempt when not 0
    const char* engine;
    const char* message;
  };
  const Case cases[] = {
      {false, kBackup, 0, "Vaultrine.exe", kSettingsEn},
      {true, kRestore, '3', "Revivalis.exe", kSettingsFr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.engine);
    DeleteFileW(ToWide(program_.File("Vaultrine.ini")).c_str());
    if (c.catalog) WriteCatalog();
    const std::string marker = program_.File(std::string(c.engine) + ".marker");
    const std::wstring event = L"VaultrineLauncherTest" + std::to_wstring(GetTickCount());
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, event.c_str());
    uitest::SetStandInMarker(marker, event);
    HWND h = Open();

    // No settings yet: the message in the current language, nothing started.
    Move(c.row);
    {
      uitest::BoxAnswerer box(h, IDOK, 8000);
      if (c.key) {
        // To the focused language list, which must not take it for itself.
        PostMessageW(GetDlgItem(h, IDC_LAUNCHER_LANGUAGE), WM_KEYDOWN, c.key, 0);
        Pump();
      } else {
        Click();
      }
      const uitest::BoxSeen& seen = box.Join();
      ASSERT_TRUE(seen.found);
      EXPECT_EQ(seen.caption, "VAULTRINE 1.92");
      EXPECT_EQ(seen.text, c.message);
    }
    Pump();
    Sleep(300);
    EXPECT_FALSE(FileExists(marker)) << "nothing may start without settings";

    // The editor saves the settings while the launcher stays open: the same click starts
    // the engine, the launcher is minimised while it runs and comes back afterwards.
    uitest::WriteFileBytes(program_.File("Vaultrine.ini"), "[general]\r\ndest=D:\\\r\n");
    bool iconic_while_running = false;
    std::thread observer([&] {
      if (uitest::WaitUntil([&] { return FileExists(marker); }, 15000)) {
        Sleep(200);
        iconic_while_running = IsIconic(h) != 0;
      }
      SetEvent(release);
    });
    Click();
    observer.join();
    EXPECT_TRUE(iconic_while_running);
    EXPECT_FALSE(IsIconic(h));
    ASSERT_TRUE(FileExists(marker));
    const std::string line = uitest::ReadFileBytes(marker);
    EXPECT_EQ(line.substr(0, line.find('|')), program_.path()) << "current directory";
    EXPECT_NE(line.find(program_.File(c.engine)), std::string::npos) << line;
    CloseHandle(release);
    window_.reset();
  }
}

TEST_F(Launcher, DatabaseLineOfTheSettingsFile) {
  struct Case {
    const char* name;
    const char* settings;  // null: no settings file
    std::set<std::string> files;
    const char* database;  // null: the database message is expected
  };
  const Case cases[] = {
      {"key on the first line is ignored", "database=archive.db\r\n[general]\r\n",
       {"Vaultrine.sqlite", "archive.db"}, "Vaultrine.sqlite"},
      {"other case is not the key", "[general]\r\nDatabase=archive.db\r\n",
       {"Vaultrine.sqlite", "archive.db"}, "Vaultrine.sqlite"},
      {"named database", "[general]\r\ndest=D:\\\r\ndatabase=archive.db\r\n", {"archive.db"}, "archive.db"},
      {"named database missing", "[general]\r\ndatabase=archive.db\r\n", {"Vaultrine.sqlite"}, nullptr},
      {"nothing yet", nullptr, {}, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    for (const char* f : {"Vaultrine.ini", "Vaultrine.sqlite", "archive.db"}) {
      DeleteFileW(ToWide(program_.File(f)).c_str());
    }
    if (c.settings) uitest::WriteFileBytes(program_.File("Vaultrine.ini"), c.settings);
    for (const std::string& f : c.files) uitest::WriteFileBytes(program_.File(f), "db");
    report_ = {};
    HWND h = Open();
    Move(kObsolete);
    // Where no box is expected, a short watch still answers a wrong one.
    uitest::BoxAnswerer box(h, IDOK, c.database ? 1500 : 8000);
    Click();
    const uitest::BoxSeen& seen = box.Join();
    if (c.database) {
      EXPECT_FALSE(seen.found) << seen.text;
      EXPECT_EQ(report_.count, 1);
      EXPECT_EQ(report_.database_path, program_.File(c.database));
      EXPECT_EQ(report_.program_folder, program_.path());
    } else {
      ASSERT_TRUE(seen.found);
      EXPECT_EQ(seen.text, kDatabaseEn);
      EXPECT_EQ(report_.count, 0);
    }
    window_.reset();
  }
  // The same message in French.
  WriteCatalog();
  HWND h = Open();
  Move(kObsolete);
  uitest::BoxAnswerer box(h, IDOK, 8000);
  Click();
  EXPECT_EQ(box.Join().text, kDatabaseFr);
}

TEST_F(Launcher, DocumentationOpensInExplorerWithoutWaiting) {
  ASSERT_TRUE(uitest::CopyFileTo(uitest::BinFolder() + "\\stand_in_program.exe", windows_.File("Explorer.exe")));
  struct Case {
    bool catalog;
    const char* document;
  };
  for (const Case& c : {Case{false, ".\\UsersGuide.pdf"}, Case{true, ".\\Documentation.pdf"}}) {
    SCOPED_TRACE(c.document);
    if (c.catalog) WriteCatalog();
    const std::string marker = program_.File(c.catalog ? "fr.marker" : "en.marker");
    const std::wstring event = L"VaultrineDocTest" + std::to_wstring(GetTickCount());
    HANDLE release = CreateEventW(nullptr, TRUE, FALSE, event.c_str());
    uitest::SetStandInMarker(marker, event);
    HWND h = Open();
    Move(kHelp);
    Click();
    // Back from the click while "Explorer" still waits for its event.
    EXPECT_FALSE(IsIconic(h));
    // The stand-in makes the file before it writes its line: wait for the whole line.
    std::string line;
    ASSERT_TRUE(uitest::WaitUntil([&] {
      line = uitest::ReadFileBytes(marker);
      return line.size() >= 2 && line.compare(line.size() - 2, 2, "\r\n") == 0;
    })) << line;
    EXPECT_EQ(line.substr(0, line.find('|')), program_.path());
    EXPECT_EQ(line.substr(line.find('|') + 1), windows_.File("Explorer.exe") + " " + c.document + "\r\n");
    SetEvent(release);
    CloseHandle(release);
    window_.reset();
  }
}

TEST_F(Launcher, LanguageSwitchRenamesTheCatalogAndSwapsLabels) {
  WriteCatalog();
  Open();
  const std::string parked = program_.File(std::string(kCatalog) + ".EN");
  HWND list = window_->Item(IDC_LAUNCHER_LANGUAGE);
  auto choose = [&](int index) {
    SendMessageW(list, CB_SETCURSEL, index, 0);
    PostMessageW(window_->hwnd(), WM_COMMAND, MAKEWPARAM(IDC_LAUNCHER_LANGUAGE, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    Pump();
  };
  choose(0);
  EXPECT_FALSE(FileExists(program_.File(kCatalog)));
  EXPECT_TRUE(FileExists(parked));
  EXPECT_EQ(uitest::ReadFileBytes(parked), "catalog");
  EXPECT_EQ(VisibleLabels(), (std::set<int>{208, 210, 212, 214}));
  // The launcher's own messages follow at once.
  Move(kBackup);
  {
    uitest::BoxAnswerer box(window_->hwnd(), IDOK, 8000);
    Click();
    EXPECT_EQ(box.Join().text, kSettingsEn);
  }
  choose(1);
  EXPECT_TRUE(FileExists(program_.File(kCatalog)));
  EXPECT_FALSE(FileExists(parked));
  EXPECT_EQ(VisibleLabels(), (std::set<int>{200, 203, 204, 206})) << "the row under the pointer stays highlighted";
}

// The line beside the back-up row, as the status file the backup library leaves says:
// each outcome in both languages, files cut short or of any bytes, a text too long for
// its place, and the file read again when the window comes back to the front.
TEST_F(Launcher, LastBackupLineSaysWhatTheStatusFileSays) {
  const std::string mark = "\xEF\xBB\xBF";
  const std::string dash = " \xE2\x80\x94 ";
  const std::string ellipsis = "\xE2\x80\xA6";
  const std::string completed = mark + "[last backup]\r\ndate=2026-12-08 17:55\r\noutcome=completed\r\nnew=1\r\n"
                                       "modified=0\r\nobsolete=1\r\nerrors=0\r\nfirst error=\r\n";
  const std::string failed = mark + "[last backup]\r\ndate=2026-12-08 17:55\r\noutcome=failed\r\nerrors=1\r\n"
                                    "first error=Volume BACKUP1 not found\r\n";
  const std::string french_date = "Derni\xC3\xA8re sauvegarde : 08/12/2026 17:55" + dash;
  struct Case {
    const char* name;
    const std::string* bytes;  // null: no status file
    bool french;
    std::string line;   // as shown, or its start when `cut`
    bool cut, red;
  };
  const std::string long_error = "first error=" + std::string(200, 'x') + "\r\n";
  const std::string cut_short = completed.substr(0, completed.find("outcome"));
  const std::string odd("\x00\xFF=outcome=completed\n\x80\r", 23);
  const std::string long_failure = mark + "outcome=failed\r\n" + long_error;
  const Case cases[] = {
      {"no file", nullptr, false, "No backup yet", false, false},
      {"no file, French", nullptr, true, "Aucune sauvegarde pour l'instant", false, false},
      {"completed", &completed, false,
       "Last backup: 08/12/2026 17:55" + dash + "completed (1 new, 0 modified, 1 obsolete)", false, false},
      {"completed, French", &completed, true,
       french_date + "termin\xC3\xA9" "e (1 nouveau, 0 modifi\xC3\xA9, 1 p\xC3\xA9rim\xC3\xA9)", false, false},
      {"failed", &failed, false, "Last backup: 08/12/2026 17:55" + dash + "failed: Volume BACKUP1 not found",
       false, true},
      {"failed, French", &failed, true, french_date + "\xC3\xA9" "chec : Volume BACKUP1 not found", false, true},
      {"cut short before the outcome", &cut_short, false, "No backup yet", false, false},
      {"any bytes", &odd, true, "Aucune sauvegarde pour l'instant", false, false},
      {"an error too long for the line", &long_failure, false, "Last backup: failed: xxxxxxxxxx", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string status = program_.File("Vaultrine_LastBackup.txt");
    DeleteFileW(ToWide(status).c_str());
    if (c.bytes) uitest::WriteFileBytes(status, *c.bytes);
    DeleteFileW(ToWide(program_.File(kCatalog)).c_str());
    if (c.french) WriteCatalog();
    HWND h = Open();
    HWND line = window_->Item(IDC_LAST_BACKUP);
    ASSERT_TRUE(line);
    const std::string shown = uitest::TextOf(line);
    if (c.cut) {
      EXPECT_EQ(shown.rfind(c.line, 0), 0u) << shown;
      ASSERT_GE(shown.size(), ellipsis.size());
      EXPECT_EQ(shown.substr(shown.size() - ellipsis.size()), ellipsis) << shown;
    } else {
      EXPECT_EQ(shown, c.line);
    }
    // What is shown fits its place, in its font.
    RECT box{};
    GetClientRect(line, &box);
    {
      HDC dc = GetDC(line);
      HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(line, WM_GETFONT, 0, 0)));
      const std::wstring wide = ToWide(shown);
      SIZE size{};
      GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
      SelectObject(dc, old);
      ReleaseDC(line, dc);
      EXPECT_LE(size.cx, box.right) << shown;
    }
    // A failure in red, anything else in the pictures' ink.
    UpdateWindow(h);
    const auto red = [](COLORREF px) { return uitest::NearColour(px, RGB(0xC0, 0, 0), 50); };
    POINT at{0, 0};
    MapWindowPoints(line, h, &at, 1);
    const RECT area{at.x, at.y, at.x + box.right, at.y + box.bottom};
    if (c.red) {
      EXPECT_TRUE(uitest::WaitUntil([&] { return uitest::CountPixels(h, area, red) > 10; })) << "drawn in red";
    } else {
      EXPECT_EQ(uitest::CountPixels(h, area, red), 0);
    }
    window_.reset();
    Pump();
  }

  // Open with no status; a backup ends elsewhere meanwhile; back in front, the line follows.
  DeleteFileW(ToWide(program_.File(kCatalog)).c_str());
  DeleteFileW(ToWide(program_.File("Vaultrine_LastBackup.txt")).c_str());
  HWND h = Open();
  EXPECT_EQ(uitest::TextOf(window_->Item(IDC_LAST_BACKUP)), "No backup yet");
  uitest::WriteFileBytes(program_.File("Vaultrine_LastBackup.txt"), failed);
  PostMessageW(h, WM_ACTIVATE, WA_INACTIVE, 0);
  Pump();
  EXPECT_EQ(uitest::TextOf(window_->Item(IDC_LAST_BACKUP)), "No backup yet") << "read only when it comes back";
  PostMessageW(h, WM_ACTIVATE, WA_CLICKACTIVE, 0);
  Pump();
  EXPECT_EQ(uitest::TextOf(window_->Item(IDC_LAST_BACKUP)),
            "Last backup: 08/12/2026 17:55" + dash + "failed: Volume BACKUP1 not found");
  EXPECT_TRUE(window_->last_backup().failed);
}

// The line sits under the back-up row's label, clear of every picture, and takes no
// part in the keyboard's way round the window.
TEST_F(Launcher, LastBackupLineKeepsItsPlace) {
  HWND h = Open();
  HWND line = window_->Item(IDC_LAST_BACKUP);
  RECT r{};
  GetWindowRect(line, &r);
  MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 217);
  EXPECT_EQ(r.top, 330);
  EXPECT_EQ(r.right, 617);
  EXPECT_EQ(r.bottom, 347);
  for (int id = 200; id <= 215; ++id) {
    RECT label{}, overlap{};
    GetWindowRect(window_->Item(id), &label);
    MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&label), 2);
    EXPECT_FALSE(IntersectRect(&overlap, &label, &r)) << "label " << id;
  }
  EXPECT_EQ(GetWindowLongPtrW(line, GWL_STYLE) & WS_TABSTOP, 0);
  // The rows' keys still reach the rows: 2 is the back-up row, which wants settings.
  uitest::BoxAnswerer box(h, IDOK, 8000);
  PostMessageW(window_->Item(IDC_LAUNCHER_LANGUAGE), WM_KEYDOWN, '2', 0);
  Pump();
  EXPECT_EQ(box.Join().text, kSettingsEn);
}

// Back up or restore chosen while its engine is not in the program folder: the message
// names the program and the folder, in the interface language, and nothing starts.
TEST_F(Launcher, AMissingEngineIsNamedWithItsFolder) {
  uitest::WriteFileBytes(program_.File("Vaultrine.ini"), "[general]\r\n");
  struct Case {
    bool french;
    Point row;
    std::string message;
  };
  const Case cases[] = {
      {false, kBackup,
       "The program Vaultrine.exe is not in the folder\n" + program_.path() +
           "\n\nThe backup and restore engines are installed apart from the suite: copy them into this folder "
           "(user's guide, chapter \"When something goes wrong\")."},
      {true, kRestore,
       "Le programme Revivalis.exe n'est pas dans le dossier\n" + program_.path() +
           "\n\nLes moteurs de sauvegarde et de restauration s'installent \xC3\xA0 part : copiez-les dans ce dossier "
           "(documentation, chapitre \xC2\xAB Quand quelque chose ne va pas \xC2\xBB)."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.french ? "French" : "English");
    if (c.french) WriteCatalog();
    HWND h = Open();
    Move(c.row);
    uitest::BoxAnswerer box(h, IDOK, 8000);
    Click();
    const uitest::BoxSeen& seen = box.Join();
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, "VAULTRINE 1.92");
    EXPECT_EQ(seen.text, c.message);
    Pump();
    EXPECT_FALSE(IsIconic(h));
    window_.reset();
  }
}

TEST_F(Launcher, EscapeCloseBoxAndEnterEndTheWindow) {
  const UINT kinds[] = {WM_KEYDOWN, WM_CLOSE, WM_KEYDOWN};
  const WPARAM keys[] = {VK_ESCAPE, 0, VK_RETURN};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    HWND h = Open();
    ASSERT_TRUE(IsWindow(h));
    PostMessageW(h, kinds[i], keys[i], 0);
    Pump();
    EXPECT_FALSE(IsWindow(h));
    EXPECT_EQ(window_->hwnd(), nullptr);
    window_.reset();
  }
}

TEST_F(Launcher, TooLongProgramFolderIsRefusedCleanly) {
  const std::string deep = program_.path() + "\\" + std::string(200, 'd');
  HWND h = OpenIn(deep);
  uitest::WriteFileBytes(program_.File("Vaultrine.ini"), "[general]\r\n");
  Move(kBackup);
  uitest::BoxAnswerer box(h, IDOK, 8000);
  Click();
  const uitest::BoxSeen& seen = box.Join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text.rfind("The program folder path is too long:\n", 0), 0u) << seen.text;
  Pump();
  EXPECT_TRUE(IsWindow(h));
  EXPECT_FALSE(IsIconic(h));
}

// The shipped program itself: starts from its folder, finds its resources and ends
// on the close box.
TEST_F(Launcher, ProgramStartsAndEnds) {
  WriteCatalog();
  const std::string exe = program_.File("TopVaultrine.exe");
  ASSERT_TRUE(uitest::CopyFileTo(uitest::BinFolder() + "\\TopVaultrine.exe", exe));
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi = {};
  std::wstring cmd = L"\"" + ToWide(exe) + L"\"";
  ASSERT_TRUE(CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             ToWide(program_.path()).c_str(), &si, &pi));
  HWND h = nullptr;
  EXPECT_TRUE(uitest::WaitUntil([&] { return (h = uitest::FindProcessWindow(L"#32770", kCaption, pi.dwProcessId)) != nullptr; }));
  if (h) {
    // GetWindowText does not ask another process's window: send WM_GETTEXT itself.
    wchar_t text[32] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(GetDlgItem(h, IDC_LAUNCHER_LANGUAGE), WM_GETTEXT, 32, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, 5000, &copied);
    EXPECT_EQ(std::wstring(text), L"Fran\u00E7ais");
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(h, IDC_CONFIGURE_FR)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(h, IDC_CONFIGURE_FR_HOT)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(h, IDC_CONFIGURE_EN)));
    PostMessageW(h, WM_CLOSE, 0, 0);
  }
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 15000), static_cast<DWORD>(WAIT_OBJECT_0));
  DWORD code = 1;
  GetExitCodeProcess(pi.hProcess, &code);
  EXPECT_EQ(code, 0u);
  if (code == STILL_ACTIVE) TerminateProcess(pi.hProcess, 1);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
}

}  // namespace
}  // namespace vaultrine::launcher
