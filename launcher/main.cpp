#include <windows.h>

#include "common/win/dialog_base.h"
#include "resource.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  vaultrine::win::DialogBase dialog(instance, IDD_LAUNCHER);
  dialog.RunModal(nullptr);
  return 0;
}
