// The light strip: the per-pixel alpha blend with its exact values, in every step width and cut
// to the destination, and the strip stretched from the picture without its skipped top rows.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "skin/base/sLightStrip.h"

namespace {

// The blend of one pixel as the rule says it.
std::uint32_t Reference(std::uint32_t d, std::uint32_t s) {
  const std::uint32_t a = s >> 24;
  std::uint32_t out = std::max(d >> 24, a) << 24;
  for (int shift = 0; shift < 24; shift += 8) {
    const int dc = int(d >> shift & 255), sc = int(s >> shift & 255);
    out |= std::uint32_t((dc * 256 + (sc - dc) * int(a)) >> 8) << shift;
  }
  return out;
}

TBitmap32 Filled(int w, int h, std::uint32_t v) {
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Pixel(x, y) = v;
  return b;
}

}  // namespace

// Opaque white over black gives 254 and alpha 255; the larger alpha is kept; alpha 0 changes
// nothing.
TEST(LightStrip, ExactBlend) {
  TBitmap32 d = Filled(1, 1, 0x00000000u);
  OverlayWithAlpha(d, Filled(1, 1, 0xFFFFFFFFu), {0, 0});
  EXPECT_EQ(d.Pixel(0, 0), 0xFFFEFEFEu);
  d = Filled(1, 1, 0x80000000u);
  OverlayWithAlpha(d, Filled(1, 1, 0x40FFFFFFu), {0, 0});
  EXPECT_EQ(d.Pixel(0, 0), 0x803F3F3Fu);
  d = Filled(1, 1, 0x20102030u);
  OverlayWithAlpha(d, Filled(1, 1, 0x00FFFFFFu), {0, 0});
  EXPECT_EQ(d.Pixel(0, 0), 0x20102030u);
}

// Every row width (vector steps and the tail) gives the rule's pixels for mixed values.
TEST(LightStrip, RowsOfEveryWidth) {
  for (sblend::TLanes lanes : {sblend::TLanes::Four, sblend::TLanes::Eight})
  for (int n = 1; n <= 19; ++n) {
    std::vector<std::uint32_t> d(static_cast<std::size_t>(n)), s(d), want(d);
    for (int i = 0; i < n; ++i) {
      d[std::size_t(i)] = 0x9F00FF00u + std::uint32_t(i * 0x01030507);
      s[std::size_t(i)] = (std::uint32_t(i * 37 % 256) << 24) | (0x00FF10A0u - std::uint32_t(i * 0x00020301));
      want[std::size_t(i)] = Reference(d[std::size_t(i)], s[std::size_t(i)]);
    }
    OverlayWithAlphaRow(d.data(), s.data(), n, lanes);
    EXPECT_EQ(d, want) << "width " << n << (lanes == sblend::TLanes::Four ? ", four lanes" : ", eight lanes");
  }
}

// A strip reaching outside the destination is cut: only the overlap changes.
TEST(LightStrip, CutToTheDestination) {
  TBitmap32 d = Filled(6, 3, 0xFF000000u);
  OverlayWithAlpha(d, Filled(4, 5, 0xFFFFFFFFu), {-2, 1});
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 6; ++x)
      EXPECT_EQ(d.Pixel(x, y), x < 2 && y >= 1 ? 0xFFFEFEFEu : 0xFF000000u) << x << "," << y;
  OverlayWithAlpha(d, Filled(4, 5, 0xFFFFFFFFu), {6, 0});
  OverlayWithAlpha(d, Filled(4, 5, 0xFFFFFFFFu), {-4, 0});
  EXPECT_EQ(d.Pixel(5, 0), 0xFF000000u);
  EXPECT_EQ(d.Pixel(0, 0), 0xFF000000u);
}

// A gauge lower than the picture leaves out its top trunc((20 − X) / 2) + 1 rows; a taller one
// stretches the whole picture.
TEST(LightStrip, StretchedStrip) {
  TBitmap32 picture = Filled(60, 20, 0x80FFFFFFu);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 60; ++x) picture.Pixel(x, y) = 0xFF0000FFu;
  // Skips 6 rows: nothing of the blue (green 0, alpha 255) reaches the strip. The filter's
  // integer weights may lose one step.
  const TBitmap32 low = MakeLightStrip(picture, 300, 10);
  ASSERT_EQ(low.Width(), 300);
  ASSERT_EQ(low.Height(), 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 300; x += 7) {
      ASSERT_GE(low.Pixel(x, y) >> 8 & 0xFF, 0xFEu) << x << "," << y;
      ASSERT_LE(low.Pixel(x, y) >> 24, 0x80u) << x << "," << y;
    }
  const TBitmap32 tall = MakeLightStrip(picture, 300, 25);
  ASSERT_EQ(tall.Height(), 25);
  EXPECT_LE(tall.Pixel(150, 0) >> 8 & 0xFF, 1u);  // the blue top rows are there
  EXPECT_GE(tall.Pixel(150, 24) >> 8 & 0xFF, 0xFEu);
  EXPECT_TRUE(MakeLightStrip(TBitmap32{}, 300, 10).Empty());
  EXPECT_TRUE(MakeLightStrip(picture, 300, 0).Empty());
}
