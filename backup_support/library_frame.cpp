#include "library_frame.h"

#include "backup_support/engine_window.h"

namespace vaultrine::backup {

LibraryState& State() {
  static LibraryState state;
  return state;
}

win::LibraryContext& Context() {
  static win::LibraryContext context;
  return context;
}

void InitialiseLibrary(HINSTANCE instance) {
  LibraryState& s = State();
  s.instance = instance;
  Context().SetModule(instance);
  s.dialog_background = win::colours::kPage;
  s.dialog_text = win::colours::kBlack;
  // A list left over from an earlier run would mix with this one; missing is fine.
  DeleteFileW(L"Vaultrine_FileList.txt");
  s.lists = FileLists();
  MinimiseEngineWindow(nullptr);
}

void ReleaseLibrary() { Context().Release(); }

}  // namespace vaultrine::backup
