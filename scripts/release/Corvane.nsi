; The Corvane installer. scripts/release/assemble compiles it with VERSION, STAGE (the assembled
; kit), COPYRIGHT and OUTFILE defined.
; Per machine (administrator, the default for administrators, or /AllUsers): Program Files, the
; 32-bit module registered by the 32-bit regsvr32 and the 64-bit module by the 64-bit one.
; Per user (/CurrentUser, the default without administrator rights): the user's local
; application data, both modules registered for this user only (regsvr32 /n /i:user).
; /S installs and uninstalls silently. Exit code 2: installed, but a module could not be
; registered (the details list says which).
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!define PRODUCT "Corvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvane"
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_INSTALLMODE_INSTDIR "Corvane"
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${UNINSTALL_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!include MultiUser.nsh
!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh

Name "Corvane ActiveX Control ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${COPYRIGHT}"
VIProductVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "Corvane ActiveX Control"
VIAddVersionKey /LANG=1033 "FileDescription" "Corvane ActiveX Control Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${COPYRIGHT}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

Var RegisterFailures

; Registers (or with /u unregisters) one module with the regsvr32 of its bitness, machine-wide
; or for the current user after the install mode. A failure is counted, not fatal: the other
; module and the files stay usable and the exit code says so.
!macro RunRegsvr32 REGSVR32 FLAGS MODULE
  ${If} $MultiUser.InstallMode == "CurrentUser"
    StrCpy $1 "/n /i:user"
  ${Else}
    StrCpy $1 ""
  ${EndIf}
  ClearErrors
  ExecWait '"${REGSVR32}" /s ${FLAGS} $1 "${MODULE}"' $0
  ${If} ${Errors}
  ${OrIf} $0 != 0
    IntOp $RegisterFailures $RegisterFailures + 1
    DetailPrint "regsvr32 ${FLAGS} $1 failed for ${MODULE} (${REGSVR32}, code $0)"
  ${EndIf}
!macroend

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_OK|MB_ICONSTOP "This installer needs 64-bit Windows. On 32-bit Windows use the x86 folder of the Corvane zip." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  SetRegView 64
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

Section "Corvane" SectionMain
  StrCpy $RegisterFailures 0
  SetOutPath "$INSTDIR\x86"
  File "${STAGE}\x86\Corvane.OCX"
  File "${STAGE}\x86\Corvane.X.manifest"
  File "${STAGE}\x86\SampleApplication.exe.manifest"
  File "${STAGE}\x86\corvane-demo.exe"
  SetOutPath "$INSTDIR\x64"
  File "${STAGE}\x64\Corvane.OCX"
  File "${STAGE}\x64\Corvane.X.manifest"
  File "${STAGE}\x64\SampleApplication.exe.manifest"
  File "${STAGE}\x64\corvane-demo.exe"
  SetOutPath "$INSTDIR\include"
  File "${STAGE}\include\Corvane.h"
  File "${STAGE}\include\Corvane.tlb"
  SetOutPath "$INSTDIR\docs"
  File "${STAGE}\docs\README.md"
  SetOutPath "$INSTDIR\docs\samples"
  File "${STAGE}\docs\samples\*.*"
  SetOutPath "$INSTDIR"
  File "${STAGE}\NOTICE.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  !insertmacro RunRegsvr32 "$WINDIR\SysWOW64\regsvr32.exe" "" "$INSTDIR\x86\Corvane.OCX"
  !insertmacro RunRegsvr32 "$WINDIR\System32\regsvr32.exe" "" "$INSTDIR\x64\Corvane.OCX"

  CreateDirectory "$SMPROGRAMS\Corvane"
  CreateShortcut "$SMPROGRAMS\Corvane\Corvane Demo Player.lnk" "$INSTDIR\x64\corvane-demo.exe"
  CreateShortcut "$SMPROGRAMS\Corvane\Corvane Guide.lnk" "$INSTDIR\docs\README.md"

  ; The entry in the system's list of installed programs, in the part of the registry of the
  ; install mode (SHCTX: the machine's or the user's).
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Corvane ActiveX Control"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Quendra Software"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\x64\corvane-demo.exe"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallMode" "$MultiUser.InstallMode"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /$MultiUser.InstallMode /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1

  ${If} $RegisterFailures != 0
    SetErrorLevel 2
    MessageBox MB_OK|MB_ICONEXCLAMATION "Corvane is installed, but $RegisterFailures module(s) could not be registered. See the details list." /SD IDOK
  ${EndIf}
SectionEnd

Section "Uninstall"
  StrCpy $RegisterFailures 0
  !insertmacro RunRegsvr32 "$WINDIR\SysWOW64\regsvr32.exe" "/u" "$INSTDIR\x86\Corvane.OCX"
  !insertmacro RunRegsvr32 "$WINDIR\System32\regsvr32.exe" "/u" "$INSTDIR\x64\Corvane.OCX"

  Delete "$SMPROGRAMS\Corvane\Corvane Demo Player.lnk"
  Delete "$SMPROGRAMS\Corvane\Corvane Guide.lnk"
  RMDir "$SMPROGRAMS\Corvane"

  !macro DeleteArch ARCH
    Delete "$INSTDIR\${ARCH}\Corvane.OCX"
    Delete "$INSTDIR\${ARCH}\Corvane.X.manifest"
    Delete "$INSTDIR\${ARCH}\SampleApplication.exe.manifest"
    Delete "$INSTDIR\${ARCH}\corvane-demo.exe"
    RMDir "$INSTDIR\${ARCH}"
  !macroend
  !insertmacro DeleteArch x86
  !insertmacro DeleteArch x64
  Delete "$INSTDIR\include\Corvane.h"
  Delete "$INSTDIR\include\Corvane.tlb"
  RMDir "$INSTDIR\include"
  RMDir /r "$INSTDIR\docs"
  Delete "$INSTDIR\NOTICE.txt"
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ; A user's first per-user program leaves these behind otherwise; they go only when empty.
  DeleteRegKey /ifempty SHCTX "Software\Microsoft\Windows\CurrentVersion\Uninstall"
  ${If} $MultiUser.InstallMode == "CurrentUser"
  ${AndIf} "$INSTDIR" == "$LOCALAPPDATA\Programs\Corvane"
    RMDir "$LOCALAPPDATA\Programs"
  ${EndIf}
  ${If} $RegisterFailures != 0
    SetErrorLevel 2
  ${EndIf}
SectionEnd
