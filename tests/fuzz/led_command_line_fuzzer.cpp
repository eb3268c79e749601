// Glowtick's command line on any UTF-16 text. What must hold: a line longer than the
// limit is refused, any other gives an origin in the 16-bit range, each number is what
// the C library's atoi reads from its first seven characters (for lines of plain ASCII),
// and the window it places always has the LED's size, 6 and 27 pixels inside that
// origin. The clock text keeps its shape for any time the system hands back.
#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <string>

#include "led_indicator/led_rules.h"

using namespace vaultrine::led;

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

int16_t AtoiOf(const std::u16string& field) {
  std::string narrow;
  for (size_t i = 0; i < field.size() && i < kNumberMax; ++i) narrow += static_cast<char>(field[i]);
  const long value = std::atoi(narrow.c_str());
  return static_cast<int16_t>(value > INT16_MAX ? INT16_MAX : value < INT16_MIN ? INT16_MIN : value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string line(size / 2, u'\0');
  for (size_t i = 0; i < line.size(); ++i) line[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  const auto origin = ParseCommandLine(line);
  Check(origin.has_value() == (line.size() <= kCommandLineMax));

  if (size >= 3) {
    std::tm t{};
    t.tm_hour = static_cast<int8_t>(data[0]);
    t.tm_min = static_cast<int8_t>(data[1]);
    t.tm_sec = static_cast<int8_t>(data[2]);
    const std::string clock = ClockText(t);
    Check(clock.size() >= 11 && clock.compare(0, 2, "  ") == 0 && clock.back() == ' ');
    if (t.tm_hour >= 0 && t.tm_min >= 0 && t.tm_sec >= 0 && t.tm_hour < 100 && t.tm_min < 100 && t.tm_sec < 100)
      Check(clock.size() == 11 && clock[4] == ':' && clock[7] == ':');
  }

  if (!origin) return 0;
  if (line.empty()) {
    Check(origin->x == -1 && origin->y == -1);
  } else {
    bool ascii = true;
    for (char16_t c : line) ascii = ascii && c != 0 && c < 0x80;
    if (ascii) {
      const size_t first = line.find(u';');
      Check(origin->x == AtoiOf(line.substr(0, first)));
      if (first == std::u16string::npos) {
        Check(origin->y == 0);
      } else {
        const std::u16string rest = line.substr(first + 1);
        Check(origin->y == AtoiOf(rest.substr(0, rest.find(u';'))));
      }
    }
  }
  const Placement p = LedWindowPlacement(*origin);
  Check(p.x == origin->x + 6 && p.y == origin->y + 27);
  Check(p.width == 66 && p.height == 52);
  return 0;
}
