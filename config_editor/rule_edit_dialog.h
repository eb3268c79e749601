// The edit dialog of one rule, one family for the six rule sections: opens on the
// rule of the RuleEditSlot, and ends with an EditResult. Only validation changes the
// slot (its text and position).
#pragma once
#include <string>

#include "common/win/dialog_base.h"
#include "common/win/dialog_colours.h"
#include "config_editor/core/rule_list.h"
#include "config_editor/editor_context.h"

namespace vaultrine::config {

// What tells the six dialogs apart. Ids of controls a dialog lacks are 0.
struct RuleDialogSpec {
  RuleSection section;
  int template_id;
  const char* title_key;
  int value, folder, file, remove, validate, abandon, position, position_label;
  int kind;         // exclude: yes or no
  int value_label;  // md5 criterion
};

class RuleEditDialog : public win::DialogBase {
 public:
  RuleEditDialog(EditorContext& context, const RuleDialogSpec& spec, RuleEditSlot& slot);

  // Modal over `owner`; the EditResult.
  int Edit(HWND owner) { return static_cast<int>(RunModal(owner)); }

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int notify_code, HWND control) override;
  HBRUSH OnCtlColor(HDC dc, HWND control, UINT message) override;

 private:
  void SetTexts();
  void Validate();
  void ChooseFolderValue();
  void ChooseFileValue();

  EditorContext& ctx_;
  const RuleDialogSpec& spec_;
  RuleEditSlot& slot_;
  RuleParts parsed_;
  win::DialogColours colours_{kPageBackground, kPageText, RGB(255, 255, 255)};
};

}  // namespace vaultrine::config
