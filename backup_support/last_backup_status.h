// What the result windows leave behind for the launcher: the status of this run, in
// the file common/last_backup.h describes, beside the lists.
#pragma once
#include <string>
#include <string_view>

#include "backup_support/result_window_data.h"
#include "common/last_backup.h"

namespace vaultrine::backup {

// The success window's run: its three counts, the errors recorded in this load and
// the first line of the error list (its bytes, read after the lists were closed;
// ignored when no error was recorded, since the list may be an earlier run's).
LastBackup SuccessStatus(const ResultWindowData& data, int error_count, std::string_view error_list,
                         const BackupTime& now);
// The failure window's run: the error lines it shows, the first of them named.
LastBackup FailureStatus(const ResultWindowData& data, const BackupTime& now);

// Where the status goes: `folder` (empty: the current directory) + the file name.
std::string LastBackupPath(const std::string& folder);

}  // namespace vaultrine::backup
