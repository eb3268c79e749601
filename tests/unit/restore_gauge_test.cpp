#include "restore_support/gauge.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

namespace vaultrine::restore {
namespace {

TEST(RestoreGauge, IntervalFollowsTheTotal) {
  const struct {
    int32_t total;
    int32_t interval;
  } cases[] = {
      {INT32_MIN, 1}, {-1, 1},    {0, 1},     {99, 1},    {100, 2},   {299, 2},   {300, 3},
      {599, 3},       {600, 4},   {899, 4},   {900, 5},   {1199, 5},  {1200, 6},  {1499, 6},
      {1500, 7},      {1799, 7},  {1800, 8},  {2100, 8},  {2101, 10}, {2199, 10}, {2200, 11},
      {100000, 500},  {INT32_MAX, INT32_MAX / 200},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UpdateInterval(c.total), c.interval) << "total " << c.total;
  }
}

struct Shown {
  int32_t step;
  int32_t position;
  std::string percent;
  bool operator==(const Shown& o) const {
    return step == o.step && position == o.position && percent == o.percent;
  }
};

void PrintTo(const Shown& s, std::ostream* os) { *os << "{" << s.step << ", " << s.position << ", " << s.percent << "}"; }

// Starts a gauge and steps it through `steps`, keeping what the window would show.
std::vector<Shown> Drive(GaugeState& gauge, int32_t total, const std::vector<int32_t>& steps) {
  gauge.Start(total);
  std::vector<Shown> shown;
  for (int32_t value : steps) {
    if (const auto update = gauge.Step(value)) shown.push_back({value, update->position, update->percent});
  }
  return shown;
}

std::vector<int32_t> OneTo(int32_t n) {
  std::vector<int32_t> v;
  for (int32_t i = 1; i <= n; ++i) v.push_back(i);
  return v;
}

TEST(RestoreGauge, StepsShowEveryIntervalPlusOneth) {
  GaugeState gauge;
  EXPECT_EQ(Drive(gauge, 4, OneTo(4)), (std::vector<Shown>{{2, 2, "50 %"}, {4, 4, "100 %"}}));
  EXPECT_EQ(gauge.value(), 4);

  // 250 files: interval 2, so every third file shows.
  const std::vector<Shown> shown = Drive(gauge, 250, OneTo(250));
  ASSERT_EQ(shown.size(), 83u);
  for (std::size_t i = 0; i < shown.size(); ++i) {
    const int32_t step = static_cast<int32_t>(3 * (i + 1));
    EXPECT_EQ(shown[i], (Shown{step, step, std::to_string(step * 100 / 250) + " %"}));
  }
  EXPECT_EQ(shown.back().percent, "99 %");

  // A restart forgets the skipped steps of the previous gauge.
  gauge.Start(4);
  EXPECT_FALSE(gauge.Step(1));
  EXPECT_EQ(Drive(gauge, 4, {1, 2}), (std::vector<Shown>{{2, 2, "50 %"}}));
}

TEST(RestoreGauge, PercentagesOfOddValues) {
  const struct {
    int32_t value;
    int32_t total;
    const char* text;
  } cases[] = {
      {1, 3, "33 %"},           {2, 3, "66 %"},      {3, 3, "100 %"},
      {7, 4, "175 %"},          {-1, 4, "-25 %"},    {INT32_MAX, INT32_MAX, "100 %"},
      {30000000, 40000000, "75 %"},  // value * 100 beyond 32 bits
      {5, 0, "0 %"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PercentText(c.value, c.total), c.text) << c.value << "/" << c.total;
  }
}

TEST(RestoreGauge, StepsWithoutAPositiveTotalShowNothing) {
  GaugeState never_started;
  for (int32_t v : {1, 2, 3, 4}) EXPECT_FALSE(never_started.Step(v)) << v;
  GaugeState empty;
  EXPECT_TRUE(Drive(empty, 0, OneTo(10)).empty());
  EXPECT_TRUE(Drive(empty, -5, OneTo(10)).empty());
}

TEST(RestoreGauge, TitlesPerKind) {
  EXPECT_STREQ(GaugeTitle(GaugeKind::kStandard), "Restauration des fichiers standards");
  EXPECT_STREQ(GaugeTitle(GaugeKind::kCompressed), "Restauration des fichiers compress\xC3\xA9s");
  EXPECT_STREQ(GaugeTitle(GaugeKind::kCrypted), "Restauration des fichiers crypt\xC3\xA9s");
}

// The file field follows the engine at most once a frame; a name held back shows when
// the frame ends, so the last one always reaches the screen.
TEST(RestoreGauge, FileNamesShowAtMostOnceAFrameAndTheLastAlways) {
  const struct {
    const char* what;
    // 'n' a name offered, 't' the timer, at that ms; 'p' the last show took that many ms
    std::vector<std::pair<char, uint32_t>> events;
    std::string shown;  // for each 'n' and 't': '+' shown now, '.' not
  } cases[] = {
      {"the first name shows at once", {{'n', 5}}, "+"},
      {"names a frame apart each show", {{'n', 0}, {'n', 16}, {'n', 40}}, "+++"},
      {"a burst shows its first, then its last when the frame ends",
       {{'n', 0}, {'n', 1}, {'n', 2}, {'n', 15}, {'t', 16}}, "+...+"},
      {"a timer with nothing held shows nothing", {{'n', 0}, {'t', 16}, {'t', 32}}, "+.."},
      {"a name after the frame shows at once and the pending timer has nothing left",
       {{'n', 0}, {'n', 3}, {'n', 20}, {'t', 21}}, "+.+."},
      {"the held name shows once only", {{'n', 0}, {'n', 3}, {'t', 16}, {'t', 17}}, "+.+."},
      {"the tick count wrapping round", {{'n', 0xFFFFFFF0u}, {'n', 0xFFFFFFF5u}, {'n', 0x10u}}, "+.+"},
      {"a slow repaint makes the next wait twenty times as long",
       {{'n', 0}, {'p', 5}, {'n', 20}, {'n', 99}, {'n', 100}}, "+..+"},
      {"a quick one brings the frame back", {{'n', 0}, {'p', 5}, {'n', 100}, {'p', 0}, {'n', 116}}, "+++"},
      {"the wait stays at a quarter second however slow", {{'n', 0}, {'p', 400}, {'n', 249}, {'n', 250}}, "+.+"},
  };
  for (const auto& c : cases) {
    FrameThrottle throttle(16);
    std::string shown;
    for (const auto& [kind, ms] : c.events) {
      if (kind == 'p') {
        throttle.Painted(ms);
        continue;
      }
      shown += (kind == 'n' ? throttle.Offer(ms) : throttle.Due(ms)) ? '+' : '.';
    }
    EXPECT_EQ(shown, c.shown) << c.what;
  }
  FrameThrottle throttle(16);
  throttle.Offer(0);
  EXPECT_FALSE(throttle.holding());
  throttle.Offer(1);
  EXPECT_TRUE(throttle.holding());  // the caller arms the timer
  throttle.Due(16);
  EXPECT_FALSE(throttle.holding());
  // A gauge's title took the field: the name held before it never overwrites it.
  throttle.Offer(40);
  throttle.Offer(41);
  throttle.Forget();
  EXPECT_FALSE(throttle.Due(56));
}

}  // namespace
}  // namespace vaultrine::restore
