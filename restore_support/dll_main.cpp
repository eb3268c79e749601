#include <windows.h>

#include "common/win/message_box_sink.h"
#include "restore_support/library_frame.h"

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  try {
    if (reason == DLL_PROCESS_ATTACH) {
      DisableThreadLibraryCalls(instance);
      vaultrine::win::MessageBoxSink boxes({}, true);
      vaultrine::restore::Library().Load(instance, boxes);
    } else if (reason == DLL_PROCESS_DETACH) {
      // A non-null `reserved` means the whole process is ending.
      vaultrine::restore::Library().Unload(reserved != nullptr);
    }
  } catch (...) {
    // Loading never fails: the engine would abort the whole restore.
  }
  return TRUE;
}
