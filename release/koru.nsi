; The installer of KORU: per user, without administrator rights, into
; %LOCALAPPDATA%\Programs\KORU, with a Start-menu shortcut and an entry in the
; user's Apps list. scripts/package.sh compiles it once per build:
;   KORU_VERSION      the project's version (2.32)
;   KORU_TARGET       win32 or win64
;   KORU_NSIS_TARGET  x86-unicode or amd64-unicode
;   KORU_FILE_LIST    an include of the lines that install and remove them
;   KORU_ICON         the program's icon, for the installer and uninstaller
;   KORU_OUTPUT       the installer to write
; KORU keeps KORU.ini and its lists beside itself: an upgrade never touches
; them, and the uninstaller keeps them unless the user asks otherwise.

Unicode true
Target ${KORU_NSIS_TARGET}
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
ManifestSupportedOS all

!define PRODUCT "MEDIA-PLAYER - KORU"
!define PUBLISHER "VELTA"
!define APPS_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\KORU"
!define CLASSES "Software\Classes"
!define MAIN_WINDOW_CLASS "TfrmMain"
!define UNINSTALLER "Uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\KORU.lnk"

Name "${PRODUCT} ${KORU_VERSION}"
OutFile "${KORU_OUTPUT}"
InstallDir "$LOCALAPPDATA\Programs\KORU"
; An upgrade goes where the earlier version is.
InstallDirRegKey HKCU "${APPS_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${KORU_VERSION} (${KORU_TARGET})"

VIProductVersion "${KORU_VERSION}.0.0"
VIFileVersion "${KORU_VERSION}.0.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${KORU_VERSION}"
VIAddVersionKey /LANG=0 "ProductVersion" "${KORU_VERSION}"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define MUI_ICON "${KORU_ICON}"
!define MUI_UNICON "${KORU_ICON}"
!define MUI_ABORTWARNING

!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\KORU.exe"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

; The pages speak the user's language: Japanese on a Japanese Windows,
; English elsewhere (the first language is the fallback).
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

LangString KoruRunning ${LANG_ENGLISH} "KORU is running from $INSTDIR.$\r$\nPlease close KORU, then choose Retry."
LangString KoruRunning ${LANG_JAPANESE} "$INSTDIR のKORUが実行中です。$\r$\nKORUを終了してから「再試行」を選んでください。"
LangString RemoveDataName ${LANG_ENGLISH} "Settings and lists (KORU.ini, *.mpl, *.bak)"
LangString RemoveDataName ${LANG_JAPANESE} "設定とリストも削除する (KORU.ini、*.mpl、*.bak)"
LangString RemoveDataText ${LANG_ENGLISH} "Also removes KORU.ini, the lists and their backups in the program folder."
LangString RemoveDataText ${LANG_JAPANESE} "プログラムのフォルダにあるKORU.ini、リストとそのバックアップも削除します。"
LangString ProgramName ${LANG_ENGLISH} "KORU"
LangString ProgramName ${LANG_JAPANESE} "KORU"
LangString ProgramText ${LANG_ENGLISH} "The program, its Start-menu shortcut, its Apps entry and the file associations it made."
LangString ProgramText ${LANG_JAPANESE} "プログラム、スタートメニューのショートカット、アプリの一覧の項目、KORUが作ったファイルの関連付け。"

Var running

; Sets $running to 1 when a KORU main window belongs to $INSTDIR\KORU.exe.
; Another program's window of the same class, or a KORU started from another
; folder, does not count.
!macro FindRunningKoru un
Function ${un}FindRunningKoru
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  StrCpy $running 0
  GetFullPathName /SHORT $4 "$INSTDIR\KORU.exe"
  StrCpy $0 0
  ${Do}
    FindWindow $0 "${MAIN_WINDOW_CLASS}" "" 0 $0
    ${If} $0 = 0
      ${Break}
    ${EndIf}
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
    ; PROCESS_QUERY_LIMITED_INFORMATION
    System::Call 'kernel32::OpenProcess(i 0x1000, i 0, i r1) p .r2'
    ${If} $2 P<> 0
      System::Call 'kernel32::QueryFullProcessImageNameW(p r2, i 0, w .r3, *i ${NSIS_MAX_STRLEN}) i .r1'
      System::Call 'kernel32::CloseHandle(p r2)'
      ${If} $1 <> 0
        GetFullPathName /SHORT $3 $3
        ${If} $3 == $4
          StrCpy $running 1
          ${Break}
        ${EndIf}
      ${EndIf}
    ${EndIf}
  ${Loop}
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd

; Asks the user to close a running KORU of this folder; returns with the
; error flag set when they cancel (silent: at once, nothing changed).
Function ${un}AskToCloseKoru
  ${Do}
    Call ${un}FindRunningKoru
    ClearErrors
    ${If} $running = 0
      ${Break}
    ${EndIf}
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(KoruRunning)" /SD IDCANCEL IDRETRY again
    SetErrors
    ${Break}
    again:
  ${Loop}
FunctionEnd
!macroend
!insertmacro FindRunningKoru ""
!insertmacro FindRunningKoru "un."

Function .onInit
  SetShellVarContext current
  Call AskToCloseKoru
  ${If} ${Errors}
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

Function DirectoryLeave
  Call AskToCloseKoru
  ${If} ${Errors}
    Abort  ; stays on the folder page
  ${EndIf}
FunctionEnd

Section "-Program"
  SetOutPath "$INSTDIR"
  !define KORU_INSTALL
  !include "${KORU_FILE_LIST}"
  !undef KORU_INSTALL
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortCut "${SHORTCUT}" "$INSTDIR\KORU.exe" "" "$INSTDIR\KORU.exe" 0 SW_SHOWNORMAL "" "${PRODUCT}"

  WriteRegStr HKCU "${APPS_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${APPS_KEY}" "DisplayVersion" "${KORU_VERSION}"
  WriteRegStr HKCU "${APPS_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${APPS_KEY}" "DisplayIcon" "$INSTDIR\KORU.exe,0"
  WriteRegStr HKCU "${APPS_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${APPS_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${APPS_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${APPS_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${APPS_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${APPS_KEY}" "EstimatedSize" $0
SectionEnd

; --- uninstall -----------------------------------------------------------

Var koruCommand      ; the command KORU writes for a file type: "<path>" "%1"
Var koruShortCommand ; the same with the 8.3 path (KORU's path when code page 932 cannot hold the long one)
Var removedTypes     ; "|type|type|": the file types removed whole

Function un.onInit
  SetShellVarContext current
  Call un.AskToCloseKoru
  ${If} ${Errors}
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd

; Sets $R8 to the number of subkeys and $R9 to the number of values of
; HKCU\<key>; both -1 when the key cannot be opened.
Function un.CountKey
  Exch $R7
  StrCpy $R8 -1
  StrCpy $R9 -1
  ; HKEY_CURRENT_USER, sign-extended as Windows defines it for 64-bit
  ; programs (0xFFFFFFFF80000001); KEY_READ.
  System::Call 'advapi32::RegOpenKeyExW(p -2147483647, w R7, i 0, i 0x20019, *p .r9) i .r8'
  ${If} $8 = 0
    System::Call 'advapi32::RegQueryInfoKeyW(p r9, p 0, p 0, p 0, *i .R8, p 0, p 0, *i .R9, p 0, p 0, p 0, p 0)'
    System::Call 'advapi32::RegCloseKey(p r9)'
  ${EndIf}
  Pop $R7
FunctionEnd

; Takes KORU's verb off one file type HKCU\Software\Classes\<$R1>: the "Play"
; verb only when its command names this KORU.exe, the default verb only when
; it is "Play". Then the type key goes when nothing is left in it but what
; KORU writes when it creates a type (its description, "EditFlags", an empty
; "Shell"): a type KORU took over keeps the user's own keys. Sets $R2 to 1
; when the type key was removed.
Function un.ForgetType
  StrCpy $R2 0
  ReadRegStr $R3 HKCU "${CLASSES}\$R1\Shell\Play\command" ""
  ${If} $R3 != $koruCommand
  ${AndIf} $R3 != $koruShortCommand
    Return
  ${EndIf}
  DeleteRegKey HKCU "${CLASSES}\$R1\Shell\Play"
  ReadRegStr $R3 HKCU "${CLASSES}\$R1\Shell" ""
  ${If} $R3 == "Play"
    DeleteRegValue HKCU "${CLASSES}\$R1\Shell" ""
  ${EndIf}
  Push "${CLASSES}\$R1\Shell"
  Call un.CountKey
  ${If} $R8 = 0
  ${AndIf} $R9 = 0
    DeleteRegKey HKCU "${CLASSES}\$R1\Shell"
  ${EndIf}

  Push "${CLASSES}\$R1"
  Call un.CountKey
  ${If} $R8 <> 0
    Return
  ${EndIf}
  ; Every value left must be one KORU writes.
  StrCpy $R4 0
  ${DoWhile} $R4 < $R9
    EnumRegValue $R5 HKCU "${CLASSES}\$R1" $R4
    ${If} $R5 == ""
      ReadRegStr $R3 HKCU "${CLASSES}\$R1" ""
      ${If} $R3 != "ﾒﾃﾞｨｱﾌｧｲﾙ"
      ${AndIf} $R3 != "ﾒﾃﾞｨｱﾘｽﾄﾌｧｲﾙ"
        Return
      ${EndIf}
    ${ElseIf} $R5 != "EditFlags"
      Return
    ${EndIf}
    IntOp $R4 $R4 + 1
  ${Loop}
  DeleteRegKey HKCU "${CLASSES}\$R1"
  StrCpy $removedTypes "$removedTypes$R1|"
  StrCpy $R2 1
FunctionEnd

; An extension key goes only when all it holds is the name of a file type
; removed above (KORU created both).
Function un.ForgetExtension
  StrCpy $R2 0
  ReadRegStr $R3 HKCU "${CLASSES}\$R1" ""
  ${If} $R3 == ""
    Return
  ${EndIf}
  ; Is "|<type>|" in the list of removed types? (compared without case)
  StrLen $R5 "|$R3|"
  StrLen $R6 $removedTypes
  IntOp $R6 $R6 - $R5
  StrCpy $R4 0
  ${Do}
    ${If} $R4 > $R6
      Return  ; not one of the removed types
    ${EndIf}
    StrCpy $R7 $removedTypes $R5 $R4
    ${If} $R7 == "|$R3|"
      ${Break}
    ${EndIf}
    IntOp $R4 $R4 + 1
  ${Loop}
  Push "${CLASSES}\$R1"
  Call un.CountKey
  ${If} $R8 = 0
  ${AndIf} $R9 = 1
    DeleteRegKey HKCU "${CLASSES}\$R1"
    StrCpy $R2 1
  ${EndIf}
FunctionEnd

; Walks the user's file types, then the extensions.
Function un.RemoveAssociations
  StrCpy $koruCommand '"$INSTDIR\KORU.exe" "%1"'
  GetFullPathName /SHORT $R0 "$INSTDIR\KORU.exe"
  StrCpy $koruShortCommand '"$R0" "%1"'
  StrCpy $removedTypes "|"
  StrCpy $R0 0
  ${Do}
    EnumRegKey $R1 HKCU "${CLASSES}" $R0
    ${If} $R1 == ""
      ${Break}
    ${EndIf}
    StrCpy $R2 0
    StrCpy $R6 $R1 1
    ${If} $R6 != "."
      Call un.ForgetType
    ${EndIf}
    ${If} $R2 = 0
      IntOp $R0 $R0 + 1  ; a removed key moves the next one to this index
    ${EndIf}
  ${Loop}
  StrCpy $R0 0
  ${Do}
    EnumRegKey $R1 HKCU "${CLASSES}" $R0
    ${If} $R1 == ""
      ${Break}
    ${EndIf}
    StrCpy $R2 0
    StrCpy $R6 $R1 1
    ${If} $R6 == "."
      Call un.ForgetExtension
    ${EndIf}
    ${If} $R2 = 0
      IntOp $R0 $R0 + 1
    ${EndIf}
  ${Loop}
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'  ; SHCNE_ASSOCCHANGED
FunctionEnd

Section "un.$(ProgramName)" UnProgram
  SectionIn RO
  Call un.RemoveAssociations
  Delete "${SHORTCUT}"
  DeleteRegKey HKCU "${APPS_KEY}"
  !define KORU_UNINSTALL
  !include "${KORU_FILE_LIST}"
  !undef KORU_UNINSTALL
  Delete "$INSTDIR\${UNINSTALLER}"
SectionEnd

Section /o "un.$(RemoveDataName)" UnData
  Delete "$INSTDIR\KORU.ini"
  Delete "$INSTDIR\*.mpl"
  Delete "$INSTDIR\*.bak"
SectionEnd

Section "-un.Folder"
  RMDir "$INSTDIR"  ; only when nothing of the user's is left in it
SectionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${UnProgram} "$(ProgramText)"
  !insertmacro MUI_DESCRIPTION_TEXT ${UnData} "$(RemoveDataText)"
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END
