; The installer of one demo sample program, with the standard NSIS uninstaller (it copies itself to the
; temporary folder and hands over to that copy). tools/demo/CMakeLists.txt builds one per sample:
;   makensis -DNSIS_TARGET=amd64-unicode -DOUTFILE=... -DKEY=... sample.nsi
; Required defines: NSIS_TARGET, OUTFILE, KEY (uninstall key name), NAME (DisplayName), PRODUCT (shortcut
; name), PUBLISHER, VENDOR (key under Software for the settings), VERSION, FOLDER (below Program Files),
; EXE, EXE_SRC (the built program), ICON, UNINSTALLER, ESTIMATED_SIZE (KB).
; Optional: PARENT_FOLDER (removed when empty), NO_INSTALL_LOCATION, NO_DISPLAY_ICON, DISPLAY_ICON_SUFFIX,
; URL, INSTALL_DATE, SYSTEM_COMPONENT, USER_SETTINGS / MACHINE_SETTINGS and KEEP_USER_SETTINGS /
; KEEP_MACHINE_SETTINGS, DATA_DIR + DATA_TOP + DATA_FILE (a file the program would have written) and
; KEEP_DATA, PAD_FILE + PAD_BYTES, START_MENU, STARTUP_SHORTCUT, FAIL_UNINSTALL.

Unicode true
Target ${NSIS_TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel admin

Name "${NAME}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\${FOLDER}"
Icon "${ICON}"
UninstallIcon "${ICON}"
BrandingText "${PUBLISHER}"
; Installers and uninstallers close by themselves, so a run needs no click (also in window tests).
AutoCloseWindow true
ShowInstDetails show
ShowUninstDetails show

Page instfiles
UninstPage instfiles

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${KEY}"
!define SETTINGS_KEY "Software\${VENDOR}\${KEY}"

Section "Install"
    SetOutPath "$INSTDIR"
    File "/oname=${EXE}" "${EXE_SRC}"

!ifdef PAD_FILE
    ; The program's bulk: a file of the given size, so the samples differ in size on disk.
    FileOpen $0 "$INSTDIR\${PAD_FILE}" w
    FileSeek $0 ${PAD_BYTES} SET
    FileWriteByte $0 0
    FileClose $0
!endif

!ifdef DATA_FILE
    ; What the program writes while it is used, here written at once.
    CreateDirectory "$INSTDIR\${DATA_DIR}"
    FileOpen $0 "$INSTDIR\${DATA_DIR}\${DATA_FILE}" w
    FileWrite $0 "; ${NAME} user data$\r$\nlast-opened=$INSTDIR$\r$\n"
    FileClose $0
!endif

    WriteUninstaller "$INSTDIR\${UNINSTALLER}"

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${NAME}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" ${ESTIMATED_SIZE}
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
!ifndef NO_INSTALL_LOCATION
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
!endif
!ifndef NO_DISPLAY_ICON
!ifndef DISPLAY_ICON_SUFFIX
!define DISPLAY_ICON_SUFFIX ""
!endif
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${EXE}${DISPLAY_ICON_SUFFIX}"
!endif
!ifdef URL
    WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "${URL}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "HelpLink" "${URL}/support"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "URLUpdateInfo" "${URL}/updates"
!endif
!ifdef INSTALL_DATE
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallDate" "${INSTALL_DATE}"
!endif
!ifdef SYSTEM_COMPONENT
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "SystemComponent" ${SYSTEM_COMPONENT}
!endif

!ifdef USER_SETTINGS
    WriteRegStr HKCU "${SETTINGS_KEY}" "Version" "${VERSION}"
    WriteRegStr HKCU "${SETTINGS_KEY}" "Language" "en-US"
    WriteRegDWORD HKCU "${SETTINGS_KEY}" "WindowWidth" 880
    WriteRegDWORD HKCU "${SETTINGS_KEY}" "CheckForUpdates" 1
!endif
!ifdef MACHINE_SETTINGS
    WriteRegStr HKLM "${SETTINGS_KEY}" "InstallPath" "$INSTDIR"
    WriteRegStr HKLM "${SETTINGS_KEY}" "Version" "${VERSION}"
    WriteRegDWORD HKLM "${SETTINGS_KEY}" "Edition" 2
!endif

!ifdef START_MENU
    SetShellVarContext all
    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\${EXE}"
    CreateShortCut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\${UNINSTALLER}"
!endif
!ifdef STARTUP_SHORTCUT
    ; The installing user's Startup folder; the argument makes the program end at once when Wine starts it.
    SetShellVarContext current
    CreateShortCut "$SMSTARTUP\${STARTUP_SHORTCUT}.lnk" "$INSTDIR\${EXE}" "/tray"
!endif
SectionEnd

Function un.onInit
!ifdef FAIL_UNINSTALL
    ; This uninstaller fails: it removes nothing, shows nothing and ends with an error level.
    SetErrorLevel 2
    Quit
!endif
FunctionEnd

Section "Uninstall"
    ; AutoCloseWindow covers the installer only.
    SetAutoClose true
    Delete "$INSTDIR\${EXE}"
!ifdef PAD_FILE
    Delete "$INSTDIR\${PAD_FILE}"
!endif
!ifdef DATA_FILE
!ifndef KEEP_DATA
    RMDir /r "$INSTDIR\${DATA_TOP}"
!endif
!endif
    Delete "$INSTDIR\${UNINSTALLER}"
    ; Not recursive: whatever the user's data left in the folder keeps it.
    RMDir "$INSTDIR"
!ifdef PARENT_FOLDER
    RMDir "$PROGRAMFILES\${PARENT_FOLDER}"
!endif

!ifdef START_MENU
    SetShellVarContext all
    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
    RMDir "$SMPROGRAMS\${PRODUCT}"
!endif
!ifdef STARTUP_SHORTCUT
    SetShellVarContext current
    Delete "$SMSTARTUP\${STARTUP_SHORTCUT}.lnk"
!endif

!ifdef USER_SETTINGS
!ifndef KEEP_USER_SETTINGS
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\${VENDOR}"
!endif
!endif
!ifdef MACHINE_SETTINGS
!ifndef KEEP_MACHINE_SETTINGS
    DeleteRegKey HKLM "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKLM "Software\${VENDOR}"
!endif
!endif
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
