// What the setup asks of the running system: WOW64, special folders, system colours.
#pragma once
#include <string>

// True only when IsWow64Process exists, succeeds and reports a 32-bit process on 64-bit Windows.
bool IsRunningUnderWow64();
// Whether Windows is 64-bit: this 32-bit process runs under WOW64, or this is a 64-bit build.
bool IsWindows64();
// The Windows folder, or empty when the system does not give it.
std::wstring WindowsFolder();
// The system folder of the system's own bitness, where its native programs (regsvr32) are: a
// 32-bit process on 64-bit Windows reaches it through "Sysnative", its "System32" being
// redirected to the 32-bit folder.
std::wstring NativeSystemFolder();
// The special folder's path (created when missing), or empty when it cannot be resolved.
std::wstring GetSpecialFolder(unsigned short csidl);
// Makes ColorToRGB answer system colours from the running system.
void InstallSystemColors();
