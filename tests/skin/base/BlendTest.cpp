#include "skin/base/sBlend.h"

#include <gtest/gtest.h>

#include <cmath>

#include "PaintTestUtil.h"
#include "skin/base/sColorMath.h"

using namespace painttest;

namespace {
constexpr std::uint32_t kDst = 0x40102030;  // A 0x40, R 16, G 32, B 48
constexpr std::uint32_t kSrc = 0xFFC86400;  // R 200, G 100, B 0
}  // namespace

// Weight 0 copies the source's colour and keeps the destination's alpha.
TEST(OverlayBitmap, WeightZeroCopiesColour) {
  TBitmap32 d = Filled(2, 2, kDst);
  TBitmap32 s = Filled(2, 2, 0xFFAABBCC);
  OverlayBitmap(d, s, 0, TPoint{0, 0}, Rect(0, 0, 2, 2));
  EXPECT_EQ(CountNot(d, 0x40AABBCC), 0);
}

// A source rect equal to the whole source blends exactly Width × Height pixels with
// ((d − s)·w + s·256) >> 8 per channel.
TEST(OverlayBitmap, WholeSourceExactPixels) {
  TBitmap32 d = Filled(5, 4, kDst);
  TBitmap32 s = Filled(3, 2, kSrc);
  OverlayBitmap(d, s, 128, TPoint{1, 1}, Rect(0, 0, 3, 2));
  EXPECT_EQ(CountNot(d, kDst), 6);
  for (int y = 1; y <= 2; ++y)
    for (int x = 1; x <= 3; ++x) EXPECT_EQ(d.Pixel(x, y), 0x406C4218u);
  TBitmap32 d2 = Filled(1, 1, kDst);
  OverlayBitmap(d2, s, 255, TPoint{0, 0}, Rect(0, 0, 3, 2));
  EXPECT_EQ(d2.Pixel(0, 0), 0x4010202Fu);  // 255 keeps the destination almost unchanged
}

// The source rect's right and bottom are inclusive (reduced to the source), but a start at its
// end draws nothing.
TEST(OverlayBitmap, InclusiveSourceRect) {
  TBitmap32 s(4, 1);
  for (int x = 0; x < 4; ++x) s.Pixel(x, 0) = 0xFF000000u | std::uint32_t(x + 1);
  TBitmap32 d = Filled(4, 1, 0);
  OverlayBitmap(d, s, 0, TPoint{0, 0}, Rect(1, 0, 2, 1));  // Bottom 1 is reduced to row 0
  EXPECT_EQ(RowOf(d, 0), (std::vector<std::uint32_t>{2, 3, 0, 0}));
  TBitmap32 e = Filled(4, 1, 0);
  OverlayBitmap(e, s, 0, TPoint{0, 0}, Rect(2, 0, 2, 1));
  OverlayBitmap(e, s, 0, TPoint{0, 0}, Rect(0, 0, 3, 0));  // a single inclusive row starts at its end
  EXPECT_EQ(CountNot(e, 0), 0);
}

// A negative destination coordinate moves the source start; areas are cut to the destination;
// points or starts outside draw nothing; a bottom-up destination stays in bounds.
TEST(OverlayBitmap, OffsetsAndOutside) {
  TBitmap32 s(3, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) s.Pixel(x, y) = std::uint32_t(10 * y + x + 1);
  TGuarded g(2, 2, true, 0);
  TBitmap32& d = g.Bmp();
  OverlayBitmap(d, s, 0, TPoint{-1, -2}, Rect(0, 0, 3, 3));
  EXPECT_EQ(RowOf(d, 0), (std::vector<std::uint32_t>{22, 23}));
  EXPECT_EQ(RowOf(d, 1), (std::vector<std::uint32_t>{0, 0}));
  OverlayBitmap(d, s, 0, TPoint{1, 1}, Rect(0, 0, 9, 9));
  EXPECT_EQ(d.Pixel(1, 1), 1u);
  EXPECT_EQ(d.Pixel(0, 1), 0u);
  TBitmap32 before = d;
  OverlayBitmap(d, s, 0, TPoint{2, 0}, Rect(0, 0, 3, 3));
  OverlayBitmap(d, s, 0, TPoint{0, 0}, Rect(3, 0, 5, 3));
  OverlayBitmap(d, s, 0, TPoint{0, 0}, Rect(-1, 0, 2, 2));
  OverlayBitmap(d, s, 0, TPoint{-5, 0}, Rect(0, 0, 3, 3));
  for (int y = 0; y < 2; ++y) EXPECT_EQ(RowOf(d, y), RowOf(before, y));
  EXPECT_TRUE(g.Intact());
  TBitmap32 none;
  OverlayBitmap(none, s, 0, TPoint{0, 0}, Rect(0, 0, 3, 3));
  OverlayBitmap(d, none, 0, TPoint{0, 0}, Rect(0, 0, 3, 3));
}

// Non-key pixels mix as Trunc(src − (src − dst)·f); key pixels and alpha stay.
TEST(MergeKeyedBitmap, FactorAndKey) {
  TBitmap32 s(3, 1);
  s.Pixel(0, 0) = 0xFFC86500;  // R 200, G 101, B 0
  s.Pixel(1, 0) = 0x00FF00FF;
  s.Pixel(2, 0) = 0x00C86500;
  TBitmap32 d = Filled(3, 1, 0x206400FF);  // R 100, G 0, B 255
  MergeKeyedBitmap(d, 0, 0, clFuchsia, 0.5, Rect(0, 0, 2, 0), s);
  EXPECT_EQ(d.Pixel(0, 0), 0x2096327Fu);  // 150, 50 (50.5), 127 (127.5)
  EXPECT_EQ(d.Pixel(1, 0), 0x206400FFu);
  EXPECT_EQ(d.Pixel(2, 0), 0x2096327Fu);
  TBitmap32 e = Filled(1, 1, 0x00640000);
  MergeKeyedBitmap(e, 0, 0, clFuchsia, DefDisabledBlend, Rect(0, 0, 0, 0), Filled(1, 1, 0x00C80000));
  EXPECT_EQ(e.Pixel(0, 0), 0x00A00000u);  // 0.6·200 + 0.4·100 = 160
  MergeKeyedBitmap(e, 0, 0, clFuchsia, 1.0, Rect(0, 0, 0, 0), Filled(1, 1, 0x00000000));
  EXPECT_EQ(e.Pixel(0, 0), 0x00A00000u);
  MergeKeyedBitmap(e, 0, 0, clFuchsia, 0.0, Rect(0, 0, 0, 0), Filled(1, 1, 0x00010203));
  EXPECT_EQ(e.Pixel(0, 0), 0x00010203u);
}

// Every pair of channel values merges as Trunc(s − (s − d)·f), for the factors the engine uses
// (computed in integers) and for any other.
TEST(MergeKeyedBitmap, EveryChannelPair) {
  for (const double f : {DefDisabledBlend, 0.5, 0.035}) {
    TBitmap32 s(256, 256), d(256, 256);
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x) {
        s.Pixel(x, y) = 0xFF000000u | std::uint32_t(x) << 16 | std::uint32_t(y) << 8 | std::uint32_t(x);
        d.Pixel(x, y) = 0x12000000u | std::uint32_t(y) << 16 | std::uint32_t(x) << 8 | std::uint32_t(y);
      }
    MergeKeyedBitmap(d, 0, 0, clFuchsia, f, Rect(0, 0, 255, 255), s);
    auto rule = [f](int sc, int dc) { return std::uint32_t(std::trunc(sc - (sc - dc) * f)); };
    for (int y = 0; y < 256; ++y)
      for (int x = 0; x < 256; ++x)
        ASSERT_EQ(d.Pixel(x, y), 0x12000000u | rule(x, y) << 16 | rule(y, x) << 8 | rule(x, y)) << f << " " << x << "," << y;
  }
}

// Source rect clipped to the source (inclusive), destination parts outside skipped.
TEST(MergeKeyedBitmap, Clipping) {
  TBitmap32 s(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) s.Pixel(x, y) = std::uint32_t(10 * y + x + 1);
  TGuarded g(2, 2, true, 0);
  MergeKeyedBitmap(g.Bmp(), -1, 1, clFuchsia, 0.0, Rect(0, 0, 50, 50), s);
  EXPECT_EQ(RowOf(g.Bmp(), 0), (std::vector<std::uint32_t>{0, 0}));
  EXPECT_EQ(RowOf(g.Bmp(), 1), (std::vector<std::uint32_t>{2, 3}));
  MergeKeyedBitmap(g.Bmp(), 5, 5, clFuchsia, 0.0, Rect(0, 0, 2, 1), s);
  MergeKeyedBitmap(g.Bmp(), 0, 0, clFuchsia, 0.0, Rect(3, 2, 5, 5), s);
  EXPECT_EQ(RowOf(g.Bmp(), 0), (std::vector<std::uint32_t>{0, 0}));
  EXPECT_TRUE(g.Intact());
}

// Mask black blends by the source alpha, white keeps the destination, grey scales the alpha.
TEST(BlendThroughMask, MaskLevels) {
  TBitmap32 d = Filled(3, 1, 0xFF000000);
  TBitmap32 s = Filled(3, 1, 0x80FF0000);
  TBitmap32 m(3, 1);
  m.Pixel(0, 0) = 0x00000000;
  m.Pixel(1, 0) = 0x00FF0000;
  m.Pixel(2, 0) = 0x00800000;
  BlendThroughMask(d, s, m, Rect(0, 0, 3, 1));
  EXPECT_EQ(d.Pixel(0, 0), 0xFF7F0000u);
  EXPECT_EQ(d.Pixel(1, 0), 0xFF000000u);
  EXPECT_EQ(d.Pixel(2, 0), 0xFF3E0000u);  // w = (127·128) >> 8 = 63; (63·255) >> 8 = 62
}

// A destination smaller than the rectangle is left alone; pieces are read from their origin and
// the area is cut to all three bitmaps.
TEST(BlendThroughMask, SizesAndOffsets) {
  TBitmap32 s = Filled(1, 1, 0xFFFFFFFF);
  TBitmap32 m = Filled(1, 1, 0);
  TBitmap32 small = Filled(2, 2, 0);
  BlendThroughMask(small, s, m, Rect(0, 0, 3, 1));
  EXPECT_EQ(CountNot(small, 0), 0);
  TGuarded g(4, 2, true, 0);
  BlendThroughMask(g.Bmp(), s, m, Rect(2, 1, 4, 2));
  EXPECT_EQ(CountNot(g.Bmp(), 0), 1);
  EXPECT_EQ(g.Bmp().Pixel(2, 1), 0x00FEFEFEu);  // (255·255) >> 8
  EXPECT_TRUE(g.Intact());
}
