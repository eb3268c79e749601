// What the stand-in backup engine takes from a parameter file: the folders and files
// to back up, the destination with its volume name, the exclusion rules and the
// database name. Readers of the file accept it with or without the byte-order mark
// and with CR LF or LF line ends; a section ends at its first empty line or at the
// next line that begins with "[".
#pragma once
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vaultrine::engines {

inline constexpr const char* kDefaultDatabaseName = "Vaultrine.sqlite";

// `yes => (path="...")` excludes what matches; `no => (path="...")` keeps it anyway.
struct ExclusionRule {
  bool exclude = true;
  std::string pattern;
};

struct BackupParameters {
  std::vector<std::string> includes;  // without quotes; disabled ("#") entries left out
  bool has_destination = false;
  std::string destination;  // folder, without quotes
  std::string volume_name;  // empty: the destination is used as written
  std::vector<ExclusionRule> exclusions;
  std::string database_name = kDefaultDatabaseName;
};

// Every section's entry lines, in file order, by section name (without brackets).
// Comment lines stay entries, as in the file.
std::map<std::string, std::vector<std::string>> ReadSections(std::string_view bytes);

BackupParameters ParseBackupParameters(std::string_view bytes);

// One `[exclude]` line; false for a disabled or unreadable line.
bool ParseExclusionRule(std::string_view line, ExclusionRule& rule);

}  // namespace vaultrine::engines
