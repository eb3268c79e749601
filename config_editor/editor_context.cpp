#include "config_editor/editor_context.h"

namespace vaultrine::config {

EditorContext::EditorContext(HINSTANCE inst, std::string folder)
    : instance(inst), program_folder(folder), files(std::move(folder)) {
  page_colours.ColourFieldText();
}

std::wstring EditorContext::Text(std::string_view key) {
  const std::u16string& text = messages.LookUpMessage(key);
  return std::wstring(text.begin(), text.end());
}

}  // namespace vaultrine::config
