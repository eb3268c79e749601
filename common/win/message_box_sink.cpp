#include "message_box_sink.h"

#include "wide.h"

namespace vaultrine::win {

void MessageBoxErrorSink::ShowError(std::string_view caption, std::string_view text) {
  HWND owner = owner_ ? owner_() : nullptr;
  MessageBoxW(owner, ToWide(text).c_str(), ToWide(caption).c_str(), MB_OK | MB_ICONERROR);
}

}  // namespace vaultrine::win
