// The small window that shows a caption button's state change over its form: top-level, without
// frame, layered with per-pixel alpha, never activated and never hit by the mouse (clicks fall
// through to the form's button below). The form's picture stays as it is; only this window
// changes while a button fades.
#pragma once
#include <windows.h>

#include <memory>

#include "framework/Form.h"
#include "framework/Graphics.h"

class TsButtonOverlay {
 public:
  TsButtonOverlay() = default;
  ~TsButtonOverlay();
  TsButtonOverlay(const TsButtonOverlay&) = delete;
  TsButtonOverlay& operator=(const TsButtonOverlay&) = delete;

  // Shows image (straight alpha: 0 where transparent) at bounds (screen coordinates; an image
  // wider than bounds is centred on them) at a constant alpha, directly above form in z-order
  // (top-most when the form is). The window is made on first use.
  void Show(HWND form, const TBitmap32& image, const TRect& bounds, BYTE alpha);
  // The window goes (shown again by the next Show).
  void Free();
  HWND Handle() const;

 private:
  std::unique_ptr<TForm> window_;
  TBitmap picture_;  // the image premultiplied, as the system takes it
};
