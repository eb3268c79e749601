// The editor's two choosers, shared by every page and dialog: the file chooser
// (new and existing parameter files, the include page's file button) and the
// folder chooser (general page, rule dialogs).
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "common/message_sink.h"

namespace vaultrine::config {

enum class ChooseMode { kOpen, kSave };

// 0 with the full path in `path`, -1 when nothing usable was chosen. `filter` is
// written with bars ("*.ini|*.ini||"). The save chooser proposes "Vaultrine.ini"
// while the current directory holds none. A path over 220 units is refused with
// a warning.
int ChooseFile(HWND owner, std::wstring& path, const std::string& initial_folder,
               const std::wstring& title, ChooseMode mode, std::string_view filter,
               MessageSink& sink);

// 0 with the folder in `path`, -1 on cancel. Opens on `preselect` (UTF-8), the
// program folder for every caller.
int ChooseFolder(HWND owner, std::wstring& path, const std::string& preselect);

}  // namespace vaultrine::config
