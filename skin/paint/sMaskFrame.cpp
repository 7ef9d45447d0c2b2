#include "skin/paint/sMaskFrame.h"

#include <algorithm>
#include <array>
#include <vector>

#include "skin/base/sBlend.h"
#include "skin/base/sBlendKernels.h"
#include "skin/base/sClip.h"
#include "skin/base/sColorMath.h"
#include "skin/base/sFill.h"
#include "skin/base/sMaskCompose.h"
#include "skin/base/sResample.h"
#include "skin/base/sSubView.h"
#include "skin/base/sTexture.h"
#include "skin/data/sSkinManager.h"

TsFrameSize MaskFrameSize(const TsMaskData& m) {
  const int width = std::max(0, m.R.Width()), height = std::max(0, m.R.Height());
  TsFrameSize s;
  if (m.ImageCount == 1) s.W = width;
  else if (m.ImageCount > 1) s.W = width / m.ImageCount;
  if (m.MaskType == 0) s.H = height;
  else if (m.MaskType > 0) s.H = height / (m.MaskType + 1);
  return s;
}

int MaskFrameIndex(const TsMaskData& m, int state) { return std::max(0, std::min<int>(state, m.ImageCount - 1)); }

const TBitmap32* MaskSource(const TsMaskData& m) {
  if (m.Bmp) return m.Bmp.get();
  if (m.Manager && !m.Manager->MasterBitmap().Empty()) return &m.Manager->MasterBitmap();
  return nullptr;
}

namespace {

// Band shrink along one axis: the excess over the available length is taken half from the
// first band and the rest (the odd pixel too) from the second.
void ShrinkBands(int& a, int& b, int length) {
  const int e = a + b - length;
  if (e <= 0) return;
  const int h = e / 2;
  a = std::max(0, a - h);
  b = std::max(0, b - h - (e % 2));
}

}  // namespace

std::optional<TsFrameGeometry> MaskFrameGeometry(const TsMaskData& m, const TRect& rect, int state) {
  TsFrameGeometry g;
  g.Frame = MaskFrameSize(m);
  const int w = g.Frame.W, h = g.Frame.H;
  if (w <= 0 || h <= 0) return std::nullopt;
  g.L = std::max<int>(0, m.WL);
  g.T = std::max<int>(0, m.WT);
  g.R = std::max<int>(0, m.WR);
  g.B = std::max<int>(0, m.WB);
  ShrinkBands(g.L, g.R, rect.Width());
  ShrinkBands(g.T, g.B, rect.Height());
  const int mw = w - g.L - g.R, mh = h - g.T - g.B;
  if (mw < 0 || mh < 0) return std::nullopt;
  g.MaskDistance = IsTwoLayer(m) ? h : 0;

  const int ox = m.R.Left + MaskFrameIndex(m, state) * w, oy = m.R.Top;
  const int cx = ox + g.L, rx = ox + g.L + mw, cy = oy + g.T, by = oy + h - g.B;
  g.Src[fpTopLeft] = Bounds(ox, oy, g.L, g.T);
  g.Src[fpTop] = Bounds(cx, oy, mw, g.T);
  g.Src[fpTopRight] = Bounds(rx, oy, g.R, g.T);
  g.Src[fpLeft] = Bounds(ox, cy, g.L, mh);
  g.Src[fpCenter] = Bounds(cx, cy, mw, mh);
  g.Src[fpRight] = Bounds(rx, cy, g.R, mh);
  g.Src[fpBottomLeft] = Bounds(ox, by, g.L, g.B);
  g.Src[fpBottom] = Bounds(cx, by, mw, g.B);
  g.Src[fpBottomRight] = Bounds(rx, by, g.R, g.B);

  const TRect& r = rect;
  const int il = r.Left + g.L, ir = r.Right - g.R, it = r.Top + g.T, ib = r.Bottom - g.B;
  g.Dst[fpTopLeft] = Bounds(r.Left, r.Top, g.L, g.T);
  g.Dst[fpTop] = Rect(il, r.Top, ir, it);
  g.Dst[fpTopRight] = Bounds(ir, r.Top, g.R, g.T);
  g.Dst[fpLeft] = Rect(r.Left, it, il, ib);
  g.Dst[fpCenter] = Rect(il, it, ir, ib);
  g.Dst[fpRight] = Rect(ir, it, r.Right, ib);
  g.Dst[fpBottomLeft] = Bounds(r.Left, ib, g.L, g.B);
  g.Dst[fpBottom] = Rect(il, ib, ir, r.Bottom);
  g.Dst[fpBottomRight] = Bounds(ir, ib, g.R, g.B);
  return g;
}

namespace {

inline TRect Inclusive(const TRect& r) { return TRect{r.Left, r.Top, r.Right - 1, r.Bottom - 1}; }
inline TRect Moved(const TRect& r, int dx, int dy) { return TRect{r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

// Scales piece s of src to the size of `out` at (0, top): Mitchell resampling or nearest pixel.
void ScaleInto(TBitmap32& out, int top, int dw, int dh, const TBitmap32& src, const TRect& s, bool mitchell) {
  if (mitchell) ResamplePiece(src, s, out, Bounds(0, top, dw, dh), fkMitchell);
  else StretchColorOnColor(out, Bounds(0, top, dw, dh), src, s);
}

// The readable part of src for a piece with a mask layer maskDistance rows below.
bool PieceInside(const TBitmap32& src, const TRect& s, int maskDistance) {
  return s.Left >= 0 && s.Top >= 0 && s.Right <= src.Width() && s.Bottom + maskDistance <= src.Height() &&
         s.Width() > 0 && s.Height() > 0;
}

// The centre of a 1 × 1 source: a solid colour, or nothing where the mask is white.
void FillSolidCenter(TBitmap32& dst, const TRect& d, const TBitmap32& src, const TRect& s, int maskDistance) {
  const std::uint32_t image = src.Pixel(s.Left, s.Top);
  if (maskDistance == 0) {
    FillPixels(dst, d, scolor::SwapRB(image), 255);
    return;
  }
  const std::uint32_t mask = src.Pixel(s.Left, s.Top + maskDistance);
  if ((mask & scolor::RgbMask) == 0) return FillPixels(dst, d, scolor::SwapRB(image), 255);
  if ((mask & scolor::RgbMask) == scolor::RgbMask) return;
  const TRect area = sclip::Intersect(d, dst.Width(), dst.Height());
  if (sclip::IsEmpty(area)) return;
  // One row of the colour and one of the mask, blended into every row of the part.
  const std::vector<std::uint32_t> images(std::size_t(area.Width()), image), masks(std::size_t(area.Width()), mask);
  const sblend::TRowRule opaque{.SetBits = scolor::AlphaMask};
  for (int y = area.Top; y < area.Bottom; ++y)
    sblend::BlendRowMask(dst.Row(y) + area.Left, images.data(), masks.data(), area.Width(), opaque);
}

// A stretched edge or centre. Mitchell resampling for the centre and for edges that shrink along
// one axis and keep the other; nearest-pixel stretching otherwise.
void StretchPart(TBitmap32& dst, const TRect& d, const TBitmap32& src, const TRect& s, int maskDistance, bool centre) {
  const int dw = d.Width(), dh = d.Height(), sw = s.Width(), sh = s.Height();
  if (centre && sw == 1 && sh == 1) return FillSolidCenter(dst, d, src, s, maskDistance);
  const bool shrinkOne = (dw < sw && dh == sh) || (dh < sh && dw == sw);
  const bool mitchell = dw >= 2 && dh >= 2 && (centre || shrinkOne);
  if (maskDistance == 0) {
    if (!mitchell) return StretchColorOnColor(dst, d, src, s);
    return ResamplePiece(src, s, dst, d, fkMitchell);
  }
  // Image above, mask below, each scaled on its own, then blended through the mask (alpha 255).
  // The two scalings write every pixel, so the scratch needs no clearing; the parts of controls
  // fit on the stack.
  constexpr std::size_t kStackPixels = 4096;
  const std::size_t pixels = std::size_t(dw) * std::size_t(dh) * 2;
  std::array<std::uint32_t, kStackPixels> local;
  std::vector<std::uint32_t> heap(pixels > kStackPixels ? pixels : 0);
  std::uint32_t* memory = pixels > kStackPixels ? heap.data() : local.data();
  TBitmap32 both = TBitmap32::View(memory, std::ptrdiff_t(dw) * 4, dw, 2 * dh);
  ScaleInto(both, 0, dw, dh, src, s, mitchell);
  ScaleInto(both, dh, dw, dh, src, Moved(s, 0, maskDistance), mitchell);
  TCacheInfo opaque = EmptyCacheInfo();
  opaque.Ready = true;
  CopyMaskedPiece(d, Bounds(0, 0, dw, dh), dst, both, opaque, false, dh);
}

// A tiled edge or centre: whole pieces from the part's corner, the last ones cut at its end.
// One layer is copied as it is (key pixels too); two layers go through the mask, key pixels
// leaving the destination unchanged.
void TilePart(TBitmap32& dst, const TRect& d, const TBitmap32& src, const TRect& s, int maskDistance) {
  if (maskDistance == 0) {
    TRect r = d;
    return TileTexture(dst, r, nullptr, 0, src, s);
  }
  const int w = s.Width(), h = s.Height();
  const TRect vis = sclip::Intersect(d, dst.Width(), dst.Height());
  if (sclip::IsEmpty(vis)) return;
  const TCacheInfo none = EmptyCacheInfo();
  const int firstX = d.Left + (vis.Left - d.Left) / w * w, firstY = d.Top + (vis.Top - d.Top) / h * h;
  for (int y = firstY; y < vis.Bottom; y += h)
    for (int x = firstX; x < vis.Right; x += w) {
      const int cw = std::min(w, d.Right - x), ch = std::min(h, d.Bottom - y);
      CopyMaskedPiece(Bounds(x, y, cw, ch), Bounds(s.Left, s.Top, cw, ch), dst, src, none, false, maskDistance);
    }
}

// Draws the parts of g into `view`, whose (0, 0) lies at `origin` of the caller's coordinates.
// cornerBg == null: corners leave their key pixels (the region form).
void DrawParts(TBitmap32& view, TPoint origin, const TsFrameGeometry& g, const TsMaskData& mask, const TBitmap32& src,
               const TCacheInfo* cornerBg, bool useCorner) {
  const bool stretch = mask.DrawMode & kDrawStretch;
  const bool centre = mask.DrawMode & kDrawFillCenter;
  for (int part = 0; part < fpCount; ++part) {
    if (part == fpCenter && !centre) continue;
    const TRect s = g.Src[part];
    const TRect d = Moved(g.Dst[part], -origin.X, -origin.Y);
    if (d.Width() <= 0 || d.Height() <= 0 || !PieceInside(src, s, g.MaskDistance)) continue;
    if (!IsFrameCorner(part)) {
      if (stretch) StretchPart(view, d, src, s, g.MaskDistance, part == fpCenter);
      else TilePart(view, d, src, s, g.MaskDistance);
      continue;
    }
    const TCacheInfo bg = cornerBg && useCorner ? *cornerBg : EmptyCacheInfo();
    if (g.MaskDistance == 0) CopyKeyed(view, src, d.Left, d.Top, Inclusive(s), clFuchsia, bg, useCorner);
    else CopyMaskedPiece(d, s, view, src, cornerBg ? *cornerBg : bg, useCorner, g.MaskDistance);
  }
}

bool FrameDrawable(const TsMaskData& mask, int state, const TRect& rect) {
  if (state == 0 && (mask.DrawMode & kDrawNoNormal)) return false;
  return rect.Width() >= 2 && rect.Height() >= 2 && mask.Manager;
}

}  // namespace

void PaintMaskFrame(TBitmap32& bmp, const TRect& rect, const TCacheInfo& bg, bool cornerFlag, int state,
                    const TsMaskData& mask) {
  if (!FrameDrawable(mask, state, rect)) return;
  const TBitmap32* src = MaskSource(mask);
  const auto g = MaskFrameGeometry(mask, rect, state);
  if (!src || !g) return;
  // Everything is drawn into a view of the rectangle, so that no part reaches past it.
  const TRect clip = sclip::Intersect(rect, bmp.Width(), bmp.Height());
  if (sclip::IsEmpty(clip)) return;
  TBitmap32 view = SubView(bmp, clip);
  TCacheInfo cornerBg = bg;
  cornerBg.X += clip.Left;
  cornerBg.Y += clip.Top;
  DrawParts(view, TPoint{clip.Left, clip.Top}, *g, mask, *src, &cornerBg, cornerFlag && mask.CornerType > 0);
}

std::vector<TRect> PaintMaskFrameRegion(TBitmap32& bmp, bool cornerFlag, int state, const TsMaskData& mask) {
  std::vector<TRect> cut;
  const TRect rect = sclip::Whole(bmp);
  if (!FrameDrawable(mask, state, rect)) return cut;
  const TBitmap32* src = MaskSource(mask);
  const auto g = MaskFrameGeometry(mask, rect, state);
  if (!src || !g) return cut;
  DrawParts(bmp, TPoint{}, *g, mask, *src, nullptr, false);
  for (int part : {fpTopLeft, fpBottomLeft, fpBottomRight, fpTopRight}) {
    const TRect d = g->Dst[part];
    AppendKeyRuns(cut, *src, g->Src[part], TPoint{d.Left, d.Top}, bmp.Width(), bmp.Height());
  }
  return cut;
}

void AppendKeyRuns(std::vector<TRect>& out, const TBitmap32& src, const TRect& piece, TPoint at, int limitW,
                   int limitH) {
  if (!PieceInside(src, piece, 0)) return;
  for (int y = std::max(0, -at.Y); y < piece.Height() && at.Y + y < limitH; ++y) {
    const std::uint32_t* row = src.Row(piece.Top + y) + piece.Left;
    for (int x = std::max(0, -at.X); x < piece.Width() && at.X + x < limitW;) {
      if (row[x] != scolor::KeyPixel) {
        ++x;
        continue;
      }
      int e = x;
      while (e < piece.Width() && at.X + e < limitW && row[e] == scolor::KeyPixel) ++e;
      out.push_back(Rect(at.X + x, at.Y + y, at.X + e, at.Y + y + 1));
      x = e;
    }
  }
}

void PaintMaskImage(TBitmap32& bmp, TPoint pos, int state, const TCacheInfo& bg, const TsMaskData& mask, int mode) {
  const TsFrameSize fs = MaskFrameSize(mask);
  if (fs.W <= 0 || fs.H <= 0) return;
  const TRect s = Bounds(mask.R.Left + MaskFrameIndex(mask, state) * fs.W, mask.R.Top, fs.W, fs.H);
  const TRect d = Bounds(pos.X, pos.Y, fs.W, fs.H);
  const int maskDistance = IsTwoLayer(mask) ? fs.H : 0;
  if (mask.Bmp) {
    const TBitmap32& own = *mask.Bmp;
    if (own.Width() < mask.R.Right || own.Height() < mask.R.Bottom) return;
    if (maskDistance > 0) return ComposeGlyph(d, s, bmp, own, maskDistance, mode);
    return CopyKeyed(bmp, own, pos.X, pos.Y, Inclusive(s), clFuchsia, EmptyCacheInfo(), false);
  }
  const TBitmap32* src = MaskSource(mask);
  if (!src || mask.ImageCount <= 0) return;
  if (maskDistance > 0) return ComposeGlyph(d, s, bmp, *src, maskDistance, mode);
  if (mode == 1) return CopyKeyed(bmp, *src, pos.X, pos.Y, Inclusive(s), clFuchsia, bg, true);
  MergeKeyedBitmap(bmp, pos.X, pos.Y, clFuchsia, 0.5, Inclusive(s), *src);
}
