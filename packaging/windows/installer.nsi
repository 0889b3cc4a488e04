; The setup program, brannock-<version>-setup.exe: a per-user installation that needs no
; administrator rights. It puts the program, its help and README.txt into the user's own
; programs folder (%LOCALAPPDATA%\Programs\Brannock, where the settings file beside the program
; is writable), adds a Start-menu shortcut, optionally starts Brannock at sign-in (a value under
; HKCU\...\Run) and registers its uninstaller in the user's list of installed apps. Installing
; over an installed copy replaces the program files and never touches the settings file; the
; uninstaller keeps the settings file (and the activity log beside it) unless the user ticks
; their removal (or "/PURGE" is given). "/S" installs or uninstalls silently, with the
; defaults.
;
; Built by scripts/pack-windows.sh:
;   makensis -DVERSION=1.0.2 -DSTAGE=<folder with the files> -DOUTFILE=<setup.exe>
;            -DICON=<app.ico> [-DDESCRIPTION="..."] [-DCOPYRIGHT="..."] installer.nsi
; A 64-bit setup program for the 64-bit program: it needs no 32-bit support from the system.
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!ifndef VERSION | STAGE | OUTFILE | ICON
  !error "VERSION, STAGE, OUTFILE and ICON must be given with -D"
!endif
!ifndef DESCRIPTION
  !define DESCRIPTION "Brannock"
!endif
!ifndef COPYRIGHT
  !define COPYRIGHT "Copyright (C) the Brannock developers"
!endif

!define PRODUCT "Brannock"
!define EXE "brannock.exe"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Brannock"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define MAIN_WINDOW_CLASS "BrannockMainWindow"

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "Sections.nsh"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An earlier installation, wherever the user put it, is the one to upgrade.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!define MUI_WELCOMEPAGE_TEXT "This installs ${PRODUCT} ${VERSION} for you alone: no administrator rights are needed.$\r$\n$\r$\n${PRODUCT} keeps a one-way mirror of several folders in one destination folder, from the notification area.$\r$\n$\r$\nIf ${PRODUCT} is running, end it first with Terminate in its tray menu. Its settings are kept.$\r$\n$\r$\nClick Next to continue."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_DIRECTORYPAGE_TEXT_TOP "${PRODUCT} keeps its settings file beside the program, so choose a folder you may write to (not one under Program Files)."
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${EXE}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Show README.txt"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; A running copy holds brannock.exe open: ask the user to end it rather than fail to replace it.
; Silent, the setup waits a little for it to end and then gives up.
!macro WaitUntilNotRunning
  StrCpy $0 0
  ${Do}
    FindWindow $1 "${MAIN_WINDOW_CLASS}"
    ${If} $1 == 0
      ${Break}
    ${EndIf}
    ${If} ${Silent}
      IntOp $0 $0 + 1
      ${If} $0 > 20
        SetErrorLevel 2
        Quit
      ${EndIf}
      Sleep 500
    ${Else}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${PRODUCT} is running. End it with Terminate in its tray menu, then click Retry." \
        /SD IDCANCEL IDRETRY +2
      Quit
    ${EndIf}
  ${Loop}
!macroend

Section "${PRODUCT} (required)" SecProgram
  SectionIn RO
  !insertmacro WaitUntilNotRunning
  SetOutPath "$INSTDIR"
  ; The settings file (brannock.ini) and the activity log are the user's: never shipped, never
  ; replaced.
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0 \
    SW_SHOWNORMAL "" "${DESCRIPTION}"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Section "Start ${PRODUCT} when I sign in" SecAutostart
  WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\${EXE}"'
SectionEnd

; Unticked on an upgrade, the earlier choice is undone.
Section "-Autostart off"
  ${IfNot} ${SectionIsSelected} ${SecAutostart}
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  ${EndIf}
SectionEnd

Section "un.${PRODUCT} (required)"
  SectionIn RO
  !insertmacro WaitUntilNotRunning
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  Delete "$INSTDIR\${EXE}"
  Delete "$INSTDIR\brannock.hlp"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\${UNINSTALLER}"
SectionEnd

Section /o "un.Also remove the settings file and the activity log" SecPurge
  Delete "$INSTDIR\brannock.ini"
  Delete "$INSTDIR\brannock.log"
  Delete "$INSTDIR\brannock.log.1"
SectionEnd

; "/PURGE" on the command line ticks that box, for a scripted removal ("/S /PURGE").
Function un.onInit
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/PURGE" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecPurge}
  ${EndIf}
FunctionEnd

; The folder goes only once it is empty: a kept settings file keeps it.
Section "-un.Folder"
  RMDir "$INSTDIR"
SectionEnd
