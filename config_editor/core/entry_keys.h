// How a list section of the internal file holds its entries: keys "000" to "099",
// read until the first missing one. The engine and the parameter-file writer read
// no others, so the rule pages and the file conversion share these.
#pragma once
#include <string>

namespace vaultrine::config {

// Entries of a section that a save keeps ("000" to "099").
inline constexpr int kMaxEntries = 100;
// What a list read returns past its last entry.
inline constexpr const char* kListEnd = "*****";
// "%03i" of the entry number.
std::string EntryKey(int number);

}  // namespace vaultrine::config
