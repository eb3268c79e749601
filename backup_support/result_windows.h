// The success and failure windows shown at the end of a run. They only move data:
// the texts come from ResultWindowData and the slots, the rules from the portable
// files, the end-of-run steps from details_archive.
#pragma once
#include <windows.h>

#include "backup_support/file_lists.h"
#include "backup_support/result_window_data.h"
#include "backup_support/translated_slots.h"
#include "common/win/dialog_base.h"
#include "common/win/dialog_colours.h"
#include "common/win/raii.h"
#include "common/win/result_drawing.h"

namespace vaultrine::backup {

inline constexpr UINT_PTR kRefreshTimer = 9876;

// What both windows share: the banner headline drawn over the picture 100 ms after
// the last repaint, and the engine window pushed away meanwhile.
class ResultWindow : public win::DialogBase {
 protected:
  ResultWindow(HINSTANCE instance, int template_id, const ResultWindowData& data, const TranslatedSlots& slots,
               COLORREF background, bool success);

  void OpenCommon(int date_id, int date_label_id);
  void StartRefresh() { headline_.Arm(hwnd()); }
  void DrawHeadline() { headline_.Draw(hwnd(), data_.headline); }
  void RedrawAfterViewer();  // after Notepad: repaint, a short pause, the headline again
  virtual void DrawExtras() {}

  bool OnPaint() override;
  void OnTimer(UINT_PTR timer_id) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;
  bool OnCommand(int id, int notify_code, HWND control) override;

  const ResultWindowData& data_;
  const TranslatedSlots& slots_;
  win::DialogColours colours_;
  win::ResultHeadline headline_;
  POINT notice_at_{46, 223};
};

class SuccessWindow : public ResultWindow {
 public:
  SuccessWindow(HINSTANCE instance, const ResultWindowData& data, const TranslatedSlots& slots, FileLists& lists,
                COLORREF background);

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int notify_code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;
  void DrawExtras() override;

 private:
  void OpenList(const char* name);
  void FinishAndClose();
  void DrawAlarmButton(const DRAWITEMSTRUCT& item);

  FileLists& lists_;
  win::Bitmap alarm_up_;
  win::Bitmap alarm_down_;
};

class FailureWindow : public ResultWindow {
 public:
  FailureWindow(HINSTANCE instance, const ResultWindowData& data, const TranslatedSlots& slots, COLORREF background);

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int notify_code, HWND control) override;
};

}  // namespace vaultrine::backup
