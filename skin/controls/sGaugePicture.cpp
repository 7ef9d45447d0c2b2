#include "skin/controls/sGaugePicture.h"

#include <algorithm>

#include "skin/base/sBlend.h"
#include "skin/base/sLightStrip.h"
#include "skin/base/sTransform.h"
#include "skin/controls/sGaugeRange.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sMaskFrame.h"

namespace {

const TsGeneralData* GaugeSection(const TsGaugeLook& look) {
  const TsSkinManager* m = ItemManager(look.Gauge.Manager);
  const int i = look.Gauge.SkinIndex;
  if (!m || i < 0 || std::size_t(i) >= m->gd().size()) return nullptr;
  return &m->gd()[std::size_t(i)];
}

// rect's pixels of bmp as a bitmap of their own (rect inside bmp).
TBitmap32 Piece(const TBitmap32& bmp, const TRect& rect) {
  TBitmap32 out(rect.Width(), rect.Height());
  for (int y = 0; y < out.Height(); ++y)
    std::copy_n(bmp.Row(rect.Top + y) + rect.Left, out.Width(), out.Row(y));
  return out;
}

void CopyInto(TBitmap32& dst, const TBitmap32& src, TPoint at) {
  const int x0 = std::max(at.X, 0), y0 = std::max(at.Y, 0);
  const int x1 = std::min(at.X + src.Width(), dst.Width()), y1 = std::min(at.Y + src.Height(), dst.Height());
  for (int y = y0; y < y1; ++y) std::copy(src.Row(y - at.Y) + (x0 - at.X), src.Row(y - at.Y) + (x1 - at.X), dst.Row(y) + x0);
}

TCacheInfo White() { return TCacheInfo{nullptr, -99, -99, clWhite, TRect{}, false}; }

// The filled part along a bar of work.Width() × work.Height() (a horizontal bar, or a vertical
// one turned by a quarter), c pixels long: painted (or taken from tmp), then lit.
TBitmap32 LitFill(const TsGaugeLook& look, TsSkinManager& m, int index, const std::wstring& name, TBitmap32& work,
                  int c, TBitmap32& tmp, const TBitmap32* light) {
  const int x = work.Height();
  TBitmap32 b(c, x);
  const TRect all{0, 0, c, x};
  // The light's region: the LRGN mask as a frame over the filled part, white where it lets
  // nothing through; only the part under the strip is kept.
  const bool lit = light && light->Height() == x && GaugeLightShows(look, c);
  TRect visible{};
  TBitmap32 region;
  if (lit) {
    visible = TRect{std::max(look.AnimPos, 0), 0, int(std::min<long long>(std::int64_t(look.AnimPos) + kGaugeLightLength, c)), x};
    const int mask = m.GetMaskIndex(index, name, L"LRGN");
    if (mask >= 0 && visible.Right > visible.Left) {
      TBitmap32 frame(c, x);
      for (int y = 0; y < x; ++y) std::fill_n(frame.Row(y), c, 0x00FFFFFFu);
      PaintMaskFrame(frame, all, White(), true, 0, m.ma()[std::size_t(mask)]);
      region = Piece(frame, visible);
    }
  }
  if (tmp.Width() == c && tmp.Height() == x) {
    b = tmp;
  } else {
    const TCacheInfo bg = MakeCacheInfo(&work, 0, 0);
    if (GaugePlainBackground(look)) PaintSectionBackground(index, name, bg, clFuchsia, -1, -1, &m, b, {0, 0}, all, 0);
    else PaintSectionItem(index, name, bg, -1, -1, &m, b, {0, 0}, all, 0);
    tmp = b;
  }
  if (lit && visible.Right > visible.Left) {
    if (!region.Empty()) {
      const TBitmap32 strip = Piece(*light, TRect{visible.Left - look.AnimPos, 0, visible.Right - look.AnimPos, x});
      BlendThroughMask(b, strip, region, visible);
    } else {
      OverlayWithAlpha(b, *light, {look.AnimPos, 0});
    }
  }
  return b;
}

}  // namespace

bool GaugePlainBackground(const TsGaugeLook& look) {
  const TsGeneralData* g = GaugeSection(look);
  return g && g->ReservedBoolean;
}

std::wstring GaugeProgressSection(const TsGaugeLook& look) {
  if (!look.ProgressSkin.empty()) return look.ProgressSkin;
  return look.Vertical && !look.Animated ? L"PROGRESSV" : L"PROGRESSH";
}

int GaugeBarLength(const TsGaugeLook& look, int width, int height) { return look.Vertical ? height : width; }
int GaugeBarCross(const TsGaugeLook& look, int width, int height) { return look.Vertical ? width : height; }

bool GaugeLightShows(const TsGaugeLook& look, int c) {
  return look.Animated && !GaugePlainBackground(look) &&
         std::int64_t(look.AnimPos) < std::int64_t(c) + kGaugeLightLength;
}

void PaintGaugeBase(const TsGaugeLook& look, const TCacheInfo& bg, TBitmap32& cache, TPoint pos) {
  const TRect all{0, 0, cache.Width(), cache.Height()};
  if (look.Bar && GaugePlainBackground(look)) PaintControlBackground(look.Gauge, bg, 0, cache, pos, all);
  else PaintSkinItem(look.Gauge, bg, true, cache, pos, all, 0);
}

void PaintGaugeBorder(const TsGaugeLook& look, const TCacheInfo& bg, TBitmap32& cache) {
  if (!look.Bar || !GaugePlainBackground(look)) return;
  const TsSkinManager* m = ItemManager(look.Gauge.Manager);
  const int b = look.Gauge.BorderIndex;
  if (!m || b < 0 || std::size_t(b) >= m->ma().size()) return;
  PaintMaskFrame(cache, TRect{0, 0, cache.Width(), cache.Height()}, bg, true, 0, m->ma()[std::size_t(b)]);
}

TsGaugeFill PaintGaugeFill(const TsGaugeLook& look, TBitmap32& cache, TBitmap32& tmp, const TBitmap32* light) {
  TsGaugeFill fill;
  TsSkinManager* m = ItemManager(look.Gauge.Manager);
  if (!look.Bar || !m || cache.Empty()) return fill;
  std::wstring name = GaugeProgressSection(look);
  int index = m->GetSkinIndex(name);
  const int w = cache.Width(), h = cache.Height();
  if (look.Vertical && !look.Animated && index >= 0) {
    // The vertical section grows from the bottom, over the gauge's picture.
    const int c = GaugeFilledLength(h, look.Percent);
    if (c <= 0) return fill;
    fill.Pixels = TBitmap32(w, c);
    PaintSectionItem(index, name, MakeCacheInfo(&cache, 0, 0), -1, -1, m, fill.Pixels, {0, h - c}, TRect{0, 0, w, c}, 0);
    fill.At = {0, h - c};
    fill.Sectioned = true;
    fill.Index = index;
    return fill;
  }
  if (index < 0 && name != L"PROGRESSH") {
    name = L"PROGRESSH";
    index = m->GetSkinIndex(name);
  }
  if (index < 0) return fill;
  if (!look.Vertical) {
    const int c = GaugeFilledLength(w, look.Percent);
    if (c <= 0) return fill;
    fill.Pixels = LitFill(look, *m, index, name, cache, c, tmp, light);
  } else {
    // Along the height: the work is done on the picture turned so that the bottom lies left.
    TBitmap32 copy = cache;
    TBitmap32 turned = RotateBitmap90(copy, true, true);
    const int c = GaugeFilledLength(h, look.Percent);
    if (c <= 0) return fill;
    TBitmap32 b = LitFill(look, *m, index, name, turned, c, tmp, light);
    fill.Pixels = RotateBitmap90(b, false, true);
    fill.At = {0, h - c};
  }
  fill.Sectioned = true;
  fill.Index = index;
  return fill;
}

void PlaceGaugeFill(const TsGaugeFill& fill, TBitmap32& cache) {
  if (!fill.Pixels.Empty()) CopyInto(cache, fill.Pixels, fill.At);
}

void PaintGaugePicture(const TsGaugeLook& look, const TCacheInfo& bg, TBitmap32& cache, TPoint pos, TBitmap32& tmp,
                       const TBitmap32* light) {
  PaintGaugeBase(look, bg, cache, pos);
  PlaceGaugeFill(PaintGaugeFill(look, cache, tmp, light), cache);
  PaintGaugeBorder(look, bg, cache);
}
