#include "config_editor/editor_main_dialog.h"

#include <commctrl.h>

#include "common/language.h"
#include "common/message_keys.h"
#include "common/win/wide.h"
#include "config_editor/core/rule_sections.h"
#include "config_editor/core/shell_rules.h"
#include "config_editor/editor_pages.h"
#include "config_editor/end_question_dialog.h"
#include "config_editor/resource.h"

namespace vaultrine::config {

namespace {
constexpr UINT kSwitchToSelection = WM_APP + 1;
}  // namespace

EditorMainDialog::EditorMainDialog(HINSTANCE instance, std::string program_folder)
    : DialogBase(instance, IDD_EDITOR_MAIN), ctx_(instance, std::move(program_folder)) {}

EditorMainDialog::~EditorMainDialog() {
  page_.reset();
  if (icon_) DestroyIcon(icon_);
  if (small_icon_) DestroyIcon(small_icon_);
}

BOOL EditorMainDialog::OnInit() {
  ctx_.main = hwnd();
  tabs_ = Item(IDC_TABS);
  background_.reset(CreateSolidBrush(kMainBackground));
  const int big = GetSystemMetrics(SM_CXICON);
  const int small = GetSystemMetrics(SM_CXSMICON);
  icon_ = static_cast<HICON>(LoadImageW(instance(), MAKEINTRESOURCEW(IDI_EDITOR), IMAGE_ICON, big, big, 0));
  small_icon_ = static_cast<HICON>(
      LoadImageW(instance(), MAKEINTRESOURCEW(IDI_EDITOR), IMAGE_ICON, small, small, 0));
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_));

  ctx_.language_code = LanguageCode(DetectLanguage());
  if (ctx_.program_folder.empty())
    ShowEditorMessage(ctx_.sink, "GetModuleFileName() major failure", MessageIcon::kError);
  ctx_.messages.LoadMessageFile(ctx_.program_folder, ctx_.sink);
  ctx_.messages.SelectSection(message_keys::kSection, ctx_.language_code);
  BuildTabs();
  // The keyboard starts on the tabs, not inside the page laid over them.
  SetFocus(tabs_);
  return FALSE;
}

void EditorMainDialog::BuildTabs() {
  DestroyPage();  // nothing to save: only the parameter-file page changes the mode
  TabCtrl_DeleteAllItems(tabs_);
  for (int tab = 0; tab < TabCount(ctx_.advanced); ++tab) {
    std::wstring label = ctx_.Text(TabLabelKey(tab));
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = label.data();
    SendMessageW(tabs_, TCM_INSERTITEMW, tab, reinterpret_cast<LPARAM>(&item));
  }
  ctx_.return_tab = 0;
  TabCtrl_SetCurSel(tabs_, 0);
  ShowPage(0);
}

void EditorMainDialog::SwitchTo(int tab) {
  if (tab < 0 || tab >= TabCount(ctx_.advanced) || (page_ && tab == page_tab_)) return;
  if (page_ && !page_->Leave()) {
    TabCtrl_SetCurSel(tabs_, page_tab_);
    return;
  }
  ShowPage(tab);
}

void EditorMainDialog::ShowPage(int tab) {
  DestroyPage();
  page_ = MakePage(tab, ctx_);
  page_tab_ = tab;
  ctx_.current_page = page_->Open(tabs_);
}

void EditorMainDialog::DestroyPage() {
  if (!page_) return;
  // Keep the keyboard in the window while the focused control goes.
  if (page_->hwnd() && IsChild(page_->hwnd(), GetFocus())) SetFocus(tabs_);
  page_.reset();
  page_tab_ = -1;
  ctx_.current_page = nullptr;
}

bool EditorMainDialog::OnCommand(int id, int notify_code, HWND control) {
  switch (id) {
    case IDOK:
      // Enter neither closes nor skips the question; the page may have a use for it.
      if (page_) SendMessageW(page_->hwnd(), WM_COMMAND, IDOK, 0);
      return true;
    case IDCANCEL: CloseSequence(); return true;
    case IDM_RETURN_TAB:
      TabCtrl_SetCurSel(tabs_, ctx_.return_tab);
      SwitchTo(ctx_.return_tab);
      return true;
    case IDM_PLACE_PAGE:
      if (page_) SendMessageW(page_->hwnd(), WM_COMMAND, IDM_PLACE_PAGE, 0);
      return true;
    case IDM_REBUILD_TABS: BuildTabs(); return true;
    default: return DialogBase::OnCommand(id, notify_code, control);
  }
}

void EditorMainDialog::CloseSequence() {
  switch (ctx_.files.state()) {
    case FileState::kNoFile: EndEditor(); return;
    case FileState::kChosen:  // never converted: nothing can have changed
      ctx_.files.Discard();
      EndEditor();
      return;
    case FileState::kConverted: break;
  }
  // The page's last changes. A page that cannot keep them has said why, and the
  // user stays on it: the question would otherwise save the file without them.
  if (page_ && page_tab_ != 0 && !page_->Leave()) return;
  TabCtrl_SetCurSel(tabs_, 0);
  ShowPage(0);
  ShowWindow(hwnd(), SW_MINIMIZE);
  EndQuestionDialog question(ctx_, ctx_.files.path());
  switch (question.RunModal(hwnd())) {
    case EndQuestionDialog::kSave:
      if (ctx_.files.Save(ctx_.sink) != kWritten) {
        // The save has said why. The file is as it was and the edits are still in
        // the internal file: the user removes the cause and closes again.
        ShowWindow(hwnd(), SW_RESTORE);
        return;
      }
      break;
    case EndQuestionDialog::kDiscard: ctx_.files.Discard(); break;
    default:
      // Escape or the close box: the user goes on editing, nothing is lost.
      ShowWindow(hwnd(), SW_RESTORE);
      return;
  }
  EndEditor();
}

void EditorMainDialog::EndEditor() {
  DestroyPage();
  ctx_.messages.ReleaseMessageFile();
  End(0);
}

HBRUSH EditorMainDialog::OnCtlColor(HDC dc, HWND control, UINT message) {
  if (message == WM_CTLCOLORDLG) return background_.get();
  return ctx_.PageColours(dc, control, message);
}

bool EditorMainDialog::OnPaint() {
  if (!IsIconic(hwnd()) || !icon_) return false;
  win::PaintDC dc(hwnd());
  RECT rc;
  GetClientRect(hwnd(), &rc);
  DrawIcon(dc.get(), (rc.right - GetSystemMetrics(SM_CXICON) + 1) / 2,
           (rc.bottom - GetSystemMetrics(SM_CYICON) + 1) / 2, icon_);
  return true;
}

bool EditorMainDialog::OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  switch (msg) {
    case WM_NOTIFY: {
      const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lp);
      if (hdr->hwndFrom != tabs_ || hdr->code != TCN_SELCHANGE) return false;
      // Switched once the tab control has finished with the click or key: a
      // refusal's message box must not run inside its handling. Changes that
      // come quicker than that end on the last selection.
      PostMessageW(hwnd(), kSwitchToSelection, 0, 0);
      result = 0;
      return true;
    }
    case kSwitchToSelection: {
      SwitchTo(TabCtrl_GetCurSel(tabs_));
      result = 0;
      return true;
    }
    case WM_SYSCOMMAND:
      if (!SystemCommandAllowed(static_cast<unsigned>(wp))) {
        result = 0;
        return true;
      }
      PostMessageW(hwnd(), WM_COMMAND, IDM_PLACE_PAGE, 0);
      return false;
    case WM_QUERYDRAGICON:
      result = reinterpret_cast<INT_PTR>(icon_);
      return true;
    default: return false;
  }
}

}  // namespace vaultrine::config
