; Installs Bramblecourt.dll into the player's "Plug-ins" folder and registers
; an uninstaller. Built by CMake: makensis -DDLL=<dll> -DOUTFILE=<exe>.
;
; Silent use:  Bramblecourt-Setup.exe /S [/D=<player folder>]
;              Bramblecourt-Uninstall.exe /S [/REMOVESETTINGS]

Unicode true
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!ifndef DLL
  !error "pass -DDLL=path\to\Bramblecourt.dll"
!endif
!ifndef OUTFILE
  !define OUTFILE "Bramblecourt-Setup.exe"
!endif

!define PRODUCT "Bramblecourt"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Bramblecourt"
!define SETTINGS_KEY "Software\Apple Computer, Inc.\iTunes\Quorvane"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES\iTunes"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!define MUI_DIRECTORYPAGE_TEXT_TOP "Bramblecourt goes into the $\"Plug-ins$\" folder of the iTunes program folder. Setup looked for the folder in the registry; change it if iTunes lives elsewhere."
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The player registers its executable as the icon of the daap: scheme. The
; value may be quoted and may carry an icon index (",1").
Function FindPlayerFolder
  ReadRegStr $0 HKCR "daap\DefaultIcon" ""
  StrCmp $0 "" done
  StrCpy $1 $0 1
  StrCmp $1 '"' 0 +2
    StrCpy $0 $0 "" 1
  ${GetParent} $0 $0
  StrCmp $0 "" done
  IfFileExists "$0\*.*" 0 done
  StrCpy $INSTDIR $0
done:
FunctionEnd

Function .onInit
  ; /D= on the command line wins over the registry.
  StrCmp $INSTDIR "$PROGRAMFILES\iTunes" 0 +2
    Call FindPlayerFolder
FunctionEnd

Section "Bramblecourt"
  SetOutPath "$INSTDIR\Plug-ins"
  File "/oname=Bramblecourt.dll" "${DLL}"
  WriteUninstaller "$INSTDIR\Plug-ins\Bramblecourt-Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Bramblecourt plug-in for iTunes"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Plug-ins\Bramblecourt-Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Plug-ins\Bramblecourt-Uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR\Plug-ins"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Var removeSettings

Function un.onInit
  StrCpy $removeSettings 0
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVESETTINGS" $1
  IfErrors +2
    StrCpy $removeSettings 1
FunctionEnd

Section "Uninstall"
  Delete "$INSTDIR\Bramblecourt.dll"
  Delete "$INSTDIR\Bramblecourt-Uninstall.exe"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${If} $removeSettings == 0
    MessageBox MB_YESNO|MB_ICONQUESTION "Also remove Bramblecourt's settings?" /SD IDNO IDNO keep
    StrCpy $removeSettings 1
  keep:
  ${EndIf}
  ${If} $removeSettings == 1
    DeleteRegKey HKLM "${SETTINGS_KEY}"
  ${EndIf}
SectionEnd
