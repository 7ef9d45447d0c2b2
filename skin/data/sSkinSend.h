// The transport of the skin message (sMessages.h): sending skin commands to our own controls and
// windows, recorded as our own sends. The framework's window procedure acts on a private message
// only while such a send is pending (framework/OwnSend.h), so that no other process (nor another
// thread) can hand the elevated setup a pointer to follow or a state to change.
#pragma once
#include <windows.h>

#include <cstdint>

#include "skin/data/sMessages.h"

class TControl;
class TWinControl;

// Sends a skin command: through the platform to a control with a window, by direct dispatch
// otherwise. Every skin command of the program goes through here.
LRESULT SendSkinCommand(TControl& control, std::uint16_t code, LPARAM lParam = 0, std::uint16_t argument = 0);
// The same to a control of this thread straight through its message handling, without the
// platform's message call (tens of microseconds under Wine): for the frames of a running fade,
// which go to the fade's own control every 12 ms.
LRESULT PerformSkinCommand(TControl& control, std::uint16_t code, LPARAM lParam = 0, std::uint16_t argument = 0);
LRESULT SendSkinCommand(HWND wnd, std::uint16_t code, LPARAM lParam = 0, std::uint16_t argument = 0);
// Sends any message (a skin command or not) to a window of this thread, recorded like above;
// windows of other threads are not sent to (0).
LRESULT SendToOwnWindow(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
// Whether a command with this wParam and lParam is one of our own pending sends.
bool IsOwnSkinSend(WPARAM wParam, LPARAM lParam);

// The child controls of parent: windowless children and children without a window get the
// message dispatched directly, skinned windowed children (answering command 7 with 1) get it
// sent, other windowed children pass it on to their own children.
void BroadcastToControls(TWinControl& parent, UINT msg, WPARAM wParam, LPARAM lParam);
// The direct child windows of wnd get the message sent.
void BroadcastToChildWindows(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
