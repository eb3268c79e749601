// Arithmetic of the progress window's gauge. The engine reports every file; the
// window only follows every (interval + 1)th of them, so a restore of many thousand
// files does not spend its time repainting.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace vaultrine::restore {

enum class GaugeKind { kStandard, kCompressed, kCrypted };

// The text field 320 shows when a gauge starts.
const char* GaugeTitle(GaugeKind kind);  // UTF-8

// Steps skipped between two updates, from the total the gauge starts with.
int32_t UpdateInterval(int32_t total);

// value * 100 / total, truncated toward zero, then " %": "50 %". Computed in 64 bits
// so that totals beyond 21 million files do not overflow.
std::string PercentText(int32_t value, int32_t total);

struct GaugeUpdate {
  int32_t position = 0;
  std::string percent;
};

// The file field follows the engine at most once a screen frame: the engine names
// every restored file, and a repaint for each cost more than restoring it. A name
// that comes sooner is held; the caller shows the held one when the wait ends (a
// timer), so the last name always reaches the screen. On a busy machine a repaint
// takes longer, and the wait grows with it (up to kLongestWaitMs), so that the names
// take at most about 1/`cost_share` of the engine's time. Times are tick counts in ms.
class FrameThrottle {
 public:
  // However slow the machine, the names still change a few times a second.
  static constexpr uint32_t kLongestWaitMs = 250;

  explicit FrameThrottle(uint32_t frame_ms, uint32_t cost_share = 20)
      : frame_ms_(frame_ms), cost_share_(cost_share), wait_ms_(frame_ms) {}
  // A new name: true when it is to be shown now; false when it is held, and then
  // the caller makes sure Due is called once the frame has ended.
  bool Offer(uint32_t now_ms);
  // The end of the frame: true when the held name is to be shown now.
  bool Due(uint32_t now_ms);
  // How long showing the last name took: the next waits `cost_share` times as long,
  // and never less than a frame.
  void Painted(uint32_t paint_ms);
  // Something else took the field (a gauge's title): the held name is not shown.
  void Forget() { holding_ = false; }
  bool holding() const { return holding_; }
  // How long a held name waits, at most, after the last one shown.
  uint32_t wait_ms() const { return wait_ms_; }

 private:
  uint32_t frame_ms_;
  uint32_t cost_share_;
  uint32_t wait_ms_;
  uint32_t last_shown_ = 0;
  bool shown_once_ = false;
  bool holding_ = false;
};

class GaugeState {
 public:
  // A value of 0 starts the gauge.
  void Start(int32_t total);
  // Nothing while steps are skipped; the new bar position and percentage otherwise.
  // A step without a started positive total shows nothing.
  std::optional<GaugeUpdate> Step(int32_t value);

  int32_t total() const { return total_; }
  int32_t value() const { return value_; }
  int32_t interval() const { return interval_; }

 private:
  int32_t total_ = 0;
  int32_t value_ = 0;
  int32_t interval_ = 1;
  int32_t skipped_ = 0;
};

}  // namespace vaultrine::restore
