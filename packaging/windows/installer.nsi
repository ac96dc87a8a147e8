; The Windows installer of Lyricast Convert, built by scripts/package-windows:
;   makensis -DVERSION=2.1 -DBUILD_DIR=<windows build> -DOUT_FILE=<setup.exe> installer.nsi
; Installs the program, kar2mid and the help page, a Start menu shortcut and
; the entry in the list of installed programs. /S installs (or uninstalls)
; without asking; /D=C:\Folder (last on the command line) chooses the folder.

Unicode true
!include "MUI2.nsh"

!define PRODUCT "Lyricast Convert"
!define PUBLISHER "Lyricast Team"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\LyricastConvert"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT_FILE}"
InstallDir "$PROGRAMFILES\${PRODUCT}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${BUILD_DIR}\ui\win32\resources\lyricast-convert.ico"
!define MUI_FINISHPAGE_RUN "$INSTDIR\lyricast-convert.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Section "Install"
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${BUILD_DIR}\ui\lyricast-convert.exe"
  File "${BUILD_DIR}\cli\kar2mid.exe"
  SetOutPath "$INSTDIR\Help"
  File "${BUILD_DIR}\ui\Help\Help.html"
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\lyricast-convert.exe"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\lyricast-convert.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there goes: converted files a user saved
; into the program's folder stay, and so does the folder then.
Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  Delete "$INSTDIR\lyricast-convert.exe"
  Delete "$INSTDIR\kar2mid.exe"
  Delete "$INSTDIR\Help\Help.html"
  RMDir "$INSTDIR\Help"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
