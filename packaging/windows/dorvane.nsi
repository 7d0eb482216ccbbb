; The Windows installer of Dorvane (x86_64), made by scripts/package.sh with makensis:
;   makensis -DSTAGE=<folder with dorvane.exe, dorvane.com, Dorvane.chm> -DVERSION=1.0.0 -DICON=<dorvane.ico> -DLICENSE=<LICENSE>
;            -DOUTFILE=<setup.exe> packaging/windows/dorvane.nsi
; Installs for the current user (in their own programs folder, HKCU) or for all users (Program
; Files, HKLM): a page asks, or the command line says it (/CurrentUser or /AllUsers; /S for a
; silent install; /D=folder, last, for the folder). The licence, the program with its console
; companion (dorvane.com) and the help file beside it, a Start-menu shortcut, a desktop one if
; chosen, and an uninstaller registered in Add/Remove Programs, which removes all of it.
; Neither installs nor uninstalls over a running Dorvane: the user is asked to close it, and a
; silent run ends with status 3, having changed nothing. An installation in the other mode is
; not overlooked: it is named, and a silent run ends with status 4.

Unicode true
SetCompressor /SOLID lzma

!ifndef STAGE | VERSION | ICON | OUTFILE | LICENSE
  !error "STAGE, VERSION, ICON, OUTFILE and LICENSE must be defined (see scripts/package.sh)"
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
!define MULTIUSER_INIT_TEXT_ADMINREQUIRED "L'installation de ${PRODUCT} demande les droits d'administrateur."
!define MULTIUSER_INIT_TEXT_POWERREQUIRED "L'installation de ${PRODUCT} demande au moins les droits d'utilisateur avec pouvoir."
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "Votre compte n'a pas les droits d'installer ${PRODUCT} pour tous les utilisateurs de cet ordinateur."
!include MultiUser.nsh
!include MUI2.nsh
!include x64.nsh
!include LogicLib.nsh

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\dorvane.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${LICENSE}"
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_PRE KeepCommandLineFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_FRENCH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_FRENCH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_FRENCH} "FileDescription" "Installation de ${PRODUCT}"
VIAddVersionKey /LANG=${LANG_FRENCH} "FileVersion" "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_FRENCH} "ProductVersion" "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_FRENCH} "LegalCopyright" "© 2026, les auteurs de Dorvane"

; The program is built for 64-bit Windows: its registry entries go to the 64-bit view.
!macro DORVANE_INIT UN
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} demande une version 64 bits de Windows." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  SetRegView 64
  !insertmacro MULTIUSER_${UN}INIT
!macroend

Var CommandLineFolder

Function .onInit
  ; /D= sets the folder before this runs; the mode's own folder must not replace it.
  StrCpy $CommandLineFolder $INSTDIR
  !insertmacro DORVANE_INIT ""
  Call KeepCommandLineFolder
FunctionEnd

Function KeepCommandLineFolder
  StrCmp $CommandLineFolder "" +2
  StrCpy $INSTDIR $CommandLineFolder
FunctionEnd

Function un.onInit
  !insertmacro DORVANE_INIT "UN"
FunctionEnd

; Whether Dorvane runs from the folder: its program files cannot then be opened for writing.
; Asks the user to close it (Retry, or Cancel to stop), or, silent, stops with status 3; either
; way before anything has changed.
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

!macro DORVANE_NOT_RUNNING UN
Function ${UN}NotRunning
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
!macroend
!insertmacro DORVANE_NOT_RUNNING ""
!insertmacro DORVANE_NOT_RUNNING "un."

; An installation in the other mode is named rather than left behind a second one.
Function NoOtherInstallation
  ${If} $MultiUser.InstallMode == "AllUsers"
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    StrCpy $1 "pour votre compte seul"
  ${Else}
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    StrCpy $1 "pour tous les utilisateurs"
  ${EndIf}
  ${If} $0 != ""
    MessageBox MB_OK|MB_ICONEXCLAMATION \
      "${PRODUCT} est déjà installé $1, dans $0. Désinstallez-le d'abord, ou installez-le de la même façon." \
      /SD IDOK
    SetErrorLevel 4
    Quit
  ${EndIf}
FunctionEnd

Section "${PRODUCT}" SectionProgram
  SectionIn RO
  Call NoOtherInstallation
  Call NotRunning
  SetOutPath "$INSTDIR"
  File "${STAGE}\dorvane.exe"
  File "${STAGE}\dorvane.com"
  File "${STAGE}\Dorvane.chm"
  File "/oname=LICENCE.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\dorvane.exe"

  ; SHCTX: HKLM for all users, HKCU for the current user (set by MultiUser).
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\dorvane.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" \
    "$\"$INSTDIR\${UNINSTALLER}$\" /$MultiUser.InstallMode"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
    "$\"$INSTDIR\${UNINSTALLER}$\" /$MultiUser.InstallMode /S"
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Raccourci sur le Bureau" SectionDesktop
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\dorvane.exe"
SectionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionProgram} "Le calendrier, son aide et son programme de console."
  !insertmacro MUI_DESCRIPTION_TEXT ${SectionDesktop} "Une icône de ${PRODUCT} sur le Bureau."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Section "Uninstall"
  Call un.NotRunning
  Delete "$INSTDIR\dorvane.exe"
  Delete "$INSTDIR\dorvane.com"
  Delete "$INSTDIR\Dorvane.chm"
  Delete "$INSTDIR\LICENCE.txt"
  ; The start-up report the program writes beside itself in debug mode.
  Delete "$INSTDIR\HHDebug.txt"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  ; The user's own programs folder (found as MultiUser.nsh finds it), made by the installation
  ; when it had none, goes if empty.
  ${If} $MultiUser.InstallMode == "CurrentUser"
    GetKnownFolderPath $0 {5CD7AEE2-2219-4A67-B85D-6C9CE15660CB} ; FOLDERID_UserProgramFiles
    StrCmp $0 "" 0 +2
    StrCpy $0 "$LOCALAPPDATA\Programs"
    RMDir "$0"
  ${EndIf}
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
