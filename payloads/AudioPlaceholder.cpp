// The audio libraries the product loads (bass.dll, basswasapi.dll), as placeholders: each is a
// real 32-bit library with its version resource and one export that reports that version.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) DisableThreadLibraryCalls(instance);
  return TRUE;
}

// The library's version as 0xMMmmRRBB (major, minor, release, build), as in its version resource.
extern "C" __declspec(dllexport) DWORD PlaceholderVersion() { return PLACEHOLDER_VERSION; }
