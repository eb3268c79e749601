// One editor per parameter file. Two editors on one file would share its working
// copy and internal file, and the one closed first would throw away the other's
// edits. A file is held through something the system lets go of when the process
// ends, however it ends (a named mutex on Windows), never through the companions'
// presence: a killed editor leaves them behind, and the next one starts as usual.
#pragma once
#include <string>
#include <string_view>

namespace vaultrine::config {

class FileGuard {
 public:
  virtual ~FileGuard() = default;
  // Holds `parameter_path` for this editor as well as what it holds already (again
  // is no harm); false when another running editor holds it.
  virtual bool Take(const std::string& parameter_path) = 0;
  // Lets go of every file but these two (an empty path names none).
  virtual void KeepOnly(const std::string& first, const std::string& second) = 0;
  // Brings the editor that holds `parameter_path` to the front.
  virtual void ShowHolder(const std::string& parameter_path) = 0;
};

// The guard's name for a file, from its full path as the system compares names
// (one case, one separator): one file, however its path was written, one name, short
// enough for any object name whatever the path's length.
std::string GuardName(std::u16string_view normalised_path);

}  // namespace vaultrine::config
