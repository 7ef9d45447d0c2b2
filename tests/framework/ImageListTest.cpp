// The image list: pictures cut into equal images, indexes out of range, and the alpha blend that
// draws them (exact for opaque and transparent pixels, clipped to the target).
#include <gtest/gtest.h>

#include "framework/ImageList.h"

namespace {
TBitmap32 Solid(int w, int h, std::uint32_t v) {
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Pixel(x, y) = v;
  return b;
}
}  // namespace

// A strip of three adds three images; a picture of another height or too narrow adds none.
TEST(ImageList, AddCutsPictures) {
  TImageList list(2, 2);
  TBitmap32 strip(7, 2);
  for (int x = 0; x < 7; ++x) strip.Pixel(x, 1) = std::uint32_t(x);
  EXPECT_EQ(list.Add(strip), 0);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Image(2).Pixel(1, 1), 5u);
  EXPECT_EQ(list.Add(TBitmap32(2, 3)), -1);
  EXPECT_EQ(list.Add(TBitmap32(1, 2)), -1);
  EXPECT_EQ(list.Add(TBitmap32(2, 2)), 3);
  list.Delete(0);
  list.Delete(9);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Image(1).Pixel(1, 1), 5u);
  EXPECT_TRUE(list.Image(-1).Empty());
  EXPECT_TRUE(list.Image(3).Empty());
  EXPECT_EQ(TImageList(0, 5).Add(TBitmap32(4, 5)), -1);
}

// Opaque copies exactly, transparent leaves the target, half alpha blends; target alpha stays.
TEST(ImageList, DrawBlendsThroughAlpha) {
  TImageList list(3, 1);
  TBitmap32 p(3, 1);
  p.Pixel(0, 0) = 0xFF102030u;
  p.Pixel(1, 0) = 0x00FFFFFFu;
  p.Pixel(2, 0) = 0x80FF0000u;
  list.Add(p);
  TBitmap32 dst = Solid(3, 1, 0x11000080u);
  list.Draw(dst, 0, 0, 0);
  EXPECT_EQ(dst.Pixel(0, 0), 0x11102030u);
  EXPECT_EQ(dst.Pixel(1, 0), 0x11000080u);
  // w = 128 + 1: red 0 + (255·129 >> 8) = 128, blue 128 + ((0 − 128)·129 >> 8) = 63.
  EXPECT_EQ(dst.Pixel(2, 0), 0x1180003Fu);
  list.Draw(dst, 0, 0, 5);  // out of range: nothing
  EXPECT_EQ(dst.Pixel(1, 0), 0x11000080u);
}

// Parts outside the target are skipped on every side; the source rectangle is clipped to src.
TEST(ImageList, BlendIsClipped) {
  const TBitmap32 src = Solid(4, 4, 0xFFABCDEFu);
  TBitmap32 dst(3, 3);
  BlendThroughAlpha(dst, {-2, -3}, src, {0, 0, 4, 4});
  EXPECT_EQ(dst.Pixel(1, 0), 0xABCDEFu);
  EXPECT_EQ(dst.Pixel(2, 0), 0u);
  EXPECT_EQ(dst.Pixel(0, 1), 0u);
  TBitmap32 d2(3, 3);
  BlendThroughAlpha(d2, {-3, -3}, src, {-5, -5, 9, 9});  // src (0, 0) lands at (2, 2)
  EXPECT_EQ(d2.Pixel(2, 2), 0xABCDEFu);
  EXPECT_EQ(d2.Pixel(1, 2), 0u);
  BlendThroughAlpha(d2, {5, 0}, src, {0, 0, 4, 4});
  BlendThroughAlpha(d2, {0, 0}, src, {3, 3, 2, 2});
  EXPECT_EQ(d2.Pixel(0, 0), 0u);
}
