#include "common/record_file.h"

namespace vaultrine {

namespace {
constexpr char kMark[] = "\xEF\xBB\xBF";
}

bool RecordFile::Create(const std::string& path) {
  file_ = OpenFile(path, "wb");
  size_ = 0;
  // Unbuffered: a record either reaches the system whole or is cut off, with no
  // rest of it waiting in a buffer to land later.
  if (!file_ || std::setvbuf(file_.get(), nullptr, _IONBF, 0) != 0 || !WriteWhole(kMark)) {
    file_.reset();
    state_ = State::kFailed;
    return false;
  }
  state_ = State::kOpen;
  return true;
}

bool RecordFile::WriteWhole(const std::string& line) {
  // Straight to the system: a record must survive the engine being killed.
  if (std::fwrite(line.data(), 1, line.size(), file_.get()) == line.size() && std::fflush(file_.get()) == 0) {
    size_ += static_cast<int64_t>(line.size());
    return true;
  }
  // No half line for the reader to take for a record.
  TruncateOpenFile(file_.get(), size_);
  file_.reset();
  return false;
}

bool RecordFile::Append(const std::string& line) {
  if (state_ == State::kOpen && WriteWhole(line)) return true;
  if (state_ == State::kOpen) state_ = State::kFailed;
  ++lost_;
  return false;
}

void RecordFile::Close() {
  file_.reset();
  if (state_ == State::kOpen) state_ = State::kClosed;
}

}  // namespace vaultrine
