// The mouse through the system's input queue, as a user's hand moves it.
#pragma once
#include <windows.h>

#include "framework/Types.h"

namespace inputtest {

inline void MouseTo(TPoint p) {
  SetCursorPos(p.X, p.Y);
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dx = p.X * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
  in.mi.dy = p.Y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInput(1, &in, sizeof(in));
}

inline void Button(bool down) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &in, sizeof(in));
}

}  // namespace inputtest
