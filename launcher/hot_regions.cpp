#include "launcher/hot_regions.h"

namespace vaultrine::launcher {

PixelRect RegionRect(HotRegion region) {
  switch (region) {
    case HotRegion::kHelp: return {517, 90, 580, 149};
    case HotRegion::kConfigure: return {15, 178, 612, 244};
    case HotRegion::kBackup: return {15, 271, 612, 337};
    case HotRegion::kRestore: return {15, 359, 612, 426};
    case HotRegion::kObsolete: return {15, 447, 612, 510};
    case HotRegion::kNone: break;
  }
  return {0, 0, -1, -1};  // contains nothing
}

PixelPoint DialogUnitsToPixels(int x, int y) {
  // MulDiv-style rounding, as the dialog manager does.
  return {(x * 6 + 2) / 4, (y * 13 + 4) / 8};
}

PixelPoint LabelOrigin(Row row) {
  static constexpr int kRowTop[] = {117, 173, 227, 279};
  return DialogUnitsToPixels(140, kRowTop[static_cast<int>(row)]);
}

PixelRect LanguageListBox() {
  const PixelPoint origin = DialogUnitsToPixels(62, 69);
  const PixelPoint size = DialogUnitsToPixels(70, 60);
  return {origin.x, origin.y, origin.x + size.x, origin.y + size.y};
}

HotRegion RegionAt(int x, int y) {
  for (HotRegion r : {HotRegion::kHelp, HotRegion::kConfigure, HotRegion::kBackup,
                      HotRegion::kRestore, HotRegion::kObsolete}) {
    if (RegionRect(r).Contains(x, y)) return r;
  }
  return HotRegion::kNone;
}

std::optional<Row> RowOf(HotRegion region) {
  switch (region) {
    case HotRegion::kConfigure: return Row::kConfigure;
    case HotRegion::kBackup: return Row::kBackup;
    case HotRegion::kRestore: return Row::kRestore;
    case HotRegion::kObsolete: return Row::kObsolete;
    default: return std::nullopt;
  }
}

std::optional<HotRegion> RegionForKey(unsigned key) {
  // Virtual-key codes, spelled here so that the rule needs no Windows header.
  constexpr unsigned kDigit1 = 0x31, kNumpad1 = 0x61, kF1 = 0x70;
  constexpr HotRegion kTopDown[] = {HotRegion::kConfigure, HotRegion::kBackup, HotRegion::kRestore,
                                    HotRegion::kObsolete};
  if (key == kF1) return HotRegion::kHelp;
  for (unsigned first : {kDigit1, kNumpad1}) {
    if (key >= first && key < first + 4) return kTopDown[key - first];
  }
  return std::nullopt;
}

}  // namespace vaultrine::launcher
