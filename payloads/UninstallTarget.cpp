#include "payloads/UninstallTarget.h"

#include <shlobj.h>

#include <algorithm>

#include "framework/Exception.h"
#include "framework/Handles.h"
#include "platform/SystemInfo.h"
#include "setup/ShellRules.h"
#include "setup/UninstallRules.h"

namespace {

std::wstring ShellFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  // No creation flag: the uninstaller only looks.
  if (FAILED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
  return path;
}

std::wstring Environment(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableW(name, value, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(value, n) : std::wstring();
}

// The folder's path as the system resolves it, every link and short name followed; empty when
// it cannot be opened.
std::wstring FinalPath(const std::wstring& path) {
  const TUniqueFile folder = OpenToQuery(path);
  return folder ? FinalPathOf(folder.get()) : std::wstring();
}

std::wstring ReadInstallLocation(const TUninstallEntry& entry) {
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, entry.Key.c_str(), 0, KEY_QUERY_VALUE | entry.View, &raw) != ERROR_SUCCESS) return {};
  const TUniqueKey key(raw);
  wchar_t value[1024] = {};
  DWORD size = sizeof value - sizeof(wchar_t);
  if (RegGetValueW(key.get(), nullptr, L"InstallLocation", RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) return {};
  return value;
}

// The identities of the folders in paths and of every folder above each of them.
std::vector<TFileIdentity> IdentitiesWithAncestors(const std::vector<std::wstring>& paths) {
  std::vector<TFileIdentity> ids;
  for (const auto& path : paths) {
    const std::wstring resolved = FinalPath(path);
    if (resolved.empty()) continue;
    for (const auto& folder : FolderAndAncestors(resolved))
      if (const auto id = FolderIdentity(folder)) ids.push_back(*id);
  }
  return ids;
}

bool Contains(const std::vector<TFileIdentity>& ids, const TFileIdentity& id) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// Whether the folder own, at the resolved path, is as a file system object a protected folder or
// one above a protected folder (a drive root among them), or lies below the Windows folder or a
// system folder. Network paths to this computer and aliases of a drive reach the same objects
// under other names.
bool IsSystemFolderByIdentity(const TFileIdentity& own, const std::wstring& resolved, const std::vector<std::wstring>& protectedFolders) {
  if (Contains(IdentitiesWithAncestors(protectedFolders), own)) return true;
  std::vector<TFileIdentity> windows;
  for (const std::wstring& path : {WindowsFolder(), ShellFolder(CSIDL_SYSTEM), ShellFolder(CSIDL_SYSTEMX86), NativeSystemFolder()}) {
    if (path.empty()) continue;
    if (const auto id = FolderIdentity(path)) windows.push_back(*id);
  }
  const std::vector<std::wstring> chain = FolderAndAncestors(resolved);
  for (std::size_t i = 1; i < chain.size(); ++i) {
    const auto above = FolderIdentity(chain[i]);
    if (above && Contains(windows, *above)) return true;
  }
  return false;
}

}  // namespace

TUninstallEntry ProductUninstallEntry() { return {kUninstallKey, KEY_WOW64_32KEY}; }

std::vector<std::wstring> ProtectedFolders() {
  std::vector<std::wstring> folders = {WindowsFolder()};
  for (int csidl : {CSIDL_PROGRAM_FILES, CSIDL_PROGRAM_FILESX86, CSIDL_PROGRAM_FILES_COMMON, CSIDL_PROGRAM_FILES_COMMONX86,
                    CSIDL_PROFILE, CSIDL_COMMON_APPDATA, CSIDL_COMMON_DOCUMENTS, CSIDL_SYSTEM, CSIDL_SYSTEMX86})
    folders.push_back(ShellFolder(csidl));
  // A 32-bit process sees the 64-bit Program Files only through the environment.
  for (const wchar_t* name : {L"ProgramW6432", L"CommonProgramW6432", L"PUBLIC", L"ALLUSERSPROFILE"})
    folders.push_back(Environment(name));
  // The profiles' root: the folder that holds the current profile.
  const std::wstring profile = ShellFolder(CSIDL_PROFILE);
  const std::size_t sep = profile.find_last_of(L'\\');
  if (sep != std::wstring::npos && sep > 2) folders.push_back(profile.substr(0, sep));
  // The same folders as the system resolves them, in case one is reached through a link.
  const std::size_t n = folders.size();
  for (std::size_t i = 0; i < n; ++i)
    if (!folders[i].empty()) folders.push_back(FinalPath(folders[i]));
  return folders;
}

std::vector<std::wstring> ThisMachineNames() {
  std::vector<std::wstring> names;
  for (COMPUTER_NAME_FORMAT format : {ComputerNameNetBIOS, ComputerNameDnsHostname, ComputerNameDnsFullyQualified,
                                      ComputerNamePhysicalNetBIOS, ComputerNamePhysicalDnsHostname, ComputerNamePhysicalDnsFullyQualified}) {
    wchar_t name[256] = {};
    DWORD n = 256;
    if (GetComputerNameExW(format, name, &n) && n > 0 && n < 256) names.emplace_back(name, n);
  }
  return names;
}

bool IsSameFolder(const std::wstring& a, const std::wstring& b) {
  const auto ia = FolderIdentity(a);
  return ia && ia == FolderIdentity(b);
}

THeldFolder ResolveInstallFolder(const TUninstallEntry& entry, const std::wstring& startFolder, std::wstring& refusal) {
  const std::wstring location = ReadInstallLocation(entry);
  if (location.empty()) {
    refusal = L"Сведения об установке Prismatone не найдены в реестре. Ничего не удалено.";
    return {};
  }
  const std::vector<std::wstring> protectedFolders = ProtectedFolders();
  const std::wstring windows = WindowsFolder();
  const std::vector<std::wstring> ownNames = ThisMachineNames();
  const std::wstring unsafe =
      Format(L"Папка установки в реестре (%s) — системная папка или недопустимый путь. Ничего не удалено.", {location});
  const std::wstring elsewhere = Format(
      L"Папка установки в реестре (%s) не совпадает с папкой программы удаления (%s). Ничего не удалено.", {location, startFolder});
  if (CheckInstallFolder(location, protectedFolders, windows, ownNames) != tfsSafe) {
    refusal = unsafe;
    return {};
  }
  // From here on the folder is held: what is checked is what the steps will act on.
  DWORD error = ERROR_SUCCESS;
  THeldFolder folder = THeldFolder::Open(location, error);
  if (!folder) {
    refusal = error == kErrorFolderIsLink ? unsafe : elsewhere;
    return {};
  }
  // The folder it really is must be safe too: by the path the system resolved, and by identity.
  const std::wstring resolved = FinalPathOf(folder.Handle());
  const auto own = folder.Identity();
  if (resolved.empty() || !own || CheckInstallFolder(resolved, protectedFolders, windows, ownNames) != tfsSafe ||
      IsSystemFolderByIdentity(*own, resolved, protectedFolders)) {
    refusal = unsafe;
    return {};
  }
  const auto start = FolderIdentity(startFolder);
  if (!start || *own != *start) {
    refusal = elsewhere;
    return {};
  }
  return folder;
}
