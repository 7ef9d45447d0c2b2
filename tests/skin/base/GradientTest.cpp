#include "skin/base/sGradient.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "PaintTestUtil.h"
#include "framework/MemIniFile.h"

using namespace painttest;
using V = std::vector<std::uint32_t>;

namespace {
TsGradPie Pie(TColor c1, TColor c2, int percent, int mode = 0) {
  TsGradPie p;
  p.Color1 = c1;
  p.Color2 = c2;
  p.Percent = std::uint8_t(percent);
  p.Mode1 = mode;
  return p;
}
int RedOf(std::uint32_t p) { return int((p >> 16) & 0xFF); }
}  // namespace

// The five-segment triangle data: five segments of kind 2 with the vertex colours in Color1.
TEST(ParseGradientData, FiveTriangleSegments) {
  const TsGradArray a = ParseGradientData(L"0;41;24;2;0;41;64;24;2;0;64;0;24;2;0;0;32;24;2;0;32;32;0;2;0");
  ASSERT_EQ(a.size(), 5u);
  const TColor c1[5] = {0, 41, 64, 0, 32}, c2[5] = {41, 64, 0, 32, 32};
  const int pc[5] = {24, 24, 24, 24, 0};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(a[i].Color1, c1[i]);
    EXPECT_EQ(a[i].Color2, c2[i]);
    EXPECT_EQ(a[i].Percent, pc[i]);
    EXPECT_EQ(a[i].Mode1, 2);
    EXPECT_EQ(a[i].Mode2, 0);
  }
}

// Words come in fives (a rest is ignored), runs of ';' count once, "N/A" gives nothing.
TEST(ParseGradientData, WordCounting) {
  EXPECT_TRUE(ParseGradientData(L"1;2;3;4").empty());
  const TsGradArray one = ParseGradientData(L"1;;2;3;4;5");
  ASSERT_EQ(one.size(), 1u);
  EXPECT_EQ(one[0].Color1, 1u);
  EXPECT_EQ(one[0].Color2, 2u);
  EXPECT_EQ(one[0].Percent, 3);
  EXPECT_EQ(one[0].Mode1, 4);
  EXPECT_TRUE(ParseGradientData(L"N/A").empty());
  EXPECT_TRUE(ParseGradientData(L"").empty());
  EXPECT_EQ(ParseGradientData(L";;1;2;3;4;5;6;7;").size(), 1u);
}

// Percent is limited to 0 … 100, colours resolve system references, hexadecimal is read, and a
// word that is read and not an integer raises the conversion error.
TEST(ParseGradientData, ValuesAndErrors) {
  const TsGradArray a = ParseGradientData(L"-16777201;$FF;150;1;0;0x10;16;-5;0;0");
  ASSERT_EQ(a.size(), 2u);
  EXPECT_EQ(a[0].Color1, 0xF0F0F0u);  // button face through the classic palette
  EXPECT_EQ(a[0].Color2, 0xFFu);
  EXPECT_EQ(a[0].Percent, 100);
  EXPECT_EQ(a[1].Color1, 16u);
  EXPECT_EQ(a[1].Percent, 0);
  EXPECT_THROW(ParseGradientData(L"x;1;2;3;4"), EConvertError);
  EXPECT_THROW(ParseGradientData(L"1;2;3.5;3;4"), EConvertError);
  EXPECT_THROW(ParseGradientData(L"1;2;99999999999;3;4"), EConvertError);
  EXPECT_EQ(ParseGradientData(L"1;2;3;4;skipped").size(), 1u);  // the fifth word is never read
}

// Two vertical segments of 97 % and 0 % over 100 rows: rows 0–97 belong to the first (its ramp
// reaches row 97 in 97 steps), rows 97–99 to the second, which wins the shared row.
TEST(PaintGradient, VerticalTwoSegments) {
  TBitmap32 b(2, 100);
  PaintGradient(b, Rect(0, 0, 2, 100), {Pie(0x000000, 0x000061, 97), Pie(0xFF0000, 0xFF0000, 0)}, 0);
  for (int y = 0; y < 97; ++y) EXPECT_EQ(b.Pixel(1, y), 0xFF000000u | std::uint32_t(y) << 16) << y;
  for (int y = 97; y < 100; ++y) EXPECT_EQ(b.Pixel(0, y), 0xFF0000FFu) << y;
}

// The channel accumulators are 32-bit floats: 0 → 29 over six rows ends at 28, not 29.
TEST(PaintGradient, FloatAccumulators) {
  TBitmap32 b(1, 6);
  PaintGradient(b, Rect(0, 0, 1, 6), {Pie(0x000000, 0x00001D, 100)}, 0);
  int got[6];
  for (int y = 0; y < 6; ++y) got[y] = RedOf(b.Pixel(0, y));
  EXPECT_EQ(std::vector<int>(got, got + 6), (std::vector<int>{0, 5, 11, 17, 23, 28}));
}

// The rectangle is clipped (Right/Bottom exclusive); rows an offset puts above it are computed but
// not written; a one-row rectangle has no band (end = start) and stays as it is; other kinds and
// empty segment lists draw nothing.
TEST(PaintGradient, ClippingOffsetAndNothingCases) {
  TGuarded g(2, 4, true, 0);
  PaintGradient(g.Bmp(), Rect(-2, -3, 3, 2), {Pie(0x0000FF, 0x0000FF, 100)}, 0);
  EXPECT_EQ(CountNot(g.Bmp(), 0), 4);
  EXPECT_EQ(g.Bmp().Pixel(1, 1), 0xFFFF0000u);
  EXPECT_EQ(g.Bmp().Pixel(1, 2), 0u);
  PaintGradient(g.Bmp(), Rect(0, 0, 1, 4), {Pie(0x000000, 0x00003C, 100)}, -2);
  int got[4];
  for (int y = 0; y < 4; ++y) got[y] = RedOf(g.Bmp().Pixel(0, y));
  EXPECT_EQ(std::vector<int>(got, got + 4), (std::vector<int>{24, 36, 48, 60}));
  EXPECT_TRUE(g.Intact());
  TBitmap32 one(3, 3);
  PaintGradient(one, Rect(0, 1, 3, 2), {Pie(0xFFFFFF, 0xFFFFFF, 100)}, 0);
  PaintGradient(one, Rect(0, 0, 3, 3), {Pie(0xFFFFFF, 0xFFFFFF, 100, 3)}, 0);
  PaintGradient(one, Rect(0, 0, 3, 3), {}, 0);
  PaintGradient(one, Rect(3, 0, 9, 3), {Pie(0xFFFFFF, 0xFFFFFF, 100)}, 0);
  EXPECT_EQ(CountNot(one, 0), 0);
  TBitmap32 none;
  PaintGradient(none, Rect(0, 0, 3, 3), {Pie(0xFFFFFF, 0xFFFFFF, 100)}, 0);
}

// Horizontal bands: the top row ramps along x and every row below is a copy of it.
TEST(PaintGradient, Horizontal) {
  TBitmap32 b(5, 3);
  PaintGradient(b, Rect(0, 0, 5, 3), {Pie(0x000000, 0x000064, 100, 1)}, 0);
  for (int y = 0; y < 3; ++y)
    EXPECT_EQ(RowOf(b, y), (V{0xFF000000, 0xFF190000, 0xFF320000, 0xFF4B0000, 0xFF640000}));
  TGuarded g(10, 2, true, 0);
  PaintGradient(g.Bmp(), Rect(0, 0, 12, 5), {Pie(0x0000FF, 0x0000FF, 40, 1), Pie(0xFF0000, 0xFF0000, 0)}, 0);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 10; ++x) EXPECT_EQ(g.Bmp().Pixel(x, y), x < 4 ? 0xFFFF0000u : 0xFF0000FFu) << x;
  EXPECT_TRUE(g.Intact());
}

// Four triangles from the five-segment data: colours interpolated from the vertices (top-left 0,
// centre 41, top-right 64, bottom-right 0, bottom-left 32), every pixel of the rectangle and no
// other painted with alpha 255.
TEST(PaintGradient, Triangles) {
  const TsGradArray data = ParseGradientData(L"0;41;24;2;0;41;64;24;2;0;64;0;24;2;0;0;32;24;2;0;32;32;0;2;0");
  TBitmap32 b(10, 10);
  PaintGradient(b, Rect(0, 0, 10, 10), data, 0);
  EXPECT_EQ(b.Pixel(0, 0), 0xFF040000u);
  EXPECT_EQ(b.Pixel(5, 5), 0xFF240000u);
  EXPECT_EQ(b.Pixel(9, 0), 0xFF3D0000u);
  TBitmap32 c(10, 8);
  PaintGradient(c, Rect(1, 1, 9, 7), data, 0);
  int painted = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 10; ++x) painted += (c.Pixel(x, y) >> 24) == 0xFF;
  EXPECT_EQ(painted, 48);
  EXPECT_EQ(c.Pixel(0, 0), 0u);
  EXPECT_EQ(c.Pixel(9, 7), 0u);
  // Missing segments repeat the previous vertex colour: one segment colours the whole rectangle.
  TGuarded g(4, 4, true, 0);
  PaintGradient(g.Bmp(), Rect(-3, -1, 6, 8), {Pie(0x102030, 0, 0, 2)}, 0);
  EXPECT_EQ(CountNot(g.Bmp(), 0xFF302010), 0);
  EXPECT_TRUE(g.Intact());
}

namespace {
// Texture 3 × 3 whose texel (x, y) has blue 40x + 10y.
TBitmap32 Texture() {
  TBitmap32 t(3, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) t.Pixel(x, y) = std::uint32_t(40 * x + 10 * y);
  return t;
}
}  // namespace

// Gradient and texture in one pass, kind 0: (weight·(texel − g) + g·256) >> 8 per channel, alpha
// from the argument; the tile repeats from the rectangle's corner.
TEST(PaintGradientTextured, VerticalBlend) {
  const TBitmap32 tex = Texture();
  TBitmap32 b(4, 2);
  PaintGradientTextured(b, Rect(0, 0, 4, 2), {Pie(0x000064, 0x000064, 100)}, 255, 128, Rect(0, 0, 2, 2), tex);
  EXPECT_EQ(RowOf(b, 0), (V{0xFF320000, 0xFF320014, 0xFF320000, 0xFF320014}));
  EXPECT_EQ(RowOf(b, 1), (V{0xFF320005, 0xFF320019, 0xFF320005, 0xFF320019}));
}

// A tile reaching the texture's edge loses its last column and row (the whole 3 × 3 texture tiles
// as 2 × 2); a tile left with no width draws nothing.
TEST(PaintGradientTextured, TileSizeRule) {
  const TBitmap32 tex = Texture();
  TBitmap32 a(4, 2), b(4, 2);
  PaintGradientTextured(a, Rect(0, 0, 4, 2), {Pie(0x000064, 0x000064, 100)}, 255, 128, Rect(0, 0, 2, 2), tex);
  PaintGradientTextured(b, Rect(0, 0, 4, 2), {Pie(0x000064, 0x000064, 100)}, 255, 128, Rect(0, 0, 0, 0), tex);
  for (int y = 0; y < 2; ++y) EXPECT_EQ(RowOf(a, y), RowOf(b, y));
  TBitmap32 c(4, 2);
  PaintGradientTextured(c, Rect(0, 0, 4, 2), {Pie(0x000064, 0x000064, 100)}, 255, 128, Rect(2, 0, 3, 3), tex);
  PaintGradientTextured(c, Rect(0, 0, 4, 2), {Pie(0x000064, 0x000064, 100)}, 255, 128, Rect(-1, 0, 2, 2), tex);
  PaintGradientTextured(c, Rect(0, 0, 4, 2), {Pie(0x000064, 0x000064, 100, 2)}, 255, 128, Rect(0, 0, 2, 2), tex);
  EXPECT_EQ(CountNot(c, 0), 0);
}

// Kind 1: the blended block of one tile height is copied down the rest of the rectangle.
TEST(PaintGradientTextured, HorizontalBlockCopy) {
  const TBitmap32 tex = Texture();
  TGuarded g(4, 3, true, 0);
  PaintGradientTextured(g.Bmp(), Rect(0, 0, 4, 3), {Pie(0x000064, 0x000064, 100, 1)}, 200, 128, Rect(0, 0, 2, 2), tex);
  EXPECT_EQ(RowOf(g.Bmp(), 0), (V{0xC8320000, 0xC8320014, 0xC8320000, 0xC8320014}));
  EXPECT_EQ(RowOf(g.Bmp(), 1), (V{0xC8320005, 0xC8320019, 0xC8320005, 0xC8320019}));
  EXPECT_EQ(RowOf(g.Bmp(), 2), RowOf(g.Bmp(), 0));
  EXPECT_TRUE(g.Intact());
}
