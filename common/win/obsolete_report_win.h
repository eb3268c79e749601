// The obsolete-files report on Windows: its boxes as message boxes, then Notepad.
#pragma once
#include <windows.h>

#include <string>

#include "common/language.h"
#include "common/obsolete_report.h"

namespace vaultrine::win {

// Launcher command: program folder + "\Lapsarium_FileList.txt" over the whole
// database, then "Notepad.exe <report>" with the launcher minimised meanwhile.
void RunLauncherObsoleteReport(HWND launcher, Language language,
                               const std::string& database_path_utf8,
                               const std::string& program_folder_utf8);

// Success-window button of the backup library: ".\Lapsarium_FileList.txt" for the
// task, then "Notepad.exe Lapsarium_FileList.txt". True when Notepad was run (the
// caller then redraws its window).
bool RunLibraryObsoleteReport(HWND success_window, const std::string& caption_utf8,
                              const std::string& database_path_utf8,
                              const std::string& task_pattern_utf8);

}  // namespace vaultrine::win
