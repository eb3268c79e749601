// The status file of the last backup, on any bytes: the launcher's line is one line
// of well-formed UTF-8 in either language, it is "No backup yet" exactly when no
// outcome reads, what reads survives being written and read again, and the cut with
// the ellipsis never goes past the width it is given.
#include <cstdint>
#include <string>
#include <string_view>
#include <algorithm>

#include "common/last_backup.h"
#include "common/text_encoding.h"
#include "launcher/last_backup_line.h"

using namespace vaultrine;
using namespace vaultrine::launcher;

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

bool Same(const LastBackup& a, const LastBackup& b) {
  return a.when.has_value() == b.when.has_value() && (!a.when || *a.when == *b.when) && a.outcome == b.outcome &&
         a.new_files == b.new_files && a.modified_files == b.modified_files && a.obsolete_files == b.obsolete_files &&
         a.errors == b.errors && a.first_error == b.first_error;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const LastBackup status = ParseLastBackup(bytes);
  Check(IsValidUtf8(status.first_error) && status.first_error.size() <= kFirstErrorMax);
  Check(Same(ParseLastBackup(ComposeLastBackup(status)), status));
  for (Language language : {Language::kEnglish, Language::kFrench}) {
    const LastBackupLine line = DescribeLastBackup(status, language);
    Check(IsValidUtf8(line.text));
    for (unsigned char c : line.text) Check(c >= 0x20 && c != 0x7F);
    Check(!status.outcome == (line.text == (language == Language::kEnglish ? "No backup yet"
                                                                            : "Aucune sauvegarde pour l'instant")));
    Check(line.failed == (status.outcome == BackupOutcome::kFailed));
    // A width taken from the input; one unit per byte.
    const int width = size ? data[0] % 96 : 0;
    const auto bytes_wide = [](std::string_view t) { return static_cast<int>(t.size()); };
    const std::string fitted = FitWithEllipsis(line.text, width, bytes_wide);
    Check(IsValidUtf8(fitted));
    Check(fitted == line.text || static_cast<int>(fitted.size()) <= std::max(width, 3));
  }
  return 0;
}
