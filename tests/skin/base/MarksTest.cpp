#include "skin/base/sMarks.h"

#include <gtest/gtest.h>

#include <set>

#include "PaintTestUtil.h"

using namespace painttest;

namespace {
constexpr TColor kA = 0x0000FF;  // pixel 0x00FF0000
constexpr TColor kB = 0x00FF00;  // pixel 0x0000FF00
}  // namespace

// The dotted frame on (0, 0, 6, 5): b at even steps from the far end, a just before each, the
// corner (Left, Top) untouched; written as ColorToRGB with alpha 0.
TEST(DrawDottedFrame, PixelPattern) {
  TBitmap32 b = Filled(6, 5, 0xFF000000);
  DrawDottedFrame(b, Rect(0, 0, 6, 5), kA, kB);
  const std::uint32_t A = 0x00FF0000, B = 0x0000FF00, _ = 0xFF000000;
  const std::uint32_t expected[5][6] = {{_, A, B, A, B, _},
                                        {A, _, _, _, _, A},
                                        {B, _, _, _, _, B},
                                        {A, _, _, _, _, A},
                                        {B, A, B, A, B, B}};
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(b.Pixel(x, y), expected[y][x]) << x << "," << y;
}

// A colour clNone is skipped; pixels outside the bitmap are not written.
TEST(DrawDottedFrame, NoneAndOutside) {
  TBitmap32 b = Filled(6, 5, 0xFF000000);
  DrawDottedFrame(b, Rect(0, 0, 6, 5), clNone, kB);
  EXPECT_EQ(CountNot(b, 0xFF000000), 8);
  TGuarded g(4, 4, true, 0xFF000000);
  DrawDottedFrame(g.Bmp(), Rect(-3, -3, 9, 9), kA, kB);
  DrawDottedFrame(g.Bmp(), Rect(2, 2, 12, 12), clWindowText, clWindowText);
  EXPECT_EQ(g.Bmp().Pixel(2, 2), 0xFF000000u);  // (Left, Top) is never drawn
  EXPECT_EQ(g.Bmp().Pixel(3, 2), 0x00000000u);  // window text: black, alpha 0
  EXPECT_TRUE(g.Intact());
}

// The down arrow: rows of 7, 5, 3, 1 pixels centred in the rectangle.
TEST(DrawSmallArrow, Down) {
  TBitmap32 b = Filled(9, 6, 0xFF000000);
  DrawSmallArrow(b, kA, Rect(0, 0, 9, 6), adDown);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 9; ++x) {
      const int k = y - 1;
      const bool on = k >= 0 && k < 4 && x >= 1 + k && x <= 7 - k;
      EXPECT_EQ(b.Pixel(x, y), on ? 0x00FF0000u : 0xFF000000u) << x << "," << y;
    }
}

// The four directions: 16 pixels each, the tip on the side the arrow points to.
TEST(DrawSmallArrow, Directions) {
  auto set = [](int dir) {
    std::set<std::pair<int, int>> s;
    for (const TMarkPixel& p : SmallArrowPixels(Rect(0, 0, 9, 9), dir, kA)) s.insert({p.X, p.Y});
    return s;
  };
  const auto up = set(adUp), down = set(adDown), left = set(adLeft), right = set(adRight);
  for (const auto* s : {&up, &down, &left, &right}) EXPECT_EQ(s->size(), 16u);
  EXPECT_TRUE(up.count({4, 2}) && up.count({1, 5}) && up.count({7, 5}));      // tip at top, base below
  EXPECT_TRUE(down.count({1, 2}) && down.count({4, 5}));                      // base at top, tip below
  EXPECT_TRUE(left.count({2, 4}) && left.count({5, 1}) && left.count({5, 7}));  // tip at left
  EXPECT_TRUE(right.count({2, 1}) && right.count({5, 4}));                    // tip at right
  EXPECT_TRUE(SmallArrowPixels(Rect(0, 0, 9, 9), 4, kA).empty());
}

// An arrow partly outside the bitmap draws only its inside pixels.
TEST(DrawSmallArrow, ClippedToBitmap) {
  TGuarded g(3, 3, true, 0xFF000000);
  DrawSmallArrow(g.Bmp(), kA, Rect(-3, -1, 4, 3), adDown);
  EXPECT_EQ(g.Bmp().Pixel(0, 0), 0x00FF0000u);
  EXPECT_TRUE(g.Intact());
}
