// Interface texts of the configuration editor and the restore library, read from a
// message file beside the program. The file is loaded once; a section is chosen for
// the interface language ("[MAIN_fra]"), then texts are looked up by key.
//
// The lookup deliberately works on fixed windows of the file image rather than on
// parsed lines: the shipped files are written to those limits, and a file that
// breaks them shows "?" (no section) or "??" (no key) instead of failing.
// Portable: errors go to an injected sink, so no window is involved here.
#pragma once
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

#include "common/message_sink.h"

namespace vaultrine {


// What differs between the two programs that carry a message file.
struct MessageFileVariant {
  const char* file_name;  // beside the program
  const char* caption;    // of the error boxes
  bool check_read;        // a failed read drops the image and says "Cannot load <file>"
};

inline constexpr MessageFileVariant kEditorMessageFile{"ConfigVaultrine.mes",
                                                       "Config VAULTRINE 1.92", false};
inline constexpr MessageFileVariant kRestoreMessageFile{"RestoreVaultrine.mes",
                                                        "Restore Vaultrine", true};

class MessageFile {
 public:
  static constexpr std::size_t kImageSize = 35328;      // only the file's head is used
  static constexpr std::size_t kWindowSize = 3700;      // a section's reach from its header
  static constexpr std::size_t kWindowStep = 3650;      // section search windows overlap by 50
  static constexpr std::size_t kLastWindowStart = 31627;
  static constexpr std::size_t kKeyLength = 18;         // keys compare on this many characters
  static constexpr std::size_t kMaxTextBytes = 127;
  static constexpr std::size_t kTextBufferUnits = 512;

  explicit MessageFile(const MessageFileVariant& variant) : variant_(variant) {}

  // Reads the first kImageSize bytes of <program_folder>/<file_name>. On failure the
  // error has been shown through the sink and no image is kept.
  bool LoadMessageFile(const std::string& program_folder, MessageSink& sink);

  // Chooses "[<name>_<language_code>]"; call again when the language changes.
  void SelectSection(std::string_view name, std::string_view language_code);

  // The text of the key in the selected section, "?" without a section, "??" when the
  // key is not there. The result is the shared text buffer: copy it before the next
  // lookup.
  const std::u16string& LookUpMessage(std::string_view key);

  void ReleaseMessageFile();

  bool loaded() const { return image_ != nullptr; }
  // Byte offset of the selected header in the image, -1 when none was found.
  long section_offset() const { return section_offset_; }

 private:
  MessageFileVariant variant_;
  std::unique_ptr<char[]> image_;
  long section_offset_ = -1;
  std::u16string text_;
};

}  // namespace vaultrine
