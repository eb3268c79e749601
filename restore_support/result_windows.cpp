#include "restore_support/result_windows.h"

#include "common/message_keys.h"
#include "common/raw_value.h"
#include "common/win/process_runner.h"
#include "common/win/result_drawing.h"
#include "common/win/screen_dpi.h"
#include "common/win/wide.h"
#include "restore_support/library_frame.h"
#include "restore_support/request_rules.h"
#include "restore_support/resource.h"

namespace vaultrine::restore {

namespace {

namespace keys = message_keys;

constexpr UINT kHeadlinePeriodMs = 100;
constexpr POINT kBannerUnits{65, 19}, kHeadlineNudge{1, 1};
constexpr COLORREF kSuccessGreen = RGB(0, 183, 0);
constexpr COLORREF kFailureRed = RGB(255, 0, 0);
// Labels 410, 411, 412 to 415, 408, 416 in the order of good_1 to good_8.
constexpr int kSuccessLabels[] = {410, 411, 412, 413, 414, 415, IDM_VIEW_LIST, 416};

}  // namespace

RestoreResultWindow::RestoreResultWindow(RestoreLibrary& library, int template_id, bool success)
    : DialogBase(library.context().module(), template_id),
      library_(library),
      success_(success),
      colours_(RGB(236, 233, 216), RGB(0, 0, 0), RGB(255, 255, 255)) {}

std::wstring RestoreResultWindow::Text(const char* key) {
  const std::u16string text = library_.messages().LookUpMessage(key);
  return std::wstring(text.begin(), text.end());
}

void RestoreResultWindow::Open(int date_id, const std::string& date) {
  dpi_ = win::ScreenDpi();
  pictures_.Apply(hwnd(), dpi_);
  win::CentreOnDesktop(hwnd());
  win::SetWindowTextUtf8(hwnd(), ShowRawValue(library_.caption()));
  win::SetDlgItemTextUtf8(hwnd(), date_id, ShowRawValue(date));
  headline_ = Text(success_ ? keys::kGoodHeadline : keys::kBadHeadline);
  SetFocus(Item(IDC_RESULT_FOCUS));
  SetTimer(hwnd(), kHeadlineTimer, kHeadlinePeriodMs, nullptr);
}

void RestoreResultWindow::DrawHeadline() {
  win::PaintTextW(hwnd(), win::DialogPixels(hwnd(), kBannerUnits, kHeadlineNudge), headline_, ScaleForDpi(34, dpi_), FW_BOLD,
                  success_ ? kSuccessGreen : kFailureRed, RGB(255, 255, 255));
}

bool RestoreResultWindow::OnPaint() {
  SetTimer(hwnd(), kHeadlineTimer, kHeadlinePeriodMs, nullptr);
  return false;
}

void RestoreResultWindow::OnTimer(UINT_PTR timer_id) {
  if (timer_id != kHeadlineTimer) return;
  KillTimer(hwnd(), kHeadlineTimer);
  win::RaiseAndPaint(hwnd(), !success_);
  DrawHeadline();
}

HBRUSH RestoreResultWindow::OnCtlColor(HDC dc, HWND control, UINT message) {
  return colours_.Paint(dc, control, message);
}

// ---- success -------------------------------------------------------------------

RestoreSuccessWindow::RestoreSuccessWindow(RestoreLibrary& library, std::string date, std::array<int, 4> counts)
    : RestoreResultWindow(library, IDD_RESTORE_SUCCESS, true), date_(std::move(date)), counts_(counts) {}

BOOL RestoreSuccessWindow::OnInit() {
  for (int i = 0; i < 4; ++i) SetDlgItemInt(hwnd(), IDC_STANDARD_COUNT + i, counts_[i], TRUE);
  SetDlgItemTextW(hwnd(), IDC_RESTORE_SIZE, L"??? M bytes");
  // Only files restored in the clear are worth a look in the list.
  if (counts_[0] + counts_[1] + counts_[2] == 0) ShowWindow(Item(IDM_VIEW_LIST), SW_HIDE);
  for (size_t i = 0; i < std::size(kSuccessLabels); ++i)
    SetDlgItemTextW(hwnd(), kSuccessLabels[i], Text(keys::kGoodLabels[i]).c_str());
  Open(IDC_RESTORE_DATE, date_);
  return FALSE;
}

bool RestoreSuccessWindow::OnCommand(int id, int notify_code, HWND control) {
  if (id == IDM_VIEW_LIST) {
    win::RunAndWait(win::RestoreLibraryWaitVariant(), std::string("Notepad.exe ") + kRestoredListName, ".\\");
    return true;
  }
  if (id == IDM_SUCCESS_OK) {
    End(IDOK);
    return true;
  }
  return RestoreResultWindow::OnCommand(id, notify_code, control);
}

// ---- failure -------------------------------------------------------------------

RestoreFailureWindow::RestoreFailureWindow(RestoreLibrary& library, std::string date, std::vector<std::string> lines)
    : RestoreResultWindow(library, IDD_RESTORE_FAILURE, false), date_(std::move(date)), lines_(std::move(lines)) {}

BOOL RestoreFailureWindow::OnInit() {
  HWND list = Item(IDC_ERROR_LIST);
  for (const std::string& line : lines_)
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::ToWide(ShowRawValue(line)).c_str()));
  SendMessageW(list, LB_SETCURSEL, SendMessageW(list, LB_GETCOUNT, 0, 0) - 1, 0);
  SetDlgItemTextW(hwnd(), IDC_FAILURE_DATE_LABEL, Text(keys::kBadDateLabel).c_str());
  Open(IDC_FAILURE_DATE, date_);
  return FALSE;
}

bool RestoreFailureWindow::OnCommand(int id, int notify_code, HWND control) {
  if (id == IDM_FAILURE_OK) {
    End(IDOK);
    return true;
  }
  return RestoreResultWindow::OnCommand(id, notify_code, control);
}

}  // namespace vaultrine::restore
