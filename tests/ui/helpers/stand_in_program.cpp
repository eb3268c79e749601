// Stand-in for a program the suite starts (an engine, Notepad, Explorer...).
// Copied under the name the test needs. It appends one line to the marker file
//   <current directory>|<command line>
// then optionally waits for a named event, then exits with code 0.
// Where to write and what to wait for come from environment variables, so the
// command line stays exactly what the suite passed:
//   VAULTRINE_STANDIN_MARKER  path of the marker file (required)
//   VAULTRINE_STANDIN_EVENT   name of an event to wait for before exiting (optional)
#include <windows.h>

#include <string>

namespace {
std::wstring Env(const wchar_t* name) {
  wchar_t buf[4096];
  const DWORD n = GetEnvironmentVariableW(name, buf, 4096);
  return n && n < 4096 ? std::wstring(buf, n) : std::wstring();
}
std::string Utf8(const std::wstring& w) {
  if (w.empty()) return {};
  int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), nullptr, 0, nullptr, nullptr);
  std::string s(n, '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), s.data(), n, nullptr, nullptr);
  return s;
}
}  // namespace

int wmain() {
  const std::wstring marker = Env(L"VAULTRINE_STANDIN_MARKER");
  if (marker.empty()) return 2;
  wchar_t cwd[4096];
  GetCurrentDirectoryW(4096, cwd);
  const std::string line = Utf8(cwd) + "|" + Utf8(GetCommandLineW()) + "\r\n";
  HANDLE f = CreateFileW(marker.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return 3;
  DWORD written = 0;
  WriteFile(f, line.data(), (DWORD)line.size(), &written, nullptr);
  CloseHandle(f);
  const std::wstring event = Env(L"VAULTRINE_STANDIN_EVENT");
  if (!event.empty()) {
    HANDLE e = CreateEventW(nullptr, TRUE, FALSE, event.c_str());
    if (e) {
      WaitForSingleObject(e, 60000);
      CloseHandle(e);
    }
  }
  return 0;
}
