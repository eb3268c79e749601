// The editor core's messages: every box it asks for carries the editor's caption.
#pragma once
#include <string>

#include "common/message_sink.h"

namespace vaultrine::config {

using vaultrine::MessageIcon;
using vaultrine::MessageSink;
using vaultrine::RecordingSink;

inline constexpr const char* kEditorCaption = "Config VAULTRINE 1.92";

inline void ShowEditorMessage(MessageSink& sink, std::string text, MessageIcon icon) {
  sink.Show({std::move(text), kEditorCaption, icon});
}

}  // namespace vaultrine::config
