#include "result_window_data.h"

#include <climits>

#include "common/text_encoding.h"

namespace vaultrine::backup {

namespace {
std::string_view UpToZero(std::string_view text) { return text.substr(0, text.find('\0')); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }
}  // namespace

void ResultWindowData::SetCaption(std::string_view text) {
  caption.assign(UpToZero(text));
  CutUtf8(caption, kCaptionMax);
}

void ResultWindowData::SetHeadline(std::string_view utf8, AnsiEncoder encode) {
  headline = encode(UpToZero(utf8));
  if (headline.size() > kHeadlineMax) headline.resize(kHeadlineMax);
}

void ResultWindowData::SetCounts(std::string_view new_text, std::string_view obsolete_text,
                                 std::string_view modified_text) {
  new_count.assign(UpToZero(new_text));
  obsolete_count.assign(UpToZero(obsolete_text));
  modified_count.assign(UpToZero(modified_text));
  new_value = LeadingNumber(new_count);
  obsolete_value = LeadingNumber(obsolete_count);
  modified_value = LeadingNumber(modified_count);
}

int LeadingNumber(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = value * 10 + (text[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

std::string FormatSize(std::string_view text) {
  text = UpToZero(text);
  size_t digits = 0;
  while (digits < text.size() && IsDigit(text[digits])) ++digits;
  std::string out(text.substr(0, digits));
  out += ' ';
  if (digits < text.size()) {
    // One character, whole: a unit letter, or whatever the engine put there.
    size_t end = digits + 1;
    while (end < text.size() && IsContinuation(text[end])) ++end;
    out.append(text.substr(digits, end - digits));
  }
  out += " bytes";
  return out;
}

std::string DatabasePathFromUtf16(std::u16string_view units) {
  units = units.substr(0, units.find(u'\0'));
  units = units.substr(0, kDatabasePathUnits);
  // Never keep half of a surrogate pair.
  if (!units.empty() && units.back() >= 0xD800 && units.back() <= 0xDBFF) units.remove_suffix(1);
  return Utf16ToUtf8(units);
}


}  // namespace vaultrine::backup
