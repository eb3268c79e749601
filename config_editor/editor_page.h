// Base of every page of the editor's tabs. A page is a child of the main window
// laid over the tab control's display area: it moves with the main window by
// itself, and the dialog manager takes Tab and the mnemonics into it while the tab
// control keeps its own place in the Tab order. Leaving a page always goes
// through command 1001 first.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

#include "common/win/dialog_base.h"
#include "config_editor/core/profile_file.h"
#include "config_editor/editor_context.h"

namespace vaultrine::config {

class EditorPage : public win::DialogBase {
 public:
  EditorPage(EditorContext& context, int template_id) : DialogBase(context.instance, template_id), ctx_(context) {}

  // Creates the page over the display area of `tabs` (a child of the main window)
  // and shows it.
  HWND Open(HWND tabs);
  // Sends command 1001; false when the page refuses to be left (the user stays).
  bool Leave();

 protected:
  // Command 1001: put the page's part of the file where it belongs. False keeps
  // the user on the page. Not called for a page that could not load.
  virtual bool Save() { return true; }

  // The internal file, read to load the page (OnInit) or before a save. A file that
  // is there but cannot be read is never taken for an empty one: the user is told
  // and nullopt comes back. A page that could not load has nothing of the file: it
  // goes back to the first tab, and leaving it writes nothing.
  std::optional<ProfileFile> ReadInternalFile(bool loading);
  // Tells the user the page's changes could not be written and stay on the page;
  // false, for Save to return.
  bool WriteFailed(const std::string& path);

  // The keyboard focus stays where it is (on the tab control when a tab was chosen).
  BOOL OnInit() override { return FALSE; }
  bool OnCommand(int id, int notify_code, HWND control) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;

  EditorContext& ctx_;

 private:
  void Place();
  HWND tabs_ = nullptr;
  bool saved_ = true;
  bool loaded_ = true;
};

}  // namespace vaultrine::config
