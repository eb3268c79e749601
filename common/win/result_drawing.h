// What the result windows of both libraries draw and place by hand: the headline
// over the banner picture, placed from dialog units so it stays on the picture with
// any font or DPI.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "common/hot_pointer.h"
#include "common/win/colours.h"
#include "common/win/raii.h"

namespace vaultrine::win {

// The window's pictures stretched by the screen's resolution over the 96 dpi they
// were drawn for, so they keep their share of a window laid out in dialog units and
// the text drawn over them stays on them. Holds the stretched copies for as long as
// the window lives; at 96 dpi nothing changes.
class ScaledPictures {
 public:
  void Apply(HWND dialog, int dpi);

 private:
  std::vector<Bitmap> pictures_;
};

// Centres the window on the work area of the desktop.
void CentreOnDesktop(HWND window);
// Client pixels of a point given in the dialog's units, moved by `nudge` pixels.
POINT DialogPixels(HWND dialog, POINT units, POINT nudge);
// Brings a result window above everything and paints it: it stays topmost unless
// `stay_topmost` is false, when it goes back to the top of the ordinary windows.
void RaiseAndPaint(HWND window, bool stay_topmost);
// Text in Arial straight onto the window, on an opaque background.
void PaintTextA(HWND window, POINT at, const std::string& ansi, int height, int weight, COLORREF text,
                COLORREF background);
void PaintTextW(HWND window, POINT at, const std::wstring& text, int height, int weight, COLORREF text_colour,
                COLORREF background);

// The headline of both libraries' result windows: Arial 34 pixels bold on white over
// the banner picture, green for a success and red for a failure, drawn 100 ms after
// the last repaint (each paint re-arms the one-shot timer, so a burst of paints gives
// one drawing). Keeps the screen resolution the pictures and drawn texts scale with.
class ResultHeadline {
 public:
  ResultHeadline(UINT_PTR timer_id, bool success) : timer_(timer_id), success_(success) {}

  // At opening: the pictures scaled to the screen, the headline placed on the banner,
  // the window centred on the desktop.
  void Open(HWND window);
  // (Re)starts the refresh timer.
  void Arm(HWND window) const;
  // Whether a tick is the refresh timer's; if so, the timer is stopped.
  bool Due(HWND window, UINT_PTR timer_id) const;
  // Topmost and repainted; a success window goes back among the ordinary windows.
  void Raise(HWND window) const { RaiseAndPaint(window, !success_); }
  void Draw(HWND window, const std::string& ansi) const;
  void Draw(HWND window, const std::wstring& text) const;

  bool success() const { return success_; }
  // Client pixels of a point in dialog units (see DialogPixels), and a pixel size at
  // 96 dpi scaled to the screen.
  POINT Place(HWND window, POINT units, POINT nudge) const { return DialogPixels(window, units, nudge); }
  int Scale(int pixels) const { return ScaleForDpi(pixels, dpi_); }

 private:
  COLORREF Ink() const { return success_ ? colours::kSuccessGreen : colours::kFailureRed; }

  UINT_PTR timer_;
  bool success_;
  int dpi_ = kDesignDpi;
  POINT at_{98, 31};
  ScaledPictures pictures_;
};

}  // namespace vaultrine::win
