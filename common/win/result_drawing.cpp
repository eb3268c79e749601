#include "common/win/result_drawing.h"

#include "common/hot_pointer.h"

#include "common/win/raii.h"
#include "common/win/screen_dpi.h"

namespace vaultrine::win {

void CentreOnDesktop(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  RECT desk{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &desk, 0);
  const int w = r.right - r.left, h = r.bottom - r.top;
  SetWindowPos(window, nullptr, desk.left + (desk.right - desk.left - w) / 2,
               desk.top + (desk.bottom - desk.top - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

POINT DialogPixels(HWND dialog, POINT units, POINT nudge) {
  RECT r{units.x, units.y, units.x, units.y};
  MapDialogRect(dialog, &r);
  return {r.left + nudge.x, r.top + nudge.y};
}

void RaiseAndPaint(HWND window, bool stay_topmost) {
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  UpdateWindow(window);
  if (stay_topmost) return;
  SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  UpdateWindow(window);
}

namespace {

template <typename Draw>
void Paint(HWND window, int height, int weight, COLORREF text, COLORREF background, Draw draw) {
  WindowDC dc(window);
  if (!dc.get()) return;
  Font font(CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS, L"Arial"));
  SelectIn select(dc.get(), font.get());
  SetTextColor(dc.get(), text);
  SetBkColor(dc.get(), background);
  SetBkMode(dc.get(), OPAQUE);
  draw(dc.get());
}

}  // namespace

void PaintTextA(HWND window, POINT at, const std::string& ansi, int height, int weight, COLORREF text,
                COLORREF background) {
  Paint(window, height, weight, text, background,
        [&](HDC dc) { TextOutA(dc, at.x, at.y, ansi.data(), static_cast<int>(ansi.size())); });
}

void PaintTextW(HWND window, POINT at, const std::wstring& text, int height, int weight, COLORREF text_colour,
                COLORREF background) {
  Paint(window, height, weight, text_colour, background,
        [&](HDC dc) { TextOutW(dc, at.x, at.y, text.data(), static_cast<int>(text.size())); });
}

namespace {

// The banner's top-left corner: 98,31 pixels with the template font at 96 dpi, taken
// from the dialog units so that the headline stays on it with any font or dpi.
constexpr POINT kBannerUnits{65, 19}, kHeadlineNudge{1, 1};
constexpr UINT kRefreshPeriodMs = 100;
constexpr int kHeadlineHeight = 34;

}  // namespace

void ResultHeadline::Open(HWND window) {
  dpi_ = ScreenDpi();
  pictures_.Apply(window, dpi_);
  at_ = DialogPixels(window, kBannerUnits, kHeadlineNudge);
  CentreOnDesktop(window);
}

void ResultHeadline::Arm(HWND window) const { SetTimer(window, timer_, kRefreshPeriodMs, nullptr); }

bool ResultHeadline::Due(HWND window, UINT_PTR timer_id) const {
  if (timer_id != timer_) return false;
  KillTimer(window, timer_);
  return true;
}

void ResultHeadline::Draw(HWND window, const std::string& ansi) const {
  PaintTextA(window, at_, ansi, Scale(kHeadlineHeight), FW_BOLD, Ink(), colours::kWhite);
}

void ResultHeadline::Draw(HWND window, const std::wstring& text) const {
  PaintTextW(window, at_, text, Scale(kHeadlineHeight), FW_BOLD, Ink(), colours::kWhite);
}

void ScaledPictures::Apply(HWND dialog, int dpi) {
  if (dpi == kDesignDpi) return;
  for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) != SS_BITMAP) continue;
    const HBITMAP drawn = reinterpret_cast<HBITMAP>(SendMessageW(child, STM_GETIMAGE, IMAGE_BITMAP, 0));
    BITMAP size{};
    if (!drawn || !GetObjectW(drawn, sizeof size, &size)) continue;
    const HBITMAP scaled = static_cast<HBITMAP>(
        CopyImage(drawn, IMAGE_BITMAP, ScaleForDpi(size.bmWidth, dpi), ScaleForDpi(size.bmHeight, dpi), 0));
    if (!scaled) continue;
    pictures_.emplace_back(scaled);
    // The control gives back the picture it loaded; it is ours to free from now on.
    const HGDIOBJ previous = reinterpret_cast<HGDIOBJ>(
        SendMessageW(child, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(scaled)));
    if (previous && previous != scaled) pictures_.emplace_back(static_cast<HBITMAP>(previous));
  }
}

}  // namespace vaultrine::win
