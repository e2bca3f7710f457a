; The setup program: puts the screensaver, its scenes and their pictures into the Windows directory,
; the one place the screensaver looks for them, makes it the user's screensaver and registers an
; uninstaller that undoes all of it. build-installer.sh defines VERSION, OUTFILE, ICON and FILES
; (the generated lists of what is installed and removed).

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include ${FILES}

; As the screensaver's own resources name it and its maker.
!define PRODUCT "Ostrel Screensaver"
!define PUBLISHER "vantu"
!define SCREENSAVER "$WINDIR\ostrel.scr"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Ostrel"
!define DESKTOP_KEY "Control Panel\Desktop"
; The user's screensaver choice from before Ostrel, given back on uninstall.
!define PREVIOUS_KEY "Software\Ostrel\Previous Screensaver"
!define OWN_KEY "Software\Ostrel"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; Only the uninstaller lives here; the screensaver must be in the Windows directory.
InstallDir "$PROGRAMFILES64\Ostrel"
BrandingText "${PRODUCT} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TITLE "Welcome to ${PRODUCT} ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "This puts the Ostrel particle screensaver on your computer and makes it your \
  screensaver.$\r$\n$\r$\nIt copies the screensaver and its scenes into the Windows folder, which needs \
  administrator rights. Your current screensaver is remembered: uninstalling Ostrel brings it back.$\r$\n$\r$\n\
  Click Install to go on."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TITLE "Ostrel is your screensaver now"
!define MUI_FINISHPAGE_TEXT_LARGE
!define MUI_FINISHPAGE_TEXT "It starts when the computer has been idle for the time set in the screen saver \
  settings, and a key or a mouse move ends it.$\r$\n$\r$\nTo remove it, uninstall ${PRODUCT} from the installed \
  programs."
!define MUI_FINISHPAGE_RUN "${SCREENSAVER}"
!define MUI_FINISHPAGE_RUN_PARAMETERS "/s"
!define MUI_FINISHPAGE_RUN_TEXT "Preview the screensaver now"
!insertmacro MUI_PAGE_FINISH

!define MUI_UNCONFIRMPAGE_TEXT_TOP "The screensaver and its scenes will be removed from the Windows folder, and \
  the screensaver you had before Ostrel will be chosen again. Click Uninstall to go on."
!define MUI_UNCONFIRMPAGE_TEXT_LOCATION "Uninstaller:"
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Copies a string value between two keys of the current user, or deletes it at the destination when
; the source has none, so that an absent value is given back as absent.
!macro CopyUserValue FROM TO NAME
  ClearErrors
  ReadRegStr $0 HKCU "${FROM}" "${NAME}"
  ${If} ${Errors}
    DeleteRegValue HKCU "${TO}" "${NAME}"
  ${Else}
    WriteRegStr HKCU "${TO}" "${NAME}" $0
  ${EndIf}
!macroend

; The running session keeps the screensaver's on/off switch in memory: tell it the new one, as the
; screen saver settings do, so that the choice counts from now rather than from the next sign-in.
; SPI_SETSCREENSAVEACTIVE (17) with SPIF_SENDCHANGE (2) only: the registry already holds the value.
!macro TellSessionScreensaverActive
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" ScreenSaveActive
  ${If} $0 == "1"
    System::Call 'user32::SystemParametersInfoW(i 17, i 1, p 0, i 2)'
  ${Else}
    System::Call 'user32::SystemParametersInfoW(i 17, i 0, p 0, i 2)'
  ${EndIf}
!macroend

Function .onInit
  ; A file made and deleted again proves the Windows directory writable before anything changes,
  ; whatever the reason it is not: no administrator rights, a locked-down or read-only system.
  ; The file is looked for as well, as Wine's GetTempFileName reports success without making it.
  ClearErrors
  GetTempFileName $0 $WINDIR
  ${If} ${Errors}
  ${OrIfNot} ${FileExists} $0
    MessageBox MB_OK|MB_ICONSTOP "Setup cannot write to the Windows folder ($WINDIR), where the screensaver \
      has to go. Nothing was installed.$\r$\n$\r$\nRun setup again as an administrator." /SD IDOK
    Abort
  ${EndIf}
  Delete $0
FunctionEnd

Section "Ostrel" SectionOstrel
  SetRegView 64
  ; The uninstaller and its entry come first, so that an install cut short can still be removed.
  SetOutPath $INSTDIR
  WriteUninstaller "$INSTDIR\uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayName "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayVersion "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" Publisher "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" DisplayIcon "${SCREENSAVER},0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" UninstallString '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" QuietUninstallString '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoModify 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" NoRepair 1
  SectionGetSize ${SectionOstrel} $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" EstimatedSize $0

  ; Installing over Ostrel keeps the choice from before the first install rather than remembering
  ; Ostrel itself.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" SCRNSAVE.EXE
  ${If} $0 != "${SCREENSAVER}"
    !insertmacro CopyUserValue "${DESKTOP_KEY}" "${PREVIOUS_KEY}" SCRNSAVE.EXE
    !insertmacro CopyUserValue "${DESKTOP_KEY}" "${PREVIOUS_KEY}" ScreenSaveActive
  ${EndIf}

  SetOutPath $WINDIR
  ClearErrors
  !insertmacro InstallFiles
  ; A file that could not be written and was skipped (silent installs skip it without asking)
  ; ends the install here, before the screensaver is chosen; the uninstaller removes what came.
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "Setup could not write every file into the Windows folder ($WINDIR), so \
      Ostrel was not made your screensaver.$\r$\n$\r$\nUninstall ${PRODUCT} from the installed programs, \
      or run setup again." /SD IDOK
    Abort
  ${EndIf}

  ; Chosen last, so that a screensaver whose scenes are not all in place is never the user's.
  WriteRegStr HKCU "${DESKTOP_KEY}" SCRNSAVE.EXE "${SCREENSAVER}"
  WriteRegStr HKCU "${DESKTOP_KEY}" ScreenSaveActive 1
  !insertmacro TellSessionScreensaverActive
SectionEnd

Section "Uninstall"
  SetRegView 64
  ; A screensaver the user chose after installing Ostrel is their choice and stays.
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" SCRNSAVE.EXE
  ${If} $0 == "${SCREENSAVER}"
    !insertmacro CopyUserValue "${PREVIOUS_KEY}" "${DESKTOP_KEY}" SCRNSAVE.EXE
    !insertmacro CopyUserValue "${PREVIOUS_KEY}" "${DESKTOP_KEY}" ScreenSaveActive
    !insertmacro TellSessionScreensaverActive
  ${EndIf}
  DeleteRegKey HKCU "${OWN_KEY}"

  ; Ours by name: the files this version installs, whatever the user has since done to them.
  ; Everything else in the Windows directory stays. A file in use goes at the next restart.
  !insertmacro RemoveFiles
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
