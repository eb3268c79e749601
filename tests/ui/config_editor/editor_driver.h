// Runs the real ConfigVaultrine.exe in a scratch program folder and drives it as a
// user would, through its windows and control ids, from the test's own process.
// Shared by every Wine test of the editor's windows. A program still running when
// the driver goes is ended by force.
#pragma once
#include <windows.h>

#include <string>

#include <memory>

#include "tests/ui/helpers/ui_support.h"

namespace vaultrine::uitest {

class EditorDriver {
 public:
  // `folder` becomes the program folder and the current directory: the program,
  // its message file and templates are copied there, and the catalog for French.
  EditorDriver(const ScratchFolder& folder, bool french);
  // A program folder already assembled (the whole suite's): nothing is copied.
  explicit EditorDriver(std::string program_folder);
  EditorDriver(const EditorDriver&) = delete;
  EditorDriver& operator=(const EditorDriver&) = delete;
  ~EditorDriver();

  // Starts the program and waits for its main window; false when it never shows.
  bool Start();
  // Starts the program without waiting for anything: for one that may end at once.
  bool Launch();
  // Takes over an editor that another program (the launcher) started, once its main
  // window shows; false when none does.
  bool Attach(int timeout_ms = 15000);
  HANDLE process() const { return process_; }
  bool Running() const;
  // Waits for the program to end; its exit code, or -1 when it is still running.
  int WaitForExit(int timeout_ms = 10000);

  HWND main() const { return main_; }
  HWND tabs() const;
  // The page shown over the tabs, and whether it is the parameter-file page.
  HWND page() const;
  bool FilePageShown() const;
  std::string Caption() const;
  int TabCount() const;
  int SelectedTab() const;
  std::wstring TabLabel(int index) const;
  std::string PathShown() const;

  // Moves the selection as TCM_SETCURFOCUS does (posted: a message may follow).
  void FocusTab(int index);
  // A click on a tab's label, at its middle.
  void ClickTab(int index);
  // The pointer moves to x, y of the page, then the left button goes down.
  void ClickPage(int x96, int y96);  // page pixels on a 96 dpi screen
  void ClickAdvanced();
  void PostCommand(int id);
  // Waits until the page of `tab` is shown and its tab selected.
  bool WaitForTab(int tab, int timeout_ms = 10000) const;

  // A message box of the program with the editor's caption (not the end question).
  HWND FindMessageBox() const;
  HWND FindEndQuestion() const;
  // A box answerer for this program's message boxes.
  std::unique_ptr<BoxAnswerer> AnswerBox(int button, int timeout_ms = 15000) const;

  const std::string& folder() const { return folder_; }

 private:
  bool FindMain(DWORD process_id);
  std::string folder_;
  std::unique_ptr<StartedProgram> program_;
  HANDLE process_ = nullptr;  // the started program's, or one opened by Attach
  DWORD id_ = 0;
  HANDLE attached_ = nullptr;
  HWND main_ = nullptr;
};

}  // namespace vaultrine::uitest
