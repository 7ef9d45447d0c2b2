#include "skin/controls/sComboBoxPicture.h"

#include <algorithm>

#include "skin/base/sFill.h"
#include "skin/base/sMarks.h"
#include "skin/base/sTexture.h"
#include "skin/controls/sComboBoxGeometry.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sMaskFrame.h"

namespace {

constexpr int kDefaultButtonHeight = 16;

TRect Whole(const TBitmap32& bmp) { return TRect{0, 0, bmp.Width(), bmp.Height()}; }

// The combo glyph of the manager's skin, or null.
const TsMaskData* ComboGlyph(const TsSkinManager* m) {
  if (!m || !m->IsValidImgIndex(m->ConstData.ComboBtn.GlyphIndex)) return nullptr;
  return &m->ma()[std::size_t(m->ConstData.ComboBtn.GlyphIndex)];
}

}  // namespace

int ComboButtonHeight(TsSkinManager* manager) {
  const TsMaskData* glyph = ComboGlyph(ItemManager(manager));
  return glyph ? MaskFrameSize(*glyph).H : kDefaultButtonHeight;
}

void PaintComboBase(const TsComboLook& look, const TCacheInfo& bg, TBitmap32& cache, TPoint pos, bool hot) {
  PaintSkinItem(look.Combo, bg, true, cache, pos, Whole(cache), hot ? 1 : 0);
}

void PaintComboButton(const TsComboLook& look, TBitmap32& cache, int controlHeight, int b, TColor windowTextColor) {
  const int w = ComboButtonWidth(look.Style, look.ShowButton, look.ScrollWidth);
  if (w <= 0 || cache.Empty()) return;
  const TRect r = ComboButtonRect(cache.Width(), controlHeight, look.Margin, w, look.RightToLeft);
  TsSkinManager* m = ItemManager(look.Combo.Manager);
  const TsConstElementData* button = m && m->IsValidSkinIndex(m->ConstData.ComboBtn.SkinIndex) ? &m->ConstData.ComboBtn : nullptr;
  // The button section reads the cache as what lies behind it, so that its transparent parts show
  // the field painted just before.
  if (button)
    PaintSectionItem(button->SkinIndex, button->SkinSection, MakeCacheInfo(&cache), button->BGIndex[1],
                     button->BGIndex[0], m, cache, TPoint{0, 0}, r, b);
  if (const TsMaskData* glyph = ComboGlyph(m)) {
    const TPoint at = ComboGlyphOrigin(r, MaskFrameSize(*glyph).W, controlHeight, ComboButtonHeight(m));
    PaintMaskImage(cache, at, b, MakeCacheInfo(&cache), *glyph, 1);
    return;
  }
  TColor color = windowTextColor;
  if (button) color = m->gd()[std::size_t(button->SkinIndex)].Props[std::size_t(std::clamp(b, 0, 1))].FontColor.Color;
  DrawSmallArrow(cache, color, r, adDown);
}

void PaintComboListFrame(TBitmap32& cache, TColor listColor, TColor frameColor) {
  FillPixels(cache, Whole(cache), ColorToRGB(listColor), 255);
  if (frameColor == clNone) return;
  for (const TRect& band : FrameBands(Whole(cache), 1, 1, 1, 1)) FillPixels(cache, band, ColorToRGB(frameColor), 255);
}

void PaintComboItemBackground(TsSkinManager* manager, int selectionIndex, bool selected, const TCacheInfo& bg,
                              TColor fill, TBitmap32& item) {
  if (item.Empty()) return;
  const TRect all = Whole(item);
  TsSkinManager* m = ItemManager(manager);
  if (selected && m) {
    if (m->IsValidSkinIndex(selectionIndex))
      PaintSectionItem(selectionIndex, L"SELECTION", bg, -1, -1, m, item, TPoint{0, 0}, all, 1);
    else
      FillPixels(item, all, ColorToRGB(m->GetHighLightColor(true)), 255);
    return;
  }
  if (!selected && bg.Ready && bg.Bmp) {
    const TRect source{bg.X, bg.Y, bg.X + item.Width(), bg.Y + item.Height()};
    const bool inside = source.Left >= 0 && source.Top >= 0 && source.Right <= bg.Bmp->Width() &&
                        source.Bottom <= bg.Bmp->Height();
    if (!inside) FillPixels(item, all, ColorToRGB(fill), 255);
    CopyBitmapRect(item, 0, 0, *bg.Bmp, source);
    return;
  }
  FillPixels(item, all, ColorToRGB(fill), 255);
}
