// Finding volumes by label and labels by drive, over an abstract table of drives so
// that the rules run (and are tested) without Windows. Both support libraries use it:
// the backup library wants the label as UTF-8, the restore library wants a status code.
//
// The search works the way the engines expect: it changes the process's current drive
// and directory, queries the volume of the current root, and always tries to put the
// previous drive and directory back.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace vaultrine {

// Drive numbers as the C runtime counts them: A = 1, C = 3, Z = 26.
class VolumeTable {
 public:
  virtual ~VolumeTable() = default;
  virtual int CurrentDrive() = 0;
  // Current directory of that drive (full path, UTF-8); false when it cannot be read.
  virtual bool CurrentDirectory(int drive, std::string& directory) = 0;
  virtual bool SelectDrive(int drive) = 0;
  virtual bool EnterDirectory(const std::string& path) = 0;
  // Label of the volume under the current root.
  virtual bool CurrentVolumeLabel(std::u16string& label) = 0;
};

inline constexpr size_t kVolumeLabelUtf8Max = 32;

// Backup library form: the label as UTF-8, at most 32 bytes (cut between characters);
// empty on any failure, including failing to restore the previous position.
std::string VolumeLabelUtf8(VolumeTable& table, std::string_view drive_text);

// Restore library form.
enum VolumeNameStatus : int16_t {
  kLabelRead = 0,
  kDriveNotSelectable = -1,
  kRootNotEnterable = -2,
  kVolumeQueryFailed = -3,
  kDriveNotRestored = -4,
  kDirectoryNotRestored = -5,
};
struct VolumeNameResult {
  int16_t status = kDriveNotSelectable;
  bool has_label = false;  // the query succeeded (status 0, -4 or -5)
  std::u16string label;
};
VolumeNameResult VolumeLabelWithStatus(VolumeTable& table, std::string_view drive_text);

// The upper-case letter of the one drive from C: to Z: whose label is exactly `wanted`
// (UTF-8); '?' when none or several match; '!' when the previous position is lost.
char DiscFromVolumeName(VolumeTable& table, std::string_view wanted);

}  // namespace vaultrine
