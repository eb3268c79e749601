// What the restore library's windows use of the library: the module that holds
// their templates, the dialog colours, the message texts, the engine's caption as
// shown, and the two things the request dialog hands on. The windows depend on this
// and not on RestoreLibrary, so the library can grow exports without them.
#pragma once
#include <windows.h>

#include <string>

#include "common/win/dialog_colours.h"

namespace vaultrine::restore {

class RestoreHost {
 public:
  virtual HINSTANCE module() = 0;
  virtual win::DialogColours& colours() = 0;
  // The text of a message key in the interface language, for the W-API.
  virtual std::wstring Text(const char* key) = 0;
  // The engine's caption, UTF-8 when it is, read in the ANSI code page otherwise.
  virtual std::string ShownCaption() const = 0;
  // Folder of the library (the parameter file lies beside it).
  virtual const std::string& library_folder() const = 0;
  // A confirmed request: the progress window shown and the LED indicator started.
  virtual void ShowProgressAndStartIndicator() = 0;

 protected:
  ~RestoreHost() = default;
};

}  // namespace vaultrine::restore
