// The drive table of the running process (C runtime's current drive and directory,
// GetVolumeInformationW) and the export bodies both support libraries share.
#pragma once
#include <windows.h>

#include "common/volume_identification.h"

namespace vaultrine::win {

class Win32VolumeTable : public VolumeTable {
 public:
  // No "insert a disk" box from the system while drives are probed.
  Win32VolumeTable();
  ~Win32VolumeTable() override;
  Win32VolumeTable(const Win32VolumeTable&) = delete;
  Win32VolumeTable& operator=(const Win32VolumeTable&) = delete;

  int CurrentDrive() override;
  bool CurrentDirectory(int drive, std::string& directory) override;
  bool SelectDrive(int drive) override;
  bool EnterDirectory(const std::string& path) override;
  bool CurrentVolumeLabel(std::u16string& label) override;

 private:
  UINT previous_error_mode_;
};

// Bodies of the exports. Buffers are the caller's: `label` holds at least 33 bytes
// (backup form) or 97 bytes (restore form), `answer` at least 2.
void GetVolumeNameUtf8(const char* drive, char* label);
short GetVolumeNameAnsi(const char* drive, char* label);
void GetDiscFromVolumename(const char* label, char* answer);

}  // namespace vaultrine::win
