#include "skin/frame/sButtonOverlay.h"

#include "framework/Handles.h"
#include "imaging/Alpha.h"
#include "skin/base/sLayered.h"
#include "skin/data/sHelperWindows.h"
#include "skin/paint/sFormAnimation.h"

TsButtonOverlay::~TsButtonOverlay() { Free(); }

HWND TsButtonOverlay::Handle() const { return window_ ? window_->Handle() : nullptr; }

void TsButtonOverlay::Free() {
  if (!window_) return;
  TIgnoreWindowDestructions quiet;
  window_.reset();
}

void TsButtonOverlay::Show(HWND form, const TBitmap32& image, const TRect& bounds, BYTE alpha) {
  if (image.Width() <= 0 || image.Height() <= 0) return;
  if (!window_) {
    window_ = NewCoverForm();
    HWND w = window_->Handle();
    AddExStyle(w, WS_EX_TRANSPARENT | WS_EX_LAYERED);
  }
  picture_.Assign(image);
  PremultiplyAlpha(picture_.Pixels());
  const int x = bounds.Left + (bounds.Width() - image.Width()) / 2;
  const int y = image.Width() > bounds.Width() ? bounds.Top + (bounds.Height() - image.Height()) / 2 : bounds.Top;
  HWND w = window_->Handle();
  // Directly above the form: after the window that precedes it, or among the top-most windows
  // with a top-most form.
  const bool topmost = (GetWindowLongW(form, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  HWND after = topmost ? HWND_TOPMOST : GetWindow(form, GW_HWNDPREV);
  if (!after || after == w) after = topmost ? HWND_TOPMOST : HWND_TOP;
  SetWindowPos(w, after, x, y, image.Width(), image.Height(),
               SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOREDRAW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  TWindowDC screen(nullptr);
  POINT pos{x, y}, origin{0, 0};
  SIZE size{image.Width(), image.Height()};
  BLENDFUNCTION blend = PerPixelBlend(alpha);
  GdiFlush();
  UpdateLayered(w, screen.dc(), &pos, &size, picture_.DC(), &origin, 0, &blend, ULW_ALPHA);
}
