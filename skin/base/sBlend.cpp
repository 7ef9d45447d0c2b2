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

namespace {

// The engine merges with tenths and halves (the disabled blend 0.4, 0.5). For such a factor
// num/den the double rule Trunc(s − (s − d)·f) equals s + floor((d − s)·num / den) for every pair
// of channel values (the tests check all of them), and that integer form vectorises over the
// bytes of a row: a disabled look costs a few vector operations per pixel instead of three double
// products. Key pixels and the alpha bytes are put back in a second pass.
template <int Num, int Den>
void MergeRowRational(std::uint32_t* d, const std::uint32_t* s, int w, std::uint32_t key) {
  // (d − s)·num is at least −255·num: the offset keeps the quotient's argument positive (so that
  // the division floors) and below 2^16 (so that it runs on 16-bit lanes).
  constexpr unsigned kOffset = 255 * Num;
  static_assert(kOffset * Den + kOffset < 0x10000u);
  // n / den as the high half of a 16-bit product, exact for every n here (the tests check it).
  constexpr unsigned kReciprocal = (0x10000u + Den - 1) / Den;
  constexpr int kChunk = 256;
  alignas(16) std::uint32_t merged[kChunk];
  auto* mb = reinterpret_cast<std::uint8_t*>(merged);
  for (int start = 0; start < w; start += kChunk) {
    const int n = std::min(kChunk, w - start);
    const auto* sb = reinterpret_cast<const std::uint8_t*>(s + start);
    const auto* db = reinterpret_cast<const std::uint8_t*>(d + start);
    for (int i = 0; i < n * 4; ++i) {
      const std::uint16_t arg = std::uint16_t(db[i] * Num - sb[i] * Num + kOffset * Den);
      const std::uint16_t q = std::uint16_t((std::uint32_t(arg) * kReciprocal) >> 16);
      mb[i] = std::uint8_t(sb[i] + q - kOffset);
    }
    for (int i = 0; i < n; ++i) {
      const std::uint32_t sp = s[start + i], dp = d[start + i];
      d[start + i] = sp == key ? dp : (dp & AlphaMask) | (merged[i] & RgbMask);
    }
  }
}

void MergeRowDouble(std::uint32_t* d, const std::uint32_t* s, int w, std::uint32_t key, double f) {
  auto mix = [f](int sc, int dc) { return std::uint32_t(ClampByte(Trunc(sc - (sc - dc) * f))); };
  for (int i = 0; i < w; ++i) {
    const std::uint32_t sp = s[i];
    if (sp == key) continue;
    const std::uint32_t dp = d[i];
    d[i] = (dp & AlphaMask) | mix(PixR(sp), PixR(dp)) << 16 | mix(PixG(sp), PixG(dp)) << 8 | mix(PixB(sp), PixB(dp));
  }
}

}  // namespace

void MergeKeyedBitmap(TBitmap32& dst, int x, int y, TColor key, double f, const TRect& srcRect, const TBitmap32& src) {
  const TRect area = sclip::IntersectInclusive(srcRect, src.Width(), src.Height());
  if (sclip::IsEmpty(area)) return;
  sclip::TBlit b{x, y, area.Left, area.Top, area.Right - area.Left, area.Bottom - area.Top};
  if (!sclip::ClipBlit(b, dst.Width(), dst.Height(), area)) return;
  const std::uint32_t k = SwapRB(key);
  for (int r = 0; r < b.H; ++r) {
    std::uint32_t* d = dst.Row(b.DY + r) + b.DX;
    const std::uint32_t* s = src.Row(b.SY + r) + b.SX;
    if (f == DefDisabledBlend) MergeRowRational<2, 5>(d, s, b.W, k);
    else if (f == 0.5) MergeRowRational<1, 2>(d, s, b.W, k);
    else MergeRowDouble(d, s, b.W, k, f);
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
