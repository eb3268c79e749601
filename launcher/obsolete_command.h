// Command 303 of the launcher: the obsolete-files report, opened in Notepad.
#pragma once
#include <windows.h>

#include <string>

#include "common/language.h"

void ShowObsoleteReport(HWND launcher, vaultrine::Language language, const std::string& database_path_utf8, const std::string& program_folder_utf8);
