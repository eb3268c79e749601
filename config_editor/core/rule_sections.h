// The rule sections that have a page in the editor, one row each. Everything that
// tells the six pages, their edit dialogs and their tabs apart lives in this table:
// the pages, the dialogs, the tab table and the tab count are built from it. A new
// rule section is a row here, its ids in resource.h, its templates in rule_pages.rc
// and its message keys in the message files. The keys written in the rows are the
// rule pages' part of the list the shipped-messages test checks (with
// common/message_keys.h); nowhere else does the code spell a key.
#pragma once
#include <cstddef>
#include <iterator>

#include "config_editor/core/rule_expression.h"
#include "config_editor/resource.h"

namespace vaultrine::config {

// Controls of a rule page: its list, the add button, the title and the hint.
struct RulePageIds {
  int list, add, title, hint;
};

// Controls of an edit dialog; 0 for one the dialog lacks.
struct RuleDialogIds {
  int value, folder, file, remove, validate, abandon, position, position_label;
  int kind;         // exclude: yes or no
  int value_label;  // md5 criterion
};

struct RuleSectionInfo {
  RuleSection section;
  const char* name;            // of the section in the file
  const char* tab_key;         // tab label
  const char* title_key;       // page title
  const char* edit_title_key;  // edit dialog title
  bool restores_quotes;        // include: reading the internal file removed them
  bool advanced_only;          // its tab exists in advanced mode only
  int page_template;
  RulePageIds page;
  int dialog_template;
  RuleDialogIds dialog;
};

// In tab order, from tab kFirstRuleTab.
inline constexpr RuleSectionInfo kRuleSections[] = {
    {RuleSection::kInclude, "include", "tag_inclure", "inc_tit", "modinc_tit",
     true, false, IDD_INCLUDE_PAGE, {IDC_INCLUDE_LIST, IDC_INCLUDE_ADD, IDC_INCLUDE_TITLE, IDC_INCLUDE_HINT},
     IDD_INCLUDE_EDIT,
     {IDC_INCLUDE_VALUE, IDC_INCLUDE_FOLDER, IDC_INCLUDE_FILE, IDC_INCLUDE_DELETE, IDC_INCLUDE_VALIDATE,
      IDC_INCLUDE_ABANDON, IDC_INCLUDE_POSITION, IDC_INCLUDE_POSITION_LABEL, 0, 0}},
    {RuleSection::kExclude, "exclude", "tag_excl", "exc_tit", "modex_tit",
     false, false, IDD_EXCLUDE_PAGE, {IDC_EXCLUDE_LIST, IDC_EXCLUDE_ADD, IDC_EXCLUDE_TITLE, IDC_EXCLUDE_HINT},
     IDD_EXCLUDE_EDIT,
     {IDC_EXCLUDE_VALUE, IDC_EXCLUDE_FOLDER, 0, IDC_EXCLUDE_DELETE, IDC_EXCLUDE_VALIDATE, IDC_EXCLUDE_ABANDON,
      IDC_EXCLUDE_POSITION, IDC_EXCLUDE_POSITION_LABEL, IDC_EXCLUDE_KIND, 0}},
    {RuleSection::kMd5Compare, "md5_compare", "tag_compare", "md5_tit", "modmd5_tit",
     false, true, IDD_MD5_PAGE, {IDC_MD5_LIST, IDC_MD5_ADD, IDC_MD5_TITLE, IDC_MD5_HINT},
     IDD_MD5_EDIT,
     {IDC_MD5_VALUE, 0, 0, IDC_MD5_DELETE, IDC_MD5_VALIDATE, IDC_MD5_ABANDON, IDC_MD5_POSITION,
      IDC_MD5_POSITION_LABEL, 0, IDC_MD5_VALUE_LABEL}},
    {RuleSection::kCompress, "compress", "tag_comprim", "com_tit",
     "modcom_tit", false, true, IDD_COMPRESS_PAGE,
     {IDC_COMPRESS_LIST, IDC_COMPRESS_ADD, IDC_COMPRESS_TITLE, IDC_COMPRESS_HINT},
     IDD_COMPRESS_EDIT,
     {IDC_COMPRESS_VALUE, IDC_COMPRESS_FOLDER, 0, IDC_COMPRESS_DELETE, IDC_COMPRESS_VALIDATE, IDC_COMPRESS_ABANDON,
      IDC_COMPRESS_POSITION, IDC_COMPRESS_POSITION_LABEL, 0, 0}},
    {RuleSection::kCrypt, "crypt", "tag_crypt", "ryf_tit", "modryf_tit", false,
     true, IDD_CRYPT_PAGE, {IDC_CRYPT_LIST, IDC_CRYPT_ADD, IDC_CRYPT_TITLE, IDC_CRYPT_HINT},
     IDD_CRYPT_EDIT,
     {IDC_CRYPT_VALUE, IDC_CRYPT_FOLDER, 0, IDC_CRYPT_DELETE, IDC_CRYPT_VALIDATE, IDC_CRYPT_ABANDON,
      IDC_CRYPT_POSITION, IDC_CRYPT_POSITION_LABEL, 0, 0}},
    {RuleSection::kCryptPath, "crypt_path", "tag_cryptnam", "ryn_tit",
     "modryn_tit", false, true, IDD_CRYPT_PATH_PAGE,
     {IDC_CRYPT_PATH_LIST, IDC_CRYPT_PATH_ADD, IDC_CRYPT_PATH_TITLE, IDC_CRYPT_PATH_HINT},
     IDD_CRYPT_PATH_EDIT,
     {IDC_CRYPT_PATH_VALUE, IDC_CRYPT_PATH_FOLDER, 0, IDC_CRYPT_PATH_DELETE, IDC_CRYPT_PATH_VALIDATE,
      IDC_CRYPT_PATH_ABANDON, IDC_CRYPT_PATH_POSITION, IDC_CRYPT_PATH_POSITION_LABEL, 0, 0}},
};
inline constexpr int kRuleSectionCount = static_cast<int>(std::size(kRuleSections));

// Tabs 0 and 1 are the parameter-file and general pages; the rule pages follow.
inline constexpr int kFirstRuleTab = 2;
inline constexpr int kNormalTabCount =
    kFirstRuleTab + [] {
      int n = 0;
      for (const RuleSectionInfo& row : kRuleSections) n += row.advanced_only ? 0 : 1;
      return n;
    }();
inline constexpr int kAdvancedTabCount = kFirstRuleTab + kRuleSectionCount;
inline constexpr int TabCount(bool advanced) { return advanced ? kAdvancedTabCount : kNormalTabCount; }

// The row of a tab from kFirstRuleTab on; null for the two pages before.
inline constexpr const RuleSectionInfo* RuleSectionOfTab(int tab) {
  return tab >= kFirstRuleTab && tab < kAdvancedTabCount ? &kRuleSections[tab - kFirstRuleTab] : nullptr;
}

namespace rule_ids {
// Every control of a rule page or edit dialog lies in this range, away from the
// commands the pages and the main window take (1000 to 1003, 2301), so that no list
// or button of a new section can be taken for one of them.
constexpr bool InRuleRange(int id) { return id == 0 || (id >= RULE_ID_FIRST && id <= RULE_ID_LAST); }
constexpr bool RowInRange(const RuleSectionInfo& r) {
  const RuleDialogIds& d = r.dialog;
  for (int id : {r.page.list, r.page.add, r.page.title, r.page.hint, d.value, d.folder, d.file, d.remove,
                 d.validate, d.abandon, d.position, d.position_label, d.kind, d.value_label})
    if (!InRuleRange(id)) return false;
  return true;
}
constexpr bool AllInRange() {
  for (const RuleSectionInfo& row : kRuleSections)
    if (!RowInRange(row)) return false;
  return true;
}
static_assert(AllInRange(), "a rule control id outside RULE_ID_FIRST..RULE_ID_LAST");
static_assert(!InRuleRange(IDM_SAVE_PAGE) && !InRuleRange(IDM_RETURN_TAB) && !InRuleRange(IDM_PLACE_PAGE) &&
                  !InRuleRange(IDM_REBUILD_TABS) && !InRuleRange(IDC_TABS),
              "the rule id range takes in a command of the pages or the main window");
}  // namespace rule_ids

}  // namespace vaultrine::config
