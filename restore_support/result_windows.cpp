#include "restore_support/result_windows.h"

#include "common/message_keys.h"
#include "common/raw_value.h"
#include "common/win/process_runner.h"
#include "common/win/result_drawing.h"
#include "common/win/wide.h"
#include "restore_support/request_rules.h"
#include "restore_support/resource.h"

namespace vaultrine::restore {

namespace {

namespace keys = message_keys;

// Labels in the order of good_1 to good_8.
constexpr int kSuccessLabels[] = {IDC_RESTORE_DATE_LABEL, IDC_RESTORED_GROUP,   IDC_STANDARD_LABEL,
                                  IDC_COMPRESSED_LABEL,   IDC_CRYPTED_LABEL,    IDC_COMP_CRYPT_LABEL,
                                  IDM_VIEW_LIST,          IDC_RESTORED_SIZE_GROUP};
// The counters, in the order of the kinds.
constexpr int kCounts[] = {IDC_STANDARD_COUNT, IDC_COMPRESSED_COUNT, IDC_CRYPTED_COUNT, IDC_COMP_CRYPT_COUNT};

}  // namespace

RestoreResultWindow::RestoreResultWindow(RestoreHost& host, int template_id, bool success)
    : DialogBase(host.module(), template_id),
      host_(host),
      headline_(kHeadlineTimer, success),
      colours_(win::colours::kPage, win::colours::kBlack, win::colours::kWhite) {}

void RestoreResultWindow::Open(int date_id, const std::string& date) {
  headline_.Open(hwnd());
  win::SetWindowTextUtf8(hwnd(), host_.ShownCaption());
  win::SetDlgItemTextUtf8(hwnd(), date_id, ShowRawValue(date));
  headline_text_ = host_.Text(headline_.success() ? keys::kGoodHeadline : keys::kBadHeadline);
  SetFocus(Item(IDC_RESULT_FOCUS));
  headline_.Arm(hwnd());
}

bool RestoreResultWindow::OnPaint() {
  headline_.Arm(hwnd());
  return false;
}

void RestoreResultWindow::OnTimer(UINT_PTR timer_id) {
  if (!headline_.Due(hwnd(), timer_id)) return;
  headline_.Raise(hwnd());
  headline_.Draw(hwnd(), headline_text_);
}

HBRUSH RestoreResultWindow::OnCtlColor(HDC dc, HWND control, UINT message) {
  return colours_.Paint(dc, control, message);
}

// ---- success -------------------------------------------------------------------

RestoreSuccessWindow::RestoreSuccessWindow(RestoreHost& host, std::string date, std::array<int, 4> counts)
    : RestoreResultWindow(host, IDD_RESTORE_SUCCESS, true), date_(std::move(date)), counts_(counts) {}

BOOL RestoreSuccessWindow::OnInit() {
  for (size_t i = 0; i < std::size(kCounts); ++i) SetDlgItemInt(hwnd(), kCounts[i], counts_[i], TRUE);
  SetDlgItemTextW(hwnd(), IDC_RESTORE_SIZE, L"??? M bytes");
  // Only files restored in the clear are worth a look in the list.
  if (counts_[0] + counts_[1] + counts_[2] == 0) ShowWindow(Item(IDM_VIEW_LIST), SW_HIDE);
  for (size_t i = 0; i < std::size(kSuccessLabels); ++i)
    SetDlgItemTextW(hwnd(), kSuccessLabels[i], host_.Text(keys::kGoodLabels[i]).c_str());
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

RestoreFailureWindow::RestoreFailureWindow(RestoreHost& host, std::string date, std::vector<std::string> lines)
    : RestoreResultWindow(host, IDD_RESTORE_FAILURE, false), date_(std::move(date)), lines_(std::move(lines)) {}

BOOL RestoreFailureWindow::OnInit() {
  HWND list = Item(IDC_RESTORE_ERROR_LIST);
  for (const std::string& line : lines_)
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::ToWide(ShowRawValue(line)).c_str()));
  SendMessageW(list, LB_SETCURSEL, SendMessageW(list, LB_GETCOUNT, 0, 0) - 1, 0);
  SetDlgItemTextW(hwnd(), IDC_RESTORE_FAILURE_DATE_LABEL, host_.Text(keys::kBadDateLabel).c_str());
  Open(IDC_RESTORE_FAILURE_DATE, date_);
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
