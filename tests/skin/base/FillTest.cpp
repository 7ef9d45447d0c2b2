#include "skin/base/sFill.h"

#include <gtest/gtest.h>

#include "PaintTestUtil.h"

using namespace painttest;

// FillPixels writes alpha << 24 | swap-RB(colour) over the overlap only, even with alpha 0.
TEST(FillPixels, OverlapOnlyAndAlphaZero) {
  TBitmap32 b = Filled(4, 3, 0xFFFFFFFF);
  FillPixels(b, Rect(2, 1, 10, 10), 0x112233, 0x80);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(b.Pixel(x, y), (x >= 2 && y >= 1) ? 0x80332211u : 0xFFFFFFFFu) << x << "," << y;
  FillPixels(b, Rect(0, 0, 1, 1), 0x445566, 0);
  EXPECT_EQ(b.Pixel(0, 0), 0x00665544u);
  EXPECT_EQ(b.Pixel(1, 0), 0xFFFFFFFFu);  // Right exclusive
  EXPECT_EQ(b.Pixel(0, 1), 0xFFFFFFFFu);  // Bottom exclusive
}

// Rectangles wholly outside, empty rectangles and bitmaps without rows paint nothing; a bottom-up
// bitmap is filled through its negative stride without touching memory around it.
TEST(FillPixels, EdgesAndBottomUp) {
  TGuarded g(5, 4, true);
  FillPixels(g.Bmp(), Rect(-5, -5, 0, 0), 0xFFFFFF, 255);
  FillPixels(g.Bmp(), Rect(5, 0, 9, 4), 0xFFFFFF, 255);
  FillPixels(g.Bmp(), Rect(3, 3, 1, 1), 0xFFFFFF, 255);
  EXPECT_EQ(CountNot(g.Bmp(), 0), 0);
  FillPixels(g.Bmp(), Rect(-100, 2, 100, 100), 0x0000FF, 255);
  EXPECT_EQ(CountNot(g.Bmp(), 0), 10);
  EXPECT_EQ(g.Bmp().Pixel(4, 3), 0xFFFF0000u);
  EXPECT_TRUE(g.Intact());
  TBitmap32 none;
  FillPixels(none, Rect(0, 0, 10, 10), 0, 255);
  EXPECT_TRUE(none.Empty());
}

// TintPixels' edges are inclusive: (0, 0, 10, 10) changes 11 × 11 pixels of a 20 × 20 bitmap and
// 10 × 10 of a 10 × 10 one; each channel is Round(p·c + q·colour), alpha kept.
TEST(TintPixels, InclusiveEdges) {
  TBitmap32 big = Filled(20, 20, 0xFF646464);
  TintPixels(big, Rect(0, 0, 10, 10), 50, 0x0000C8);
  EXPECT_EQ(CountNot(big, 0xFF646464), 121);
  EXPECT_EQ(big.Pixel(10, 10), 0xFF963232u);
  EXPECT_EQ(big.Pixel(11, 10), 0xFF646464u);
  TBitmap32 small = Filled(10, 10, 0xFF646464);
  TintPixels(small, Rect(0, 0, 10, 10), 50, 0x0000C8);
  EXPECT_EQ(CountNot(small, 0xFF963232), 0);
}

// Halves round to even, the colour goes through ColorToRGB, a negative-stride bitmap stays in bounds.
TEST(TintPixels, RoundingSystemColourAndBounds) {
  TBitmap32 b = Filled(1, 1, 0x7F050301);
  TintPixels(b, Rect(0, 0, 0, 0), 50, 0x000000);
  EXPECT_EQ(b.Pixel(0, 0), 0x7F020200u);  // 0.5 → 0, 1.5 → 2, 2.5 → 2
  TBitmap32 c = Filled(1, 1, 0x33000000);
  TintPixels(c, Rect(0, 0, 0, 0), 0, clBtnFace);  // classic button face (240, 240, 240)
  EXPECT_EQ(c.Pixel(0, 0), 0x33F0F0F0u);
  TGuarded g(3, 3, true, 0xFF000000);
  TintPixels(g.Bmp(), Rect(-4, 1, 50, 50), 0, 0xFFFFFF);
  EXPECT_EQ(CountNot(g.Bmp(), 0xFF000000), 6);
  TintPixels(g.Bmp(), Rect(3, 3, 9, 9), 0, 0x123456);
  EXPECT_EQ(CountNot(g.Bmp(), 0xFF000000), 6);
  EXPECT_TRUE(g.Intact());
}

// SetPixelsAlpha writes only the alpha byte, skips key pixels unless the key is clNone, and never
// writes outside the bitmap even when the rectangle does not fit.
TEST(SetPixelsAlpha, KeyAndClipping) {
  TGuarded g(3, 2, false, 0x00123456);
  g.Bmp().Pixel(1, 0) = 0x00FF00FF;
  SetPixelsAlpha(g.Bmp(), Rect(0, 0, 3, 1), 0x80, clFuchsia);
  EXPECT_EQ(g.Bmp().Pixel(0, 0), 0x80123456u);
  EXPECT_EQ(g.Bmp().Pixel(1, 0), 0x00FF00FFu);
  EXPECT_EQ(g.Bmp().Pixel(0, 1), 0x00123456u);
  SetPixelsAlpha(g.Bmp(), Rect(-2, -2, 10, 10), 0xFF, clNone);
  EXPECT_EQ(CountNot(g.Bmp(), 0xFF123456), 1);
  EXPECT_EQ(g.Bmp().Pixel(1, 0), 0xFFFF00FFu);
  SetPixelsAlpha(g.Bmp(), Rect(2, 1, 0, 0), 0, clNone);  // negative size: nothing
  EXPECT_EQ(g.Bmp().Pixel(1, 0), 0xFFFF00FFu);
  EXPECT_TRUE(g.Intact());
}

// The frame bands: top full width, left below it, bottom right of the left band, right between.
TEST(FillDCFrame, BandGeometryAndPixels) {
  const auto bands = FrameBands(Rect(0, 0, 10, 8), 1, 2, 3, 1);
  EXPECT_EQ(bands[0], Rect(0, 0, 10, 2));
  EXPECT_EQ(bands[1], Rect(0, 2, 1, 8));
  EXPECT_EQ(bands[2], Rect(1, 7, 10, 8));
  EXPECT_EQ(bands[3], Rect(7, 2, 10, 7));
  TBitmap32 b = Filled(4, 4, 0xFF000000);
  FillDCFrame(b, Rect(0, 0, 4, 4), 1, 1, 1, 1, clBtnShadow);
  EXPECT_EQ(CountNot(b, 0x00A0A0A0), 4);
  EXPECT_EQ(b.Pixel(1, 1), 0xFF000000u);
  EXPECT_EQ(b.Pixel(3, 3), 0x00A0A0A0u);
}

// FillDCRect resolves system colours and writes alpha 0, like the platform's brush.
TEST(FillDCRect, ResolvedColourAlphaZero) {
  TBitmap32 b = Filled(2, 1, 0xFF000000);
  FillDCRect(b, Rect(1, 0, 5, 5), clWindow);
  EXPECT_EQ(b.Pixel(0, 0), 0xFF000000u);
  EXPECT_EQ(b.Pixel(1, 0), 0x00FFFFFFu);
}

// NewBitmap32 gives zeroed pixels of the asked size, and nothing for sizes ≤ 0.
TEST(NewBitmap32, Zeroed) {
  TBitmap32 b = NewBitmap32(3, 2);
  EXPECT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Height(), 2);
  EXPECT_EQ(CountNot(b, 0), 0);
  EXPECT_TRUE(NewBitmap32(3, 0).Empty());
}
