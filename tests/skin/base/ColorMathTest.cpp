#include "skin/base/sColorMath.h"

#include <gtest/gtest.h>

using namespace scolor;

// The helpers are usable at compile time with the exact results below.
static_assert(SwapRB(0x11223344u) == 0x11443322u);
static_assert(Blend256(200, 100, 128) == 150);
static_assert(Round(2.5) == 2 && Round(3.5) == 4);
static_assert(InterpolateColor(0x0000FF, 0xFF0000, 0.5L) == 0x7F007F);

// Swap-RB exchanges bytes 0 and 2 only; fuchsia is its own image.
TEST(ColorMath, SwapRB) {
  EXPECT_EQ(SwapRB(0xAABBCCDDu), 0xAADDCCBBu);
  EXPECT_EQ(SwapRB(0x00FF00FFu), 0x00FF00FFu);
  EXPECT_EQ(SwapRB(SwapRB(0x12345678u)), 0x12345678u);
}

// The /256 blend: weight 0 gives the second value, 255 leaves the first almost unchanged.
TEST(ColorMath, Blend256) {
  EXPECT_EQ(Blend256(200, 100, 0), 100);
  EXPECT_EQ(Blend256(200, 100, 255), 199);
  EXPECT_EQ(Blend256(16, 200, 128), 108);
  EXPECT_EQ(Blend256(0, 255, 0), 255);
  EXPECT_EQ(Blend256(255, 0, 255), 254);
}

// Round goes half to even in both directions; Trunc goes toward zero.
TEST(ColorMath, RoundAndTrunc) {
  EXPECT_EQ(Round(0.5), 0);
  EXPECT_EQ(Round(1.5), 2);
  EXPECT_EQ(Round(2.5), 2);
  EXPECT_EQ(Round(2.5001), 3);
  EXPECT_EQ(Round(2.4999), 2);
  EXPECT_EQ(Round(-0.5), 0);
  EXPECT_EQ(Round(-1.5), -2);
  EXPECT_EQ(Round(-2.5), -2);
  EXPECT_EQ(Round(-2.6), -3);
  EXPECT_EQ(Trunc(1.99), 1);
  EXPECT_EQ(Trunc(-1.99), -1);
}

// InterpolateColor truncates each channel and keeps c1's top byte.
TEST(ColorMath, InterpolateColor) {
  EXPECT_EQ(InterpolateColor(0x0000FF, 0xFF0000, 0.5L), 0x7F007Fu);
  EXPECT_EQ(InterpolateColor(0xAA102030, 0x00FFFFFF, 1.0L), 0xAA102030u);
  EXPECT_EQ(InterpolateColor(0x00102030, 0xAAFFFFFF, 0.0L), 0x00FFFFFFu);
  // 0.3·10 + 0.7·0 = 3 exactly in extended precision when k is computed as percent / 100.0L.
  EXPECT_EQ(InterpolateColor(0x00000A, 0x000000, 30 / 100.0L), 0x000003u);
  // k outside 0 … 1 stays within the channel.
  EXPECT_EQ(InterpolateColor(0x0000FF, 0x000000, 2.0L), 0x0000FFu);
}

// ToneColor scales each byte of the tone by the largest channel and keeps alpha.
TEST(ColorMath, ToneColor) {
  EXPECT_EQ(ToneColor(0x80204060u, 0x00FF8000u), 0x805F3000u);
  EXPECT_EQ(ToneColor(0x12000000u, 0x00FFFFFFu), 0x12000000u);
  EXPECT_EQ(ToneColor(0x00FFFFFFu, 0x00FFFFFFu), 0x00FEFEFEu);  // (255·255) >> 8
}

// Grey is the truncated mean of the three channels, alpha kept.
TEST(ColorMath, GrayPixel) {
  EXPECT_EQ(GrayPixel(0x12030405u), 0x12040404u);
  EXPECT_EQ(GrayPixel(0xFF010100u), 0xFF000000u);
  EXPECT_EQ(GrayPixel(0x00FFFFFFu), 0x00FFFFFFu);
}

// The disabled look's constants.
TEST(ColorMath, DisabledLookConstants) {
  EXPECT_EQ(DefDisabledSaturation, -90);
  EXPECT_DOUBLE_EQ(DefDisabledBlend, 0.4);
}
