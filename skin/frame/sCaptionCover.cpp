#include "skin/frame/sCaptionCover.h"

#include "framework/Handles.h"
#include "skin/data/sHelperWindows.h"
#include "skin/paint/sFormAnimation.h"

TsCaptionCover::TsCaptionCover(HWND form, const TBitmap& image, const TRect& client) : image_(image) {
  RECT w{};
  GetWindowRect(form, &w);
  const int width = w.right - w.left, height = w.bottom - w.top;
  if (width <= 0 || height <= 0) return;
  cover_ = NewCoverForm();
  hook_ = std::make_unique<TWindowProcHook>(*cover_, [this](TMessage& m, const TWndMethod& previous) {
    switch (m.Msg) {
      case WM_ERASEBKGND:
        m.Result = 1;
        return;
      case WM_PAINT: {
        TPaintDC paint(cover_->Handle());
        Paint(paint.dc());
        m.Result = 0;
        return;
      }
      default:
        previous(m);
    }
  });
  HWND c = cover_->Handle();
  TUniqueRgn region(CreateRectRgn(0, 0, width, height));
  TUniqueRgn inner(CreateRectRgn(client.Left, client.Top, client.Right, client.Bottom));
  CombineRgn(region.get(), region.get(), inner.get(), RGN_DIFF);
  // The window owns the region once it is set.
  if (SetWindowRgn(c, region.get(), FALSE)) region.release();
  const bool topmost = (GetWindowLongW(form, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  SetWindowPos(c, topmost ? HWND_TOPMOST : HWND_TOP, w.left, w.top, width, height, SWP_NOACTIVATE | SWP_SHOWWINDOW);
  RedrawWindow(c, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

TsCaptionCover::~TsCaptionCover() {
  if (!cover_) return;
  hook_.reset();
  TIgnoreWindowDestructions quiet;
  cover_.reset();
}

void TsCaptionCover::Paint(HDC dc) {
  GdiFlush();
  BitBlt(dc, 0, 0, image_.Width(), image_.Height(), image_.DC(), 0, 0, SRCCOPY);
}
