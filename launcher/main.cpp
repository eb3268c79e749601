#include <windows.h>

#include <commctrl.h>

#include "launcher/launcher_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  vaultrine::launcher::LauncherWindow window(instance, vaultrine::launcher::SystemEnvironment());
  return window.Run();
}
