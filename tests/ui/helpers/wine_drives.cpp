#include "tests/ui/helpers/wine_drives.h"

#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <vector>

#include "common/win/wide.h"
#include "tests/ui/helpers/ui_support.h"

namespace vaultrine::uitest {
namespace {

// Wine's own mount manager request (see Wine's include/ddk/mountmgr.h).
constexpr DWORD kDefineUnixDrive = CTL_CODE(static_cast<ULONG>('m'), 32, METHOD_BUFFERED,
                                            FILE_READ_ACCESS | FILE_WRITE_ACCESS);
struct UnixDrive {
  ULONG size;
  ULONG type;
  ULONG fs_type;
  DWORD serial;
  ULONGLONG unix_dev;
  WCHAR letter;
  USHORT mount_point_offset;
  USHORT device_offset;
  USHORT label_offset;
};

std::string UnixPath(const std::string& windows_path) {
  using Fn = char*(CDECL*)(const wchar_t*);
  auto fn = reinterpret_cast<Fn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!fn) return {};
  char* p = fn(win::ToWide(windows_path).c_str());
  if (!p) return {};
  std::string out(p);
  HeapFree(GetProcessHeap(), 0, p);
  return out;
}

bool Define(char letter, const std::string& unix_path) {
  std::vector<char> buf(sizeof(UnixDrive) + unix_path.size() + 1, 0);
  auto* d = reinterpret_cast<UnixDrive*>(buf.data());
  d->size = static_cast<ULONG>(buf.size());
  d->letter = static_cast<WCHAR>(letter);
  if (unix_path.empty()) {
    d->type = DRIVE_NO_ROOT_DIR;  // removes the drive
  } else {
    d->type = DRIVE_FIXED;
    d->mount_point_offset = sizeof(UnixDrive);
    std::memcpy(buf.data() + sizeof(UnixDrive), unix_path.c_str(), unix_path.size() + 1);
  }
  HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (manager == INVALID_HANDLE_VALUE) return false;
  DWORD got = 0;
  const BOOL ok = DeviceIoControl(manager, kDefineUnixDrive, buf.data(), d->size, nullptr, 0, &got, nullptr);
  CloseHandle(manager);
  return ok != FALSE;
}

}  // namespace

WineDrive::WineDrive(char letter, const std::string& folder, const std::string& label) : letter_(letter) {
  if (FileExists(folder)) WriteFileBytes(folder + "\\.windows-label", label + "\n");
  // A folder that does not exist has no Unix name yet: map its parent's name plus its own.
  const size_t slash = folder.find_last_of('\\');
  std::string unix_path = UnixPath(folder);
  if (unix_path.empty() && slash != std::string::npos) {
    const std::string parent = UnixPath(folder.substr(0, slash));
    if (!parent.empty()) unix_path = parent + "/" + folder.substr(slash + 1);
  }
  ok_ = !unix_path.empty() && Define(letter, unix_path);
}

WineDrive::~WineDrive() {
  if (ok_) Define(letter_, "");
}

}  // namespace vaultrine::uitest
