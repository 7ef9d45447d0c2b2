#include "skin/base/sTransform.h"

#include <gtest/gtest.h>

#include "PaintTestUtil.h"

using namespace painttest;
using V = std::vector<std::uint32_t>;

namespace {
// A test transform: XOR with the parameter.
std::uint32_t XorTransform(std::uint32_t p, std::int32_t parameter) { return p ^ std::uint32_t(parameter); }
}  // namespace

// The colour tone through TransformPixels: every pixel but the key is toned.
TEST(TransformPixels, ToneSkipsKey) {
  TBitmap32 b(3, 1);
  b.Pixel(0, 0) = 0x80204060;
  b.Pixel(1, 0) = 0x00FF00FF;
  b.Pixel(2, 0) = 0x00FFFFFF;
  TransformPixels(b, ToneTransform, 0x00FF8000, clFuchsia);
  EXPECT_EQ(RowOf(b, 0), (V{0x805F3000, 0x00FF00FF, 0x00FE7F00}));
}

// Make-opaque with key clNone sets alpha 255 on every pixel, key-coloured ones too.
TEST(TransformPixels, MakeOpaqueAll) {
  TBitmap32 b(2, 2);
  b.Pixel(0, 0) = 0x00FF00FF;
  b.Pixel(1, 1) = 0x12345678;
  TransformPixels(b, MakeOpaqueTransform, 0, clNone);
  EXPECT_EQ(RowOf(b, 0), (V{0xFFFF00FF, 0xFF000000}));
  EXPECT_EQ(RowOf(b, 1), (V{0xFF000000, 0xFF345678}));
}

// The key is a colour value compared with the swap-RB'd pixel; the parameter reaches the
// transform; a bottom-up bitmap is walked inside its bounds.
TEST(TransformPixels, KeyByteOrderAndParameter) {
  TGuarded g(2, 2, true, 0x000000FF);
  g.Bmp().Pixel(0, 0) = 0x00FF0000;  // red as a pixel = colour 0x0000FF
  TransformPixels(g.Bmp(), XorTransform, 0x00FFFFFF, 0x0000FF);
  EXPECT_EQ(RowOf(g.Bmp(), 0), (V{0x00FF0000, 0x00FFFF00}));
  EXPECT_EQ(RowOf(g.Bmp(), 1), (V{0x00FFFF00, 0x00FFFF00}));
  TransformPixelsWith(g.Bmp(), [](std::uint32_t p) { return p | 0x01000000u; }, clNone);
  EXPECT_EQ(g.Bmp().Pixel(0, 0), 0x01FF0000u);
  EXPECT_TRUE(g.Intact());
  TBitmap32 none;
  TransformPixels(none, XorTransform, 1, clNone);
}

// Grey-scale: the truncated mean in all three channels, alpha kept.
TEST(ToGrayscale, MeanOfChannels) {
  TBitmap32 b(2, 1);
  b.Pixel(0, 0) = 0x12030405;
  b.Pixel(1, 0) = 0xFFFF0000;
  ToGrayscale(b);
  EXPECT_EQ(RowOf(b, 0), (V{0x12040404, 0xFF555555}));
}

// The quarter turns: true sends (x, y) to (H − 1 − y, x), false to (y, W − 1 − x); free releases.
TEST(RotateBitmap90, BothDirections) {
  TBitmap32 b(3, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 3; ++x) b.Pixel(x, y) = std::uint32_t(10 * y + x);
  const TBitmap32 t = RotateBitmap90(b, true, false);
  ASSERT_EQ(t.Width(), 2);
  ASSERT_EQ(t.Height(), 3);
  EXPECT_EQ(RowOf(t, 0), (V{10, 0}));
  EXPECT_EQ(RowOf(t, 1), (V{11, 1}));
  EXPECT_EQ(RowOf(t, 2), (V{12, 2}));
  const TBitmap32 f = RotateBitmap90(b, false, true);
  EXPECT_EQ(RowOf(f, 0), (V{2, 12}));
  EXPECT_EQ(RowOf(f, 2), (V{0, 10}));
  EXPECT_TRUE(b.Empty());
  TBitmap32 none;
  EXPECT_TRUE(RotateBitmap90(none, true, false).Empty());
}
