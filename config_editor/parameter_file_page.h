// Tab 0: which parameter file is edited. Shows its path, makes a new one from a
// template or opens an existing one (the two pictures), and switches advanced
// mode. Leaving the page converts the chosen file into the internal file.
#pragma once
#include <windows.h>

#include "common/hot_pointer.h"
#include "common/win/result_drawing.h"
#include "config_editor/editor_page.h"

namespace vaultrine::config {

class ParameterFilePage : public EditorPage {
 public:
  explicit ParameterFilePage(EditorContext& context);

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int notify_code, HWND control) override;
  bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, INT_PTR& result) override;
  void OnDestroy() override;
  bool Save() override;

 private:
  void StartupSearch();
  void ShowPath();
  void PinPictures();
  void NewFile();
  void ExistingFile();
  // Before another file replaces an edited one: asks whether to save it. False
  // when the user keeps the current file (Escape, or a save that failed).
  bool SettleCurrentFile();
  // The chosen file held for this editor (refused with its message when another
  // editor has it), then the current file settled; false when either says no.
  bool ClaimThenSettle(const std::string& chosen);
  // After a conversion: names the lists whose lines past the 100th a save would drop.
  void WarnOfLongLists();
  void OnPointerMove(int x, int y);

  HCURSOR pointer_ = nullptr;
  HCURSOR saved_cursor_ = nullptr;
  HotCursor hot_;
  int last_x_ = -1;
  int last_y_ = -1;
  int dpi_ = 96;  // of the screen: the pictures' pixel places scale with it
  win::ScaledPictures pictures_;
};

}  // namespace vaultrine::config
