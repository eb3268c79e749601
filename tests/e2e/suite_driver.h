// The whole suite in one program folder, driven from outside as a user drives it:
// the launcher through its window, the engines' and libraries' windows found on
// the desktop by their control ids. When VAULTRINE_DEMO_OUT names a folder, every
// window passed is photographed by the demo script (see scripts/demo) and the
// scenario's files are left in place for it.
#pragma once
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "tests/ui/helpers/ui_support.h"

namespace vaultrine::uitest {

// Copies the built program folder (or the one VAULTRINE_PROGRAM_FROM names) and the
// stand-in engines into `folder`.
bool AssembleProgramFolder(const std::string& folder);

// Files of a folder and below, as paths relative to it, sorted.
std::vector<std::string> FilesBelow(const std::string& folder);
bool RemoveTree(const std::string& folder);

// A visible top-level window of any process with a control of each id.
HWND FindWindowHolding(std::initializer_list<int> ids);
// Captions of the visible top-level windows: what was on the desktop when a wait failed.
std::string DesktopWindows();

// The gzip member decompressed into `out`; false when it is not one whole gzip member.
bool Gunzip(const std::string& gz, std::string& out);

// The demo's photographs: asks the demo script for a picture named `name` of the
// screen around `windows` and waits until it is taken. Nothing happens outside the demo.
void Shot(const std::string& name, std::initializer_list<HWND> windows);
inline void Shot(const std::string& name, HWND window) { Shot(name, {window}); }
bool DemoMode();

class LauncherDriver {
 public:
  explicit LauncherDriver(std::string program_folder) : folder_(std::move(program_folder)) {}
  bool Start();
  // Pointer moved to a row of the picture, then a click there.
  void Click(int x, int y);
  // The launcher back from a run-and-wait: not minimised any more.
  bool WaitRestored(int timeout_ms = 30000) const;
  // The language list's selection changed as a user changes it.
  void ChooseLanguage(int index);
  int LanguageShown() const;
  bool LabelVisible(int id) const { return IsWindowVisible(GetDlgItem(main_, id)) != FALSE; }
  // Escape: the launcher ends.
  int Close();
  HWND main() const { return main_; }

  static constexpr POINT kConfigure{300, 210}, kBackup{300, 300}, kRestore{300, 390}, kObsolete{300, 480};

 private:
  std::string folder_;
  std::unique_ptr<StartedProgram> program_;
  HWND main_ = nullptr;
};

}  // namespace vaultrine::uitest
