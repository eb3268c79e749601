// The colours a library paints its dialogs with (background and text), as the
// answer to the WM_CTLCOLOR* messages of the dialog and its static controls.
// Read-only fields take the page colour too, unless a field colour is given; editable
// fields and lists keep the system colours unless asked otherwise.
#pragma once
#include <windows.h>

#include <optional>

#include "common/win/raii.h"

namespace vaultrine::win {

class DialogColours {
 public:
  DialogColours(COLORREF background, COLORREF text, std::optional<COLORREF> field = std::nullopt)
      : background_(background), text_(text), field_(field) {}

  COLORREF background() const { return background_; }
  COLORREF text() const { return text_; }

  // Editable fields and lists draw their text in the text colour too, on the field
  // colour (white when none is given), instead of keeping the system colours.
  void ColourFieldText() { field_text_ = true; }

  // The brush for the dialog, its labels and its read-only fields; null for the
  // messages whose controls keep the system colours (edit fields, lists, buttons).
  HBRUSH Paint(HDC dc, HWND control, UINT message) {
    if (message == WM_CTLCOLORDLG) return Brush(background_brush_, background_);
    if (field_text_ && (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX)) {
      const COLORREF field = field_.value_or(RGB(255, 255, 255));
      SetTextColor(dc, text_);
      SetBkColor(dc, field);
      return Brush(field_brush_, field);
    }
    if (message != WM_CTLCOLORSTATIC) return nullptr;
    SetTextColor(dc, text_);
    if (field_ && IsEdit(control)) {
      SetBkColor(dc, *field_);
      return Brush(field_brush_, *field_);
    }
    SetBkColor(dc, background_);
    return Brush(background_brush_, background_);
  }

 private:
  static bool IsEdit(HWND control) {
    wchar_t name[16] = {};
    GetClassNameW(control, name, 16);
    return lstrcmpiW(name, L"Edit") == 0;
  }
  static HBRUSH Brush(win::Brush& brush, COLORREF colour) {
    if (!brush) brush.reset(CreateSolidBrush(colour));
    return brush.get();
  }

  COLORREF background_;
  COLORREF text_;
  std::optional<COLORREF> field_;
  bool field_text_ = false;
  win::Brush background_brush_;
  win::Brush field_brush_;
};

}  // namespace vaultrine::win
