// Telling our own window messages from anyone else's. A message reaches a window procedure the
// same way whether this thread sent it or another thread or process sent or posted it: only the
// sender knows. Our code marks each private message it sends to its own windows for as long as
// the send runs, and the framework's window procedure acts on a private message only while such a
// mark matches it exactly; from any other sender it answers 0 and changes nothing.
#pragma once
#include <windows.h>

// The program's own window messages to its own windows (the skin commands among them).
enum : UINT { FM_PRIVATE_FIRST = 0xA100, FM_PRIVATE_LAST = 0xA1FF };

// Private messages: that range, and the framework's notifications (FN_*), which travel only
// through Perform and so never arrive as window messages of ours at all.
bool IsPrivateMessage(UINT msg);

// Marks a message as this thread's own send while it lives.
class TOwnSend {
 public:
  TOwnSend(UINT msg, WPARAM wParam, LPARAM lParam);
  ~TOwnSend();
  TOwnSend(const TOwnSend&) = delete;
  TOwnSend& operator=(const TOwnSend&) = delete;
};

// Whether a send of this thread with exactly this message, wParam and lParam is under way.
bool IsOwnSend(UINT msg, WPARAM wParam, LPARAM lParam);
