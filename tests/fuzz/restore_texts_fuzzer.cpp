// The restore library's readers on any bytes: the settings scan of the request dialog,
// the failure window's error lines and the restored-files list line. What must hold:
// nothing read is longer than its field allows, the destination carries no quote, a
// volume is found only with a destination, the error lines keep every byte of the
// text but the line ends, and a list line is whole UTF-8 when its input was.
#include <cstdint>
#include <string>
#include <string_view>

#include "common/error_lines.h"
#include "common/text_encoding.h"
#include "restore_support/request_rules.h"
#include "tests/fuzz/error_lines_check.h"

using namespace vaultrine;
using namespace vaultrine::restore;

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const RestoreSettings s = ScanRestoreSettings(text);
  Check(s.key.size() <= kKeyMax);
  // The key is the stored bytes themselves, never re-encoded.
  Check(text.find("cryptkey=" + s.key) != std::string_view::npos || s.key.empty());
  Check(s.volume.size() <= kVolumeNameMax);
  Check(s.destination.find('"') == std::string::npos);
  Check(s.destination_found || (s.destination.empty() && s.volume.empty()));
  Check(s.restore_found || s.restore_folder.empty());
  for (const std::string* v : {&s.key, &s.destination, &s.volume, &s.restore_folder})
    Check(v->find('\n') == std::string::npos);

  CheckErrorLines(text, kErrorEntryMax);

  const std::string line = RestoredListLine("Standard  ", text);
  Check(line.size() <= kListLineMax + 2);
  Check(line.substr(line.size() - 2) == "\r\n");
  Check(line.find('/') == std::string::npos);
  if (IsValidUtf8(text)) Check(IsValidUtf8(line));
  Check(RequestFileBytes(text, text, {std::string(text)}).size() <= 3 + 4 + kKeyMax + 2 + 12 + 2 * (kRequestPathMax + 2));
  return 0;
}
