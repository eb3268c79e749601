#include <windows.h>

#include <commctrl.h>
#include <objbase.h>

#include "common/win/wide.h"
#include "config_editor/editor_main_dialog.h"

namespace {

// The program object: the main window, run modally, is the whole program.
class EditorProgram {
 public:
  explicit EditorProgram(HINSTANCE instance) : instance_(instance) {}
  int Run() {
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    // The folder chooser is a shell dialog.
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    vaultrine::config::EditorMainDialog window(instance_, vaultrine::win::ModuleFolder(nullptr));
    const INT_PTR result = window.RunModal(nullptr);
    if (com) CoUninitialize();
    return result < 0 ? 1 : 0;
  }

 private:
  HINSTANCE instance_;
};

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
  return EditorProgram(instance).Run();
}
