#include "engine_window.h"

#include <cwchar>
#include <string>

namespace vaultrine::backup {
namespace {

bool MinimiseIfEngine(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return false;
  // The whole title: an engine started from a deep folder has a long one.
  std::wstring title(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, title.data(), length + 1);
  title.resize(got > 0 ? static_cast<size_t>(got) : 0);
  if (!IsEngineTitle(title.c_str())) return false;
  SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SetWindowPos(window, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  ShowWindow(window, SW_SHOWMINIMIZED);
  return true;
}

}  // namespace

bool IsEngineTitle(const wchar_t* title) {
  static const wchar_t kName[] = L"VAULTRINE.EXE";
  std::wstring upper(title ? title : L"");
  for (wchar_t& c : upper) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return upper.find(kName) != std::wstring::npos;
}

void MinimiseEngineWindow(HWND start) {
  HWND current = start;
  if (!current) {
    // The engine's window is often the topmost one when the library loads.
    current = FindWindowW(nullptr, nullptr);
    if (!current || MinimiseIfEngine(current)) return;
  }
  for (int i = 0; i < kEngineWindowSearchLimit; ++i) {
    current = GetWindow(current, GW_HWNDNEXT);
    if (!current) return;
    if (MinimiseIfEngine(current)) return;
  }
}

}  // namespace vaultrine::backup
