// The texts the shell and registry steps compute: link file names, working folders, the
// commands written to the registry, and the two file types.
#pragma once
#include <array>
#include <string>

// ShortCutName with its extension replaced by ".lnk": everything from a "." after the last "\"
// or ":" is replaced; without such a dot ".lnk" is appended.
std::wstring LinkFileName(const std::wstring& shortCutName);
// The folder part of a path: everything up to and including its last "\", "/" or ":" ("" for a
// bare file name).
std::wstring FolderOf(const std::wstring& path);

// The open command of a file type: the program path in quotes (a path with spaces must not be
// open to the search for "C:\Program.exe"), then the document in quotes.
std::wstring OpenCommand(const std::wstring& programPath);
// The uninstall command: the uninstaller's path in the install folder, in quotes.
std::wstring UninstallCommand(const std::wstring& installFolder);

struct TFileType {
  const wchar_t* Extension;
  const wchar_t* ProgID;
  const wchar_t* Caption;
  int IconIndex;
};
inline constexpr std::array<TFileType, 2> kFileTypes = {{
    {L".pts", L"Prismatone.Preset", L"Открыть с помощью Prismatone", 1},
    {L".ptt", L"Prismatone.Theme", L"Открыть с помощью Prismatone", 2},
}};

inline constexpr wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Prismatone";
// The values the setup writes to the Uninstall entry, in the order it writes them.
inline constexpr std::array<const wchar_t*, 9> kUninstallValues = {
    L"DisplayIcon", L"DisplayName", L"DisplayVersion", L"InstallLocation", L"Publisher",
    L"UninstallString", L"URLInfoAbout", L"URLUpdateInfo", L"EstimatedSize",
};
