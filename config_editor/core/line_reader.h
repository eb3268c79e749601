// Reads a file line by line, each line whole however long it is. The line end
// (LF, or CR LF) is dropped; a last line without one keeps all its characters.
// NUL and other bytes pass through.
#pragma once
#include <string>
#include <vector>

#include "common/file_io.h"

namespace vaultrine::config {

class LineReader {
 public:
  explicit LineReader(UniqueFile file) : file_(std::move(file)), buffer_(65536) {}
  static LineReader Open(const std::string& path) { return LineReader(OpenFile(path, "rb")); }

  bool is_open() const { return file_ != nullptr; }
  // False at the end of the file (or on a read error), with `line` empty.
  bool Next(std::string& line);

 private:
  UniqueFile file_;
  std::vector<char> buffer_;
  size_t begin_ = 0, end_ = 0;
};

}  // namespace vaultrine::config
