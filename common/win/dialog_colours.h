// The colours a library paints all its dialogs with (background and text), as the
// answer to the WM_CTLCOLOR* messages of the dialog and its static fields.
#pragma once
#include <windows.h>

#include "common/win/raii.h"

namespace vaultrine::win {

class DialogColours {
 public:
  DialogColours(COLORREF background, COLORREF text) : background_(background), text_(text) {}

  COLORREF background() const { return background_; }
  COLORREF text() const { return text_; }

  // The brush for the dialog and its labels and read-only fields; null for the
  // messages whose controls keep the system colours (edit fields, lists, buttons).
  HBRUSH Paint(HDC dc, UINT message) {
    if (message != WM_CTLCOLORDLG && message != WM_CTLCOLORSTATIC) return nullptr;
    if (!brush_) brush_.reset(CreateSolidBrush(background_));
    SetTextColor(dc, text_);
    SetBkColor(dc, background_);
    return brush_.get();
  }

 private:
  COLORREF background_;
  COLORREF text_;
  Brush brush_;
};

}  // namespace vaultrine::win
