#include "disc_space.h"

#include <limits>

namespace vaultrine::backup {

std::string DriveRoot(std::string_view path) {
  std::string root(path.substr(0, 3));
  for (char& c : root) {
    if (c == '/') c = '\\';
  }
  return root;
}

int64_t ReadNeededBytes(std::string_view text) {
  size_t i = 0;
  const auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  while (i < text.size() && blank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Accumulate the magnitude unsigned, stopping at the limit instead of overflowing.
  const uint64_t limit = negative ? uint64_t{1} << 63 : static_cast<uint64_t>(std::numeric_limits<int64_t>::max());
  uint64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    const unsigned digit = static_cast<unsigned>(text[i] - '0');
    if (value > (limit - digit) / 10) {
      value = limit;
      break;
    }
    value = value * 10 + digit;
  }
  if (!negative) return static_cast<int64_t>(value);
  if (value == uint64_t{1} << 63) return std::numeric_limits<int64_t>::min();
  return -static_cast<int64_t>(value);
}

bool SpaceIsShort(int64_t needed, uint64_t free_bytes) {
  return needed >= 0 && static_cast<uint64_t>(needed) >= free_bytes;
}

std::string FormatSpaceQuestion(std::string_view format, uint64_t free_bytes, std::string_view root,
                                uint64_t needed) {
  const std::string inserts[3] = {std::to_string(free_bytes), std::string(root), std::to_string(needed)};
  std::string out;
  int used = 0;
  for (size_t i = 0; i < format.size() && out.size() < kQuestionMax; ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      const char next = format[i + 1];
      if (next == 's' && used < 3) {
        out += inserts[used++];
        ++i;
        continue;
      }
      if (next == '%') {
        out += '%';
        ++i;
        continue;
      }
    }
    out += format[i];
  }
  if (out.size() > kQuestionMax) out.resize(kQuestionMax);
  return out;
}

int CheckDiscSpace(std::string_view path, std::string_view needed_text, std::string_view question_format,
                   std::string_view caption, DiskSpacePlatform& platform) {
  const std::string root = DriveRoot(path.substr(0, path.find('\0')));
  const std::optional<uint64_t> free_bytes = platform.FreeBytes(root);
  if (!free_bytes) return kGoOn;
  const int64_t needed = ReadNeededBytes(needed_text);
  if (!SpaceIsShort(needed, *free_bytes)) return kGoOn;
  const std::string question =
      FormatSpaceQuestion(question_format, *free_bytes, root, static_cast<uint64_t>(needed));
  return platform.AskYesNo(std::string(caption), question) ? kGoOn : kStop;
}

}  // namespace vaultrine::backup
