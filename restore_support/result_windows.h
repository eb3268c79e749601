// The windows that end a restore: the success window with the counts by kind and
// the list button, and the failure window with the engine's error lines. Both draw
// their headline over the banner once their repaints have settled.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "common/win/dialog_base.h"
#include "common/win/dialog_colours.h"
#include "common/win/result_drawing.h"
#include "restore_support/restore_host.h"

namespace vaultrine::restore {

inline constexpr UINT_PTR kHeadlineTimer = 8765;

class RestoreResultWindow : public win::DialogBase {
 protected:
  RestoreResultWindow(RestoreHost& host, int template_id, bool success);

  void Open(int date_id, const std::string& date);

  bool OnPaint() override;
  void OnTimer(UINT_PTR timer_id) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;

  RestoreHost& host_;
  std::wstring headline_text_;
  win::ResultHeadline headline_;
  win::DialogColours colours_;
};

class RestoreSuccessWindow : public RestoreResultWindow {
 public:
  RestoreSuccessWindow(RestoreHost& host, std::string date, std::array<int, 4> counts);

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int notify_code, HWND control) override;

 private:
  std::string date_;
  std::array<int, 4> counts_;
};

class RestoreFailureWindow : public RestoreResultWindow {
 public:
  RestoreFailureWindow(RestoreHost& host, std::string date, std::vector<std::string> lines);

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int notify_code, HWND control) override;

 private:
  std::string date_;
  std::vector<std::string> lines_;
};

}  // namespace vaultrine::restore
