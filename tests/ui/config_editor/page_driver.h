// Drives the editor's pages past the parameter-file page, from the test's process:
// tabs, the rule lists and their edit dialogs, and the fields of the general page.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "tests/ui/config_editor/editor_driver.h"
#include "config_editor/core/rule_sections.h"

namespace vaultrine::uitest {

// A rule page: its tab, list id, and its dialog's control ids (0 when absent), from
// the editor's own rule section table.
struct RulePage {
  int tab, list;
  int value, folder, remove, validate, abandon, position;
};
constexpr RulePage RulePageAt(int row) {
  const config::RuleSectionInfo& r = config::kRuleSections[row];
  const config::RuleDialogIds& d = r.dialog;
  return {config::kFirstRuleTab + row, r.page.list, d.value, d.folder, d.remove, d.validate, d.abandon, d.position};
}
inline constexpr RulePage kIncludePage = RulePageAt(0);
inline constexpr RulePage kExcludePage = RulePageAt(1);
inline constexpr RulePage kMd5Page = RulePageAt(2);
inline constexpr RulePage kCompressPage = RulePageAt(3);
inline constexpr RulePage kCryptPage = RulePageAt(4);
inline constexpr RulePage kCryptPathPage = RulePageAt(5);
static_assert(config::kRuleSections[0].section == config::RuleSection::kInclude &&
                  config::kRuleSections[1].section == config::RuleSection::kExclude &&
                  config::kRuleSections[2].section == config::RuleSection::kMd5Compare &&
                  config::kRuleSections[3].section == config::RuleSection::kCompress &&
                  config::kRuleSections[4].section == config::RuleSection::kCrypt &&
                  config::kRuleSections[5].section == config::RuleSection::kCryptPath,
              "the pages above follow the table's order");
inline constexpr int kGeneralTab = 1;

class PageDriver {
 public:
  explicit PageDriver(EditorDriver& editor) : editor_(editor) {}

  // Chooses the tab and waits until the page under it holds `control`.
  bool Go(int tab, int control);
  bool Go(const RulePage& p) { return Go(p.tab, p.list); }

  HWND List(const RulePage& p) const { return GetDlgItem(editor_.page(), p.list); }
  std::vector<std::string> Shown(const RulePage& p) const;
  int Selected(const RulePage& p) const;
  // A double click on entry `index`, or the add button: the dialog that opens, or null.
  HWND Open(const RulePage& p, int index, int timeout_ms = 10000);
  HWND Add(const RulePage& p);
  // Adds a rule with `value` (and the exclude kind box on `kind`), validated.
  bool AddRule(const RulePage& p, const std::string& value, int kind = -1);

  // Controls of any window of the program, dialogs and pages alike.
  static void Press(HWND window, int id);
  // Presses `id` and waits for the dialog to end.
  static bool End(HWND dialog, int id);
  static void Type(HWND window, int id, const std::string& text);
  static std::string Field(HWND window, int id);
  static void Choose(HWND dialog, int combo, int index);
  static int Chosen(HWND dialog, int combo);
  static int Choices(HWND dialog, int combo);

  // Advanced mode, then a new parameter file `path` from its template through the save
  // chooser; false when the editor does not take it.
  bool NewAdvancedFile(const std::string& path);

  // Escape, then the end question answered "yes"; the program's exit code.
  int CloseSaving();

 private:
  HWND FindDialog(const RulePage& p) const;
  EditorDriver& editor_;
};

}  // namespace vaultrine::uitest
