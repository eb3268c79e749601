#include "file_lists.h"

#include <algorithm>

namespace vaultrine::backup {

void AppendRecordLine(std::string_view label, std::string_view text, std::string& line) {
  const size_t start = line.size();
  line.append(label).append(": ").append(text);
  std::replace(line.begin() + static_cast<std::ptrdiff_t>(start), line.end(), '/', '\\');
  line.append("\r\n");
}

FileLists::FileLists(std::string folder) : folder_(std::move(folder)) {}

std::string FileLists::PathOf(const char* name) const {
  return folder_.empty() ? std::string(name) : folder_ + kPathSeparator + name;
}

void FileLists::Record(std::string_view label, std::string_view text) {
  if (closed_) return;
  const bool is_error = !label.empty() && label.front() == '@';
  if (list_.state() == State::kNotCreated) list_.Create(PathOf(kFileListName));
  if (!list_.is_open()) {
    (is_error ? errors_ : list_).CountLost();
    return;
  }

  line_.clear();
  if (is_error) {
    // Not counted until one is listed: the next error tries the list again.
    if (error_count_ == 0) errors_.Create(PathOf(kErrorListName));
    AppendRecordLine(label.substr(1), text, line_);
    if (errors_.Append(line_)) ++error_count_;
  } else {
    AppendRecordLine(label, text, line_);
    list_.Append(line_);
  }
}

void FileLists::Close() {
  closed_ = true;
  list_.Close();
  errors_.Close();
}

void FileLists::ReportLosses(MessageSink& boxes, const std::string& caption) const {
  const int lost_files = list_.lost(), lost_errors = errors_.lost();
  if (lost_files == 0 && lost_errors == 0) return;
  std::string text = "Some records of this run could not be written:\n";
  if (lost_files > 0) text += "\n" + std::to_string(lost_files) + " missing from " + kFileListName;
  if (lost_errors > 0) text += "\n" + std::to_string(lost_errors) + " missing from " + kErrorListName;
  text += "\n\nThe disk may be full, or the folder may not be writable.";
  boxes.Show({text, caption, MessageIcon::kWarning});
}

}  // namespace vaultrine::backup
