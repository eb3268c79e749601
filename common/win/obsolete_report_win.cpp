#include "common/win/obsolete_report_win.h"

#include "common/win/message_box_sink.h"
#include "common/win/process_runner.h"
#include "common/win/wide.h"

namespace vaultrine::win {

void RunLauncherObsoleteReport(HWND launcher, Language language,
                               const std::string& database_path_utf8,
                               const std::string& program_folder_utf8) {
  const std::string report = program_folder_utf8 + "\\" + kObsoleteReportFileName;
  MessageBoxSink boxes([launcher] { return launcher; }, true);
  if (WriteObsoleteReport(LauncherReportVariant(language, report), database_path_utf8,
                          CurrentUnixTime(), boxes) != ReportOutcome::kWritten) {
    return;
  }
  RunAndWait(LauncherWaitVariant(launcher), "Notepad.exe " + report, program_folder_utf8);
}

bool RunLibraryObsoleteReport(HWND success_window, const std::string& caption_utf8,
                              const std::string& database_path_utf8,
                              const std::string& task_pattern_utf8) {
  MessageBoxSink boxes([success_window] { return success_window; }, true);
  if (WriteObsoleteReport(LibraryReportVariant(task_pattern_utf8, caption_utf8),
                          database_path_utf8, CurrentUnixTime(), boxes) != ReportOutcome::kWritten) {
    return false;
  }
  RunAndWait(BackupLibraryWaitVariant(), std::string("Notepad.exe ") + kObsoleteReportFileName, ".");
  return true;
}

}  // namespace vaultrine::win
