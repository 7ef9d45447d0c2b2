// The scroll bar's picture over a synthetic skin of plain sections: the track split at the
// thumb's centre, the fallback arrows in the state's font colour, the inactive fade.
#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "../paint/ItemTestUtil.h"
#include "skin/base/sMarks.h"
#include "skin/data/sSkinManager.h"
#include "skin/frame/sScrollPaint.h"

using namespace itemtest;
using painttest::Filled;

namespace {

constexpr TColor kTrack1 = RGBColor(200, 100, 0), kTrack2 = RGBColor(0, 90, 200), kButton = RGBColor(30, 30, 30),
                 kThumb = RGBColor(220, 220, 20), kFont = RGBColor(250, 10, 10), kHotFont = RGBColor(10, 250, 10);

// The pixel a plain section of colour c paints (opaque) and a mark of colour c draws (alpha 0).
std::uint32_t Painted(TColor c) { return scolor::SwapRB(c) | 0xFF000000u; }
std::uint32_t Mark(TColor c) { return scolor::SwapRB(c); }

// The elements of a vertical bar as plain sections; arrows without glyphs.
class TScrollSkin {
 public:
  TScrollSkin() {
    skin_.AddSection(L"SCROLLBAR1V", kTrack1, 3);
    skin_.AddSection(L"SCROLLBAR2V", kTrack2, 3);
    for (const wchar_t* name : {L"SCROLLBTNTOP", L"SCROLLBTNBOTTOM"}) {
      TsGeneralData& g = skin_.Section(skin_.AddSection(name, kButton, 3));
      g.Props[0].FontColor.Color = kFont;
      g.Props[1].FontColor.Color = kHotFont;
    }
    skin_.AddSection(L"SCROLLSLIDERV", kThumb, 2);
    BuildConstantIndexes(skin_.Tables(), skin_.Manager().ConstData);
  }
  TsSkinManager& Manager() { return skin_.Manager(); }

 private:
  TTestSkin skin_;
};

// The memo's bar: 17 × 200, arrows of 17; range 0 … 99, page 20 gives a thumb of 33 at 17.
TsScrollBarLook Look(int pos = 0) {
  TsScrollBarLook look;
  look.Bar.Vertical = true;
  look.Bar.Rect = Rect(0, 0, 17, 200);
  look.Bar.ArrowLength = 17;
  look.Bar.Info = TsScrollInfo{0, 99, 20, pos, 0};
  return look;
}

}  // namespace

// The track changes element exactly at the thumb's centre, 17 + 33 div 2 = 33 (seen with the
// thumb element missing), and the thumb covers it; an inactive bar shows no thumb.
TEST(ScrollPaint, TrackSplitAtTheThumbsCentre) {
  TScrollSkin skin;
  TBitmap32 bmp;
  const TCacheInfo bg = ColorBackground(RGBColor(0, 0, 0));
  ASSERT_TRUE(PaintScrollBar(&skin.Manager(), Look(), bg, {}, bmp));
  EXPECT_EQ(bmp.Pixel(8, 17), Painted(kThumb));
  EXPECT_EQ(bmp.Pixel(8, 49), Painted(kThumb));
  EXPECT_EQ(bmp.Pixel(8, 50), Painted(kTrack2));
  EXPECT_EQ(bmp.Pixel(8, 182), Painted(kTrack2));

  skin.Manager().ConstData.Sliders[1].SkinIndex = -1;
  ASSERT_TRUE(PaintScrollBar(&skin.Manager(), Look(), bg, {}, bmp));
  EXPECT_EQ(bmp.Pixel(8, 32), Painted(kTrack1));
  EXPECT_EQ(bmp.Pixel(8, 33), Painted(kTrack2));
  // The drag picture splits at the dragged thumb's centre: 100 + 33 div 2.
  TsScrollBarLook drag = Look();
  drag.Drag = TsThumb{33, 100};
  ASSERT_TRUE(PaintScrollBar(&skin.Manager(), drag, bg, {}, bmp));
  EXPECT_EQ(bmp.Pixel(8, 115), Painted(kTrack1));
  EXPECT_EQ(bmp.Pixel(8, 116), Painted(kTrack2));
}

// Inactive: no thumb, and the bar faded toward the colour behind it.
TEST(ScrollPaint, InactiveBarHasNoThumb) {
  TScrollSkin skin;
  TsScrollBarLook look = Look();
  look.Active = false;
  TBitmap32 bmp;
  ASSERT_TRUE(PaintScrollBar(&skin.Manager(), look, ColorBackground(RGBColor(0, 0, 0)), {}, bmp));
  // Over black the bar keeps 153/256 of itself: 200 → 119, 100 → 59.
  EXPECT_EQ(bmp.Pixel(8, 20), scolor::MakePixel(119, 59, 0, 255));
}

// The fallback arrow is drawn in the state's font colour: normal and hot on their own, pressed
// in the hot colour and moved by (1, 1) unless the manager says not to shift content; a hot
// part on an inactive bar stays normal.
TEST(ScrollPaint, FallbackArrowColourAndShift) {
  struct Row {
    int pressed, hot;
    bool active, shiftOption;
    TColor colour;
    int shift;
  } rows[] = {
      {spNone, spNone, true, true, kFont, 0},
      {spNone, spFirstArrow, true, true, kHotFont, 0},
      {spFirstArrow, spFirstArrow, true, true, kHotFont, 1},
      {spFirstArrow, spNone, true, false, kHotFont, 0},
      {spNone, spFirstArrow, false, true, kFont, 0},
  };
  for (const Row& r : rows) {
    TScrollSkin skin;
    skin.Manager().ButtonsOptions().ShiftContentOnClick = r.shiftOption;
    TsScrollBarLook look = Look();
    look.PressedPart = r.pressed;
    look.HotPart = r.hot;
    look.Active = r.active;
    TBitmap32 bmp;
    ASSERT_TRUE(PaintScrollBar(&skin.Manager(), look, EmptyCacheInfo(), {}, bmp));
    std::set<std::pair<int, int>> arrow;
    for (const TMarkPixel& p : SmallArrowPixels(Bounds(r.shift, r.shift, 17, 17), adUp, r.colour)) {
      arrow.insert({p.X, p.Y});
      EXPECT_EQ(bmp.Pixel(p.X, p.Y), Mark(r.colour)) << p.X << "," << p.Y << " pressed " << r.pressed;
    }
    // Everything else in the button is the button.
    for (int y = 0; y < 17; ++y)
      for (int x = 0; x < 17; ++x)
        if (!arrow.count({x, y})) {
          EXPECT_EQ(bmp.Pixel(x, y) & 0xFFFFFFu, scolor::SwapRB(kButton)) << x << "," << y;
        }
    // The second arrow points down in the normal colour.
    const auto down = SmallArrowPixels(Rect(0, 183, 17, 200), adDown, kFont);
    EXPECT_EQ(bmp.Pixel(down[0].X, down[0].Y), Mark(kFont));
  }
}

// Over a plain colour every channel becomes (p × 153 + c × 103) >> 8 with alpha kept; over a
// picture the matching piece is merged in at 0.4 (the bar keeps 40 %), its key pixels left out.
TEST(ScrollPaint, InactiveFade) {
  {
    TBitmap32 bmp = Filled(2, 1, scolor::MakePixel(200, 100, 0, 255));
    bmp.Pixel(1, 0) = scolor::MakePixel(255, 1, 7, 0);
    FadeInactiveBar(bmp, ColorBackground(RGBColor(0, 50, 250)), {});
    EXPECT_EQ(bmp.Pixel(0, 0), scolor::MakePixel(119, 79, 100, 255));  // 30600, 20450, 25750 >> 8
    EXPECT_EQ(bmp.Pixel(1, 0), scolor::MakePixel(152, 20, 104, 0));    // 39015, 5303, 26821 >> 8
  }
  {
    TBitmap32 parent = Filled(10, 10, scolor::MakePixel(0, 0, 255, 255));
    parent.Pixel(4, 3) = scolor::MakePixel(255, 0, 255, 0);  // the key colour
    TBitmap32 bmp = Filled(2, 1, scolor::MakePixel(100, 50, 0, 77));
    // The bar at (3, 2) of a parent whose picture starts 1 pixel to the left: pieces (3, 3), (4, 3).
    FadeInactiveBar(bmp, MakeCacheInfo(&parent, -1, 1), TPoint{4, 2});
    // s − (s − d) · 0.4, truncated: 0 − (0 − 100)·0.4 = 40, 0 + 20 = 20, 255 − 255·0.4 = 153.
    EXPECT_EQ(bmp.Pixel(0, 0), scolor::MakePixel(40, 20, 153, 77));
    EXPECT_EQ(bmp.Pixel(1, 0), scolor::MakePixel(100, 50, 0, 77));
  }
}

// No track element in the skin, or a bar one pixel thick: nothing is painted.
TEST(ScrollPaint, NothingWithoutTheTrackElement) {
  TScrollSkin skin;
  TBitmap32 bmp = Filled(3, 3, 5);
  TsScrollBarLook thin = Look();
  thin.Bar.Rect = Rect(0, 0, 1, 200);
  EXPECT_FALSE(PaintScrollBar(&skin.Manager(), thin, EmptyCacheInfo(), {}, bmp));
  skin.Manager().ConstData.Scrolls[asTop].SkinIndex = -1;
  EXPECT_FALSE(PaintScrollBar(&skin.Manager(), Look(), EmptyCacheInfo(), {}, bmp));
  EXPECT_EQ(bmp.Pixel(1, 1), 5u);
}
