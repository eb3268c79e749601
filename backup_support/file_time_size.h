// The time and size texts the engine records for every file it looks at.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace vaultrine::backup {

inline constexpr int kIsFile = 0;
inline constexpr int kIsFolder = 1;
// The path could not be examined; both texts are then "0".
inline constexpr int kNotExamined = -1;

// The engine's buffers hold 15 digits and a terminating zero.
inline constexpr size_t kDigitsMax = 15;

struct FileStatus {
  bool is_folder = false;
  int64_t modified = 0;  // seconds since 1970-01-01 00:00 UTC
  uint64_t size = 0;
};

struct FileTimeAndSize {
  std::string time;
  std::string size;
  int result = kNotExamined;
};

// Unsigned decimal digits, at most 15 of them: larger values give the largest
// 15-digit number rather than overrunning the engine's buffer.
std::string DecimalDigits(uint64_t value);

// Times before 1970 read as 0: the engine wants digits only, and 0 stays stable
// from one run to the next.
FileTimeAndSize DescribeFile(const std::optional<FileStatus>& status);

}  // namespace vaultrine::backup
