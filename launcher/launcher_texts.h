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

}  // namespace vaultrine::launcher
