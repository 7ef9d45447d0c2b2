// The background of a skin section: colour, gradient, texture and their shares, and transparency
// against what lies behind the item.
#include <algorithm>

#include "skin/base/sBlend.h"
#include "skin/base/sClip.h"
#include "skin/base/sColorMath.h"
#include "skin/base/sFill.h"
#include "skin/base/sGradient.h"
#include "skin/base/sTexture.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sMaskFrame.h"
#include "skin/paint/sSkinItem.h"

namespace {

int Percent(int v) { return std::clamp(v, 0, 100); }

// The look of a section in one state, every share limited to 0 … 100.
struct TLook {
  TColor C = 0;
  int T = 0, I = 0, G = 0;
  const TsGenState* State = nullptr;
  // The texture: a mask piece, or a separate picture.
  const TsMaskData* Texture = nullptr;
  const TBitmap32* TextureSrc = nullptr;
  TRect TextureRect;
  const TBitmap32* Picture = nullptr;
};

// The piece a texture mask is cut from: R, or the whole of its own bitmap when R is empty (small
// JPEG textures keep no rectangle).
TRect TextureRect(const TsMaskData& m) {
  if (m.R.Width() > 0 && m.R.Height() > 0) return m.R;
  return m.Bmp ? sclip::Whole(*m.Bmp) : TRect{};
}

// The texture of the state: the texture argument, else the state's own; without either the
// section's PATTERN piece whatever its layers; a given index only when it has one layer; failing
// all that, the section's PATTERN picture.
void ChooseTexture(const TsSkinManager& mgr, int index, std::wstring_view name, int texture, TLook& look) {
  int i = texture >= 0 ? texture : look.State->TextureIndex;
  const TsMaskData* m = nullptr;
  if (i < 0) {
    i = mgr.GetMaskIndex(index, name, L"PATTERN");
    if (mgr.IsValidImgIndex(i)) m = &mgr.ma()[std::size_t(i)];
  } else if (mgr.IsValidImgIndex(i) && !IsTwoLayer(mgr.ma()[std::size_t(i)])) {
    m = &mgr.ma()[std::size_t(i)];
  }
  if (m && MaskSource(*m) && !sclip::IsEmpty(TextureRect(*m))) {
    look.Texture = m;
    look.TextureSrc = MaskSource(*m);
    look.TextureRect = TextureRect(*m);
    return;
  }
  const int p = mgr.GetPatternIndex(index, name, L"PATTERN");
  if (p >= 0 && p < int(mgr.pa().size()) && mgr.pa()[std::size_t(p)].Img) look.Picture = mgr.pa()[std::size_t(p)].Img.get();
}

TLook SectionLook(const TsSkinManager& mgr, int index, std::wstring_view name, TColor custom, int texture, int p) {
  const TsGenState& st = mgr.gd()[std::size_t(index)].Props[std::size_t(p)];
  TLook look;
  look.State = &st;
  if (custom != clFuchsia) {
    look.C = custom;
    return look;
  }
  look.C = ColorToRGB(st.Color);
  look.T = Percent(st.Transparency);
  if (look.T == 100) return look;
  look.I = Percent(st.ImagePercent);
  look.G = Percent(st.GradientPercent);
  if (look.I > 0) ChooseTexture(mgr, index, name, texture, look);
  // A share without a texture to show is no share: the colour takes its place.
  if (!look.Texture && !look.Picture) look.I = 0;
  return look;
}

TCacheInfo Shifted(const TCacheInfo& bg, int dx, int dy) {
  TCacheInfo b = bg;
  b.X += dx;
  b.Y += dy;
  return b;
}

// The gradient share: the state's segments, or the plain colour when the section has no
// gradient text.
void PaintGradientShare(TBitmap32& bmp, const TRect& rect, const TLook& look) {
  if (look.State->GradientData.empty()) FillPixels(bmp, rect, look.C, 255);
  else PaintGradient(bmp, rect, look.State->GradientArray, 0);
}

// The section's own background over rect: texture, gradient laid over it by their shares, the
// rest of the colour mixed in. bg is already moved to bmp's coordinates.
void PaintOwnBackground(TBitmap32& bmp, const TRect& rect, const TLook& look, const TCacheInfo& bg) {
  const TsGradArray& segments = look.State->GradientArray;
  const int I = look.I, G = look.G;
  // Textured gradient in one pass.
  if (I + G == 100 && G >= 1 && G <= 99 && look.Texture && look.Texture->DrawMode == 0 &&
      !IsTwoLayer(*look.Texture) && !segments.empty() && (segments[0].Mode1 == 0 || segments[0].Mode1 == 1)) {
    PaintGradientTextured(bmp, rect, segments, 255, I * 255 / 100, look.TextureRect, *look.TextureSrc);
    return;
  }
  if (I > 0) {
    TRect rest = rect;
    if (look.Picture) TileTexture(bmp, rest, look.Picture, 0, *look.Picture, sclip::Whole(*look.Picture));
    else if (IsTwoLayer(*look.Texture))
      TileMaskedTexture(bmp, rest, bg, look.Texture->DrawMode, look.TextureSrc, look.TextureRect);
    else TileTexture(bmp, rest, nullptr, look.Texture->DrawMode, *look.TextureSrc, look.TextureRect);
    if (!(rest == NoRect) && !sclip::IsEmpty(rest)) FillPixels(bmp, rest, look.C, 255);
  }
  if (G > 0) {
    if (I > 0) {
      TBitmap32 layer = NewBitmap32(rect.Width(), rect.Height());
      PaintGradientShare(layer, sclip::Whole(layer), look);
      OverlayBitmap(bmp, layer, std::clamp(I * 255 / 100, 0, 255), TPoint{rect.Left, rect.Top},
                    Rect(0, 0, rect.Width() - 1, rect.Height() - 1));
    } else {
      PaintGradientShare(bmp, rect, look);
    }
  }
  const int shares = I + G;
  // TintPixels takes an inclusive rectangle: the last column and row are Right − 1, Bottom − 1.
  if (shares > 0 && shares < 100) TintPixels(bmp, Rect(rect.Left, rect.Top, rect.Right - 1, rect.Bottom - 1), shares, look.C);
  else if (shares == 0) FillPixels(bmp, rect, look.C, 255);
}

// A fully transparent item over a background that is only partly a bitmap: the owner's frame
// bands come from its bitmap, the rest is its colour.
void CopyBackgroundBands(TBitmap32& bmp, const TRect& rect, const TCacheInfo& bg, TPoint at) {
  FillPixels(bmp, rect, bg.FillColor, 255);
  const TRect item = Bounds(at.X, at.Y, rect.Width(), rect.Height());
  const auto bands = FrameBands(sclip::Whole(*bg.Bmp), bg.FillRect.Left, bg.FillRect.Top, bg.FillRect.Right,
                                bg.FillRect.Bottom);
  for (const TRect& band : bands) {
    const TRect part{std::max(band.Left, item.Left), std::max(band.Top, item.Top), std::min(band.Right, item.Right),
                     std::min(band.Bottom, item.Bottom)};
    if (sclip::IsEmpty(part)) continue;
    CopyBitmapRect(bmp, rect.Left + part.Left - at.X, rect.Top + part.Top - at.Y, *bg.Bmp, part);
  }
}

}  // namespace

void PaintSectionBackground(int index, std::wstring_view name, const TCacheInfo& bg, TColor custom, int hotTexture,
                            int texture, TsSkinManager* manager, TBitmap32& bmp, TPoint pos, const TRect& rect,
                            int state) {
  const TsSkinManager* mgr = ItemManager(manager);
  if (!mgr || !mgr->IsValidSkinIndex(index) || sclip::IsEmpty(rect)) return;
  const TsGeneralData& section = mgr->gd()[std::size_t(index)];
  if (name.empty()) name = section.ClassName;
  const int p = PropertyIndex(SectionState(section, state));
  const TLook look = SectionLook(*mgr, index, name, custom, texture, p);
  const TPoint at{bg.X + pos.X, bg.Y + pos.Y};  // rect's corner in the background bitmap
  const TCacheInfo moved = Shifted(bg, pos.X, pos.Y);
  const bool usable = bg.Ready || bg.FillColor != clFuchsia;
  const bool ownBitmap = bg.Ready && bg.Bmp && bg.Bmp != &bmp;

  if (usable && look.T == 100) {
    if (bg.Ready && bg.Bmp) {
      if (ownBitmap) CopyBitmapRect(bmp, rect.Left, rect.Top, *bg.Bmp, Bounds(at.X, at.Y, rect.Width(), rect.Height()));
    } else if (bg.FillColor == clFuchsia) {
      PaintOwnBackground(bmp, rect, look, moved);
    } else if (bg.Bmp) {
      CopyBackgroundBands(bmp, rect, bg, at);
    } else {
      FillPixels(bmp, rect, bg.FillColor, 255);
    }
  } else if (usable && look.T > 0) {
    if (bg.Ready || look.I > 0 || look.G > 0) {
      TBitmap32 own = NewBitmap32(rect.Width(), rect.Height());
      PaintOwnBackground(own, sclip::Whole(own), look, Shifted(moved, rect.Left, rect.Top));
      if (!bg.Ready) FillPixels(bmp, rect, bg.FillColor, 255);
      else if (ownBitmap) CopyBitmapRect(bmp, rect.Left, rect.Top, *bg.Bmp, Bounds(at.X, at.Y, rect.Width(), rect.Height()));
      const int weight = int(scolor::Round(look.T * 2.55L));
      OverlayBitmap(bmp, own, weight, TPoint{rect.Left, rect.Top}, Rect(0, 0, rect.Width() - 1, rect.Height() - 1));
    } else {
      FillPixels(bmp, rect, InterpolateColor(bg.FillColor, look.C, look.T / 100.0L), 255);
    }
  } else {
    PaintOwnBackground(bmp, rect, look, moved);
  }

  // The overlay texture of the state, drawn over the finished background.
  const int overlay = p == 0 ? (texture >= 0 ? texture : section.Props[0].TextureIndex) : hotTexture;
  if (!mgr->IsValidImgIndex(overlay)) return;
  const TsMaskData& m = mgr->ma()[std::size_t(overlay)];
  if (!IsTwoLayer(m) || m.DrawMode != 10 || !MaskSource(m)) return;
  TRect r = rect;
  TileMaskedTexture(bmp, r, moved, 10, MaskSource(m), TextureRect(m));
}
