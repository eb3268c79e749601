// Copies a text file while removing or adding the UTF-8 byte-order mark, and gives
// the copy the source's modification time. The editor uses it to strip the mark
// from the parameter file and put it back; the backup library as a plain
// time-preserving copy (any mode other than the two below).
#pragma once
#include <cstddef>
#include <string>

namespace vaultrine {

// Bytes read and written at a time. Large blocks keep the copy of a big archive
// near the speed of the system's own copy; the result is the same for any size.
inline constexpr size_t kBomCopyBlock = 1 << 20;

inline constexpr const char* kRemoveBom = "RemoveBOM";
inline constexpr const char* kAddBom = "AddBOM";

enum BomCopyResult : int {
  kBomCopyOk = 0,
  kBomCopyNoSource = 1,       // source cannot be opened; nothing created
  kBomCopyNoDestination = 2,  // destination cannot be created
  kBomCopyReadError = 3,      // the source could not be read to its end; no destination left
  kBomCopyShortWrite = 4,     // a block was not written completely
  kBomCopyNoBuffer = -1,      // copy buffer unavailable; destination left empty
};

// Mode is compared exactly, with case.
int CopyWithByteOrderMark(const std::string& source, const std::string& destination,
                          const std::string& mode);

}  // namespace vaultrine
