// Starting other programs: with a wait (Notepad on a list, an engine, the editor)
// or without (the documentation, the LED indicator). One routine; the deliverables
// differ only in the variant they pass.
#pragma once
#include <windows.h>

#include <string>

namespace vaultrine::win {

struct RunVariant {
  const char* caption;        // caption of every box this routine shows
  HWND owner;                 // owner of the boxes, may be null
  bool topmost;               // boxes shown on top of all windows
  bool command_in_failure;    // "CreateProcess error %ld = %s\n%s": command line on a second line
  bool minimise_owner;        // launcher: owner minimised while the program runs, restored after
  bool keep_process;          // restore library: the started process handle is handed back
};

// The five variants in use.
RunVariant BackupLibraryWaitVariant();
RunVariant RestoreLibraryWaitVariant();
RunVariant RestoreLibraryNoWaitVariant();
RunVariant LauncherWaitVariant(HWND launcher);
RunVariant LauncherNoWaitVariant(HWND launcher);

// Starts `command_line` (UTF-8, program first) in `working_directory` ("." for the
// current one) and returns when it has ended, or at once after a failure box.
void RunAndWait(const RunVariant& variant, const std::string& command_line,
                const std::string& working_directory);

// Starts it and returns 1, or shows the failure box and returns 0. With a
// keep_process variant `kept_process` receives the process handle (caller closes).
int RunNoWait(const RunVariant& variant, const std::string& command_line,
              const std::string& working_directory, HANDLE* kept_process = nullptr);

// "CreateProcess error %ld = %s", with the command line on a second line when asked.
std::string FormatStartFailure(long code, const std::string& system_text,
                               const std::string* command_line);

}  // namespace vaultrine::win
