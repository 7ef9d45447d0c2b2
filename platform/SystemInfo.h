// What the setup asks of the running system: WOW64, special folders, system colours.
#pragma once
#include <string>

// True only when IsWow64Process exists, succeeds and reports a 32-bit process on 64-bit Windows.
bool IsRunningUnderWow64();
// The special folder's path (created when missing), or empty when it cannot be resolved.
std::wstring GetSpecialFolder(unsigned short csidl);
// Makes ColorToRGB answer system colours from the running system.
void InstallSystemColors();
