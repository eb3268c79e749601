#include "win32_volume_table.h"

#include <direct.h>

#include <cstdlib>
#include <cstring>

#include "common/win/wide.h"

namespace vaultrine::win {

Win32VolumeTable::Win32VolumeTable()
    : previous_error_mode_(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {}

Win32VolumeTable::~Win32VolumeTable() { SetErrorMode(previous_error_mode_); }

int Win32VolumeTable::CurrentDrive() { return _getdrive(); }

bool Win32VolumeTable::CurrentDirectory(int drive, std::string& directory) {
  // The runtime allocates as much as the path needs.
  wchar_t* path = _wgetdcwd(drive, nullptr, 0);
  if (!path) return false;
  directory = FromWide(path);
  free(path);
  return true;
}

bool Win32VolumeTable::SelectDrive(int drive) { return _chdrive(drive) == 0; }

bool Win32VolumeTable::EnterDirectory(const std::string& path) {
  return _wchdir(ToWide(path).c_str()) == 0;
}

bool Win32VolumeTable::CurrentVolumeLabel(std::u16string& label) {
  wchar_t name[257] = {};
  wchar_t file_system[257] = {};
  DWORD serial = 0, component = 0, flags = 0;
  if (!GetVolumeInformationW(nullptr, name, 257, &serial, &component, &flags, file_system, 257)) {
    return false;
  }
  label.assign(reinterpret_cast<const char16_t*>(name));
  return true;
}

void GetVolumeNameUtf8(const char* drive, char* label) {
  std::memset(label, 0, kVolumeLabelUtf8Max);
  Win32VolumeTable table;
  const std::string text = VolumeLabelUtf8(table, drive ? drive : "");
  std::memcpy(label, text.data(), text.size());  // at most 32 bytes
  label[text.size()] = '\0';
}

short GetVolumeNameAnsi(const char* drive, char* label) {
  constexpr size_t kMax = 96;
  Win32VolumeTable table;
  const VolumeNameResult r = VolumeLabelWithStatus(table, drive ? drive : "");
  if (r.has_label) {
    std::string ansi = Utf8ToAnsi(FromWide(std::wstring(r.label.begin(), r.label.end())));
    if (ansi.size() > kMax) ansi.resize(kMax);
    std::memcpy(label, ansi.data(), ansi.size());
    label[ansi.size()] = '\0';
  }
  return r.status;
}

void GetDiscFromVolumename(const char* label, char* answer) {
  answer[0] = '!';
  answer[1] = '\0';
  Win32VolumeTable table;
  answer[0] = DiscFromVolumeName(table, label ? label : "");
}

}  // namespace vaultrine::win
