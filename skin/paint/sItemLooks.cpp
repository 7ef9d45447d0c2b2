// What controls lay over a painted item: the disabled look, the glow behind text, and the
// corners refreshed after a move.
#include <algorithm>

#include "skin/base/sBlend.h"
#include "skin/base/sClip.h"
#include "skin/base/sColorMath.h"
#include "skin/base/sColorTransforms.h"
#include "skin/base/sFill.h"
#include "skin/base/sTransform.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sMaskFrame.h"
#include "skin/paint/sSkinItem.h"

using namespace scolor;

void ApplyDisabledLook(TBitmap32& bmp, unsigned kinds, TColor parentColor, TPoint pos, const TCacheInfo& bg) {
  if (bmp.Empty()) return;
  if (kinds & dkGrayed) {
    if (DefDisabledSaturation == -100) ToGrayscale(bmp);
    else TransformPixels(bmp, SaturationTransform, DefDisabledSaturation, clFuchsia);
  }
  if (kinds & dkBlended) {
    if (bg.Ready && bg.Bmp) {
      const int x = bg.X + pos.X, y = bg.Y + pos.Y;
      MergeKeyedBitmap(bmp, 0, 0, clFuchsia, DefDisabledBlend,
                       Rect(x, y, x + bmp.Width() - 1, y + bmp.Height() - 1), *bg.Bmp);
    } else {
      const TColor under = bg.FillColor != clFuchsia ? bg.FillColor : parentColor;
      TintPixels(bmp, Rect(0, 0, bmp.Width() - 1, bmp.Height() - 1), int(Round(DefDisabledBlend * 100)), under);
    }
  }
}

TRect GlowMaskRect(const TRect& textRect, int size) {
  const int grow = size + 4;
  return Rect(textRect.Left + 1 - grow, textRect.Top + 1 - grow, textRect.Right + 1 + grow, textRect.Bottom + 1 + grow);
}

void BlendGlowMask(TBitmap32& bmp, const TBitmap8& mask, TPoint origin, TColor glowColor) {
  // The mask area that lands inside the bitmap, found once.
  const TRect area = sclip::Intersect(Bounds(origin.X, origin.Y, mask.Width(), mask.Height()), bmp.Width(),
                                      bmp.Height());
  if (sclip::IsEmpty(area)) return;
  const std::uint32_t gr = ColR(glowColor), gg = ColG(glowColor), gb = ColB(glowColor);
  for (int y = area.Top; y < area.Bottom; ++y) {
    const std::uint8_t* m = mask.Row(y - origin.Y) + (area.Left - origin.X);
    std::uint32_t* d = bmp.Row(y) + area.Left;
    for (int i = 0, n = area.Width(); i < n; ++i) {
      const std::uint32_t mv = m[i];
      if (mv >= 255) continue;
      const std::uint32_t g = 255 - mv, p = d[i];
      const std::uint32_t a = PixA(p), r = PixR(p), gc = PixG(p), b = PixB(p);
      d[i] = MakePixel(int((g * gr + r * mv) >> 8), int((g * gg + gc * mv) >> 8), int((g * gb + b * mv) >> 8),
                       int(a + (((255 - a) * g) >> 8)));
    }
  }
}

void RefreshCorners(const TsItemSkinData& data, TBitmap32& cache, int state, unsigned corners, const TCacheInfo& bg,
                    TPoint ctrlPos) {
  const TsSkinManager* mgr = ItemManager(data.Manager);
  if (!mgr || !mgr->IsValidImgIndex(data.BorderIndex) || cache.Empty()) return;
  const TsMaskData& m = mgr->ma()[std::size_t(data.BorderIndex)];
  const TBitmap32* src = MaskSource(m);
  if (m.CornerType == 0 || !src) return;
  const bool fromBitmap = bg.Ready && bg.Bmp;
  if (!fromBitmap && bg.FillColor == clFuchsia) return;
  const std::uint32_t fill = AlphaMask | SwapRB(bg.FillColor);

  // An image file without a frame count holds three frames over an image and a mask layer.
  TsFrameSize fs = MaskFrameSize(m);
  int frame = MaskFrameIndex(m, state);
  if (m.Bmp && m.ImageCount == 0) {
    fs = TsFrameSize{m.Bmp->Width() / 3, m.Bmp->Height() / 2};
    frame = std::clamp(state, 0, 2);
  }
  const int L = std::clamp<int>(m.WL, 0, fs.W), T = std::clamp<int>(m.WT, 0, fs.H);
  const int R = std::clamp<int>(m.WR, 0, fs.W), B = std::clamp<int>(m.WB, 0, fs.H);
  const int ox = m.R.Left + frame * fs.W, oy = m.R.Top;
  const int cw = cache.Width(), ch = cache.Height();
  struct TCorner {
    unsigned Bit;
    TRect Src;
    TPoint At;
  };
  const TCorner all[4] = {
      {crTopLeft, Bounds(ox, oy, L, T), {0, 0}},
      {crBottomLeft, Bounds(ox, oy + fs.H - B, L, B), {0, ch - B}},
      {crTopRight, Bounds(ox + fs.W - R, oy, R, T), {cw - R, 0}},
      {crBottomRight, Bounds(ox + fs.W - R, oy + fs.H - B, R, B), {cw - R, ch - B}},
  };
  for (const TCorner& c : all) {
    if (!(corners & c.Bit)) continue;
    // The piece is cut to the source and the cache once; the loop then only tests keys.
    sclip::TBlit b{c.At.X, c.At.Y, c.Src.Left, c.Src.Top, c.Src.Width(), c.Src.Height()};
    if (!sclip::ClipBlit(b, cw, ch, sclip::Whole(*src))) continue;
    for (int r = 0; r < b.H; ++r) {
      const int y = b.DY + r;
      const std::uint32_t* s = src->Row(b.SY + r) + b.SX;
      std::uint32_t* d = cache.Row(y) + b.DX;
      const long long by = (long long)bg.Y + ctrlPos.Y + y;
      const bool rowInside = fromBitmap && by >= 0 && by < bg.Bmp->Height();
      if (fromBitmap && !rowInside) continue;
      const std::uint32_t* bgRow = rowInside ? bg.Bmp->Row(int(by)) : nullptr;
      for (int i = 0; i < b.W; ++i) {
        if (s[i] != KeyPixel) continue;
        if (!fromBitmap) {
          d[i] = fill;
          continue;
        }
        const long long bx = (long long)bg.X + ctrlPos.X + b.DX + i;
        if (bx >= 0 && bx < bg.Bmp->Width()) d[i] = bgRow[bx];
      }
    }
  }
}
