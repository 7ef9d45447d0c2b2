; A plain installer of the same seven payload files as our setup, for the start-up and install
; comparison of bench/peer/run.sh: same names, same destinations, zlib. Built at benchmark time:
;   makensis -DOUT=peer.exe -DPAYLOADS=<win32 payloads> -DPAYLOADS64=<win64 payloads> peer.nsi
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
SectionEnd
