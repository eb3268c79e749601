// The editor's main window: the tabs, the page switcher and the close sequence.
//
// Leaving a page always sends it command 1001 before the next page exists; a page
// that refuses (the parameter-file page when its file cannot be converted) stays,
// and its tab is selected again. The switch follows the tab control's
// selection-change notification, whatever changed the selection.
#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "common/win/dialog_base.h"
#include "common/win/raii.h"
#include "config_editor/editor_context.h"
#include "config_editor/editor_page.h"

namespace vaultrine::config {

class EditorMainDialog : public win::DialogBase {
 public:
  EditorMainDialog(HINSTANCE instance, std::string program_folder);
  ~EditorMainDialog() override;

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int notify_code, HWND control) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;
  bool OnPaint() override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;

 private:
  void BuildTabs();
  // Shows the page of `tab`, leaving the current one first.
  void SwitchTo(int tab);
  void ShowPage(int tab);
  void DestroyPage();
  void CloseSequence();
  void EndEditor();

  EditorContext ctx_;
  HWND tabs_ = nullptr;
  std::unique_ptr<EditorPage> page_;
  int page_tab_ = -1;
  win::Brush background_;
  HICON icon_ = nullptr;
  HICON small_icon_ = nullptr;
};

}  // namespace vaultrine::config
