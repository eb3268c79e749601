// The window that shows the engine's progress: created hidden when the library
// loads, shown when a restore is confirmed, destroyed by CloseTrace. It only moves
// what the library hands it onto its controls.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "common/win/colours.h"
#include "common/win/dialog_base.h"
#include "common/win/dialog_colours.h"
#include "restore_support/gauge.h"

namespace vaultrine::restore {

inline constexpr COLORREF kProgressBarColour = win::colours::kEditorBlue;

class ProgressWindow : public win::DialogBase {
 public:
  ProgressWindow(HINSTANCE instance, win::DialogColours& colours);

  // Creates the window hidden at the top-left corner of the screen, on top of the Z
  // order. False when the template cannot be loaded.
  bool CreateHidden();
  bool exists() const { return hwnd() != nullptr && IsWindow(hwnd()); }

  // Screen rectangle (the LED indicator is placed from its top-left corner).
  RECT ScreenRect() const;

  void SetNote(const std::wstring& text);
  void SetTitleUtf8(std::string_view text);
  // A gauge starts: empty bar over 0..total, its title in the step field.
  void StartGauge(std::string_view title_utf8, int32_t total);
  void ShowStep(const GaugeUpdate& update);
  // At most once a frame; a name held back shows when the frame ends.
  void ShowFileName(const std::wstring& name);
  void ShowAndRepaint();

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int notify_code, HWND control) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;
  void OnTimer(UINT_PTR timer_id) override;

 private:
  void FocusHiddenField();
  void PutFileName(const std::wstring& name);

  win::DialogColours& colours_;
  FrameThrottle name_throttle_{16};
  std::wstring held_name_;
  bool name_timer_armed_ = false;
};

}  // namespace vaultrine::restore
