// Data of the success and failure windows, kept for the whole load of the library,
// and the rules that turn the engine's texts into what the windows show.
// The disk-space question borrows the caption: it is the caption most recently given
// to DisplayGoodResult or DisplayBadResult, empty before either.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "backup_support/translated_slots.h"
#include "common/error_lines.h"

namespace vaultrine::backup {

inline constexpr size_t kCaptionMax = 79;
inline constexpr size_t kHeadlineMax = 48;        // bytes of ANSI text
inline constexpr size_t kDatabasePathUnits = 64;  // UTF-16 units
inline constexpr size_t kErrorEntryMax = 127;     // bytes of one list entry

struct ResultWindowData {
  std::string caption;   // UTF-8
  std::string headline;  // ANSI, drawn with the ANSI text functions
  std::string date;      // the engine's texts below are UTF-8, shown unchanged
  std::string new_count, obsolete_count, modified_count;
  int new_value = 0, obsolete_value = 0, modified_value = 0;
  std::string new_size, modified_size;
  std::string database_path;  // UTF-8
  std::string task;           // LIKE pattern; less two characters, the parameter file
  std::string error_text;     // UTF-8 lines separated by line feeds

  void SetCaption(std::string_view text);
  void SetHeadline(std::string_view utf8, AnsiEncoder encode);
  void SetCounts(std::string_view new_text, std::string_view obsolete_text, std::string_view modified_text);

  bool ShowFileListButton() const { return static_cast<long long>(new_value) + modified_value != 0; }
  bool ShowObsoleteButton() const { return obsolete_value != 0; }
};

// The leading decimal number of a text as atoi reads it (blanks, a sign, digits);
// 0 when there is none, clamped to the int range instead of overflowing.
int LeadingNumber(std::string_view text);

// Leading digits, a blank, the first character after them (if any), " bytes":
// "1234" -> "1234  bytes", "1234K" -> "1234 K bytes", "abc" -> " a bytes".
std::string FormatSize(std::string_view text);

// The engine's database path: UTF-16 units up to a zero, at most 64 of them, as UTF-8.
std::string DatabasePathFromUtf16(std::u16string_view units);

// The failure window's entries: lines of at most 127 bytes, nothing lost.
inline std::vector<std::string> SplitErrorLines(std::string_view text) {
  return vaultrine::SplitErrorLines(text, kErrorEntryMax);
}

}  // namespace vaultrine::backup
