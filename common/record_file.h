// A list file that the libraries fill record by record while an engine runs: the
// UTF-8 byte-order mark, then one whole line per record. Every record is handed to
// the system before Append returns, so an engine that dies keeps what it reported.
// A record the disk does not take is cut off whole and the file closed; it and every
// record that comes later are counted as lost, so that the end of the run can say
// the list is incomplete instead of passing it as whole.
#pragma once
#include <cstdint>
#include <string>

#include "common/file_io.h"

namespace vaultrine {

class RecordFile {
 public:
  // kFailed: the file could not be created, or a record did not fit and it was
  // closed; nothing more is written to it.
  enum class State { kNotCreated, kFailed, kOpen, kClosed };

  // Creates (or empties) `path` and writes the mark. False, and kFailed, when either fails.
  bool Create(const std::string& path);
  // The whole line on disk; otherwise the file is cut back to its whole records and
  // closed, the record counted as lost, and false returned.
  bool Append(const std::string& line);
  // A record that never reached the file.
  void CountLost() { ++lost_; }
  // End of the run: the file closed (its state kept when it had failed).
  void Close();

  State state() const { return state_; }
  bool is_open() const { return state_ == State::kOpen; }
  int lost() const { return lost_; }

 private:
  // The whole line on disk, or the file cut back to `size_` and closed.
  bool WriteWhole(const std::string& line);

  UniqueFile file_;
  State state_ = State::kNotCreated;
  int64_t size_ = 0;  // bytes of whole records
  int lost_ = 0;
};

}  // namespace vaultrine
