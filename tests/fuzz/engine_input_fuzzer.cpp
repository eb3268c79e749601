// What the stand-in engines read from files a user or a library hands them: the
// parameter file, the catalog and the request file, plus the pattern match of the
// exclusion rules. Any bytes: no crash, no read outside the input, and every result
// stays within what the input holds.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/engines/core/gettext_catalog.h"
#include "tools/engines/core/parameters.h"
#include "tools/engines/core/path_rules.h"
#include "tools/engines/core/restore_request.h"

using namespace vaultrine::engines;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const BackupParameters p = ParseBackupParameters(bytes);
  for (const std::string& include : p.includes) {
    if (include.size() > size) std::abort();
  }
  for (const ExclusionRule& rule : p.exclusions) {
    // Every rule against every include, and the destination mirror of each.
    for (const std::string& include : p.includes) {
      IsExcluded({rule}, include);
      MirrorPath(p.destination, include);
    }
  }

  Catalog catalog;
  if (!catalog.Parse(bytes) && catalog.size() != 0) std::abort();
  for (const ExclusionRule& rule : p.exclusions) catalog.Translate(rule.pattern);

  if (const auto request = ParseRestoreRequest(bytes)) {
    if (request->destination.empty()) std::abort();
    for (const std::string& entry : request->entries) RestoreTarget(request->destination, entry, entry + "x\\y");
  }

  // The first half as a pattern, the second as a path.
  const size_t half = size / 2;
  WildcardMatch(bytes.substr(0, half), bytes.substr(half));
  Substitute(bytes.substr(0, half), {bytes.substr(half)});
  return 0;
}
