#include "launcher/launcher_window.h"

#include <windowsx.h>

#include <iterator>


#include "common/file_io.h"
#include "common/last_backup.h"
#include "common/win/process_runner.h"
#include "common/win/raii.h"
#include "common/win/wide.h"
#include "launcher/obsolete_command.h"
#include "launcher/resource.h"

namespace vaultrine::launcher {

namespace {

// The line in the pictures' ink, a failure in red, on the parchment behind it.
constexpr COLORREF kParchment = RGB(0xF4, 0xE9, 0xCF);
constexpr COLORREF kInk = RGB(0x4B, 0x2E, 0x16);
constexpr COLORREF kFailureRed = RGB(0xC0, 0x00, 0x00);
// Pixels like the rest of the picture, so the line keeps its place at any dpi; a line
// too long for the first size tries the second before it is cut.
constexpr int kStatusFontPixels[] = {11, 10};

const char* EngineOf(Command command) { return command == Command::kBackup ? "Vaultrine.exe" : "Revivalis.exe"; }

}  // namespace

LauncherEnvironment SystemEnvironment() {
  LauncherEnvironment env;
  env.module_file_name = [] { return win::ModuleFileName(nullptr); };
  env.windows_folder = []() {
    wchar_t buffer[MAX_PATH + 1] = {};
    const UINT n = GetWindowsDirectoryW(buffer, MAX_PATH + 1);
    return n && n <= MAX_PATH ? win::FromWide(std::wstring_view(buffer, n)) : std::string();
  };
  env.obsolete_report = ShowObsoleteReport;
  return env;
}

LauncherWindow::LauncherWindow(HINSTANCE instance, LauncherEnvironment environment)
    : DialogBase(instance, IDD_LAUNCHER), env_(std::move(environment)) {}

LauncherWindow::~LauncherWindow() {
  if (icon_) DestroyIcon(icon_);
  if (small_icon_) DestroyIcon(small_icon_);
}

HWND LauncherWindow::Open() {
  HWND h = Create(nullptr);
  if (h) ShowWindow(h, SW_SHOW);
  return h;
}

void LauncherWindow::Process(MSG& msg) {
  const bool ours = hwnd() && (msg.hwnd == hwnd() || IsChild(hwnd(), msg.hwnd));
  if (ours && (msg.message == WM_LBUTTONDOWN || msg.message == WM_LBUTTONDBLCLK)) FilterClick();
  // A row's key does what a click on the row does, and goes no further: the language
  // list that has the focus must not take it for itself.
  if (ours && msg.message == WM_KEYDOWN) {
    if (const std::optional<HotRegion> region = RegionForKey(static_cast<unsigned>(msg.wParam))) {
      Activate(*region);
      return;
    }
  }
  // The click goes on to the normal handling in every case.
  if (hwnd() && IsDialogMessageW(hwnd(), &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

int LauncherWindow::Run() {
  if (!Open()) return 1;
  MSG msg;
  while (hwnd() && GetMessageW(&msg, nullptr, 0, 0) > 0) Process(msg);
  return 0;
}

BOOL LauncherWindow::OnInit() {
  const int big = GetSystemMetrics(SM_CXICON);
  const int small = GetSystemMetrics(SM_CXSMICON);
  icon_ = static_cast<HICON>(LoadImageW(instance(), MAKEINTRESOURCEW(IDI_LAUNCHER), IMAGE_ICON, big, big, 0));
  small_icon_ = static_cast<HICON>(
      LoadImageW(instance(), MAKEINTRESOURCEW(IDI_LAUNCHER), IMAGE_ICON, small, small, 0));
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_));
  hand_ = LoadCursorW(instance(), MAKEINTRESOURCEW(IDC_HAND_POINTER));

  // The background is the first control; keep it under the labels so that it never
  // paints over the one that is showing.
  if (HWND background = GetWindow(hwnd(), GW_CHILD)) {
    SetWindowLongPtrW(background, GWL_STYLE,
                      GetWindowLongPtrW(background, GWL_STYLE) | WS_CLIPSIBLINGS);
    SetWindowPos(background, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

  PinLayout();

  HWND list = Item(IDC_LAUNCHER_LANGUAGE);
  SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"English"));
  SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"Fran\u00E7ais"));
  board_ = LabelBoard(DetectLanguage());
  SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(board_.language()), 0);
  ApplyLabels();
  // A folder too deep to use is reported when a command needs it, not at start.
  RebuildPaths(false);
  parchment_.reset(CreateSolidBrush(kParchment));
  for (size_t i = 0; i < std::size(kStatusFontPixels); ++i) {
    status_fonts_[i].reset(CreateFontW(-kStatusFontPixels[i], 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                       VARIABLE_PITCH | FF_SWISS, L"Tahoma"));
  }
  ShowLastBackup();
  return TRUE;
}

bool LauncherWindow::OnCommand(int id, int notify_code, HWND control) {
  switch (id) {
    case IDM_BACKUP: StartCommand(Command::kBackup); return true;
    case IDM_RESTORE: StartCommand(Command::kRestore); return true;
    case IDM_CONFIGURE: StartCommand(Command::kConfigure); return true;
    case IDM_OBSOLETE: StartCommand(Command::kObsolete); return true;
    case IDM_DOCUMENTATION: StartCommand(Command::kDocumentation); return true;
    case IDC_LAUNCHER_LANGUAGE:
      if (notify_code == CBN_SELCHANGE) {
        const LRESULT index = SendMessageW(Item(IDC_LAUNCHER_LANGUAGE), CB_GETCURSEL, 0, 0);
        if (index == 0 || index == 1) {
          const Language chosen = static_cast<Language>(index);
          SwitchCatalog(chosen);
          board_.ChangeLanguage(chosen);
          ApplyLabels();
          ShowLastBackup();
        }
        return true;
      }
      return false;
    default: return DialogBase::OnCommand(id, notify_code, control);
  }
}

bool LauncherWindow::OnPaint() {
  if (!IsIconic(hwnd()) || !icon_) return false;
  win::PaintDC dc(hwnd());
  RECT rc;
  GetClientRect(hwnd(), &rc);
  const int cx = GetSystemMetrics(SM_CXICON);
  const int cy = GetSystemMetrics(SM_CYICON);
  DrawIcon(dc.get(), (rc.right - cx + 1) / 2, (rc.bottom - cy + 1) / 2, icon_);
  return true;
}

HBRUSH LauncherWindow::OnCtlColor(HDC dc, HWND control, UINT message) {
  if (message != WM_CTLCOLORSTATIC || control != Item(IDC_LAST_BACKUP)) return nullptr;
  SetTextColor(dc, last_backup_.failed ? kFailureRed : kInk);
  SetBkColor(dc, kParchment);
  return parchment_.get();
}

void LauncherWindow::OnDestroy() {
  if (board_.HandShown()) SetCursor(saved_cursor_);
}

bool LauncherWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  switch (msg) {
    case WM_MOUSEMOVE:
      OnPointerMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      result = 0;
      return true;
    case WM_SETCURSOR:
      // Keep the hand while over a hot region instead of flashing the class arrow.
      if (board_.HandShown() && LOWORD(lp) == HTCLIENT && wp == reinterpret_cast<WPARAM>(hwnd())) {
        SetCursor(hand_);
        result = TRUE;
        return true;
      }
      return false;
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<INT_PTR>(icon_);
      return true;
    case WM_ACTIVATE:
      // Back in front, perhaps after a backup started elsewhere: read the status again.
      if (LOWORD(wp) != WA_INACTIVE) ShowLastBackup();
      return false;
    default: return false;
  }
}

// The hot regions are fixed pixels of the background: lay the pictures out in pixels
// too, so a dialog font with other metrics cannot pull the labels off their rows.
void LauncherWindow::PinLayout() {
  RECT frame = {0, 0, kBackgroundWidth, kBackgroundHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(hwnd(), GWL_EXSTYLE)));
  SetWindowPos(hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const UINT keep = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
  for (Row row : kRows) {
    const PixelPoint at = LabelOrigin(row);
    for (Language l : {Language::kFrench, Language::kEnglish}) {
      for (bool hot : {false, true}) SetWindowPos(Item(LabelId(row, l, hot)), nullptr, at.x, at.y, 0, 0, keep);
    }
  }
  SetWindowPos(Item(IDC_LAST_BACKUP), nullptr, kLastBackupBox.left, kLastBackupBox.top,
               kLastBackupBox.right - kLastBackupBox.left + 1, kLastBackupBox.bottom - kLastBackupBox.top + 1,
               SWP_NOZORDER | SWP_NOACTIVATE);
  const PixelRect list = LanguageListBox();
  SetWindowPos(Item(IDC_LAUNCHER_LANGUAGE), nullptr, list.left, list.top, list.right - list.left,
               list.bottom - list.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void LauncherWindow::ApplyLabels() {
  for (int id = kFirstLabelId; id <= kLastLabelId; ++id) {
    HWND label = Item(id);
    if (!label) continue;
    const bool want = board_.Visible(id);
    const bool shown = (GetWindowLongPtrW(label, GWL_STYLE) & WS_VISIBLE) != 0;
    if (want != shown) ShowWindow(label, want ? SW_SHOW : SW_HIDE);
  }
}

void LauncherWindow::OnPointerMove(int x, int y) {
  last_x_ = x;
  last_y_ = y;
  const bool had_hand = board_.HandShown();
  const CursorAction action = board_.PointerMoved(x, y);
  ApplyLabels();
  if (action == CursorAction::kSetHand) {
    HCURSOR previous = SetCursor(hand_);
    if (!had_hand) saved_cursor_ = previous;
  } else if (action == CursorAction::kRestoreSaved) {
    SetCursor(saved_cursor_);
    saved_cursor_ = nullptr;
  }
}

void LauncherWindow::FilterClick() { Activate(RegionAt(last_x_, last_y_)); }

void LauncherWindow::Activate(HotRegion region) {
  const Language lang = board_.language();
  switch (region) {
    case HotRegion::kHelp:
      PostMessageW(hwnd(), WM_COMMAND, IDM_DOCUMENTATION, 0);
      break;
    case HotRegion::kConfigure:
      PostMessageW(hwnd(), WM_COMMAND, IDM_CONFIGURE, 0);
      break;
    case HotRegion::kBackup:
    case HotRegion::kRestore:
      if (!RebuildPaths()) break;
      if (FileReadable(paths_.settings_path)) {
        PostMessageW(hwnd(), WM_COMMAND, region == HotRegion::kBackup ? IDM_BACKUP : IDM_RESTORE, 0);
      } else {
        ShowInfo(LauncherMessage(LauncherText::kSettingsMissing, lang));
      }
      break;
    case HotRegion::kObsolete:
      if (!RebuildPaths()) break;
      if (FileReadable(paths_.database_path)) {
        PostMessageW(hwnd(), WM_COMMAND, IDM_OBSOLETE, 0);
      } else {
        ShowInfo(LauncherMessage(LauncherText::kDatabaseMissing, lang));
      }
      break;
    case HotRegion::kNone: break;
  }
}

bool LauncherWindow::RebuildPaths(bool report) {
  const std::optional<std::string> module = env_.module_file_name();
  const std::optional<std::string> folder = module ? ProgramFolderOf(*module) : std::nullopt;
  if (!folder) {
    PostQuitMessage(0);
    return false;
  }
  const std::string settings = *folder + "\\" + kSettingsFileName;
  paths_ = BuildPaths(*folder, ReadWholeFile(settings));
  if (const std::optional<std::string> overlong = OverlongPath(paths_)) {
    if (report) ShowInfo(LauncherMessage(LauncherText::kPathTooLong, board_.language()) + "\n" + *overlong);
    return false;
  }
  return true;
}

void LauncherWindow::StartCommand(Command command) {
  if (!RebuildPaths()) return;
  const Language lang = board_.language();
  if (command == Command::kObsolete) {
    env_.obsolete_report(hwnd(), lang, paths_.database_path, paths_.program_folder);
    return;
  }
  const std::string line = CommandLineFor(command, paths_, lang, env_.windows_folder());
  if (CharCount(line) > kMaxCommandLineChars) {
    ShowInfo(LauncherMessage(LauncherText::kPathTooLong, lang) + "\n" + line);
    return;
  }
  if (command == Command::kDocumentation) {
    win::RunNoWait(win::LauncherNoWaitVariant(hwnd()), line, paths_.working_folder);
    return;
  }
  // The engines are installed apart from the suite: say which one is missing and
  // where it belongs rather than pass on the system's "file not found".
  if ((command == Command::kBackup || command == Command::kRestore) &&
      !FileReadable(paths_.program_folder + "\\" + EngineOf(command))) {
    ShowInfo(MissingEngineMessage(EngineOf(command), paths_.program_folder, lang));
    return;
  }
  win::RunAndWait(win::LauncherWaitVariant(hwnd()), line, paths_.working_folder);
  ShowLastBackup();
}

void LauncherWindow::ShowInfo(const std::string& text) {
  MessageBoxW(hwnd(), win::ToWide(text).c_str(), win::ToWide(kLauncherCaption).c_str(),
              MB_OK | MB_ICONINFORMATION | MB_TOPMOST);
}

void LauncherWindow::ShowLastBackup() {
  HWND control = Item(IDC_LAST_BACKUP);
  if (!control) return;
  LastBackup status;
  if (!paths_.program_folder.empty()) status = ReadLastBackup(paths_.program_folder + "\\" + kLastBackupFileName);
  last_backup_ = DescribeLastBackup(status, board_.language());
  RECT box{};
  GetClientRect(control, &box);
  const std::string whole = last_backup_.text;
  HFONT chosen = nullptr;
  {
    win::WindowDC dc(control);
    for (const win::Font& font : status_fonts_) {
      if (!font) continue;
      chosen = font.get();
      win::SelectIn select(dc.get(), chosen);
      last_backup_.text = FitWithEllipsis(whole, box.right - box.left, [&](std::string_view text) {
        const std::wstring wide = win::ToWide(std::string(text));
        SIZE size{};
        GetTextExtentPoint32W(dc.get(), wide.c_str(), static_cast<int>(wide.size()), &size);
        return static_cast<int>(size.cx);
      });
      if (last_backup_.text == whole) break;
    }
  }
  if (chosen) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(chosen), FALSE);
  win::SetWindowTextUtf8(control, last_backup_.text);
  InvalidateRect(control, nullptr, TRUE);
}

}  // namespace vaultrine::launcher
