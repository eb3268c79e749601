#include <windows.h>

// The editor's windows are not built yet; say so rather than pretend.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
  MessageBoxW(nullptr, L"The configuration editor is not built yet.", L"Config VAULTRINE 1.92",
              MB_OK | MB_ICONINFORMATION);
  return 1;
}
