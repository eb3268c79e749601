// Shows the portable code's messages as message boxes. The owner is asked for when
// a box is shown, since a program's current window may change (the editor's pages).
#pragma once
#include <windows.h>

#include <functional>

#include "common/message_sink.h"

namespace vaultrine::win {

class MessageBoxSink : public MessageSink {
 public:
  explicit MessageBoxSink(std::function<HWND()> owner = {}, bool topmost = false)
      : owner_(std::move(owner)), topmost_(topmost) {}
  void Show(const UserMessage& message) override;

 private:
  std::function<HWND()> owner_;
  bool topmost_;
};

}  // namespace vaultrine::win
