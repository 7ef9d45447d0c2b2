// The scroll bars page of the gallery: the setup memo's vertical bar (17 × 197 inside the memo's
// border) in each state it can show, a horizontal bar and the corner square, painted by the
// scroll bars' own painter.
#include <optional>

#include "GalleryTiles.h"
#include "skin/frame/sScrollPaint.h"

namespace {

// The memo's log: 100 lines, 20 in view, scrolled to line 30.
TsScrollBarLook MemoBar(bool vertical, int length) {
  TsScrollBarLook look;
  look.Bar.Vertical = vertical;
  look.Bar.Rect = vertical ? Rect(0, 0, 17, length) : Rect(0, 0, length, 17);
  look.Bar.ArrowLength = 17;
  look.Bar.Info = TsScrollInfo{0, 99, 20, 30, 30};
  return look;
}

}  // namespace

std::vector<TGalleryTile> ScrollTiles(TsSkinManager& manager) {
  std::vector<TGalleryTile> tiles;
  TBitmap32 check = CheckBitmap(197, 197);
  auto add = [&](const std::wstring& section, const std::string& name, const TsScrollBarLook& look, int state,
                 TGalleryBackground background) {
    const TCacheInfo bg = background == TGalleryBackground::Check ? CheckBackground(check) : ColourBackground(kPlainColour);
    const int w = look.Bar.Rect.Width(), h = look.Bar.Rect.Height();
    TGalleryTile t{"SCROLLBAR_" + std::to_string(w) + "x" + std::to_string(h) + "_" + name +
                       (background == TGalleryBackground::Check ? "_bg.png" : "_col.png"),
                   section, w, h, state, background, false, TBitmap32()};
    if (PaintScrollBar(&manager, look, bg, {0, 0}, t.Pixels)) tiles.push_back(std::move(t));
  };
  struct Look {
    const char* Name;
    int Pressed, Hot, State;
    bool Active;
    std::optional<TsThumb> Drag;
  };
  // The drag shows the thumb pressed 40 pixels further than the position puts it.
  const TsThumb thumb = CalcThumb(MemoBar(true, 197).Bar);
  const Look looks[] = {
      {"normal", spNone, spNone, 0, true, std::nullopt},
      {"arrow1_hot", spNone, spFirstArrow, 1, true, std::nullopt},
      {"arrow1_pressed", spFirstArrow, spFirstArrow, 2, true, std::nullopt},
      {"arrow2_pressed", spSecondArrow, spSecondArrow, 2, true, std::nullopt},
      {"thumb_hot", spNone, spThumb, 1, true, std::nullopt},
      {"dragging", spThumb, spThumb, 2, true, TsThumb{thumb.Length, thumb.Start + 40}},
      {"track_pressed", spTrackAfter, spTrackAfter, 2, true, std::nullopt},
      {"inactive", spNone, spNone, kDisabledState, false, std::nullopt},
  };
  for (const Look& l : looks) {
    TsScrollBarLook look = MemoBar(true, 197);
    look.PressedPart = l.Pressed;
    look.HotPart = l.Hot;
    look.Active = l.Active;
    look.Drag = l.Drag;
    add(L"SCROLLBARV", l.Name, look, l.State, TGalleryBackground::Colour);
  }
  TsScrollBarLook inactive = MemoBar(true, 197);
  inactive.Active = false;
  add(L"SCROLLBARV", "inactive", inactive, kDisabledState, TGalleryBackground::Check);
  add(L"SCROLLBARH", "normal", MemoBar(false, 197), 0, TGalleryBackground::Colour);

  for (const bool grip : {false, true}) {
    TGalleryTile t{std::string("SCROLLCORNER_17x17_") + (grip ? "grip" : "plain") + "_col.png", L"SCROLLCORNER", 17, 17,
                   0, TGalleryBackground::Colour, false, TBitmap32()};
    if (PaintScrollCorner(&manager, 17, 17, grip, ColourBackground(kPlainColour), {0, 0}, t.Pixels))
      tiles.push_back(std::move(t));
  }
  return tiles;
}
