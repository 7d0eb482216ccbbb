; The Windows installer of Dorvane (x86_64), made by scripts/package.sh with makensis:
;   makensis -DSTAGE=<folder with dorvane.exe, dorvane.com, Dorvane.chm> -DVERSION=1.0.0 -DICON=<dorvane.ico> -DLICENSE=<LICENSE>
;            -DUNINSTALLER_EXE=<desinstaller.exe> -DOUTFILE=<setup.exe> packaging/windows/dorvane.nsi
; Installs for the current user (in their own programs folder, HKCU) or for all users (Program
; Files, HKLM): a page asks, or the command line says it (/CurrentUser or /AllUsers; /S for a
; silent install; /D=folder, last, for the folder). The licence, the program with its console
; companion (dorvane.com) and the help file beside it, a Start-menu shortcut, a desktop one if
; chosen, and the uninstaller, built before (desinstaller.nsi), registered in Add/Remove
; Programs, which removes all of it.
; Does not install over a running Dorvane: the user is asked to close it, and a silent run ends
; with status 3, having changed nothing. An installation in the other mode is not overlooked:
; it is named, and a silent run ends with status 4.

!define DESCRIPTION "Installation de Dorvane"
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "Votre compte n'a pas les droits d'installer Dorvane pour tous les utilisateurs de cet ordinateur."
!include common.nsh

!ifndef STAGE | LICENSE | UNINSTALLER_EXE
  !error "STAGE, LICENSE and UNINSTALLER_EXE must be defined (see scripts/package.sh)"
!endif

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
!insertmacro MUI_LANGUAGE "French"
!insertmacro DORVANE_VERSION_INFO

Var CommandLineFolder

Function .onInit
  ; /D= sets the folder before this runs; the mode's own folder must not replace it.
  StrCpy $CommandLineFolder $INSTDIR
  !insertmacro DORVANE_INIT
  Call KeepCommandLineFolder
FunctionEnd

Function KeepCommandLineFolder
  StrCmp $CommandLineFolder "" +2
  StrCpy $INSTDIR $CommandLineFolder
FunctionEnd

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
  File "/oname=${UNINSTALLER}" "${UNINSTALLER_EXE}"
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
