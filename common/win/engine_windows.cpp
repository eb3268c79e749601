#include "engine_windows.h"

#include <string>

namespace vaultrine::win {

bool TitleNamesProgram(const wchar_t* title, const wchar_t* upper_name) {
  std::wstring upper(title ? title : L"");
  for (wchar_t& c : upper) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return upper.find(upper_name) != std::wstring::npos;
}

std::wstring WindowTitle(HWND window) {
  const int length = GetWindowTextLengthW(window);
  if (length <= 0) return {};
  std::wstring title(static_cast<size_t>(length) + 1, L'\0');
  const int got = GetWindowTextW(window, title.data(), length + 1);
  title.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return title;
}

void WalkWindowsBelow(HWND start, int limit, const std::function<bool(HWND)>& visit) {
  HWND next = start ? GetWindow(start, GW_HWNDNEXT) : nullptr;
  for (int i = 0; i < limit && next; ++i) {
    HWND current = next;
    next = GetWindow(current, GW_HWNDNEXT);
    if (visit(current)) return;
  }
}

}  // namespace vaultrine::win
