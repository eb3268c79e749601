#include "result_windows.h"

#include "backup_support/details_archive.h"
#include "backup_support/engine_window.h"
#include "backup_support/last_backup_status.h"
#include "backup_support/resource.h"
#include "common/file_io.h"
#include "common/win/message_box_sink.h"
#include "common/win/obsolete_report_win.h"
#include "common/win/process_runner.h"
#include "common/win/result_drawing.h"
#include "common/win/wide.h"

namespace vaultrine::backup {

namespace {

// The error notice sits on the alarm button: 46,223 pixels with the template font at
// 96 dpi, taken from the dialog units so that it stays there with any font or dpi.
constexpr POINT kAlarmUnits{29, 135}, kNoticeNudge{3, 4};
constexpr DWORD kViewerPauseMs = 200;

std::string SlotText(const TranslatedSlots& slots, int id) { return win::AnsiToUtf8(slots.Get(id)); }

BackupTime Now() {
  SYSTEMTIME t{};
  GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute};
}

// Beside the lists, for the launcher.
void LeaveStatus(const LastBackup& status) { LeaveLastBackup(LastBackupPath({}), status); }

}  // namespace

// ---- both windows -------------------------------------------------------------

ResultWindow::ResultWindow(HINSTANCE instance, int template_id, const ResultWindowData& data,
                           const TranslatedSlots& slots, COLORREF background, bool success)
    : DialogBase(instance, template_id),
      data_(data),
      slots_(slots),
      // The values read like fields, the labels sit on the window's own colour.
      colours_(background, win::colours::kBlack, win::colours::kWhite),
      headline_(kRefreshTimer, success) {}

void ResultWindow::OpenCommon(int date_id, int date_label_id) {
  headline_.Open(hwnd());
  notice_at_ = headline_.Place(hwnd(), kAlarmUnits, kNoticeNudge);
  win::SetWindowTextUtf8(hwnd(), data_.caption);
  win::SetDlgItemTextUtf8(hwnd(), date_label_id, SlotText(slots_, date_label_id));
  win::SetDlgItemTextUtf8(hwnd(), date_id, data_.date);
}

void ResultWindow::RedrawAfterViewer() {
  UpdateWindow(hwnd());
  Sleep(kViewerPauseMs);
  DrawHeadline();
}

bool ResultWindow::OnPaint() {
  // The dialog paints itself; the headline follows once the repaints have settled.
  StartRefresh();
  return false;
}

void ResultWindow::OnTimer(UINT_PTR timer_id) {
  if (!headline_.Due(hwnd(), timer_id)) return;
  MinimiseEngineWindow(hwnd());
  headline_.Raise(hwnd());
  DrawHeadline();
  DrawExtras();
}

HBRUSH ResultWindow::OnCtlColor(HDC dc, HWND control, UINT message) {
  return colours_.Paint(dc, control, message);
}

bool ResultWindow::OnCommand(int id, int notify_code, HWND control) {
  if (id == IDC_FOCUS_COMMAND) {
    SetFocus(Item(IDC_FOCUS_SINK));
    return true;
  }
  return DialogBase::OnCommand(id, notify_code, control);
}

// ---- success window -------------------------------------------------------------

SuccessWindow::SuccessWindow(HINSTANCE instance, const ResultWindowData& data, const TranslatedSlots& slots,
                             FileLists& lists, COLORREF background)
    : ResultWindow(instance, IDD_SUCCESS, data, slots, background, true), lists_(lists) {}

BOOL SuccessWindow::OnInit() {
  LeaveStatus(SuccessStatus(data_, lists_.error_count(),
                            ReadFileStart(kErrorListName, kLastBackupReadMax).value_or(std::string()), Now()));
  OpenCommon(IDC_DATE, IDC_DATE_LABEL);
  win::SetDlgItemTextUtf8(hwnd(), IDC_NEW_COUNT, data_.new_count);
  win::SetDlgItemTextUtf8(hwnd(), IDC_MODIFIED_COUNT, data_.modified_count);
  win::SetDlgItemTextUtf8(hwnd(), IDC_OBSOLETE_COUNT, data_.obsolete_count);
  for (int id : {IDC_COUNTS_GROUP, IDC_NEW_LABEL, IDC_MODIFIED_LABEL, IDC_OBSOLETE_LABEL, IDC_SHOW_FILE_LIST,
                 IDC_SHOW_OBSOLETE, IDC_SIZES_GROUP, IDC_NEW_SIZE_LABEL, IDC_MODIFIED_SIZE_LABEL}) {
    win::SetDlgItemTextUtf8(hwnd(), id, SlotText(slots_, id));
  }
  win::SetDlgItemTextUtf8(hwnd(), IDC_NEW_SIZE, FormatSize(data_.new_size));
  win::SetDlgItemTextUtf8(hwnd(), IDC_MODIFIED_SIZE, FormatSize(data_.modified_size));
  if (!data_.ShowFileListButton()) ShowWindow(Item(IDC_SHOW_FILE_LIST), SW_HIDE);
  if (!data_.ShowObsoleteButton()) ShowWindow(Item(IDC_SHOW_OBSOLETE), SW_HIDE);

  // The alarm button takes the size of its pictures.
  alarm_up_.reset(static_cast<HBITMAP>(LoadImageW(instance(), L"ALARMU", IMAGE_BITMAP, 0, 0, 0)));
  alarm_down_.reset(static_cast<HBITMAP>(LoadImageW(instance(), L"ALARMD", IMAGE_BITMAP, 0, 0, 0)));
  BITMAP bm{};
  if (alarm_up_ && GetObjectW(alarm_up_.get(), sizeof bm, &bm)) {
    SetWindowPos(Item(IDC_SHOW_ERRORS), nullptr, 0, 0, bm.bmWidth, bm.bmHeight, SWP_NOMOVE | SWP_NOZORDER);
  }
  ShowWindow(Item(IDC_SHOW_ERRORS), lists_.error_count() > 0 ? SW_SHOW : SW_HIDE);

  PostMessageW(hwnd(), WM_COMMAND, IDC_FOCUS_COMMAND, 0);
  StartRefresh();
  UpdateWindow(hwnd());
  return TRUE;
}

bool SuccessWindow::OnCommand(int id, int notify_code, HWND control) {
  switch (id) {
    // Enter is the OK button: a keyboard user leaving with Enter gets the archive too.
    // Escape and the close box still leave without it.
    case IDOK:
    case IDC_SUCCESS_OK: FinishAndClose(); return true;
    case IDC_SHOW_FILE_LIST: OpenList(kFileListName); return true;
    case IDC_SHOW_ERRORS:
      OpenList(kErrorListName);
      DrawExtras();
      return true;
    case IDC_SHOW_OBSOLETE:
      if (win::RunLibraryObsoleteReport(hwnd(), data_.caption, data_.database_path, data_.task)) RedrawAfterViewer();
      return true;
    default: return ResultWindow::OnCommand(id, notify_code, control);
  }
}

void SuccessWindow::OpenList(const char* name) {
  win::RunAndWait(win::BackupLibraryWaitVariant(), std::string("Notepad.exe ") + name, ".");
  RedrawAfterViewer();
}

void SuccessWindow::FinishAndClose() {
  FinishRunInput input;
  wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
  DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
  if (GetComputerNameW(computer, &size)) input.computer_name = win::FromWide(std::wstring_view(computer, size));
  SYSTEMTIME now{};
  GetLocalTime(&now);
  input.now = {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute};
  input.task_text = data_.task;
  input.caption = data_.caption;
  wchar_t folder[MAX_PATH * 4] = {};
  const DWORD n = GetCurrentDirectoryW(MAX_PATH * 4, folder);
  if (n > 0 && n < MAX_PATH * 4) input.current_folder = win::FromWide(std::wstring_view(folder, n));

  win::MessageBoxSink boxes([this] { return hwnd(); }, true);
  const HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
  FinishRun(lists_.list_name(), input, boxes);
  SetCursor(previous);
  End(0);
}

void SuccessWindow::DrawExtras() {
  if (lists_.error_count() > 0) {
    win::PaintTextA(hwnd(), notice_at_, slots_.Get(kSlotErrorNotice), headline_.Scale(16), 600, win::colours::kBlack,
                    win::colours::kNoticeOrange);
  }
}

void SuccessWindow::DrawAlarmButton(const DRAWITEMSTRUCT& item) {
  const HBITMAP picture = (item.itemState & ODS_SELECTED) ? alarm_down_.get() : alarm_up_.get();
  if (!picture) return;
  win::MemoryDC memory(item.hDC);
  win::SelectIn select(memory.get(), picture);
  BitBlt(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left,
         item.rcItem.bottom - item.rcItem.top, memory.get(), 0, 0, SRCCOPY);
}

bool SuccessWindow::OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) {
  if (msg == WM_DRAWITEM && wp == IDC_SHOW_ERRORS) {
    DrawAlarmButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
    result = TRUE;
    return true;
  }
  return false;
}

// ---- failure window -------------------------------------------------------------

FailureWindow::FailureWindow(HINSTANCE instance, const ResultWindowData& data, const TranslatedSlots& slots,
                             COLORREF background)
    : ResultWindow(instance, IDD_FAILURE, data, slots, background, false) {}

BOOL FailureWindow::OnInit() {
  LeaveStatus(FailureStatus(data_, Now()));
  OpenCommon(IDC_FAILURE_DATE, IDC_FAILURE_DATE_LABEL);
  const HWND list = Item(IDC_ERROR_LIST);
  for (const std::string& entry : SplitErrorLines(data_.error_text)) {
    SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::ToWide(entry).c_str()));
  }
  const LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  if (count > 0) SendMessageW(list, LB_SETCURSEL, static_cast<WPARAM>(count - 1), 0);
  PostMessageW(hwnd(), WM_COMMAND, IDC_FOCUS_COMMAND, 0);
  StartRefresh();
  UpdateWindow(hwnd());
  return TRUE;
}

bool FailureWindow::OnCommand(int id, int notify_code, HWND control) {
  if (id == IDC_FAILURE_OK || id == IDOK) {
    End(0);
    return true;
  }
  return ResultWindow::OnCommand(id, notify_code, control);
}

}  // namespace vaultrine::backup
