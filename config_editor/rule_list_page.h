// The page of one rule section (include, exclude, md5_compare, compress, crypt,
// crypt_path): the rules as a list, an add button, and a double click that opens the
// section's edit dialog. One class for the six pages; RulePageSpec tells them apart.
#pragma once
#include <memory>

#include "config_editor/core/rule_list.h"
#include "config_editor/editor_page.h"
#include "config_editor/rule_edit_dialog.h"

namespace vaultrine::config {

struct RulePageSpec {
  const char* section;
  int template_id;
  int list;  // add, title and hint follow at list + 1, + 2, + 3
  const char* title_key;
  const char* new_rule;  // the placeholder; null: the text of message "inc_new"
  bool restore_quotes;   // include: reading the internal file removed them
  RuleDialogSpec dialog;
};

class RuleListPage : public EditorPage {
 public:
  RuleListPage(EditorContext& context, const RulePageSpec& spec);

  // The six pages, by tab 2 to 7.
  static std::unique_ptr<EditorPage> Include(EditorContext& context);
  static std::unique_ptr<EditorPage> Exclude(EditorContext& context);
  static std::unique_ptr<EditorPage> Md5Compare(EditorContext& context);
  static std::unique_ptr<EditorPage> Compress(EditorContext& context);
  static std::unique_ptr<EditorPage> Crypt(EditorContext& context);
  static std::unique_ptr<EditorPage> CryptPath(EditorContext& context);

 protected:
  BOOL OnInit() override;
  bool OnCommand(int id, int notify_code, HWND control) override;
  bool Save() override;

 private:
  void ShowList(int selected);
  void EditSelected();
  void Add();

  const RulePageSpec& spec_;
  RuleList rules_;
};

}  // namespace vaultrine::config
