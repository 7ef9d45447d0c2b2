// Where a glow window goes and how much of the glow picture it shows.
#include <gtest/gtest.h>

#include "skin/paint/sGlowPlacement.h"

namespace {
constexpr TRect kItem = Bounds(100, 50, 40, 20);
constexpr TRect kAll = Rect(0, 0, 40, 20);
TsGlowBands Bands(int w) { return {w, w, w, w}; }
}  // namespace

// Bands as wide as the margin: the glow covers exactly the item.
TEST(GlowPlacement, BandsEqualToTheMarginCoverTheItem) {
  const TsGlowPlacement p = PlaceGlow(kItem, kAll, Bands(10), 10);
  EXPECT_EQ(p.Width, 40);
  EXPECT_EQ(p.Height, 20);
  EXPECT_EQ(p.Pos, (TPoint{100, 50}));
  EXPECT_EQ(p.CutL + p.CutT + p.CutR + p.CutB, 0);
}

// Bands 10 pixels wider than the margin reach 10 pixels out on every side.
TEST(GlowPlacement, WiderBandsReachOutside) {
  const TsGlowPlacement p = PlaceGlow(kItem, kAll, Bands(20), 10);
  EXPECT_EQ(p.Width, 60);
  EXPECT_EQ(p.Height, 40);
  EXPECT_EQ(p.Pos, (TPoint{90, 40}));
}

// An item clipped on the left and top: the glow is cut at the clip lines, the right and bottom
// keep their reach outside the item.
TEST(GlowPlacement, ClippedItemCutsThatSide) {
  const TsGlowPlacement p = PlaceGlow(kItem, Rect(5, 3, 40, 20), Bands(20), 10);
  EXPECT_EQ(p.CutL, 15);
  EXPECT_EQ(p.CutT, 13);
  EXPECT_EQ(p.CutR, 0);
  EXPECT_EQ(p.Width, 45);
  EXPECT_EQ(p.Height, 27);
  EXPECT_EQ(p.Pos, (TPoint{105, 53}));
}

// A margin wider than the bands starts the glow inside the item: a clip line before that start
// cuts nothing (a negative cut would read before the picture).
TEST(GlowPlacement, MarginAboveTheBandsNeverCutsNegative) {
  const TsGlowPlacement p = PlaceGlow(kItem, Rect(2, 1, 40, 20), Bands(5), 10);
  EXPECT_EQ(p.FullWidth, 30);
  EXPECT_EQ(p.FullHeight, 10);
  EXPECT_EQ(p.CutL, 0);
  EXPECT_EQ(p.CutT, 0);
  EXPECT_EQ(p.Width, 30);
  EXPECT_EQ(p.Height, 10);
  EXPECT_EQ(p.Pos, (TPoint{105, 55}));
}

// A margin so large that the glow has no size of its own: nothing to show.
TEST(GlowPlacement, MarginSwallowingTheGlowShowsNothing) {
  EXPECT_FALSE(PlaceGlow(kItem, kAll, Bands(5), 30).Visible());
}

// A one-pixel sliver of the item left of where the glow starts: no window rather than one of
// negative width.
TEST(GlowPlacement, SliverBeforeTheGlowShowsNothing) {
  const TsGlowPlacement p = PlaceGlow(kItem, Rect(0, 0, 1, 20), Bands(10), 15);
  EXPECT_FALSE(p.Visible());
  EXPECT_LE(p.CutR, p.FullWidth);
}

// A hidden item (empty clip box) shows no glow at all, not a strip of the left band.
TEST(GlowPlacement, HiddenItemShowsNothing) {
  EXPECT_FALSE(PlaceGlow(kItem, Rect(0, 0, 0, 0), Bands(20), 10).Visible());
}
