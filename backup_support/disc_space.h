// The question the engine asks before it copies: does the destination drive have room
// for the bytes it is about to write, and if not, does the user want to go on anyway?
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vaultrine::backup {

inline constexpr int kGoOn = 0;
inline constexpr int kStop = -1;
inline constexpr size_t kQuestionMax = 191;

// The first three characters of the path with "/" turned into "\": "e:/data" -> "e:\".
std::string DriveRoot(std::string_view path);

// Leading blanks, an optional sign, then digits up to the first non-digit; no digits
// read as 0. Values beyond 64 bits stop at the nearest limit.
int64_t ReadNeededBytes(std::string_view text);

// Equality already counts as short: the engine needs some slack for its own files.
bool SpaceIsShort(int64_t needed, uint64_t free_bytes);

// Fills the first three "%s" of the (engine-supplied) format with free bytes, root and
// needed bytes; "%%" gives "%", anything else is kept as written. Never longer than
// kQuestionMax characters.
std::string FormatSpaceQuestion(std::string_view format, uint64_t free_bytes, std::string_view root,
                                uint64_t needed);

class DiskSpacePlatform {
 public:
  virtual ~DiskSpacePlatform() = default;
  // Bytes available to the calling user on that root; nothing when the query fails.
  virtual std::optional<uint64_t> FreeBytes(const std::string& root) = 0;
  // Shows the Yes/No question; true for Yes.
  virtual bool AskYesNo(const std::string& caption_utf8, const std::string& question_ansi) = 0;
};

// kGoOn or kStop. A drive whose free space cannot be read is taken to have room.
int CheckDiscSpace(std::string_view path, std::string_view needed, std::string_view question_format,
                   std::string_view caption, DiskSpacePlatform& platform);

}  // namespace vaultrine::backup
