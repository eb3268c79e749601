// Poses the restore progress window for the documentation picture: run from a
// program folder, it loads RestoreVaultrine.dll, reports a compressed-files phase
// half-way through, then shows the window and starts Glowtick over its corner the
// way a confirmed restore request does. It keeps pumping messages for the given
// number of seconds (default 20), then ends the indicator and the window.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "common/message_sink.h"
#include "restore_support/library_frame.h"
#include "restore_support/restore_exports.h"

int wmain(int argc, wchar_t** argv) {
  const int seconds = argc > 1 ? _wtoi(argv[1]) : 20;
  HMODULE dll = LoadLibraryW(L".\\RestoreVaultrine.dll");
  if (!dll) return 2;
  vaultrine::RecordingSink sink;
  vaultrine::restore::RestoreLibrary& library = vaultrine::restore::Library();
  library.Load(dll, sink);

  using namespace vaultrine::restore;
  // The engine's title, in the language of the picture.
  const bool english = argc > 2 && std::wstring(argv[2]) == L"en";
  library.DisplayTrace(english ? "Revivalis - restoring to D:\\000_Revivalis" : "Revivalis - restauration de D:\\000_Revivalis");
  library.Gauge(GaugeKind::kCompressed, 250, 0);
  const wchar_t* names[] = {L"Rapports\\rapport_annuel_2010.odt", L"Photos\\\u00e9t\u00e9_2010\\plage.jpg",
                            L"Comptes\\budget_pr\u00e9visionnel.ods"};
  for (int value = 1; value <= 150; ++value) {
    library.ShowFileName((std::wstring(L"D:\\000_Revivalis\\Documents\\") + names[value % 3]).c_str());
    library.Gauge(GaugeKind::kCompressed, 250, value);
  }
  library.ShowProgressAndStartIndicator();

  const DWORD end = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
  while (GetTickCount() < end) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
    PumpWaitingMessages();
  }
  library.CloseTrace();
  library.Unload(false);
  FreeLibrary(dll);
  return 0;
}
