// The request file the restore library writes for the restore engine
// (".\DecryptList.txt": mark, "key=", "destination=", then one entry per line, a
// folder ending with "\"), and where each chosen file goes in the restore folder.
#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vaultrine::engines {

struct RestoreRequest {
  std::string key;
  std::string destination;  // the restore folder
  std::vector<std::string> entries;
};

// Mark optional, CR LF or LF; empty lines among the entries are skipped. nullopt
// when the first two lines are not "key=..." and "destination=..." or the
// destination is empty.
std::optional<RestoreRequest> ParseRestoreRequest(std::string_view bytes);

bool IsFolderEntry(std::string_view entry);

// A folder entry comes back as a folder of the same name in the restore folder, with
// everything under it; a file entry as a file of the same name. `file` is the backed-up
// file: the entry itself, or a file below a folder entry. Empty when `file` does not
// lie under the entry.
std::string RestoreTarget(std::string_view restore_folder, std::string_view entry, std::string_view file);

}  // namespace vaultrine::engines
