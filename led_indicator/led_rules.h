// What Glowtick decides without a window: where its window goes, given the command
// line the restore library writes (".\Glowtick.exe <left>;<top>;"), and the clock text.
#pragma once
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace vaultrine::led {

// Longer command lines are refused with "Unexpected parameters".
inline constexpr std::size_t kCommandLineMax = 63;
// Each number is read from at most this many characters.
inline constexpr std::size_t kNumberMax = 7;

struct Origin {
  int16_t x = -1;
  int16_t y = -1;
};

// "x;y;": x from the characters before the first ";", y from those after it up to the
// next ";". Numbers are read as atoi reads them (blanks, sign, digits; anything else
// gives 0) and held to the 16-bit range. Without ";" y is 0; an empty line keeps -1,-1.
// nullopt when the line holds more than kCommandLineMax characters.
std::optional<Origin> ParseCommandLine(std::u16string_view line);

struct Placement {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// Inside the progress window's top-left corner, below its caption: 66 x 52 pixels,
// 6 and 27 pixels in, on a 96 dpi screen, and as much more as the screen is finer.
Placement LedWindowPlacement(Origin origin, int dpi = 96);

// Two blanks, hh:mm:ss on the 24-hour clock, one blank.
std::string ClockText(const std::tm& local_time);

// The LED pictures alternate each second: 320 (yellow-green) after the first tick,
// then 310 (green-yellow), and so on. Returns the picture to show and flips the state.
int NextLedPicture(int16_t& blink_state);

}  // namespace vaultrine::led
