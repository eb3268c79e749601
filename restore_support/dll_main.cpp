#include <windows.h>

#include "restore_support/library_frame.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  try {
    if (reason == DLL_PROCESS_ATTACH) {
      DisableThreadLibraryCalls(instance);
      // The rest waits for the engine's first call (exports.cpp): the loader lock is
      // held here, and no window or box may be made under it.
      vaultrine::restore::Library().Attach(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
      // A non-null `reserved` means the whole process is ending.
      vaultrine::restore::Library().Unload(reserved != nullptr);
    }
  } catch (...) {
    // Loading never fails: the engine would abort the whole restore.
  }
  return TRUE;
}
