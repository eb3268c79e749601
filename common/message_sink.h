// Where the portable code sends what the user must be told. The windows show each
// message as a message box (common/win/message_box_sink.h); tests record them. One
// interface for every module, so the core never needs a window.
#pragma once
#include <string>
#include <vector>

namespace vaultrine {

enum class MessageIcon { kInformation, kWarning, kError };

struct UserMessage {
  std::string text;
  std::string caption;
  MessageIcon icon = MessageIcon::kError;
};

class MessageSink {
 public:
  virtual ~MessageSink() = default;
  virtual void Show(const UserMessage& message) = 0;
};

// Keeps every message in order; for tests and for callers that decide later.
class RecordingSink : public MessageSink {
 public:
  void Show(const UserMessage& message) override { messages.push_back(message); }
  std::vector<UserMessage> messages;
};

}  // namespace vaultrine
