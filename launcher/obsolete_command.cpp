#include "obsolete_command.h"

#include "common/win/obsolete_report_win.h"

void ShowObsoleteReport(HWND launcher, vaultrine::Language language,
                        const std::string& database_path_utf8,
                        const std::string& program_folder_utf8) {
  vaultrine::win::RunLauncherObsoleteReport(launcher, language, database_path_utf8,
                                            program_folder_utf8);
}
