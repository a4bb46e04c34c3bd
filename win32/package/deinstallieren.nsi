; Deinstallieren.exe, what a user or a script starts to remove Tessaro, built with NSIS by
; scripts/package-windows before the installer, which ships it:
;   makensis -DVERSION=1.20 -DOUTFILE=Deinstallieren.exe -DICON=program.ico [-DX64] deinstallieren.nsi
; The uninstaller of NSIS (Deinstallation.exe beside it), started plainly, hands over to a copy
; of itself in the temporary folder and ends at once with 0, whatever the copy then does.
; This program runs it in place (_?=), waits for it and ends with its exit code: 0 when
; Tessaro is gone, 2 when it stays (while Tessaro runs, or when the user cancels).
Unicode true
!ifdef X64
    Target amd64-unicode
!else
    Target x86-unicode
!endif
!ifndef VERSION
    !error "VERSION fehlt"
!endif
!ifndef OUTFILE
    !error "OUTFILE fehlt"
!endif

Name "Tessaro ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel user
ManifestDPIAware true
SilentInstall silent
Icon "${ICON}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1031 "ProductName" "Tessaro"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "FileDescription" "Tessaro ${VERSION} deinstallieren"
VIAddVersionKey /LANG=1031 "LegalCopyright" "Expat-Lizenz (MIT)"

!include "FileFunc.nsh"
!include "LogicLib.nsh"

Section
    ; The arguments (/S for a silent run) go on to the uninstaller; _?= comes last.
    ${GetParameters} $0
    ClearErrors
    ExecWait '"$EXEDIR\Deinstallation.exe" $0 _?=$EXEDIR' $1
    ${If} ${Errors}
        SetErrorLevel 2
    ${Else}
        SetErrorLevel $1
    ${EndIf}
SectionEnd
