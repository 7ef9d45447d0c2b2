// A library planted beside a program under a system library's name. When loaded it leaves a
// marker file "<its own path>.loaded", so a test can tell that it was loaded.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    wchar_t path[MAX_PATH + 16] = {};
    DWORD n = GetModuleFileNameW(self, path, MAX_PATH);
    lstrcpyW(path + n, L".loaded");
    HANDLE f = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f != INVALID_HANDLE_VALUE) CloseHandle(f);
  }
  return TRUE;
}
