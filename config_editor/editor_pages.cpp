#include "config_editor/editor_pages.h"

#include "common/message_keys.h"
#include "config_editor/general_page.h"
#include "config_editor/parameter_file_page.h"
#include "config_editor/resource.h"
#include "config_editor/rule_list_page.h"

namespace vaultrine::config {

namespace {

std::unique_ptr<EditorPage> FilePage(EditorContext& context) {
  return std::make_unique<ParameterFilePage>(context);
}

using message_keys::kTabLabels;

const PageSlot kPages[] = {
    {kTabLabels[0], FilePage},
    {kTabLabels[1], GeneralPage::Make},
    {kTabLabels[2], RuleListPage::Include},
    {kTabLabels[3], RuleListPage::Exclude},
    {kTabLabels[4], RuleListPage::Md5Compare},
    {kTabLabels[5], RuleListPage::Compress},
    {kTabLabels[6], RuleListPage::Crypt},
    {kTabLabels[7], RuleListPage::CryptPath},
};

}  // namespace

const PageSlot& PageOfTab(int tab) { return kPages[tab]; }

}  // namespace vaultrine::config
