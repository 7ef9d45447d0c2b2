// Loads the libraries the skin engine looks up by name, the way an unprotected program does
// ("unprotected": by bare name) or the way the setup does ("protected": search restricted at
// start-up, loads by full system path). Exit code: how many of them could be loaded.
// "nothing" returns at once: what is loaded then was loaded before the program's first line.
#include <windows.h>

#include <cwchar>

#include "platform/SafeLibrary.h"

int wmain(int argc, wchar_t** argv) {
  if (argc > 1 && std::wcscmp(argv[1], L"nothing") == 0) return 0;
  const bool protectedMode = argc > 1 && std::wcscmp(argv[1], L"protected") == 0;
  if (protectedMode) RestrictLibrarySearch();
  int loaded = 0;
  for (const wchar_t* name : {L"msimg32.dll", L"uxtheme.dll", L"dwmapi.dll", L"version.dll"}) {
    if (protectedMode) {
      if (TUniqueModule m = LoadSystemLibrary(name)) ++loaded, m.release();
      // Also a bare-name load after the restriction must not reach the program's folder.
      if (HMODULE h = LoadLibraryW(name)) (void)h;
    } else if (LoadLibraryW(name)) {
      ++loaded;
    }
  }
  return loaded;
}
