; What Dorvane's installer (dorvane.nsi) and its uninstaller (desinstaller.nsi) share: the
; names, the registry entry, the two modes (per user or for all users, /CurrentUser or /AllUsers
; on the command line), the version resource, the start on 64-bit Windows only, and the check
; that Dorvane is not running.
;   Before including it, define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE (the refusal of the
;   all-users mode to an account without the rights) and DESCRIPTION (the version resource's
;   file description); VERSION, ICON and OUTFILE come from scripts/package.sh.

Unicode true
SetCompressor /SOLID lzma

!ifndef VERSION | ICON | OUTFILE | DESCRIPTION
  !error "VERSION, ICON, OUTFILE and DESCRIPTION must be defined (see scripts/package.sh)"
!endif

!define PRODUCT "Dorvane"
!define PUBLISHER "Les auteurs de Dorvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Dorvane"
!define UNINSTALLER "desinstaller.exe"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
ManifestDPIAware true

; Per user or for all users.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "${PRODUCT}"
; An installation already there decides the mode and the folder.
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
; Both programs are installers to NSIS: the uninstaller is a program of its own (desinstaller.nsi).
!define MULTIUSER_NOUNINSTALL
!include MultiUser.nsh
!include MUI2.nsh
!include x64.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define MUI_ICON "${ICON}"

; The version resource, in French: inserted after the language.
!macro DORVANE_VERSION_INFO
  VIProductVersion "${VERSION}.0"
  VIAddVersionKey /LANG=${LANG_FRENCH} "ProductName" "${PRODUCT}"
  VIAddVersionKey /LANG=${LANG_FRENCH} "CompanyName" "${PUBLISHER}"
  VIAddVersionKey /LANG=${LANG_FRENCH} "FileDescription" "${DESCRIPTION}"
  VIAddVersionKey /LANG=${LANG_FRENCH} "FileVersion" "${VERSION}.0"
  VIAddVersionKey /LANG=${LANG_FRENCH} "ProductVersion" "${VERSION}.0"
  VIAddVersionKey /LANG=${LANG_FRENCH} "LegalCopyright" "© 2026, les auteurs de Dorvane"
!macroend

; The program is built for 64-bit Windows: its registry entries go to the 64-bit view.
!macro DORVANE_INIT
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} demande une version 64 bits de Windows." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  SetRegView 64
  !insertmacro MULTIUSER_INIT
!macroend

; Whether Dorvane runs from the folder: its program files cannot then be opened for writing.
!macro DORVANE_IN_USE FILE
  ${If} ${FileExists} "$INSTDIR\${FILE}"
    ClearErrors
    FileOpen $2 "$INSTDIR\${FILE}" a
    ${If} ${Errors}
      StrCpy $1 "${FILE}"
    ${Else}
      FileClose $2
    ${EndIf}
  ${EndIf}
!macroend

; Asks the user to close a running Dorvane (Retry, or Cancel to stop), or, silent, stops with
; status 3; either way before anything has changed.
Function NotRunning
  retry:
  StrCpy $1 ""
  !insertmacro DORVANE_IN_USE dorvane.exe
  !insertmacro DORVANE_IN_USE dorvane.com
  ${If} $1 != ""
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${PRODUCT} est ouvert ($INSTDIR\$1). Fermez-le, puis cliquez sur Réessayer." \
      /SD IDCANCEL IDRETRY retry
    SetErrorLevel 3
    Quit
  ${EndIf}
FunctionEnd
