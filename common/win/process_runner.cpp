#include "process_runner.h"

#include <vector>

#include "wide.h"

namespace vaultrine::win {

namespace {

constexpr DWORD kWaitStepMs = 500;

void ShowBox(const RunVariant& v, const std::string& text) {
  UINT flags = MB_OK | MB_ICONERROR;
  if (v.topmost) flags |= MB_TOPMOST;
  MessageBoxW(v.owner, ToWide(text).c_str(), ToWide(v.caption).c_str(), flags);
}

std::string SystemErrorText(DWORD code) {
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPWSTR>(&text), 0,
      nullptr);
  std::string out = n && text ? FromWide(std::wstring_view(text, n)) : std::string();
  if (text) LocalFree(text);
  return out;
}

// Starts the program; on failure shows the box and returns false.
bool Start(const RunVariant& v, const std::string& command_line, const std::string& directory,
           PROCESS_INFORMATION& pi) {
  STARTUPINFOW si;
  ZeroMemory(&si, sizeof si);
  si.cb = sizeof si;
  // CreateProcessW may write into the command line: hand it a private copy.
  std::wstring cmd = ToWide(command_line);
  std::vector<wchar_t> buffer(cmd.begin(), cmd.end());
  buffer.push_back(L'\0');
  const std::wstring dir = ToWide(directory);
  if (CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     dir.empty() ? nullptr : dir.c_str(), &si, &pi)) {
    CloseHandle(pi.hThread);
    return true;
  }
  const DWORD code = GetLastError();
  ShowBox(v, FormatStartFailure(static_cast<long>(code), SystemErrorText(code),
                                v.command_in_failure ? &command_line : nullptr));
  return false;
}

}  // namespace

RunVariant BackupLibraryWaitVariant() { return {"Vaultrine.dll", nullptr, true, false, false, false}; }
RunVariant RestoreLibraryWaitVariant() { return {"Revivalis2.dll", nullptr, true, false, false, false}; }
RunVariant RestoreLibraryNoWaitVariant() { return {"DEBUG", nullptr, false, true, false, true}; }
RunVariant LauncherWaitVariant(HWND launcher) { return {"VAULTRINE 1.92", launcher, true, false, true, false}; }
RunVariant LauncherNoWaitVariant(HWND launcher) { return {"VAULTRINE 1.92", launcher, true, true, false, false}; }

std::string FormatStartFailure(long code, const std::string& system_text,
                               const std::string* command_line) {
  std::string text = "CreateProcess error " + std::to_string(code) + " = " + system_text;
  if (command_line) text += "\n" + *command_line;
  return text;
}

void RunAndWait(const RunVariant& v, const std::string& command_line,
                const std::string& working_directory) {
  PROCESS_INFORMATION pi{};
  if (!Start(v, command_line, working_directory, pi)) return;
  if (v.minimise_owner && v.owner) ShowWindow(v.owner, SW_SHOWMINIMIZED);
  bool failed = false;
  for (;;) {
    const DWORD r = WaitForSingleObject(pi.hProcess, kWaitStepMs);
    if (r == WAIT_TIMEOUT) continue;
    if (r == WAIT_FAILED) {
      failed = true;
      ShowBox(v, "Run with wait error");
    }
    break;
  }
  CloseHandle(pi.hProcess);
  if (v.minimise_owner && v.owner && !failed) ShowWindow(v.owner, SW_RESTORE);
}

int RunNoWait(const RunVariant& v, const std::string& command_line,
              const std::string& working_directory, HANDLE* kept_process) {
  PROCESS_INFORMATION pi{};
  if (!Start(v, command_line, working_directory, pi)) return 0;
  if (v.keep_process && kept_process) {
    *kept_process = pi.hProcess;
  } else {
    // Nobody waits on it: do not leak the handle.
    CloseHandle(pi.hProcess);
  }
  return 1;
}

}  // namespace vaultrine::win
