#include "config_editor/editor_pages.h"

#include "common/message_keys.h"
#include "config_editor/core/rule_sections.h"
#include "config_editor/general_page.h"
#include "config_editor/parameter_file_page.h"
#include "config_editor/rule_list_page.h"

namespace vaultrine::config {

static_assert(kFirstRuleTab == 2, "the parameter-file and general pages come first");

const char* TabLabelKey(int tab) {
  if (const RuleSectionInfo* row = RuleSectionOfTab(tab)) return row->tab_key;
  return tab == 0 ? message_keys::kTabParameterFile : message_keys::kTabGeneral;
}

std::unique_ptr<EditorPage> MakePage(int tab, EditorContext& context) {
  if (const RuleSectionInfo* row = RuleSectionOfTab(tab)) return std::make_unique<RuleListPage>(context, *row);
  if (tab == 0) return std::make_unique<ParameterFilePage>(context);
  return GeneralPage::Make(context);
}

}  // namespace vaultrine::config
