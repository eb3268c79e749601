// The texts the stand-in engines hand to the libraries or show in their console,
// by their English msgid; the catalog gives the French ones.
#pragma once
#include <cstdint>
#include <string>

namespace vaultrine::engines {

// Every text of the engines, by its msgid. The slot texts follow below.
namespace msg {
inline constexpr const char* kBackupCompleted = "Backup completed";
inline constexpr const char* kBackupFailed = "Backup failed";
inline constexpr const char* kReadingParameterFile = "Reading the parameter file %s";
inline constexpr const char* kLookingForVolume = "Looking for the volume %s";
inline constexpr const char* kVolumeNotFound = "Volume %s not found";
inline constexpr const char* kBackingUp = "Backing up %s";
inline constexpr const char* kCannotCopy = "Cannot copy %s";
inline constexpr const char* kCannotRead = "Cannot read %s";
inline constexpr const char* kCannotReadParameterFile = "Cannot read the parameter file %s";
inline constexpr const char* kNoDestination = "No destination in the parameter file %s";
inline constexpr const char* kCannotCreateDestination = "Cannot create the destination folder %s";
inline constexpr const char* kCannotOpenDatabase = "Cannot open the database %s";
inline constexpr const char* kStoppedForSpace = "Backup stopped for lack of space";
// Labels of the records in the file and error lists.
inline constexpr const char* kNewLabel = "new";
inline constexpr const char* kModifiedLabel = "modified";
inline constexpr const char* kObsoleteLabel = "obsolete";
inline constexpr const char* kErrorLabel = "error";

inline constexpr const char* kReadingRequest = "Reading the request file %s";
inline constexpr const char* kRestoring = "Restoring %s";
inline constexpr const char* kCannotRestore = "Cannot restore %s";
inline constexpr const char* kRestoreCompleted = "Restore completed";
inline constexpr const char* kRestoreFailed = "Restore failed";
}  // namespace msg

inline constexpr const char* kEngineTexts[] = {
    msg::kBackupCompleted, msg::kBackupFailed,     msg::kReadingParameterFile, msg::kLookingForVolume,
    msg::kVolumeNotFound,  msg::kBackingUp,        msg::kCannotCopy,           msg::kCannotRead,
    msg::kCannotReadParameterFile, msg::kNoDestination, msg::kCannotCreateDestination,
    msg::kCannotOpenDatabase, msg::kStoppedForSpace, msg::kNewLabel, msg::kModifiedLabel,
    msg::kObsoleteLabel,   msg::kErrorLabel,       msg::kReadingRequest,       msg::kRestoring,
    msg::kCannotRestore,   msg::kRestoreCompleted, msg::kRestoreFailed};

// The backup library's translated-text slots and the text each receives. Slot 9001 is a
// format: the engine fills in the number of errors at the end of the run.
inline constexpr int kErrorCountSlot = 9001;
inline constexpr const char* kErrorCountFormat = "%d error(s)";
struct SlotText {
  int id;
  const char* msgid;
};
inline constexpr SlotText kSlotTexts[] = {
    {300, "Backup"},
    {480, "File list"},
    {490, "View"},
    {501, "Backup date"},
    {502, "Files processed since the last backup"},
    {503, "New"},
    {504, "Modified"},
    {505, "Obsolete"},
    {508, "Size of the files backed up"},
    {509, "New"},
    {510, "Modified"},
    {631, "Backup date"},
    {9000, "Only %s bytes are free on %s and %s are needed.\nContinue the backup?"},
    {kErrorCountSlot, kErrorCountFormat},
};

// Captions stay ASCII: the libraries show them as they are given.
inline constexpr const char* kBackupCaption = "Vaultrine 1.92";
inline constexpr const char* kRestoreCaption = "Revivalis 1.92";

// The restore library recognises this line (the request file is missing); never translated.
inline constexpr const char* kMissingRequestLine =
    "IOError: [Errno 2] No such file or directory: 'decryptlist.txt'";
inline constexpr const char* kRequestFileName = ".\\DecryptList.txt";

// Kind of every file the restore stand-in restores: it neither compresses nor encrypts.
inline constexpr const char* kStandardKind = "Standard  ";

// "dd/mm/yyyy hh:mm:ss" of a local time.
std::string FormatDate(int year, int month, int day, int hour, int minute, int second);

}  // namespace vaultrine::engines
