; Setup of Imagora Menu: Lumbra.exe and its resource library Lumbra.dll in a
; folder of the user's choice, the App Paths registration through which the
; updater and the suite find the menu, the suite's shared AppInfo and MenuSwf
; folders, a Start-menu shortcut and an Add/Remove Programs entry. The
; uninstaller removes exactly what this setup created: the shared folders and
; every suite plug-in in them stay, and so do the user's settings unless the
; user ticks their box.
;
; Built by scripts/package.sh:
;   makensis -DVERSION=1.7.60417.1 -DARCH=win32|win64 -DBIN=<programs>
;            -DSAMPLES=<sample suite> -DSAMPLE_LIST=<samples.nsh> -DICON=<ico>
;            -DOUTFILE=<setup.exe> installer/Lumbra.nsi
; Command line of the setup: /S silent, /SAMPLES adds the sample suite,
; /D=<folder> (last, unquoted) the installation folder.

Unicode true
!if ${ARCH} == win64
  ; The 64-bit test build: a 64-bit setup, 64-bit registry and Program Files.
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
!else
  ; For a 32-bit program on 64-bit Windows this is "Program Files (x86)",
  ; the folder the menu itself computes for the suite.
  !define PROGRAM_FILES "$PROGRAMFILES"
!endif

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh

!define PRODUCT "Imagora Menu"
!define PUBLISHER "Orva Corporation"
!define DEFAULT_FOLDER "${PROGRAM_FILES}\Orva Corporation\Orva Dereze"
!define SUITE "${PROGRAM_FILES}\Orva Corporation\Nembo Dereze"
!define APP_PATHS_KEY "Software\Microsoft\Windows\CurrentVersion\App Paths\Lumbra.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Imagora Menu"
!define SETTINGS_KEY "Software\Orva Corporation\Orva Dereze\1.0"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
; Which sample files this setup wrote, with their time stamps.
!define SAMPLES_RECORD "$INSTDIR\Samples.ini"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "${DEFAULT_FOLDER}"
; An update goes where the menu is installed, unless /D says otherwise.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
ManifestDPIAware true
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion ${VERSION}
VIAddVersionKey ProductName "${PRODUCT}"
VIAddVersionKey CompanyName "${PUBLISHER}"
VIAddVersionKey FileDescription "${PRODUCT} Setup"
VIAddVersionKey FileVersion ${VERSION}
VIAddVersionKey ProductVersion ${VERSION}
VIAddVersionKey LegalCopyright "Copyright (C) ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The menu holds the mutex "LumbraMtx" while it runs; its program file cannot
; be replaced or removed then. Asks the user to close it; a silent run fails
; with exit code 2 instead and changes nothing.
!macro MENU_NOT_RUNNING un
Function ${un}MenuNotRunning
  retry:
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "LumbraMtx") p.r0 ?e'
    Pop $1
    ${If} $0 P<> 0
      System::Call 'kernel32::CloseHandle(p r0)'
    ${ElseIf} $1 <> 5 ; access denied: another user's menu holds it
      Return
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
      "${PRODUCT} is running.$\n$\nClose the menu, then click Retry to continue, or click Cancel to quit." \
      /SD IDCANCEL IDRETRY retry
    SetErrorLevel 2
    Quit
FunctionEnd
!macroend
!insertmacro MENU_NOT_RUNNING ""
!insertmacro MENU_NOT_RUNNING "un."

!macro PER_MACHINE_SETUP
  !if ${ARCH} == win64
    SetRegView 64
  !endif
  SetShellVarContext all
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 != "Admin"
    MessageBox MB_OK|MB_ICONSTOP "Installing or removing ${PRODUCT} needs administrator rights." /SD IDOK
    SetErrorLevel 740 ; ERROR_ELEVATION_REQUIRED
    Quit
  ${EndIf}
!macroend

; A sample file goes into the suite's shared folder unless a file of that name
; is there already that this setup did not write (a suite application's own);
; the record lets the uninstaller remove only what this setup wrote.
!macro INSTALL_SAMPLE FOLDER NAME
  StrCpy $R0 "${SUITE}\${FOLDER}\${NAME}"
  ReadINIStr $R1 "${SAMPLES_RECORD}" Files "${FOLDER}\${NAME}"
  StrCpy $R2 ""
  ${If} ${FileExists} $R0
    GetFileTime $R0 $R3 $R4
    StrCpy $R2 "$R3.$R4"
  ${EndIf}
  ${If} $R2 == ""
  ${OrIf} $R2 == $R1
    SetOutPath "${SUITE}\${FOLDER}"
    File "${SAMPLES}\${FOLDER}\${NAME}"
    GetFileTime $R0 $R3 $R4
    WriteINIStr "${SAMPLES_RECORD}" Files "${FOLDER}\${NAME}" "$R3.$R4"
  ${EndIf}
!macroend

; Removes a sample file only while it is still the one this setup wrote.
!macro REMOVE_SAMPLE FOLDER NAME
  StrCpy $R0 "${SUITE}\${FOLDER}\${NAME}"
  ReadINIStr $R1 "${SAMPLES_RECORD}" Files "${FOLDER}\${NAME}"
  ${If} $R1 != ""
  ${AndIf} ${FileExists} $R0
    GetFileTime $R0 $R3 $R4
    ${If} "$R3.$R4" == $R1
      Delete $R0
    ${EndIf}
  ${EndIf}
!macroend

Section "${PRODUCT}" SecMenu
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${BIN}\Lumbra.exe"
  File "${BIN}\Lumbra.dll"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; Every suite application puts its plug-in into these; they outlive the menu.
  CreateDirectory "${SUITE}\AppInfo"
  CreateDirectory "${SUITE}\MenuSwf"

  WriteRegStr HKLM "${APP_PATHS_KEY}" "" "$INSTDIR\Lumbra.exe"
  WriteRegStr HKLM "${APP_PATHS_KEY}" "Path" "$INSTDIR"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\Lumbra.exe" "" "$INSTDIR\Lumbra.exe" 0 SW_SHOWNORMAL "" "${PRODUCT}"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Lumbra.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Sample suite" SecSamples
  !define SAMPLE "!insertmacro INSTALL_SAMPLE"
  !include "${SAMPLE_LIST}"
  !undef SAMPLE
SectionEnd

Function .onInit
  !insertmacro PER_MACHINE_SETUP
  Call MenuNotRunning
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/SAMPLES" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecSamples} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

Function un.onInit
  !insertmacro PER_MACHINE_SETUP
  Call un.MenuNotRunning
FunctionEnd

Section "un.${PRODUCT}"
  SectionIn RO
  !define SAMPLE "!insertmacro REMOVE_SAMPLE"
  !include "${SAMPLE_LIST}"
  !undef SAMPLE
  Delete "$INSTDIR\Lumbra.exe"
  Delete "$INSTDIR\Lumbra.dll"
  Delete "$INSTDIR\Lumbra.exe.update" ; left by an interrupted update
  Delete "${SAMPLES_RECORD}"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"
  Delete "${SHORTCUT}"

  ; Another installation of the menu may own the registration by now.
  ReadRegStr $0 HKLM "${APP_PATHS_KEY}" ""
  ${If} $0 == "$INSTDIR\Lumbra.exe"
    DeleteRegKey HKLM "${APP_PATHS_KEY}"
  ${EndIf}
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == "$INSTDIR"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${EndIf}
SectionEnd

Section /o "un.My menu settings (order and hidden entries)"
  DeleteRegKey HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifempty HKCU "Software\Orva Corporation\Orva Dereze"
  DeleteRegKey /ifempty HKCU "Software\Orva Corporation"
SectionEnd
