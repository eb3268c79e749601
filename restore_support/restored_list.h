// The restored-files list ".\Revivalis_FileList.txt" that the engine fills through
// RecordFilenames, and the counts by kind that the success window shows. The list is
// a RecordFile, as the backup library's lists are: a record the disk does not take
// is counted as lost, never left half written, and the count reported at the end.
#pragma once
#include <array>
#include <string>
#include <string_view>

#include "common/record_file.h"
#include "restore_support/request_rules.h"

namespace vaultrine::restore {

class RestoredList {
 public:
  explicit RestoredList(std::string path = kRestoredListName) : path_(std::move(path)) {}

  // One line "<kind>:    <name>", the list created with its mark on the first call.
  // True when the line is listed; then the file counts for its kind. A line the list
  // does not take counts nowhere but among the lost.
  bool Record(std::string_view kind, std::string_view name_utf8);
  // The result windows read the list afterwards.
  void Close() { file_.Close(); }

  // Standard, compressed, crypted, compressed and crypted.
  const std::array<int, 4>& counts() const { return counts_; }
  int lost() const { return file_.lost(); }

 private:
  std::string path_;
  RecordFile file_;
  std::array<int, 4> counts_{};
};

// The notice of an incomplete list: `format` (a message text) with its "%s" replaced
// by the number of records lost.
std::string IncompleteListNotice(std::string format, int lost);

}  // namespace vaultrine::restore
