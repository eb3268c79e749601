#include "config_editor/editor_context.h"

namespace vaultrine::config {

EditorContext::EditorContext(HINSTANCE inst, std::string folder)
    : instance(inst), program_folder(folder), files(std::move(folder)) {}

std::wstring EditorContext::Text(std::string_view key) {
  const std::u16string& text = messages.LookUpMessage(key);
  return std::wstring(text.begin(), text.end());
}

HBRUSH EditorContext::PageColours(HDC dc, UINT message) {
  SetTextColor(dc, kPageText);
  if (message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX) {
    SetBkColor(dc, RGB(255, 255, 255));
    return field_brush.get();
  }
  SetBkColor(dc, kPageBackground);
  return page_brush.get();
}

}  // namespace vaultrine::config
