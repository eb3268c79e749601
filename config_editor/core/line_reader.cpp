#include "config_editor/core/line_reader.h"

#include <cstring>

namespace vaultrine::config {

bool LineReader::Next(std::string& line) {
  line.clear();
  if (!file_) return false;
  bool any = false;
  for (;;) {
    if (begin_ == end_) {
      begin_ = 0;
      end_ = std::fread(buffer_.data(), 1, buffer_.size(), file_.get());
      if (end_ == 0) break;
    }
    any = true;
    const char* start = buffer_.data() + begin_;
    const void* nl = std::memchr(start, '\n', end_ - begin_);
    if (nl) {
      const size_t n = static_cast<size_t>(static_cast<const char*>(nl) - start);
      line.append(start, n);
      begin_ += n + 1;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
    line.append(start, end_ - begin_);
    begin_ = end_;
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return any;
}

}  // namespace vaultrine::config
