#include "wide.h"

#include <vector>

namespace vaultrine::win {

namespace {
std::wstring MultiToWide(UINT cp, std::string_view s) {
  if (s.empty()) return {};
  const int n = MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(cp, 0, s.data(), static_cast<int>(s.size()), out.data(), n);
  return out;
}
std::string WideToMulti(UINT cp, std::wstring_view w) {
  if (w.empty()) return {};
  const int n = WideCharToMultiByte(cp, 0, w.data(), static_cast<int>(w.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(cp, 0, w.data(), static_cast<int>(w.size()), out.data(), n, nullptr, nullptr);
  return out;
}
}  // namespace

std::wstring ToWide(std::string_view utf8) { return MultiToWide(CP_UTF8, utf8); }
std::string FromWide(std::wstring_view wide) { return WideToMulti(CP_UTF8, wide); }
std::string Utf8ToAnsi(std::string_view utf8) { return WideToMulti(CP_ACP, ToWide(utf8)); }
std::string AnsiToUtf8(std::string_view ansi) { return FromWide(MultiToWide(CP_ACP, ansi)); }

std::string GetWindowTextUtf8(HWND window) {
  const int n = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(n) + 1, L'\0');
  const int got = GetWindowTextW(window, text.data(), n + 1);
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return FromWide(text);
}

void SetWindowTextUtf8(HWND window, std::string_view utf8) {
  SetWindowTextW(window, ToWide(utf8).c_str());
}

std::wstring ToWide(std::u16string_view utf16) { return std::wstring(utf16.begin(), utf16.end()); }

void SetDlgItemTextUtf8(HWND dialog, int id, std::string_view utf8) {
  SetDlgItemTextW(dialog, id, ToWide(utf8).c_str());
}

std::optional<std::string> ModuleFileName(HMODULE module) {
  // Long program folders are fine: grow the buffer instead of cutting the path.
  std::vector<wchar_t> buf(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(module, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0) return std::nullopt;
    if (n < buf.size()) return FromWide(std::wstring_view(buf.data(), n));
    if (buf.size() >= 32768) return std::nullopt;
    buf.resize(buf.size() * 2);
  }
}

std::string ModuleFolder(HMODULE module) {
  const std::optional<std::string> path = ModuleFileName(module);
  if (!path) return {};
  const size_t slash = path->find_last_of('\\');
  return slash == std::string::npos ? std::string() : path->substr(0, slash);
}

}  // namespace vaultrine::win
