// Picture windows whose fixed pixel rectangles react to the pointer (the launcher's
// rows, the editor's new/existing pictures): the rectangle type, and when to put up
// the pointing cursor and when to give the previous one back.
#pragma once

namespace vaultrine {

// Client-area pixels, bounds inclusive.
struct PixelRect {
  int left, top, right, bottom;
  bool Contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

struct PixelPoint {
  int x, y;
};

// The screen resolution the fixed pixel layouts were drawn for. On a finer screen
// they are scaled as the dialog manager scales the templates, so the pictures stay
// where the controls around them went.
inline constexpr int kDesignDpi = 96;
inline int ScaleForDpi(int pixels, int dpi) {
  const long long scaled = static_cast<long long>(pixels) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + kDesignDpi / 2) / kDesignDpi : -((-scaled + kDesignDpi / 2) / kDesignDpi));
}
inline PixelRect ScaleForDpi(PixelRect r, int dpi) {
  return {ScaleForDpi(r.left, dpi), ScaleForDpi(r.top, dpi), ScaleForDpi(r.right, dpi), ScaleForDpi(r.bottom, dpi)};
}

enum class CursorAction {
  kNone,          // leave the cursor alone
  kSetHand,       // set the pointing cursor (remember the previous one if not yet done)
  kRestoreSaved,  // put back the cursor the pointing one replaced
};

// The previous cursor is given back once, on the first movement off the hot places.
class HotCursor {
 public:
  bool shown() const { return shown_; }
  CursorAction Moved(bool over_hot_place) {
    if (over_hot_place) {
      shown_ = true;
      return CursorAction::kSetHand;
    }
    if (!shown_) return CursorAction::kNone;
    shown_ = false;
    return CursorAction::kRestoreSaved;
  }

 private:
  bool shown_ = false;
};

}  // namespace vaultrine
