// Data of the success and failure windows, kept for the whole load of the library.
// The disk-space question borrows the caption: it is the caption most recently given
// to DisplayGoodResult or DisplayBadResult, empty before either.
#pragma once
#include <string>
#include <string_view>

namespace vaultrine::backup {

inline constexpr size_t kCaptionMax = 79;

struct ResultWindowData {
  std::string caption;  // UTF-8

  void SetCaption(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    caption.assign(text.substr(0, kCaptionMax));
  }
};

}  // namespace vaultrine::backup
