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

std::string MissingEngineMessage(const std::string& program, const std::string& folder, Language language) {
  if (language == Language::kEnglish) {
    return "The program " + program + " is not in the folder\n" + folder +
           "\n\nThe backup and restore engines are installed apart from the suite: copy them into "
           "this folder (user's guide, chapter \"When something goes wrong\").";
  }
  return "Le programme " + program + " n'est pas dans le dossier\n" + folder +
         "\n\nLes moteurs de sauvegarde et de restauration s'installent \xC3\xA0 part : copiez-les dans "
         "ce dossier (documentation, chapitre \xC2\xAB Quand quelque chose ne va pas \xC2\xBB).";
}

}  // namespace vaultrine::launcher
