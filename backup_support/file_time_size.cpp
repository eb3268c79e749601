#include "file_time_size.h"

namespace vaultrine::backup {

std::string DecimalDigits(uint64_t value) {
  constexpr uint64_t kLargest = 999'999'999'999'999;
  return std::to_string(value > kLargest ? kLargest : value);
}

FileTimeAndSize DescribeFile(const std::optional<FileStatus>& status) {
  FileTimeAndSize out;
  if (!status) {
    out.time = "0";
    out.size = "0";
    out.result = kNotExamined;
    return out;
  }
  out.time = DecimalDigits(status->modified < 0 ? 0 : static_cast<uint64_t>(status->modified));
  out.size = DecimalDigits(status->size);
  out.result = status->is_folder ? kIsFolder : kIsFile;
  return out;
}

}  // namespace vaultrine::backup
