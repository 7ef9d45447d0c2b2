#include "setup/InstallFolderCheck.h"

#include <algorithm>

#include "setup/UninstallRules.h"

namespace {

// MAX_PATH: the longest path the system's file functions take without the "\\?\" prefix, its
// terminating null included. (Folders may be at most 248 long, 12 less; the uninstaller's own
// name below the folder already keeps the folder well under that.)
constexpr std::size_t kMaxPath = 260;

constexpr wchar_t kUninstallerName[] = L"\\Prismatone_uninstall.exe";

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// The length of the root that makes folder a full path: 3 for "C:\", 2 for the "\\" before a
// share's server; 0 when folder is no full path. The device forms "\\?\" and "\\.\" are refused:
// the uninstaller refuses them.
std::size_t RootLength(std::wstring_view folder) {
  if (folder.size() < 3) return 0;
  if (IsDriveLetter(folder[0]) && folder[1] == L':' && IsSeparator(folder[2])) return 3;
  if (IsSeparator(folder[0]) && IsSeparator(folder[1]) && !IsSeparator(folder[2]) && folder[2] != L'?' && folder[2] != L'.')
    return 2;
  return 0;
}

bool IsBadCharacter(wchar_t c) { return c < 32 || std::wstring_view(L"<>:\"|?*").find(c) != std::wstring_view::npos; }

wchar_t UpperAscii(wchar_t c) { return c >= L'a' && c <= L'z' ? wchar_t(c - 0x20) : c; }

// A device name: the part before its first dot, blanks at its end dropped, is CON, PRN, AUX, NUL,
// CONIN$, CONOUT$, or COM or LPT with one digit (0 to 9 or superscript 1 to 3), in any case.
// "NUL.txt" and "com1 .log" name the device, not a file.
bool IsReservedName(std::wstring_view part) {
  std::wstring base(part.substr(0, part.find(L'.')));
  while (!base.empty() && base.back() == L' ') base.pop_back();
  std::transform(base.begin(), base.end(), base.begin(), UpperAscii);
  for (const wchar_t* device : {L"CON", L"PRN", L"AUX", L"NUL", L"CONIN$", L"CONOUT$"})
    if (base == device) return true;
  if (base.size() != 4 || (base.compare(0, 3, L"COM") != 0 && base.compare(0, 3, L"LPT") != 0)) return false;
  const wchar_t n = base[3];
  return (n >= L'0' && n <= L'9') || n == L'\u00B9' || n == L'\u00B2' || n == L'\u00B3';
}

}  // namespace

std::size_t LongestInstalledName(const TPayloadTable& payloadFiles) {
  std::size_t longest = std::wstring_view(kUninstallerName).size();
  for (const std::wstring& name : InstalledFileNames(payloadFiles)) longest = std::max(longest, name.size());
  return longest;
}

TFolderFault CheckFolderToInstall(std::wstring_view folder, std::size_t longestInstalledName,
                                  const std::vector<std::wstring>& protectedFolders, std::wstring_view windowsFolder,
                                  const std::vector<std::wstring>& ownNames) {
  const std::size_t root = RootLength(folder);
  if (root == 0) return tffNotAbsolute;
  if (std::any_of(folder.begin() + std::ptrdiff_t(root), folder.end(), IsBadCharacter)) return tffBadCharacter;
  for (const std::wstring& part : PathParts(folder, root)) {
    // The system drops dots and blanks at the end of a name: "Prismatone." would be created as
    // "Prismatone", and the uninstaller refuses the name as written.
    if (part.back() == L'.' || part.back() == L' ') return tffDotOrBlankAtEnd;
    if (IsReservedName(part)) return tffReservedName;
  }
  // The text is measured as typed: the install joins it as it stands, a doubled or trailing
  // separator included.
  if (folder.size() + longestInstalledName >= kMaxPath) return tffTooLong;
  // Last, the uninstaller's own rule, so that no folder is installed into that it would refuse.
  switch (CheckInstallFolder(folder, protectedFolders, windowsFolder, ownNames)) {
    case tfsSafe:
      return tffNone;
    case tfsThisMachine:
      return tffThisMachine;
    case tfsDriveRoot:
      return tffDriveRoot;
    case tfsProtected:
    case tfsInsideWindows:
      return tffSystemFolder;
    case tfsNotAbsolute:
      break;
  }
  return tffNotAbsolute;
}

std::wstring FolderFaultText(TFolderFault fault) {
  switch (fault) {
    case tffNone:
      return L"";
    case tffNotAbsolute:
      return L"Укажите полный путь к папке установки, например C:\\Program Files\\Prismatone.";
    case tffBadCharacter:
      return L"Путь к папке установки содержит недопустимый символ. В именах папок нельзя использовать < > : \" | ? *.";
    case tffDotOrBlankAtEnd:
      return L"Имя папки не может оканчиваться точкой или пробелом. Исправьте путь к папке установки.";
    case tffReservedName:
      return L"В пути к папке установки есть имя, зарезервированное Windows (CON, PRN, AUX, NUL, COM1–COM9, LPT1–LPT9). "
             L"Выберите другое имя папки.";
    case tffTooLong:
      return L"Путь к папке установки слишком длинный. Выберите папку с более коротким путём.";
    case tffThisMachine:
      return L"Папка установки указана как сетевой путь к этому же компьютеру. Укажите её на локальном диске, например "
             L"C:\\Program Files\\Prismatone.";
    case tffDriveRoot:
      return L"Нельзя устанавливать программу прямо в корень диска или сетевой папки. Укажите отдельную папку, например "
             L"C:\\Program Files\\Prismatone.";
    case tffSystemFolder:
      return L"Нельзя устанавливать программу в системную папку Windows. Укажите отдельную папку, например "
             L"C:\\Program Files\\Prismatone.";
  }
  return L"";
}
