// The least a suite program does to show a dialog: common controls, then the modal
// dialog from its template. The reference of the window start-up benchmark; the
// start-up benchmark shows the same template in its own process for the library windows.
#include <windows.h>

#include <commctrl.h>

namespace {

INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM w, LPARAM) {
  if (message == WM_INITDIALOG) return TRUE;
  if (message == WM_COMMAND && (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL)) {
    EndDialog(window, LOWORD(w));
    return TRUE;
  }
  return FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  return static_cast<int>(DialogBoxParamW(instance, MAKEINTRESOURCEW(100), nullptr, &Procedure, 0));
}
