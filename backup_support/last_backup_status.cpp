#include "backup_support/last_backup_status.h"

#include <algorithm>

#include "common/file_io.h"

namespace vaultrine::backup {
namespace {

// First non-empty line of a text of lines (LF or CR LF), after a byte-order mark.
std::string FirstLine(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  for (const std::string& entry : vaultrine::SplitErrorLines(text, text.size() + 1)) {
    if (!entry.empty()) return OneLine(entry, kFirstErrorMax);
  }
  return {};
}

}  // namespace

LastBackup SuccessStatus(const ResultWindowData& data, int error_count, std::string_view error_list,
                         const BackupTime& now) {
  LastBackup status;
  status.when = now;
  status.outcome = BackupOutcome::kCompleted;
  auto count = [](int value) { return value < 0 ? 0LL : std::min<long long>(value, kCountMax); };
  status.new_files = count(data.new_value);
  status.modified_files = count(data.modified_value);
  status.obsolete_files = count(data.obsolete_value);
  status.errors = count(error_count);
  if (error_count > 0) status.first_error = FirstLine(error_list);
  return status;
}

LastBackup FailureStatus(const ResultWindowData& data, const BackupTime& now) {
  LastBackup status;
  status.when = now;
  status.outcome = BackupOutcome::kFailed;
  long long lines = 0;
  for (const std::string& entry : vaultrine::SplitErrorLines(data.error_text, data.error_text.size() + 1)) {
    if (entry.empty()) continue;
    if (lines++ == 0) status.first_error = OneLine(entry, kFirstErrorMax);
  }
  status.errors = std::min(lines, kCountMax);
  return status;
}

std::string LastBackupPath(const std::string& folder) {
  return folder.empty() ? std::string(kLastBackupFileName) : folder + kPathSeparator + kLastBackupFileName;
}

}  // namespace vaultrine::backup
