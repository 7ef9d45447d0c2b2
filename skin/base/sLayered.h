// The system's layered-window functions, looked up by name in user32 (a system without them shows
// no glow and no animated cover). Every layered picture of the program goes through
// UpdateLayered, so that tests can put a recorder in place of the system call and see the frames.
#pragma once
#include <windows.h>

#include <functional>

// Both UpdateLayeredWindow and SetLayeredWindowAttributes exist.
bool LayeredWindowsAvailable();

using TsUpdateLayeredFn =
    std::function<BOOL(HWND wnd, HDC screen, POINT* pos, SIZE* size, HDC src, POINT* srcPos, COLORREF key,
                       BLENDFUNCTION* blend, DWORD flags)>;

// UpdateLayeredWindow, or the replacement in place; FALSE when the system has none.
BOOL UpdateLayered(HWND wnd, HDC screen, POINT* pos, SIZE* size, HDC src, POINT* srcPos, COLORREF key,
                   BLENDFUNCTION* blend, DWORD flags);
// Puts fn in place of the system call (an empty fn restores it); returns the previous one.
TsUpdateLayeredFn SetUpdateLayeredFunction(TsUpdateLayeredFn fn);
// SetLayeredWindowAttributes; FALSE when the system has none.
BOOL SetLayeredAttributes(HWND wnd, COLORREF key, BYTE alpha, DWORD flags);

// Adds or removes bits of a window's extended style (WS_EX_LAYERED and its companions).
inline void AddExStyle(HWND wnd, LONG bits) { SetWindowLongW(wnd, GWL_EXSTYLE, GetWindowLongW(wnd, GWL_EXSTYLE) | bits); }
inline void RemoveExStyle(HWND wnd, LONG bits) { SetWindowLongW(wnd, GWL_EXSTYLE, GetWindowLongW(wnd, GWL_EXSTYLE) & ~bits); }

// A blend description for per-pixel alpha pictures at a constant opacity.
inline BLENDFUNCTION PerPixelBlend(BYTE constantAlpha) {
  return BLENDFUNCTION{AC_SRC_OVER, 0, constantAlpha, AC_SRC_ALPHA};
}
