#include "skin/frame/sScrollPaint.h"

#include <algorithm>

#include "skin/base/sBlend.h"
#include "skin/base/sClip.h"
#include "skin/base/sColorMath.h"
#include "skin/base/sFill.h"
#include "skin/base/sMarks.h"
#include "skin/base/sSubView.h"
#include "skin/base/sTexture.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sMaskFrame.h"
#include "skin/paint/sSkinItem.h"

namespace {

TCacheInfo Shifted(const TCacheInfo& bg, TPoint by) {
  TCacheInfo b = bg;
  b.X += by.X;
  b.Y += by.Y;
  return b;
}

// The bitmap made w × h (contents undefined when it already was).
void Size(TBitmap32& bmp, int w, int h) {
  if (bmp.Width() != w || bmp.Height() != h) bmp = NewBitmap32(w, h);
}

// What lies behind: bg's picture at pos, else its colour, else nothing.
void PaintBackground(TBitmap32& bmp, const TCacheInfo& bg, TPoint pos) {
  if (bg.Ready && bg.Bmp) CopyBitmapRect(bmp, 0, 0, *bg.Bmp, Bounds(bg.X + pos.X, bg.Y + pos.Y, bmp.Width(), bmp.Height()));
  else if (bg.FillColor != clFuchsia) FillPixels(bmp, sclip::Whole(bmp), ColorToRGB(bg.FillColor), 255);
}

// The part of the bar from `from` to `to` along its axis.
TRect Span(bool vertical, int w, int h, int from, int to) {
  return vertical ? TRect{0, from, w, to} : TRect{from, 0, to, h};
}

// An element over rect of bmp: the section's background with the element's texture for the
// state, then its border. Everything is painted into a view of rect, so that the background and
// the border both see rect's corner at pos + rect's corner of the owner of bg.
void PaintElement(TsSkinManager& m, const TsConstElementData& e, TBitmap32& bmp, const TRect& rect, const TCacheInfo& bg,
                  TPoint pos, int state) {
  const TRect r = sclip::Intersect(rect, bmp.Width(), bmp.Height());
  if (!m.IsValidSkinIndex(e.SkinIndex) || sclip::IsEmpty(r)) return;
  TBitmap32 view = SubView(bmp, r);
  const TPoint at{pos.X + r.Left, pos.Y + r.Top};
  const int s = SectionState(m.gd()[std::size_t(e.SkinIndex)], state);
  PaintSectionBackground(e.SkinIndex, e.SkinSection, bg, clFuchsia, e.BGIndex[1], e.BGIndex[std::size_t(PropertyIndex(s))],
                         &m, view, at, sclip::Whole(view), s);
  if (m.IsValidImgIndex(e.MaskIndex))
    PaintMaskFrame(view, sclip::Whole(view), Shifted(bg, at), true, s, m.ma()[std::size_t(e.MaskIndex)]);
}

// The element's glyph centred in rect; false when it has none.
bool PaintGlyph(TsSkinManager& m, const TsConstElementData& e, TBitmap32& bmp, const TRect& rect, int state) {
  if (!m.IsValidImgIndex(e.GlyphIndex)) return false;
  const TsMaskData& glyph = m.ma()[std::size_t(e.GlyphIndex)];
  const TsFrameSize fs = MaskFrameSize(glyph);
  const TRect r = sclip::Intersect(rect, bmp.Width(), bmp.Height());
  if (sclip::IsEmpty(r)) return true;
  TBitmap32 view = SubView(bmp, r);
  // Key pixels keep the element below (the view as its own background).
  const int s = m.IsValidSkinIndex(e.SkinIndex) ? SectionState(m.gd()[std::size_t(e.SkinIndex)], state) : state;
  PaintMaskImage(view, TPoint{(rect.Width() - fs.W) / 2 - (r.Left - rect.Left), (rect.Height() - fs.H) / 2 - (r.Top - rect.Top)},
                 s, MakeCacheInfo(&view, 0, 0), glyph, 1);
  return true;
}

// The fallback arrow's direction for a side of a bar.
int ArrowDirection(int side) {
  switch (side) {
    case asLeft: return adLeft;
    case asTop: return adUp;
    case asRight: return adRight;
    default: return adDown;
  }
}

}  // namespace

TsBarElements BarElements(const TsSkinManager& m, bool vertical) {
  const TConstantSkinData& c = m.ConstData;
  const std::size_t first = vertical ? asTop : asLeft, second = vertical ? asBottom : asRight;
  return TsBarElements{&c.Scrolls[first], &c.Scrolls[second], &c.ScrollBtns[first], &c.ScrollBtns[second],
                       &c.Sliders[vertical ? 1 : 0]};
}

int TrackSplit(const TsThumb& thumb) { return thumb.Start + thumb.Length / 2; }

void PaintScrollArrow(TsSkinManager& m, const TsConstElementData& e, int side, TBitmap32& bmp, const TRect& rect,
                      const TCacheInfo& bg, TPoint pos, int state) {
  if (sclip::IsEmpty(rect)) return;
  PaintElement(m, e, bmp, rect, bg, pos, state);
  if (PaintGlyph(m, e, bmp, rect, state) || !m.IsValidSkinIndex(e.SkinIndex)) return;
  const TsGeneralData& g = m.gd()[std::size_t(e.SkinIndex)];
  const int s = SectionState(g, state);
  const TColor color = g.Props[std::size_t(PropertyIndex(s))].FontColor.Color;
  const int shift = state == 2 && m.ButtonsOptions().ShiftContentOnClick ? 1 : 0;
  TBitmap32 view = SubView(bmp, sclip::Intersect(rect, bmp.Width(), bmp.Height()));
  DrawSmallArrow(view, color, Bounds(shift, shift, rect.Width(), rect.Height()), ArrowDirection(side));
}

void FadeInactiveBar(TBitmap32& bmp, const TCacheInfo& bg, TPoint pos) {
  using namespace scolor;
  if (bmp.Empty()) return;
  if (bg.Ready && bg.Bmp) {
    const int x = bg.X + pos.X, y = bg.Y + pos.Y;
    MergeKeyedBitmap(bmp, 0, 0, clFuchsia, DefDisabledBlend, Rect(x, y, x + bmp.Width() - 1, y + bmp.Height() - 1), *bg.Bmp);
    return;
  }
  if (bg.FillColor == clFuchsia) return;
  // 153 = 60 × 255 div 100 is the bar's share, 103 the colour's.
  const TColor c = ColorToRGB(bg.FillColor);
  const std::uint32_t cr = std::uint32_t(ColR(c)) * 103, cg = std::uint32_t(ColG(c)) * 103,
                      cb = std::uint32_t(ColB(c)) * 103;
  for (int y = 0; y < bmp.Height(); ++y) {
    std::uint32_t* row = bmp.Row(y);
    for (int x = 0; x < bmp.Width(); ++x) {
      const std::uint32_t p = row[x];
      row[x] = (p & AlphaMask) | ((std::uint32_t(PixR(p)) * 153 + cr) >> 8) << 16 |
               ((std::uint32_t(PixG(p)) * 153 + cg) >> 8) << 8 | ((std::uint32_t(PixB(p)) * 153 + cb) >> 8);
    }
  }
}

bool PaintScrollBar(TsSkinManager* manager, const TsScrollBarLook& look, const TCacheInfo& bg, TPoint pos,
                    TBitmap32& bmp) {
  TsSkinManager* m = ItemManager(manager);
  const bool vertical = look.Bar.Vertical;
  const int w = look.Bar.Rect.Width(), h = look.Bar.Rect.Height();
  if (!m || (vertical ? w : h) <= 1 || (vertical ? h : w) <= 0) return false;
  const TsBarElements e = BarElements(*m, vertical);
  if (!m->IsValidSkinIndex(m->ConstData.Scrolls[vertical ? asTop : asLeft].SkinIndex)) return false;
  Size(bmp, w, h);
  PaintBackground(bmp, bg, pos);

  // The geometry with the bar at the picture's origin.
  TsBarGeometry bar = look.Bar;
  bar.Rect = TRect{0, 0, w, h};
  const int len = BarLength(bar), a = bar.ArrowLength;
  const int firstSide = vertical ? asTop : asLeft, secondSide = vertical ? asBottom : asRight;
  if (2 * std::int64_t(a) >= len) {
    // No room for two arrows: two halves, no thumb.
    const int half = len / 2;
    PaintElement(*m, *e.TrackBefore, bmp, Span(vertical, w, h, 0, half), bg, pos, 0);
    PaintElement(*m, *e.TrackAfter, bmp, Span(vertical, w, h, half, len), bg, pos, 0);
    const auto state = [&](int part) { return look.PressedPart == part ? 2 : look.HotPart == part && look.Active ? 1 : 0; };
    PaintScrollArrow(*m, *e.FirstArrow, firstSide, bmp, Span(vertical, w, h, 0, half), bg, pos, state(spFirstArrow));
    PaintScrollArrow(*m, *e.SecondArrow, secondSide, bmp, Span(vertical, w, h, len - half, len), bg, pos,
                     state(spSecondArrow));
  } else {
    const bool dragging = look.Drag.has_value();
    const TsThumb thumb = dragging ? *look.Drag : CalcThumb(bar);
    const int split = std::clamp(TrackSplit(thumb), 0, len);
    const auto state = [&](int part) {
      if (dragging) return 0;
      if (look.PressedPart == part) return 2;
      return look.HotPart == part && look.Active ? 1 : 0;
    };
    PaintElement(*m, *e.TrackBefore, bmp, Span(vertical, w, h, 0, split), bg, pos,
                 !dragging && look.PressedPart == spTrackBefore ? 2 : 0);
    PaintElement(*m, *e.TrackAfter, bmp, Span(vertical, w, h, split, len), bg, pos,
                 !dragging && look.PressedPart == spTrackAfter ? 2 : 0);
    PaintScrollArrow(*m, *e.FirstArrow, firstSide, bmp, Span(vertical, w, h, 0, a), bg, pos, state(spFirstArrow));
    PaintScrollArrow(*m, *e.SecondArrow, secondSide, bmp, Span(vertical, w, h, len - a, len), bg, pos,
                     state(spSecondArrow));
    if (dragging || (look.Active && ThumbShown(bar))) {
      const TRect r = Span(vertical, w, h, thumb.Start, thumb.Start + thumb.Length);
      const int s = dragging ? 2 : look.HotPart == spThumb ? 1 : 0;
      PaintElement(*m, *e.Thumb, bmp, r, bg, pos, s);
      PaintGlyph(*m, *e.Thumb, bmp, r, s);
    }
  }
  if (!look.Active) FadeInactiveBar(bmp, bg, pos);
  return true;
}

bool PaintScrollCorner(TsSkinManager* manager, int w, int h, bool sizeGrip, const TCacheInfo& bg, TPoint pos,
                       TBitmap32& bmp) {
  TsSkinManager* m = ItemManager(manager);
  if (!m || w <= 0 || h <= 0) return false;
  Size(bmp, w, h);
  if (bg.Ready && bg.Bmp) {
    PaintBackground(bmp, bg, pos);
  } else {
    const int track = m->ConstData.Scrolls[asLeft].SkinIndex;
    const bool clear = m->IsValidSkinIndex(track) && m->gd()[std::size_t(track)].Props[0].Transparency >= 100;
    const TColor c = clear && bg.FillColor != clFuchsia ? bg.FillColor : m->GetGlobalColor();
    FillPixels(bmp, sclip::Whole(bmp), ColorToRGB(c), 255);
  }
  if (sizeGrip && m->IsValidImgIndex(m->ConstData.GripRightBottom)) {
    const TsMaskData& grip = m->ma()[std::size_t(m->ConstData.GripRightBottom)];
    const TsFrameSize fs = MaskFrameSize(grip);
    PaintMaskImage(bmp, TPoint{w - fs.W, h - fs.H}, 0, MakeCacheInfo(&bmp, 0, 0), grip, 1);
  }
  return true;
}
