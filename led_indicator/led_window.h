// The LED window: topmost over the progress window's corner, LEDs off for the first
// second, then alternating each second under a clock. Escape ends it.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "common/win/dialog_base.h"
#include "common/win/dialog_colours.h"
#include "common/win/raii.h"
#include "led_indicator/led_rules.h"

namespace vaultrine::led {

class LedWindow : public win::DialogBase {
 public:
  LedWindow(HINSTANCE instance, Origin origin);
  // Modal; returns 1 when Escape ended it.
  INT_PTR Run(HWND owner, DLGPROC procedure);

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int notify_code, HWND control) override;
  void OnTimer(UINT_PTR timer_id) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;
  void OnDestroy() override;

 private:
  void ShowPicture(int id, bool shown);
  void DrawClock();
  // The clock field in the window's client pixels.
  RECT ClockArea() const;

  Origin origin_;
  int dpi_ = 96;  // of the screen, for the pixel layout of the clock
  int16_t blink_state_ = 0;
  std::string clock_;
  bool timer_set_ = false;
  win::DialogColours colours_;
  win::Font clock_font_;
};

}  // namespace vaultrine::led
