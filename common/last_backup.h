// The last backup at a glance: a small text file that the backup library leaves in
// the engine's working folder each time it shows its success or failure window, and
// that the launcher reads to say when the last backup ran and how it ended.
//
// "Vaultrine_LastBackup.txt", UTF-8 with its mark, CR LF, one "key=value" a line:
//   [last backup]
//   date=2026-12-08 17:55          local time the result window opened
//   outcome=completed              or failed
//   new=1                          success only: the window's three counts
//   modified=0
//   obsolete=1
//   errors=0                       error lines of the run
//   first error=                   the first of them, empty when there is none
// Reading never trusts the file: lines it does not know are skipped, a value that
// does not read is left out, and whatever is left says what could be read.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace vaultrine {

inline constexpr char kLastBackupFileName[] = "Vaultrine_LastBackup.txt";
// Longest first error line kept, in bytes (cut at a character boundary).
inline constexpr size_t kFirstErrorMax = 255;
// Counts above this are not believed.
inline constexpr long long kCountMax = 999999999;
// Only the start of the file is read: what the library writes is far shorter.
inline constexpr size_t kLastBackupReadMax = 4096;

struct BackupTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0;
  bool operator==(const BackupTime& o) const {
    return year == o.year && month == o.month && day == o.day && hour == o.hour && minute == o.minute;
  }
};

enum class BackupOutcome { kCompleted, kFailed };

struct LastBackup {
  std::optional<BackupTime> when;
  std::optional<BackupOutcome> outcome;
  std::optional<long long> new_files, modified_files, obsolete_files;
  std::optional<long long> errors;
  std::string first_error;  // UTF-8, one line, at most kFirstErrorMax bytes
};

// The file's bytes. Counts that are not set are left out; the first error line is
// made one printable line first.
std::string ComposeLastBackup(const LastBackup& status);
// What the bytes say; every field that does not read stays unset or empty.
LastBackup ParseLastBackup(std::string_view bytes);

// The file at `path`: atomically replaced (temporary + replace), so a run that dies
// while writing leaves the previous status whole. False when it could not be written.
bool WriteLastBackup(const std::string& path, const LastBackup& status);
// What a result window does with it: this run's status, or, when that cannot be
// written, none at all, so that an older run's outcome never passes for this one's.
// False when this run's status could not be left.
bool LeaveLastBackup(const std::string& path, const LastBackup& status);
// The file at `path`; an empty status (nothing known) when it cannot be read.
LastBackup ReadLastBackup(const std::string& path);

// A text made safe to show on one line: well-formed UTF-8 (bad bytes become U+FFFD),
// control characters as blanks, cut to `max_bytes` at a character boundary.
std::string OneLine(std::string_view text, size_t max_bytes);

}  // namespace vaultrine
