; The installer of Tessaro for Windows, built with NSIS by scripts/package-windows:
;   makensis -DVERSION=1.20 -DSTAGE=folder -DOUTFILE=setup.exe [-DX64] tessaro.nsi
; STAGE holds tessaro.exe, tessaro-dump.exe, tessaro.hlp and LIESMICH.txt. Installed per
; user, without administrator rights: no UAC prompt, and the uninstaller is registered
; under HKCU.
Unicode true
!ifdef X64
    Target amd64-unicode
    !define SETUP_KIND "64 Bit"
!else
    Target x86-unicode
    !define SETUP_KIND "32 Bit"
!endif
!ifndef VERSION
    !error "VERSION fehlt"
!endif
!ifndef STAGE
    !error "STAGE fehlt"
!endif
!ifndef OUTFILE
    !error "OUTFILE fehlt"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaro"

Name "Tessaro ${VERSION}"
Caption "Tessaro ${VERSION} installieren (${SETUP_KIND})"
OutFile "${OUTFILE}"
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma
InstallDir "$LOCALAPPDATA\Programs\Tessaro"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
Icon "${ICON}"
UninstallIcon "${ICON}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1031 "ProductName" "Tessaro"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "FileDescription" "Tessaro ${VERSION} installieren"
VIAddVersionKey /LANG=1031 "LegalCopyright" "Expat-Lizenz (MIT)"

!include "MUI2.nsh"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\tessaro.exe"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\LIESMICH.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

Section "Tessaro"
    SetOutPath "$INSTDIR"
    File "${STAGE}\tessaro.exe"
    File "${STAGE}\tessaro-dump.exe"
    File "${STAGE}\tessaro.hlp"
    File "${STAGE}\LIESMICH.txt"
    WriteUninstaller "$INSTDIR\Deinstallieren.exe"

    ; Started from the Start menu, Tessaro opens its dialog in the user's documents, not
    ; in the program's folder.
    SetOutPath "$DOCUMENTS"
    CreateShortcut "$SMPROGRAMS\Tessaro.lnk" "$INSTDIR\tessaro.exe" "" "$INSTDIR\tessaro.exe" 0 \
        SW_SHOWNORMAL "" "Betrachter für dBASE-Tabellen"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tessaro ${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Tessaro"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tessaro.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Deinstallieren.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Deinstallieren.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\Tessaro.lnk"
    Delete "$INSTDIR\tessaro.exe"
    Delete "$INSTDIR\tessaro-dump.exe"
    Delete "$INSTDIR\tessaro.hlp"
    Delete "$INSTDIR\LIESMICH.txt"
    Delete "$INSTDIR\Deinstallieren.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
