// The restore library loaded from a program folder of its own (a scratch copy with
// its message file and Glowtick), with that folder as the current directory, as the
// engine runs it. Drives M: (VLT_ALPHA), N: and O: (both VLT_TWIN) and P: (a root that
// does not exist) are mapped for the volume exports.
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <memory>
#include <string>
#include <vector>

#include "common/message_file.h"
#include "common/message_sink.h"
#include "common/win/raii.h"
#include "common/win/screen_dpi.h"
#include "common/win/wide.h"
#include "restore_support/library_frame.h"
#include "restore_support/resource.h"
#include "restore_support/restore_exports.h"
#include "tests/ui/helpers/exports.h"
#include "tests/ui/helpers/ui_support.h"
#include "tests/ui/helpers/wine_drives.h"

namespace vaultrine::restore {
namespace {

using uitest::ScratchFolder;
using uitest::WaitUntil;
using uitest::Export;
using win::ToWide;


std::wstring CurrentDirectory() {
  wchar_t buf[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, buf);
  return buf;
}

std::wstring Text(HWND window) { return ToWide(win::GetWindowTextUtf8(window)); }
std::wstring ItemText(HWND dialog, int id) { return Text(GetDlgItem(dialog, id)); }

// The progress window of this process, shown or not.
HWND ProgressWindow() {
  return uitest::FindProcessWindow(L"#32770", L"Revivalis progression", GetCurrentProcessId(), false);
}

// Pop-ups: Wine waits for a window manager to let go of a captioned window when it
// is hidden or destroyed, and Xvfb has none.
HWND MakeWindow(const wchar_t* title, bool visible = true) {
  return CreateWindowExW(0, L"STATIC", title, WS_POPUP | WS_BORDER | (visible ? WS_VISIBLE : 0), 40, 40, 200, 80,
                         nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
}

class RestoreLibraryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    drives_folder_ = new ScratchFolder();
    const struct {
      char letter;
      const char* name;
      const char* label;
    } drives[] = {{'M', "alpha", "VLT_ALPHA"}, {'N', "twin1", "VLT_TWIN"}, {'O', "twin2", "VLT_TWIN"}};
    for (const auto& d : drives) {
      CreateDirectoryW(ToWide(drives_folder_->File(d.name)).c_str(), nullptr);
      drives_.push_back(std::make_unique<uitest::WineDrive>(d.letter, drives_folder_->File(d.name), d.label));
    }
    drives_.push_back(std::make_unique<uitest::WineDrive>('P', drives_folder_->File("gone"), "VLT_GONE"));
  }
  static void TearDownTestSuite() {
    drives_.clear();
    delete drives_folder_;
    drives_folder_ = nullptr;
  }

  void SetUp() override {
    const std::string bin = uitest::BinFolder();
    for (const char* name : {"RestoreVaultrine.dll", "Glowtick.exe"}) {
      ASSERT_TRUE(uitest::CopyFileTo(bin + "\\" + name, folder_.File(name))) << name;
    }
    ASSERT_TRUE(uitest::CopyFileTo(bin + "\\..\\programfolder\\RestoreVaultrine.mes",
                                   folder_.File("RestoreVaultrine.mes")));
    previous_directory_ = CurrentDirectory();
    ASSERT_TRUE(SetCurrentDirectoryW(ToWide(folder_.path()).c_str()));
  }
  void TearDown() override {
    Unload();
    SetCurrentDirectoryW(previous_directory_.c_str());
  }

  // `first_call`: then calls an export as the engine does first, which starts the
  // library (the load alone makes no window).
  void Load(bool first_call = true) {
    dll_ = LoadLibraryW(ToWide(folder_.File("RestoreVaultrine.dll")).c_str());
    ASSERT_NE(dll_, nullptr);
    display_trace_ = Export<DisplayTraceFn>(dll_, "DisplayTrace");
    close_trace_ = Export<CloseTraceFn>(dll_, "CloseTrace");
    gauges_[0] = Export<GaugeRestoreFn>(dll_, "GaugeRestoreStandardFiles");
    gauges_[1] = Export<GaugeRestoreFn>(dll_, "GaugeRestoreCompressedFiles");
    gauges_[2] = Export<GaugeRestoreFn>(dll_, "GaugeRestoreCryptedFiles");
    record_ = Export<RecordRestoredFilenameFn>(dll_, "RecordFilenames");
    get_volume_name_ = Export<RestoreGetVolumeNameFn>(dll_, "GetVolumeName");
    get_disc_ = Export<RestoreGetDiscFromVolumenameFn>(dll_, "GetDiscFromVolumename");
    ASSERT_TRUE(display_trace_ && close_trace_ && gauges_[0] && gauges_[1] && gauges_[2] && record_ &&
                get_volume_name_ && get_disc_);
    for (const char* name : {"AskFilesToRestore", "DisplayGoodResult", "DisplayBadResult"}) {
      ASSERT_NE(GetProcAddress(dll_, name), nullptr) << name;
    }
    if (first_call) FirstCall();
  }
  // A call whose answer does not depend on the library's state.
  void FirstCall() {
    char label[8] = "x";
    EXPECT_EQ(get_volume_name_("", label), -1);
    EXPECT_STREQ(label, "x");
  }
  void Unload() {
    if (dll_) FreeLibrary(dll_);
    dll_ = nullptr;
  }

  // What the shipped message file says for `key`, read on its own.
  std::wstring Shipped(const char* key, const char* language) {
    RecordingSink sink;
    MessageFile file(kRestoreMessageFile);
    file.LoadMessageFile(folder_.path(), sink);
    file.SelectSection("MAIN", language);
    const std::u16string& text = file.LookUpMessage(key);
    return std::wstring(text.begin(), text.end());
  }

  void SetCatalog(bool present) {
    const std::string folder = folder_.File("locale\\gui\\LC_MESSAGES");
    SHCreateDirectoryExW(nullptr, ToWide(folder).c_str(), nullptr);
    const std::string catalog = folder + "\\vaultrine.mo";
    if (present) {
      uitest::WriteFileBytes(catalog, "catalog");
    } else {
      DeleteFileW(ToWide(catalog).c_str());
    }
  }

  static ScratchFolder* drives_folder_;
  static std::vector<std::unique_ptr<uitest::WineDrive>> drives_;
  ScratchFolder folder_;
  std::wstring previous_directory_;
  HMODULE dll_ = nullptr;
  DisplayTraceFn display_trace_ = nullptr;
  CloseTraceFn close_trace_ = nullptr;
  GaugeRestoreFn gauges_[3] = {};
  RecordRestoredFilenameFn record_ = nullptr;
  RestoreGetVolumeNameFn get_volume_name_ = nullptr;
  RestoreGetDiscFromVolumenameFn get_disc_ = nullptr;
};

ScratchFolder* RestoreLibraryTest::drives_folder_ = nullptr;
std::vector<std::unique_ptr<uitest::WineDrive>> RestoreLibraryTest::drives_;

// The load, under the loader lock, makes no window: the engine's first call makes the
// progress window, hidden, as the engine would have found it after the load.
TEST_F(RestoreLibraryTest, TheFirstCallPreparesAHiddenProgressWindowInTheCatalogsLanguage) {
  const struct {
    bool catalog;
    const char* language;
  } cases[] = {{false, "eng"}, {true, "fra"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language);
    SetCatalog(c.catalog);
    uitest::WriteFileBytes(folder_.File("Revivalis_FileList.txt"), "Standard  :    old run\r\n");
    Load(false);
    EXPECT_FALSE(uitest::FileExists(folder_.File("Revivalis_FileList.txt"))) << "each run starts a fresh list";
    EXPECT_EQ(ProgressWindow(), nullptr) << "a window made while the library loads";
    FirstCall();

    HWND progress = ProgressWindow();
    ASSERT_NE(progress, nullptr);
    EXPECT_FALSE(IsWindowVisible(progress));
    RECT r{};
    GetWindowRect(progress, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);
    EXPECT_GT(r.right - r.left, 700) << "494 dialog units";
    const std::wstring note = Shipped("tra_1", c.language);
    ASSERT_NE(note.substr(0, 1), L"?");
    EXPECT_EQ(ItemText(progress, IDC_PROGRESS_NOTE), note);
    EXPECT_EQ(ItemText(progress, IDC_PROGRESS_STEP), L"");
    EXPECT_EQ(ItemText(progress, IDC_PROGRESS_PERCENT), L"");

    HWND bar = GetDlgItem(progress, IDC_PROGRESS_BAR);
    wchar_t bar_class[32] = {};
    GetClassNameW(bar, bar_class, 32);
    EXPECT_STREQ(bar_class, PROGRESS_CLASSW);
    EXPECT_EQ(SendMessageW(bar, PBM_GETBARCOLOR, 0, 0), static_cast<LRESULT>(RGB(72, 102, 159)));
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 0);
    // Shown, unlike the focus field: a long restore should show its progress.
    EXPECT_TRUE(GetWindowLongW(bar, GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(GetWindowLongW(GetDlgItem(progress, IDC_PROGRESS_PERCENT), GWL_STYLE) & WS_VISIBLE);
    EXPECT_FALSE(GetWindowLongW(GetDlgItem(progress, IDC_PROGRESS_FOCUS), GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(GetWindowLongW(progress, GWL_STYLE) & WS_SYSMENU, 0) << "no close box";

    Unload();
    EXPECT_FALSE(IsWindow(progress)) << "the window goes with the library";
  }
}

TEST_F(RestoreLibraryTest, MissingMessageFileIsToldAndTextsShowAMark) {
  ASSERT_TRUE(DeleteFileW(ToWide(folder_.File("RestoreVaultrine.mes")).c_str()));
  uitest::BoxAnswerer answer(L"Restore Vaultrine", IDOK);
  Load();
  const uitest::BoxSeen& seen = answer.Join();
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.text, "Cannot open RestoreVaultrine.mes");
  HWND progress = ProgressWindow();
  ASSERT_NE(progress, nullptr);
  EXPECT_EQ(ItemText(progress, IDC_PROGRESS_NOTE), L"?");
}

TEST_F(RestoreLibraryTest, DisplayTraceTitlesTheWindowAsUtf8OrAnsi) {
  Load();
  HWND progress = ProgressWindow();
  ASSERT_NE(progress, nullptr);
  const struct {
    const char* bytes;
    const wchar_t* title;
  } titles[] = {
      {"Restauration \xE2\x80\x93 \xC3\xA9tape 2", L"Restauration \u2013 \u00e9tape 2"},  // UTF-8
      {"\xC9tape 3", L"\u00c9tape 3"},  // not UTF-8: the ANSI code page
      {"", L""},
  };
  for (const auto& t : titles) {
    display_trace_(t.bytes);
    EXPECT_EQ(Text(progress), t.title);
  }
  EXPECT_FALSE(IsWindowVisible(progress)) << "the title alone does not show the window";
}

TEST_F(RestoreLibraryTest, DisplayTraceMinimisesEveryConsoleAmongTheHundredWindowsBelow) {
  // Created before the load, so they lie below the progress window, deepest first:
  // a console just beyond the 100 windows looked at, one at the 100th, fillers, two
  // more consoles and an unrelated window right under the progress window. All are
  // created hidden; each one minimised costs Wine a two-second wait when it goes.
  HWND beyond = MakeWindow(L"C:\\Vaultrine\\Revivalis.exe", false);
  HWND hundredth = MakeWindow(L"revivalis.exe - 100", false);
  std::vector<HWND> windows = {beyond, hundredth};
  for (int i = 0; i < 96; ++i) windows.push_back(MakeWindow(L"filler", false));
  HWND lower = MakeWindow(L"c:\\program files\\vaultrine\\REVIVALIS.EXE", false);
  HWND upper = MakeWindow(L"Restore: rEvIvAlIs.ExE running", false);
  HWND unrelated = MakeWindow(L"Revivalis notes", false);
  for (HWND w : {lower, upper, unrelated}) windows.push_back(w);
  for (HWND w : windows) ASSERT_NE(w, nullptr);
  Load();
  HWND progress = ProgressWindow();
  ASSERT_NE(progress, nullptr);
  int position = 0;
  for (HWND w = progress; w && w != hundredth; w = GetWindow(w, GW_HWNDNEXT)) ++position;
  ASSERT_EQ(position, 100) << "a window of another program came in between";
  ASSERT_EQ(GetWindow(hundredth, GW_HWNDNEXT), beyond);

  display_trace_("Restauration");
  for (HWND w : {upper, lower, hundredth}) EXPECT_TRUE(IsIconic(w)) << Text(w);
  EXPECT_FALSE(IsIconic(beyond)) << "the 101st window is not looked at";
  EXPECT_FALSE(IsIconic(unrelated));

  // Once the window is gone, DisplayTrace changes nothing.
  close_trace_();
  ShowWindow(upper, SW_RESTORE);
  display_trace_("after");
  EXPECT_FALSE(IsIconic(upper));
  EXPECT_FALSE(IsIconic(beyond));
  for (HWND w : windows) DestroyWindow(w);
}

// Posted before a step: handled only when the step pumps the queue.
struct PumpProbe {
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_APP) ++handled;
    return DefWindowProcW(w, m, wp, lp);
  }
  static int handled;
};
int PumpProbe::handled = 0;

TEST_F(RestoreLibraryTest, GaugesShowEveryIntervalPlusOnethStepAndPumpMessages) {
  Load();
  HWND progress = ProgressWindow();
  ASSERT_NE(progress, nullptr);
  HWND bar = GetDlgItem(progress, IDC_PROGRESS_BAR);
  HWND probe = MakeWindow(L"probe", false);
  SetWindowLongPtrW(probe, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PumpProbe::Proc));

  const struct {
    int index;
    const wchar_t* title;
  } kinds[] = {
      {0, L"Restauration des fichiers standards"},
      {1, L"Restauration des fichiers compress\u00e9s"},
      {2, L"Restauration des fichiers crypt\u00e9s"},
  };
  for (const auto& k : kinds) {
    SCOPED_TRACE(win::FromWide(k.title));
    GaugeRestoreFn gauge = gauges_[k.index];
    SetDlgItemTextW(progress, IDC_PROGRESS_PERCENT, L"");
    gauge(4, 0);
    EXPECT_EQ(ItemText(progress, IDC_PROGRESS_STEP), k.title);
    EXPECT_EQ(SendMessageW(bar, PBM_GETRANGE, FALSE, 0), 4);
    EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), 0);
    // Steps 1 to 4: the window follows at 2 and 4 only.
    const struct {
      int value;
      int position;
      const wchar_t* percent;
      bool pumped;
    } steps[] = {{1, 0, L"", false}, {2, 2, L"50 %", true}, {3, 2, L"50 %", false}, {4, 4, L"100 %", true}};
    for (const auto& s : steps) {
      PumpProbe::handled = 0;
      PostMessageW(probe, WM_APP, 0, 0);
      gauge(4, s.value);
      EXPECT_EQ(SendMessageW(bar, PBM_GETPOS, 0, 0), s.position) << s.value;
      EXPECT_EQ(ItemText(progress, IDC_PROGRESS_PERCENT), s.percent) << s.value;
      EXPECT_EQ(PumpProbe::handled, s.pumped ? 1 : 0) << s.value;
      MSG drain;
      while (PeekMessageW(&drain, probe, WM_APP, WM_APP, PM_REMOVE)) {
      }
    }
  }

  // 250 files: every third step shows; the title stays until a file name replaces it.
  gauges_[0](250, 0);
  int shown = 0;
  for (int value = 1; value <= 250; ++value) {
    gauges_[0](250, value);
    if (SendMessageW(bar, PBM_GETPOS, 0, 0) == value) {
      ++shown;
      EXPECT_EQ(value % 3, 0) << value;
      EXPECT_EQ(ItemText(progress, IDC_PROGRESS_PERCENT), std::to_wstring(value * 100 / 250) + L" %");
    }
  }
  EXPECT_EQ(shown, 83);
  EXPECT_EQ(ItemText(progress, IDC_PROGRESS_STEP), L"Restauration des fichiers standards");
  record_("Standard  ", L"D:\\000_Revivalis\\docs\\r\u00e9sum\u00e9.txt");
  EXPECT_EQ(ItemText(progress, IDC_PROGRESS_STEP), L"D:\\000_Revivalis\\docs\\r\u00e9sum\u00e9.txt");

  // A quit request met while pumping is left for the engine's own loop.
  gauges_[0](4, 0);
  gauges_[0](4, 1);
  PostQuitMessage(7);
  gauges_[0](4, 2);
  MSG quit;
  ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 7u);
  DestroyWindow(probe);
}

// Counts the texts set into one control of this process.
struct SetTextCounter {
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_SETTEXT) ++count;
    return CallWindowProcW(original, w, msg, wp, lp);
  }
  static WNDPROC original;
  static int count;
};
WNDPROC SetTextCounter::original = nullptr;
int SetTextCounter::count = 0;

// The engine names every restored file. Repainting the field for each of many
// thousand files cost more than the restore itself; it follows at most once a frame,
// and the last name reaches it as soon as the window is served.
TEST_F(RestoreLibraryTest, ABurstOfNamesSetsTheFieldOnceAFrameAndEndsOnTheLast) {
  Load();
  HWND progress = ProgressWindow();
  ASSERT_NE(progress, nullptr);
  HWND field = GetDlgItem(progress, IDC_PROGRESS_STEP);
  SetTextCounter::count = 0;
  SetTextCounter::original =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SetTextCounter::Proc)));
  constexpr int kNames = 2000;
  const DWORD start = GetTickCount();
  for (int i = 0; i < kNames; ++i) record_("Standard  ", (L"C:\\R\\f" + std::to_wstring(i) + L".txt").c_str());
  const DWORD elapsed = GetTickCount() - start;
  // At most one name at the start of each frame the burst lasted, however slow the machine.
  EXPECT_LE(SetTextCounter::count, 2 + static_cast<int>(elapsed / 16)) << elapsed << " ms for " << kNames;
  EXPECT_GE(SetTextCounter::count, 1);
  const std::wstring last = L"C:\\R\\f" + std::to_wstring(kNames - 1) + L".txt";
  EXPECT_TRUE(WaitUntil([&] {
    PumpWaitingMessages();
    return ItemText(progress, IDC_PROGRESS_STEP) == last;
  }, 3000)) << win::FromWide(ItemText(progress, IDC_PROGRESS_STEP));
  SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SetTextCounter::original));
  // A gauge that starts right after a name was held keeps its title in the field.
  record_("Standard  ", L"C:\\R\\held-1.txt");
  record_("Standard  ", L"C:\\R\\held-2.txt");
  gauges_[1](10, 0);
  const DWORD until = GetTickCount() + 200;
  while (static_cast<int>(until - GetTickCount()) > 0) {
    PumpWaitingMessages();
    Sleep(10);
  }
  EXPECT_EQ(ItemText(progress, IDC_PROGRESS_STEP), L"Restauration des fichiers compress\u00e9s");
  // Names the field skipped are all in the list.
  const std::string list = uitest::ReadFileBytes(folder_.File("Revivalis_FileList.txt"));
  EXPECT_EQ(std::count(list.begin(), list.end(), '\n'), kNames + 2);
}

TEST_F(RestoreLibraryTest, CloseTraceDestroysTheWindowAndMayBeRepeated) {
  Load();
  HWND progress = ProgressWindow();
  ASSERT_NE(progress, nullptr);
  close_trace_();
  EXPECT_FALSE(IsWindow(progress));
  close_trace_();
  // Calls that come after the window has gone change nothing and do not fail.
  gauges_[1](10, 0);
  gauges_[1](10, 2);
  record_("Compressed", L"C:\\x.txt");
  display_trace_("late");
  EXPECT_EQ(ProgressWindow(), nullptr);
}

// The request dialog starts the LED indicator through the frame when a restore is
// confirmed; until it is built, the frame is driven here directly, with the library's
// own templates.
TEST_F(RestoreLibraryTest, CloseTraceAndUnloadEndTheIndicatorStartedOverTheCorner) {
  Load();
  for (const bool by_unload : {false, true}) {
    SCOPED_TRACE(by_unload ? "unload" : "CloseTrace");
    RecordingSink sink;
    RestoreLibrary library;
    library.Load(dll_, sink);
    EXPECT_TRUE(sink.messages.empty());
    HWND progress = library.progress_window();
    ASSERT_NE(progress, nullptr);
    library.ShowProgressAndStartIndicator();
    EXPECT_TRUE(IsWindowVisible(progress));
    ASSERT_NE(library.indicator_process(), nullptr);
    const DWORD id = GetProcessId(library.indicator_process());
    win::UniqueHandle watch(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id));
    ASSERT_TRUE(watch);

    HWND led = nullptr;
    ASSERT_TRUE(WaitUntil([&] { return (led = uitest::FindProcessWindow(L"#32770", L"", id)) != nullptr; }));
    RECT p{}, l{};
    GetWindowRect(progress, &p);
    GetWindowRect(led, &l);
    // 6 and 27 pixels in on a 96 dpi screen, scaled on a finer one.
    const int dpi = win::ScreenDpi();
    EXPECT_EQ(l.left, p.left + ScaleForDpi(6, dpi));
    EXPECT_EQ(l.top, p.top + ScaleForDpi(27, dpi));
    EXPECT_TRUE(l.right <= p.right && l.bottom <= p.bottom) << "inside the progress window";

    if (by_unload) {
      library.Unload(false);
    } else {
      library.CloseTrace();
      library.CloseTrace();
    }
    ASSERT_EQ(WaitForSingleObject(watch.get(), 5000), WAIT_OBJECT_0);
    DWORD code = 1;
    GetExitCodeProcess(watch.get(), &code);
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(IsWindow(progress));
    EXPECT_EQ(library.indicator_process(), nullptr);
    if (!by_unload) library.Unload(false);
  }
}

TEST_F(RestoreLibraryTest, VolumeExportsGiveStatusAndAnsiLabel) {
  for (const auto& d : drives_) ASSERT_TRUE(d->ok());
  Load();
  const std::wstring before = CurrentDirectory();
  const struct {
    const char* drive;
    short status;
    const char* label;  // null: the buffer is left as it was
  } cases[] = {
      {"M:", 0, "VLT_ALPHA"}, {"m", 0, "VLT_ALPHA"}, {"O:\\x", 0, "VLT_TWIN"},
      {"1:", -1, nullptr},    {"", -1, nullptr},     {"Q:", -1, nullptr},  // Q: is not mapped
      {"P:", -1, nullptr},  // its root does not exist, so Wine refuses the drive itself
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.drive);
    char label[128];
    memset(label, 'x', sizeof label);
    EXPECT_EQ(get_volume_name_(c.drive, label), c.status);
    EXPECT_EQ(std::string(label, strnlen(label, 97)), c.label ? c.label : std::string(97, 'x'));
    EXPECT_EQ(CurrentDirectory(), before);
  }
  const struct {
    const char* wanted;
    const char* answer;
  } discs[] = {{"VLT_ALPHA", "M"}, {"VLT_TWIN", "?"}, {"vlt_alpha", "?"}};
  for (const auto& d : discs) {
    char answer[4] = "zzz";
    get_disc_(d.wanted, answer);
    EXPECT_STREQ(answer, d.answer) << d.wanted;
  }
}


// ---- the request dialog and the result windows --------------------------------

const std::string kCaption = "Revivalis - restauration";
const std::string kMark = "\xEF\xBB\xBF";
const std::string kKey = "cl\xC3\xA9S\xC3\xA9" "cr\xC3\xA8te";

std::string FieldUtf8(HWND dialog, int id) { return win::GetWindowTextUtf8(GetDlgItem(dialog, id)); }
void Press(HWND window, int id) {
  PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}
std::vector<std::string> ListEntries(HWND list) { return uitest::ListBoxEntries(list); }

class RestoreRequestTest : public RestoreLibraryTest {
 protected:
  void WriteSettings(const std::string& destination_line, const std::string& key = kKey,
                     std::string restore = {}) {
    if (restore.empty()) restore = folder_.File("restored") + "\\";
    uitest::WriteFileBytes(folder_.File("Vaultrine.ini"),
                           kMark + "[general]\r\nov_obsolete=1\r\ncryptkey=" + key + "\r\n\r\n[destination]\r\n" +
                               destination_line + "\r\n\r\n[restore]\r\n" + restore + "\r\n");
  }
  // Runs the request dialog with `script` driving it from another thread.
  void Ask(const std::function<void(HWND)>& script) {
    uitest::WindowDriver driver(ToWide(kCaption), script, 15000, IDC_REQUEST_LIST);
    Export<AskFilesToRestoreFn>(dll_, "AskFilesToRestore")(kCaption.c_str());
    EXPECT_TRUE(driver.Join());
  }
  // Presses `id` and answers the box it brings (owned by the dialog); its text.
  static std::string PressForBox(HWND dialog, int id) {
    uitest::BoxAnswerer box(dialog, IDOK);
    Press(dialog, id);
    const uitest::BoxSeen& seen = box.Join();
    return seen.found ? seen.text : "(no box)";
  }
  std::string Shipped8(const char* key) { return win::FromWide(Shipped(key, "eng")); }
};

TEST_F(RestoreRequestTest, WalksFromSettingsToTheRequestFile) {
  WriteSettings("\"E:\\Backup\" ,name=VLT_ALPHA , search");
  uitest::WriteFileBytes(folder_.File("request.bin"), "left from before");
  CreateDirectoryW(ToWide(folder_.File("restored")).c_str(), nullptr);
  CreateDirectoryW(ToWide(folder_.File("Docs")).c_str(), nullptr);
  uitest::WriteFileBytes(folder_.File("a.txt"), "a");
  Load();
  const std::string request = folder_.File("DecryptList.txt");

  SCOPED_TRACE("opening, then '...' cancelled, start warns, abandon");
  uitest::WriteFileBytes(request, "stale");
  Ask([&](HWND d) {
    EXPECT_FALSE(uitest::FileExists(request)) << "deleted on opening";
    EXPECT_EQ(win::GetWindowTextUtf8(d), kCaption);
    EXPECT_EQ(FieldUtf8(d, IDC_REQUEST_KEY), kKey);
    EXPECT_EQ(FieldUtf8(d, IDC_BACKUP_DESTINATION), "M:\\Backup") << "the drive that carries VLT_ALPHA";
    EXPECT_EQ(FieldUtf8(d, IDC_RESTORE_FOLDER), folder_.File("restored") + "\\");
    EXPECT_EQ(FieldUtf8(d, IDC_WHERE_LABEL), "Restore to");
    {
      uitest::FolderChooserAnswerer chooser(L"", true);
      Press(d, IDM_CHOOSE_RESTORE_FOLDER);
      EXPECT_TRUE(chooser.Join());
    }
    EXPECT_TRUE(WaitUntil([&] { return FieldUtf8(d, IDC_RESTORE_FOLDER).empty(); }));
    EXPECT_EQ(PressForBox(d, IDM_START_RESTORE), Shipped8("ask_14"));
    EXPECT_TRUE(IsWindow(d)) << "stays open";
    EXPECT_EQ(PressForBox(d, IDM_ABANDON), Shipped8("ask_10"));
  });
  EXPECT_FALSE(uitest::FileExists(request));

  SCOPED_TRACE("a folder and a file chosen, sorted, confirmed");
  Ask([&](HWND d) {
    {
      uitest::FolderChooserAnswerer chooser(ToWide(folder_.File("restored")));
      Press(d, IDM_CHOOSE_RESTORE_FOLDER);
      EXPECT_TRUE(chooser.Join());
    }
    {
      uitest::FileChooserAnswerer chooser(ToWide(Shipped8("ask_12")), ToWide(folder_.File("a.txt")));
      Press(d, IDM_ADD_FILE);
      EXPECT_TRUE(chooser.Join().found);
    }
    {
      uitest::FolderChooserAnswerer chooser(ToWide(folder_.File("Docs")));
      Press(d, IDM_ADD_FOLDER);
      EXPECT_TRUE(chooser.Join());
    }
    HWND list = GetDlgItem(d, IDC_REQUEST_LIST);
    EXPECT_TRUE(WaitUntil([&] { return ListEntries(list).size() == 2; }));
    // The list sorts as the system compares, without regard to case.
    EXPECT_EQ(ListEntries(list), (std::vector<std::string>{folder_.File("a.txt"), folder_.File("Docs") + "\\"}));
    // From the keyboard: an arrow only moves the selection, Delete removes the line.
    SendMessageW(list, LB_SETCURSEL, 1, 0);
    SendMessageW(list, WM_KEYDOWN, VK_UP, 0);
    EXPECT_EQ(ListEntries(list).size(), 2u);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);
    SendMessageW(list, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(ListEntries(list), std::vector<std::string>{folder_.File("Docs") + "\\"});
    {
      uitest::FileChooserAnswerer chooser(ToWide(Shipped8("ask_12")), ToWide(folder_.File("a.txt")));
      Press(d, IDM_ADD_FILE);
      EXPECT_TRUE(chooser.Join().found);
    }
    EXPECT_TRUE(WaitUntil([&] { return ListEntries(list).size() == 2; }));
    SendMessageW(GetDlgItem(d, IDC_REQUEST_KEY), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ToWide(kKey).c_str()));
    Press(d, IDM_START_RESTORE);
  });
  EXPECT_EQ(uitest::ReadFileBytes(request), kMark + "key=" + kKey + "\r\ndestination=" + folder_.File("restored") +
                                                "\\\r\n" + folder_.File("a.txt") + "\r\n" + folder_.File("Docs") + "\\\r\n");
  HWND progress = ProgressWindow();
  ASSERT_NE(progress, nullptr);
  EXPECT_TRUE(IsWindowVisible(progress));
  HWND led = nullptr;
  EXPECT_TRUE(WaitUntil([&] { return (led = FindWindowW(L"DPT_WClass", nullptr)) != nullptr; }))
      << "Glowtick started";
  close_trace_();

  SCOPED_TRACE("an empty list warns and closes without a request");
  Ask([&](HWND d) { EXPECT_EQ(PressForBox(d, IDM_START_RESTORE), Shipped8("ask_16")); });
  EXPECT_FALSE(uitest::FileExists(request));
}

// The key goes to the engine as the bytes the editor stored, unless typed anew here;
// a key longer than 63 bytes goes whole (the backup was made with all of it); a
// restore folder that a request line cannot hold is refused, not cut.
TEST_F(RestoreRequestTest, KeyBytesAndFolderLengthReachTheRequestUnchanged) {
  const std::string ansi_key = "cl\xE9S\xE9" "cr\xE8te";  // as the ANSI code page wrote it
  const std::string long_key = std::string(150, 'k') + "\xC3\xA9";
  const std::string long_folder = "D:\\" + std::string(260, 'r') + "\\";
  const std::string too_long =
      "Selected full pathname exceeds 256 characters\n\nselect a shorter one";
  const struct {
    const char* name;
    std::string stored_key;
    std::string restore;    // empty: the test's own folder
    std::string shown_key;  // what the field proposes
    std::string typed_key;  // empty: left as proposed
    std::string sent_key;   // empty: no request is expected
  } cases[] = {
      {"a key in the ANSI code page, untouched", ansi_key, "", kKey, "", ansi_key},
      {"the same key typed anew goes in UTF-8", ansi_key, "", kKey, "neuf\xC3\xA9", "neuf\xC3\xA9"},
      {"a key over 63 bytes, whole", long_key, "", long_key, "", long_key},
      {"an over-long restore folder is refused", kKey, long_folder, kKey, "", ""},
  };
  CreateDirectoryW(ToWide(folder_.File("Docs")).c_str(), nullptr);
  const std::string request = folder_.File("DecryptList.txt");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteSettings("\"E:\\Backup\"", c.stored_key, c.restore);
    Load();
    Ask([&](HWND d) {
      EXPECT_EQ(FieldUtf8(d, IDC_REQUEST_KEY), c.shown_key);
      if (!c.restore.empty()) {
        EXPECT_EQ(FieldUtf8(d, IDC_RESTORE_FOLDER), c.restore);
      }
      {
        uitest::FolderChooserAnswerer chooser(ToWide(folder_.File("Docs")));
        Press(d, IDM_ADD_FOLDER);
        EXPECT_TRUE(chooser.Join());
      }
      EXPECT_TRUE(WaitUntil([&] { return ListEntries(GetDlgItem(d, IDC_REQUEST_LIST)).size() == 1; }));
      if (!c.typed_key.empty())
        SendMessageW(GetDlgItem(d, IDC_REQUEST_KEY), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ToWide(c.typed_key).c_str()));
      if (!c.sent_key.empty()) return Press(d, IDM_START_RESTORE);
      EXPECT_EQ(PressForBox(d, IDM_START_RESTORE), too_long);
      EXPECT_TRUE(IsWindow(d)) << "stays open for another folder";
      PressForBox(d, IDM_ABANDON);
    });
    if (c.sent_key.empty()) {
      EXPECT_FALSE(uitest::FileExists(request));
    } else {
      EXPECT_EQ(uitest::ReadFileBytes(request), kMark + "key=" + c.sent_key + "\r\ndestination=" +
                                                    folder_.File("restored") + "\\\r\n" + folder_.File("Docs") +
                                                    "\\\r\n");
      close_trace_();
    }
    Unload();
  }
}

TEST_F(RestoreRequestTest, AVolumeNotFoundWarnsAndMarksTheDrive) {
  WriteSettings("\"E:\\Backup\" ,name=NOWHERE , search");
  Load();
  const std::string expected = [&] {
    std::string t = Shipped8("ask_11");
    return t.replace(t.find("%s"), 2, "NOWHERE");
  }();
  uitest::BoxAnswerer box(ToWide(kCaption), IDOK);
  Ask([&](HWND d) {
    EXPECT_EQ(FieldUtf8(d, IDC_BACKUP_DESTINATION), "?:\\Backup");
    Press(d, IDM_ABANDON + 0);
    uitest::BoxAnswerer abandon(d, IDOK);
    abandon.Join();
  });
  EXPECT_EQ(box.Join().text, expected);
}

TEST_F(RestoreRequestTest, ResultWindowsAndTheRestoredList) {
  Load();
  const std::string list = folder_.File("Revivalis_FileList.txt");
  record_("Standard  ", L"C:/R/a.txt");
  record_("CompCrypt ", L"C:\\R\\\u00e9t\u00e9.doc");
  EXPECT_EQ(uitest::ReadFileBytes(list),
            kMark + "Standard  :    C:\\R\\a.txt\r\nCompCrypt :    C:\\R\\\xC3\xA9t\xC3\xA9.doc\r\n");
  {
    uitest::WindowDriver driver(ToWide(kCaption), [&](HWND w) {
      for (const auto& [id, text] : std::vector<std::pair<int, std::string>>{
               {401, "1"}, {402, "0"}, {403, "0"}, {404, "1"}, {405, "??? M bytes"}, {400, "08/12/2026 10:00"}})
        EXPECT_EQ(FieldUtf8(w, id), text) << id;
      EXPECT_TRUE(IsWindowVisible(GetDlgItem(w, IDM_VIEW_LIST)));
      EXPECT_EQ(FieldUtf8(w, IDC_RESTORE_DATE_LABEL), Shipped8("good_1"));
      Press(w, IDM_SUCCESS_OK);
    });
    Export<DisplayGoodRestoreResultFn>(dll_, "DisplayGoodResult")(kCaption.c_str(), "08/12/2026 10:00", "12345");
    EXPECT_TRUE(driver.Join());
  }
  Unload();

  // Only a file both compressed and crypted: nothing to look at in the list.
  Load();
  record_("CompCrypt ", L"C:\\x");
  {
    uitest::WindowDriver driver(ToWide(kCaption), [&](HWND w) {
      EXPECT_EQ(FieldUtf8(w, IDC_COMP_CRYPT_COUNT), "1");
      EXPECT_FALSE(IsWindowVisible(GetDlgItem(w, IDM_VIEW_LIST)));
      Press(w, IDM_SUCCESS_OK);
    });
    Export<DisplayGoodRestoreResultFn>(dll_, "DisplayGoodResult")(kCaption.c_str(), "d", "0");
    EXPECT_TRUE(driver.Join());
  }
  Unload();

  const std::string missing = "IOError: [Errno 2] No such file or directory: 'decryptlist.txt'";
  const struct {
    std::string errors;
    bool notice;
    std::vector<std::string> shown;
  } failures[] = {
      {missing + "\n", true, {}},
      // The file named as it is written.
      {"IOError: [Errno 2] No such file or directory: '.\\DecryptList.txt'\n", true, {}},
      {"first\nIOError: [Errno 2] No such file or directory: 'other.txt'", false,
       {"first", "IOError: [Errno 2] No such file or directory: 'other.txt'"}},
  };
  for (const auto& f : failures) {
    SCOPED_TRACE(f.errors);
    Load();
    std::vector<std::string> shown;
    bool window = false;
    // The failure window has the caption too: the box answerer only where a box is due.
    std::optional<uitest::BoxAnswerer> notice;
    if (f.notice) notice.emplace(ToWide(kCaption), IDOK);
    {
      uitest::WindowDriver driver(ToWide(kCaption), [&](HWND w) {
        window = true;
        shown = ListEntries(GetDlgItem(w, IDC_RESTORE_ERROR_LIST));
        EXPECT_EQ(SendMessageW(GetDlgItem(w, IDC_RESTORE_ERROR_LIST), LB_GETCURSEL, 0, 0), static_cast<LRESULT>(shown.size()) - 1);
        Press(w, IDM_FAILURE_OK);
      }, f.notice ? 3000 : 15000, IDC_RESTORE_ERROR_LIST);
      Export<DisplayBadRestoreResultFn>(dll_, "DisplayBadResult")(kCaption.c_str(), "d", f.errors.c_str());
      driver.Join();
    }
    if (notice) {
      const uitest::BoxSeen& seen = notice->Join();
      EXPECT_TRUE(seen.found);
      EXPECT_EQ(seen.text, Shipped8("bad_2"));
    }
    EXPECT_EQ(window, !f.notice);
    EXPECT_EQ(shown, f.shown);
    Unload();
  }
}

// A list the restore could not write: the files it lacks are said before the success
// window, which counts only what the list holds.
TEST_F(RestoreRequestTest, AnIncompleteRestoredListIsReportedBeforeTheWindow) {
  Load();
  // A folder where the list should be: the list cannot be created.
  ASSERT_TRUE(CreateDirectoryW(ToWide(folder_.File("Revivalis_FileList.txt")).c_str(), nullptr));
  record_("Standard  ", L"C:\\R\\a.txt");
  record_("Compressed", L"C:\\R\\b.txt");
  record_("CompCrypt ", L"C:\\R\\c.txt");
  std::string expected = Shipped8("lst_1");
  expected.replace(expected.find("%s"), 2, "3");
  uitest::BoxAnswerer box(ToWide(kCaption), IDOK);
  {
    uitest::WindowDriver driver(ToWide(kCaption), [&](HWND w) {
      for (int id : {401, 402, 403, 404}) EXPECT_EQ(FieldUtf8(w, id), "0") << id;
      EXPECT_FALSE(IsWindowVisible(GetDlgItem(w, IDM_VIEW_LIST)));
      Press(w, IDM_SUCCESS_OK);
    }, 15000, IDM_SUCCESS_OK);
    Export<DisplayGoodRestoreResultFn>(dll_, "DisplayGoodResult")(kCaption.c_str(), "d", "0");
    EXPECT_TRUE(driver.Join());
  }
  const uitest::BoxSeen& seen = box.Join();
  EXPECT_TRUE(seen.found);
  EXPECT_EQ(seen.text, expected);
}

}  // namespace
}  // namespace vaultrine::restore
