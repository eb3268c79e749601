// The line beside the backup row that says when the last backup ran and how it
// ended, from the status file the backup library leaves (common/last_backup.h).
#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "common/language.h"
#include "common/last_backup.h"

namespace vaultrine::launcher {

struct LastBackupLine {
  std::string text;     // UTF-8, one line
  bool failed = false;  // shown in red
};

// "Last backup: 08/12/2026 17:55 — completed (1 new, 0 modified, 1 obsolete)"
// ("completed with 2 errors (…)" when errors were recorded),
// "… — failed: <first error>", or "No backup yet" when the status says nothing of
// an outcome; parts that could not be read are left out.
LastBackupLine DescribeLastBackup(const LastBackup& status, Language language);

// `text` when `measure` finds it at most `width` wide; otherwise its longest start
// (at a character boundary, without trailing blanks) that fits with "…" after it.
std::string FitWithEllipsis(const std::string& text, int width,
                            const std::function<int(std::string_view)>& measure);

}  // namespace vaultrine::launcher
