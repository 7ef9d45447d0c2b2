#include "skin/base/sBlend.h"

#include <algorithm>

#include "skin/base/sBlendKernels.h"
#include "skin/base/sClip.h"
#include "skin/base/sColorMath.h"

using namespace scolor;


void OverlayBitmap(TBitmap32& dst, const TBitmap32& src, int w, TPoint point, const TRect& srcRect) {
  if (dst.Empty() || src.Empty()) return;
  long long dx = point.X, dy = point.Y, sx = srcRect.Left, sy = srcRect.Top;
  if (dx < 0) { sx -= dx; dx = 0; }
  if (dy < 0) { sy -= dy; dy = 0; }
  if (sx >= srcRect.Right || sy >= srcRect.Bottom) return;
  if (dx >= dst.Width() || dy >= dst.Height()) return;
  if (sx < 0 || sy < 0 || sx >= src.Width() || sy >= src.Height()) return;
  const long long right = std::min<long long>(srcRect.Right, src.Width() - 1);
  const long long bottom = std::min<long long>(srcRect.Bottom, src.Height() - 1);
  const int cols = int(std::min(right - sx + 1, dst.Width() - dx));
  const int rows = int(std::min(bottom - sy + 1, dst.Height() - dy));
  const unsigned weight = unsigned(std::clamp(w, 0, 255));
  const sblend::TRowRule keepAlpha{.KeepBits = AlphaMask};
  for (int r = 0; r < rows; ++r) {
    std::uint32_t* d = dst.Row(int(dy) + r) + dx;
    const std::uint32_t* s = src.Row(int(sy) + r) + sx;
    if (weight == 0) {
      for (int i = 0; i < cols; ++i) d[i] = (d[i] & AlphaMask) | (s[i] & RgbMask);
    } else {
      sblend::BlendRowConst(d, s, cols, weight, keepAlpha);
    }
  }
}

void MergeKeyedBitmap(TBitmap32& dst, int x, int y, TColor key, double f, const TRect& srcRect, const TBitmap32& src) {
  const TRect area = sclip::IntersectInclusive(srcRect, src.Width(), src.Height());
  if (sclip::IsEmpty(area)) return;
  sclip::TBlit b{x, y, area.Left, area.Top, area.Right - area.Left, area.Bottom - area.Top};
  if (!sclip::ClipBlit(b, dst.Width(), dst.Height(), area)) return;
  const std::uint32_t k = SwapRB(key);
  auto mix = [f](int s, int d) { return std::uint32_t(ClampByte(Trunc(s - (s - d) * f))); };
  for (int r = 0; r < b.H; ++r) {
    std::uint32_t* d = dst.Row(b.DY + r) + b.DX;
    const std::uint32_t* s = src.Row(b.SY + r) + b.SX;
    for (int i = 0; i < b.W; ++i) {
      const std::uint32_t sp = s[i];
      if (sp == k) continue;
      const std::uint32_t dp = d[i];
      d[i] = (dp & AlphaMask) | mix(PixR(sp), PixR(dp)) << 16 | mix(PixG(sp), PixG(dp)) << 8 | mix(PixB(sp), PixB(dp));
    }
  }
}

void BlendThroughMask(TBitmap32& dst, const TBitmap32& src, const TBitmap32& mask, const TRect& rect) {
  if (dst.Width() < rect.Width() || dst.Height() < rect.Height()) return;
  const TRect r = sclip::Intersect(rect, dst.Width(), dst.Height());
  if (sclip::IsEmpty(r)) return;
  // Pieces are read from their own origin: the part of rect cut away at the top/left is skipped there too.
  const int ox = r.Left - rect.Left, oy = r.Top - rect.Top;
  const int cols = std::min({r.Right - r.Left, src.Width() - ox, mask.Width() - ox});
  const int rows = std::min({r.Bottom - r.Top, src.Height() - oy, mask.Height() - oy});
  for (int j = 0; j < rows; ++j) {
    std::uint32_t* d = dst.Row(r.Top + j) + r.Left;
    const std::uint32_t* s = src.Row(oy + j) + ox;
    const std::uint32_t* m = mask.Row(oy + j) + ox;
    for (int i = 0; i < cols; ++i) {
      const int mr = PixR(m[i]);
      if (mr == 255) continue;
      const int sa = PixA(s[i]);
      const int w = mr == 0 ? sa : ((255 - mr) * sa) >> 8;
      const std::uint32_t dp = d[i], sp = s[i];
      // (w·(src − dst) + dst·256) >> 8 is the weighted blend with dst weighted by 256 − w.
      d[i] = (dp & AlphaMask) | std::uint32_t(Blend256(PixR(sp), PixR(dp), w)) << 16 |
             std::uint32_t(Blend256(PixG(sp), PixG(dp), w)) << 8 | std::uint32_t(Blend256(PixB(sp), PixB(dp), w));
    }
  }
}
