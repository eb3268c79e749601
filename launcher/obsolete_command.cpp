// Placeholder until the report is part of the build: says so instead of pretending.
#include "launcher/obsolete_command.h"

#include "common/win/wide.h"

void ShowObsoleteReport(HWND launcher, vaultrine::Language language, const std::string&,
                        const std::string&) {
  const wchar_t* text = language == vaultrine::Language::kFrench
                            ? L"La liste des fichiers p\u00E9rim\u00E9s n'est pas disponible dans cette version."
                            : L"The list of obsolete files is not available in this build.";
  MessageBoxW(launcher, text, L"VAULTRINE 1.92", MB_OK | MB_ICONINFORMATION | MB_TOPMOST);
}
