// The scroll bars' tracking state: one set per process, as only one bar can be pressed or
// hovered at a time (the press holds the mouse capture). It names windows and bar types, never a
// handler: a handler freed during a press leaves nothing here to follow.
#pragma once
#include <windows.h>

#include "skin/frame/sScrollGeometry.h"

namespace sbtrack {

struct TsScrollTracking {
  HWND Wnd = nullptr;         // the window pressed or hovered
  int PressedBar = -1;        // TsBarType of the press, −1 none
  int PressedPart = spNone;   // the part pressed
  int ShownPart = spNone;     // the part shown pressed: the pressed one while the mouse is on it
  UINT ScrollMsg = 0;         // WM_HSCROLL or WM_VSCROLL
  int HoverBar = -1;          // TsBarType under the mouse, −1 none
  int HoverPart = spNone;     // the part under the mouse
  int LastHoverPart = spNone;
  TRect HoverRect{};          // the hovered bar (screen)
  TsThumbTrack Thumb;         // the thumb at the press
  int LastPos = 0;            // the last position sent during a drag
  UINT_PTR RepeatTimer = 0;   // the running repeat timer's id, 0 none
};

TsScrollTracking& State();
// A window that goes (or whose handler goes): its timers are killed and, when it is the tracked
// one, the state is reset and a capture it holds for a press is released.
void Forget(HWND wnd);

}  // namespace sbtrack
