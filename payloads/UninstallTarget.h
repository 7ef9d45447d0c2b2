// Where the uninstaller may act: the install folder named by the Uninstall entry, accepted only
// when it is the folder the uninstaller was started from and no system folder. The entry is data
// that anyone with administrator rights may have changed. Folders are compared as file system
// objects, not by their spelling, and the accepted folder is held from its check on.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "payloads/HeldFolder.h"

// The Uninstall entry as the setup writes it: the 32-bit view of HKEY_LOCAL_MACHINE.
struct TUninstallEntry {
  std::wstring Key;
  REGSAM View = KEY_WOW64_32KEY;
};
TUninstallEntry ProductUninstallEntry();

// The folders no install may be: the Windows folder, the Program Files folders, the profiles'
// root, the current profile, the public and the shared program-data folders, the system drive.
std::vector<std::wstring> ProtectedFolders();

// The names by which the network reaches this computer (NetBIOS and DNS, short and full).
std::vector<std::wstring> ThisMachineNames();

// Whether two paths name the same existing folder (the same file system object, however
// spelled: case, short names, links, shares).
bool IsSameFolder(const std::wstring& a, const std::wstring& b);

// The install folder as the entry's "InstallLocation" names it, held open (THeldFolder) when it
// is safe to act on and is startFolder; otherwise an empty one, with the
// reason (a sentence for the user) in refusal. Safe means: neither its spelling nor the folder it
// is (a protected folder, a folder holding one, a drive root, or below the Windows folder or a
// system folder) is refused, and it is not itself a link.
THeldFolder ResolveInstallFolder(const TUninstallEntry& entry, const std::wstring& startFolder, std::wstring& refusal);
