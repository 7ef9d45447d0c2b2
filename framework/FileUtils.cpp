#include "framework/FileUtils.h"

#include <windows.h>

#include "framework/Exception.h"
#include "framework/FileStream.h"

bool DirectoryExists(const std::wstring& path) {
  const DWORD attr = GetFileAttributesW(path.c_str());
  return attr != INVALID_FILE_ATTRIBUTES && (attr & FILE_ATTRIBUTE_DIRECTORY);
}

bool ForceDirectories(const std::wstring& path) {
  if (path.empty()) throw Exception(L"Unable to create directory");
  std::wstring dir = path;
  while (dir.size() > 1 && (dir.back() == L'\\' || dir.back() == L'/')) dir.pop_back();
  // A drive ("C:") or a root exists or not; there is nothing to create above it.
  if (dir.size() < 3 || DirectoryExists(dir)) return DirectoryExists(dir);
  const std::size_t sep = dir.find_last_of(L"\\/");
  if (sep != std::wstring::npos && sep > 0) {
    const std::wstring parent = dir.substr(0, sep);
    if (!parent.empty() && !ForceDirectories(parent)) return false;
  }
  return CreateDirectoryW(dir.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

void SetCurrentDir(const std::wstring& path) {
  if (SetCurrentDirectoryW(path.c_str())) return;
  const DWORD code = GetLastError();
  throw EInOutError(SysErrorMessage(code), code);
}
