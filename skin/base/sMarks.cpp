#include "skin/base/sMarks.h"

#include "skin/base/sColorMath.h"

namespace {

void Plot(TBitmap32& bmp, const std::vector<TMarkPixel>& pixels) {
  for (const TMarkPixel& p : pixels)
    if (p.X >= 0 && p.Y >= 0 && p.X < bmp.Width() && p.Y < bmp.Height())
      bmp.Pixel(p.X, p.Y) = scolor::SwapRB(ColorToRGB(p.Color)) & scolor::RgbMask;
}

}  // namespace

std::vector<TMarkPixel> DottedFramePixels(const TRect& rect, TColor a, TColor b) {
  std::vector<TMarkPixel> out;
  const int right = rect.Right - 1, bottom = rect.Bottom - 1;
  const int hw = (right - rect.Left) / 2, hh = (bottom - rect.Top) / 2;
  auto add = [&](int x, int y, TColor c) {
    if (c != clNone) out.push_back({x, y, c});
  };
  for (int i = 0; i < hw; ++i) {
    const int x = rect.Left + 2 * (hw - i);
    for (int y : {rect.Top, bottom}) {
      add(x, y, b);
      add(x - 1, y, a);
    }
  }
  for (int i = 0; i < hh; ++i) {
    const int y = rect.Top + 2 * (hh - i);
    for (int x : {rect.Left, right}) {
      add(x, y, b);
      add(x, y - 1, a);
    }
  }
  return out;
}

void DrawDottedFrame(TBitmap32& bmp, const TRect& rect, TColor a, TColor b) { Plot(bmp, DottedFramePixels(rect, a, b)); }

std::vector<TMarkPixel> SmallArrowPixels(const TRect& rect, int direction, TColor color) {
  std::vector<TMarkPixel> out;
  const bool vertical = direction == adUp || direction == adDown;
  if (direction < adLeft || direction > adDown) return out;
  // Along: the 4-pixel depth; across: the 7-pixel width.
  const int x0 = rect.Left + (rect.Width() - (vertical ? 7 : 4)) / 2;
  const int y0 = rect.Top + (rect.Height() - (vertical ? 4 : 7)) / 2;
  for (int k = 0; k < 4; ++k) {
    // Step k of the depth, counted from the wide base: covers 7 − 2k pixels across.
    const int depth = (direction == adDown || direction == adRight) ? k : 3 - k;
    for (int c = k; c <= 6 - k; ++c) {
      if (vertical) out.push_back({x0 + c, y0 + depth, color});
      else out.push_back({x0 + depth, y0 + c, color});
    }
  }
  return out;
}

void DrawSmallArrow(TBitmap32& bmp, TColor color, const TRect& rect, int direction) {
  Plot(bmp, SmallArrowPixels(rect, direction, color));
}
