#include "skin/base/sFill.h"

#include <algorithm>
#include <cstring>

#include "skin/base/sBlendKernels.h"
#include "skin/base/sClip.h"
#include "skin/base/sColorMath.h"
#include "skin/base/sTint.h"

using namespace scolor;

TBitmap32 NewBitmap32(int width, int height) { return TBitmap32(width, height); }

void FillPixels(TBitmap32& bmp, const TRect& rect, TColor color, std::uint8_t alpha) {
  const TRect r = sclip::Intersect(rect, bmp.Width(), bmp.Height());
  if (sclip::IsEmpty(r)) return;
  const std::uint32_t value = std::uint32_t(alpha) << 24 | (SwapRB(color) & RgbMask);
  // One row is filled, the others are copies of it: the C library's block copy uses the widest
  // stores the processor has, which a portable fill loop cannot.
  const std::uint32_t* first = bmp.Row(r.Top) + r.Left;
  sblend::FillRow(bmp.Row(r.Top) + r.Left, r.Right - r.Left, value);
  const std::size_t bytes = std::size_t(r.Right - r.Left) * 4;
  for (int y = r.Top + 1; y < r.Bottom; ++y) std::memcpy(bmp.Row(y) + r.Left, first, bytes);
}

void TintPixels(TBitmap32& bmp, const TRect& rect, int percent, TColor color) {
  const TRect r = sclip::IntersectInclusive(rect, bmp.Width(), bmp.Height());
  if (sclip::IsEmpty(r)) return;
  const TTint tint(percent, color);
  for (int y = r.Top; y < r.Bottom; ++y) tint.Row(bmp.Row(y) + r.Left, r.Right - r.Left);
}

void SetPixelsAlpha(TBitmap32& bmp, const TRect& rect, std::uint8_t alpha, TColor key) {
  const TRect r = sclip::Intersect(rect, bmp.Width(), bmp.Height());
  if (sclip::IsEmpty(r)) return;
  const std::uint32_t a = std::uint32_t(alpha) << 24;
  const bool all = key == clNone;
  const std::uint32_t k = SwapRB(key);
  for (int y = r.Top; y < r.Bottom; ++y) {
    std::uint32_t* px = bmp.Row(y) + r.Left;
    for (int n = r.Right - r.Left; n > 0; --n, ++px)
      if (all || *px != k) *px = (*px & RgbMask) | a;
  }
}

std::array<TRect, 4> FrameBands(const TRect& r, int left, int top, int right, int bottom) {
  return {TRect{r.Left, r.Top, r.Right, r.Top + top},
          TRect{r.Left, r.Top + top, r.Left + left, r.Bottom},
          TRect{r.Left + left, r.Bottom - bottom, r.Right, r.Bottom},
          TRect{r.Right - right, r.Top + top, r.Right, r.Bottom - bottom}};
}

void FillDCRect(TBitmap32& bmp, const TRect& rect, TColor color) { FillPixels(bmp, rect, ColorToRGB(color), 0); }

void FillDCFrame(TBitmap32& bmp, const TRect& rect, int left, int top, int right, int bottom, TColor color) {
  for (const TRect& band : FrameBands(rect, left, top, right, bottom)) FillDCRect(bmp, band, color);
}
