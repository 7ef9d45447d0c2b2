// Switching a platform window's drawing off for a while: the platform's buttons paint focus,
// check and push state straight onto their window, over our picture.
#pragma once
#include <windows.h>

// Messages after which the platform's button procedure paints straight onto the window, for any
// kind of button (push, owner-drawn, check box): focus, check, push state and style, text,
// enabling, keyboard cues and font, and the press and release by mouse or space bar with the
// capture that follows them. A skinned control runs the platform's handling of these with
// drawing off.
inline bool PlatformButtonPaintsOn(UINT msg) {
  switch (msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case BM_SETCHECK:
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case WM_SETTEXT:
    case WM_ENABLE:
    case WM_UPDATEUISTATE:
    case WM_CHANGEUISTATE:
    case WM_SETFONT:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_MOUSEMOVE:
    case WM_CAPTURECHANGED:
      return true;
    default:
      return false;
  }
}

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
