// What the Wine tests share: scratch folders, the folder of the built programs,
// finding windows and answering message boxes from a second thread.
#pragma once
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <vector>
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

// A file held open by the test as another program would hold it: `access` and
// `share` as for CreateFileW. Closed when dropped or on Release().
class HeldFile {
 public:
  HeldFile(const std::string& path, DWORD access, DWORD share);
  ~HeldFile() { Release(); }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  bool held() const { return handle_ != INVALID_HANDLE_VALUE; }
  void Release();

 private:
  HANDLE handle_;
};

// Polls `condition` until it holds or the time is up.
bool WaitUntil(const std::function<bool()>& condition, int timeout_ms = 10000);

// First visible top-level window of this process with that class (null = any) and caption;
// with `visible_only` false, hidden ones count too.
HWND FindProcessWindow(const wchar_t* window_class, const std::wstring& caption,
                       DWORD process_id = GetCurrentProcessId(), bool visible_only = true);
// First visible top-level window of the process (any process for 0) for which `accept` holds.
HWND FindProcessWindowWhere(DWORD process_id, const std::function<bool(HWND)>& accept);
// The text of a window or control of any process, asked with WM_GETTEXT (reading
// another process's edit control any other way gives its creation text).
std::string TextOf(HWND window);
// The control that has the focus in the window's thread (of any process).
HWND FocusOf(HWND window);
// The lines of a list box of any process, as UTF-8.
std::vector<std::string> ListBoxEntries(HWND list);
// First child (at any depth) of `parent` with that class and, unless -1, that id.
HWND FindChild(HWND parent, const wchar_t* window_class, int id = -1);

struct BoxSeen {
  bool found = false;
  std::string caption;
  std::string text;
  bool topmost = false;
};

// Counts the client-area pixels in `area` (client coordinates) that `match` accepts,
// as they are on the screen now.
int CountPixels(HWND window, RECT area, const std::function<bool(COLORREF)>& match);
bool NearColour(COLORREF c, COLORREF wanted, int tolerance = 40);

// Watches, on its own thread, for a message box (of this process unless told), reads it and
// presses `button` (IDOK, IDYES, IDNO...). Join() waits for it, and for the box to go.
class BoxAnswerer {
 public:
  // The first box with that caption, shown by this process or by `process_id`.
  BoxAnswerer(std::wstring caption, int button, int timeout_ms = 15000,
              DWORD process_id = GetCurrentProcessId());
  // The first box owned by `owner`, whatever its caption: for windows that carry
  // the same caption as their own boxes.
  BoxAnswerer(HWND owner, int button, int timeout_ms = 15000);
  // The first window that `find` returns: for boxes of another process.
  BoxAnswerer(std::function<HWND()> find, int button, int timeout_ms = 15000);
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
  HANDLE handle() const { return process_; }
  // Exit code once the program has ended within `timeout_ms`, else STILL_ACTIVE.
  DWORD Wait(int timeout_ms);

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

// Waits, on its own thread, for a visible top-level window of this process with that
// caption, then runs `script` on it (reading controls, posting commands) while the
// window's own thread sits in its modal loop. Join() tells whether it was found.
// With `holding`, only a window with a control of that id counts: for windows that
// share their caption with their own message boxes.
class WindowDriver {
 public:
  WindowDriver(std::wstring caption, std::function<void(HWND)> script, int timeout_ms = 15000, int holding = 0);
  ~WindowDriver();
  bool Join();

 private:
  std::thread thread_;
  std::atomic<bool> found_{false};
};

// Memory in another process (or this one) for the messages whose pointers Windows
// does not carry across processes (TCM_GETITEM, BFFM_SETSELECTION...).
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, size_t bytes);
  ~RemoteBuffer();
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  void* address() const { return address_; }
  LPARAM lparam() const { return reinterpret_cast<LPARAM>(address_); }
  bool Write(const void* data, size_t bytes, size_t offset = 0);
  bool Read(void* data, size_t bytes, size_t offset = 0) const;

 private:
  HANDLE process_;
  void* address_;
};

struct ChooserSeen {
  bool found = false;
  std::string proposed_name;  // the file name field when the chooser opened
};

// Answers the system's file chooser titled `title` from its own thread: writes
// `name` (a name or a full path) in the file name field and confirms, or cancels
// when `name` is empty.
// Join() returns once the chooser has gone.
class FileChooserAnswerer {
 public:
  FileChooserAnswerer(std::wstring title, std::wstring name, HANDLE process = GetCurrentProcess(),
                      int timeout_ms = 15000);
  ~FileChooserAnswerer();
  const ChooserSeen& Join();

 private:
  std::thread thread_;
  ChooserSeen seen_;
};

// Answers the system's folder chooser: selects `folder` (nothing when empty, so
// the folder it opened on is confirmed) and confirms, or cancels when `cancel`.
// Join() returns once the chooser has gone.
class FolderChooserAnswerer {
 public:
  FolderChooserAnswerer(std::wstring folder, bool cancel = false,
                        HANDLE process = GetCurrentProcess(), int timeout_ms = 15000);
  ~FolderChooserAnswerer();
  bool Join();  // whether the chooser was seen

 private:
  std::thread thread_;
  bool seen_ = false;
};

// Environment for the stand-in program started by the code under test.
void SetStandInMarker(const std::string& marker_path, const std::wstring& event_name = L"");

}  // namespace vaultrine::uitest
