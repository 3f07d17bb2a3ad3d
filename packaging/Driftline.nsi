; Driftline's setup program. For the current user by default, without administrator rights;
; for all users when the user has them and chooses so (or /ALLUSERS). Built by scripts/package,
; which defines VERSION, VERSION_FULL, STAGE (the release files) and OUTFILE.
;
;   setup.exe [/S] [/ALLUSERS] [/STARTATLOGIN] [/D=DIR]
;   uninstall.exe [/S] [/REMOVESETTINGS]

Unicode true
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include nsDialogs.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define PRODUCT "Driftline"
!define PUBLISHER "Quorvane"
!define WEB_ADDRESS "https://quorvane.example/driftline"
!define PROGRAM "dftline.exe"
!define UNINSTALLER "uninstall.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Driftline"
!define VENDOR_KEY "Software\Quorvane"
!define SETTINGS_KEY "${VENDOR_KEY}\Driftline"
!define VENDOR_FOLDER "Quorvane"
; The bar's window class: it closes on WM_CLOSE after saving its settings.
!define BAR_CLASS "TForm1"
!define SYNCHRONIZE 0x00100000
!define ERROR_ELEVATION_REQUIRED 740

Name "${PRODUCT}"
Caption "${PRODUCT} ${VERSION} Setup"
UninstallCaption "${PRODUCT} ${VERSION} Uninstall"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION_FULL}"
VIFileVersion "${VERSION_FULL}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION_FULL}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (C) 2004-2026 ${PUBLISHER}"

Var AllUsers        ; 1: all users, Program Files and HKEY_LOCAL_MACHINE
Var CanAllUsers     ; 1: the user has administrator rights
Var ChosenDir       ; the folder given with /D, kept when the mode changes
Var RemoveSettings  ; 1: /REMOVESETTINGS
Var RadioMe
Var RadioAll

!define MUI_ICON "${STAGE}\dftline.ico"
!define MUI_UNICON "${STAGE}\dftline.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
Page custom ModePage ModePageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!define MUI_FINISHPAGE_RUN_TEXT "&Start ${PRODUCT} now"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; Asks every running bar to close as the user's Exit does, so that it saves its settings, and
; waits for its process to end. Never kills one: a bar that stays is reported and the caller
; stops.
!macro CLOSE_RUNNING_COPIES prefix
Function ${prefix}CloseRunningCopies
  Push $R0
  Push $R1
  Push $R2
  Push $R3
  StrCpy $R3 0
  ${Do}
    FindWindow $R0 "${BAR_CLASS}"
    ${If} $R0 == 0
      ${Break}
    ${EndIf}
    ${If} $R3 >= 3
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${PRODUCT} is running and did not close.$\r$\n$\r$\nClose it, then choose Retry." \
        /SD IDCANCEL IDRETRY retry
      DetailPrint "${PRODUCT} is still running."
      SetErrorLevel 5
      Quit
      retry:
      StrCpy $R3 0
    ${EndIf}
    DetailPrint "Closing the running ${PRODUCT}..."
    System::Call 'user32::GetWindowThreadProcessId(p R0, *i .R1)'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i R1) p .R2'
    SendMessage $R0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    ${If} $R2 <> 0
      System::Call 'kernel32::WaitForSingleObject(p R2, i 10000)'
      System::Call 'kernel32::CloseHandle(p R2)'
    ${Else}
      Sleep 500
    ${EndIf}
    IntOp $R3 $R3 + 1
  ${Loop}
  Pop $R3
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_COPIES ""
!insertmacro CLOSE_RUNNING_COPIES "un."

!macro SET_CONTEXT
  ${If} $AllUsers == 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
!macroend

Section "${PRODUCT}" SecProgram
  SectionIn RO
  !insertmacro SET_CONTEXT
  Call CloseRunningCopies
  SetOutPath "$INSTDIR"
  File "${STAGE}\${PROGRAM}"
  File "${STAGE}\dftline.htm"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0 \
    SW_SHOWNORMAL "" "Desktop ticker"

  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "URLInfoAbout" "${WEB_ADDRESS}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The policy template, for administrators to copy into their policy editor's store.
Section "-Policy template" SecPolicyTemplate
  SetOutPath "$INSTDIR\policy\en-US"
  File "${STAGE}\policy\en-US\Driftline.adml"
  SetOutPath "$INSTDIR\policy"
  File "${STAGE}\policy\Driftline.admx"
  SetOutPath "$INSTDIR"
SectionEnd

; The same entry the options dialog writes: the value "Driftline", the program's quoted path.
Section /o "Start at login" SecStartAtLogin
  WriteRegStr SHCTX "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\${PROGRAM}"'
SectionEnd

Function ApplyMode
  !insertmacro SET_CONTEXT
  ${If} $ChosenDir != ""
    StrCpy $INSTDIR $ChosenDir
  ${ElseIf} $AllUsers == 1
    StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
  ${Else}
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
  ${EndIf}
FunctionEnd

Function .onInit
  StrCpy $ChosenDir $INSTDIR
  StrCpy $AllUsers 0
  StrCpy $CanAllUsers 0
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    StrCpy $CanAllUsers 1
  ${EndIf}
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/ALLUSERS" $2
  ${IfNot} ${Errors}
    ${If} $CanAllUsers != 1
      MessageBox MB_ICONSTOP "Installing ${PRODUCT} for all users needs administrator rights." /SD IDOK
      SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
      Quit
    ${EndIf}
    StrCpy $AllUsers 1
  ${EndIf}
  ClearErrors
  ${GetOptions} $1 "/STARTATLOGIN" $2
  ${IfNot} ${Errors}
    SectionSetFlags ${SecStartAtLogin} ${SF_SELECTED}
  ${EndIf}
  Call ApplyMode
FunctionEnd

Function ModePage
  !insertmacro MUI_HEADER_TEXT "Choose Users" "Choose for whom to install ${PRODUCT}."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 12u "Install ${PRODUCT} for:"
  Pop $0
  ${NSD_CreateRadioButton} 10u 18u 280u 12u "Only &me (no administrator rights needed)"
  Pop $RadioMe
  ${NSD_CreateRadioButton} 10u 34u 280u 12u "&Anyone who uses this computer"
  Pop $RadioAll
  ${If} $CanAllUsers != 1
    EnableWindow $RadioAll 0
    ${NSD_CreateLabel} 22u 50u 270u 24u \
      "To install for everyone, run the setup program as an administrator."
    Pop $0
  ${EndIf}
  ${If} $AllUsers == 1
    ${NSD_Check} $RadioAll
  ${Else}
    ${NSD_Check} $RadioMe
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ModePageLeave
  ${NSD_GetState} $RadioAll $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $AllUsers 1
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  Call ApplyMode
FunctionEnd

; --- Uninstaller ------------------------------------------------------------------------------

Function un.onInit
  StrCpy $AllUsers 0
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    StrCpy $AllUsers 1
    UserInfo::GetAccountType
    Pop $0
    ${If} $0 != "Admin"
      MessageBox MB_ICONSTOP "Removing ${PRODUCT} for all users needs administrator rights." /SD IDOK
      SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
      Quit
    ${EndIf}
  ${EndIf}
  !insertmacro SET_CONTEXT
  StrCpy $RemoveSettings 0
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/REMOVESETTINGS" $2
  ${IfNot} ${Errors}
    StrCpy $RemoveSettings 1
  ${EndIf}
FunctionEnd

; Removes the start-at-login entry of a hive only when it starts this installation's program:
; another copy's entry stays.
!macro REMOVE_OWN_RUN_ENTRY root
  ReadRegStr $0 ${root} "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $0 == '"$INSTDIR\${PROGRAM}"'
  ${OrIf} $0 == "$INSTDIR\${PROGRAM}"
    DeleteRegValue ${root} "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
!macroend

; The settings keys of every instance, the ini files and the log, in the places the program
; keeps them; the vendor's key and folder go only when nothing else is left in them.
!macro REMOVE_SETTINGS root
  DeleteRegKey ${root} "${SETTINGS_KEY}"
  DeleteRegKey /ifempty ${root} "${VENDOR_KEY}"
  RMDir /r "$APPDATA\${VENDOR_FOLDER}\${PRODUCT}"
  RMDir "$APPDATA\${VENDOR_FOLDER}"
!macroend

Section "Uninstall"
  Call un.CloseRunningCopies
  ${If} $RemoveSettings != 1
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Also remove ${PRODUCT}'s settings and log?$\r$\n$\r$\nChoose No to keep them for a later installation." \
      /SD IDNO IDNO keep
    StrCpy $RemoveSettings 1
    keep:
  ${EndIf}

  Delete "$INSTDIR\${PROGRAM}"
  Delete "$INSTDIR\dftline.htm"
  Delete "$INSTDIR\policy\en-US\Driftline.adml"
  RMDir "$INSTDIR\policy\en-US"
  Delete "$INSTDIR\policy\Driftline.admx"
  RMDir "$INSTDIR\policy"
  ; The uninstaller runs from a copy of itself; the original may take a moment to end and let
  ; go of its file and folder. A folder that holds the user's own files stays.
  StrCpy $0 0
  ${Do}
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    ${IfNot} ${FileExists} "$INSTDIR\*.*"
    ${OrIf} $0 >= 50
      ${Break}
    ${EndIf}
    Sleep 100
    IntOp $0 $0 + 1
  ${Loop}
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  !insertmacro REMOVE_OWN_RUN_ENTRY HKCU
  !insertmacro REMOVE_OWN_RUN_ENTRY HKLM

  ${If} $RemoveSettings == 1
    SetShellVarContext current
    !insertmacro REMOVE_SETTINGS HKCU
    ${If} $AllUsers == 1
      SetShellVarContext all
      !insertmacro REMOVE_SETTINGS HKLM
    ${EndIf}
    !insertmacro SET_CONTEXT
  ${EndIf}

  ; Last, so that whoever waits for a silent uninstall can wait for the entry to go.
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
