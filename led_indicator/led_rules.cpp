#include "led_rules.h"

#include <cstdio>

#include "common/hot_pointer.h"

namespace vaultrine::led {
namespace {

bool IsBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

int16_t ReadNumber(std::u16string_view text) {
  text = text.substr(0, kNumberMax);
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) negative = text[i++] == u'-';
  long value = 0;  // at most 7 digits: no overflow
  for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) value = value * 10 + (text[i] - u'0');
  if (negative) value = -value;
  if (value > INT16_MAX) return INT16_MAX;
  if (value < INT16_MIN) return INT16_MIN;
  return static_cast<int16_t>(value);
}

}  // namespace

std::optional<Origin> ParseCommandLine(std::u16string_view line) {
  if (line.size() > kCommandLineMax) return std::nullopt;
  Origin origin;
  if (line.empty()) return origin;
  const std::size_t first = line.find(u';');
  origin.x = ReadNumber(line.substr(0, first));
  if (first == std::u16string_view::npos) {
    origin.y = 0;
    return origin;
  }
  const std::u16string_view rest = line.substr(first + 1);
  origin.y = ReadNumber(rest.substr(0, rest.find(u';')));
  return origin;
}

Placement LedWindowPlacement(Origin origin, int dpi) {
  return {origin.x + ScaleForDpi(6, dpi), origin.y + ScaleForDpi(27, dpi), ScaleForDpi(66, dpi),
          ScaleForDpi(52, dpi)};
}

std::string ClockText(const std::tm& t) {
  char text[16];
  std::snprintf(text, sizeof text, "  %02d:%02d:%02d ", t.tm_hour % 100, t.tm_min % 100, t.tm_sec % 100);
  return text;
}

int NextLedPicture(int16_t& blink_state) {
  if (blink_state == 0) {
    blink_state = 1;
    return 320;
  }
  blink_state = 0;
  return 310;
}

}  // namespace vaultrine::led
