// What every failure window's error entries must keep, whatever the engine sends:
// entries within `entry_max` bytes, whole UTF-8 characters when the text was UTF-8,
// and every byte of the text up to its first NUL but the line ends.
#pragma once
#include <string>
#include <string_view>

#include "common/error_lines.h"
#include "common/text_encoding.h"

inline void CheckErrorLines(std::string_view text, size_t entry_max) {
  const auto check = [](bool condition) {
    if (!condition) __builtin_trap();
  };
  const bool whole = vaultrine::IsValidUtf8(text.substr(0, text.find('\0')));
  std::string joined;
  for (const std::string& entry : vaultrine::SplitErrorLines(text, entry_max)) {
    check(entry.size() <= entry_max);
    if (whole) check(vaultrine::IsValidUtf8(entry));
    joined += entry;
  }
  std::string expected;
  const std::string_view upto = text.substr(0, text.find('\0'));
  for (size_t i = 0; i < upto.size(); ++i) {
    if (upto[i] == '\n') continue;
    if (upto[i] == '\r' && (i + 1 == upto.size() || upto[i + 1] == '\n')) continue;
    expected += upto[i];
  }
  check(joined == expected);
}
