// The common handling of skin commands and of the messages every skinned control follows alike.
#pragma once
#include "framework/Control.h"
#include "skin/paint/sCommonData.h"

// Whether the control shows its hot state: enabled and focused (a panel is not hot for the
// focus of its window), or the mouse is over it where hovering is on and its kind turns hot.
bool IsControlHot(const TsCommonData& data);
// The common handling of every skinned control, called after its own: answers skin commands
// (returns true, the result in msg) and follows ordinary messages (move, size, focus, hover,
// enabling; returns false so that the control goes on with them).
bool CommonWndProc(TMessage& msg, TsCommonData& data);
