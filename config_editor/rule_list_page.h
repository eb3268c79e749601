// The page of one rule section (include, exclude, md5_compare, compress, crypt,
// crypt_path): the rules as a list, an add button, and a double click that opens the
// section's edit dialog. One class for the six pages; their row of the rule section
// table tells them apart.
#pragma once
#include "config_editor/core/rule_list.h"
#include "config_editor/core/rule_sections.h"
#include "config_editor/editor_page.h"
#include "config_editor/rule_edit_dialog.h"

namespace vaultrine::config {

class RuleListPage : public EditorPage {
 public:
  RuleListPage(EditorContext& context, const RuleSectionInfo& row);

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int notify_code, HWND control) override;
  bool Save() override;

 private:
  void ShowList(int selected);
  void EditSelected();
  void Add();

  const RuleSectionInfo& row_;
  RuleList rules_;
};

}  // namespace vaultrine::config
