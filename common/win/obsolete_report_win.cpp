#include "common/win/obsolete_report_win.h"

#include "common/win/process_runner.h"
#include "common/win/wide.h"

namespace vaultrine::win {

void MessageBoxReportSink::Show(const ReportBox& box) {
  const UINT icon = box.icon == ReportBoxIcon::kError ? MB_ICONERROR : MB_ICONWARNING;
  MessageBoxW(owner_, ToWide(box.text).c_str(), ToWide(box.caption).c_str(),
              MB_OK | MB_TOPMOST | icon);
}

void RunLauncherObsoleteReport(HWND launcher, Language language,
                               const std::string& database_path_utf8,
                               const std::string& program_folder_utf8) {
  const std::string report = program_folder_utf8 + "\\" + kObsoleteReportFileName;
  MessageBoxReportSink boxes(launcher);
  if (WriteObsoleteReport(LauncherReportVariant(language, report), database_path_utf8,
                          CurrentUnixTime(), boxes) != ReportOutcome::kWritten) {
    return;
  }
  RunAndWait(LauncherWaitVariant(launcher), "Notepad.exe " + report, program_folder_utf8);
}

bool RunLibraryObsoleteReport(HWND success_window, const std::string& caption_utf8,
                              const std::string& database_path_utf8,
                              const std::string& task_pattern_utf8) {
  MessageBoxReportSink boxes(success_window);
  if (WriteObsoleteReport(LibraryReportVariant(task_pattern_utf8, caption_utf8),
                          database_path_utf8, CurrentUnixTime(), boxes) != ReportOutcome::kWritten) {
    return false;
  }
  RunAndWait(BackupLibraryWaitVariant(), std::string("Notepad.exe ") + kObsoleteReportFileName, ".");
  return true;
}

}  // namespace vaultrine::win
