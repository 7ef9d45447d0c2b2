// The speed button's face: the skinned picture built in the cache (separator, divider, or the
// section with caption, glyph and drop-down arrow, the disabled look, OnPaint) and the
// framework's look with the glyph and arrow drawn over it without a skin.
#include "skin/controls/sSpeedButton.h"

#include "framework/ImageList.h"
#include "skin/base/sDCPaint.h"
#include "skin/base/sMarks.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sItemPaint.h"
#include "skin/paint/sMaskFrame.h"
#include "skin/paint/sParentFont.h"
#include "skin/paint/sSkinText.h"

// ---- Painting -----------------------------------------------------------------------------------

void TsSpeedButton::PaintArrow(TBitmap32& bmp, const TRect& r, int state) {
  TColor color = Font().Color();
  if (Skinned()) {
    TsSkinManager* m = skinData_.SkinManager();
    int index = skinData_.SkinIndex;
    if (const TsGeneralData* g = Section(); g && g->Props[0].Transparency >= 100) index = ParentFontIndex(*this, index, m);
    if (m && m->IsValidSkinIndex(index)) {
      const TsGeneralData& g = m->gd()[std::size_t(index)];
      color = AdjustedColor(skinData_, g.Props[std::size_t(SpeedArrowPropIndex(state, g.States))].FontColor.Color);
    }
  }
  DrawSmallArrow(bmp, color, r, 3);
}

void TsSpeedButton::PaintCaption(TCanvas& canvas, int state) {
  if (!FShowCaption || Caption().empty()) return;
  canvas.Font = Font();
  canvas.BrushClear = true;
  UINT flags = (FTextAlignment == TAlignment::taLeftJustify ? 0u : FTextAlignment == TAlignment::taRightJustify ? 2u : 1u) | 0x44;
  flags |= FWordWrap ? 0x8010 : 0x8020;
  flags = FWordWrap ? ((flags & ~UINT(DT_SINGLELINE)) | DT_NOCLIP) : flags | DT_NOCLIP;
  GdiFlush();
  DrawSkinText(canvas, Caption(), true, state != 0, skinData_, flags, CaptionRect(true), &FGlow);
}

void TsSpeedButton::PaintGlyph(TBitmap32& bmp, TCanvas&, int state) {
  TsGlyphRequest r;
  r.Dst = &bmp;
  r.Images = FImages;
  r.ImageIndex = StateImageIndex(state);
  r.Glyph = &Glyph();
  r.Rect = ImgRect(true);
  r.NumGlyphs = NumGlyphs();
  r.Enabled = !LooksDisabled();
  r.Blend = FBlend;
  r.Pressed = Down();
  r.State = state;
  r.DisabledKind = FDisabledGlyphKind;
  r.Reflected = FReflected;
  if (GlyphIsGrey(Grayed(), state, r.Enabled, r.DisabledKind)) {
    const TsGeneralData* g = Section();
    r.GreyColor = g ? g->Props[0].Color : clWhite;
  }
  GdiFlush();
  DrawButtonGlyph(r);
}

bool TsSpeedButton::PrepareCache() {
  const std::optional<TCacheInfo> ready = ReadyControlBackground(skinData_);
  if (!ready) return false;
  TCacheInfo bg = *ready;
  TBitmap& cache = skinData_.EnsureCache();
  if (cache.Width() != Width() || cache.Height() != Height()) cache.SetSize(Width(), Height());
  if (bg.Ready && bg.Bmp && bg.Bmp->Empty()) {
    skinData_.BGChanged = false;
    return true;
  }
  GdiFlush();
  TBitmap32& px = cache.Pixels();
  const TPoint pos{Left(), Top()};
  const int W = Width(), H = Height();
  TsSkinManager* m = skinData_.SkinManager();
  auto fillWithBackground = [&] {
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        const int bx = Left() + bg.X + x, by = Top() + bg.Y + y;
        px.Pixel(x, y) = bg.Ready && bg.Bmp && bx >= 0 && by >= 0 && bx < bg.Bmp->Width() && by < bg.Bmp->Height()
                             ? bg.Bmp->Pixel(bx, by)
                             : 0xFF000000u | ((bg.FillColor & 0xFF) << 16) | (bg.FillColor & 0xFF00) | ((bg.FillColor >> 16) & 0xFF);
      }
  };
  TCanvas& canvas = FCanvas.On(cache.DC(), Font());
  if (FButtonStyle == TToolButtonStyle::tbsSeparator) {
    fillWithBackground();
  } else if (FButtonStyle == TToolButtonStyle::tbsDivider) {
    fillWithBackground();
    const int divider = m ? m->GetSkinIndex(L"DIVIDER") : -1;
    const int mask = divider >= 0 ? m->GetMaskIndex(divider, L"DIVIDER", L"BORDERSMASK") : -1;
    if (m && m->IsValidImgIndex(mask)) {
      TCacheInfo moved = bg;
      moved.X += Left();
      moved.Y += Top();
      PaintMaskFrame(px, Rect(W / 2 - 1, 0, W / 2 + 1, H), moved, false, 0, m->ma()[std::size_t(mask)]);
    }
  } else {
    int s = CurrentState();
    bool arrowPart = false;
    const TsItemSkinData item = ItemSkinData(skinData_);
    if (FButtonStyle == TToolButtonStyle::tbsDropDown) {
      const bool down = state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive;
      s = (FDropdownMenu && FDroppedDown) || Down() || down ? 2 : IsControlHot(skinData_) ? 1 : 0;
      if (OnClick) {
        arrowPart = true;
        TsItemSkinData plain = item;
        plain.HUEOffset = 0;
        plain.Saturation = 0;
        plain.ColorTone = clNone;
        const TRect part = Rect(W - kSplitArrowWidth, 0, W, H);
        PaintControlBackground(plain, bg, s, px, {Left() + W - kSplitArrowWidth, Top()}, part);
        if (m && m->IsValidImgIndex(skinData_.BorderIndex)) {
          TCacheInfo moved = bg;
          moved.X += Left();
          moved.Y += Top();
          PaintMaskFrame(px, part, moved, true, s, m->ma()[std::size_t(skinData_.BorderIndex)]);
        }
      }
    }
    const TRect face = Rect(0, 0, arrowPart ? W - kSplitArrowWidth : W, H);
    if (FDrawOverBorder) {
      PaintSkinItem(item, bg, true, px, pos, face, s);
      PaintCaption(canvas, s);
      PaintGlyph(px, canvas, s);
      if (arrowPart) PaintArrow(px, Rect(W - kSplitArrowWidth, 0, W, H), s);
      else if (FButtonStyle == TToolButtonStyle::tbsDropDown) PaintArrow(px, ArrowRect(), s);
    } else {
      PaintControlBackground(item, bg, s, px, pos, face);
      PaintCaption(canvas, s);
      PaintGlyph(px, canvas, s);
      if (m && m->IsValidImgIndex(skinData_.BorderIndex)) {
        TCacheInfo moved = bg;
        moved.X += Left();
        moved.Y += Top();
        PaintMaskFrame(px, face, moved, false, s, m->ma()[std::size_t(skinData_.BorderIndex)]);
      }
    }
  }
  GdiFlush();
  if (LooksDisabled()) {
    TControl* parent = Parent();
    ApplyDisabledLook(px, FDisabledKind, parent ? parent->Color() : clBtnFace, pos, GetControlBackground(skinData_));
  }
  if (OnPaint) OnPaint(this, px);
  skinData_.BGChanged = false;
  return true;
}

void TsSpeedButton::PaintUnskinned(TCanvas& canvas) {
  if (FButtonStyle == TToolButtonStyle::tbsSeparator) return;
  if (FButtonStyle == TToolButtonStyle::tbsDivider) {
    RECT r{Width() / 2 - 1, 0, Width() / 2 + 1, Height()};
    DrawEdge(canvas.Handle(), &r, EDGE_ETCHED, BF_LEFT);
    return;
  }
  TSpeedButton::PaintPlain(canvas);
  // The glyph on what the platform drew: that area copied out, drawn on and copied back.
  if (const TRect at = ImgRect(true); at.Width() > 0 && at.Height() > 0) {
    TBitmap area(at.Width(), at.Height() * (FReflected ? 2 : 1));
    BitBlt(area.DC(), 0, 0, area.Width(), area.Height(), canvas.Handle(), at.Left, at.Top, SRCCOPY);
    GdiFlush();
    TsGlyphRequest r;
    r.Dst = &area.Pixels();
    r.Images = FImages;
    r.ImageIndex = StateImageIndex(CurrentState());
    r.Glyph = &Glyph();
    r.Rect = Bounds(0, 0, at.Width(), at.Height());
    r.NumGlyphs = NumGlyphs();
    r.Enabled = !LooksDisabled();
    r.Blend = FBlend;
    r.Pressed = Down();
    r.State = CurrentState();
    r.DisabledKind = FDisabledGlyphKind;
    r.Reflected = FReflected;
    if (GlyphIsGrey(Grayed(), r.State, r.Enabled, r.DisabledKind)) r.GreyColor = clWhite;
    DrawButtonGlyph(r);
    BitBlt(canvas.Handle(), at.Left, at.Top, area.Width(), area.Height(), area.DC(), 0, 0, SRCCOPY);
  }
  if (FButtonStyle == TToolButtonStyle::tbsDropDown) {
    const bool pressed = FDroppedDown || Down() || CurrentState() == 2;
    const int p = pressed ? 1 : 0, h = Height();
    TUniqueBrush brush(CreateSolidBrush(GetSysColor(COLOR_BTNTEXT)));
    TUniquePen pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT)));
    TSelectObject sb(canvas.Handle(), brush.get()), sp(canvas.Handle(), pen.get());
    const int x = Width() - 12 + p, y = (h - 5) / 2 + p;
    POINT tri[3] = {{x, y}, {x + 5, y}, {x + 2, y + 5}};
    Polygon(canvas.Handle(), tri, 3);
  }
}
