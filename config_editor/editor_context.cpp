#include "config_editor/editor_context.h"

#include "common/win/wide.h"

namespace vaultrine::config {

EditorContext::EditorContext(HINSTANCE inst, std::string folder)
    : instance(inst),
      program_folder(folder),
      files(std::move(folder), [this](std::string_view key) { return win::FromWide(Text(key)); }, &guard) {
  page_colours.ColourFieldText();
}

std::wstring EditorContext::Text(std::string_view key) { return win::ToWide(messages.LookUpMessage(key)); }

}  // namespace vaultrine::config
