// UTF-8 inside, UTF-16 at the W-API call, the ANSI code page where a window shows ANSI text.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace vaultrine::win {

std::wstring ToWide(std::string_view utf8);
// A message file's UTF-16 text as the W-API takes it (wchar_t is UTF-16 here).
std::wstring ToWide(std::u16string_view utf16);
std::string FromWide(std::wstring_view wide);
// UTF-8 to the system's ANSI code page (unmappable characters become '?').
std::string Utf8ToAnsi(std::string_view utf8);
std::string AnsiToUtf8(std::string_view ansi);

// Text of a window or control, as UTF-8.
std::string GetWindowTextUtf8(HWND window);
void SetWindowTextUtf8(HWND window, std::string_view utf8);
void SetDlgItemTextUtf8(HWND dialog, int id, std::string_view utf8);

// Full path of a module's file (UTF-8), however deep; nullopt on failure.
std::optional<std::string> ModuleFileName(HMODULE module);
// Folder of a module's file, without trailing backslash (UTF-8); empty on failure.
std::string ModuleFolder(HMODULE module);

}  // namespace vaultrine::win
