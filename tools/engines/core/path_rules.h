// Paths as the stand-in engines see them: Windows paths in UTF-8 with "\" separators.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "tools/engines/core/parameters.h"

namespace vaultrine::engines {

// "*" matches any run of characters (separators included), "?" one byte; ASCII
// letters match in either case, other bytes exactly.
bool WildcardMatch(std::string_view pattern, std::string_view text);

// Excluded when a `yes` rule matches and no `no` rule does: `no` rules carve
// exceptions out of the exclusions, whatever their order.
bool IsExcluded(const std::vector<ExclusionRule>& rules, std::string_view path);

// Where a source file lies in the backup: the destination folder, then the source path
// with its drive's colon dropped (C:\Data\a.txt -> <dest>\C\Data\a.txt) or, for a
// network path, "UNC" in place of the two leading backslashes. Empty for a path that
// is not absolute.
std::string MirrorPath(std::string_view destination, std::string_view source);

// The folder part of a path (before its last "\"), empty when there is none.
std::string ParentFolder(std::string_view path);

// Lower-case ASCII copy, for comparing paths the way Windows does.
std::string FoldCase(std::string_view path);

}  // namespace vaultrine::engines
