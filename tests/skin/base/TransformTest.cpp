#include "skin/base/sTransform.h"

#include <gtest/gtest.h>

#include <random>

#include "PaintTestUtil.h"
#include "skin/base/sColorTransforms.h"

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

// The hue shift that remembers colours gives exactly the pixel-by-pixel shift: 3,000 colours (more
// than it remembers, so colours displace each other and come back), each met with several alpha
// bytes, key pixels among them, for offsets of every kind and with and without a key.
TEST(ShiftPixelsHue, SameAsPixelByPixel) {
  std::mt19937 rng(7);
  std::vector<std::uint32_t> colours(3000);
  for (std::uint32_t& c : colours) c = rng() & 0x00FFFFFFu;
  TBitmap32 source(64, 96);
  for (int y = 0; y < source.Height(); ++y)
    for (int x = 0; x < source.Width(); ++x)
      source.Pixel(x, y) = rng() % 16 == 0 ? scolor::KeyPixel : (colours[rng() % colours.size()] | (rng() & 0xFF000000u));
  const struct {
    std::int32_t offset;
    TColor key;
  } cases[] = {{196, clFuchsia}, {1, clFuchsia}, {60, clFuchsia}, {359, clFuchsia}, {400, clFuchsia},
               {-30, clFuchsia}, {-200, clFuchsia}, {120, clNone}};
  for (const auto& c : cases) {
    TBitmap32 fast = source, slow = source;
    ShiftPixelsHue(fast, c.offset, c.key);
    TransformPixels(slow, HueTransform, c.offset, c.key);
    for (int y = 0; y < source.Height(); ++y) ASSERT_EQ(RowOf(fast, y), RowOf(slow, y)) << c.offset << " row " << y;
  }
}
