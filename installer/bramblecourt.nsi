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

!define MUI_PAGE_CUSTOMFUNCTION_LEAVE RefuseA64BitPlayer
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

; The machine type in the PE header of the player's executable in $INSTDIR
; (0x14C x86, 0x8664 x64, 0xAA64 ARM64); 0 when it is missing or no PE.
Var playerMachine
Function ReadPlayerMachine
  Push $R0
  Push $R1
  Push $R2
  StrCpy $playerMachine 0
  ClearErrors
  FileOpen $R0 "$INSTDIR\iTunes.exe" r
  IfErrors done
  FileReadWord $R0 $R1
  ${If} $R1 = 0x5A4D
    ; "MZ"; the new header's offset is the 32-bit word at 0x3C.
    FileSeek $R0 0x3C SET
    FileReadWord $R0 $R1
    FileReadWord $R0 $R2
    IntOp $R2 $R2 << 16
    IntOp $R1 $R1 | $R2
    FileSeek $R0 $R1 SET
    FileReadWord $R0 $R1
    FileReadWord $R0 $R2
    ${If} $R1 = 0x4550
    ${AndIf} $R2 = 0
      ; "PE\0\0", then the machine.
      FileReadWord $R0 $R1
      ${IfNot} ${Errors}
        StrCpy $playerMachine $R1
      ${EndIf}
    ${EndIf}
  ${EndIf}
  FileClose $R0
done:
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd

; A 64-bit program cannot load this 32-bit module: installed, it would never
; start. The directory page sends the user back to choose another folder;
; a silent install ends with exit code 2.
!define REFUSAL_64_BIT "The iTunes in $INSTDIR is the 64-bit player. This Bramblecourt is built for the 32-bit player only, and a 64-bit program cannot load it: installed there, it would never start.$\r$\n$\r$\nInstall the 32-bit iTunes for Windows and run Setup again, or choose the folder of a 32-bit iTunes."
Function RefuseA64BitPlayer
  Call ReadPlayerMachine
  ${If} $playerMachine = 0x8664
  ${OrIf} $playerMachine = 0xAA64
    MessageBox MB_OK|MB_ICONSTOP "${REFUSAL_64_BIT}" /SD IDOK
    Abort
  ${EndIf}
FunctionEnd

Function .onInit
  ; /D= on the command line wins over the registry.
  StrCmp $INSTDIR "$PROGRAMFILES\iTunes" 0 +2
    Call FindPlayerFolder
FunctionEnd

Section "Bramblecourt"
  ; Silent installs skip the directory page and its check.
  Call ReadPlayerMachine
  ${If} $playerMachine = 0x8664
  ${OrIf} $playerMachine = 0xAA64
    MessageBox MB_OK|MB_ICONSTOP "${REFUSAL_64_BIT}" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
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
  ; The module keeps its settings per user; earlier installs kept them for
  ; the machine, in the 32-bit view, which a 64-bit uninstaller names.
  ${If} $removeSettings == 1
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    SetRegView 32
    DeleteRegKey HKLM "${SETTINGS_KEY}"
    SetRegView default
  ${EndIf}
SectionEnd
