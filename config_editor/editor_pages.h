// The page of each tab, made from a table so that a page is one small class and a
// factory line. Tabs 4 to 7 exist in advanced mode only.
#pragma once
#include <memory>

#include "config_editor/editor_page.h"

namespace vaultrine::config {

using PageFactory = std::unique_ptr<EditorPage> (*)(EditorContext&);

struct PageSlot {
  const char* label_key;  // message key of the tab's label
  PageFactory make;
};

// By tab index, 0 to 7.
const PageSlot& PageOfTab(int tab);

}  // namespace vaultrine::config
