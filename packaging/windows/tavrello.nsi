; SPDX-FileCopyrightText: 2026 Tavrello developers
; SPDX-License-Identifier: GPL-3.0-or-later

; Per-user installer of Tavrello, with a Chinese interface: no administrator rights, installs
; into the user's programs folder, adds Start-menu and desktop shortcuts and an uninstaller
; listed under "Apps & features". /S installs or uninstalls silently.
;   makensis -DPROGRAM_DIR=<folder with Tavrello.exe and what it needs>
;            -DFILE_LIST=<uninstall list> -DOUTPUT=<setup.exe> -DVERSION=1.0.0 tavrello.nsi
; FILE_LIST holds the Delete and RMDir lines for exactly the files in PROGRAM_DIR, so the
; uninstaller removes what was installed and nothing a user put into the folder.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh

!define PRODUCT "Tavrello"
!define PRODUCT_ZH "Tavrello 测量误差计算"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tavrello"
!define UNINSTALLER "uninstall.exe"

Name "${PRODUCT_ZH}"
; The line under each page names this program and its version, not the tool that made the
; installer.
BrandingText "${PRODUCT} ${VERSION}"
OutFile "${OUTPUT}"
InstallDir "$LOCALAPPDATA\Programs\Tavrello"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=2052 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=2052 "FileDescription" "${PRODUCT_ZH} 安装程序"
VIAddVersionKey /LANG=2052 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=2052 "LegalCopyright" "© Tavrello 开发者"

!define MUI_ICON "tavrello.ico"
!define MUI_UNICON "tavrello.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tavrello.exe"
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"

Section
    SetOutPath "$INSTDIR"
    File /r "${PROGRAM_DIR}\*"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; The shortcuts start in the program's folder, so it finds what lies beside it.
    CreateShortcut "$SMPROGRAMS\${PRODUCT_ZH}.lnk" "$INSTDIR\Tavrello.exe"
    CreateShortcut "$DESKTOP\${PRODUCT_ZH}.lnk" "$INSTDIR\Tavrello.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_ZH}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tavrello.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" ${SIZE_KB}
SectionEnd

Section "Uninstall"
    Delete "$SMPROGRAMS\${PRODUCT_ZH}.lnk"
    Delete "$DESKTOP\${PRODUCT_ZH}.lnk"
    !include "${FILE_LIST}"
    Delete "$INSTDIR\${UNINSTALLER}"
    ; Only when empty: whatever the user added stays.
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
