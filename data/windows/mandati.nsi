; The Windows installer: the program and its Qt files into Program Files, a Start-menu entry
; "Мандати", lesson files (.mandati) opening in the program, and an uninstaller, after the licence is shown. makensis is given VERSION, STAGE (the
; folder of files to install), ICON, LICENSE and OUTFILE with /D; /S installs silently.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include x64.nsh

!define APP_NAME "Мандати"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Mandati"

Name "${APP_NAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP_NAME}"
RequestExecutionLevel admin
Icon "${ICON}"
UninstallIcon "${ICON}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${APP_NAME}"
VIAddVersionKey /LANG=0 "FileDescription" "${APP_NAME} ${VERSION} installer"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "Mandati developers"
VIAddVersionKey /LANG=0 "LegalCopyright" "Mandati developers; GPL-3.0-or-later"

LoadLanguageFile "${NSISDIR}\Contrib\Language files\Bulgarian.nlf"

LicenseData "${LICENSE}"
Page license
Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Function .onInit
    SetRegView 64
FunctionEnd

Function un.onInit
    SetRegView 64
FunctionEnd

Section
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File /r "${STAGE}/*.*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${APP_NAME}.lnk" "$INSTDIR\apportion.exe" "" \
        "$INSTDIR\apportion.exe" 0
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\apportion.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Mandati developers"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    ; Lesson files open in the program from Explorer.
    WriteRegStr HKLM "Software\Classes\.mandati" "" "Mandati.Lesson"
    WriteRegStr HKLM "Software\Classes\Mandati.Lesson" "" "Урок по разпределение на мандати"
    WriteRegStr HKLM "Software\Classes\Mandati.Lesson\DefaultIcon" "" "$INSTDIR\apportion.exe,0"
    WriteRegStr HKLM "Software\Classes\Mandati.Lesson\shell\open\command" "" \
        '"$INSTDIR\apportion.exe" "%1"'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\${APP_NAME}.lnk"
    RMDir /r "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    DeleteRegKey HKLM "Software\Classes\Mandati.Lesson"
    DeleteRegKey HKLM "Software\Classes\.mandati"
SectionEnd
