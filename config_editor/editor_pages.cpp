#include "config_editor/editor_pages.h"

#include "common/message_keys.h"
#include "config_editor/parameter_file_page.h"
#include "config_editor/resource.h"

namespace vaultrine::config {

namespace {

// A tab whose page is not built yet: an empty page that has nothing to save.
template <int kTemplate>
std::unique_ptr<EditorPage> Blank(EditorContext& context) {
  return std::make_unique<EditorPage>(context, kTemplate);
}

std::unique_ptr<EditorPage> FilePage(EditorContext& context) {
  return std::make_unique<ParameterFilePage>(context);
}

using message_keys::kTabLabels;

const PageSlot kPages[] = {
    {kTabLabels[0], FilePage},
    {kTabLabels[1], Blank<IDD_GENERAL_PAGE>},
    {kTabLabels[2], Blank<IDD_INCLUDE_PAGE>},
    {kTabLabels[3], Blank<IDD_EXCLUDE_PAGE>},
    {kTabLabels[4], Blank<IDD_MD5_PAGE>},
    {kTabLabels[5], Blank<IDD_COMPRESS_PAGE>},
    {kTabLabels[6], Blank<IDD_CRYPT_PAGE>},
    {kTabLabels[7], Blank<IDD_CRYPT_PATH_PAGE>},
};

}  // namespace

const PageSlot& PageOfTab(int tab) { return kPages[tab]; }

}  // namespace vaultrine::config
