// Any bytes the engine or the parameter file can hand the backup library's text
// rules: the error list entries, the size and count texts, the summary folder.
// What must hold: the failure window's entries keep every byte of the error text but
// the line ends, none is longer than a list entry, and whole UTF-8 stays whole; the
// summary folder read from a file (its "summary=" pushed across the 8192-byte scan
// limit by a filler) is what a plain byte walk of the same file finds.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "backup_support/details_archive.h"
#include "backup_support/result_window_data.h"
#include "common/text_encoding.h"
#include "tests/fuzz/error_lines_check.h"

using namespace vaultrine;
using namespace vaultrine::backup;

namespace {

std::string g_folder;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void RemoveFolder() {
  std::error_code ec;
  std::filesystem::remove_all(g_folder, ec);
}

// The summary rule walked byte by byte, as a reader of the file would.
std::string SummaryByWalk(std::string_view file) {
  constexpr std::string_view kKey = "summary=";
  const size_t scanned = file.size() < kSummaryScanBytes ? file.size() : kSummaryScanBytes;
  for (size_t i = 0; i < scanned && file[i] != '\0'; ++i) {
    size_t k = 0;
    while (k < kKey.size() && i + k < scanned && file[i + k] == kKey[k]) ++k;
    if (k < kKey.size()) continue;
    std::string value;
    for (size_t j = i + k; j < scanned && file[j] != '\0' && file[j] != '\r' && file[j] != '\n'; ++j)
      value += file[j];
    return value;
  }
  return {};
}

void CheckSummaryFolder(std::string_view text, const std::string& file) {
  const std::string folder = SummaryFolderFromText(text);
  Check(folder == SummaryByWalk(text));
  Check(folder.size() <= kSummaryScanBytes && folder.find_first_of("\r\n") == std::string::npos);

  const std::string path = g_folder + "/Vaultrine.ini";
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  const bool written = std::fwrite(file.data(), 1, file.size(), f) == file.size();
  if (std::fclose(f) != 0 || !written) return;
  Check(ReadSummaryFolder(path) == SummaryByWalk(file));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (g_folder.empty()) {
    char shm[] = "/dev/shm/vaultrine-summary-fuzz-XXXXXX";
    char tmp[] = "/tmp/vaultrine-summary-fuzz-XXXXXX";
    const char* dir = mkdtemp(shm);
    if (!dir) dir = mkdtemp(tmp);
    if (!dir) std::abort();
    g_folder = dir;
    std::atexit(RemoveFolder);
    Check(ReadSummaryFolder(g_folder + "/missing.ini").empty());
    Check(ReadSummaryFolder("").empty());
  }
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  CheckErrorLines(text, kErrorEntryMax);

  const std::string shown = FormatSize(text);
  Check(shown.size() >= 7 && shown.compare(shown.size() - 6, 6, " bytes") == 0);
  LeadingNumber(text);

  // Byte 0 chooses a filler of up to 8192 blanks before the text in the file, so the
  // scan limit falls anywhere in the key, the value or the line end.
  const size_t filler = size ? size_t{data[0]} * 33 : 0;
  CheckSummaryFolder(text, std::string(filler, ' ') + std::string(text));

  std::u16string units(size / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) units[i] = static_cast<char16_t>(data[2 * i] | data[2 * i + 1] << 8);
  DatabasePathFromUtf16(units);
  GzipHeader(text);
  return 0;
}
