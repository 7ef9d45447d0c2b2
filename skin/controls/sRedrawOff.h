// Switching a platform window's drawing off for a while: the platform's buttons paint focus,
// check and push state straight onto their window, over our picture.
#pragma once
#include <windows.h>

// While alive, the window does not draw. A window that was waiting for a paint still gets it
// afterwards (turning redrawing off validates it), and a hidden window stays hidden.
class TRedrawOff {
 public:
  explicit TRedrawOff(HWND wnd) : wnd_(wnd && IsWindowVisible(wnd) ? wnd : nullptr) {
    if (!wnd_) return;
    pending_ = GetUpdateRect(wnd_, nullptr, FALSE);
    SendMessageW(wnd_, WM_SETREDRAW, FALSE, 0);
  }
  ~TRedrawOff() {
    if (!wnd_) return;
    SendMessageW(wnd_, WM_SETREDRAW, TRUE, 0);
    if (pending_) InvalidateRect(wnd_, nullptr, FALSE);
  }
  TRedrawOff(const TRedrawOff&) = delete;
  TRedrawOff& operator=(const TRedrawOff&) = delete;

 private:
  HWND wnd_;
  bool pending_ = false;
};
