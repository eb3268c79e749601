// The two lists the engine fills while it runs: every processed file goes to
// "Vaultrine_FileList.txt", every error (a label starting with "@") to
// "Vaultrine_ErrorList.txt". Both are UTF-8 with the byte-order mark and CR LF, one
// "label: text" line per record with "/" written as "\". Every record is handed to
// the system before Record returns, so an engine that dies keeps what it reported.
// A record the disk does not take is cut off whole and counted as lost, so that the
// end of the run can say the lists are incomplete instead of passing them as whole.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "common/file_io.h"
#include "common/message_sink.h"

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
  enum class State { kNotCreated, kFailed, kOpen, kClosed };

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
  int lost_file_records() const { return lost_files_; }
  int lost_error_records() const { return lost_errors_; }
  State file_list_state() const { return list_state_; }
  State error_list_state() const { return errors_state_; }
  // Name of the file list as the end-of-run steps last left it (they shorten it
  // when the compressed archive takes its place).
  std::string& list_name() { return list_name_; }

 private:
  bool Create(const char* name, UniqueFile& file, State& state, int64_t& size);
  // The whole line on disk, or the file cut back to `size` and closed.
  static bool Write(UniqueFile& file, const std::string& line, int64_t& size);

  std::string folder_;
  std::string list_name_ = kFileListName;
  UniqueFile list_;
  UniqueFile errors_;
  State list_state_ = State::kNotCreated;
  State errors_state_ = State::kNotCreated;
  int64_t list_size_ = 0;  // bytes of whole records in each list
  int64_t errors_size_ = 0;
  int error_count_ = 0;
  int lost_files_ = 0;
  int lost_errors_ = 0;
  bool closed_ = false;
  std::string line_;  // reused for every record
};

}  // namespace vaultrine::backup
