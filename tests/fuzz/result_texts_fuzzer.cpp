// Any bytes the engine or the parameter file can hand the backup library's text
// rules: the error list entries, the size and count texts, the summary folder.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "backup_support/details_archive.h"
#include "backup_support/result_window_data.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vaultrine::backup;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  size_t kept = 0;
  for (const std::string& entry : SplitErrorLines(text)) {
    if (entry.size() > kErrorEntryMax) std::abort();
    kept += entry.size();
  }
  if (kept > size) std::abort();

  const std::string shown = FormatSize(text);
  if (shown.size() < 7 || shown.compare(shown.size() - 6, 6, " bytes") != 0) std::abort();
  LeadingNumber(text);

  const std::string folder = SummaryFolderFromText(text);
  if (folder.size() > kSummaryScanBytes || folder.find_first_of("\r\n") != std::string::npos) std::abort();

  std::u16string units(size / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  DatabasePathFromUtf16(units);
  GzipHeader(text);
  return 0;
}
