// Painting a windowless control at once, without waiting for WM_PAINT: its parent's device
// context with the origin moved to the control's top-left and everything outside the control
// (and under windowed siblings lying over it) clipped away. Fade steps and glowing labels paint
// through it, and Repaint of an opaque windowless control.
#pragma once
#include <windows.h>

class TControl;

class TControlDC {
 public:
  // Empty (dc() null) when the control is not showing or its parent has no window.
  explicit TControlDC(TControl& control);
  ~TControlDC();
  TControlDC(const TControlDC&) = delete;
  TControlDC& operator=(const TControlDC&) = delete;

  HDC dc() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND wnd_ = nullptr;
  HDC dc_ = nullptr;
};

