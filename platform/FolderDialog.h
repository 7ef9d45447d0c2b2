// The platform's folder browser.
#pragma once
#include <windows.h>

#include <string>

// Shows the folder browser with the given caption, rooted at the special folder csidl, starting
// at path when it exists. Returns true and the chosen folder in path when the user confirms.
bool BrowseForFolder(HWND owner, const std::wstring& caption, int rootCsidl, std::wstring& path);
// The special folder of a root name ("rfDesktop", "rfMyComputer", ...); the desktop for others.
int RootFolderCsidl(const std::wstring& root);
