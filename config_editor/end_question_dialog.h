// "Save the changes to the parameter file ... ?" with the two answers from the
// message file. Escape and the close box give kCancelled.
#pragma once
#include <string>

#include "common/win/dialog_base.h"
#include "config_editor/editor_context.h"

namespace vaultrine::config {

class EndQuestionDialog : public win::DialogBase {
 public:
  enum Answer : int { kDiscard = 0, kSave = 1, kCancelled = 2 };

  EndQuestionDialog(EditorContext& context, std::string parameter_path);

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int notify_code, HWND control) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;

 private:
  EditorContext& ctx_;
  std::string path_;
  // The question is a read-only field, but reads as text on the page colour.
  win::DialogColours colours_{kPageBackground, kPageText};
};

}  // namespace vaultrine::config
