#include "config_editor/parameter_file_page.h"

#include <windowsx.h>

#include <vector>

#include "common/message_keys.h"
#include "common/win/result_drawing.h"
#include "common/win/screen_dpi.h"
#include "common/win/wide.h"
#include "config_editor/choosers.h"
#include "config_editor/core/shell_rules.h"
#include "config_editor/end_question_dialog.h"
#include "config_editor/resource.h"

namespace vaultrine::config {

namespace {

constexpr const char* kParameterFilter = "*.ini|*.ini||";
constexpr const char* kCurrentFolder = ".\\";

// Names of the plain files in the current directory that may be parameter files.
std::vector<std::string> ParameterFileNamesHere() {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(L"*.ini", &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(win::FromWide(found.cFileName));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

std::string CurrentFolder() {
  const DWORD n = GetCurrentDirectoryW(0, nullptr);
  std::wstring folder(n, L'\0');
  folder.resize(GetCurrentDirectoryW(n, folder.data()));
  if (!folder.empty() && folder.back() == L'\\') folder.pop_back();  // a drive root
  return win::FromWide(folder);
}

}  // namespace

ParameterFilePage::ParameterFilePage(EditorContext& context)
    : EditorPage(context, IDD_PARAMETER_FILE_PAGE) {}

BOOL ParameterFilePage::OnInit() {
  pointer_ = LoadCursorW(instance(), MAKEINTRESOURCEW(IDC_POINTER));
  dpi_ = win::ScreenDpi();
  pictures_.Apply(hwnd(), dpi_);
  PinPictures();
  if (!ctx_.startup_search_done) {
    ctx_.startup_search_done = true;
    StartupSearch();
  }
  ShowPath();
  CheckDlgButton(hwnd(), IDC_ADVANCED, ctx_.advanced ? BST_CHECKED : BST_UNCHECKED);

  // The language list only mirrors the language found at start; it stays hidden.
  HWND list = Item(IDC_LANGUAGE_LIST);
  for (const char* key : {message_keys::kParameterPage[2], message_keys::kParameterPage[3]})
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ctx_.Text(key).c_str()));
  SendMessageW(list, CB_SETCURSEL, ctx_.language_code == "fra" ? 1 : 0, 0);

  SetDlgItemTextW(hwnd(), IDC_FILE_LABEL, ctx_.Text(message_keys::kParameterPage[0]).c_str());
  SetDlgItemTextW(hwnd(), IDC_ADVANCED, ctx_.Text(message_keys::kParameterPage[1]).c_str());
  return EditorPage::OnInit();
}

// The hot regions are fixed pixels: the pictures go exactly over them whatever
// the dialog font makes of the template's units.
void ParameterFilePage::PinPictures() {
  const FilePageRegion order[] = {FilePageRegion::kNew, FilePageRegion::kExisting};
  int n = 0;
  for (HWND child = GetWindow(hwnd(), GW_CHILD); child && n < 2; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP) continue;
    const PixelRect r = FilePageRegionRect(order[n++], dpi_);
    SetWindowPos(child, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void ParameterFilePage::StartupSearch() {
  // The file found is being edited in another editor, now in front: this one has
  // nothing to do.
  if (ctx_.files.ChooseFirstCompatible(CurrentFolder(), ParameterFileNamesHere(), ctx_.sink) ==
      Choice::kHeldElsewhere)
    PostMessageW(ctx_.main, WM_COMMAND, IDCANCEL, 0);
}

void ParameterFilePage::ShowPath() {
  win::SetDlgItemTextUtf8(hwnd(), IDC_PARAMETER_PATH, ctx_.files.path());
  win::SetWindowTextUtf8(ctx_.main, ctx_.files.Caption());
}

bool ParameterFilePage::OnCommand(int id, int notify_code, HWND control) {
  switch (id) {
    case IDM_NEW_FILE: NewFile(); return true;
    case IDM_EXISTING_FILE: ExistingFile(); return true;
    case IDC_ADVANCED:
      if (notify_code != BN_CLICKED) return false;
      ctx_.advanced = !ctx_.advanced;
      // Posted: rebuilding the tabs destroys this page.
      PostMessageW(ctx_.main, WM_COMMAND, IDM_REBUILD_TABS, 0);
      return true;
    default: return EditorPage::OnCommand(id, notify_code, control);
  }
}

bool ParameterFilePage::SettleCurrentFile() {
  if (ctx_.files.state() != FileState::kConverted) return true;
  EndQuestionDialog question(ctx_, ctx_.files.path());
  switch (question.RunModal(ctx_.main)) {
    case EndQuestionDialog::kSave: return ctx_.files.Save(ctx_.sink) == kWritten;
    case EndQuestionDialog::kDiscard: ctx_.files.Discard(); return true;
    default: return false;
  }
}

bool ParameterFilePage::ClaimThenSettle(const std::string& chosen) {
  if (!ctx_.files.Claim(chosen, ctx_.sink)) return false;
  if (SettleCurrentFile()) return true;
  ctx_.files.Unclaim();
  return false;
}

void ParameterFilePage::NewFile() {
  std::wstring chosen;
  if (ChooseFile(ctx_.main, chosen, kCurrentFolder, ctx_.Text(message_keys::kChooserTitles[0]),
                 ChooseMode::kSave, kParameterFilter, ctx_.sink) != 0)
    return;
  if (!ClaimThenSettle(win::FromWide(chosen))) return;
  ctx_.files.ChooseNew(win::FromWide(chosen), ctx_.advanced, ctx_.sink);
  ShowPath();
}

void ParameterFilePage::ExistingFile() {
  std::wstring chosen;
  if (ChooseFile(ctx_.main, chosen, kCurrentFolder, ctx_.Text(message_keys::kChooserTitles[1]),
                 ChooseMode::kOpen, kParameterFilter, ctx_.sink) != 0)
    return;
  if (!ClaimThenSettle(win::FromWide(chosen))) return;
  // The path shows before the compatibility message, as the file being tested.
  win::SetDlgItemTextUtf8(hwnd(), IDC_PARAMETER_PATH, win::FromWide(chosen));
  ctx_.files.ChooseExisting(win::FromWide(chosen), ctx_.sink);
  ShowPath();
}

bool ParameterFilePage::Save() {
  const bool fresh = !PathExists(ctx_.files.internal_file());
  if (ctx_.files.Convert(ctx_.sink) == kConverted) {
    if (fresh) WarnOfLongLists();
    return true;
  }
  ShowPath();
  ctx_.return_tab = 0;
  PostMessageW(ctx_.main, WM_COMMAND, IDM_RETURN_TAB, 0);
  return false;
}

void ParameterFilePage::WarnOfLongLists() {
  std::string lists;
  for (const std::string& name : ListsOverLimit(ProfileFile(ctx_.files.internal_file())))
    lists += (lists.empty() ? "" : " ") + name;
  if (lists.empty()) return;
  std::string text = win::FromWide(ctx_.Text(message_keys::kListsOverLimit));
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, lists);
  ShowEditorMessage(ctx_.sink, text, MessageIcon::kWarning);
}

void ParameterFilePage::OnPointerMove(int x, int y) {
  last_x_ = x;
  last_y_ = y;
  const bool was_shown = hot_.shown();
  switch (hot_.Moved(FilePageRegionAt(x, y, dpi_) != FilePageRegion::kNone)) {
    case CursorAction::kSetHand: {
      HCURSOR previous = SetCursor(pointer_);
      if (!was_shown) saved_cursor_ = previous;
      break;
    }
    case CursorAction::kRestoreSaved:
      SetCursor(saved_cursor_);
      saved_cursor_ = nullptr;
      break;
    case CursorAction::kNone: break;
  }
}

bool ParameterFilePage::OnMessage(UINT msg, WPARAM, LPARAM lp, INT_PTR& result) {
  switch (msg) {
    case WM_MOUSEMOVE:
      OnPointerMove(GET_X_LPARAM(lp), GET_Y_LPARAM(lp));
      result = 0;
      return true;
    case WM_SETCURSOR:
      // Keep the pointer over a picture instead of flashing the class arrow.
      if (hot_.shown() && LOWORD(lp) == HTCLIENT) {
        SetCursor(pointer_);
        result = TRUE;
        return true;
      }
      return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      // The last movement decides, as with the launcher's rows.
      switch (FilePageRegionAt(last_x_, last_y_, dpi_)) {
        case FilePageRegion::kNew: PostMessageW(hwnd(), WM_COMMAND, IDM_NEW_FILE, 0); break;
        case FilePageRegion::kExisting: PostMessageW(hwnd(), WM_COMMAND, IDM_EXISTING_FILE, 0); break;
        case FilePageRegion::kNone: break;
      }
      return false;
    default: return false;
  }
}

void ParameterFilePage::OnDestroy() {
  if (hot_.shown() && saved_cursor_) SetCursor(saved_cursor_);
}

}  // namespace vaultrine::config
