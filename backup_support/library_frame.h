// What the backup library keeps for the whole time it is loaded, and the guard every
// export runs under.
#pragma once
#include <windows.h>

#include "backup_support/file_lists.h"
#include "backup_support/result_window_data.h"
#include "backup_support/translated_slots.h"

namespace vaultrine::backup {

struct LibraryState {
  HINSTANCE instance = nullptr;
  TranslatedSlots slots;
  ResultWindowData result;
  FileLists lists;  // the error count lives here
  // Every dialog of the library paints its background and text with these.
  COLORREF dialog_background = RGB(236, 233, 216);
  COLORREF dialog_text = RGB(0, 0, 0);
};

LibraryState& State();

// Process attach: colours, a fresh file list, no errors yet, the engine window out
// of the way. Never fails.
void InitialiseLibrary(HINSTANCE instance);
void ReleaseLibrary();

// For the duration of an export: the library's own activation context, so that its
// dialogs get the common controls of its own manifest and not the engine's.
class ExportScope {
 public:
  ExportScope();
  ~ExportScope();
  ExportScope(const ExportScope&) = delete;
  ExportScope& operator=(const ExportScope&) = delete;

 private:
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

// Runs `body` inside an ExportScope; nothing thrown gets back to the engine.
template <typename Result, typename Body>
Result Guarded(Result on_failure, Body body) noexcept {
  try {
    ExportScope scope;
    return body();
  } catch (...) {
    return on_failure;
  }
}

template <typename Body>
void Guarded(Body body) noexcept {
  try {
    ExportScope scope;
    body();
  } catch (...) {
  }
}

}  // namespace vaultrine::backup
