#include "platform/SafeLibrary.h"

#include <map>
#include <mutex>
#include <string>

namespace {

// Libraries that system components load for us by bare name (the side-by-side common controls,
// the shell, COM, the version and security APIs), so that the restriction above never applies to
// their loads. Loaded once by full path, every later load by name finds them already loaded.
constexpr const wchar_t* kPreloaded[] = {
    L"uxtheme.dll", L"dwmapi.dll",  L"msimg32.dll", L"winmm.dll",   L"version.dll",
    L"cryptbase.dll", L"userenv.dll", L"setupapi.dll", L"propsys.dll", L"oleacc.dll",
    L"clbcatq.dll", L"apphelp.dll", L"ntmarta.dll",
};

void PreloadSystemLibraries() {
  // Kept loaded for the whole process on purpose: they are what later loads by name must find.
  for (const wchar_t* name : kPreloaded) LoadSystemLibrary(name).release();
  // The common controls through the manifest's activation context: version 6 from the system's
  // side-by-side store, never a copy beside the program.
  LoadLibraryExW(L"comctl32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace

void RestrictLibrarySearch() {
  using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesFn>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
  // Systems without the call always search the program's folder first; there only the preloads
  // below protect the libraries that matter. The current folder at least goes.
  if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) SetDllDirectoryW(L"");
  PreloadSystemLibraries();
}

TUniqueModule LoadSystemLibrary(const wchar_t* fileName) {
  wchar_t dir[MAX_PATH] = {};
  const UINT n = GetSystemDirectoryW(dir, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return TUniqueModule();
  const std::wstring path = std::wstring(dir, n) + L"\\" + fileName;
  // The full path decides; its own dependencies are searched from the system folder too.
  return TUniqueModule(LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

FARPROC SystemLibraryProc(const wchar_t* fileName, const char* name) {
  static std::mutex lock;
  // Every library asked for, loaded or not, by its file name; released only as the process ends.
  static std::map<std::wstring, TUniqueModule> libraries;
  const std::lock_guard<std::mutex> held(lock);
  auto it = libraries.find(fileName);
  if (it == libraries.end()) it = libraries.emplace(fileName, LoadSystemLibrary(fileName)).first;
  return it->second ? GetProcAddress(it->second.get(), name) : nullptr;
}
