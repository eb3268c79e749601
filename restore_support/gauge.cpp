#include "gauge.h"

#include <algorithm>

namespace vaultrine::restore {

const char* GaugeTitle(GaugeKind kind) {
  switch (kind) {
    case GaugeKind::kStandard: return "Restauration des fichiers standards";
    case GaugeKind::kCompressed: return "Restauration des fichiers compress\xC3\xA9s";
    case GaugeKind::kCrypted: return "Restauration des fichiers crypt\xC3\xA9s";
  }
  return "";
}

int32_t UpdateInterval(int32_t total) {
  if (total > 2100) return total / 200;
  if (total >= 1800) return 8;
  if (total < 100) return 1;
  if (total < 300) return 2;
  // 300 to 1799: one more for every 300 files.
  return 3 + (total - 300) / 300;
}

std::string PercentText(int32_t value, int32_t total) {
  if (total == 0) return "0 %";
  const int64_t percent = static_cast<int64_t>(value) * 100 / total;
  return std::to_string(percent) + " %";
}

bool FrameThrottle::Offer(uint32_t now_ms) {
  // Unsigned difference: right across the tick count's wrap.
  if (shown_once_ && now_ms - last_shown_ < wait_ms_) {
    holding_ = true;
    return false;
  }
  shown_once_ = true;
  last_shown_ = now_ms;
  holding_ = false;
  return true;
}

void FrameThrottle::Painted(uint32_t paint_ms) {
  const uint64_t share = static_cast<uint64_t>(paint_ms) * cost_share_;
  wait_ms_ = share > frame_ms_ ? static_cast<uint32_t>(std::min<uint64_t>(share, kLongestWaitMs)) : frame_ms_;
}

bool FrameThrottle::Due(uint32_t now_ms) {
  if (!holding_) return false;
  holding_ = false;
  last_shown_ = now_ms;
  return true;
}

void GaugeState::Start(int32_t total) {
  total_ = total;
  value_ = 0;
  interval_ = UpdateInterval(total);
  skipped_ = 0;
}

std::optional<GaugeUpdate> GaugeState::Step(int32_t value) {
  value_ = value;
  if (total_ <= 0) return std::nullopt;
  if (skipped_ < interval_) {
    ++skipped_;
    return std::nullopt;
  }
  skipped_ = 0;
  return GaugeUpdate{value, PercentText(value, total_)};
}

}  // namespace vaultrine::restore
