// Shows the message file's loading errors in an error box, with the caption the
// variant gives and the owner its program wants (the editor's current page, none in
// the restore library).
#pragma once
#include <windows.h>

#include <functional>

#include "common/message_file.h"

namespace vaultrine::win {

class MessageBoxErrorSink : public MessageErrorSink {
 public:
  // The owner is asked for when a box is shown, since the editor's page changes.
  explicit MessageBoxErrorSink(std::function<HWND()> owner = {}) : owner_(std::move(owner)) {}
  void ShowError(std::string_view caption, std::string_view text) override;

 private:
  std::function<HWND()> owner_;
};

}  // namespace vaultrine::win
