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
