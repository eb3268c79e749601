#include "launcher/hot_regions.h"

#include <gtest/gtest.h>

namespace vaultrine::launcher {
namespace {

struct HitCase {
  int x, y;
  HotRegion expected;
};

// Every edge of every rectangle, just inside and just outside.
TEST(LauncherHotRegions, EdgesAreInclusive) {
  const HitCase cases[] = {
      {517, 90, HotRegion::kHelp},      {580, 149, HotRegion::kHelp},
      {516, 120, HotRegion::kNone},     {581, 120, HotRegion::kNone},
      {548, 89, HotRegion::kNone},      {548, 150, HotRegion::kNone},
      {15, 178, HotRegion::kConfigure}, {612, 244, HotRegion::kConfigure},
      {14, 200, HotRegion::kNone},      {613, 200, HotRegion::kNone},
      {300, 177, HotRegion::kNone},     {300, 245, HotRegion::kNone},
      {15, 271, HotRegion::kBackup},    {612, 337, HotRegion::kBackup},
      {300, 270, HotRegion::kNone},     {300, 338, HotRegion::kNone},
      {15, 359, HotRegion::kRestore},   {612, 426, HotRegion::kRestore},
      {300, 358, HotRegion::kNone},     {300, 427, HotRegion::kNone},
      {15, 447, HotRegion::kObsolete},  {612, 510, HotRegion::kObsolete},
      {300, 446, HotRegion::kNone},     {300, 511, HotRegion::kNone},
      {0, 0, HotRegion::kNone},         {-5, -5, HotRegion::kNone},
      {100, 100, HotRegion::kNone},     {630, 529, HotRegion::kNone},
  };
  for (const HitCase& c : cases) {
    EXPECT_EQ(RegionAt(c.x, c.y), c.expected) << c.x << "," << c.y;
  }
}

TEST(LauncherHotRegions, RowsMapToTheirRegions) {
  EXPECT_EQ(RowOf(HotRegion::kConfigure), Row::kConfigure);
  EXPECT_EQ(RowOf(HotRegion::kBackup), Row::kBackup);
  EXPECT_EQ(RowOf(HotRegion::kRestore), Row::kRestore);
  EXPECT_EQ(RowOf(HotRegion::kObsolete), Row::kObsolete);
  EXPECT_FALSE(RowOf(HotRegion::kHelp));
  EXPECT_FALSE(RowOf(HotRegion::kNone));
  EXPECT_FALSE(RegionRect(HotRegion::kNone).Contains(0, 0));
}

}  // namespace
}  // namespace vaultrine::launcher

namespace vaultrine::launcher {
namespace {

// The keys reach the rows from the top and the help sign; their neighbours reach nothing.
TEST(LauncherHotRegions, KeysReachTheRowsInOrder) {
  const struct {
    unsigned key;
    std::optional<HotRegion> expected;
  } cases[] = {
      {0x31, HotRegion::kConfigure}, {0x32, HotRegion::kBackup}, {0x33, HotRegion::kRestore},
      {0x34, HotRegion::kObsolete},  {0x61, HotRegion::kConfigure}, {0x64, HotRegion::kObsolete},
      {0x70, HotRegion::kHelp},      {0x30, std::nullopt},         {0x35, std::nullopt},
      {0x60, std::nullopt},          {0x65, std::nullopt},         {0x71, std::nullopt},
      {0x0D, std::nullopt},          {0x1B, std::nullopt},         {0x26, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(RegionForKey(c.key), c.expected) << std::hex << c.key;
}

// The labels (48 pixels high) must lie inside their rows, or the highlight would
// not follow the pointer over the text.
TEST(LauncherHotRegions, LabelsLieInsideTheirRows) {
  const HotRegion regions[] = {HotRegion::kConfigure, HotRegion::kBackup, HotRegion::kRestore,
                               HotRegion::kObsolete};
  for (Row row : kRows) {
    const PixelPoint at = LabelOrigin(row);
    const PixelRect hot = RegionRect(regions[static_cast<int>(row)]);
    EXPECT_TRUE(hot.Contains(at.x, at.y) && hot.Contains(at.x, at.y + 47))
        << static_cast<int>(row) << ": " << at.x << "," << at.y;
  }
  EXPECT_EQ(LabelOrigin(Row::kConfigure).x, 210);
  EXPECT_EQ(LabelOrigin(Row::kConfigure).y, 190);
  EXPECT_EQ(LabelOrigin(Row::kObsolete).y, 453);
  // The language list sits beside the flags, below the banner, above the first row.
  const PixelRect list = LanguageListBox();
  EXPECT_EQ(list.left, 93);
  EXPECT_EQ(list.top, 112);
  EXPECT_LT(list.top + 24, RegionRect(HotRegion::kConfigure).top);
}

}  // namespace
}  // namespace vaultrine::launcher
