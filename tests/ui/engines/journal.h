// The recording libraries' journal: one line per call, "Export<TAB>arg<TAB>arg...",
// appended to the file named by VAULTRINE_JOURNAL so the test can read it once the
// engine has ended. Line feeds, carriage returns and tabs inside arguments are
// written as \n, \r and \t, and a backslash as two.
#pragma once
#include <windows.h>

#include <cstring>
#include <initializer_list>
#include <string>

namespace vaultrine::uitest {

inline std::string JournalEscape(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\t') {
      out += "\\t";
    } else {
      out.push_back(c);
    }
  }
  return out;
}

inline std::string Utf8Of(const wchar_t* w) {
  if (!w) return "(null)";
  const int n = WideCharToMultiByte(CP_UTF8, 0, w, -1, nullptr, 0, nullptr, nullptr);
  std::string s(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, w, -1, s.data(), n, nullptr, nullptr);
  return s;
}

inline std::string EnvUtf8(const wchar_t* name) {
  wchar_t buf[2048];
  const DWORD n = GetEnvironmentVariableW(name, buf, 2048);
  if (n == 0 || n >= 2048) return {};
  return Utf8Of(buf);
}

inline void Journal(std::initializer_list<std::string> fields) {
  wchar_t path[1024];
  const DWORD n = GetEnvironmentVariableW(L"VAULTRINE_JOURNAL", path, 1024);
  if (n == 0 || n >= 1024) return;
  std::string line;
  for (const std::string& f : fields) line += (line.empty() ? "" : "\t") + JournalEscape(f);
  line += "\n";
  HANDLE h = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(h, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  CloseHandle(h);
}

struct WindowSearch {
  const char* name;
  bool found;
};

inline BOOL CALLBACK MatchEngineWindow(HWND w, LPARAM lp) {
  auto* s = reinterpret_cast<WindowSearch*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != GetCurrentProcessId()) return TRUE;
  char title[512] = {};
  GetWindowTextA(w, title, sizeof title);
  CharUpperA(title);
  if (strstr(title, s->name)) s->found = true;
  return !s->found;
}

// Whether a top-level window of this process, shown or hidden, has a title that,
// upper-cased, holds `name`: what the libraries look for to find the engine's window.
inline bool EngineWindowPresent(const char* name) {
  WindowSearch search{name, false};
  EnumWindows(MatchEngineWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace vaultrine::uitest
