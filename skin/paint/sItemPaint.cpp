#include "skin/paint/sItemPaint.h"

#include <cmath>

#include "framework/WinControl.h"
#include "skin/base/sColorMath.h"
#include "skin/base/sRecolor.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sMaskFrame.h"

TsItemSkinData ItemSkinData(const TsCommonData& d) {
  TsItemSkinData r;
  r.SkinIndex = d.SkinIndex;
  r.BorderIndex = d.BorderIndex;
  r.Texture = d.Texture;
  r.HotTexture = d.HotTexture;
  r.SkinSection = d.SkinSection();
  if (d.CustomColor()) r.CustomColor = d.OwnerControl() ? ColorToRGB(d.OwnerControl()->Color()) : clFuchsia;
  r.ColorTone = d.ColorTone() == TColor(0x1FFFFFFF) ? clNone : d.ColorTone();
  r.HUEOffset = d.HUEOffset();
  r.Saturation = d.Saturation();
  r.Manager = d.SkinManager();
  return r;
}

TsRecolor OwnRecolor(const TsCommonData& d) {
  return {d.ColorTone(), d.HUEOffset(), d.Saturation(), TsSaturationScale::scPercent};
}

TColor AdjustedColor(const TsCommonData& d, TColor color) { return ColorToRGB(RecolorColor(color, OwnRecolor(d))); }

void PaintSkinItem(const TsCommonData& d, const TCacheInfo& bg, bool cornerFlag, TBitmap32& bmp, TPoint pos,
                   const TRect& rect, int state) {
  PaintSkinItem(ItemSkinData(d), bg, cornerFlag, bmp, pos, rect, state);
}

void PaintControlBackground(const TsCommonData& d, const TCacheInfo& bg, int state, TBitmap32& bmp, TPoint pos,
                            const TRect& rect) {
  PaintControlBackground(ItemSkinData(d), bg, state, bmp, pos, rect);
}

void PaintSectionToDC(int index, std::wstring_view name, const TCacheInfo& bg, TsSkinManager* manager, HDC dc,
                      TPoint pos, const TRect& rect, int state) {
  if (rect.Width() <= 0 || rect.Height() <= 0) return;
  TBitmap picture(rect.Width(), rect.Height());
  PaintSectionItem(index, name, bg, -1, -1, manager, picture.Pixels(), pos, {0, 0, rect.Width(), rect.Height()}, state);
  BitBlt(dc, rect.Left, rect.Top, rect.Width(), rect.Height(), picture.DC(), 0, 0, SRCCOPY);
}

void PaintMaskFrameRegion(TBitmap32& bmp, HRGN region, bool cornerFlag, int state, const TsMaskData& mask) {
  for (const TRect& r : PaintMaskFrameRegion(bmp, cornerFlag, state, mask)) {
    TUniqueRgn cut(CreateRectRgn(r.Left, r.Top, r.Right, r.Bottom));
    if (region && cut) CombineRgn(region, region, cut.get(), RGN_DIFF);
  }
}

void RefreshCorners(TsCommonData& d, int state, unsigned corners) {
  TControl* owner = d.OwnerControl();
  if (!owner || !d.CacheBmp()) return;
  TsBackgroundQuery q;
  if (!QueryOwnerBackground(d, q)) return;
  RefreshCorners(ItemSkinData(d), d.CacheBmp()->Pixels(), state, corners, CacheInfoOf(q), {owner->Left(), owner->Top()});
}

void CopyBorderBands(HDC dst, HDC src, int w, int h, int band) {
  if (band <= 0) return;
  GdiFlush();
  BitBlt(dst, 0, 0, band, h, src, 0, 0, SRCCOPY);
  BitBlt(dst, 0, 0, w, band, src, 0, 0, SRCCOPY);
  BitBlt(dst, w - band, 0, band, h, src, w - band, 0, SRCCOPY);
  BitBlt(dst, 0, h - band, w, band, src, 0, h - band, SRCCOPY);
}
