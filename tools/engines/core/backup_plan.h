// What a backup run does with each file, decided from facts alone: copy it as new,
// copy it as modified, leave it, or mark the backed-up copy of a vanished file obsolete.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vaultrine::engines {

struct FileFacts {
  uint64_t size = 0;
  int64_t mtime = 0;  // seconds since 1970-01-01 UTC
};

enum class Change { kNew, kModified, kUnchanged };

// Copies keep the source's modification time, so a copy that differs from its
// source in size or time is out of date; a missing copy is a new file.
Change CompareWithCopy(const FileFacts& source, const std::optional<FileFacts>& copy);

struct TaskRow {
  std::string destpath;
  bool obsolete = false;
};

// The rows still live whose file was not backed up in this run, in row order.
// Paths compare without regard to ASCII case, as Windows names do.
std::vector<std::string> NewlyObsolete(const std::vector<TaskRow>& rows,
                                       const std::vector<std::string>& backed_up);

// The task of a parameter file in the database: its path and two more characters.
// The same text serves as the LIKE pattern that finds the task's rows.
std::string TaskText(const std::string& parameter_path);

}  // namespace vaultrine::engines
