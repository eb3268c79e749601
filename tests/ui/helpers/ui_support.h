// What the Wine tests share: scratch folders, the folder of the built programs,
// finding windows and answering message boxes from a second thread.
#pragma once
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace vaultrine::uitest {

// Folder of the running test program (build/win64/bin), UTF-8.
std::string BinFolder();

// A fresh folder under %TEMP%, removed with its content afterwards.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

bool FileExists(const std::string& path);
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
bool CopyFileTo(const std::string& from, const std::string& to);

// Polls `condition` until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, int timeout_ms = 10000);

// First visible top-level window of this process with that class (null = any) and caption;
// with `visible_only` false, hidden ones count too.
HWND FindProcessWindow(const wchar_t* window_class, const std::wstring& caption,
                       DWORD process_id = GetCurrentProcessId(), bool visible_only = true);

struct BoxSeen {
  bool found = false;
  std::string caption;
  std::string text;
  bool topmost = false;
};

// Watches, on its own thread, for a message box (of this process unless told), reads it and
// presses `button` (IDOK, IDYES, IDNO...). Join() waits for it.
class BoxAnswerer {
 public:
  // The first box with that caption, shown by this process or by `process_id`.
  BoxAnswerer(std::wstring caption, int button, int timeout_ms = 15000,
              DWORD process_id = GetCurrentProcessId());
  // The first box owned by `owner`, whatever its caption: for windows that carry
  // the same caption as their own boxes.
  BoxAnswerer(HWND owner, int button, int timeout_ms = 15000);
  ~BoxAnswerer();
  const BoxSeen& Join();

 private:
  void Watch(const std::function<HWND()>& find, int button, int timeout_ms);
  std::thread thread_;
  BoxSeen seen_;
  bool joined_ = false;
};

// A program started by a test: the command line is passed as it is (quote what needs
// it), the current folder is `folder`. Ended by force if still running when dropped.
class StartedProgram {
 public:
  StartedProgram(const std::wstring& command_line, const std::string& folder);
  ~StartedProgram();
  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;
  bool started() const { return process_ != nullptr; }
  DWORD id() const { return id_; }
  // Exit code once the program has ended within `timeout_ms`, else STILL_ACTIVE.
  DWORD Wait(int timeout_ms);

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// Waits, on its own thread, for a visible top-level window of this process with that
// caption, then runs `script` on it (reading controls, posting commands) while the
// window's own thread sits in its modal loop. Join() tells whether it was found.
class WindowDriver {
 public:
  WindowDriver(std::wstring caption, std::function<void(HWND)> script, int timeout_ms = 15000);
  ~WindowDriver();
  bool Join();

 private:
  std::thread thread_;
  std::atomic<bool> found_{false};
};

// Environment for the stand-in program started by the code under test.
void SetStandInMarker(const std::string& marker_path, const std::wstring& event_name = L"");

}  // namespace vaultrine::uitest
