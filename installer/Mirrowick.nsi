; The Windows installer of Mirrowick: the wizard, its four helper programs and the help file go
; into the program-files folder, with a Start-menu entry and an uninstaller. Uninstalling removes
; what was installed and leaves the user's settings, log and databases alone.
;
; makensis -DVERSION=1.0.0 -DBINDIR=<folder of the built programs> -DOUTFILE=<setup path> Mirrowick.nsi

; A 64-bit installer for a 64-bit program: it runs on 64-bit Windows only, writes the
; registry's native view and needs no 32-bit Wine to be tested.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!ifndef VERSION
  !define VERSION "1.0.0"
!endif
!ifndef BINDIR
  !error "BINDIR must name the folder of the built programs"
!endif
!ifndef OUTFILE
  !define OUTFILE "Mirrowick-Setup-${VERSION}.exe"
!endif

!define PRODUCT "Mirrowick"
!define MAKER "Pellora"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${MAKER}\${PRODUCT}"
InstallDirRegKey HKLM "Software\${MAKER}\${PRODUCT}" "InstallDir"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${MAKER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${MAKER}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Mirrowick" SecMain
  SectionIn RO
  SetShellVarContext all
  SetOutPath "$INSTDIR"
  File "${BINDIR}\Mirrowick.exe"
  File "${BINDIR}\Pellora.NotesAddr.exe"
  File "${BINDIR}\Pellora.NotesDate.exe"
  File "${BINDIR}\Pellora.NotesTask.exe"
  File "${BINDIR}\Pellora.NotesNote.exe"
  File "${BINDIR}\Mirrowick.chm"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\Mirrowick.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk" "$INSTDIR\Mirrowick.chm"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\Uninstall.exe"

  WriteRegStr HKLM "Software\${MAKER}\${PRODUCT}" "InstallDir" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINST_KEY}" "Publisher" "${MAKER}"
  WriteRegStr HKLM "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\Mirrowick.exe"
  WriteRegStr HKLM "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINST_KEY}" "NoRepair" 1
SectionEnd

; Only what the installer put there goes; the settings, the debug log and the exchange files in
; the application data folder, and the user's databases and their backups, stay.
Section "Uninstall"
  SetShellVarContext all
  Delete "$INSTDIR\Mirrowick.exe"
  Delete "$INSTDIR\Pellora.NotesAddr.exe"
  Delete "$INSTDIR\Pellora.NotesDate.exe"
  Delete "$INSTDIR\Pellora.NotesTask.exe"
  Delete "$INSTDIR\Pellora.NotesNote.exe"
  Delete "$INSTDIR\Mirrowick.chm"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  RMDir "$INSTDIR\.."

  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Help.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  DeleteRegKey HKLM "${UNINST_KEY}"
  DeleteRegKey HKLM "Software\${MAKER}\${PRODUCT}"
  DeleteRegKey /ifempty HKLM "Software\${MAKER}"
SectionEnd
