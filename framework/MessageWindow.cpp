#include "framework/MessageWindow.h"

HWND CreateMessageWindow(const wchar_t* className, WNDPROC proc) {
  HINSTANCE inst = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  if (!GetClassInfoExW(inst, className, &wc)) {
    wc.lpfnWndProc = proc;
    wc.hInstance = inst;
    wc.lpszClassName = className;
    RegisterClassExW(&wc);
  }
  return CreateWindowExW(0, className, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, inst, nullptr);
}
