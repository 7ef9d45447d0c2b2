#include "skin/base/sDCPaint.h"

#include "framework/Handles.h"
#include "skin/base/sFill.h"
#include "skin/base/sMarks.h"

void FillDCRect(HDC dc, const TRect& rect, TColor color) {
  if (rect.Right <= rect.Left || rect.Bottom <= rect.Top) return;
  TSavedDC saved(dc);
  TUniqueBrush brush(CreateSolidBrush(ToColorRef(color)));
  RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  FillRect(dc, &r, brush.get());
}

void FillDCFrame(HDC dc, const TRect& rect, int left, int top, int right, int bottom, TColor color) {
  TSavedDC saved(dc);
  TUniqueBrush brush(CreateSolidBrush(ToColorRef(color)));
  for (const TRect& band : FrameBands(rect, left, top, right, bottom)) {
    if (band.Right <= band.Left || band.Bottom <= band.Top) continue;
    RECT r{band.Left, band.Top, band.Right, band.Bottom};
    FillRect(dc, &r, brush.get());
  }
}

void TileImage(TCanvas& canvas, const TRect& rect, const TGraphic& image) {
  const int w = image.Width(), h = image.Height();
  if (w <= 0 || h <= 0 || rect.Right <= rect.Left || rect.Bottom <= rect.Top) return;
  TSavedDC saved(canvas.Handle());
  IntersectClipRect(canvas.Handle(), rect.Left, rect.Top, rect.Right, rect.Bottom);
  for (int y = rect.Top; y < rect.Bottom; y += h)
    for (int x = rect.Left; x < rect.Right; x += w) image.Draw(canvas, Bounds(x, y, w, h));
}

namespace {
void SetMarkPixels(HDC dc, const std::vector<TMarkPixel>& pixels) {
  for (const TMarkPixel& p : pixels) SetPixel(dc, p.X, p.Y, ToColorRef(p.Color));
}
}  // namespace

void DrawDottedFrame(TCanvas& canvas, const TRect& rect, TColor a, TColor b) {
  SetMarkPixels(canvas.Handle(), DottedFramePixels(rect, a, b));
}

void DrawSmallArrow(TCanvas& canvas, TColor color, const TRect& rect, int direction) {
  SetMarkPixels(canvas.Handle(), SmallArrowPixels(rect, direction, color));
}
