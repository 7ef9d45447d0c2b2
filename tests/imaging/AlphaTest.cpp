#include <gtest/gtest.h>

#include "TestImages.h"
#include "imaging/Alpha.h"

namespace {

// c × a / 255 rounded down on B, G, R; alpha kept; a = 255 untouched; a = 0 cleared.
TEST(Alpha, PremultipliesRoundingDown) {
  TBitmap32 b(6, 1);
  b.Pixel(0, 0) = Bgra(200, 100, 50, 128);  // 100.39, 50.19, 25.09
  b.Pixel(1, 0) = Bgra(255, 254, 1, 1);     // 1, 0.996, 0.004
  b.Pixel(2, 0) = Bgra(12, 34, 56, 255);
  b.Pixel(3, 0) = Bgra(12, 34, 56, 0);
  b.Pixel(4, 0) = Bgra(255, 255, 255, 254); // 254
  b.Pixel(5, 0) = Bgra(128, 64, 3, 170);    // 85.33, 42.67, 2
  PremultiplyAlpha(b);
  EXPECT_EQ(Hex(b.Pixel(0, 0)), Hex(Bgra(100, 50, 25, 128)));
  EXPECT_EQ(Hex(b.Pixel(1, 0)), Hex(Bgra(1, 0, 0, 1)));
  EXPECT_EQ(Hex(b.Pixel(2, 0)), Hex(Bgra(12, 34, 56, 255)));
  EXPECT_EQ(Hex(b.Pixel(3, 0)), Hex(0u));
  EXPECT_EQ(Hex(b.Pixel(4, 0)), Hex(Bgra(254, 254, 254, 254)));
  EXPECT_EQ(Hex(b.Pixel(5, 0)), Hex(Bgra(85, 42, 2, 170)));
}

// Works through a view with a negative stride, touching only the viewed pixels.
TEST(Alpha, PremultipliesView) {
  TBitmap32 owner(2, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 2; ++x) owner.Pixel(x, y) = Bgra(255, 255, 255, 51);
  TBitmap32 view = TBitmap32::View(owner.Row(1), -owner.Stride(), 2, 2);  // rows 1 and 0
  PremultiplyAlpha(view);
  EXPECT_EQ(Hex(owner.Pixel(0, 0)), Hex(Bgra(51, 51, 51, 51)));
  EXPECT_EQ(Hex(owner.Pixel(1, 1)), Hex(Bgra(51, 51, 51, 51)));
  EXPECT_EQ(Hex(owner.Pixel(0, 2)), Hex(Bgra(255, 255, 255, 51)));
}

}  // namespace
