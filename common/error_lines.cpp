#include "common/error_lines.h"

#include "common/text_encoding.h"

namespace vaultrine {

std::vector<std::string> SplitErrorLines(std::string_view text, size_t entry_max) {
  text = text.substr(0, text.find('\0'));
  std::vector<std::string> entries;
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t lf = text.find('\n', pos);
    const size_t end = lf == std::string_view::npos ? text.size() : lf;
    std::string_view line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    do {
      std::string entry(line);
      CutUtf8(entry, entry_max);
      // Bytes that are no UTF-8 at all have no boundary to respect.
      if (entry.empty() && !line.empty()) entry.assign(line.substr(0, entry_max));
      line.remove_prefix(entry.size());
      entries.push_back(std::move(entry));
    } while (!line.empty());
    pos = end + 1;
  }
  return entries;
}

}  // namespace vaultrine
