#include "restore_support/request_rules.h"

#include "common/file_io.h"
#include "common/raw_value.h"
#include "common/text_encoding.h"

namespace vaultrine::restore {

namespace {

constexpr std::string_view kKeyPrefix = "cryptkey=";
constexpr std::string_view kMissingRequest = "IOError: [Errno 2] No such file";

// The lines of the text without their line ends, those beginning with "#" left out.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    while (!line.empty() && (line.back() == '\r' || line.back() == '\0')) line.remove_suffix(1);
    if (line.empty() || line[0] != '#') lines.push_back(line);
    pos = end + 1;
  }
  return lines;
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  return s;
}

// Whole characters when UTF-8, bytes otherwise: the cut the editor makes.
std::string Cut(std::string_view s, size_t max_bytes) {
  std::string out(s);
  CutRawValue(out, max_bytes);
  return out;
}

}  // namespace

RestoreSettings ScanRestoreSettings(std::string_view text) {
  RestoreSettings s;
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  const std::vector<std::string_view> lines = Lines(text);
  for (std::string_view line : lines) {
    if (line.substr(0, kKeyPrefix.size()) == kKeyPrefix) {
      s.key = Cut(line.substr(kKeyPrefix.size()), kKeyMax);
      break;
    }
  }
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i] == "[destination]" && !s.destination_found) {
      std::string line;
      for (char c : lines[i + 1])
        if (c != '"') line += c;
      const size_t comma = line.find(',');
      s.destination_found = true;
      if (comma == std::string::npos) {
        s.destination = line;
        continue;
      }
      s.destination = std::string(TrimBlanks(std::string_view(line).substr(0, comma)));
      // ",name=" then the volume name up to the blank before its own comma.
      std::string_view rest = std::string_view(line).substr(std::min(line.size(), comma + 6));
      rest = rest.substr(0, rest.find(','));
      s.volume = Cut(TrimBlanks(rest), kVolumeNameMax);
    }
    if (lines[i] == "[restore]" && !s.restore_found) {
      s.restore_folder = std::string(lines[i + 1]);
      s.restore_found = true;
    }
  }
  return s;
}

bool WriteRequestFile(const std::string& path, std::string_view bytes) {
  UniqueFile file = CreateNewFile(path);
  if (!file) return false;
  bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
  written = std::fclose(file.release()) == 0 && written;
  if (!written) RemoveFile(path);
  return written;
}

std::string RequestFileBytes(std::string_view key, std::string_view restore_folder,
                             const std::vector<std::string>& entries) {
  std::string out = "\xEF\xBB\xBF";
  out += "key=" + Cut(key, kKeyMax) + "\r\n";
  out += "destination=" + Cut(restore_folder, kRequestPathMax) + "\r\n";
  for (const std::string& entry : entries) out += Cut(entry, kRequestPathMax) + "\r\n";
  return out;
}

int KindIndex(std::string_view kind) {
  for (size_t i = 0; i < kKinds.size(); ++i)
    if (kind == kKinds[i]) return static_cast<int>(i);
  return -1;
}

std::string RestoredListLine(std::string_view kind, std::string_view name_utf8) {
  std::string line(kind);
  line += ":    ";
  line += name_utf8;
  for (char& c : line)
    if (c == '/') c = '\\';
  line = Cut(line, kListLineMax);
  return line + "\r\n";
}

bool IsMissingRequestError(std::string_view line) {
  if (line.substr(0, kMissingRequest.size()) != kMissingRequest) return false;
  // Windows file names are not case-sensitive: the engine may name the file as it is written.
  std::string lower(line);
  for (char& c : lower)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return lower.find("decryptlist.txt") != std::string::npos;
}

}  // namespace vaultrine::restore
