// Messages as the framework's controls see them. Window messages and the framework's own
// notifications travel the same way: through each control's overridable WndProc, so that the
// skin engine can hook any of them in one place.
#pragma once
#include <windows.h>

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

// Framework notifications, sent with TControl::Perform. The range sits above WM_APP's so it
// cannot meet a window message or a registered one.
enum : UINT {
  FN_BASE = 0xB000,
  FN_MOUSEENTER = FN_BASE + 1,        // the pointer entered the control
  FN_MOUSELEAVE,                      // the pointer left the control
  FN_ENABLEDCHANGED,                  // Enabled changed
  FN_VISIBLECHANGED,                  // Visible changed; WParam = the new value
  FN_SHOWINGCHANGED,                  // the window was really shown or hidden; WParam = showing
  FN_TEXTCHANGED,                     // Caption / Text changed
  FN_FONTCHANGED,                     // Font changed
  FN_COLORCHANGED,                    // Color changed
  FN_PARENTCOLORCHANGED,              // the parent's colour changed (sent to every child)
  FN_PARENTFONTCHANGED,               // the parent's font changed (sent to every child)
  FN_FOCUSENTER,                      // the control received the keyboard focus
  FN_FOCUSEXIT,                       // the control lost the keyboard focus
  FN_BUTTONPRESSED,                   // a grouped button went down; WParam = group, LParam = the button
  FN_CANCELMODE,                      // mouse capture is being cancelled; LParam = the control to keep
  FN_MOUSEWHEEL,                      // wheel turned over the control; WParam/LParam as WM_MOUSEWHEEL
  FN_CONTROLLISTCHANGE,               // a child was added (WParam 1) or removed (0); LParam = child
  FN_RECREATEWND,                     // the window must be created anew
  // Messages reflected from a parent to the child they concern (WParam/LParam as the original).
  FN_COMMAND,                         // WM_COMMAND
  FN_NOTIFY,                          // WM_NOTIFY
  FN_DRAWITEM,                        // WM_DRAWITEM
  FN_MEASUREITEM,                     // WM_MEASUREITEM
  FN_CTLCOLOR,                        // WM_CTLCOLOR*: WParam = HDC; Result = the brush
  FN_LAST
};
