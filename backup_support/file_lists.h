// The two lists the engine fills while it runs: every processed file goes to
// "Vaultrine_FileList.txt", every error (a label starting with "@") to
// "Vaultrine_ErrorList.txt". Both are UTF-8 with the byte-order mark and CR LF, one
// "label: text" line per record with "/" written as "\", each a RecordFile: written
// through at once, never a half line, every record that missed its list counted.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "common/message_sink.h"
#include "common/record_file.h"

namespace vaultrine::backup {

inline constexpr const char* kFileListName = "Vaultrine_FileList.txt";
inline constexpr const char* kErrorListName = "Vaultrine_ErrorList.txt";

// Appends "label: text" with every "/" turned into "\", then CR LF, to `line`.
void AppendRecordLine(std::string_view label, std::string_view text, std::string& line);

class FileLists {
 public:
  // Where each list stands. A list that could not be created stays kFailed: the file
  // list then silences every record of the load; the error list is tried again by
  // the next error while no error has been counted.
  using State = RecordFile::State;

  // `folder` empty: the current directory, as the engine expects.
  explicit FileLists(std::string folder = {});

  void Record(std::string_view label, std::string_view text);
  // End of the run: the result windows read and compress the lists afterwards.
  // Records that still arrive are dropped.
  void Close();
  // One warning when records of this load never reached their list (a list that
  // could not be created, or a disk that filled up); nothing otherwise.
  void ReportLosses(MessageSink& boxes, const std::string& caption) const;

  int error_count() const { return error_count_; }
  int lost_file_records() const { return list_.lost(); }
  int lost_error_records() const { return errors_.lost(); }
  State file_list_state() const { return list_.state(); }
  State error_list_state() const { return errors_.state(); }
  // Name of the file list as the end-of-run steps last left it (they shorten it
  // when the compressed archive takes its place).
  std::string& list_name() { return list_name_; }

 private:
  std::string PathOf(const char* name) const;

  std::string folder_;
  std::string list_name_ = kFileListName;
  RecordFile list_;
  RecordFile errors_;
  int error_count_ = 0;
  bool closed_ = false;
  std::string line_;  // reused for every record
};

}  // namespace vaultrine::backup
