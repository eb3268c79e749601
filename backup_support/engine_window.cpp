#include "engine_window.h"

#include "common/win/engine_windows.h"

namespace vaultrine::backup {
namespace {

bool MinimiseIfEngine(HWND window) {
  // The whole title: an engine started from a deep folder has a long one.
  if (!IsEngineTitle(win::WindowTitle(window).c_str())) return false;
  SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(window, SW_SHOWMINIMIZED);
  return true;
}

}  // namespace

bool IsEngineTitle(const wchar_t* title) { return win::TitleNamesProgram(title, L"VAULTRINE.EXE"); }

void MinimiseEngineWindow(HWND start) {
  if (!start) {
    // The engine's window is often the topmost one when the library loads.
    start = FindWindowW(nullptr, nullptr);
    if (!start || MinimiseIfEngine(start)) return;
  }
  win::WalkWindowsBelow(start, kEngineWindowSearchLimit, MinimiseIfEngine);
}

}  // namespace vaultrine::backup
