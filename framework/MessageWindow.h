// Hidden message-only windows: the framework's timers, its deferred form release and its
// synchronised calls each receive their messages through one.
#pragma once
#include <windows.h>

// A message-only window of the class `className` (registered with `proc` on first use), or null
// when it could not be made. The caller owns it.
HWND CreateMessageWindow(const wchar_t* className, WNDPROC proc);
