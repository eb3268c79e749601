#include "tools/engines/core/backup_plan.h"

#include <unordered_set>

#include "tools/engines/core/path_rules.h"

namespace vaultrine::engines {

Change CompareWithCopy(const FileFacts& source, const std::optional<FileFacts>& copy) {
  if (!copy) return Change::kNew;
  if (copy->size != source.size || copy->mtime != source.mtime) return Change::kModified;
  return Change::kUnchanged;
}

std::vector<std::string> NewlyObsolete(const std::vector<TaskRow>& rows,
                                       const std::vector<std::string>& backed_up) {
  std::unordered_set<std::string> live;
  for (const std::string& path : backed_up) live.insert(FoldCase(path));
  std::vector<std::string> out;
  for (const TaskRow& row : rows) {
    if (!row.obsolete && live.count(FoldCase(row.destpath)) == 0) out.push_back(row.destpath);
  }
  return out;
}

std::string TaskText(const std::string& parameter_path) { return parameter_path + "#1"; }

}  // namespace vaultrine::engines
