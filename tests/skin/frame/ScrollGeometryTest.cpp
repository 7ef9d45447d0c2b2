// The scroll bars' arithmetic: metrics, thumb, parts under a point, the drag's positions, the
// platform's MulDiv rounding and the bars' rectangles.
#include <gtest/gtest.h>

#include <climits>
#ifdef _WIN32
#include <windows.h>
#endif

#include "skin/data/sSkinManager.h"
#include "skin/frame/sScrollGeometry.h"

namespace {

// A platform whose scroll bars are 21 pixels wide, so that the default cannot come from elsewhere.
class TWidePlatform : public TsSkinPlatform {
 public:
  int VerticalScrollBarWidth() override { return 21; }
};

// A vertical bar 17 wide and 200 long at (0, 10), arrows of 17.
TsBarGeometry Vert(int min, int max, unsigned page, int pos, int arrow = 17, int length = 200) {
  TsBarGeometry g;
  g.Vertical = true;
  g.Rect = Rect(0, 10, 17, 10 + length);
  g.ArrowLength = arrow;
  g.Info = TsScrollInfo{min, max, page, pos, 0};
  return g;
}

}  // namespace

// Each setting counts only when 0 or more, in its order; with nothing set both sizes are the
// platform's width, for the horizontal bar as for the vertical one.
TEST(ScrollMetric, RulesInOrder) {
  TWidePlatform platform;
  SetSkinPlatform(&platform);
  TsSkinManager manager(nullptr);
  struct Row {
    int ownWidth, ownButtons, optSize, optButtons, barLength, barWidth;
    int thickness, arrow;
  } rows[] = {
      {-1, -1, -1, -1, -1, -1, 21, 21},  // defaults: the platform's width
      {12, -1, -1, -1, -1, -1, 12, 21},  // the control's width is not an arrow length
      {-1, 9, -1, -1, -1, -1, 21, 9},
      {-1, -1, 14, -1, -1, -1, 14, 14},  // the manager's size serves the arrows too
      {-1, -1, 14, 8, -1, -1, 14, 8},
      {-1, 7, 14, 8, 5, 4, 14, 7},
      {-1, -1, -1, -1, 5, 4, 4, 5},      // the bar's own overrides after the skin's settings
      {-1, -1, 0, -1, 5, -1, 0, 5},      // 0 is a setting
  };
  for (const Row& r : rows) {
    manager.ScrollsOptions() = TsScrollBarsSupport{r.optSize, r.optButtons};
    for (int type : {btHorz, btVert}) {
      TsScrollBar bar;
      bar.nBarType = type;
      bar.nArrowLength = r.barLength;
      bar.nArrowWidth = r.barWidth;
      const TsScrollSizes own{r.ownWidth, r.ownButtons};
      EXPECT_EQ(GetScrollMetric(bar, mkThickness, own, &manager), r.thickness) << r.ownWidth << " " << r.optSize;
      EXPECT_EQ(GetScrollMetric(bar, mkArrowLength, own, &manager), r.arrow) << r.ownButtons << " " << r.optButtons;
    }
  }
  SetSkinPlatform(nullptr);
}

// Thumb length and start on a 200-pixel bar (work 166 between arrows of 17).
TEST(CalcThumb, LengthAndStart) {
  struct Row {
    TsBarGeometry bar;
    int length, start;
  } rows[] = {
      {Vert(0, 999, 10, 0), 16, 27},          // MulDiv gives 2: the 16 minimum
      {Vert(0, 999, 10, 0, 0), 19, 10},       // arrows of length 0: 19
      {Vert(0, 99, 20, 0), 33, 27},           // 20 · 166 / 100 = 33.2
      {Vert(0, 99, 20, 80), 33, 27 + 133},    // the last page start: at the end of the work
      {Vert(0, 99, 20, 40), 33, 27 + 67},     // 40 · 133 / 80 = 66.5, half away from zero
      {Vert(0, 999, 0, 0), 17, 27},           // no page: max(arrow, 16)
      {Vert(5, 4, 1, 5), 16, 27},             // empty range: no division, offset 0
      {Vert(10, 0, 3, 7), 16, 27},            // inverted range
      {Vert(0, 99, 200, 50), 332, 27},        // a page over the range: longer than the work
      {Vert(0, 99, 20, 500), 33, 27 + 133},   // a position past the end stays at the end
      {Vert(0, 99, 20, -50), 33, 27},         // and before the start at the start
  };
  for (const Row& r : rows) {
    const TsThumb t = CalcThumb(r.bar);
    EXPECT_EQ(t.Length, r.length) << r.bar.Info.nMin << ".." << r.bar.Info.nMax << " page " << r.bar.Info.nPage;
    EXPECT_EQ(t.Start, r.start) << r.bar.Info.nMin << ".." << r.bar.Info.nMax << " pos " << r.bar.Info.nPos;
  }
}

// The thumb shows while the page leaves something to scroll; a page over the whole range, a
// range without two positions or a bar without room for two arrows shows none.
TEST(CalcThumb, WhenTheThumbShows) {
  struct Row {
    TsBarGeometry bar;
    bool shown;
  } rows[] = {
      {Vert(0, 999, 10, 0), true},
      {Vert(0, 99, 99, 0), true},    // the check value equals the work: still drawn
      {Vert(0, 99, 100, 0), false},  // check 168 > 166
      {Vert(0, 99, 200, 0), false},
      {Vert(0, 0, 1, 0), false},     // nothing to scroll
      {Vert(5, 4, 1, 5), false},     // empty
      {Vert(10, 0, 3, 7), false},    // inverted
      {Vert(0, 999, 10, 0, 17, 34), false},  // two arrows fill the bar
      {Vert(0, 999, 10, 0, 17, 30), false},  // half arrows
      {Vert(0, 999, 10, 0, 17, 36), true},   // work 2: min(16, 1) = 1
  };
  for (const Row& r : rows)
    EXPECT_EQ(ThumbShown(r.bar), r.shown) << r.bar.Info.nMin << ".." << r.bar.Info.nMax << " page " << r.bar.Info.nPage
                                          << " length " << r.bar.Rect.Height();
}

// Every part of a vertical and a horizontal bar, the bar's edges, and a bar too short for two
// arrows, where only the two half arrows count.
TEST(GetScrollPart, EveryPart) {
  const TsBarGeometry v = Vert(0, 99, 20, 40);  // thumb 94 … 126, arrows 10 … 26 and 193 … 209
  TsBarGeometry h = v;
  h.Vertical = false;
  h.Rect = Rect(10, 0, 210, 17);
  const TsBarGeometry shortBar = Vert(0, 99, 20, 40, 17, 31);  // halves of 15: 10 … 24, 26 … 40
  const TsBarGeometry full = Vert(0, 99, 200, 0);              // a thumb over the whole work
  struct Row {
    const TsBarGeometry* bar;
    int along, across, part;
  } rows[] = {
      {&v, 10, 5, spFirstArrow},    {&v, 26, 5, spFirstArrow},   {&v, 27, 5, spTrackBefore},
      {&v, 93, 5, spTrackBefore},   {&v, 94, 5, spThumb},        {&v, 126, 5, spThumb},
      {&v, 127, 5, spTrackAfter},   {&v, 192, 5, spTrackAfter},  {&v, 193, 5, spSecondArrow},
      {&v, 209, 5, spSecondArrow},  {&v, 210, 5, spNone},        {&v, 9, 5, spNone},
      {&v, 100, 17, spNone},        {&v, 100, -1, spNone},       {&v, 100, 0, spThumb},
      {&h, 100, 5, spThumb},        {&h, 30, 5, spTrackBefore},  {&h, 150, 5, spTrackAfter},
      {&h, 200, 5, spSecondArrow},  {&h, 100, 17, spNone},
      {&shortBar, 10, 5, spFirstArrow}, {&shortBar, 24, 5, spFirstArrow}, {&shortBar, 25, 5, spNone},
      {&shortBar, 26, 5, spSecondArrow}, {&shortBar, 40, 5, spSecondArrow},
      {&full, 100, 5, spNone},      {&full, 12, 5, spFirstArrow},
  };
  for (const Row& r : rows) {
    const TPoint p = r.bar->Vertical ? TPoint{r.across, r.along} : TPoint{r.along, r.across};
    EXPECT_EQ(GetScrollPart(*r.bar, p), r.part) << (r.bar->Vertical ? "vertical " : "horizontal ") << r.along << ","
                                                 << r.across << " length " << BarLength(*r.bar);
  }
}

// Dragging to either end sends nMin and nMax − nPage + 2 of a range that starts at 100; the
// thumb stays inside the track less the arrows whatever the mouse does.
TEST(ThumbDrag, EndsAndMiddle) {
  const TsBarGeometry bar = Vert(100, 1099, 100, 100);  // thumb 17 long at 27
  const TsThumbTrack track = BeginThumbTrack(bar, TPoint{5, 30});
  EXPECT_EQ(track.MouseOffset, 3);
  struct Row {
    int mouseY, thumbStart, position;
  } rows[] = {
      {30, 17, 100},            // at the press: the range's first position
      {-500, 17, 100},          // far above: still nMin
      {5000, 200 - 17 - 17, 1001},  // the end: nMax − nPage + 2
      {179, 166, 1001},         // the thumb just touches the range's end
      {178, 165, 100 + 895},    // one pixel before: 148 · 901 / 149 = 894.95
      {104, 91, 100 + 447},     // 74 · 901 / 149 = 447.48
  };
  for (const Row& r : rows) {
    const TsThumbMove m = MoveThumb(track, bar.Info, TPoint{5, r.mouseY});
    EXPECT_EQ(m.ThumbStart, r.thumbStart) << r.mouseY;
    EXPECT_EQ(m.Position, r.position) << r.mouseY;
  }
  // A range without two positions: the thumb's offset, counted from nMin.
  EXPECT_EQ(MoveThumb(track, TsScrollInfo{100, 100, 1, 100, 0}, TPoint{5, 40}).Position, 110);
}

// The platform's MulDiv (under Windows checked against the platform's own): exact product, halves away from zero, −1 for a zero divisor or a
// result outside 32 bits.
TEST(MulDiv, PlatformRounding) {
  struct Row {
    int a, b, c, result;
  } rows[] = {
      {1, 1, 2, 1},     {-1, 1, 2, -1},   {1, -1, 2, -1},  {1, 1, -2, -1},  {-1, 1, -2, 1},
      {3, 1, 2, 2},     {5, 1, 2, 3},     {-5, 1, 2, -3},  {2, 1, 3, 1},    {1, 1, 3, 0},
      {-2, 1, 3, -1},   {7, 3, 4, 5},     {0, 5, 7, 0},    {5, 0, 0, -1},   {0, 0, 0, -1},
      {INT_MAX, INT_MAX, INT_MAX, INT_MAX},  // the product needs 62 bits
      {INT_MAX, 2, 1, -1},                   // the result does not fit
      {INT_MIN, 1, -1, -1},
      {65536, 65536, 131072, 32768},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(sscroll::MulDiv(r.a, r.b, r.c), r.result) << r.a << " * " << r.b << " / " << r.c;
#ifdef _WIN32
    EXPECT_EQ(::MulDiv(r.a, r.b, r.c), r.result) << "the platform's, " << r.a << " * " << r.b << " / " << r.c;
#endif
  }
}

// Room for the bars in the client area, and the bars' rectangles with the corner between them,
// for a vertical bar on the right and on the left.
TEST(ScrollRects, RoomBarsAndCorner) {
  TRect client = Rect(2, 2, 98, 58);
  TsScrollBar horz, vert;
  vert.nBarType = btVert;
  ReserveScrollRoom(client, horz, true, 17, false);
  ReserveScrollRoom(client, vert, true, 17, false);
  EXPECT_EQ(client, Rect(2, 2, 81, 41));
  EXPECT_TRUE(horz.fScrollVisible && vert.fScrollVisible);
  EXPECT_EQ(vert.fScrollFlags, 8);
  TRect narrow = Rect(0, 0, 10, 10);
  ReserveScrollRoom(narrow, vert, true, 17, false);  // too narrow: no room taken
  EXPECT_FALSE(vert.fScrollVisible);
  EXPECT_EQ(narrow, Rect(0, 0, 10, 10));
  ReserveScrollRoom(narrow, horz, false, 17, false);
  EXPECT_EQ(horz.fScrollFlags, 0);

  TsScrollFrame f;
  f.Window = Rect(100, 200, 200, 260);
  f.Edges = EdgesBetween(Rect(0, 0, 100, 60), Rect(2, 2, 98, 58));
  f.HorzVisible = f.VertVisible = true;
  f.HorzThickness = 15;
  f.VertThickness = 17;
  EXPECT_EQ(HorzBarRect(f), Rect(102, 243, 181, 258));
  EXPECT_EQ(VertBarRect(f), Rect(181, 202, 198, 243));
  EXPECT_EQ(CornerRect(f), Rect(181, 243, 198, 258));
  f.LeftScrollbar = true;
  EXPECT_EQ(HorzBarRect(f), Rect(119, 243, 198, 258));
  EXPECT_EQ(VertBarRect(f), Rect(102, 202, 119, 243));
  EXPECT_EQ(CornerRect(f), Rect(102, 243, 119, 258));
  f.HorzVisible = false;
  EXPECT_EQ(VertBarRect(f), Rect(102, 202, 119, 258));
  EXPECT_TRUE(CornerRect(f) == TRect{});
}
