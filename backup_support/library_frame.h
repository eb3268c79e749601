// What the backup library keeps for the whole time it is loaded, and the guard every
// export runs under.
#pragma once
#include <windows.h>

#include "backup_support/file_lists.h"
#include "backup_support/result_window_data.h"
#include "backup_support/translated_slots.h"
#include "common/win/colours.h"
#include "common/win/library_guard.h"

namespace vaultrine::backup {

struct LibraryState {
  HINSTANCE instance = nullptr;
  TranslatedSlots slots;
  ResultWindowData result;
  FileLists lists;  // the error count lives here
  // Every dialog of the library paints its background and text with these.
  COLORREF dialog_background = win::colours::kPage;
  COLORREF dialog_text = win::colours::kBlack;
};

LibraryState& State();

// Process attach: colours, a fresh file list, no errors yet, the engine window out
// of the way. Never fails.
void InitialiseLibrary(HINSTANCE instance);
void ReleaseLibrary();

// The library's own activation context, active during each export.
win::LibraryContext& Context();

// Runs `body` inside the library's context; nothing thrown gets back to the engine.
template <typename Result, typename Body>
Result Guarded(Result on_failure, Body body) noexcept {
  return win::GuardedExport(Context(), on_failure, body);
}

template <typename Body>
void Guarded(Body body) noexcept {
  win::GuardedExport(Context(), body);
}

}  // namespace vaultrine::backup
