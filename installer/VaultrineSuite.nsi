; Installer of the Vaultrine desktop suite: puts the program folder dist/ into a folder
; of the user's choice, with a Start-menu shortcut to the launcher and an uninstall
; entry. Built by scripts/build-installer, which passes:
;   SOURCE   the program folder to wrap (dist/)
;   OUTFILE  the installer to write
;   FILES    generated include: the InstallFiles/UninstallFiles macros listing SOURCE
;   ICON     the launcher's icon
;   WIZARD   side picture of the welcome and finish pages (164 x 314 BMP)
;   TARGET   optional NSIS target (amd64-unicode for the copy the Wine tests run)
;
; Silent use: setup.exe /S [/LANG=en|fr] [/D=C:\folder]   (/D last, never quoted)
;             Uninstall.exe /S
;
; The suite writes its settings, lists, database and the language switch into its own
; folder, so it is installed per user into a folder the user can write (C:\Vaultrine
; by default), never under Program Files.

Unicode true
!ifdef TARGET
  Target ${TARGET}
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define VERSION "1.92"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\VaultrineSuite"
!define CATALOG_DIR "locale\gui\LC_MESSAGES"
!define CATALOG "vaultrine.mo"
!define SHORTCUT "$SMPROGRAMS\Vaultrine ${VERSION}.lnk"

Name "Vaultrine ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "C:\Vaultrine"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel user
SetCompressor /SOLID lzma
ManifestDPIAware true
BrandingText "Vaultrine ${VERSION}"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "1.92.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "Vaultrine"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Vaultrine ${VERSION} setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Vaultrine"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD}"
!define MUI_ABORTWARNING
!define MUI_LANGDLL_ALLLANGUAGES
!define MUI_LANGDLL_REGISTRY_ROOT HKCU
!define MUI_LANGDLL_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MUI_LANGDLL_REGISTRY_VALUENAME "InstallerLanguage"

!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartLauncher
!define MUI_FINISHPAGE_SHOWREADME
!define MUI_FINISHPAGE_SHOWREADME_TEXT "$(OpenGuide)"
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION OpenGuide
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "French"

LangString OpenGuide ${LANG_ENGLISH} "Open the user's guide"
LangString OpenGuide ${LANG_FRENCH} "Ouvrir la documentation"
LangString Guide ${LANG_ENGLISH} "UsersGuide.pdf"
LangString Guide ${LANG_FRENCH} "Documentation.pdf"

Var CatalogName   ; vaultrine.mo (French) or vaultrine.mo.EN (English, parked)

; The engines are installed apart from the suite and are never in the payload, so an
; engine in the chosen folder is neither replaced nor removed: the uninstaller deletes
; only the files listed from dist/.
!include "${FILES}"

Function .onInit
  ; /LANG=en or /LANG=fr chooses the language without the question (silent installs).
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/LANG=" $1
  ${IfNot} ${Errors}
    ${If} $1 == "fr"
      StrCpy $LANGUAGE ${LANG_FRENCH}
    ${Else}
      StrCpy $LANGUAGE ${LANG_ENGLISH}
    ${EndIf}
  ${Else}
    !insertmacro MUI_LANGDLL_DISPLAY
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

Function StartLauncher
  ; The launcher finds the catalog and its companions relative to its current folder.
  SetOutPath "$INSTDIR"
  Exec '"$INSTDIR\TopVaultrine.exe"'
FunctionEnd

Function OpenGuide
  SetOutPath "$INSTDIR"
  ExecShell "open" "$INSTDIR\$(Guide)"
FunctionEnd

Section "Vaultrine" SecSuite
  SetShellVarContext current

  ; The suite's language is the catalog's name. An update keeps what the user chose in
  ; the launcher; a first installation follows the installer's language.
  ${If} ${FileExists} "$INSTDIR\${CATALOG_DIR}\${CATALOG}.EN"
    StrCpy $CatalogName "${CATALOG}.EN"
  ${ElseIf} ${FileExists} "$INSTDIR\${CATALOG_DIR}\${CATALOG}"
    StrCpy $CatalogName "${CATALOG}"
  ${ElseIf} $LANGUAGE == ${LANG_FRENCH}
    StrCpy $CatalogName "${CATALOG}"
  ${Else}
    StrCpy $CatalogName "${CATALOG}.EN"
  ${EndIf}

  !insertmacro InstallFiles

  SetOutPath "$INSTDIR\${CATALOG_DIR}"
  Delete "$INSTDIR\${CATALOG_DIR}\${CATALOG}"
  Delete "$INSTDIR\${CATALOG_DIR}\${CATALOG}.EN"
  File "/oname=$CatalogName" "${SOURCE}\${CATALOG_DIR}\${CATALOG}"

  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  CreateShortCut "${SHORTCUT}" "$INSTDIR\TopVaultrine.exe" "" "$INSTDIR\TopVaultrine.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Vaultrine ${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Vaultrine"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\TopVaultrine.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes what the installer put there and nothing else: the user's parameter files,
; lists, reports, archives and database stay, and so does the folder that holds them.
Section "Uninstall"
  SetShellVarContext current
  !insertmacro UninstallFiles
  Delete "$INSTDIR\${CATALOG_DIR}\${CATALOG}"
  Delete "$INSTDIR\${CATALOG_DIR}\${CATALOG}.EN"
  RMDir "$INSTDIR\${CATALOG_DIR}"
  RMDir "$INSTDIR\locale\gui"
  RMDir "$INSTDIR\locale"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
