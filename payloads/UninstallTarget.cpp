#include "payloads/UninstallTarget.h"

#include <shlobj.h>

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

TUniqueFile OpenFolder(const std::wstring& path) {
  return TUniqueFile(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                 nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// The folder's path after the system resolved every link and short name, without the "\\?\"
// prefix; empty when it cannot be opened.
std::wstring FinalPath(const std::wstring& path) {
  const TUniqueFile folder = OpenFolder(path);
  if (!folder) return {};
  wchar_t buf[1024] = {};
  const DWORD n = GetFinalPathNameByHandleW(folder.get(), buf, 1024, FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
  if (n == 0 || n >= 1024) return {};
  std::wstring s(buf, n);
  if (s.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + s.substr(8);
  if (s.rfind(L"\\\\?\\", 0) == 0) return s.substr(4);
  return s;
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

bool IsSameFolder(const std::wstring& a, const std::wstring& b) {
  const TUniqueFile fa = OpenFolder(a), fb = OpenFolder(b);
  if (!fa || !fb) return false;
  BY_HANDLE_FILE_INFORMATION ia{}, ib{};
  if (!GetFileInformationByHandle(fa.get(), &ia) || !GetFileInformationByHandle(fb.get(), &ib)) return false;
  return (ia.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && ia.dwVolumeSerialNumber == ib.dwVolumeSerialNumber &&
         ia.nFileIndexHigh == ib.nFileIndexHigh && ia.nFileIndexLow == ib.nFileIndexLow;
}

std::wstring ResolveInstallFolder(const TUninstallEntry& entry, const std::wstring& startFolder, std::wstring& refusal) {
  const std::wstring location = ReadInstallLocation(entry);
  if (location.empty()) {
    refusal = L"Сведения об установке Prismatone не найдены в реестре. Ничего не удалено.";
    return {};
  }
  const std::vector<std::wstring> protectedFolders = ProtectedFolders();
  const std::wstring windows = WindowsFolder();
  // The text as written, and the folder it really leads to, must both be safe.
  const std::wstring resolved = FinalPath(location);
  if (CheckInstallFolder(location, protectedFolders, windows) != tfsSafe ||
      (!resolved.empty() && CheckInstallFolder(resolved, protectedFolders, windows) != tfsSafe)) {
    refusal = Format(L"Папка установки в реестре (%s) — системная папка или недопустимый путь. Ничего не удалено.", {location});
    return {};
  }
  if (!IsSameFolder(location, startFolder)) {
    refusal = Format(L"Папка установки в реестре (%s) не совпадает с папкой программы удаления (%s). Ничего не удалено.",
                     {location, startFolder});
    return {};
  }
  return location;
}
