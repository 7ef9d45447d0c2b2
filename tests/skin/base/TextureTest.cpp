#include "skin/base/sTexture.h"

#include <gtest/gtest.h>
#include <utility>

#include "PaintTestUtil.h"

using namespace painttest;
using V = std::vector<std::uint32_t>;

namespace {
std::uint32_t Num(int x, int y) { return 0xFF000000u | std::uint32_t(x) << 8 | std::uint32_t(y); }
}  // namespace

// Mode 2 on a 100 × 50 rectangle with a 10 × 8 piece tiles the top 8 rows and returns
// (Left, Top + 8, Right, Bottom).
TEST(TileTexture, Mode2Remainder) {
  const TBitmap32 piece = Numbered(10, 8);
  TBitmap32 b(120, 70);
  TRect r = Rect(5, 5, 105, 55);
  TileTexture(b, r, nullptr, 2, piece, Rect(0, 0, 10, 8));
  EXPECT_EQ(r, Rect(5, 13, 105, 55));
  for (int y = 0; y < 70; ++y)
    for (int x = 0; x < 120; ++x) {
      const bool in = x >= 5 && x < 105 && y >= 5 && y < 13;
      ASSERT_EQ(b.Pixel(x, y), in ? Num((x - 5) % 10, y - 5) : 0u) << x << "," << y;
    }
}

// Mode 0 tiles the whole rectangle with the last column and row cut; it reports no remainder.
TEST(TileTexture, Mode0Tiles) {
  const TBitmap32 piece = Numbered(3, 2);
  TBitmap32 b(7, 5);
  TRect r = Rect(0, 0, 7, 5);
  TileTexture(b, r, nullptr, 0, piece, Rect(0, 0, 3, 2));
  EXPECT_EQ(r, NoRect);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(b.Pixel(x, y), Num(x % 3, y % 2));
}

// Mode 10 draws whole tiles while below Right − w / Bottom − h plus one cut column; the rows
// after the last whole row stay unpainted.
TEST(TileTexture, Mode10WholeTiles) {
  const TBitmap32 piece = Numbered(3, 2);
  TBitmap32 b(7, 5);
  TRect r = Rect(0, 0, 7, 5);
  TileTexture(b, r, nullptr, 10, piece, Rect(0, 0, 3, 2));
  EXPECT_EQ(r, NoRect);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 7; ++x) EXPECT_EQ(b.Pixel(x, y), Num(x % 3, y % 2));
  EXPECT_EQ(RowOf(b, 4), V(7, 0));
}

// Mode 1 stretches colour-on-colour (nearest pixel by centre).
TEST(TileTexture, Mode1Stretch) {
  const TBitmap32 piece = Numbered(2, 2);
  TBitmap32 b(4, 4);
  TRect r = Rect(0, 0, 4, 4);
  TileTexture(b, r, nullptr, 1, piece, Rect(0, 0, 2, 2));
  EXPECT_EQ(r, NoRect);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(b.Pixel(x, y), Num(x / 2, y / 2));
}

// The edge modes report the uncovered part; unused modes draw nothing and keep the rectangle;
// a picture texture covers everything.
TEST(TileTexture, EdgeModesAndOthers) {
  const TBitmap32 piece = Numbered(3, 2);
  const TRect full = Rect(0, 0, 7, 5);
  const std::pair<int, TRect> cases[] = {{3, Rect(3, 0, 7, 5)}, {4, Rect(0, 2, 7, 5)}, {5, Rect(3, 0, 7, 5)},
                                         {6, Rect(0, 0, 7, 3)}, {7, Rect(0, 0, 4, 5)}, {8, full}};
  for (const auto& [mode, left] : cases) {
    TBitmap32 b(7, 5);
    TRect r = full;
    TileTexture(b, r, nullptr, mode, piece, Rect(0, 0, 3, 2));
    EXPECT_EQ(r, left) << mode;
    if (mode == 6) {
      EXPECT_EQ(b.Pixel(0, 3), Num(0, 0));
      EXPECT_EQ(b.Pixel(0, 2), 0u);
    }
    if (mode == 7) {
      EXPECT_EQ(b.Pixel(4, 0), Num(0, 0));
      EXPECT_EQ(b.Pixel(3, 0), 0u);
    }
    if (mode == 8) {
      EXPECT_EQ(CountNot(b, 0), 0);
    }
  }
  TBitmap32 b(5, 3);
  TRect r = Rect(0, 0, 5, 3);
  const TBitmap32 picture = Numbered(2, 2);
  TileTexture(b, r, &picture, 3, piece, Rect(0, 0, 3, 2));
  EXPECT_EQ(r, NoRect);
  EXPECT_EQ(b.Pixel(4, 2), Num(0, 0));
  EXPECT_EQ(b.Pixel(3, 1), Num(1, 1));
}

// Tiles stay anchored at the rectangle's corner when it starts outside the bitmap, and nothing is
// written outside a bottom-up bitmap.
TEST(TileTexture, OutsideAnchoredAndBounded) {
  const TBitmap32 piece = Numbered(3, 2);
  TGuarded g(4, 4, true, 0);
  TRect r = Rect(-4, -3, 5, 5);
  TileTexture(g.Bmp(), r, nullptr, 0, piece, Rect(0, 0, 3, 2));
  EXPECT_EQ(g.Bmp().Pixel(0, 0), Num(1, 1));
  EXPECT_EQ(g.Bmp().Pixel(3, 3), Num(1, 0));
  TRect r2 = Rect(-50, -50, 50, 50);
  TileTexture(g.Bmp(), r2, nullptr, 10, piece, Rect(0, 0, 3, 2));
  TRect r3 = Rect(0, 0, 4, 4);
  TileTexture(g.Bmp(), r3, nullptr, 0, piece, Rect(0, 0, 0, 2));  // empty piece: nothing, no loop
  EXPECT_EQ(r3, Rect(0, 0, 4, 4));
  EXPECT_TRUE(g.Intact());
}

// TileImage repeats a picture from the corner, cutting the last column and row.
TEST(TileImage, Repeats) {
  const TBitmap32 picture = Numbered(2, 2);
  TBitmap32 b(5, 3);
  TileImage(b, Rect(1, 0, 4, 3), picture);
  EXPECT_EQ(RowOf(b, 2), (V{0, Num(0, 0), Num(1, 0), Num(0, 0), 0}));
}

// Copies between and within bitmaps are cut to both and may overlap.
TEST(CopyBitmapRect, CutAndOverlap) {
  TBitmap32 b = Numbered(4, 3);
  CopyBitmapRect(b, 1, 1, b, Rect(0, 0, 4, 3));
  EXPECT_EQ(RowOf(b, 2), (V{Num(0, 2), Num(0, 1), Num(1, 1), Num(2, 1)}));
  EXPECT_EQ(RowOf(b, 1), (V{Num(0, 1), Num(0, 0), Num(1, 0), Num(2, 0)}));
  TGuarded g(2, 2, true, 0);
  CopyBitmapRect(g.Bmp(), -1, -1, Numbered(4, 3), Rect(-3, -3, 9, 9));  // maps src x to x + 2: nothing lands
  EXPECT_EQ(CountNot(g.Bmp(), 0), 0);
  CopyBitmapRect(g.Bmp(), -1, -1, Numbered(4, 3), Rect(0, 0, 9, 9));
  EXPECT_EQ(RowOf(g.Bmp(), 0), (V{Num(1, 1), Num(2, 1)}));
  EXPECT_EQ(RowOf(g.Bmp(), 1), (V{Num(1, 2), Num(2, 2)}));
  EXPECT_TRUE(g.Intact());
}

namespace {
constexpr std::uint32_t kD = 0x20102030;
// Two-layer piece 2 × 2: image [I, key] over mask [black, black].
TBitmap32 MaskedPiece() {
  TBitmap32 m(2, 2);
  m.Pixel(0, 0) = 0x00C86432;
  m.Pixel(1, 0) = 0x00FF00FF;
  return m;
}
}  // namespace

// Masked mode 0: whole tiles plus the cut column; the rows below the last whole row stay, and the
// rectangle is reported covered.
TEST(TileMaskedTexture, Mode0) {
  const TBitmap32 master = MaskedPiece();
  TGuarded g(5, 3, true, kD);
  TRect r = Rect(0, 0, 5, 3);
  TileMaskedTexture(g.Bmp(), r, EmptyCacheInfo(), 0, &master, Rect(0, 0, 2, 2));
  EXPECT_EQ(r, NoRect);
  const V tiled{0x20C86432, kD, 0x20C86432, kD, 0x20C86432};
  EXPECT_EQ(RowOf(g.Bmp(), 0), tiled);
  EXPECT_EQ(RowOf(g.Bmp(), 1), tiled);
  EXPECT_EQ(RowOf(g.Bmp(), 2), V(5, kD));
  EXPECT_TRUE(g.Intact());
}

// Masked mode 10: the strips beyond the whole tiles come from the background bitmap at the
// matching offset, or are filled with its colour (alpha 255) when it is not ready.
TEST(TileMaskedTexture, Mode10Strips) {
  const TBitmap32 master = MaskedPiece();
  TBitmap32 bg = Numbered(8, 8);
  {
    TBitmap32 d = Filled(5, 3, kD);
    TRect r = Rect(0, 0, 5, 3);
    TileMaskedTexture(d, r, MakeCacheInfo(&bg, 1, 1), 10, &master, Rect(0, 0, 2, 2));
    EXPECT_EQ(r, NoRect);
    EXPECT_EQ(RowOf(d, 0), (V{0x20C86432, Num(2, 1), 0x20C86432, Num(4, 1), Num(5, 1)}));
    EXPECT_EQ(RowOf(d, 2), (V{Num(1, 3), Num(2, 3), Num(3, 3), Num(4, 3), Num(5, 3)}));
  }
  {
    TBitmap32 d = Filled(5, 3, kD);
    TRect r = Rect(0, 0, 5, 3);
    TCacheInfo c = EmptyCacheInfo();
    c.FillColor = 0x0000FF;
    TileMaskedTexture(d, r, c, 10, &master, Rect(0, 0, 2, 2));
    EXPECT_EQ(RowOf(d, 1), (V{0x20C86432, 0x00FF0000, 0x20C86432, 0x00FF0000, 0xFFFF0000}));
    EXPECT_EQ(RowOf(d, 2), V(5, 0xFFFF0000));
  }
}

// Other modes and a missing master bitmap draw nothing and keep the rectangle.
TEST(TileMaskedTexture, NothingCases) {
  const TBitmap32 master = MaskedPiece();
  TBitmap32 d = Filled(5, 3, kD);
  TRect r = Rect(0, 0, 5, 3);
  TileMaskedTexture(d, r, EmptyCacheInfo(), 5, &master, Rect(0, 0, 2, 2));
  TileMaskedTexture(d, r, EmptyCacheInfo(), 0, nullptr, Rect(0, 0, 2, 2));
  TileMaskedTexture(d, r, EmptyCacheInfo(), 0, &master, Rect(0, 0, 2, 1));
  EXPECT_EQ(r, Rect(0, 0, 5, 3));
  EXPECT_EQ(CountNot(d, kD), 0);
}

// Nearest-pixel stretching picks source index start + ((2i + 1)·m) div (2n) on each axis, for
// widening, narrowing and unchanged sides alike (widened rows are filled by runs, repeated
// source rows copied).
TEST(StretchColorOnColor, NearestPixelOnEveryAxis) {
  const TBitmap32 src = painttest::Numbered(13, 9);
  for (const auto& [dw, dh] : {std::pair{40, 25}, std::pair{5, 4}, std::pair{13, 9}, std::pair{27, 3}, std::pair{6, 30}}) {
    TBitmap32 dst = painttest::Filled(dw + 4, dh + 4, 0);
    StretchColorOnColor(dst, Bounds(2, 2, dw, dh), src, Rect(1, 2, 12, 9));
    for (int y = 0; y < dh + 4; ++y)
      for (int x = 0; x < dw + 4; ++x) {
        const bool inside = x >= 2 && x < 2 + dw && y >= 2 && y < 2 + dh;
        const std::uint32_t expected =
            inside ? src.Pixel(1 + ((2 * (x - 2) + 1) * 11) / (2 * dw), 2 + ((2 * (y - 2) + 1) * 7) / (2 * dh)) : 0;
        ASSERT_EQ(dst.Pixel(x, y), expected) << dw << "x" << dh << " at " << x << "," << y;
      }
  }
}

// The same picks where the destination cuts the part (runs and block copies start inside it) and
// for an unchanged width (rows copied whole).
TEST(StretchColorOnColor, CutByTheDestination) {
  const TBitmap32 src = painttest::Numbered(13, 9);
  for (const auto& [dw, dh] : {std::pair{40, 25}, std::pair{11, 7}, std::pair{11, 20}, std::pair{6, 4}}) {
    TBitmap32 dst = painttest::Filled(dw - 5, dh - 2, 0);
    StretchColorOnColor(dst, Bounds(-3, -1, dw, dh), src, Rect(1, 2, 12, 9));
    for (int y = 0; y < dh - 2; ++y)
      for (int x = 0; x < dw - 5; ++x) {
        const std::uint32_t expected =
            src.Pixel(1 + ((2 * (x + 3) + 1) * 11) / (2 * dw), 2 + ((2 * (y + 1) + 1) * 7) / (2 * dh));
        ASSERT_EQ(dst.Pixel(x, y), expected) << dw << "x" << dh << " at " << x << "," << y;
      }
  }
}
