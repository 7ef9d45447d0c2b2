#include "skin/base/sResample.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "PaintTestUtil.h"

using namespace painttest;
using V = std::vector<std::uint32_t>;

// Each filter's value at a few distances (the box tells −0.5 from 0.5) and its support.
TEST(ResampleFilter, ValuesAndSupport) {
  EXPECT_EQ(ResampleFilterValue(fkBox, 0.5), 1.0);
  EXPECT_EQ(ResampleFilterValue(fkBox, -0.5), 0.0);
  EXPECT_EQ(ResampleFilterValue(fkBox, 0.3), 1.0);
  EXPECT_EQ(ResampleFilterValue(fkBox, 0.505), 0.0);
  EXPECT_DOUBLE_EQ(ResampleFilterValue(fkTriangle, 0.25), 0.75);
  EXPECT_DOUBLE_EQ(ResampleFilterValue(fkTriangle, -0.25), 0.75);
  EXPECT_DOUBLE_EQ(ResampleFilterValue(fkHermite, 0.5), 0.5);
  EXPECT_DOUBLE_EQ(ResampleFilterValue(fkHermite, 0.0), 1.0);
  EXPECT_DOUBLE_EQ(ResampleFilterValue(fkBell, 0.0), 0.75);
  EXPECT_DOUBLE_EQ(ResampleFilterValue(fkBell, 0.5), 0.5);
  EXPECT_DOUBLE_EQ(ResampleFilterValue(fkBell, 1.0), 0.125);
  EXPECT_DOUBLE_EQ(ResampleFilterValue(fkBSpline, 0.0), 2.0 / 3.0);
  EXPECT_DOUBLE_EQ(ResampleFilterValue(fkBSpline, 1.0), 1.0 / 6.0);
  EXPECT_DOUBLE_EQ(ResampleFilterValue(fkLanczos3, 0.0), 1.0);
  EXPECT_NEAR(ResampleFilterValue(fkLanczos3, 0.5), 0.6104236, 1e-7);  // sin(π/2)·sin(0.5)/(π/4)
  EXPECT_NEAR(ResampleFilterValue(fkLanczos3, 1.0), 0.0, 1e-15);
  EXPECT_DOUBLE_EQ(ResampleFilterValue(fkMitchell, 0.0), 8.0 / 9.0);
  EXPECT_NEAR(ResampleFilterValue(fkMitchell, 1.0), 1.0 / 18.0, 1e-15);
  EXPECT_NEAR(ResampleFilterValue(fkMitchell, 1.5), -0.0347222222, 1e-9);
  EXPECT_NEAR(ResampleFilterValue(fkMitchell, 2.0), 0.0, 1e-15);
  const double support[7] = {0.51, 1, 1, 1.5, 2, 3, 2};
  for (int f = 0; f < 7; ++f) EXPECT_EQ(ResampleFilterSupport(f), support[f]);
}

// Integer weights: Round(filter·scale·65536) over the scaled window, with mirrored indexes.
TEST(ResampleFilter, ContributorWeights) {
  using C = std::vector<std::pair<int, int>>;
  auto list = [](int f, int n, int m, int i) {
    C out;
    for (const auto& c : ResampleContributors(f, n, m, i)) out.push_back({c.Index, c.Weight});
    return out;
  };
  // Halving with the triangle: scale 0.5, centre 2, window ±2.
  EXPECT_EQ(list(fkTriangle, 4, 2, 1), (C{{3, 16384}, {2, 32768}, {1, 16384}}));
  // Doubling with Mitchell: centre 0.5; j = 2 and −1 mirror to 1.
  EXPECT_EQ(list(fkMitchell, 2, 4, 1), (C{{1, -2276}, {1, 35044}, {0, 35044}, {1, -2276}}));
  EXPECT_EQ(list(fkMitchell, 2, 4, 0), (C{{1, 3641}, {0, 58254}, {1, 3641}}));
  // The box at scale 1 takes exactly the sample under the centre.
  EXPECT_EQ(list(fkBox, 3, 6, 3), (C{{1, 65536}}));
  // Lanczos on a 2-sample side reaches beyond one mirror: indexes stay inside the source.
  for (int i = 0; i < 5; ++i)
    for (const auto& c : ResampleContributors(fkLanczos3, 2, 5, i)) {
      EXPECT_GE(c.Index, 0);
      EXPECT_LE(c.Index, 1);
    }
}

// A row 0, 200 doubled with Mitchell (rows identical, so the vertical pass keeps values).
TEST(ResampleBitmap, MitchellExactPixels) {
  TBitmap32 s(2, 2);
  for (int y = 0; y < 2; ++y) {
    s.Pixel(0, y) = 0xFF000000;
    s.Pixel(1, y) = 0xFF0000C8;
  }
  TBitmap32 d;
  ResampleBitmap(s, d, 4, fkMitchell, 2);
  ASSERT_EQ(d.Width(), 4);
  ASSERT_EQ(d.Height(), 2);
  for (int y = 0; y < 2; ++y) EXPECT_EQ(RowOf(d, y), (V{0xFF000016, 0xFF00005D, 0xFF0000BC, 0xFF0000D5}));
}

// Sums are limited: negative lobes give 0, overshoot 255.
TEST(ResampleBitmap, ChannelLimits) {
  TBitmap32 s(4, 2);
  const std::uint32_t row[4] = {0xFFFFFFFF, 0xFF000000, 0xFFFFFFFF, 0xFF000000};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) s.Pixel(x, y) = row[x];
  TBitmap32 d;
  ResampleBitmap(s, d, 9, fkLanczos3, 2);
  ASSERT_EQ(d.Width(), 9);
  bool sawZero = false, sawFull = false;
  for (int x = 0; x < 9; ++x) {
    sawZero |= (d.Pixel(x, 0) & 0xFF) == 0;
    sawFull |= (d.Pixel(x, 0) & 0xFF) == 255;
  }
  EXPECT_TRUE(sawZero);
  EXPECT_TRUE(sawFull);
}

// A source 1 pixel wide or high, a zero height or an unknown filter leave the destination alone;
// an unchanged size copies the source.
TEST(ResampleBitmap, NothingAndCopyCases) {
  TBitmap32 dst = Filled(3, 3, 0x11111111);
  ResampleBitmap(Filled(1, 5, 0xFFFFFFFF), dst, 4, fkMitchell, 4);
  ResampleBitmap(Filled(5, 1, 0xFFFFFFFF), dst, 4, fkMitchell, 4);
  ResampleBitmap(Filled(5, 5, 0xFFFFFFFF), dst, 4, fkMitchell, 0);
  ResampleBitmap(Filled(5, 5, 0xFFFFFFFF), dst, 4, 7, 4);
  EXPECT_EQ(dst.Width(), 3);
  EXPECT_EQ(CountNot(dst, 0x11111111), 0);
  const TBitmap32 src = Numbered(3, 2);
  TGuarded g(3, 2, true, 0);
  ResampleBitmap(src, g.Bmp(), 3, fkMitchell, 2);
  for (int y = 0; y < 2; ++y) EXPECT_EQ(RowOf(g.Bmp(), y), RowOf(src, y));
  EXPECT_TRUE(g.Intact());
}

// A destination view of the right size is written in place; on a uniform picture each output is
// the level times its weight sum (which rounding leaves at 65536 ± 1), >> 16.
TEST(ResampleBitmap, IntoViewUniform) {
  TGuarded g(5, 3, true, 0);
  ResampleBitmap(Filled(4, 4, 0xFF808080), g.Bmp(), 5, fkMitchell, 3);
  auto sum = [](int n, int m, int i) {
    int s = 0;
    for (const auto& c : ResampleContributors(fkMitchell, n, m, i)) s += c.Weight;
    return s;
  };
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) {
      const int h = std::min(255, (128 * sum(4, 5, x)) >> 16);
      const int a = std::min(255, (255 * sum(4, 5, x)) >> 16);
      const int v = std::min(255, (h * sum(4, 3, y)) >> 16);
      const int av = std::min(255, (a * sum(4, 3, y)) >> 16);
      EXPECT_EQ(g.Bmp().Pixel(x, y), std::uint32_t(av) << 24 | std::uint32_t(v) * 0x010101u) << x << "," << y;
    }
  EXPECT_TRUE(g.Intact());
}

namespace {

// The two passes written the long way from the contributor lists: each channel the weighted sum
// >> 16, limited to 0 … 255, the row pass first.
TBitmap32 Reference(const TBitmap32& src, int w, int h, int filter) {
  auto limit = [](std::int64_t sum) { return std::uint32_t(std::clamp<std::int64_t>(sum >> 16, 0, 255)); };
  auto pass = [&](auto pixel, int n, int m, int i) {
    std::uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
      std::int64_t sum = 0;
      for (const auto& c : ResampleContributors(filter, n, m, i))
        sum += std::int64_t(pixel(c.Index) >> shift & 0xFF) * c.Weight;
      out |= limit(sum) << shift;
    }
    return out;
  };
  TBitmap32 mid(w, src.Height()), out(w, h);
  for (int y = 0; y < src.Height(); ++y)
    for (int x = 0; x < w; ++x) mid.Pixel(x, y) = pass([&](int i) { return src.Pixel(i, y); }, src.Width(), w, x);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) out.Pixel(x, y) = pass([&](int i) { return mid.Pixel(x, i); }, src.Height(), h, y);
  return out;
}

TBitmap32 Noise(int w, int h, unsigned seed) {
  std::mt19937 rng(seed);
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Pixel(x, y) = std::uint32_t(rng());
  return b;
}

}  // namespace

// A piece resampled straight into its place equals the long way, for growing, shrinking and
// mixed sizes, pieces of 1 pixel (read as 2), filters with negative lobes, and a place partly
// outside the destination (cut there, nothing written around it).
TEST(ResamplePiece, MatchesTheLongWay) {
  const TBitmap32 src = Noise(40, 30, 7);
  struct TCase {
    TRect Piece;
    int W, H, Filter;
  };
  for (const TCase& c : {TCase{Bounds(3, 2, 6, 22), 6, 20, fkMitchell}, TCase{Bounds(0, 0, 18, 13), 63, 13, fkMitchell},
                         TCase{Bounds(5, 4, 11, 9), 4, 17, fkLanczos3}, TCase{Bounds(1, 1, 1, 7), 5, 3, fkMitchell},
                         TCase{Bounds(9, 2, 13, 1), 2, 9, fkBSpline}, TCase{Bounds(2, 3, 30, 20), 7, 5, fkTriangle},
                         TCase{Bounds(4, 4, 1, 5), 2, 5, fkMitchell}}) {
    TBitmap32 piece(std::max(2, c.Piece.Width()), std::max(2, c.Piece.Height()));
    for (int y = 0; y < piece.Height(); ++y)
      for (int x = 0; x < piece.Width(); ++x)
        piece.Pixel(x, y) =
            src.Pixel(c.Piece.Left + std::min(x, c.Piece.Width() - 1), c.Piece.Top + std::min(y, c.Piece.Height() - 1));
    // A piece that already has the size (after the doubling) is copied as it is.
    const bool same = piece.Width() == c.W && piece.Height() == c.H;
    const TBitmap32 expected = same ? piece : Reference(piece, c.W, c.H, c.Filter);
    for (const TPoint at : {TPoint{2, 1}, TPoint{-3, -2}, TPoint{c.W - 4, c.H - 5}}) {
      TGuarded g(c.W + 4, c.H + 2, true, 0x12345678);
      ResamplePiece(src, c.Piece, g.Bmp(), Bounds(at.X, at.Y, c.W, c.H), c.Filter);
      for (int y = 0; y < c.H + 2; ++y)
        for (int x = 0; x < c.W + 4; ++x) {
          const bool inside = x >= at.X && x < at.X + c.W && y >= at.Y && y < at.Y + c.H;
          ASSERT_EQ(g.Bmp().Pixel(x, y), inside ? expected.Pixel(x - at.X, y - at.Y) : 0x12345678u)
              << c.W << "x" << c.H << " at " << x << "," << y;
        }
      EXPECT_TRUE(g.Intact());
    }
  }
}
