#include <windows.h>

#include "backup_support/library_frame.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  try {
    if (reason == DLL_PROCESS_ATTACH) {
      DisableThreadLibraryCalls(instance);
      vaultrine::backup::InitialiseLibrary(instance);
    } else if (reason == DLL_PROCESS_DETACH) {
      vaultrine::backup::ReleaseLibrary();
    }
  } catch (...) {
    // Loading never fails: the engine would abort the whole backup.
  }
  return TRUE;
}
