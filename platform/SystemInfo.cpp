#include "platform/SystemInfo.h"

#include <windows.h>
#include <shlobj.h>

#include "framework/Types.h"

bool IsRunningUnderWow64() {
  using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
  HMODULE kernel = GetModuleHandleW(L"Kernel32.dll");
  auto fn = kernel ? reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process"))) : nullptr;
  if (!fn) return false;
  BOOL wow64 = FALSE;
  return fn(GetCurrentProcess(), &wow64) && wow64;
}

bool IsWindows64() { return sizeof(void*) == 8 || IsRunningUnderWow64(); }

std::wstring WindowsFolder() {
  wchar_t dir[MAX_PATH] = {};
  const UINT n = GetWindowsDirectoryW(dir, MAX_PATH);
  return n > 0 && n < MAX_PATH ? std::wstring(dir, n) : std::wstring();
}

std::wstring NativeSystemFolder() { return WindowsFolder() + (IsRunningUnderWow64() ? L"\\Sysnative" : L"\\System32"); }

std::wstring GetSpecialFolder(unsigned short csidl) {
  wchar_t buf[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, buf, csidl, TRUE)) return L"";
  return buf;
}

void InstallSystemColors() {
  SetSysColorProvider([](int index) -> TColor { return TColor(GetSysColor(index)); });
}
