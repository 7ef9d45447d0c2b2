#include "setup/ShellRules.h"

namespace {
std::size_t LastSeparator(const std::wstring& path) { return path.find_last_of(L"\\:"); }
}  // namespace

std::wstring LinkFileName(const std::wstring& shortCutName) {
  const std::size_t sep = LastSeparator(shortCutName);
  const std::size_t dot = shortCutName.find_last_of(L'.');
  if (dot != std::wstring::npos && (sep == std::wstring::npos || dot > sep)) return shortCutName.substr(0, dot) + L".lnk";
  return shortCutName + L".lnk";
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t sep = path.find_last_of(L"\\/:");
  return sep == std::wstring::npos ? std::wstring() : path.substr(0, sep + 1);
}

std::wstring OpenCommand(const std::wstring& programPath) { return L"\"" + programPath + L"\" \"%1\""; }

std::wstring UninstallCommand(const std::wstring& installFolder) {
  return L"\"" + installFolder + L"\\Prismatone_uninstall.exe\"";
}
