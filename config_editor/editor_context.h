// What the main window shares with its pages and dialogs: the file states, the
// message file, the mode, the page colours and the message boxes.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>

#include "common/message_file.h"
#include "common/win/message_box_sink.h"
#include "common/win/colours.h"
#include "common/win/dialog_colours.h"
#include "config_editor/core/editor_files.h"
#include "config_editor/named_mutex_guard.h"

namespace vaultrine::config {

inline constexpr COLORREF kMainBackground = win::colours::kEditorBlue;
inline constexpr COLORREF kPageBackground = win::colours::kPage;
inline constexpr COLORREF kPageText = win::colours::kPageText;

struct EditorContext {
  EditorContext(HINSTANCE instance, std::string program_folder);

  // The text of a message key in the interface language.
  std::wstring Text(std::string_view key);
  // Page colours for a WM_CTLCOLOR* request: labels on the page colour, fields
  // white, every text in the page's green.
  HBRUSH PageColours(HDC dc, HWND control, UINT message) { return page_colours.Paint(dc, control, message); }

  HINSTANCE instance;
  std::string program_folder;  // the choosers open on it
  NamedMutexGuard guard;       // before `files`, which holds files through it
  EditorFiles files;
  MessageFile messages{kEditorMessageFile};
  std::string language_code = "eng";
  bool advanced = false;
  bool startup_search_done = false;
  int return_tab = 0;
  HWND main = nullptr;
  HWND current_page = nullptr;
  win::DialogColours page_colours{kPageBackground, kPageText, win::colours::kWhite};
  // Boxes on top of everything, owned by the main window (the page shown is its
  // child, so the whole window waits for the answer).
  win::MessageBoxSink sink{[this] { return main; }, true};
};

}  // namespace vaultrine::config
