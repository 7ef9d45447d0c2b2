#include <gtest/gtest.h>

#include "imaging/ImageError.h"

namespace {

// The shared size rule: positive sides, at most 16384 each, at most 64 M pixels in all.
TEST(ImageLimits, AcceptsOnlySensibleSizes) {
  EXPECT_TRUE(ImageSizeAcceptable(1, 1));
  EXPECT_TRUE(ImageSizeAcceptable(16384, 4096));
  EXPECT_TRUE(ImageSizeAcceptable(8192, 8192));
  EXPECT_FALSE(ImageSizeAcceptable(8193, 8192));
  EXPECT_FALSE(ImageSizeAcceptable(16384, 4097));
  EXPECT_FALSE(ImageSizeAcceptable(16385, 1));
  EXPECT_FALSE(ImageSizeAcceptable(1, 16385));
  EXPECT_FALSE(ImageSizeAcceptable(0, 5));
  EXPECT_FALSE(ImageSizeAcceptable(5, -1));
  EXPECT_FALSE(ImageSizeAcceptable(INT64_MIN, INT64_MIN));
}

}  // namespace
