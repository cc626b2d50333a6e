; The KLAVIRO installer. Built by tools/package.sh, which passes
; /DVERSION=x.y.z /DSTAGE=<folder with the files> /DOUTFILE=<setup.exe>.
; The uninstaller removes exactly the files this installer put down, so the
; user's settings, control-text and results files stay where they are.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "x64.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KLAVIRO"

Name "KLAVIRO ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\KLAVIRO"
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "KLAVIRO"
VIAddVersionKey /LANG=0 "FileDescription" "KLAVIRO ${VERSION} setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "KLAVIRO"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
; "Run KLAVIRO" starts it as the Start menu does: Explorer opens the
; shortcut, so the program runs as the user rather than with the installer's
; rights, for which the program folder would be writable and the settings
; and files would be kept in it.
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION RunFromTheStartMenu
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; English first: a Windows in a language the installer lacks gets English.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Russian"
!insertmacro MUI_RESERVEFILE_LANGDLL

; The installer asks for its language (a silent install takes the one
; proposed); the Start menu's guide follows that choice. It proposes what the
; program's first start picks: Russian for a Russian, Ukrainian or
; Belarusian Windows, English for any other.
Function .onInit
    System::Call "kernel32::GetUserDefaultUILanguage() i .r0"
    IntOp $0 $0 & 0x3FF
    IntCmp $0 0x19 russian
    IntCmp $0 0x22 russian
    IntCmp $0 0x23 russian
    StrCpy $LANGUAGE ${LANG_ENGLISH}
    Goto ask
russian:
    StrCpy $LANGUAGE ${LANG_RUSSIAN}
ask:
    !insertmacro MUI_LANGDLL_DISPLAY
FunctionEnd

Function un.onInit
    !insertmacro MUI_UNGETLANGUAGE
FunctionEnd

; The files of a release; the uninstaller removes the same list.
!macro KlaviroFiles ACTION
    !insertmacro ${ACTION} "KLAVIRO.exe"
    !insertmacro ${ACTION} "klaviro-cli.exe"
    !insertmacro ${ACTION} "readme.txt"
    !insertmacro ${ACTION} "guide-ru.txt"
    !insertmacro ${ACTION} "guide-en.txt"
!macroend
!macro InstallOne NAME
    File "${STAGE}\${NAME}"
!macroend
!macro RemoveOne NAME
    Delete "$INSTDIR\${NAME}"
!macroend

Section "KLAVIRO"
    SetRegView 64
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    !insertmacro KlaviroFiles InstallOne
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    CreateDirectory "$SMPROGRAMS\KLAVIRO"
    ; No working folder for the shortcuts (it is taken from $OUTDIR): the
    ; program folder is not the user's.
    StrCpy $OUTDIR ""
    CreateShortcut "$SMPROGRAMS\KLAVIRO\KLAVIRO.lnk" "$INSTDIR\KLAVIRO.exe"
    StrCpy $0 "guide-ru.txt"
    StrCmp $LANGUAGE ${LANG_ENGLISH} 0 +2
    StrCpy $0 "guide-en.txt"
    CreateShortcut "$SMPROGRAMS\KLAVIRO\KLAVIRO Guide.lnk" "$INSTDIR\$0"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "KLAVIRO ${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "KLAVIRO"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\KLAVIRO.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function RunFromTheStartMenu
    SetShellVarContext all
    Exec '"$WINDIR\explorer.exe" "$SMPROGRAMS\KLAVIRO\KLAVIRO.lnk"'
FunctionEnd

Section "Uninstall"
    SetRegView 64
    SetShellVarContext all
    !insertmacro KlaviroFiles RemoveOne
    Delete "$INSTDIR\Uninstall.exe"
    ; Only an empty folder is removed: a configuration or a control-text
    ; file kept beside the program stays.
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\KLAVIRO\KLAVIRO.lnk"
    Delete "$SMPROGRAMS\KLAVIRO\KLAVIRO Guide.lnk"
    RMDir "$SMPROGRAMS\KLAVIRO"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
