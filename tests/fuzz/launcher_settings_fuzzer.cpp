// The launcher's scan of the settings file for "database=" and the paths built from
// it, on any bytes. The name found is the rest of one line that starts exactly with
// "database=" (the file's first line never counts), so it holds no line feed, sits
// in the text right after that prefix, and no earlier line starts with the prefix.
#include <cstdint>
#include <string>
#include <string_view>

#include "launcher/launcher_paths.h"

using namespace vaultrine;
using namespace vaultrine::launcher;

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string name = DatabaseNameFromSettings(text);
  const std::string_view prefix = "\ndatabase=";
  const size_t first = text.find(prefix);
  if (first == std::string::npos) {
    Check(name == kDefaultDatabaseName);
  } else {
    Check(name.find('\n') == std::string::npos);
    Check(text.compare(first + prefix.size(), name.size(), name) == 0);
    const size_t after = first + prefix.size() + name.size();
    // The name ends at the line end: LF, CR LF, or the end of the text (after a CR).
    Check(after == text.size() || text[after] == '\n' || text.compare(after, 2, "\r\n") == 0 ||
          text.compare(after, std::string::npos, "\r") == 0);
  }

  const LauncherPaths paths = BuildPaths("C:\\Program Files\\Vaultrine", text);
  Check(paths.database_path == "C:\\Program Files\\Vaultrine\\" + name);
  if (const auto overlong = OverlongPath(paths)) Check(CharCount(*overlong) > kMaxPathChars);
  // A program folder with a blank is quoted, so the blank cannot start another program.
  for (Command c : {Command::kBackup, Command::kRestore, Command::kConfigure})
    Check(CommandLineFor(c, paths, Language::kEnglish, "C:\\Windows").front() == '"');
  // The settings text as a module file name.
  if (const auto folder = ProgramFolderOf(text)) Check(folder->size() < text.size());
  return 0;
}
