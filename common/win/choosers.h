// The system's file and folder choosers, run modally. No rule of any caller lives
// here (limits, proposed names, messages): callers wrap these.
#pragma once
#include <windows.h>

#include <optional>
#include <string>

namespace vaultrine::win {

struct FileChooserRequest {
  HWND owner = nullptr;
  bool save = false;            // the save chooser; otherwise the open chooser
  std::wstring initial_folder;  // empty: the system's choice
  std::wstring title;
  std::wstring filter;          // pairs separated and ended by NUL, as the dialog takes them
  std::wstring proposed_name;   // in the file name field at start
};

// The full path confirmed by the user; nullopt on cancel or failure. The current
// directory stays as it was, the read-only box is hidden and the folder must exist;
// the open chooser also wants an existing file. The save chooser never asks before
// overwriting.
std::optional<std::wstring> RunFileChooser(const FileChooserRequest& request);

// The folder chooser rooted at the computer's drives, file-system folders only,
// with `preselect` selected when it opens and `title` above the tree. nullopt on
// cancel or failure.
std::optional<std::wstring> RunFolderChooser(HWND owner, const std::wstring& preselect,
                                             const std::wstring& title = {});

}  // namespace vaultrine::win
