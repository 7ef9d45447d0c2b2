// The common handling of skin commands and of the messages every skinned control follows alike.
#pragma once
#include "framework/Control.h"
#include "skin/paint/sCommonData.h"

// Whether the control shows its hot state: enabled and focused (a panel is not hot for the
// focus of its window), or the mouse is over it where hovering is on and its kind turns hot.
bool IsControlHot(const TsCommonData& data);
// Whether a skin command's lParam names the control's own manager (commands 1, 2, 3, 16).
bool ForThisManager(const TsCommonData& data, LPARAM lParam);
// Makes wnd the manager's active (hovered) window: the previous one receives skin command 30,
// wnd skin command 29. Nothing when wnd is already the active one.
void MakeActiveControl(TsSkinManager& m, HWND wnd);
// The common handling of every skinned control, called after its own: answers skin commands
// (returns true, the result in msg) and follows ordinary messages (move, size, focus, hover,
// enabling; returns false so that the control goes on with them).
bool CommonWndProc(TMessage& msg, TsCommonData& data);
