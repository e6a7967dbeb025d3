; The installer of the plug-in, for either width of Windows:
;   makensis -DDLL=path -DHELP=path -DOUTFILE=path -DVERSION=a.b.c.d [-DX64] OmbrelDesktopTheBat.nsi
; X64 makes the 64-bit installer of the 64-bit library. VERSION is the library's file version, so
; that the installer's version record is the library's.
Unicode true
!include LogicLib.nsh
!include x64.nsh

!ifndef DLL | HELP | OUTFILE | VERSION
  !error "DLL, HELP, OUTFILE and VERSION must be defined"
!endif

!define PRODUCT "Ombrel Desktop The Bat!"
!define LIBRARY "OmbrelDesktopTheBat.dll"
!define HELPFILE "OmbrelDesktopTheBat.chm"
!define UNINSTALLER "Uninstall.exe"

!ifdef X64
  Target amd64-unicode
  !define DISPLAY_NAME "${PRODUCT} (64-bit)"
  !define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\OmbrelDesktopTheBat-x64"
  InstallDir "$PROGRAMFILES64\Ombrel\Ombrel Desktop The Bat"
!else
  Target x86-unicode
  !define DISPLAY_NAME "${PRODUCT}"
  !define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\OmbrelDesktopTheBat"
  InstallDir "$PROGRAMFILES\Ombrel\Ombrel Desktop The Bat"
!endif

Name "${DISPLAY_NAME}"
OutFile "${OUTFILE}"
; The library's registration writes its COM entries to the machine's classes.
RequestExecutionLevel admin
SetCompressor /SOLID lzma

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "Ombrel"
VIAddVersionKey /LANG=1033 "FileDescription" "${DISPLAY_NAME} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Ombrel"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; The registrar of the Ombrel Desktop indexer: the COM class through which the library registers
; itself as a component of the indexer, installed with it.
!define INDEXER_REGISTRAR "CLSID\{AC129136-EB1C-4FFF-B0A2-6D6761BE4138}"

; Whether the indexer is installed: its registrar is a COM class that the library can create, in
; process or as a local server, in the registry view of the installer's and the library's width
; (a 32-bit library also reaches a 64-bit local server). The library's registration would otherwise fail with its own message box,
; which a silent install must never show. Sets the error flag when the indexer is missing.
Function FindIndexer
  ReadRegStr $1 HKCR "${INDEXER_REGISTRAR}\InprocServer32" ""
  ${If} $1 == ""
    ReadRegStr $1 HKCR "${INDEXER_REGISTRAR}\LocalServer32" ""
  ${EndIf}
  !ifndef X64
    ${If} $1 == ""
    ${AndIf} ${RunningX64}
      SetRegView 64
      ReadRegStr $1 HKCR "${INDEXER_REGISTRAR}\LocalServer32" ""
      SetRegView 32
    ${EndIf}
  !endif
  ClearErrors
  ${If} $1 == ""
    SetErrors
  ${EndIf}
FunctionEnd

; The library lists itself in the plug-in list of the user's The Bat! and registers itself with the
; indexer: without either there is nothing to register with, and the library would stop a silent
; install with its own message. Each refusal has its own exit status and leaves nothing.
Function .onInit
  ReadRegStr $0 HKCU "Software\RIT\The Bat!" "Working Directory"
  ${If} $0 == ""
    MessageBox MB_OK|MB_ICONSTOP "The Bat! is not set up for this Windows user. Install The Bat!, \
      start it once, then run this setup again." /SD IDOK
    SetErrorLevel 4
    Abort
  ${EndIf}
  Call FindIndexer
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "Ombrel Desktop is not installed, and ${PRODUCT} indexes mail \
      into it. Install Ombrel Desktop, then run this setup again." /SD IDOK
    SetErrorLevel 5
    Abort
  ${EndIf}
FunctionEnd

; regsvr32 of this width (a 32-bit installer sees the 32-bit system folder), silent: the library
; shows its own messages. Sets the error flag when the registration fails.
!macro RunRegsvr32 options
  ClearErrors
  ExecWait '"$SYSDIR\regsvr32.exe" /s ${options} "$INSTDIR\${LIBRARY}"' $0
  ${IfNot} ${Errors}
  ${AndIf} $0 <> 0
    SetErrors
  ${EndIf}
!macroend

!macro RemoveFiles
  Delete /REBOOTOK "$INSTDIR\${LIBRARY}"
  Delete /REBOOTOK "$INSTDIR\${HELPFILE}"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir /REBOOTOK "$INSTDIR"
  ; The publisher's folder goes too once empty, but no other folder around a chosen one.
  GetFullPathName $1 "$INSTDIR\.."
  StrCpy $2 $1 "" -7
  ${If} $2 == "\Ombrel"
    RMDir "$1"
  ${EndIf}
!macroend

Section "Install"
  SetOutPath "$INSTDIR"
  File "/oname=${LIBRARY}" "${DLL}"
  File "/oname=${HELPFILE}" "${HELP}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  !insertmacro RunRegsvr32 ""
  ${If} ${Errors}
    MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} could not be registered, so The Bat! would not load \
      it. Nothing was installed." /SD IDOK
    SetOutPath "$TEMP"
    !insertmacro RemoveFiles
    SetErrorLevel 3
    Abort
  ${EndIf}

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${DISPLAY_NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Ombrel"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${LIBRARY},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  ; The library leaves the host's plug-in list and the registry before its files go.
  !insertmacro RunRegsvr32 "/u"
  !insertmacro RemoveFiles
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
