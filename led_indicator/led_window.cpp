#include "led_window.h"

#include <ctime>
#include <string>

#include "led_indicator/resource.h"

namespace vaultrine::led {
namespace {

constexpr COLORREF kPage = RGB(236, 233, 216);
constexpr int kClockX = 6;
constexpr int kClockY = 30;

}  // namespace

LedWindow::LedWindow(HINSTANCE instance, Origin origin)
    : DialogBase(instance, L"GLOWTICK"), origin_(origin), colours_(kPage, RGB(0, 0, 0)) {}

INT_PTR LedWindow::Run(HWND owner, DLGPROC procedure) { return RunModal(owner, procedure); }

BOOL LedWindow::OnInit() {
  // LEDs off until the first tick, already so when the window appears.
  ShowPicture(IDC_LED_GREEN_YELLOW, false);
  ShowPicture(IDC_LED_YELLOW_GREEN, false);
  ShowPicture(IDC_LED_OFF, true);
  const Placement p = LedWindowPlacement(origin_);
  SetWindowPos(hwnd(), HWND_TOPMOST, p.x, p.y, p.width, p.height, SWP_SHOWWINDOW);
  clock_font_.reset(CreateFontW(14, 0, 0, 0, 200, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
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

void LedWindow::DrawClock() {
  // Drawn over the clock area after the repaint; the blanks wipe the previous time.
  win::WindowDC dc(hwnd());
  if (!dc.get()) return;
  win::SelectIn font(dc.get(), clock_font_ ? static_cast<HGDIOBJ>(clock_font_.get()) : GetStockObject(DEFAULT_GUI_FONT));
  SetTextColor(dc.get(), RGB(0, 0, 0));
  SetBkColor(dc.get(), kPage);
  SetBkMode(dc.get(), OPAQUE);
  const std::wstring blanks(12, L' ');
  TextOutW(dc.get(), kClockX, kClockY, blanks.c_str(), static_cast<int>(blanks.size()));
  const std::wstring text(clock_.begin(), clock_.end());
  TextOutW(dc.get(), kClockX, kClockY, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace vaultrine::led
