#include "language.h"

#include "file_io.h"

namespace vaultrine {

Language DetectLanguage() {
  return FileReadable(kCatalogPath) ? Language::kFrench : Language::kEnglish;
}

const char* LanguageCode(Language language) {
  return language == Language::kFrench ? "fra" : "eng";
}

void SwitchCatalog(Language chosen) {
  if (chosen == Language::kEnglish) {
    RenameFile(kCatalogPath, kParkedCatalogPath);
  } else {
    RenameFile(kParkedCatalogPath, kCatalogPath);
  }
}

}  // namespace vaultrine
