#include "progress_window.h"

#include <commctrl.h>
#include <uxtheme.h>

#include "common/win/wide.h"
#include "restore_support/resource.h"

namespace vaultrine::restore {
namespace {

constexpr UINT_PTR kNameTimer = 1;

}  // namespace

ProgressWindow::ProgressWindow(HINSTANCE instance, win::DialogColours& colours)
    : DialogBase(instance, IDD_PROGRESS), colours_(colours) {}

bool ProgressWindow::CreateHidden() {
  // No owner: a console engine has no window of its own to tie it to.
  if (!Create(nullptr)) return false;
  SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_HIDEWINDOW);
  return true;
}

BOOL ProgressWindow::OnInit() {
  HWND bar = Item(IDC_PROGRESS_BAR);
  // A visual style would paint the bar in its own colour; this one keeps ours.
  SetWindowTheme(bar, L" ", L" ");
  SendMessageW(bar, PBM_SETBARCOLOR, 0, static_cast<LPARAM>(kProgressBarColour));
  SendMessageW(bar, PBM_SETPOS, 0, 0);
  return FALSE;
}

bool ProgressWindow::OnCommand(int id, int, HWND) {
  // Enter and Escape must not close it: it belongs to the engine's run, and only
  // CloseTrace ends it.
  return id == IDOK || id == IDCANCEL;
}

HBRUSH ProgressWindow::OnCtlColor(HDC dc, HWND control, UINT message) {
  return colours_.Paint(dc, control, message);
}

RECT ProgressWindow::ScreenRect() const {
  RECT r{};
  if (exists()) GetWindowRect(hwnd(), &r);
  return r;
}

void ProgressWindow::SetNote(const std::wstring& text) {
  SetDlgItemTextW(hwnd(), IDC_PROGRESS_NOTE, text.c_str());
}

void ProgressWindow::SetTitleUtf8(std::string_view text) { win::SetWindowTextUtf8(hwnd(), text); }

void ProgressWindow::StartGauge(std::string_view title_utf8, int32_t total) {
  HWND bar = Item(IDC_PROGRESS_BAR);
  SendMessageW(bar, PBM_SETRANGE32, 0, static_cast<LPARAM>(total));
  SendMessageW(bar, PBM_SETPOS, 0, 0);
  name_throttle_.Forget();
  win::SetDlgItemTextUtf8(hwnd(), IDC_PROGRESS_STEP, title_utf8);
}

void ProgressWindow::ShowStep(const GaugeUpdate& update) {
  SendMessageW(Item(IDC_PROGRESS_BAR), PBM_SETPOS, static_cast<WPARAM>(update.position), 0);
  win::SetDlgItemTextUtf8(hwnd(), IDC_PROGRESS_PERCENT, update.percent);
  FocusHiddenField();
}

void ProgressWindow::ShowFileName(const std::wstring& name) {
  if (name_throttle_.Offer(GetTickCount())) {
    PutFileName(name);
    return;
  }
  held_name_ = name;
  if (!name_timer_armed_) name_timer_armed_ = SetTimer(hwnd(), kNameTimer, name_throttle_.wait_ms(), nullptr) != 0;
}

void ProgressWindow::OnTimer(UINT_PTR timer_id) {
  if (timer_id != kNameTimer) return;
  KillTimer(hwnd(), kNameTimer);
  name_timer_armed_ = false;
  if (name_throttle_.Due(GetTickCount())) PutFileName(held_name_);
}

void ProgressWindow::PutFileName(const std::wstring& name) {
  const DWORD start = GetTickCount();
  SetDlgItemTextW(hwnd(), IDC_PROGRESS_STEP, name.c_str());
  UpdateWindow(hwnd());
  name_throttle_.Painted(GetTickCount() - start);
}

void ProgressWindow::ShowAndRepaint() {
  ShowWindow(hwnd(), SW_SHOW);
  FocusHiddenField();
  UpdateWindow(hwnd());
}

void ProgressWindow::FocusHiddenField() {
  // A read-only field with the focus would show a caret.
  SetFocus(Item(IDC_PROGRESS_FOCUS));
}

}  // namespace vaultrine::restore
