// What the setup asks of the running system: WOW64, special folders, system colours.
#pragma once
#include <string>

// True only when IsWow64Process exists, succeeds and reports a 32-bit process on 64-bit Windows.
bool IsRunningUnderWow64();
// Whether Windows is 64-bit: this 32-bit process runs under WOW64, or this is a 64-bit build.
bool IsWindows64();
// The special folder's path (created when missing), or empty when it cannot be resolved.
std::wstring GetSpecialFolder(unsigned short csidl);
// Makes ColorToRGB answer system colours from the running system.
void InstallSystemColors();
