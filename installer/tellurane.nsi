; Tellurane's setup: a per-user installation that needs no administrator.
; Built by installer/make-setup.sh, which defines VERSION ("7.00"), VERSION_NUMBERS ("7.0.0.0"),
; COPYRIGHT_YEAR, PAYLOAD (the files as installer/payload.sh lays them out), SKINS_LIST (an .nsh
; naming the skins this release installs and every skin any release shipped) and OUTFILE.

Unicode true
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include nsDialogs.nsh
!include LogicLib.nsh
!include WinMessages.nsh
!include "${SKINS_LIST}"

!define /ifndef SYNCHRONIZE 0x00100000

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tellurane"
!define SETTINGS_KEY "Software\Marrowick\Tellurane"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define STARTUP_APPROVED_KEY "Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run"
; The clock's start-up entry is named after its file, whichever list it is in.
!define RUN_VALUE "Tellurane.exe"

Name "Tellurane"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tellurane"
; An upgrade goes where the installed version is.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Tellurane ${VERSION}"

VIProductVersion "${VERSION_NUMBERS}"
VIFileVersion "${VERSION_NUMBERS}"

!define MUI_ICON "..\resources\tellurane.ico"
!define MUI_UNICON "..\resources\tellurane.ico"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "$(TELLURANE_WELCOME)"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN "$INSTDIR\Tellurane.exe"
!define MUI_FINISHPAGE_RUN_TEXT "$(TELLURANE_START)"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

UninstPage custom un.OptionsShow un.OptionsLeave
!insertmacro MUI_UNPAGE_INSTFILES

; The languages of the program. No language dialog: at start NSIS takes the one of the user's
; Windows display language (GetUserDefaultUILanguage), else one of the same primary language
; (Portuguese for Angola gets Portuguese, Nynorsk gets Norwegian), else the first inserted:
; English, so it stays first. Serbian and Croatian share a primary language: SerbianLatin comes
; first, so that Windows' sr-Latn-RS (0x241A, which NSIS's 0x081A is not) gets Serbian, not
; Croatian. In Arabic, Hebrew and Persian NSIS's pages and message boxes are right to left by themselves. MUI_LANGUAGE brings NSIS's own texts for the pages; installer/lang/ has ours, a file
; a language.
!macro TELLURANE_LANGUAGE NAME
  !insertmacro MUI_LANGUAGE "${NAME}"
  !include "lang\${NAME}.nsh"
!macroend
!insertmacro TELLURANE_LANGUAGE "English"
!insertmacro TELLURANE_LANGUAGE "German"
!insertmacro TELLURANE_LANGUAGE "French"
!insertmacro TELLURANE_LANGUAGE "Spanish"
!insertmacro TELLURANE_LANGUAGE "Italian"
!insertmacro TELLURANE_LANGUAGE "PortugueseBR"
!insertmacro TELLURANE_LANGUAGE "Dutch"
!insertmacro TELLURANE_LANGUAGE "Polish"
!insertmacro TELLURANE_LANGUAGE "Czech"
!insertmacro TELLURANE_LANGUAGE "Swedish"
!insertmacro TELLURANE_LANGUAGE "Finnish"
!insertmacro TELLURANE_LANGUAGE "Danish"
!insertmacro TELLURANE_LANGUAGE "Norwegian"
!insertmacro TELLURANE_LANGUAGE "Turkish"
!insertmacro TELLURANE_LANGUAGE "Russian"
!insertmacro TELLURANE_LANGUAGE "Ukrainian"
!insertmacro TELLURANE_LANGUAGE "Greek"
!insertmacro TELLURANE_LANGUAGE "Japanese"
!insertmacro TELLURANE_LANGUAGE "SimpChinese"
!insertmacro TELLURANE_LANGUAGE "TradChinese"
!insertmacro TELLURANE_LANGUAGE "Korean"
!insertmacro TELLURANE_LANGUAGE "Arabic"
!insertmacro TELLURANE_LANGUAGE "Hebrew"
!insertmacro TELLURANE_LANGUAGE "Portuguese"
!insertmacro TELLURANE_LANGUAGE "Bulgarian"
!insertmacro TELLURANE_LANGUAGE "SerbianLatin"
!insertmacro TELLURANE_LANGUAGE "Croatian"
!insertmacro TELLURANE_LANGUAGE "Slovenian"
!insertmacro TELLURANE_LANGUAGE "Slovak"
!insertmacro TELLURANE_LANGUAGE "Hungarian"
!insertmacro TELLURANE_LANGUAGE "Romanian"
!insertmacro TELLURANE_LANGUAGE "Estonian"
!insertmacro TELLURANE_LANGUAGE "Latvian"
!insertmacro TELLURANE_LANGUAGE "Lithuanian"
!insertmacro TELLURANE_LANGUAGE "Catalan"
!insertmacro TELLURANE_LANGUAGE "Indonesian"
!insertmacro TELLURANE_LANGUAGE "Vietnamese"
!insertmacro TELLURANE_LANGUAGE "Thai"
!insertmacro TELLURANE_LANGUAGE "Hindi"
!insertmacro TELLURANE_LANGUAGE "Farsi"

; Windows writes the Chinese of Hong Kong and Macao in traditional characters and that of Singapore in
; simplified ones; NSIS, which has no table for them, would give all three the Chinese it meets first
; (Simplified). Run in .onInit, after which NSIS picks the language again from $LANGUAGE.
!macro CHINESE_AS_WINDOWS_WRITES_IT
  System::Call "kernel32::GetUserDefaultUILanguage() i .r0"
  ${If} $0 = 3076      ; zh-HK
  ${OrIf} $0 = 5124    ; zh-MO
    StrCpy $LANGUAGE ${LANG_TRADCHINESE}
  ${ElseIf} $0 = 4100  ; zh-SG
    StrCpy $LANGUAGE ${LANG_SIMPCHINESE}
  ${EndIf}
!macroend

VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Tellurane"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "Marrowick"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Tellurane Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "Copyright (C) ${COPYRIGHT_YEAR} Marrowick"

; What a quiet setup or uninstall could not do goes to a log in the user's temporary folder, and the
; exit code is not 0: a box nobody sees says nothing.
; The log is UTF-8 (65001), so that a message reads back as written in any language: FileWrite would
; put it in the ANSI code page, which has no letters for most of them.
!define LOG_FILE "$TEMP\Tellurane setup.log"
!macro LOG_FUNCTION PREFIX
Function ${PREFIX}Log
  Exch $R9
  Push $R8
  Push $R7
  Push $R6
  DetailPrint "$R9"
  FileOpen $R8 "${LOG_FILE}" a
  ${If} $R8 != ""
    FileSeek $R8 0 END
    StrCpy $R9 "$R9$\r$\n"
    System::Call "kernel32::WideCharToMultiByte(i 65001, i 0, w R9, i -1, p 0, i 0, p 0, p 0) i .R7"
    ${If} $R7 > 1
      System::Alloc $R7
      Pop $R6
      System::Call "kernel32::WideCharToMultiByte(i 65001, i 0, w R9, i -1, p R6, i R7, p 0, p 0) i .R7"
      IntOp $R7 $R7 - 1  ; not the closing NUL
      System::Call "kernel32::WriteFile(p R8, p R6, i R7, *i .R7, p 0)"
      System::Free $R6
    ${EndIf}
    FileClose $R8
  ${EndIf}
  Pop $R6
  Pop $R7
  Pop $R8
  Pop $R9
FunctionEnd
!macroend
!insertmacro LOG_FUNCTION ""
!insertmacro LOG_FUNCTION "un."

; A running clock keeps Tellurane.exe open. Each one is asked to close as its close box would: it
; saves its place and ends within a second or two. Waits at most 10 s, then lets the user retry. A
; clock running as administrator cannot be asked (Windows drops the message of a program with fewer
; rights): the user is told so.
!macro CLOSE_RUNNING_CLOCK_FUNCTION PREFIX
Function ${PREFIX}CloseRunningClock
  StrCpy $R5 ""
  System::Call "kernel32::GetTickCount() i .R0"
  IntOp $R0 $R0 + 10000
  ${Do}
    FindWindow $R1 "Tellurane.Form1"
    ${If} $R1 = 0
      ${Break}
    ${EndIf}
    System::Call "kernel32::GetTickCount() i .R4"
    IntOp $R4 $R0 - $R4
    ${If} $R4 <= 0
      ${If} $R5 == "denied"
        StrCpy $R6 "$(TELLURANE_RUNNING_AS_ADMINISTRATOR)"
      ${Else}
        StrCpy $R6 "$(TELLURANE_DID_NOT_CLOSE)"
      ${EndIf}
      ; No /MB_RIGHT nor /MB_RTLREADING: in Arabic, Hebrew and Persian NSIS adds both to every box itself.
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(TELLURANE_RETRY_BOX)" /SD IDCANCEL IDRETRY retry
      Push "$(TELLURANE_NOTHING_CHANGED_LOG)"
      Call ${PREFIX}Log
      SetErrorLevel 3
      Abort
      retry:
      StrCpy $R5 ""
      System::Call "kernel32::GetTickCount() i .R0"
      IntOp $R0 $R0 + 10000
      ${Continue}
    ${EndIf}
    System::Call "user32::PostMessageW(p R1, i ${WM_CLOSE}, p 0, p 0) i .R7 ?e"
    Pop $R6
    ${If} $R7 = 0
    ${AndIf} $R6 = 5
      ; ERROR_ACCESS_DENIED: a clock with more rights than this setup. Waiting would only take the 10 s.
      StrCpy $R5 "denied"
      StrCpy $R0 0
      ${Continue}
    ${EndIf}
    System::Call "user32::GetWindowThreadProcessId(p R1, *i .R2)"
    System::Call "kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i R2) p .R3"
    ${If} $R3 <> 0
      ; Wait for the process, not just its window: the file stays in use until the process ends.
      System::Call "kernel32::WaitForSingleObject(p R3, i R4)"
      System::Call "kernel32::CloseHandle(p R3)"
    ${Else}
      Sleep 100
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_CLOCK_FUNCTION ""
!insertmacro CLOSE_RUNNING_CLOCK_FUNCTION "un."

!macro INSTALL_SKIN NAME
  File "${PAYLOAD}/skins/${NAME}"
!macroend
!macro REMOVE_SKIN NAME
  Delete "$INSTDIR\skins\${NAME}"
!macroend

Section "Tellurane" SecProgram
  SectionIn RO
  Call CloseRunningClock
  ; Only the program's own files: settings, and skins the user put in the x folder, stay as they are.
  SetOutPath "$INSTDIR"
  File "${PAYLOAD}/Tellurane.exe"
  File "${PAYLOAD}/User guide.txt"
  File "${PAYLOAD}/skins.md"
  ; A skin an older release shipped and this one does not goes; the user's own are in x.
  !insertmacro TELLURANE_SHIPPED_SKINS REMOVE_SKIN
  SetOutPath "$INSTDIR\skins"
  !insertmacro TELLURANE_SKINS INSTALL_SKIN
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortcut "$SMPROGRAMS\Tellurane.lnk" "$INSTDIR\Tellurane.exe"
SectionEnd

Section /o "$(TELLURANE_DESKTOP_SHORTCUT)" SecDesktop
  SetOutPath "$INSTDIR"
  CreateShortcut "$DESKTOP\Tellurane.lnk" "$INSTDIR\Tellurane.exe"
SectionEnd

Section "-Register"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tellurane"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Marrowick"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tellurane.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  SectionGetSize ${SecProgram} $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function .onInit
  !insertmacro CHINESE_AS_WINDOWS_WRITES_IT
  ; An upgrade keeps the desktop shortcut the user chose the first time.
  ${If} ${FileExists} "$DESKTOP\Tellurane.lnk"
    SectionSetFlags ${SecDesktop} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

Var RemoveSettingsBox
Var RemoveSettings

Function un.onInit
  !insertmacro CHINESE_AS_WINDOWS_WRITES_IT
  ; Silent removals keep the settings.
  StrCpy $RemoveSettings ${BST_UNCHECKED}
FunctionEnd

Function un.OptionsShow
  !insertmacro MUI_HEADER_TEXT "$(TELLURANE_UNINSTALL_TITLE)" "$(TELLURANE_UNINSTALL_SUBTITLE)"
  nsDialogs::Create 1018
  Pop $0
  ; Right to left in Arabic, Hebrew and Persian, as NSIS's own pages are: nsDialogs does not do it by itself.
  nsDialogs::SetRTL $(^RTL)
  ; Room for the longer languages' lines.
  ${NSD_CreateLabel} 0 0 100% 64u "$(TELLURANE_UNINSTALL_INFO)"
  Pop $0
  ${NSD_CreateCheckbox} 0 70u 100% 12u "$(TELLURANE_REMOVE_SETTINGS)"
  Pop $RemoveSettingsBox
  ${NSD_SetState} $RemoveSettingsBox $RemoveSettings
  nsDialogs::Show
FunctionEnd

Function un.OptionsLeave
  ${NSD_GetState} $RemoveSettingsBox $RemoveSettings
FunctionEnd

Section "un.Tellurane"
  Call un.CloseRunningClock
  ; File by file: the folder may hold the user's own skins (x) or cursor, which are theirs to keep.
  Delete "$INSTDIR\Tellurane.exe"
  Delete "$INSTDIR\User guide.txt"
  Delete "$INSTDIR\skins.md"
  !insertmacro TELLURANE_SHIPPED_SKINS REMOVE_SKIN
  RMDir "$INSTDIR\skins"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\Tellurane.lnk"
  Delete "$DESKTOP\Tellurane.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  DeleteRegValue HKCU "${STARTUP_APPROVED_KEY}" "${RUN_VALUE}"
  ; The entry for all users goes too where this account may remove it; elsewhere it stays, and the
  ; user is told, as the clock tells them.
  DeleteRegValue HKLM "${RUN_KEY}" "${RUN_VALUE}"
  ClearErrors
  ReadRegStr $0 HKLM "${RUN_KEY}" "${RUN_VALUE}"
  ${IfNot} ${Errors}
    StrCpy $1 "$(TELLURANE_MACHINE_ENTRY_STAYS)"
    MessageBox MB_OK|MB_ICONINFORMATION "$1" /SD IDOK
    Push "$1"
    Call un.Log
    SetErrorLevel 4
  ${EndIf}

  ${If} $RemoveSettings == ${BST_CHECKED}
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Marrowick"
  ${EndIf}
SectionEnd
