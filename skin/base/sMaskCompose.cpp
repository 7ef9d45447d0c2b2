#include "skin/base/sMaskCompose.h"

#include <algorithm>

#include "skin/base/sBlendKernels.h"
#include "skin/base/sClip.h"
#include "skin/base/sColorMath.h"

using namespace scolor;

namespace {

// The part of src a two-layer piece may read its image rows from: the mask rows
// (maskDistance below) must lie inside src as well.
TRect ImageArea(const TBitmap32& src, int maskDistance) {
  return TRect{0, std::max(0, -maskDistance), src.Width(), std::min(src.Height(), src.Height() - maskDistance)};
}

// Background pixel for destination (x, y), or nullptr when it lies outside the background bitmap.
inline const std::uint32_t* BackgroundRow(const TCacheInfo& bg, int y) {
  const long long by = (long long)bg.Y + y;
  if (!bg.Bmp || by < 0 || by >= bg.Bmp->Height()) return nullptr;
  return bg.Bmp->Row(int(by));
}
inline bool BackgroundColumn(const TCacheInfo& bg, int x, int& bx) {
  const long long v = (long long)bg.X + x;
  if (v < 0 || v >= bg.Bmp->Width()) return false;
  bx = int(v);
  return true;
}

// The size rule shared by CopyMaskedPiece and ComposeGlyph.
bool ClipPiece(const TRect& dstRect, const TRect& srcRect, const TBitmap32& dst, const TBitmap32& src,
               int maskDistance, sclip::TBlit& b) {
  b = {dstRect.Left, dstRect.Top, srcRect.Left, srcRect.Top, std::min(dstRect.Width(), srcRect.Width()),
       std::min(dstRect.Height(), srcRect.Height())};
  return sclip::ClipBlit(b, dst.Width(), dst.Height(), ImageArea(src, maskDistance));
}

// The columns i of a row whose background pixel (X + DX + i, Y + y) lies inside the background.
inline void BackgroundSpan(const TCacheInfo& bg, int dx, int n, int& first, int& last) {
  first = int(std::clamp<long long>(-((long long)bg.X + dx), 0, n));
  last = int(std::clamp<long long>((long long)bg.Bmp->Width() - bg.X - dx, first, n));
}

// Mask-blends one row by the rule `kept` (key pixels keep what is there), except that key pixels
// whose background pixel lies inside bgRow take that pixel. bgRow may be null (no background
// row for this destination row).
void BlendRowOverBackground(std::uint32_t* d, const std::uint32_t* img, const std::uint32_t* mask, int n,
                            const sblend::TRowRule& kept, const TCacheInfo& bg, int dx, const std::uint32_t* bgRow) {
  int first = n, last = n;
  if (bgRow) BackgroundSpan(bg, dx, n, first, last);
  if (first >= last) return sblend::BlendRowMask(d, img, mask, n, kept);
  sblend::TRowRule under = kept;
  under.Key = sblend::TKeyRule::Under;
  under.Under = bgRow + ((long long)bg.X + dx + first);
  sblend::BlendRowMask(d, img, mask, first, kept);
  sblend::BlendRowMask(d + first, img + first, mask + first, last - first, under);
  sblend::BlendRowMask(d + last, img + last, mask + last, n - last, kept);
}

}  // namespace

void CopyKeyed(TBitmap32& dst, const TBitmap32& src, int x, int y, const TRect& srcRect, TColor key,
               const TCacheInfo& bg, bool useBackground) {
  const TRect area = sclip::IntersectInclusive(srcRect, src.Width(), src.Height());
  if (sclip::IsEmpty(area)) return;
  sclip::TBlit b{x, y, area.Left, area.Top, area.Right - area.Left, area.Bottom - area.Top};
  if (!sclip::ClipBlit(b, dst.Width(), dst.Height(), area)) return;
  const std::uint32_t k = SwapRB(key);
  const bool fromBitmap = useBackground && bg.Ready && bg.Bmp;
  const bool intoBackground = fromBitmap && bg.Bmp == &dst;
  const bool fillKeys = !bg.Ready && bg.FillColor != clFuchsia;
  const std::uint32_t fill = SwapRB(bg.FillColor);
  for (int r = 0; r < b.H; ++r) {
    const int dy = b.DY + r;
    std::uint32_t* d = dst.Row(dy) + b.DX;
    const std::uint32_t* s = src.Row(b.SY + r) + b.SX;
    if (intoBackground) {
      for (int i = 0; i < b.W; ++i)
        if (s[i] != k) d[i] = s[i] | AlphaMask;
    } else if (fromBitmap) {
      const std::uint32_t* bgRow = BackgroundRow(bg, dy);
      for (int i = 0; i < b.W; ++i) {
        int bx;
        if (s[i] != k) d[i] = s[i];
        else if (bgRow && BackgroundColumn(bg, b.DX + i, bx)) d[i] = bgRow[bx];
      }
    } else if (fillKeys) {
      for (int i = 0; i < b.W; ++i) d[i] = s[i] != k ? s[i] : fill;
    } else {
      for (int i = 0; i < b.W; ++i)
        if (s[i] != k) d[i] = s[i];
    }
  }
}

void CopyMaskedPiece(const TRect& dstRect, const TRect& srcRect, TBitmap32& dst, const TBitmap32& src,
                     const TCacheInfo& bg, bool corner, int maskDistance) {
  using sblend::TKeyRule;
  using sblend::TRowRule;
  sclip::TBlit b;
  if (!ClipPiece(dstRect, srcRect, dst, src, maskDistance, b)) return;
  // Over a ready background every pixel comes out opaque and corner keys show the background
  // below them (kept where there is none); otherwise the destination keeps its alpha, and corner
  // keys take the fill colour as a whole pixel value.
  TRowRule rule;
  if (bg.Ready) rule = TRowRule{.SetBits = AlphaMask, .Key = corner ? TKeyRule::Keep : TKeyRule::Blend};
  else if (corner) rule = TRowRule{.KeepBits = AlphaMask, .Key = TKeyRule::Value, .KeyValue = SwapRB(bg.FillColor)};
  else rule = TRowRule{.KeepBits = AlphaMask, .Key = TKeyRule::Keep};
  const bool overBackground = bg.Ready && corner;
  for (int r = 0; r < b.H; ++r) {
    const int y = b.DY + r;
    std::uint32_t* d = dst.Row(y) + b.DX;
    const std::uint32_t* img = src.Row(b.SY + r) + b.SX;
    const std::uint32_t* mask = src.Row(b.SY + r + maskDistance) + b.SX;
    if (overBackground) BlendRowOverBackground(d, img, mask, b.W, rule, bg, b.DX, BackgroundRow(bg, y));
    else sblend::BlendRowMask(d, img, mask, b.W, rule);
  }
}

void ComposeGlyph(const TRect& dstRect, const TRect& srcRect, TBitmap32& dst, const TBitmap32& src, int maskDistance,
                  int mode) {
  if (maskDistance <= 0) {
    const int w = std::min(dstRect.Width(), srcRect.Width()), h = std::min(dstRect.Height(), srcRect.Height());
    if (w <= 0 || h <= 0) return;
    CopyKeyed(dst, src, dstRect.Left, dstRect.Top,
              TRect{srcRect.Left, srcRect.Top, srcRect.Left + w - 1, srcRect.Top + h - 1}, clFuchsia,
              EmptyCacheInfo(), false);
    return;
  }
  sclip::TBlit b;
  if (!ClipPiece(dstRect, srcRect, dst, src, maskDistance, b)) return;
  const int lift = mode == 1 ? 0 : 100;  // faded glyphs show more of what lies below
  for (int r = 0; r < b.H; ++r) {
    std::uint32_t* d = dst.Row(b.DY + r) + b.DX;
    const std::uint32_t* img = src.Row(b.SY + r) + b.SX;
    const std::uint32_t* mask = src.Row(b.SY + r + maskDistance) + b.SX;
    for (int i = 0; i < b.W; ++i) {
      const std::uint32_t ip = img[i], mp = mask[i], dp = d[i];
      const int mr = PixR(mp);
      if (ip == KeyPixel || mr >= 255) continue;
      const int a = PixA(dp);
      const int na = a + (((a - 255) * (mr - 255)) >> 8);
      d[i] = MakePixel(Blend256(PixR(dp), PixR(ip), std::min(mr + lift, 255)),
                       Blend256(PixG(dp), PixG(ip), std::min(PixG(mp) + lift, 255)),
                       Blend256(PixB(dp), PixB(ip), std::min(PixB(mp) + lift, 255)), na);
    }
  }
}

TBitmap32 MaskToAlphaBitmap(const TBitmap32& src, const TRect& rect) {
  const int half = rect.Height() / 2;
  TBitmap32 out(rect.Width(), half);
  if (out.Empty()) return out;
  sclip::TBlit b{0, 0, rect.Left, rect.Top, rect.Width(), half};
  if (!sclip::ClipBlit(b, out.Width(), out.Height(), ImageArea(src, half))) return out;
  for (int r = 0; r < b.H; ++r) {
    std::uint32_t* d = out.Row(b.DY + r) + b.DX;
    const std::uint32_t* img = src.Row(b.SY + r) + b.SX;
    const std::uint32_t* mask = src.Row(b.SY + r + half) + b.SX;
    for (int i = 0; i < b.W; ++i) d[i] = (img[i] & RgbMask) | std::uint32_t(255 - PixR(mask[i])) << 24;
  }
  return out;
}

void ComposeMaskedTile(TBitmap32& dst, int dx, int dy, const TBitmap32& master, int sx, int sy, int w, int h,
                       const TCacheInfo& bg) {
  sclip::TBlit b{dx, dy, sx, sy, w, h};
  if (!sclip::ClipBlit(b, dst.Width(), dst.Height(), ImageArea(master, h))) return;
  using sblend::TKeyRule;
  using sblend::TRowRule;
  const bool useColor = bg.FillColor != clFuchsia;
  const bool useBitmap = !useColor && bg.Ready && bg.Bmp;
  const TRowRule kept{.KeepBits = AlphaMask, .Key = TKeyRule::Keep};
  const TRowRule filled{.KeepBits = AlphaMask, .Key = TKeyRule::Value, .KeyValue = SwapRB(bg.FillColor)};
  for (int r = 0; r < b.H; ++r) {
    const int y = b.DY + r;
    std::uint32_t* d = dst.Row(y) + b.DX;
    const std::uint32_t* img = master.Row(b.SY + r) + b.SX;
    const std::uint32_t* mask = master.Row(b.SY + r + h) + b.SX;
    if (useColor) sblend::BlendRowMask(d, img, mask, b.W, filled);
    else if (useBitmap) BlendRowOverBackground(d, img, mask, b.W, kept, bg, b.DX, BackgroundRow(bg, y));
    else sblend::BlendRowMask(d, img, mask, b.W, kept);
  }
}
