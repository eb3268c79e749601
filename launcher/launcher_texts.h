// The launcher's own messages, in the interface language.
#pragma once
#include <string>

#include "common/language.h"

namespace vaultrine::launcher {

inline constexpr char kLauncherCaption[] = "VAULTRINE 1.92";

enum class LauncherText {
  kSettingsMissing,  // back up / restore clicked before any settings file exists
  kDatabaseMissing,  // obsolete list clicked before the first backup
  kPathTooLong,      // followed by the path or command line that does not fit
};

std::string LauncherMessage(LauncherText text, Language language);

// Back up or restore chosen while the engine is not in the program folder: names the
// program and the folder, and where the guide tells how to install the engines.
std::string MissingEngineMessage(const std::string& program, const std::string& folder, Language language);

}  // namespace vaultrine::launcher
