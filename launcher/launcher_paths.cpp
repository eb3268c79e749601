#include "launcher/launcher_paths.h"

namespace vaultrine::launcher {

namespace {

std::string QuotedIfBlank(const std::string& path) {
  if (path.find_first_of(" \t") == std::string::npos) return path;
  return "\"" + path + "\"";
}

}  // namespace

std::optional<std::string> ProgramFolderOf(std::string_view module_file_name) {
  const std::size_t cut = module_file_name.rfind('\\');
  if (cut == std::string_view::npos) return std::nullopt;
  return std::string(module_file_name.substr(0, cut));
}

std::string DatabaseNameFromSettings(std::string_view text) {
  static constexpr std::string_view kKey = "database=";
  std::size_t pos = text.find('\n');  // the first line is never a setting
  while (pos != std::string_view::npos) {
    const std::size_t start = pos + 1;
    pos = text.find('\n', start);
    std::string_view line =
        text.substr(start, pos == std::string_view::npos ? std::string_view::npos : pos - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.substr(0, kKey.size()) == kKey) return std::string(line.substr(kKey.size()));
  }
  return kDefaultDatabaseName;
}

LauncherPaths BuildPaths(const std::string& program_folder,
                         const std::optional<std::string>& settings_text) {
  LauncherPaths p;
  p.program_folder = program_folder;
  p.working_folder = program_folder;
  p.settings_path = program_folder + "\\" + kSettingsFileName;
  p.database_path = program_folder + "\\" +
                    (settings_text ? DatabaseNameFromSettings(*settings_text)
                                   : std::string(kDefaultDatabaseName));
  return p;
}

std::size_t CharCount(std::string_view utf8) {
  std::size_t n = 0;
  for (unsigned char c : utf8) {
    if ((c & 0xC0) != 0x80) ++n;
  }
  return n;
}

std::optional<std::string> OverlongPath(const LauncherPaths& p) {
  for (const std::string* path : {&p.settings_path, &p.database_path, &p.working_folder}) {
    if (CharCount(*path) > kMaxPathChars) return *path;
  }
  return std::nullopt;
}

std::string CommandLineFor(Command command, const LauncherPaths& paths, Language language,
                           const std::string& windows_folder) {
  switch (command) {
    case Command::kBackup: return QuotedIfBlank(paths.program_folder + "\\Vaultrine.exe");
    case Command::kRestore: return QuotedIfBlank(paths.program_folder + "\\Revivalis.exe");
    case Command::kConfigure: return QuotedIfBlank(paths.program_folder + "\\ConfigVaultrine.exe");
    case Command::kDocumentation:
      return QuotedIfBlank(windows_folder + "\\Explorer.exe") + " " +
             (language == Language::kEnglish ? ".\\UsersGuide.pdf" : ".\\Documentation.pdf");
    case Command::kObsolete: break;
  }
  return {};
}

}  // namespace vaultrine::launcher
