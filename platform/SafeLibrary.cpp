#include "platform/SafeLibrary.h"

#include <string>

void RestrictLibrarySearch() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  // Systems without the call: at least take the current folder out of the search.
  SetDllDirectoryW(L"");
}

TUniqueModule LoadSystemLibrary(const wchar_t* fileName) {
  wchar_t dir[MAX_PATH] = {};
  const UINT n = GetSystemDirectoryW(dir, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return TUniqueModule();
  const std::wstring path = std::wstring(dir, n) + L"\\" + fileName;
  // The full path decides; its own dependencies are searched from the system folder too.
  return TUniqueModule(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}
