// The resolution of the screen, as the dialog manager uses it to scale templates.
#pragma once
#include <windows.h>

#include "common/hot_pointer.h"

namespace vaultrine::win {

inline int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : kDesignDpi;
  if (screen) ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDesignDpi;
}

}  // namespace vaultrine::win
