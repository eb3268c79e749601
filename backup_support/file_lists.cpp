#include "file_lists.h"

#include <algorithm>

namespace vaultrine::backup {

namespace {
constexpr char kMark[] = "\xEF\xBB\xBF";
}

void AppendRecordLine(std::string_view label, std::string_view text, std::string& line) {
  const size_t start = line.size();
  line.append(label).append(": ").append(text);
  std::replace(line.begin() + static_cast<std::ptrdiff_t>(start), line.end(), '/', '\\');
  line.append("\r\n");
}

FileLists::FileLists(std::string folder) : folder_(std::move(folder)) {}

bool FileLists::Create(const char* name, UniqueFile& file, State& state) {
  const std::string path = folder_.empty() ? std::string(name) : folder_ + kPathSeparator + name;
  file = OpenFile(path, "wb");
  if (!file) {
    state = State::kFailed;
    return false;
  }
  state = State::kOpen;
  Write(file.get(), kMark);
  return true;
}

void FileLists::Write(std::FILE* file, const std::string& line) {
  // Straight to the system: a record must survive the engine being killed.
  std::fwrite(line.data(), 1, line.size(), file);
  std::fflush(file);
}

void FileLists::Record(std::string_view label, std::string_view text) {
  if (list_state_ == State::kNotCreated) Create(kFileListName, list_, list_state_);
  if (list_state_ != State::kOpen) return;

  line_.clear();
  if (!label.empty() && label.front() == '@') {
    if (error_count_ == 0 && errors_state_ != State::kClosed) Create(kErrorListName, errors_, errors_state_);
    if (errors_state_ != State::kOpen) return;  // not counted: the next error tries again
    ++error_count_;
    AppendRecordLine(label.substr(1), text, line_);
    Write(errors_.get(), line_);
  } else {
    AppendRecordLine(label, text, line_);
    Write(list_.get(), line_);
  }
}

void FileLists::Close() {
  if (list_state_ == State::kOpen) {
    list_.reset();
    list_state_ = State::kClosed;
  }
  if (errors_state_ == State::kOpen) {
    errors_.reset();
    errors_state_ = State::kClosed;
  }
}

}  // namespace vaultrine::backup
