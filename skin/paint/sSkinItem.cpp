// A whole skin item: background, corner images, border and the control's recolouring.
#include "skin/paint/sSkinItem.h"

#include <algorithm>

#include "skin/base/sClip.h"
#include "skin/base/sRecolor.h"
#include "skin/base/sSubView.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sMaskFrame.h"

int SectionState(const TsGeneralData& section, int state) { return std::max(0, std::min(state, section.States - 1)); }

TsSkinManager* ItemManager(TsSkinManager* manager) { return manager ? manager : DefaultManager(); }

namespace {

bool ItemRectValid(const TBitmap32& bmp, const TRect& r) {
  return r.Left >= 0 && r.Top >= 0 && r.Right <= bmp.Width() && r.Bottom <= bmp.Height() && !sclip::IsEmpty(r);
}

// The four corner images of the section at the corners of rect, each cut to rect. Key pixels
// keep what the background painted (the bitmap form of the item itself).
void PaintCornerImages(const TsSkinManager& mgr, const TsGeneralData& section, TBitmap32& bmp, const TRect& rect,
                       int state) {
  TBitmap32 view = SubView(bmp, rect);
  const TCacheInfo self = MakeCacheInfo(&view, 0, 0);
  const int w = rect.Width(), h = rect.Height();
  const int images[4] = {section.ImgTL, section.ImgTR, section.ImgBL, section.ImgBR};
  for (int corner = 0; corner < 4; ++corner) {
    if (!mgr.IsValidImgIndex(images[corner])) continue;
    const TsMaskData& m = mgr.ma()[std::size_t(images[corner])];
    const TsFrameSize fs = MaskFrameSize(m);
    const TPoint at{corner % 2 ? w - fs.W : 0, corner / 2 ? h - fs.H : 0};
    PaintMaskImage(view, at, state, self, m, 1);
  }
}

TCacheInfo Shifted(const TCacheInfo& bg, TPoint by) {
  TCacheInfo b = bg;
  b.X += by.X;
  b.Y += by.Y;
  return b;
}

// Background, corner images and border; true when the border was drawn.
bool PaintItemLayers(const TsSkinManager& mgr, int index, const TsItemSkinData& d, int borderIndex, bool cornerFlag,
                     const TCacheInfo& bg, TBitmap32& bmp, TPoint pos, const TRect& rect, int state) {
  const TsGeneralData& section = mgr.gd()[std::size_t(index)];
  const int s = SectionState(section, state);
  PaintSectionBackground(index, d.SkinSection, bg, d.CustomColor, d.HotTexture, d.Texture, d.Manager, bmp, pos, rect, s);
  PaintCornerImages(mgr, section, bmp, rect, s);
  if (!mgr.IsValidImgIndex(borderIndex)) return false;
  const TsMaskData& border = mgr.ma()[std::size_t(borderIndex)];
  if (s == 0 && (border.DrawMode & kDrawNoNormal)) return false;
  PaintMaskFrame(bmp, rect, Shifted(bg, pos), cornerFlag, s, border);
  return true;
}

// The control's own colour changes over rect, key pixels kept.
void Recolor(const TsItemSkinData& d, TBitmap32& bmp, const TRect& rect) {
  TBitmap32 view = SubView(bmp, rect);
  // The tone is used in the byte order of the pixels, as the tone transform defines it.
  RecolorPixels(view, {d.ColorTone, d.HUEOffset, d.Saturation, TsSaturationScale::scLimitedAmount});
}

}  // namespace

void PaintSectionItem(int index, std::wstring_view name, const TCacheInfo& bg, int hotTexture, int texture,
                      TsSkinManager* manager, TBitmap32& bmp, TPoint pos, const TRect& rect, int state) {
  TsSkinManager* mgr = ItemManager(manager);
  if (!mgr || !mgr->IsValidSkinIndex(index) || !ItemRectValid(bmp, rect)) return;
  TsItemSkinData d;
  d.SkinSection = std::wstring(name);
  d.Texture = texture;
  d.HotTexture = hotTexture;
  d.Manager = mgr;
  PaintItemLayers(*mgr, index, d, mgr->gd()[std::size_t(index)].BorderIndex, true, bg, bmp, pos, rect, state);
}

void PaintControlBackground(const TsItemSkinData& data, const TCacheInfo& bg, int state, TBitmap32& bmp, TPoint pos,
                            const TRect& rect) {
  TsSkinManager* mgr = ItemManager(data.Manager);
  if (!mgr || !mgr->IsValidSkinIndex(data.SkinIndex)) return;
  const int s = SectionState(mgr->gd()[std::size_t(data.SkinIndex)], state);
  PaintSectionBackground(data.SkinIndex, data.SkinSection, bg, data.CustomColor, data.HotTexture, data.Texture, mgr,
                         bmp, pos, rect, s);
}

void PaintSkinItem(const TsItemSkinData& data, const TCacheInfo& bg, bool cornerFlag, TBitmap32& bmp, TPoint pos,
                   const TRect& rect, int state) {
  TsSkinManager* mgr = ItemManager(data.Manager);
  if (!mgr || !mgr->IsValidSkinIndex(data.SkinIndex) || !ItemRectValid(bmp, rect)) return;
  const TsGeneralData& section = mgr->gd()[std::size_t(data.SkinIndex)];
  const bool border = PaintItemLayers(*mgr, data.SkinIndex, data, data.BorderIndex, cornerFlag, bg, bmp, pos, rect, state);
  const int p = PropertyIndex(SectionState(section, state));
  // A transparent section without a border shows its background, which is not the control's to
  // recolour.
  if (border || section.Props[std::size_t(p)].Transparency <= 0) Recolor(data, bmp, rect);
}
