#include "led_window.h"

#include <algorithm>
#include <ctime>
#include <string>

#include "common/win/colours.h"
#include "common/win/screen_dpi.h"
#include "led_indicator/resource.h"

namespace vaultrine::led {
namespace {

constexpr int kClockX = 6;
constexpr int kClockY = 30;

}  // namespace

LedWindow::LedWindow(HINSTANCE instance, Origin origin)
    : DialogBase(instance, L"GLOWTICK"), origin_(origin), colours_(win::colours::kPage, win::colours::kBlack) {}

INT_PTR LedWindow::Run(HWND owner, DLGPROC procedure) { return RunModal(owner, procedure); }

BOOL LedWindow::OnInit() {
  // LEDs off until the first tick, already so when the window appears.
  ShowPicture(IDC_LED_GREEN_YELLOW, false);
  ShowPicture(IDC_LED_YELLOW_GREEN, false);
  ShowPicture(IDC_LED_OFF, true);
  dpi_ = win::ScreenDpi();
  const Placement p = LedWindowPlacement(origin_, dpi_);
  // The template's units follow the font, which does not grow exactly as the screen:
  // the window is never smaller than the clock field it holds.
  const RECT area = ClockArea();
  const int width = std::max<int>(p.width, area.right + 1);
  int height = std::max<int>(p.height, area.bottom + 1);
  // Scaled up, the empty strip below the clock would grow over the progress
  // window's percentage: there the window ends just below the clock.
  if (dpi_ > kDesignDpi) height = std::min<int>(height, area.bottom + 1 + ScaleForDpi(4, dpi_));
  SetWindowPos(hwnd(), HWND_TOPMOST, p.x, p.y, width, height, SWP_SHOWWINDOW);
  clock_font_.reset(CreateFontW(ScaleForDpi(14, dpi_), 0, 0, 0, 200, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"Arial"));
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  timer_set_ = SetTimer(hwnd(), IDT_BLINK, 1000, nullptr) != 0;
  SetFocus(Item(IDC_LED_FOCUS));
  return FALSE;
}

bool LedWindow::OnCommand(int id, int, HWND) {
  if (id != IDCANCEL) return false;
  End(1);
  return true;
}

void LedWindow::OnTimer(UINT_PTR timer_id) {
  if (timer_id != IDT_BLINK) return;
  const std::time_t now = std::time(nullptr);
  const std::tm* local = std::localtime(&now);
  // Keeps the caret out of sight: the focus field is hidden.
  SetFocus(Item(IDC_LED_FOCUS));
  ShowPicture(IDC_LED_OFF, false);
  const int shown = NextLedPicture(blink_state_);
  // Hide first: the two pictures share their place and are never both visible.
  ShowPicture(shown == IDC_LED_GREEN_YELLOW ? IDC_LED_YELLOW_GREEN : IDC_LED_GREEN_YELLOW, false);
  ShowPicture(shown, true);
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  if (local) {
    clock_ = ClockText(*local);
    DrawClock();
  }
}

HBRUSH LedWindow::OnCtlColor(HDC dc, HWND control, UINT message) { return colours_.Paint(dc, control, message); }

void LedWindow::OnDestroy() {
  if (timer_set_) KillTimer(hwnd(), IDT_BLINK);
  timer_set_ = false;
}

void LedWindow::ShowPicture(int id, bool shown) { ShowWindow(Item(id), shown ? SW_SHOWNA : SW_HIDE); }

RECT LedWindow::ClockArea() const {
  RECT area{};
  GetWindowRect(Item(IDC_LED_CLOCK_AREA), &area);
  MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&area), 2);
  return area;
}

void LedWindow::DrawClock() {
  // Drawn over the clock area after the repaint; the blanks wipe the previous time.
  win::WindowDC dc(hwnd());
  if (!dc.get()) return;
  win::SelectIn font(dc.get(), clock_font_ ? static_cast<HGDIOBJ>(clock_font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(dc.get(), win::colours::kBlack);
  SetBkColor(dc.get(), win::colours::kPage);
  SetBkMode(dc.get(), OPAQUE);
  const std::wstring blanks(12, L' ');
  // Where it was drawn for a 96 dpi screen, scaled; held inside the field when the
  // field (laid out in the font's units) grew less than the screen did. The blanks
  // stay inside too: the field's frame is not theirs to wipe.
  const RECT area = ClockArea();
  const std::wstring text(clock_.begin(), clock_.end());
  SIZE extent{};
  GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &extent);
  const int x = std::max<int>(area.left + 1, std::min<int>(ScaleForDpi(kClockX, dpi_), area.right - 1 - extent.cx));
  const int y = std::max<int>(area.top + 1, std::min<int>(ScaleForDpi(kClockY, dpi_), area.bottom - 1 - extent.cy));
  IntersectClipRect(dc.get(), area.left + 1, area.top + 1, area.right - 1, area.bottom - 1);
  TextOutW(dc.get(), x, y, blanks.c_str(), static_cast<int>(blanks.size()));
  TextOutW(dc.get(), x, y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace vaultrine::led
