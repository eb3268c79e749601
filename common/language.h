// Interface language of the suite. It is not a setting: French while the gettext
// catalog sits at its place (relative to the current directory), English while it
// is parked under the same name with ".EN". Only the launcher switches it.
#pragma once
#include <string>

namespace vaultrine {

enum class Language : short { kEnglish = 0, kFrench = 1 };

#ifdef _WIN32
inline constexpr const char* kCatalogPath = ".\\locale\\gui\\LC_MESSAGES\\vaultrine.mo";
inline constexpr const char* kParkedCatalogPath = ".\\locale\\gui\\LC_MESSAGES\\vaultrine.mo.EN";
#else
inline constexpr const char* kCatalogPath = "./locale/gui/LC_MESSAGES/vaultrine.mo";
inline constexpr const char* kParkedCatalogPath = "./locale/gui/LC_MESSAGES/vaultrine.mo.EN";
#endif

// French when the catalog can be opened for reading.
Language DetectLanguage();
// "eng" or "fra": the message-file section suffix.
const char* LanguageCode(Language language);

// The launcher's switch: park the catalog for English, bring it back for French.
// A missing file is not an error; the caller shows the chosen language anyway.
void SwitchCatalog(Language chosen);

}  // namespace vaultrine
