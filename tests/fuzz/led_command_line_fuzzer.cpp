// Glowtick's command line on any UTF-16 text. What must hold: a line longer than the
// limit is refused, any other gives an origin in the 16-bit range, and the window it
// places always has the LED's size, 6 and 27 pixels inside that origin.
#include <cstdint>
#include <string>

#include "led_indicator/led_rules.h"

using namespace vaultrine::led;

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::u16string line(size / 2, u'\0');
  for (size_t i = 0; i < line.size(); ++i) line[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  const auto origin = ParseCommandLine(line);
  Check(origin.has_value() == (line.size() <= kCommandLineMax));
  if (!origin) return 0;
  if (line.empty()) Check(origin->x == -1 && origin->y == -1);
  const Placement p = LedWindowPlacement(*origin);
  Check(p.x == origin->x + 6 && p.y == origin->y + 27);
  Check(p.width == 66 && p.height == 52);
  return 0;
}
