#include "ui_support.h"

#include <shellapi.h>
#include <shlobj.h>
#include <commctrl.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <future>
#include <iterator>
#include <vector>

#include "common/win/wide.h"

namespace vaultrine::uitest {

using win::FromWide;
using win::ToWide;

std::string BinFolder() { return win::ModuleFolder(nullptr); }

ScratchFolder::ScratchFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  static std::atomic<int> counter{0};
  std::wstring p = std::wstring(temp) + L"vaultrine-ui-" + std::to_wstring(GetCurrentProcessId()) +
                   L"-" + std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(counter++);
  CreateDirectoryW(p.c_str(), nullptr);
  path_ = FromWide(p);
}

ScratchFolder::~ScratchFolder() {
  std::wstring from = ToWide(path_);
  from.push_back(L'\0');  // SHFileOperation wants a double-terminated list
  SHFILEOPSTRUCTW op{};
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationW(&op);
}

bool FileExists(const std::string& path) {
  return GetFileAttributesW(ToWide(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(ToWide(path).c_str(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(ToWide(path).c_str(), std::ios::binary) << bytes;
}

bool CopyFileTo(const std::string& from, const std::string& to) {
  return CopyFileW(ToWide(from).c_str(), ToWide(to).c_str(), FALSE) != 0;
}

HeldFile::HeldFile(const std::string& path, DWORD access, DWORD share)
    : handle_(CreateFileW(ToWide(path).c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr)) {}

void HeldFile::Release() {
  if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  handle_ = INVALID_HANDLE_VALUE;
}

bool WaitUntil(const std::function<bool()>& condition, int timeout_ms) {
  const DWORD start = GetTickCount();
  while (!condition()) {
    if (GetTickCount() - start > static_cast<DWORD>(timeout_ms)) return false;
    Sleep(20);
  }
  return true;
}

namespace {
// Posts a command to a box or chooser found on screen and waits until it has gone, so
// that the next answerer cannot take it, still closing, for the one it waits for.
void PressAndWaitGone(HWND window, WPARAM command, int timeout_ms) {
  PostMessageW(window, WM_COMMAND, command, 0);
  WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, timeout_ms);
}

struct FindData {
  const wchar_t* cls;
  const std::wstring* caption;
  DWORD pid;
  bool visible_only;
  HWND found;
};
BOOL CALLBACK FindProc(HWND w, LPARAM lp) {
  auto* d = reinterpret_cast<FindData*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid != d->pid || (d->visible_only && !IsWindowVisible(w))) return TRUE;
  if (d->cls) {
    wchar_t cls[64];
    GetClassNameW(w, cls, 64);
    if (wcscmp(cls, d->cls) != 0) return TRUE;
  }
  wchar_t text[512];
  GetWindowTextW(w, text, 512);
  if (*d->caption != text) return TRUE;
  d->found = w;
  return FALSE;
}
}  // namespace

HWND FindProcessWindow(const wchar_t* window_class, const std::wstring& caption, DWORD process_id,
                       bool visible_only) {
  FindData d{window_class, &caption, process_id, visible_only, nullptr};
  EnumWindows(FindProc, reinterpret_cast<LPARAM>(&d));
  return d.found;
}

namespace {
struct WhereData {
  DWORD pid;
  const std::function<bool(HWND)>* accept;
  HWND found;
};
BOOL CALLBACK WhereProc(HWND w, LPARAM lp) {
  auto* d = reinterpret_cast<WhereData*>(lp);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if ((d->pid != 0 && pid != d->pid) || !IsWindowVisible(w) || !(*d->accept)(w)) return TRUE;
  d->found = w;
  return FALSE;
}
struct ChildData {
  const wchar_t* cls;
  int id;
  HWND found;
};
BOOL CALLBACK ChildProc(HWND w, LPARAM lp) {
  auto* d = reinterpret_cast<ChildData*>(lp);
  wchar_t cls[64] = {};
  GetClassNameW(w, cls, 64);
  if (wcscmp(cls, d->cls) != 0 || (d->id != -1 && GetDlgCtrlID(w) != d->id)) return TRUE;
  d->found = w;
  return FALSE;
}
}  // namespace

HWND FindProcessWindowWhere(DWORD process_id, const std::function<bool(HWND)>& accept) {
  WhereData d{process_id, &accept, nullptr};
  EnumWindows(WhereProc, reinterpret_cast<LPARAM>(&d));
  return d.found;
}

std::string TextOf(HWND window) {
  const LRESULT n = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(n > 0 ? n : 0) + 1, L'\0');
  const LRESULT got = SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got > 0 ? got : 0));
  return FromWide(text);
}

HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus;
}

HWND FindChild(HWND parent, const wchar_t* window_class, int id) {
  ChildData d{window_class, id, nullptr};
  EnumChildWindows(parent, ChildProc, reinterpret_cast<LPARAM>(&d));
  return d.found;
}

namespace {
BOOL CALLBACK FindOwnedBox(HWND w, LPARAM lp) {
  auto* d = reinterpret_cast<std::pair<HWND, HWND>*>(lp);
  wchar_t cls[16] = {};
  GetClassNameW(w, cls, 16);
  if (wcscmp(cls, L"#32770") == 0 && IsWindowVisible(w) && GetWindow(w, GW_OWNER) == d->first) {
    d->second = w;
    return FALSE;
  }
  return TRUE;
}
}  // namespace

BoxAnswerer::BoxAnswerer(std::wstring caption, int button, int timeout_ms, DWORD process_id) {
  Watch([caption, process_id] { return FindProcessWindow(L"#32770", caption, process_id); }, button, timeout_ms);
}

BoxAnswerer::BoxAnswerer(HWND owner, int button, int timeout_ms) {
  Watch([owner] {
    std::pair<HWND, HWND> search{owner, nullptr};
    EnumWindows(FindOwnedBox, reinterpret_cast<LPARAM>(&search));
    return search.second;
  }, button, timeout_ms);
}

BoxAnswerer::BoxAnswerer(std::function<HWND()> find, int button, int timeout_ms) {
  Watch(find, button, timeout_ms);
}

void BoxAnswerer::Watch(const std::function<HWND()>& find, int button, int timeout_ms) {
  // Returns only once the watcher runs: a box shown while a DLL loads holds the loader
  // lock, and a thread that has not finished starting would wait for it forever.
  std::promise<void> running;
  std::future<void> started = running.get_future();
  thread_ = std::thread([this, find, button, timeout_ms, running = std::move(running)]() mutable {
    running.set_value();
    HWND box = nullptr;
    WaitUntil([&] { return (box = find()) != nullptr; }, timeout_ms);
    if (!box) return;
    // Let the box finish its WM_INITDIALOG (position, z-order) before reading it.
    Sleep(200);
    seen_.found = true;
    seen_.caption = win::GetWindowTextUtf8(box);
    seen_.text = win::GetWindowTextUtf8(GetDlgItem(box, 0xFFFF));
    seen_.topmost = (GetWindowLongW(box, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    PressAndWaitGone(box, MAKEWPARAM(button, BN_CLICKED), timeout_ms);
  });
  started.wait();
}

BoxAnswerer::~BoxAnswerer() {
  if (thread_.joinable()) thread_.join();
}

const BoxSeen& BoxAnswerer::Join() {
  if (thread_.joinable()) thread_.join();
  return seen_;
}

StartedProgram::StartedProgram(const std::wstring& command_line, const std::string& folder) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  std::wstring cmd = command_line;
  if (CreateProcessW(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr,
                     folder.empty() ? nullptr : ToWide(folder).c_str(), &si, &pi)) {
    CloseHandle(pi.hThread);
    process_ = pi.hProcess;
    id_ = pi.dwProcessId;
  }
}

StartedProgram::~StartedProgram() {
  if (!process_) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) TerminateProcess(process_, 1);
  CloseHandle(process_);
}

DWORD StartedProgram::Wait(int timeout_ms) {
  if (!process_ || WaitForSingleObject(process_, timeout_ms) != WAIT_OBJECT_0) return STILL_ACTIVE;
  DWORD code = STILL_ACTIVE;
  GetExitCodeProcess(process_, &code);
  return code;
}

std::vector<std::string> ListBoxEntries(HWND list) {
  std::vector<std::string> entries;
  const int n = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < n; ++i) {
    std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    text.resize(static_cast<size_t>(SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
    entries.push_back(win::FromWide(text));
  }
  return entries;
}

WindowDriver::WindowDriver(std::wstring caption, std::function<void(HWND)> script, int timeout_ms, int holding) {
  thread_ = std::thread([this, caption = std::move(caption), script = std::move(script), timeout_ms, holding] {
    HWND window = nullptr;
    WaitUntil([&] {
      window = holding ? FindProcessWindowWhere(GetCurrentProcessId(), [&](HWND w) {
        return IsWindowVisible(w) && GetDlgItem(w, holding) && TextOf(w) == win::FromWide(caption);
      }) : FindProcessWindow(nullptr, caption);
      return window != nullptr;
    }, timeout_ms);
    if (!window) return;
    found_ = true;
    script(window);
  });
}

WindowDriver::~WindowDriver() {
  if (thread_.joinable()) thread_.join();
}

bool WindowDriver::Join() {
  if (thread_.joinable()) thread_.join();
  return found_;
}

RemoteBuffer::RemoteBuffer(HANDLE process, size_t bytes)
    : process_(process),
      address_(VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}

RemoteBuffer::~RemoteBuffer() {
  if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

bool RemoteBuffer::Write(const void* data, size_t bytes, size_t offset) {
  SIZE_T done = 0;
  return WriteProcessMemory(process_, static_cast<char*>(address_) + offset, data, bytes, &done) &&
         done == bytes;
}

bool RemoteBuffer::Read(void* data, size_t bytes, size_t offset) const {
  SIZE_T done = 0;
  return ReadProcessMemory(process_, static_cast<char*>(address_) + offset, data, bytes, &done) &&
         done == bytes;
}

namespace {

// The file name field: a combo box (cmb13) in today's choosers, an edit (edt1) in older ones.
HWND FileNameField(HWND chooser) {
  if (HWND combo = FindChild(chooser, L"ComboBoxEx32", 0x47c))
    if (HWND edit = FindChild(combo, L"Edit")) return edit;
  if (HWND combo = FindChild(chooser, L"ComboBox", 0x47c))
    if (HWND edit = FindChild(combo, L"Edit")) return edit;
  return FindChild(chooser, L"Edit", 0x480);
}

}  // namespace

FileChooserAnswerer::FileChooserAnswerer(std::wstring title, std::wstring name, HANDLE process,
                                         int timeout_ms) {
  const DWORD pid = GetProcessId(process);
  thread_ = std::thread([this, title, name, pid, timeout_ms] {
    HWND chooser = nullptr;
    HWND field = nullptr;
    WaitUntil([&] {
      chooser = FindProcessWindow(L"#32770", title, pid);
      field = chooser ? FileNameField(chooser) : nullptr;
      return field != nullptr;
    }, timeout_ms);
    if (!field) return;
    // The chooser fills its list after it shows: let it settle before typing.
    Sleep(300);
    seen_.found = true;
    seen_.proposed_name = TextOf(field);
    if (name.empty()) {
      PressAndWaitGone(chooser, IDCANCEL, timeout_ms);
      return;
    }
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PressAndWaitGone(chooser, MAKEWPARAM(IDOK, BN_CLICKED), timeout_ms);
  });
}

FileChooserAnswerer::~FileChooserAnswerer() {
  if (thread_.joinable()) thread_.join();
}

const ChooserSeen& FileChooserAnswerer::Join() {
  if (thread_.joinable()) thread_.join();
  return seen_;
}

namespace {
HTREEITEM Caret(HWND tree) {
  return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

// The text of an item of a tree view of another process.
std::wstring TreeItemText(HANDLE process, HWND tree, HTREEITEM item) {
  if (!item) return L"";
  constexpr int kChars = 260;
  RemoteBuffer remote(process, sizeof(TVITEMW) + kChars * sizeof(wchar_t));
  TVITEMW tv{};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = reinterpret_cast<wchar_t*>(static_cast<char*>(remote.address()) + sizeof(TVITEMW));
  tv.cchTextMax = kChars;
  remote.Write(&tv, sizeof tv);
  if (!SendMessageW(tree, TVM_GETITEMW, 0, remote.lparam())) return L"";
  std::vector<wchar_t> text(kChars + 1, L'\0');
  remote.Read(text.data(), kChars * sizeof(wchar_t), sizeof(TVITEMW));
  return text.data();
}

std::vector<std::wstring> PathParts(const std::wstring& path) {
  std::vector<std::wstring> parts;
  size_t start = 0;
  while (start < path.size()) {
    size_t end = path.find(L'\\', start);
    if (end == std::wstring::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// From the selected item, which names one folder of `parts`, down to the last one.
void WalkDown(HANDLE process, HWND tree, const std::vector<std::wstring>& parts) {
  HTREEITEM item = Caret(tree);
  const std::wstring shown = TreeItemText(process, tree, item);
  size_t at = parts.size();
  for (size_t i = parts.size(); i-- > 1;) {
    if (_wcsicmp(parts[i].c_str(), shown.c_str()) == 0) {
      at = i;
      break;
    }
  }
  for (size_t i = at + 1; i < parts.size() && item; ++i) {
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
    HTREEITEM child = nullptr;
    WaitUntil([&] {
      for (child = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
           child && _wcsicmp(TreeItemText(process, tree, child).c_str(), parts[i].c_str()) != 0;
           child = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)))) {
      }
      return child != nullptr;
    }, 3000);
    if (child) SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(child));
    item = child;
  }
}
}  // namespace

FolderChooserAnswerer::FolderChooserAnswerer(std::wstring folder, bool cancel, HANDLE process,
                                             int timeout_ms) {
  const DWORD pid = GetProcessId(process);
  thread_ = std::thread([this, folder, cancel, process, pid, timeout_ms] {
    HWND chooser = nullptr;
    WaitUntil([&] {
      chooser = FindProcessWindowWhere(pid, [](HWND w) {
        wchar_t cls[16] = {};
        GetClassNameW(w, cls, 16);
        return wcscmp(cls, L"#32770") == 0 && FindChild(w, L"SysTreeView32") != nullptr;
      });
      return chooser != nullptr;
    }, timeout_ms);
    if (!chooser) return;
    Sleep(300);
    seen_ = true;
    if (cancel) {
      PressAndWaitGone(chooser, IDCANCEL, timeout_ms);
      return;
    }
    if (!folder.empty()) {
      RemoteBuffer text(process, (folder.size() + 1) * sizeof(wchar_t));
      text.Write(folder.c_str(), (folder.size() + 1) * sizeof(wchar_t));
      // Wine's chooser matches a path against its tree by item lists that hold access
      // times, and its own looks into folders move them: a first try can miss where a
      // second, with the times settled, hits. Select until the tree shows the name.
      HWND tree = FindChild(chooser, L"SysTreeView32");
      const std::vector<std::wstring> parts = PathParts(folder);
      const bool drive = parts.size() == 1;  // a drive shows its label
      const bool selected = WaitUntil([&] {
        SendMessageW(chooser, BFFM_SETSELECTIONW, TRUE, text.lparam());
        Sleep(200);
        return drive || _wcsicmp(TreeItemText(process, tree, Caret(tree)).c_str(), parts.back().c_str()) == 0;
      }, 2000);
      // A folder the tree listed before the chooser looked into it never matches by
      // path: walk the tree down from the folder shown, opening each level as a user does.
      if (!selected && !drive) WalkDown(process, tree, parts);
    }
    PressAndWaitGone(chooser, MAKEWPARAM(IDOK, BN_CLICKED), timeout_ms);
  });
}

FolderChooserAnswerer::~FolderChooserAnswerer() {
  if (thread_.joinable()) thread_.join();
}

bool FolderChooserAnswerer::Join() {
  if (thread_.joinable()) thread_.join();
  return seen_;
}

void SetStandInMarker(const std::string& marker_path, const std::wstring& event_name) {
  SetEnvironmentVariableW(L"VAULTRINE_STANDIN_MARKER", ToWide(marker_path).c_str());
  SetEnvironmentVariableW(L"VAULTRINE_STANDIN_EVENT", event_name.empty() ? nullptr : event_name.c_str());
}

int CountPixels(HWND window, RECT area, const std::function<bool(COLORREF)>& match) {
  const int w = area.right - area.left, h = area.bottom - area.top;
  if (w <= 0 || h <= 0) return 0;
  HDC dc = GetDC(window);
  if (!dc) return -1;
  HDC memory = CreateCompatibleDC(dc);
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = -h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, w, h, dc, area.left, area.top, SRCCOPY);
  GdiFlush();
  int count = 0;
  const auto* px = static_cast<const uint8_t*>(bits);
  for (int i = 0; i < w * h; ++i) {
    if (match(RGB(px[4 * i + 2], px[4 * i + 1], px[4 * i]))) ++count;
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(window, dc);
  return count;
}

bool NearColour(COLORREF c, COLORREF wanted, int tolerance) {
  return std::abs(GetRValue(c) - GetRValue(wanted)) <= tolerance &&
         std::abs(GetGValue(c) - GetGValue(wanted)) <= tolerance &&
         std::abs(GetBValue(c) - GetBValue(wanted)) <= tolerance;
}

}  // namespace vaultrine::uitest
