; Varnook's installer and uninstaller.
;   makensis -DVERSION=1.0.0 -DARCH=x86|amd64 -DSTAGE=<folder of the staged files> -DOUTFILE=<setup.exe> Varnook.nsi
; STAGE holds exactly what a user gets: Varnook.exe, Tallivor.dll, Skins\ and Langs\ (installer/CMakeLists.txt
; stages it). Both installer and uninstaller work silently with /S.

!ifndef VERSION | ARCH | STAGE | OUTFILE
  !error "Define VERSION, ARCH (x86 or amd64), STAGE and OUTFILE"
!endif
!if "${ARCH}" == "x86"
  Target x86-unicode
  !define PROGRAM_FILES "$PROGRAMFILES"
!else if "${ARCH}" == "amd64"
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
!else
  !error "ARCH must be x86 or amd64, not ${ARCH}"
!endif
!if ! /FileExists "${STAGE}/Varnook.exe"
  !error "${STAGE} holds no Varnook.exe"
!endif

!define PRODUCT "Varnook"
!define PUBLISHER "The Varnook developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Varnook"
!define UNINSTALLER "Uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\Varnook.lnk"
; The program's own backups (registry exports and deleted screen savers) live here; they are the user's.
!define BACKUP_FOLDER "Back up"

; The file list of the stage, as the macros VarnookInstallFiles, VarnookDeleteFiles and VarnookRemoveFolders.
!tempfile STAGE_FILES
!system 'bash "${__FILEDIR__}/stage-files.sh" "${STAGE}" > "${STAGE_FILES}"' = 0
!include "${STAGE_FILES}"
!delfile "${STAGE_FILES}"
!undef STAGE_FILES

; Version resources want four numbers.
!searchparse /noerrors "${VERSION}.0.0.0" "" V1 "." V2 "." V3 "." V4 "."
!ifndef V4
  !error "VERSION must be numbers separated by dots, not ${VERSION}"
!endif

SetCompressor /SOLID lzma
Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "${PROGRAM_FILES}\${PRODUCT}"
; An update goes where the installed copy is (unless /D says otherwise).
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ManifestDPIAware true
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${V1}.${V2}.${V3}.${V4}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${__FILEDIR__}/../gui/shell/res/Varnook.ico"
!define MUI_UNICON "${__FILEDIR__}/../gui/shell/res/Varnook.ico"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\Varnook.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The uninstall entry and the COM registration go to the registry view of the installed bitness, where
; Varnook and its inventory read them.
!macro UseProgramView
  !if "${ARCH}" == "amd64"
    SetRegView 64
  !endif
  SetShellVarContext all
!macroend

Function .onInit
  !insertmacro UseProgramView
FunctionEnd

Section "Varnook" SectionProgram
  SectionIn RO
  !insertmacro VarnookInstallFiles
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; Registered now so that the inventory answers before the program's first start (which registers again).
  ClearErrors
  RegDLL "$INSTDIR\Tallivor.dll"
  IfErrors 0 +4
    DetailPrint "Tallivor.dll could not be registered; Varnook registers it when it starts."
    MessageBox MB_ICONEXCLAMATION "Tallivor.dll could not be registered.$\nVarnook registers it when it starts." /SD IDOK
    SetErrorLevel 2

  CreateShortCut "${SHORTCUT}" "$INSTDIR\Varnook.exe" "" "$INSTDIR\Varnook.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  ; The plain path: the inventory looks the icon file up by exactly this text.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Varnook.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function un.onInit
  !insertmacro UseProgramView
FunctionEnd

; $R1 = $R0 when $R0 is a bare .ini file name, else empty. Config.ini is the user's to edit, so a name read
; from it must not lead the uninstaller out of its folder or match several files.
Function un.BareIniName
  StrCpy $R1 ""
  StrLen $R2 $R0
  IntCmp $R2 4 done done
  StrCpy $R3 $R0 "" -4
  StrCmp $R3 ".ini" 0 done
  StrCpy $R4 0
  next:
    IntCmp $R4 $R2 bare
    StrCpy $R3 $R0 1 $R4
    StrCmp $R3 "\" done
    StrCmp $R3 "/" done
    StrCmp $R3 ":" done
    StrCmp $R3 "*" done
    StrCmp $R3 "?" done
    IntOp $R4 $R4 + 1
    Goto next
  bare:
  StrCpy $R1 $R0
  done:
FunctionEnd

; Deletes the language or skin file that Config.ini names: the program writes it there when it is missing.
!macro DeleteConfiguredFile KEY FOLDER
  ReadINIStr $R0 "$INSTDIR\Config.ini" "config" "${KEY}"
  Call un.BareIniName
  StrCmp $R1 "" +2
    Delete "$INSTDIR\${FOLDER}\$R1"
!macroend

Section "Uninstall"
  ; A running Varnook keeps its program file: stop before anything is removed.
  retry:
  ClearErrors
  Delete "$INSTDIR\Varnook.exe"
  IfErrors 0 +3
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Varnook is running. Close it, then choose Retry." /SD IDCANCEL IDRETRY retry
    Abort "Varnook is running: nothing was removed."

  ; While its DLL is still there to answer.
  ClearErrors
  UnRegDLL "$INSTDIR\Tallivor.dll"
  IfErrors 0 +2
    DetailPrint "Tallivor.dll could not be unregistered."

  ; What the program writes beside itself when it runs.
  !insertmacro DeleteConfiguredFile "LanguageFile" "Langs"
  !insertmacro DeleteConfiguredFile "SkinFile" "Skins"
  Delete "$INSTDIR\Langs\English.ini"
  Delete "$INSTDIR\Skins\Default.ini"
  Delete "$INSTDIR\Config.ini"

  !insertmacro VarnookDeleteFiles
  Delete "$INSTDIR\${UNINSTALLER}"
  !insertmacro VarnookRemoveFolders
  ; Only empty folders go: the user's backups stay.
  RMDir "$INSTDIR\${BACKUP_FOLDER}\reg"
  RMDir "$INSTDIR\${BACKUP_FOLDER}\scr"
  RMDir "$INSTDIR\${BACKUP_FOLDER}"
  RMDir "$INSTDIR"

  Delete "${SHORTCUT}"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  IfFileExists "$INSTDIR\${BACKUP_FOLDER}\*.*" 0 other_files
    DetailPrint "Kept $INSTDIR\${BACKUP_FOLDER}: it holds your registry backups and screen-saver copies."
    MessageBox MB_ICONINFORMATION "The folder $INSTDIR\${BACKUP_FOLDER} was kept: it holds your registry backups and screen-saver copies." /SD IDOK
    Goto end
  other_files:
  IfFileExists "$INSTDIR\*.*" 0 end
    DetailPrint "Kept $INSTDIR: it still holds files."
  end:
SectionEnd
