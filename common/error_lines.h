// The error text an engine hands to a failure window, as list entries.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace vaultrine {

// One entry per line of the text, up to its first NUL (line feeds end lines and
// belong to no entry; a CR before one is dropped too; a last line without a line
// feed is a line all the same). A line longer than `entry_max` bytes goes on in the
// next entry, cut at a character boundary, so nothing of it is lost.
std::vector<std::string> SplitErrorLines(std::string_view text, size_t entry_max);

}  // namespace vaultrine
