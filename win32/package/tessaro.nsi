; The installer of Tessaro for Windows, built with NSIS by scripts/package-windows:
;   makensis -DVERSION=1.20 -DSTAGE=folder -DSTARTER=Deinstallieren.exe -DOUTFILE=setup.exe
;            [-DX64] tessaro.nsi
; STAGE holds tessaro.exe, tessaro-dump.exe, tessaro.hlp and LIESMICH.txt; STARTER is
; Deinstallieren.exe (deinstallieren.nsi), which runs the uninstaller Deinstallation.exe in
; place and ends with its exit code. Installed per user, without administrator rights: no
; UAC prompt, and the uninstaller is registered under HKCU.
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
!ifndef STARTER
    !error "STARTER fehlt"
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
!include "LogicLib.nsh"
!include "FileFunc.nsh"
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
    File "/oname=Deinstallieren.exe" "${STARTER}"
    WriteUninstaller "$INSTDIR\Deinstallation.exe"

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
    ; Deinstallieren.exe waits for the uninstaller, and whoever started it (Windows, a package
    ; manager, a script) gets its exit code: 2 when Tessaro stays.
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Deinstallieren.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Deinstallieren.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; $R0 is set to FILE (a program of the folder) when it runs: Windows keeps a running
; program from being written to or deleted. Left alone when it is not there.
!macro RunningProgram FILE
    ${If} $R0 == ""
    ${AndIf} ${FileExists} "$INSTDIR\${FILE}"
        ClearErrors
        FileOpen $R1 "$INSTDIR\${FILE}" a
        ${If} ${Errors}
            StrCpy $R0 "${FILE}"
        ${Else}
            FileClose $R1
        ${EndIf}
    ${EndIf}
!macroend

; Nothing is removed while Tessaro runs: the user is asked to end it and to try again.
; Cancelled (and always when silent) the uninstall fails with exit code 2, and Tessaro,
; its Start menu entry and its entry under "Apps" stay as they were.
Function un.WaitUntilTessaroEnds
    ${Do}
        StrCpy $R0 ""
        !insertmacro RunningProgram "tessaro.exe"
        !insertmacro RunningProgram "tessaro-dump.exe"
        ${If} $R0 == ""
            Return
        ${EndIf}
        DetailPrint "$R0 läuft noch."
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
            "Tessaro läuft noch ($R0) und kann nicht entfernt werden.$\r$\n$\r$\nBitte beenden Sie Tessaro und wählen Sie dann $\"Wiederholen$\"." \
            /SD IDCANCEL IDRETRY retry
        SetErrorLevel 2
        Abort "Tessaro läuft noch: nichts wurde entfernt."
        retry:
    ${Loop}
FunctionEnd

; Fails (exit code 2, the entries kept) when a file of Tessaro is left.
!macro MustBeGone FILE
    ${If} ${FileExists} "$INSTDIR\${FILE}"
        MessageBox MB_OK|MB_ICONSTOP "$INSTDIR\${FILE} konnte nicht entfernt werden." /SD IDOK
        SetErrorLevel 2
        Abort "$INSTDIR\${FILE} konnte nicht entfernt werden."
    ${EndIf}
!macroend

; The uninstaller and its starter, then the folder, the Start menu entry and the entry
; under "Apps": the entries go only when no file is left. The programs in the folder may
; still be running for a moment (the one that started this copy, or the one that started
; this clean-up, and the starter that waits for it): they are tried for up to 20 seconds.
Function un.RemoveUninstallerAndEntries
    StrCpy $R2 0
    ${Do}
        Delete "$INSTDIR\Deinstallation.exe"
        Delete "$INSTDIR\Deinstallieren.exe"
        ${IfNot} ${FileExists} "$INSTDIR\Deinstallation.exe"
        ${AndIfNot} ${FileExists} "$INSTDIR\Deinstallieren.exe"
            ${Break}
        ${EndIf}
        ${If} $R2 >= 200
            ${Break}
        ${EndIf}
        Sleep 100
        IntOp $R2 $R2 + 1
    ${Loop}
    !insertmacro MustBeGone "Deinstallation.exe"
    !insertmacro MustBeGone "Deinstallieren.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Tessaro.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
FunctionEnd

; "/AUFRAEUMEN": the copy that the uninstaller, run in place, starts to remove it once it
; has ended (a running program cannot be removed).
Function un.onInit
    ${GetParameters} $R3
    ClearErrors
    ${GetOptions} $R3 "/AUFRAEUMEN" $R4
    ${IfNot} ${Errors}
        Call un.RemoveUninstallerAndEntries
        Quit
    ${EndIf}
FunctionEnd

Section "Uninstall"
    Call un.WaitUntilTessaroEnds
    Delete "$INSTDIR\tessaro.exe"
    Delete "$INSTDIR\tessaro-dump.exe"
    Delete "$INSTDIR\tessaro.hlp"
    Delete "$INSTDIR\LIESMICH.txt"
    !insertmacro MustBeGone "tessaro.exe"
    !insertmacro MustBeGone "tessaro-dump.exe"
    !insertmacro MustBeGone "tessaro.hlp"
    !insertmacro MustBeGone "LIESMICH.txt"
    Delete "$INSTDIR\Deinstallation.exe"
    Delete "$INSTDIR\Deinstallieren.exe"
    ${If} ${FileExists} "$INSTDIR\Deinstallation.exe"
    ${OrIf} ${FileExists} "$INSTDIR\Deinstallieren.exe"
        ; They run: this uninstaller in place and the starter that waits for it, or the
        ; uninstaller that started this copy a moment ago. A copy removes them once they
        ; have ended.
        ClearErrors
        CopyFiles /SILENT "$EXEPATH" "$TEMP\Tessaro-Aufraeumen.exe"
        Exec '"$TEMP\Tessaro-Aufraeumen.exe" /S /AUFRAEUMEN _?=$INSTDIR'
        ${If} ${Errors}
            MessageBox MB_OK|MB_ICONSTOP "$INSTDIR\Deinstallieren.exe konnte nicht entfernt werden." /SD IDOK
            SetErrorLevel 2
            Abort "$INSTDIR\Deinstallieren.exe konnte nicht entfernt werden."
        ${EndIf}
    ${Else}
        Call un.RemoveUninstallerAndEntries
    ${EndIf}
SectionEnd
