// Poses one of the restore library's windows for the documentation pictures, called
// through the exports as the engine calls them, from a program folder holding the
// library, its message file and a Vaultrine.ini: "request", "success" or "failure".
// The window stays until it is closed (scripts/restore-window-shots ends the run).
#include <windows.h>

#include <string>

#include "restore_support/restore_exports.h"
#include "tests/ui/helpers/exports.h"
#include "tools/engines/core/engine_texts.h"

using vaultrine::uitest::Export;

int wmain(int argc, wchar_t** argv) {
  const std::wstring which = argc > 1 ? argv[1] : L"request";
  HMODULE dll = LoadLibraryW(L".\\RestoreVaultrine.dll");
  if (!dll) return 2;
  const char* caption = vaultrine::engines::kRestoreCaption;
  if (which == L"request") {
    Export<AskFilesToRestoreFn>(dll, "AskFilesToRestore")(caption);
  } else if (which == L"success") {
    auto record = Export<RecordRestoredFilenameFn>(dll, "RecordFilenames");
    for (int i = 0; i < 42; ++i) record("Standard  ", L"D:/000_Revivalis/Documents/lettre.odt");
    for (int i = 0; i < 7; ++i) record("Compressed", L"D:/000_Revivalis/Documents/notes.txt");
    record("Crypted   ", L"D:/000_Revivalis/Documents/comptes.ods");
    Export<DisplayGoodRestoreResultFn>(dll, "DisplayGoodResult")(caption, "08/12/2026 10:42", "0");
  } else {
    Export<DisplayBadRestoreResultFn>(dll, "DisplayBadResult")(
        caption, "08/12/2026 10:42",
        "Decryption failed for E:\\Vaultrine\\C\\Users\\anne\\Documents\\comptes.ods\n"
        "The key does not open this backup: check the password.\n");
  }
  FreeLibrary(dll);
  return 0;
}
