; Driftline's setup program. For the current user by default, without administrator rights;
; for all users when the user has them and chooses so (or /ALLUSERS). Built by scripts/package,
; which defines VERSION, VERSION_FULL, STAGE (the release files) and OUTFILE.
;
;   setup.exe [/S] [/ALLUSERS] [/STARTATLOGIN] [/D=DIR]
;   uninstall.exe [/S] [/REMOVESETTINGS] [_?=DIR]   (_?= runs it in place, to be waited for)
;
; Exit codes: 0 done; 1 cancelled; 2 refused (/ALLUSERS into a folder that ordinary users can
; change); 5 a running bar did not close, or the program could not be removed; 740 no
; administrator rights for an all-users installation.

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
; The bar's window, which closes on WM_CLOSE after saving its settings. Its class is the default
; main window class of a whole family of programs: the title is matched too, and the window
; must belong to a dftline.exe in the folder being replaced.
!define BAR_CLASS "TForm1"
!define BAR_TITLE "DriftlineAppbarForm"
!define SYNCHRONIZE 0x00100000
!define PROCESS_QUERY_LIMITED_INFORMATION 0x1000
!define ERROR_ELEVATION_REQUIRED 740
!define EXIT_REFUSED 2
!define EXIT_NOT_REMOVED 5
!define SEE_MASK_NOCLOSEPROCESS 0x40
!define TOKEN_QUERY 8
!define TokenElevation 20
!define SE_FILE_OBJECT 1
!define DACL_SECURITY_INFORMATION 4
!define ACCESS_ALLOWED_ACE_TYPE 0
!define INHERIT_ONLY_ACE 8
; Rights to change a folder's contents or its access: add or write files or folders, delete
; children, delete, change the access list or the owner, and the generic all and write.
!define CHANGE_RIGHTS 0x500D0046

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
Var Elevated        ; non-zero: the setup runs with an administrator's elevated rights
Var RadioMe
Var RadioAll

!define MUI_ICON "${STAGE}\dftline.ico"
!define MUI_UNICON "${STAGE}\dftline.ico"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
Page custom ModePage ModePageLeave
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryPageLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!define MUI_FINISHPAGE_RUN_TEXT "&Start ${PRODUCT} now"
!define MUI_PAGE_CUSTOMFUNCTION_SHOW FinishPageShow
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; The first bar window of a dftline.exe running from $INSTDIR, in $R0; 0 when there is none.
!macro FIND_OWN_BAR prefix
Function ${prefix}FindOwnBar
  Push $R1
  Push $R2
  Push $R3
  StrCpy $R0 0
  ${Do}
    FindWindow $R0 "${BAR_CLASS}" "${BAR_TITLE}" 0 $R0
    ${IfThen} $R0 == 0 ${|} ${Break} ${|}
    StrCpy $R3 ""
    System::Call 'user32::GetWindowThreadProcessId(p R0, *i .R1)'
    System::Call 'kernel32::OpenProcess(i ${PROCESS_QUERY_LIMITED_INFORMATION}, i 0, i R1) p .R2'
    ${If} $R2 P<> 0
      System::Call 'kernel32::QueryFullProcessImageNameW(p R2, i 0, w .R3, *i ${NSIS_MAX_STRLEN})'
      System::Call 'kernel32::CloseHandle(p R2)'
    ${EndIf}
    ${IfThen} $R3 == "$INSTDIR\${PROGRAM}" ${|} ${Break} ${|}
  ${Loop}
  Pop $R3
  Pop $R2
  Pop $R1
FunctionEnd
!macroend
!insertmacro FIND_OWN_BAR ""
!insertmacro FIND_OWN_BAR "un."

; Asks every running bar of this installation to close as the user's Exit does, so that it
; saves its settings, and waits for its process to end. Never kills one: a bar that stays is
; reported and the caller stops.
!macro CLOSE_RUNNING_COPIES prefix
Function ${prefix}CloseRunningCopies
  Push $R0
  Push $R1
  Push $R2
  Push $R3
  StrCpy $R3 0
  ${Do}
    Call ${prefix}FindOwnBar
    ${If} $R0 == 0
      ${Break}
    ${EndIf}
    ${If} $R3 >= 3
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION \
        "${PRODUCT} is running and did not close.$\r$\n$\r$\nClose it, then choose Retry." \
        /SD IDCANCEL IDRETRY retry
      DetailPrint "${PRODUCT} is still running."
      SetErrorLevel ${EXIT_NOT_REMOVED}
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
  ; Run in place, so that whoever runs it can wait for it and read its exit code.
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
    '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
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

; Sets $0 to 1 when ordinary users may change what is in the folder on the stack or, while it
; does not exist, in the nearest folder above it, whose rights a new folder inherits: when the
; folder's access list lets everyone, the Users group, authenticated or interactive users add,
; write or delete there, or change the list itself.
!macro SET_IF_ORDINARY_USERS sid wellKnownType
  System::Call 'advapi32::IsWellKnownSid(p ${sid}, i ${wellKnownType}) i .R0'
  ${IfThen} $R0 <> 0 ${|} StrCpy $0 1 ${|}
!macroend
Function OpenToUsers
  Exch $R0
  Push $R1
  Push $R2
  Push $R3
  Push $R4
  Push $R5
  Push $R6
  Push $R7
  Push $R8
  ${DoUntil} ${FileExists} "$R0\*.*"
    ${GetParent} $R0 $R1
    ${IfThen} $R1 == "" ${|} ${ExitDo} ${|}
    StrCpy $R0 $R1
  ${Loop}
  StrCpy $0 1  ; what cannot be read counts as open
  System::Call 'advapi32::GetNamedSecurityInfoW(w R0, i ${SE_FILE_OBJECT}, \
    i ${DACL_SECURITY_INFORMATION}, p 0, p 0, *p .R1, p 0, *p .R2) i .R3'
  ${If} $R3 == 0
  ${AndIf} $R1 P<> 0  ; no list at all lets everyone in
    StrCpy $0 0
    System::Call '*$R1(&i1, &i1, &i2, &i2 .R3)'
    StrCpy $R4 0
    ${While} $R4 < $R3
      System::Call 'advapi32::GetAce(p R1, i R4, *p .R5)'
      System::Call '*$R5(&i1 .R6, &i1 .R7, &i2, i .R8)'
      IntOp $R7 $R7 & ${INHERIT_ONLY_ACE}
      IntOp $R8 $R8 & ${CHANGE_RIGHTS}
      ${If} $R6 == ${ACCESS_ALLOWED_ACE_TYPE}
      ${AndIf} $R7 == 0
      ${AndIf} $R8 <> 0
        IntOp $R5 $R5 + 8  ; the SID, after the header and the mask
        !insertmacro SET_IF_ORDINARY_USERS R5 1   ; everyone
        !insertmacro SET_IF_ORDINARY_USERS R5 11  ; interactive users
        !insertmacro SET_IF_ORDINARY_USERS R5 17  ; authenticated users
        !insertmacro SET_IF_ORDINARY_USERS R5 27  ; the Users group
      ${EndIf}
      IntOp $R4 $R4 + 1
    ${EndWhile}
  ${EndIf}
  ${If} $R2 P<> 0
    System::Call 'kernel32::LocalFree(p R2)'
  ${EndIf}
  Pop $R8
  Pop $R7
  Pop $R6
  Pop $R5
  Pop $R4
  Pop $R3
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd

!define OPEN_FOLDER_TEXT "Ordinary users can change the files in $INSTDIR. Installed there for all \
users, ${PRODUCT} could be replaced by any of them, and every user's login would start it.\
$\r$\n$\r$\nChoose a folder that only administrators can change, such as Program Files."

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
  ${If} ${Silent}
  ${AndIf} $AllUsers == 1
    Push $INSTDIR
    Call OpenToUsers
    ${If} $0 == 1
      MessageBox MB_ICONSTOP "${OPEN_FOLDER_TEXT}" /SD IDOK
      SetErrorLevel ${EXIT_REFUSED}
      Quit
    ${EndIf}
  ${EndIf}
  StrCpy $Elevated 0
  System::Call 'advapi32::OpenProcessToken(p -1, i ${TOKEN_QUERY}, *p .r0) i .r1'
  ${If} $1 <> 0
    System::Call 'advapi32::GetTokenInformation(p r0, i ${TokenElevation}, *i .r2, i 4, *i .r3) i .r1'
    ${IfThen} $1 <> 0 ${|} StrCpy $Elevated $2 ${|}
    System::Call 'kernel32::CloseHandle(p r0)'
  ${EndIf}
FunctionEnd

Function DirectoryPageLeave
  ${If} $AllUsers == 1
    Push $INSTDIR
    Call OpenToUsers
    ${If} $0 == 1
      MessageBox MB_ICONEXCLAMATION "${OPEN_FOLDER_TEXT}"
      Abort
    ${EndIf}
  ${EndIf}
FunctionEnd

; Started from an elevated setup, the bar would run with the administrator's full rights, not
; as the user who is signed in: it is not offered then.
Function FinishPageShow
  ${If} $Elevated <> 0
    SendMessage $mui.FinishPage.Run ${BM_SETCHECK} ${BST_UNCHECKED} 0
    ShowWindow $mui.FinishPage.Run ${SW_HIDE}
  ${EndIf}
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

; Runs this uninstaller again with administrator rights, which the system asks the user for,
; and ends with its exit code once it has finished.
Function un.RunElevated
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/ELEVATED" $2
  ${If} ${Errors}  ; not asked yet
    ; The system took _?= off the command line; the elevated run removes the same folder.
    System::Call '*(&l4, i ${SEE_MASK_NOCLOSEPROCESS}, p $HWNDPARENT, w "runas", \
      w "$EXEPATH", w "$1 /ELEVATED _?=$INSTDIR", p 0, i ${SW_SHOWNORMAL}, p 0, p 0, p 0, p 0, \
      i 0, p 0, p 0) p .r0'
    System::Call 'shell32::ShellExecuteExW(p r0) i .r1'
    System::Call '*$0(i, i, p, p, p, p, p, i, p, p, p, p, i, p, p .r2)'
    System::Free $0
    ${If} $1 <> 0
      System::Call 'kernel32::WaitForSingleObject(p r2, i -1)'
      System::Call 'kernel32::GetExitCodeProcess(p r2, *i .r3)'
      System::Call 'kernel32::CloseHandle(p r2)'
      SetErrorLevel $3
      Quit
    ${EndIf}
  ${EndIf}
  MessageBox MB_ICONSTOP "Removing ${PRODUCT} for all users needs administrator rights." /SD IDOK
  SetErrorLevel ${ERROR_ELEVATION_REQUIRED}
  Quit
FunctionEnd

Function un.onInit
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/REMOVEFOLDER" $2
  ${IfNot} ${Errors}
    Call un.RemoveFolderOnceFree
  ${EndIf}
  StrCpy $AllUsers 0
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 == $INSTDIR
    StrCpy $AllUsers 1
    UserInfo::GetAccountType
    Pop $0
    ${IfThen} $0 != "Admin" ${|} Call un.RunElevated ${|}
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

; Whether the end of a file's name, on the stack above an extension, is that extension alone or
; the extension and what a killed write of the file leaves after it, ".<process>-<serial>.tmp".
; Leaves 1 or 0 in their place.
Function un.IsOwnFileEnd
  Exch $R0  ; the end of the name
  Exch
  Exch $R1  ; the extension
  Push $R2
  Push $R3
  StrLen $R2 $R1
  StrCpy $R3 $R0 $R2
  StrCpy $R0 $R0 "" $R2  ; what follows the extension
  ${If} $R3 != $R1
    StrCpy $R0 0
  ${ElseIf} $R0 == ""
    StrCpy $R0 1
  ${Else}
    StrCpy $R1 $R0 "" 1
    IntOp $R2 $R1 + 0    ; the process
    StrLen $R3 "$R2-"
    StrCpy $R3 $R1 "" $R3
    IntOp $R3 $R3 + 0    ; the serial
    ; Rebuilt from the numbers, the end gives the text back only when it held nothing but their
    ; digits where they stand: IntOp also reads signs, hex and octal.
    ${If} $R0 == ".$R2-$R3.tmp"
    ${AndIf} $R2 >= 0
    ${AndIf} $R3 >= 0
      StrCpy $R0 1
    ${Else}
      StrCpy $R0 0
    ${EndIf}
  ${EndIf}
  Pop $R3
  Pop $R2
  Pop $R1
  Exch $R0
FunctionEnd

; What the program writes in the current context (SHCTX, $APPDATA): the settings key of each
; instance (its number), the ini file of each instance (dftline<n>.ini) and the list of sources of
; each (sources.opml for the first, sources<n>.opml for the others) with the temporaries a killed
; write left (<file>.<process>-<serial>.tmp), and the log. The program's and the vendor's key and
; folder go only when nothing else is left in them.
Function un.RemoveSettings
  StrCpy $1 0
  ${Do}
    EnumRegKey $2 SHCTX "${SETTINGS_KEY}" $1
    ${IfThen} $2 == "" ${|} ${Break} ${|}
    IntOp $3 $2 + 0
    ${If} $3 > 0
    ${AndIf} "$3" == "$2"
      DeleteRegKey SHCTX "${SETTINGS_KEY}\$2"
    ${Else}
      IntOp $1 $1 + 1
    ${EndIf}
  ${Loop}
  DeleteRegKey /ifempty SHCTX "${SETTINGS_KEY}"
  DeleteRegKey /ifempty SHCTX "${VENDOR_KEY}"

  StrCpy $0 "$APPDATA\${VENDOR_FOLDER}\${PRODUCT}"
  Delete "$0\dftline.log"
  FindFirst $1 $2 "$0\dftline*.ini*"
  ${DoWhile} $2 != ""
    StrCpy $3 $2 "" 7   ; from the number on
    IntOp $4 $3 + 0
    StrLen $5 $4
    StrCpy $6 $3 $5     ; as many characters as the number has
    StrCpy $3 $3 "" $5  ; what follows the number
    ${If} $4 > 0
    ${AndIf} $6 == $4
      Push ".ini"
      Push $3
      Call un.IsOwnFileEnd
      Pop $5
      ${IfThen} $5 == 1 ${|} Delete "$0\$2" ${|}
    ${EndIf}
    FindNext $1 $2
  ${Loop}
  FindClose $1
  FindFirst $1 $2 "$0\sources*.opml*"
  ${DoWhile} $2 != ""
    StrCpy $3 $2 "" 7   ; from the number on, which the first copy's list has not
    IntOp $4 $3 + 0
    StrLen $5 $4
    StrCpy $6 $3 $5
    ${If} $4 > 1
    ${AndIf} $6 == $4
      StrCpy $3 $3 "" $5
    ${EndIf}
    Push ".opml"
    Push $3
    Call un.IsOwnFileEnd
    Pop $5
    ${IfThen} $5 == 1 ${|} Delete "$0\$2" ${|}
    FindNext $1 $2
  ${Loop}
  FindClose $1
  RMDir "$0"
  RMDir "$APPDATA\${VENDOR_FOLDER}"
FunctionEnd

; The uninstaller's own file, and with it the folder unless it holds the user's own files: at
; once when no uninstaller runs from there, else by a copy in the temporary folder (where the
; uninstaller runs when not told _?=), which waits until they have ended.
Function un.RemoveUninstaller
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  ${If} ${FileExists} "$INSTDIR\${UNINSTALLER}"
    Exec '"$INSTDIR\${UNINSTALLER}" /REMOVEFOLDER'
  ${EndIf}
FunctionEnd

; That copy's whole work: it waits at most 30 s for the uninstaller's file to be free.
Function un.RemoveFolderOnceFree
  StrCpy $0 0
  ${Do}
    Delete "$INSTDIR\${UNINSTALLER}"
    ${IfNot} ${FileExists} "$INSTDIR\${UNINSTALLER}"
    ${OrIf} $0 >= 300
      ${Break}
    ${EndIf}
    Sleep 100
    IntOp $0 $0 + 1
  ${Loop}
  RMDir "$INSTDIR"
  Quit
FunctionEnd

Section "Uninstall"
  Call un.CloseRunningCopies
  ${If} $RemoveSettings != 1
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 \
      "Also remove ${PRODUCT}'s settings, lists of sources and log?$\r$\n$\r$\nChoose No to keep them for a later installation." \
      /SD IDNO IDNO keep
    StrCpy $RemoveSettings 1
    keep:
  ${EndIf}

  Delete "$INSTDIR\${PROGRAM}"
  ; A program that could not be removed keeps its uninstaller and its entry, from where it can
  ; be removed again.
  ${If} ${FileExists} "$INSTDIR\${PROGRAM}"
    DetailPrint "${PRODUCT} could not be removed."
    SetErrorLevel ${EXIT_NOT_REMOVED}
    Return
  ${EndIf}
  Delete "$INSTDIR\dftline.htm"
  Delete "$INSTDIR\policy\en-US\Driftline.adml"
  RMDir "$INSTDIR\policy\en-US"
  Delete "$INSTDIR\policy\Driftline.admx"
  RMDir "$INSTDIR\policy"
  Call un.RemoveUninstaller
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  !insertmacro REMOVE_OWN_RUN_ENTRY HKCU
  !insertmacro REMOVE_OWN_RUN_ENTRY HKLM

  ${If} $RemoveSettings == 1
    SetShellVarContext current
    Call un.RemoveSettings
    ${If} $AllUsers == 1
      SetShellVarContext all
      Call un.RemoveSettings
    ${EndIf}
    !insertmacro SET_CONTEXT
  ${EndIf}

  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
SectionEnd
