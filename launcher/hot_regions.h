// The five places of the launcher picture that react to the pointer. They are
// fixed pixel rectangles of the background picture, not derived from the controls.
#pragma once
#include <optional>

#include "common/hot_pointer.h"

namespace vaultrine::launcher {

using vaultrine::PixelPoint;
using vaultrine::PixelRect;

enum class HotRegion { kNone, kHelp, kConfigure, kBackup, kRestore, kObsolete };
enum class Row { kConfigure = 0, kBackup = 1, kRestore = 2, kObsolete = 3 };
inline constexpr Row kRows[] = {Row::kConfigure, Row::kBackup, Row::kRestore, Row::kObsolete};

PixelRect RegionRect(HotRegion region);

// The background picture and where the pictures over it go, in client pixels: the
// window's dialog-unit layout taken with the classic 6 x 13 dialog base units the
// pictures were drawn for.
inline constexpr int kBackgroundWidth = 631;
inline constexpr int kBackgroundHeight = 530;
PixelPoint DialogUnitsToPixels(int x, int y);
PixelPoint LabelOrigin(Row row);
// The line that tells about the last backup: under the back-up row's label, from
// where the label's text starts to the picture's inner frame, clear of
// the label picture above and of the separator below.
inline constexpr PixelRect kLastBackupBox = {217, 330, 616, 346};
// Left, top, width and drop-down height of the language list.
PixelRect LanguageListBox();
// First region containing the point, tested in the order help, configure, back up,
// restore, obsolete list.
HotRegion RegionAt(int x, int y);
std::optional<Row> RowOf(HotRegion region);
// The keyboard's way to the same places: 1 to 4 (either row of digits) for the rows
// from the top, F1 for the help sign. `key` is a virtual-key code.
std::optional<HotRegion> RegionForKey(unsigned key);

}  // namespace vaultrine::launcher
