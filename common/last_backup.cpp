#include "common/last_backup.h"

#include <cstdio>

#include "common/file_io.h"
#include "common/text_encoding.h"

namespace vaultrine {
namespace {

constexpr std::string_view kMark = "\xEF\xBB\xBF";
constexpr std::string_view kHeading = "[last backup]";

std::string TimeText(const BackupTime& t) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
  return text;
}

bool Digit(char c) { return c >= '0' && c <= '9'; }

std::optional<int> Number(std::string_view text) {
  if (text.empty()) return std::nullopt;
  int value = 0;
  for (char c : text) {
    if (!Digit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

// "YYYY-MM-DD HH:MM" and nothing else; a day that no month has is refused too.
std::optional<BackupTime> ReadTime(std::string_view text) {
  if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':')
    return std::nullopt;
  const auto y = Number(text.substr(0, 4)), mo = Number(text.substr(5, 2)), d = Number(text.substr(8, 2)),
             h = Number(text.substr(11, 2)), mi = Number(text.substr(14, 2));
  if (!y || !mo || !d || !h || !mi) return std::nullopt;
  if (*y < 1601 || *mo < 1 || *mo > 12 || *d < 1 || *h > 23 || *mi > 59) return std::nullopt;
  static constexpr int kDays[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (*d > kDays[*mo - 1]) return std::nullopt;
  return BackupTime{*y, *mo, *d, *h, *mi};
}

std::optional<long long> ReadCount(std::string_view text) {
  if (text.empty() || text.size() > 9) return std::nullopt;
  long long value = 0;
  for (char c : text) {
    if (!Digit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::string OneLine(std::string_view text, size_t max_bytes) {
  // Through UTF-16 and back: whatever does not decode becomes U+FFFD.
  std::string line = IsValidUtf8(text) ? std::string(text) : Utf16ToUtf8(Utf8ToUtf16(text));
  for (char& c : line) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  }
  CutUtf8(line, max_bytes);
  return line;
}

std::string ComposeLastBackup(const LastBackup& status) {
  std::string out(kMark);
  auto line = [&](std::string_view key, const std::string& value) {
    out.append(key).append("=").append(value).append("\r\n");
  };
  out.append(kHeading).append("\r\n");
  if (status.when) line("date", TimeText(*status.when));
  if (status.outcome) line("outcome", *status.outcome == BackupOutcome::kCompleted ? "completed" : "failed");
  const std::pair<const char*, const std::optional<long long>*> counts[] = {
      {"new", &status.new_files}, {"modified", &status.modified_files}, {"obsolete", &status.obsolete_files},
      {"errors", &status.errors}};
  for (const auto& [key, value] : counts) {
    if (*value) line(key, std::to_string(**value));
  }
  line("first error", OneLine(status.first_error, kFirstErrorMax));
  return out;
}

LastBackup ParseLastBackup(std::string_view bytes) {
  LastBackup status;
  if (bytes.size() > kLastBackupReadMax) bytes = bytes.substr(0, kLastBackupReadMax);
  if (bytes.substr(0, kMark.size()) == kMark) bytes.remove_prefix(kMark.size());
  // The first time a key appears decides; a line cut short by the end of the bytes
  // still counts, as far as it reads.
  bool seen_date = false, seen_outcome = false, seen_error = false;
  bool seen_count[4] = {};
  std::optional<long long>* counts[] = {&status.new_files, &status.modified_files, &status.obsolete_files,
                                        &status.errors};
  static constexpr std::string_view kCountKeys[] = {"new", "modified", "obsolete", "errors"};
  while (!bytes.empty()) {
    const size_t end = bytes.find('\n');
    std::string_view line = bytes.substr(0, end);
    bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view key = line.substr(0, equals), value = line.substr(equals + 1);
    if (key == "date") {
      if (!seen_date) status.when = ReadTime(value);
      seen_date = true;
    } else if (key == "outcome") {
      if (!seen_outcome) {
        if (value == "completed") status.outcome = BackupOutcome::kCompleted;
        if (value == "failed") status.outcome = BackupOutcome::kFailed;
      }
      seen_outcome = true;
    } else if (key == "first error") {
      if (!seen_error) status.first_error = OneLine(value, kFirstErrorMax);
      seen_error = true;
    } else {
      for (int i = 0; i < 4; ++i) {
        if (key != kCountKeys[i]) continue;
        if (!seen_count[i]) *counts[i] = ReadCount(value);
        seen_count[i] = true;
      }
    }
  }
  return status;
}

bool WriteLastBackup(const std::string& path, const LastBackup& status) {
  return WriteFileReplacing(path, ComposeLastBackup(status));
}

bool LeaveLastBackup(const std::string& path, const LastBackup& status) {
  if (WriteLastBackup(path, status)) return true;
  RemoveFile(path);
  return false;
}

LastBackup ReadLastBackup(const std::string& path) {
  const std::optional<std::string> bytes = ReadFileStart(path, kLastBackupReadMax);
  return bytes ? ParseLastBackup(*bytes) : LastBackup{};
}

}  // namespace vaultrine
