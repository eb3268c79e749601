// The obsolete-files report started from the launcher's fourth row. The launcher
// has already checked that the database file exists.
#pragma once
#include <windows.h>

#include <string>

#include "common/language.h"

void ShowObsoleteReport(HWND launcher, vaultrine::Language language,
                        const std::string& database_path_utf8,
                        const std::string& program_folder_utf8);
