// Where the core's user messages go. The editor shows each as a topmost message
// box captioned kEditorCaption; tests record them. Keeps the core free of windows.
#pragma once
#include <string>
#include <vector>

namespace vaultrine::config {

inline constexpr const char* kEditorCaption = "Config VAULTRINE 1.92";

enum class MessageIcon { kInformation, kError };

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void Show(const std::string& text, MessageIcon icon) = 0;
};

// Keeps every message in order; for tests and for callers that decide later.
class RecordingSink : public MessageSink {
 public:
  struct Message {
    std::string text;
    MessageIcon icon;
  };
  void Show(const std::string& text, MessageIcon icon) override {
    messages.push_back({text, icon});
  }
  std::vector<Message> messages;
};

}  // namespace vaultrine::config
