// The page of each tab: the parameter-file page, the general page, then one rule page
// per row of the rule section table. Tabs of advanced-only rows exist in advanced
// mode only.
#pragma once
#include <memory>

#include "config_editor/editor_page.h"

namespace vaultrine::config {

// By tab index, from 0 to TabCount(true) - 1.
const char* TabLabelKey(int tab);
std::unique_ptr<EditorPage> MakePage(int tab, EditorContext& context);

}  // namespace vaultrine::config
