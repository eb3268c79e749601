// The edit dialog of one rule, one family for the six rule sections (their rows of
// the rule section table tell them apart): opens on the
// rule of the RuleEditSlot, and ends with an EditResult. Only validation changes the
// slot (its text and position).
#pragma once
#include <string>

#include "common/win/dialog_base.h"
#include "common/win/dialog_colours.h"
#include "config_editor/core/rule_list.h"
#include "config_editor/core/rule_sections.h"
#include "config_editor/editor_context.h"

namespace vaultrine::config {

class RuleEditDialog : public win::DialogBase {
 public:
  RuleEditDialog(EditorContext& context, const RuleSectionInfo& row, RuleEditSlot& slot);

  // Modal over `owner`; the EditResult. A window that never opened (its template
  // could not be loaded, no memory) is kEditNotShown, never taken for a syntax
  // error, which would drop the rule.
  int Edit(HWND owner) {
    const INT_PTR result = RunModal(owner);
    return opened_ ? static_cast<int>(result) : kEditNotShown;
  }

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
  const RuleSectionInfo& row_;
  const RuleDialogIds& ids_;
  RuleEditSlot& slot_;
  RuleParts parsed_;
  bool opened_ = false;
  win::DialogColours colours_{kPageBackground, kPageText, win::colours::kWhite};
};

}  // namespace vaultrine::config
