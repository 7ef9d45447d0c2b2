#include "imaging/Bitmap32.h"

#include <gtest/gtest.h>

// An owning bitmap starts zeroed and top-down; a view with a negative stride reaches the same
// pixels as the bottom-up memory it describes.
TEST(Bitmap32, OwnedAndBottomUpView) {
  TBitmap32 b(3, 2);
  EXPECT_EQ(b.Stride(), 12);
  EXPECT_EQ(b.Pixel(2, 1), 0u);
  std::uint32_t mem[6] = {1, 2, 3, 4, 5, 6};  // stored bottom-up: row 1 first
  TBitmap32 v = TBitmap32::View(mem + 3, -12, 3, 2);
  EXPECT_EQ(v.Pixel(0, 0), 4u);
  EXPECT_EQ(v.Pixel(2, 1), 3u);
  TBitmap32 copy = v;  // a copy owns its pixels, top-down
  EXPECT_TRUE(copy.OwnsPixels());
  EXPECT_EQ(copy.Stride(), 12);
  EXPECT_EQ(copy.Pixel(2, 1), 3u);
}

// Empty sizes give no rows; absurd sizes are refused before any allocation.
TEST(Bitmap32, EmptyAndOversized) {
  EXPECT_TRUE(TBitmap32(0, 5).Empty());
  EXPECT_TRUE(TBitmap32(5, -1).Empty());
  EXPECT_THROW(TBitmap32(1 << 16, 1 << 16), std::length_error);
}
