// Where the uninstaller may act: the install folder named by the Uninstall entry, accepted only
// when it is the folder the uninstaller was started from and no system folder. The entry is data
// that anyone with administrator rights may have changed.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

// The Uninstall entry as the setup writes it: the 32-bit view of HKEY_LOCAL_MACHINE.
struct TUninstallEntry {
  std::wstring Key;
  REGSAM View = KEY_WOW64_32KEY;
};
TUninstallEntry ProductUninstallEntry();

// The folders no install may be: the Windows folder, the Program Files folders, the profiles'
// root, the current profile, the public and the shared program-data folders, the system drive.
std::vector<std::wstring> ProtectedFolders();

// Whether two paths name the same existing folder (the same file system object, however
// spelled: case, short names, links).
bool IsSameFolder(const std::wstring& a, const std::wstring& b);

// The install folder as the entry's "InstallLocation" names it, when it is safe to act on and is
// startFolder; otherwise empty, with the reason (a sentence for the user) in refusal.
std::wstring ResolveInstallFolder(const TUninstallEntry& entry, const std::wstring& startFolder, std::wstring& refusal);
