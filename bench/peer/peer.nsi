; A plain installer of the same seven payload files as our setup, for the start-up and install
; comparison of bench/peer/run.sh: same names, same destinations, zlib. Built at benchmark time:
;   makensis -DOUT=peer.exe -DPAYLOADS=<win32 payloads> -DPAYLOADS64=<win64 payloads> peer.nsi
; -DSTEPS: after the files it also does what our setup's install does after them, in the same order:
; the two shortcuts, the Uninstall entry, the extension's registration started through the command
; interpreter, the two file types and the shell's notice of them. Without it, it lays the files only.
Unicode true
SetCompressor zlib
!include "x64.nsh"
; -DX64: the x86-64 build, for hosts that run 32-bit code only through an emulator. Like our x86-64
; build it installs into the native program folder.
!ifdef X64
Target amd64-unicode
!endif
Name "Prismatone"
Caption "Peer installer"
OutFile "${OUT}"
RequestExecutionLevel admin
!ifdef X64
InstallDir "$PROGRAMFILES64\Prismatone"
!else
InstallDir "$PROGRAMFILES\Prismatone"
!endif
Page directory
Page instfiles

Section
  SetOutPath "$INSTDIR"
  File "${PAYLOADS}/bass.dll"
  File "${PAYLOADS}/basswasapi.dll"
  File "${PAYLOADS}/Prismatone.exe"
  File "${PAYLOADS}/launch_newinstance.bat"
  File "${PAYLOADS}/Prismatone_uninstall.exe"
  ; The thumbnail extension of the system's bitness, in the 32-bit system folder as ours does.
  ${If} ${RunningX64}
    SetOutPath "$WINDIR\SysWOW64"
    File "${PAYLOADS64}/PTThumbnail64.dll"
  ${Else}
    SetOutPath "$SYSDIR"
    File "${PAYLOADS}/PTThumbnail32.dll"
  ${EndIf}
!ifdef STEPS
  !define KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Prismatone"
  SetOutPath "$INSTDIR"  ; the shortcuts' working folder
  CreateShortCut "$DESKTOP\Prismatone.lnk" "$INSTDIR\Prismatone.exe"
  CreateShortCut "$SMPROGRAMS\Prismatone.lnk" "$INSTDIR\Prismatone.exe"
  WriteRegStr HKLM "${KEY}" "DisplayIcon" "$INSTDIR\Prismatone.exe"
  WriteRegStr HKLM "${KEY}" "DisplayName" "Prismatone"
  WriteRegStr HKLM "${KEY}" "DisplayVersion" "beta v.1.0.0.0"
  WriteRegStr HKLM "${KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${KEY}" "Publisher" "Quorvane"
  WriteRegStr HKLM "${KEY}" "UninstallString" '"$INSTDIR\Prismatone_uninstall.exe"'
  WriteRegStr HKLM "${KEY}" "URLInfoAbout" "https://example.org/prismatone"
  WriteRegStr HKLM "${KEY}" "URLUpdateInfo" "https://example.org/prismatone"
  WriteRegDWORD HKLM "${KEY}" "EstimatedSize" 5000
  ${If} ${RunningX64}
    SetOutPath "$WINDIR\SysWOW64"
    ExecShell "open" "$SYSDIR\cmd.exe" "/c regsvr32 /s PTThumbnail64.dll" SW_SHOW
  ${Else}
    SetOutPath "$SYSDIR"
    ExecShell "open" "$SYSDIR\cmd.exe" "/c regsvr32 /s PTThumbnail32.dll" SW_SHOW
  ${EndIf}
  WriteRegStr HKCR ".pts" "" "Prismatone.Preset"
  WriteRegStr HKCR "Prismatone.Preset\DefaultIcon" "" "$INSTDIR\Prismatone.exe,1"
  WriteRegStr HKCR "Prismatone.Preset\shell\Open" "" "Open with Prismatone"
  WriteRegStr HKCR "Prismatone.Preset\shell\Open\Command" "" '"$INSTDIR\Prismatone.exe" "%1"'
  WriteRegStr HKCR ".ptt" "" "Prismatone.Theme"
  WriteRegStr HKCR "Prismatone.Theme\DefaultIcon" "" "$INSTDIR\Prismatone.exe,2"
  WriteRegStr HKCR "Prismatone.Theme\shell\Open" "" "Open with Prismatone"
  WriteRegStr HKCR "Prismatone.Theme\shell\Open\Command" "" '"$INSTDIR\Prismatone.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'  ; SHCNE_ASSOCCHANGED
!endif
SectionEnd
