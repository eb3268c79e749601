// What the two result-window programs share: the library loaded afresh as an
// engine run loads it, reading what a window shows, and its pictures for the docs.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "backup_support/resource.h"
#include "backup_support/vaultrine_exports.h"
#include "tests/ui/helpers/ui_support.h"

namespace vaultrine::uitest {

class BackupLibraryRun {
 public:
  BackupLibraryRun();
  ~BackupLibraryRun();
  bool ok() const { return dll_ && get_translated_text && display_good && display_bad && record; }

  GetTranslatedTextFn get_translated_text = nullptr;
  DisplayGoodResultFn display_good = nullptr;
  DisplayBadResultFn display_bad = nullptr;
  RecordFilenamesFn record = nullptr;

 private:
  HMODULE dll_ = nullptr;
};

std::string ItemText(HWND dialog, int id);
bool ItemVisible(HWND dialog, int id);

// Width in pixels of `text` in the headline font (Arial, 34 px, bold).
int HeadlineWidth(const std::string& ansi);

// Pixel position of a point given in the window's dialog units.
POINT DialogPixels(HWND dialog, int x_units, int y_units);

// The headline is drawn in `colour` on the banner's corner (98, 31 with the template
// font at 96 dpi). A headline longer than 48
// characters must be 48 narrow ones followed by wide ones: those would show between
// the cut and the sign at the banner's right end if they were drawn.
void ExpectHeadline(HWND window, const std::string& headline, COLORREF colour);

// Saves the window, frame included, as a 24-bit BMP into the folder named by
// VAULTRINE_SHOTS_DIR (nothing when it is not set).
void SaveShotIfAsked(HWND window, const char* name);

}  // namespace vaultrine::uitest
