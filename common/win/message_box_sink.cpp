#include "message_box_sink.h"

#include "wide.h"

namespace vaultrine::win {

void MessageBoxSink::Show(const UserMessage& message) {
  UINT flags = MB_OK;
  switch (message.icon) {
    case MessageIcon::kInformation: flags |= MB_ICONINFORMATION; break;
    case MessageIcon::kWarning: flags |= MB_ICONWARNING; break;
    case MessageIcon::kError: flags |= MB_ICONERROR; break;
  }
  if (topmost_) flags |= MB_TOPMOST;
  HWND owner = owner_ ? owner_() : nullptr;
  MessageBoxW(owner, ToWide(message.text).c_str(), ToWide(message.caption).c_str(), flags);
}

}  // namespace vaultrine::win
