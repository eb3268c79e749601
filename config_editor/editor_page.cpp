#include "config_editor/editor_page.h"

#include <commctrl.h>

#include "common/file_io.h"
#include "common/message_keys.h"
#include "common/win/wide.h"
#include "config_editor/core/message_sink.h"
#include "config_editor/resource.h"

namespace vaultrine::config {

HWND EditorPage::Open(HWND tabs) {
  tabs_ = tabs;
  HWND page = Create(GetParent(tabs));
  if (!page) return nullptr;
  Place();
  ShowWindow(page, SW_SHOW);
  return page;
}

bool EditorPage::Leave() {
  saved_ = true;
  SendMessageW(hwnd(), WM_COMMAND, IDM_SAVE_PAGE, 0);
  return saved_;
}

namespace {

std::string WithPath(std::wstring format, const std::string& path) {
  std::string text = win::FromWide(format);
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, path);
  return text;
}

}  // namespace

std::optional<ProfileFile> EditorPage::ReadInternalFile(bool loading) {
  ProfileFile file(ctx_.files.internal_file());
  // Gone is no better than unreadable: a page must never make a file of its part alone.
  if (file.readable() && PathExists(file.path())) return file;
  ShowEditorMessage(ctx_.sink, WithPath(ctx_.Text(message_keys::kPageNotRead), file.path()), MessageIcon::kError);
  if (loading) {
    loaded_ = false;
    ctx_.return_tab = 0;
    PostMessageW(ctx_.main, WM_COMMAND, IDM_RETURN_TAB, 0);
  }
  return std::nullopt;
}

bool EditorPage::WriteFailed(const std::string& path) {
  ShowEditorMessage(ctx_.sink, WithPath(ctx_.Text(message_keys::kPageNotSaved), path), MessageIcon::kError);
  return false;
}

void EditorPage::Place() {
  RECT area;
  GetWindowRect(tabs_, &area);
  MapWindowPoints(nullptr, GetParent(hwnd()), reinterpret_cast<POINT*>(&area), 2);
  TabCtrl_AdjustRect(tabs_, FALSE, &area);
  // Above the tab control, filling its display area, so no strip of another
  // colour shows.
  SetWindowPos(hwnd(), HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
               SWP_NOACTIVATE);
}

bool EditorPage::OnCommand(int id, int notify_code, HWND control) {
  switch (id) {
    case IDM_SAVE_PAGE: saved_ = !loaded_ || Save(); return true;
    case IDM_PLACE_PAGE: Place(); return true;
    case IDOK: return true;  // Enter never closes a page
    case IDCANCEL: PostMessageW(ctx_.main, WM_COMMAND, IDCANCEL, 0); return true;
    default: return DialogBase::OnCommand(id, notify_code, control);
  }
}

HBRUSH EditorPage::OnCtlColor(HDC dc, HWND control, UINT message) {
  return ctx_.PageColours(dc, control, message);
}

}  // namespace vaultrine::config
