// What the result windows of both libraries draw and place by hand: the headline
// over the banner picture, placed from dialog units so it stays on the picture with
// any font or DPI.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

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

}  // namespace vaultrine::win
