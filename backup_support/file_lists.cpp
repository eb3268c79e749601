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

bool FileLists::Create(const char* name, UniqueFile& file, State& state, int64_t& size) {
  const std::string path = folder_.empty() ? std::string(name) : folder_ + kPathSeparator + name;
  file = OpenFile(path, "wb");
  size = 0;
  // Unbuffered: a record either reaches the system whole or is cut off, with no
  // rest of it waiting in a buffer to land later.
  if (!file || std::setvbuf(file.get(), nullptr, _IONBF, 0) != 0 || !Write(file, kMark, size)) {
    file.reset();
    state = State::kFailed;
    return false;
  }
  state = State::kOpen;
  return true;
}

bool FileLists::Write(UniqueFile& file, const std::string& line, int64_t& size) {
  // Straight to the system: a record must survive the engine being killed.
  if (std::fwrite(line.data(), 1, line.size(), file.get()) == line.size() && std::fflush(file.get()) == 0) {
    size += static_cast<int64_t>(line.size());
    return true;
  }
  // No half line for the reader to take for a record.
  TruncateOpenFile(file.get(), size);
  file.reset();
  return false;
}

void FileLists::Record(std::string_view label, std::string_view text) {
  if (closed_) return;
  const bool is_error = !label.empty() && label.front() == '@';
  if (list_state_ == State::kNotCreated) Create(kFileListName, list_, list_state_, list_size_);
  if (list_state_ != State::kOpen) {
    ++(is_error ? lost_errors_ : lost_files_);
    return;
  }

  line_.clear();
  if (is_error) {
    if (error_count_ == 0) Create(kErrorListName, errors_, errors_state_, errors_size_);
    if (errors_state_ != State::kOpen) {  // not counted: the next error tries again
      ++lost_errors_;
      return;
    }
    AppendRecordLine(label.substr(1), text, line_);
    if (!Write(errors_, line_, errors_size_)) {
      errors_state_ = State::kFailed;
      ++lost_errors_;
      return;
    }
    ++error_count_;
  } else {
    AppendRecordLine(label, text, line_);
    if (!Write(list_, line_, list_size_)) {
      list_state_ = State::kFailed;
      ++lost_files_;
    }
  }
}

void FileLists::Close() {
  closed_ = true;
  list_.reset();
  errors_.reset();
  if (list_state_ == State::kOpen) list_state_ = State::kClosed;
  if (errors_state_ == State::kOpen) errors_state_ = State::kClosed;
}

void FileLists::ReportLosses(MessageSink& boxes, const std::string& caption) const {
  if (lost_files_ == 0 && lost_errors_ == 0) return;
  std::string text = "Some records of this run could not be written:\n";
  if (lost_files_ > 0) text += "\n" + std::to_string(lost_files_) + " missing from " + kFileListName;
  if (lost_errors_ > 0) text += "\n" + std::to_string(lost_errors_) + " missing from " + kErrorListName;
  text += "\n\nThe disk may be full, or the folder may not be writable.";
  boxes.Show({text, caption, MessageIcon::kWarning});
}

}  // namespace vaultrine::backup
