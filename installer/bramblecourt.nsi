; Installs the Bramblecourt.dll that the player loads (the 32-bit module for
; the 32-bit player, the 64-bit one for the 64-bit player) into the player's
; "Plug-ins" folder and registers an uninstaller. Built by CMake:
;   makensis -DDLL32=<dll> -DDLL64=<dll> -DOUTFILE=<exe> [-DTARGET_STUB=<stub>]
; The shipped Setup is a 32-bit program, so that it starts on every Windows.
; TARGET_STUB=amd64-unicode makes a 64-bit copy for the tests of machines
; that run no 32-bit programs; nothing else differs between the two.
;
; Silent use:  Bramblecourt-Setup.exe /S [/D=<player folder>]
;              Bramblecourt-Uninstall.exe /S [/REMOVESETTINGS]

!ifdef TARGET_STUB
  Target ${TARGET_STUB}
!else
  Unicode true
!endif
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!ifndef DLL32
  !error "pass -DDLL32=path\to\the\32-bit\Bramblecourt.dll"
!endif
!ifndef DLL64
  !error "pass -DDLL64=path\to\the\64-bit\Bramblecourt.dll"
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

!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryPageLeave
!define MUI_DIRECTORYPAGE_TEXT_TOP "Bramblecourt goes into the $\"Plug-ins$\" folder of the iTunes program folder, in the version that this iTunes loads: 32-bit or 64-bit. Setup looked for the folder in the registry; change it if iTunes lives elsewhere."
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The player registers its executable as the icon of the daap: scheme. The
; value may be quoted and may carry an icon index (",1"). A 64-bit player
; registers it in the 64-bit view, which a 32-bit Setup on 64-bit Windows
; reads only when it names it; a 32-bit player's may be in the 32-bit view
; only.
Function FindPlayerFolder
  ${If} ${IsWow64}
    SetRegView 64
  ${EndIf}
  ReadRegStr $0 HKCR "daap\DefaultIcon" ""
  ${If} $0 == ""
    SetRegView 32
    ReadRegStr $0 HKCR "daap\DefaultIcon" ""
  ${EndIf}
  SetRegView default
  ${If} $0 == ""
    ; Unregistered: the 64-bit player's usual folder, which $PROGRAMFILES
    ; of a 32-bit Setup on 64-bit Windows does not name (on 32-bit Windows
    ; the two are one).
    ${If} ${FileExists} "$PROGRAMFILES64\iTunes\iTunes.exe"
      StrCpy $INSTDIR "$PROGRAMFILES64\iTunes"
    ${EndIf}
    Return
  ${EndIf}
  StrCpy $1 $0 1
  StrCmp $1 '"' 0 +2
    StrCpy $0 $0 "" 1
  ${GetParent} $0 $0
  StrCmp $0 "" done
  IfFileExists "$0\*.*" 0 done
  StrCpy $INSTDIR $0
done:
FunctionEnd

!define MACHINE_X86 0x14C
!define MACHINE_X64 0x8664

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

; Reads the player's machine type; a player for another processor (an ARM64
; iTunes) loads neither module: installed there, it would never start, so
; Setup says so and leaves 1 on the stack, else 0. No iTunes.exe to read
; gets the 32-bit module, as ever.
Function RefuseAPlayerNoModuleFits
  Call ReadPlayerMachine
  ${If} $playerMachine = 0
  ${OrIf} $playerMachine = ${MACHINE_X86}
  ${OrIf} $playerMachine = ${MACHINE_X64}
    Push 0
    Return
  ${EndIf}
  IntFmt $0 "0x%04X" $playerMachine
  MessageBox MB_OK|MB_ICONSTOP "The iTunes in $INSTDIR is built for a processor other than x86 and x64 (machine type $0; 0xAA64 is ARM64). Bramblecourt comes as a 32-bit and a 64-bit module for x86 and x64 players, and neither loads into this one: installed there, it would never start.$\r$\n$\r$\nInstall the iTunes for x86 or x64 Windows and run Setup again, or choose the folder of such an iTunes." /SD IDOK
  Push 1
FunctionEnd

; The directory page sends the user back to choose another folder.
Function DirectoryPageLeave
  Call RefuseAPlayerNoModuleFits
  Pop $0
  ${If} $0 = 1
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
  Call RefuseAPlayerNoModuleFits
  Pop $0
  ${If} $0 = 1
    SetErrorLevel 2
    Quit
  ${EndIf}
  ; One name for either module, so an install over the other kind replaces
  ; it and the uninstaller removes whichever is there.
  SetOutPath "$INSTDIR\Plug-ins"
  ${If} $playerMachine = ${MACHINE_X64}
    File "/oname=Bramblecourt.dll" "${DLL64}"
    DetailPrint "Installed the 64-bit module for a 64-bit player."
  ${Else}
    File "/oname=Bramblecourt.dll" "${DLL32}"
    ${If} $playerMachine = ${MACHINE_X86}
      DetailPrint "Installed the 32-bit module for a 32-bit player."
    ${Else}
      DetailPrint "Installed the 32-bit module: there is no iTunes.exe in $INSTDIR to tell which player it is."
    ${EndIf}
  ${EndIf}
  WriteUninstaller "$INSTDIR\Plug-ins\Bramblecourt-Uninstall.exe"
  ; The shipped Setup, a 32-bit program, writes the 32-bit view; named, so
  ; that its 64-bit copy writes the same place.
  SetRegView 32
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Bramblecourt plug-in for iTunes"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Plug-ins\Bramblecourt-Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Plug-ins\Bramblecourt-Uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR\Plug-ins"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  SetRegView default
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
  SetRegView 32
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  SetRegView default
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
