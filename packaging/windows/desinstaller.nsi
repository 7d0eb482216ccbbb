; Dorvane's uninstaller, desinstaller.exe, made by scripts/package.sh with makensis before the
; installer, which carries it:
;   makensis -DVERSION=1.0.0 -DICON=<dorvane.ico> -DOUTFILE=<desinstaller.exe> packaging/windows/desinstaller.nsi
; Run from the folder it was installed in, as the uninstall entry says (/CurrentUser or
; /AllUsers, and /S when silent), it removes the program, its shortcuts and its entry, and ends
; with the outcome's status: 0 once all of it is gone; 3 when Dorvane runs (silent; asked to
; close it otherwise), having changed nothing.
; It is a program of its own rather than the uninstaller NSIS writes beside an installer: that
; one copies itself to the temporary folder and ends at once with status 0, whatever its copy
; then does. This one does the work and ends with its status; since a program cannot delete
; itself while it runs, a copy of it in the temporary folder, run with /Nettoyer, deletes it and
; its folder once it has ended.

!define DESCRIPTION "Désinstallation de Dorvane"
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "Votre compte n'a pas les droits de désinstaller Dorvane pour tous les utilisateurs de cet ordinateur."
!include common.nsh

Caption "Désinstallation de ${PRODUCT}"
InstallButtonText "Désinstaller"

!define MUI_WELCOMEPAGE_TITLE "Désinstallation de ${PRODUCT}"
!define MUI_WELCOMEPAGE_TEXT "${PRODUCT} va être supprimé de votre ordinateur, avec son dossier :$\r$\n$INSTDIR$\r$\n$\r$\nCliquez sur Désinstaller pour continuer."
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_HEADER_TEXT "Désinstallation en cours"
!define MUI_PAGE_HEADER_SUBTEXT "Veuillez patienter pendant la désinstallation de ${PRODUCT}."
!define MUI_INSTFILESPAGE_FINISHHEADER_TEXT "Désinstallation terminée"
!define MUI_INSTFILESPAGE_FINISHHEADER_SUBTEXT "La désinstallation s'est terminée avec succès."
!define MUI_INSTFILESPAGE_ABORTHEADER_TEXT "Désinstallation interrompue"
!define MUI_INSTFILESPAGE_ABORTHEADER_SUBTEXT "La désinstallation n'a pas été terminée."
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"
!insertmacro DORVANE_VERSION_INFO

Function .onInit
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/Nettoyer" $R1
  ${IfNot} ${Errors}
    Call RemoveUninstaller
  ${EndIf}
  !insertmacro DORVANE_INIT
  ; The folder to remove is the one this program was installed in.
  StrCpy $INSTDIR $EXEDIR
FunctionEnd

Section
  Call NotRunning
  Delete "$INSTDIR\dorvane.exe"
  Delete "$INSTDIR\dorvane.com"
  Delete "$INSTDIR\Dorvane.chm"
  Delete "$INSTDIR\LICENCE.txt"
  ; The start-up report the program writes beside itself in debug mode.
  Delete "$INSTDIR\HHDebug.txt"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$DESKTOP\${PRODUCT}.lnk"
  ; SHCTX: HKLM for all users, HKCU for the current user (set by MultiUser).
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd

; All is removed but this program and its folder: a copy of it in a folder of its own in the
; temporary folder removes them once this one has ended.
Function .onInstSuccess
  GetTempFileName $0
  Delete "$0"
  ClearErrors
  CreateDirectory "$0"
  CopyFiles /SILENT /FILESONLY "$EXEPATH" "$0\${UNINSTALLER}"
  ${IfNot} ${Errors}
    ; /D= last and unquoted, as NSIS reads it: the folder may hold blanks.
    Exec '"$0\${UNINSTALLER}" /Nettoyer /$MultiUser.InstallMode /D=$INSTDIR'
  ${EndIf}
  ${If} ${Errors}
    ; No copy could start: the system removes them at its next start.
    Delete /REBOOTOK "$EXEPATH"
    RMDir /REBOOTOK "$INSTDIR"
  ${EndIf}
FunctionEnd

; The copy's work, silent: waits until the uninstaller has ended (its file can be deleted, at
; most 30 s), deletes it and the folder if empty, and the user's own programs folder when the
; installation made it and it is empty; the copy goes at the system's next start, as the copies
; of NSIS's own uninstallers do.
Function RemoveUninstaller
  SetSilent silent
  StrCpy $R1 0
  retry:
  Delete "$INSTDIR\${UNINSTALLER}"
  ${If} ${FileExists} "$INSTDIR\${UNINSTALLER}"
  ${AndIf} $R1 < 300
    Sleep 100
    IntOp $R1 $R1 + 1
    Goto retry
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\${UNINSTALLER}"
    Delete /REBOOTOK "$INSTDIR\${UNINSTALLER}"
    RMDir /REBOOTOK "$INSTDIR"
  ${Else}
    RMDir "$INSTDIR"
  ${EndIf}
  ; The user's own programs folder, found as MultiUser.nsh finds it.
  ClearErrors
  ${GetOptions} $R0 "/CurrentUser" $R1
  ${IfNot} ${Errors}
    GetKnownFolderPath $0 {5CD7AEE2-2219-4A67-B85D-6C9CE15660CB} ; FOLDERID_UserProgramFiles
    StrCmp $0 "" 0 +2
    StrCpy $0 "$LOCALAPPDATA\Programs"
    RMDir "$0"
  ${EndIf}
  Delete /REBOOTOK "$EXEPATH"
  RMDir /REBOOTOK "$EXEDIR"
  Quit
FunctionEnd
