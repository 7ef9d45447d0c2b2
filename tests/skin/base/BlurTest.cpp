#include "skin/base/sBlur.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "skin/base/sColorMath.h"

namespace {

TBitmap8 Row(std::initializer_list<int> v) {
  TBitmap8 b(int(v.size()), 1);
  int x = 0;
  for (int s : v) b.Row(0)[x++] = std::uint8_t(s);
  return b;
}
std::vector<int> Values(const TBitmap8& b, int y) { return std::vector<int>(b.Row(y), b.Row(y) + b.Width()); }

// The blur exactly as its rule reads, with float weights and double sums, for comparison.
void Reference(TBitmap8& b, double r) {
  float w[33];
  double sum = 0;
  for (int k = -16; k <= 16; ++k) {
    w[k + 16] = float(scolor::Round(std::exp(-((k / r) * (k / r)) / 2)));
    sum += w[k + 16];
  }
  for (float& v : w) v = float(v / sum);
  double tail = 0;
  int j = 16;
  while (tail < 1.0 / 510 && j > 1) tail += 2.0 * w[16 + j--];
  double s2 = 0;
  for (int t = -j; t <= j; ++t) s2 += w[t + 16];
  for (float& v : w) v = float(v / s2);
  auto line = [&](auto get, auto set, int n) {
    std::vector<std::uint8_t> tmp(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) {
      double acc = 0;
      for (int t = -j; t <= j; ++t) acc += double(w[t + 16]) * get(std::clamp(i - t, 0, n - 1));
      tmp[std::size_t(i)] = acc < 0 ? 0 : acc >= 255 ? 255 : std::uint8_t(acc);
    }
    for (int i = 0; i < n; ++i) set(i, tmp[std::size_t(i)]);
  };
  for (int y = 0; y < b.Height(); ++y)
    line([&](int i) { return b.Row(y)[i]; }, [&](int i, std::uint8_t v) { b.Row(y)[i] = v; }, b.Width());
  for (int x = 0; x < b.Width(); ++x)
    line([&](int i) { return b.Row(i)[x]; }, [&](int i, std::uint8_t v) { b.Row(i)[x] = v; }, b.Height());
}

}  // namespace

// The working radius the kernel rule gives: weights are 0 or 1, the outermost ones are dropped.
TEST(SmoothBitmap8, KernelReach) {
  EXPECT_EQ(SmoothKernelReach(0.5), 0);
  EXPECT_EQ(SmoothKernelReach(1), 1);
  EXPECT_EQ(SmoothKernelReach(2), 1);
  EXPECT_EQ(SmoothKernelReach(3), 2);
  EXPECT_EQ(SmoothKernelReach(5), 4);
  EXPECT_EQ(SmoothKernelReach(16), 15);
  EXPECT_EQ(SmoothKernelReach(0), -1);
  EXPECT_EQ(SmoothKernelReach(-2), -1);
}

// Exact values: a 3-tap box along the row, ends repeating the end sample.
TEST(SmoothBitmap8, ExactRow) {
  TBitmap8 a = Row({0, 0, 255, 0, 0});
  SmoothBitmap8(a, 1);
  EXPECT_EQ(Values(a, 0), (std::vector<int>{0, 85, 85, 85, 0}));
  TBitmap8 b = Row({255, 0, 0, 0});
  SmoothBitmap8(b, 1);
  EXPECT_EQ(Values(b, 0), (std::vector<int>{170, 85, 0, 0}));
}

// An all-white mask stays white and a flat grey stays flat at every radius.
TEST(SmoothBitmap8, FlatAreasKeepTheirLevel) {
  for (int r = 1; r <= 24; ++r)
    for (int level : {255, 128, 1}) {
      TBitmap8 b(40, 9);
      for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 40; ++x) b.Row(y)[x] = std::uint8_t(level);
      SmoothBitmap8(b, r);
      for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(b.Row(y)[x], level) << "r " << r;
    }
}

// On random masks the result equals the rule's float-weight arithmetic wherever that keeps flat
// areas exact (radii up to 12).
TEST(SmoothBitmap8, MatchesReferenceArithmetic) {
  std::mt19937 rng(5);
  for (double r : {0.5, 1.0, 2.0, 3.0, 5.0, 8.0, 12.0}) {
    TBitmap8 a(37, 11);
    for (int y = 0; y < 11; ++y)
      for (int x = 0; x < 37; ++x) a.Row(y)[x] = std::uint8_t(rng() % 256);
    TBitmap8 b = a;
    SmoothBitmap8(a, r);
    Reference(b, r);
    for (int y = 0; y < 11; ++y) ASSERT_EQ(Values(a, y), Values(b, y)) << "r " << r << " row " << y;
  }
}

// A bottom-up view is blurred in place through its negative stride, nothing around it touched;
// r ≤ 0 and empty bitmaps are left alone.
TEST(SmoothBitmap8, BottomUpViewAndNothingCases) {
  std::vector<std::uint8_t> mem(8 * 5, 0xAB);
  // 3 × 3 view in the middle of an 8-byte-stride buffer, bottom row first.
  TBitmap8 v = TBitmap8::View(&mem[3 * 8 + 2], -8, 3, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3; ++x) v.Row(y)[x] = std::uint8_t(y == 1 && x == 1 ? 90 : 0);
  SmoothBitmap8(v, 1);
  // Rows: 90 spreads to 30 over the middle row; columns: 30 spreads to 10 over all three rows.
  for (int y = 0; y < 3; ++y) EXPECT_EQ(Values(v, y), (std::vector<int>{10, 10, 10}));
  for (std::size_t i = 0; i < mem.size(); ++i) {
    const int y = int(i / 8), x = int(i % 8);
    if (!(y >= 1 && y <= 3 && x >= 2 && x <= 4)) {
      ASSERT_EQ(mem[i], 0xAB) << i;
    }
  }
  TBitmap8 c = Row({0, 255, 0});
  SmoothBitmap8(c, 0);
  SmoothBitmap8(c, std::nan(""));
  EXPECT_EQ(Values(c, 0), (std::vector<int>{0, 255, 0}));
  TBitmap8 none;
  SmoothBitmap8(none, 3);
}
