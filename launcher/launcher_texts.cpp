#include "launcher/launcher_texts.h"

namespace vaultrine::launcher {

std::string LauncherMessage(LauncherText text, Language language) {
  const bool en = language == Language::kEnglish;
  switch (text) {
    case LauncherText::kSettingsMissing:
      return en ? "Backup settings have not yet been configured"
                : "Les param\xC3\xA8tres de la sauvegarde n'ont pas encore \xC3\xA9t\xC3\xA9 "
                  "configur\xC3\xA9s";
    case LauncherText::kDatabaseMissing:
      return en ? "Backup has not yet been done" : "La sauvegarde n'a jamais \xC3\xA9t\xC3\xA9 faite";
    case LauncherText::kPathTooLong:
      return en ? "The program folder path is too long:"
                : "Le chemin du dossier du programme est trop long :";
  }
  return {};
}

}  // namespace vaultrine::launcher
