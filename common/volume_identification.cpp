#include "volume_identification.h"

#include "text_encoding.h"

namespace vaultrine {
namespace {

struct SavedPosition {
  int drive = 0;
  bool has_directory = false;
  std::string directory;
};

SavedPosition SavePosition(VolumeTable& table) {
  SavedPosition p;
  p.drive = table.CurrentDrive();
  p.has_directory = table.CurrentDirectory(p.drive, p.directory);
  return p;
}

bool RestoreDrive(VolumeTable& table, const SavedPosition& p) { return table.SelectDrive(p.drive); }
bool RestoreDirectory(VolumeTable& table, const SavedPosition& p) {
  return p.has_directory && table.EnterDirectory(p.directory);
}

// The drive number of the text's first character, either case; 0 for anything else.
int DriveNumber(std::string_view drive_text) {
  if (drive_text.empty()) return 0;
  char c = drive_text.front();
  if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return (c >= 'A' && c <= 'Z') ? c - 'A' + 1 : 0;
}

std::string RootOf(int drive) { return std::string(1, static_cast<char>('A' + drive - 1)) + ":\\"; }

// Labels end at their first zero, as the platform's strings do.
std::u16string UpToZero(std::u16string s) {
  const size_t z = s.find(u'\0');
  if (z != std::u16string::npos) s.resize(z);
  return s;
}

}  // namespace

std::string VolumeLabelUtf8(VolumeTable& table, std::string_view drive_text) {
  const SavedPosition saved = SavePosition(table);
  const int drive = DriveNumber(drive_text);
  if (drive == 0 || !table.SelectDrive(drive)) return {};
  if (!table.EnterDirectory(RootOf(drive))) {
    RestoreDrive(table, saved);
    RestoreDirectory(table, saved);
    return {};
  }
  std::u16string label;
  std::string work;
  if (table.CurrentVolumeLabel(label)) {
    work = Utf16ToUtf8(UpToZero(label));
    CutUtf8(work, kVolumeLabelUtf8Max);
  }
  if (!RestoreDrive(table, saved)) work.clear();
  if (!RestoreDirectory(table, saved)) work.clear();
  return work;
}

VolumeNameResult VolumeLabelWithStatus(VolumeTable& table, std::string_view drive_text) {
  VolumeNameResult r;
  const SavedPosition saved = SavePosition(table);
  const int drive = DriveNumber(drive_text);
  if (drive == 0 || !table.SelectDrive(drive)) {
    r.status = kDriveNotSelectable;
    return r;
  }
  if (!table.EnterDirectory(RootOf(drive))) {
    RestoreDrive(table, saved);
    RestoreDirectory(table, saved);
    r.status = kRootNotEnterable;
    return r;
  }
  if (!table.CurrentVolumeLabel(r.label)) {
    r.label.clear();
    RestoreDrive(table, saved);
    RestoreDirectory(table, saved);
    r.status = kVolumeQueryFailed;
    return r;
  }
  r.label = UpToZero(r.label);
  r.has_label = true;
  if (!RestoreDrive(table, saved)) {
    r.status = kDriveNotRestored;
  } else if (!RestoreDirectory(table, saved)) {
    r.status = kDirectoryNotRestored;
  } else {
    r.status = kLabelRead;
  }
  return r;
}

char DiscFromVolumeName(VolumeTable& table, std::string_view wanted) {
  const SavedPosition saved = SavePosition(table);
  // The whole wanted label is compared: a label too long for any volume matches nothing
  // rather than being cut (or emptied) into something that could match.
  const std::u16string wanted16 = UpToZero(Utf8ToUtf16(wanted.substr(0, wanted.find('\0'))));
  int matches = 0;
  char letter = '?';
  for (int drive = 3; drive <= 26; ++drive) {
    if (!table.SelectDrive(drive)) continue;
    if (!table.EnterDirectory(RootOf(drive))) continue;
    std::u16string label;
    if (!table.CurrentVolumeLabel(label)) continue;
    if (UpToZero(label) == wanted16) {
      letter = static_cast<char>('A' + drive - 1);
      ++matches;
    }
  }
  if (!RestoreDrive(table, saved) || !RestoreDirectory(table, saved)) return '!';
  return matches == 1 ? letter : '?';
}

}  // namespace vaultrine
