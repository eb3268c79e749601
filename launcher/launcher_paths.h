// Where the launcher finds the settings file, the engine database and the programs
// it starts. Everything is rebuilt from the module's file name at every use, so a
// settings file saved while the launcher is open is seen at the next click.
#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "common/language.h"
#include "launcher/resource.h"

namespace vaultrine::launcher {

inline constexpr char kSettingsFileName[] = "Vaultrine.ini";
inline constexpr char kDefaultDatabaseName[] = "Vaultrine.sqlite";

// Longest paths and command line the started programs are given.
inline constexpr std::size_t kMaxPathChars = 191;
inline constexpr std::size_t kMaxCommandLineChars = 511;

struct LauncherPaths {
  std::string program_folder;   // no trailing backslash
  std::string settings_path;    // program folder + "\Vaultrine.ini"
  std::string database_path;    // program folder + "\" + database file name
  std::string working_folder;   // current directory of every started program
};

// The module file name cut before its last backslash; nullopt without one.
std::optional<std::string> ProgramFolderOf(std::string_view module_file_name);

// The database file name named by the settings text: the rest of the first line,
// after the first line of the file, that starts exactly with "database=";
// "Vaultrine.sqlite" when there is none.
std::string DatabaseNameFromSettings(std::string_view settings_text);

// Paths for that program folder; `settings_text` is the settings file's content,
// or nullopt when it cannot be read.
LauncherPaths BuildPaths(const std::string& program_folder,
                         const std::optional<std::string>& settings_text);

// Number of characters (code points) of a UTF-8 text.
std::size_t CharCount(std::string_view utf8);
// The first path longer than kMaxPathChars, if any.
std::optional<std::string> OverlongPath(const LauncherPaths& paths);

// The launcher's commands, by their ids in resource.h.
enum class Command {
  kBackup = IDM_BACKUP,
  kRestore = IDM_RESTORE,
  kConfigure = IDM_CONFIGURE,
  kObsolete = IDM_OBSOLETE,
  kDocumentation = IDM_DOCUMENTATION
};

// Command line of a started program (not defined for kObsolete, which is a report).
// The program's path is quoted when it holds a blank, so a folder such as
// "C:\Program Files" cannot make the system start another program.
std::string CommandLineFor(Command command, const LauncherPaths& paths, Language language,
                           const std::string& windows_folder);

}  // namespace vaultrine::launcher
