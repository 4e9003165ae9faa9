; The installer of Telvarin for Windows, made by the build (target telvarin-setup) with makensis,
; which is given the files' places: VERSION, PROGRAM, TOOL, KENT_DE, KENT_DE_INFO, LICENCE, OUTFILE
; and, where the build made one, the program's ICON. It installs for the user alone (the user's programs folder, no administrator
; rights) or for all users (Program Files); "/S" installs silently, for the user alone unless
; "/AllUsers" is given. The uninstaller removes what was installed and nothing else: the practice
; folder and the settings in the registry stay.

; A 64-bit installer for a 64-bit program; it also runs where no 32-bit Windows layer is (Wine
; without its 32-bit part).
Target amd64-unicode
SetCompressor /SOLID lzma
Name "Telvarin"
OutFile "${OUTFILE}"
BrandingText "Telvarin ${VERSION}"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Telvarin"
!define UNINSTALLER "Deinstallieren.exe"

!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_DEFAULT_CURRENTUSER
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "Telvarin"
; Where an installation lies, and for whom it was made: the uninstaller and a later installer
; read it back.
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallLocation"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallLocation"
!include MultiUser.nsh
!include MUI2.nsh

!ifdef ICON
    !define MUI_ICON "${ICON}"
    !define MUI_UNICON "${ICON}"
!endif
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\bin\telvarin.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Telvarin jetzt starten"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

Function .onInit
    !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
    !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Telvarin"
    SetOutPath "$INSTDIR\bin"
    File "/oname=telvarin.exe" "${PROGRAM}"
    File "/oname=telvarin-repertory.exe" "${TOOL}"
    ; The program looks for the shipped repertories beside its own folder, as on Linux.
    SetOutPath "$INSTDIR\share\telvarin\repertorien"
    File "/oname=kent-de.dat" "${KENT_DE}"
    File "/oname=kent-de.info" "${KENT_DE_INFO}"
    SetOutPath "$INSTDIR"
    File "/oname=Lizenz.txt" "${LICENCE}"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    ; Started from the menu in the program's folder, which holds no records, the program proposes
    ; the practice folder in the user's documents.
    SetOutPath "$INSTDIR\bin"
    CreateShortcut "$SMPROGRAMS\Telvarin.lnk" "$INSTDIR\bin\telvarin.exe" "" "$INSTDIR\bin\telvarin.exe" 0

    ; "Apps und Features" lists the installation; SHCTX is the current user's or the machine's
    ; hive, as the install mode chose.
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Telvarin"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Kesto"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\bin\telvarin.exe"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}" /$MultiUser.InstallMode'
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /$MultiUser.InstallMode /S'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; Each file by name, and folders only when empty: whatever a user put into the installation folder
; stays, and so do the practice folder and the settings (HKCU\Software\Kesto\OrvandWCE).
Section "Uninstall"
    Delete "$SMPROGRAMS\Telvarin.lnk"
    Delete "$INSTDIR\bin\telvarin.exe"
    Delete "$INSTDIR\bin\telvarin-repertory.exe"
    Delete "$INSTDIR\share\telvarin\repertorien\kent-de.dat"
    Delete "$INSTDIR\share\telvarin\repertorien\kent-de.info"
    Delete "$INSTDIR\Lizenz.txt"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR\share\telvarin\repertorien"
    RMDir "$INSTDIR\share\telvarin"
    RMDir "$INSTDIR\share"
    RMDir "$INSTDIR\bin"
    RMDir "$INSTDIR"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
