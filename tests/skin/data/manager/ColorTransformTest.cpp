// The colour transforms of recolouring: hue shift with its rounded sector index, saturation with
// truncating division, brightness, and their use through TransformPixels.
#include <gtest/gtest.h>

#include "skin/base/sColorMath.h"
#include "skin/base/sColorTransforms.h"
#include "skin/base/sTransform.h"

using scolor::MakePixel;

namespace {
constexpr std::uint32_t kPureRed = 0x00FF0000u;  // as a pixel (R in byte 2)
}

// Grey, black and white pixels keep their value for any offset, alpha included.
TEST(ChangePixelHue, GreyIsUnchangedForAnyOffset) {
  for (int offset : {-400, -196, -1, 1, 60, 120, 196, 359, 360, 721})
    for (std::uint32_t p : {0x00000000u, 0xFFFFFFFFu, 0x80808080u, 0x12646464u, 0x00010101u})
      EXPECT_EQ(ChangePixelHue(offset, p), p) << offset << " " << std::hex << p;
}

// Pure red by 120 is pure green: H2 = 120, sector 2, f = 0.
TEST(ChangePixelHue, RedBy120IsGreen) { EXPECT_EQ(ChangePixelHue(120, kPureRed), MakePixel(0, 255, 0, 0)); }

// By 30 the sector index 0.5 rounds to the even 0 and f = 0.5; 127.5 rounds to even 128.
TEST(ChangePixelHue, RedBy30RoundsHalvesToEven) { EXPECT_EQ(ChangePixelHue(30, kPureRed), MakePixel(255, 128, 0, 0)); }

// By 50 the sector index rounds up to 1 with a negative fraction: q = 255 × 1.167 is limited to 255.
TEST(ChangePixelHue, RedBy50LimitsTheLightenedChannel) {
  EXPECT_EQ(ChangePixelHue(50, kPureRed), MakePixel(255, 255, 0, 0));
}

// The setup window's offset: H2 = 196, sector 3, f = 0.2667: (p, q, V) = (0, 187, 255).
TEST(ChangePixelHue, RedBy196) { EXPECT_EQ(ChangePixelHue(196, 0xFFFF0000u), 0xFF00BBFFu); }

// A negative sum keeps its sign: −120 gives H2 = −120, sector −2, the last case (V, p, q) with
// f = 0: magenta, not the textbook blue.
TEST(ChangePixelHue, NegativeSumFallsIntoTheLastCase) {
  EXPECT_EQ(ChangePixelHue(-120, kPureRed), MakePixel(255, 0, 255, 0));
  // −30: sector −0.5 rounds to the even 0; t = 255 × (1 − 1.5) is limited to 0.
  EXPECT_EQ(ChangePixelHue(-30, kPureRed), MakePixel(255, 0, 0, 0));
}

// The hue of green and blue pixels is found with the G and B formulas; alpha is kept.
TEST(ChangePixelHue, GreenAndBlueSourcesKeepAlpha) {
  EXPECT_EQ(ChangePixelHue(120, MakePixel(0, 255, 0, 0x7F)), MakePixel(0, 0, 255, 0x7F));
  EXPECT_EQ(ChangePixelHue(120, MakePixel(0, 0, 255, 0xFF)), MakePixel(255, 0, 0, 0xFF));
  // 360 is a whole turn.
  EXPECT_EQ(ChangePixelHue(360, MakePixel(0, 0, 255, 0xFF)), MakePixel(0, 0, 255, 0xFF));
}

// The colour-value form swaps red and blue around the pixel form; offset 0 is the identity.
TEST(ChangeColorHue, SwapsAroundThePixelForm) {
  EXPECT_EQ(ChangeColorHue(120, 0x0000FFu), 0x00FF00u);  // red → green as colour values
  EXPECT_EQ(ChangeColorHue(30, 0x0000FFu), 0x0080FFu);
  EXPECT_EQ(ChangeColorHue(0, 0x123456u), 0x123456u);
  EXPECT_EQ(ChangeColorHue(0, 0x0028FFu), 0x0028FFu);  // no rounding at offset 0
}

// (200, 100, 0) by 255: mean 100, channels 300 → 255, 100, −100 → 0.
TEST(ChangeColorSaturation, FullAmountLimitsChannels) {
  EXPECT_EQ(ChangeColorSaturation(255, 0x00C86400u), 0x00FF6400u);
  EXPECT_EQ(ChangeColorSaturation(255, 0x000064C8u), 0x000064FFu);  // the same as a colour value
}

// Negative amounts pull toward the mean; the division truncates toward zero; alpha is kept.
TEST(ChangeColorSaturation, NegativeAmountAndTruncation) {
  // mean 100: 200 − (−255 × −100) / 255 = 100; 0 − (−255 × 100) / 255 = 100.
  EXPECT_EQ(ChangeColorSaturation(-255, 0xAAC86400u), 0xAA646464u);
  // mean 33 of (100, 0, 0): 100 − (10 × −67) / 255 = 100 + 2 (670 / 255 = 2.6 truncated).
  EXPECT_EQ(ChangeColorSaturation(10, MakePixel(100, 0, 0, 0)), MakePixel(102, 0, 0, 0));
  EXPECT_EQ(ChangeColorSaturation(0, 0x12345678u), 0x12345678u);
}

// Saturation percent to amount: Round(percent × 2.55) limited to ±255.
TEST(SaturationAmount, ScalesBy255Hundredths) {
  EXPECT_EQ(SaturationAmount(100), 255);
  EXPECT_EQ(SaturationAmount(40), 102);
  EXPECT_EQ(SaturationAmount(-100), -255);
  EXPECT_EQ(SaturationAmount(200), 255);
  EXPECT_EQ(SaturationAmount(-500), -255);
  EXPECT_EQ(SaturationAmount(0), 0);
}

// Brightness adds to each channel with limits; alpha is never touched.
TEST(ChangeColorBrightness, AddsWithLimits) {
  EXPECT_EQ(ChangeColorBrightness(MakePixel(10, 250, 128, 0x40), 20), MakePixel(30, 255, 148, 0x40));
  EXPECT_EQ(ChangeColorBrightness(MakePixel(10, 250, 128, 0x40), -20), MakePixel(0, 230, 108, 0x40));
  EXPECT_EQ(ChangeColorBrightness(0xFFFFFFFFu, 100), 0xFFFFFFFFu);
  EXPECT_EQ(ChangeColorBrightness(0x12345678u, 0), 0x12345678u);
}

// The transforms plug into TransformPixels, and key pixels stay as they are.
TEST(ColorTransforms, ThroughTransformPixelsSkipKey) {
  TBitmap32 b(2, 1);
  b.Pixel(0, 0) = 0xFFFF0000u;
  b.Pixel(1, 0) = scolor::KeyPixel;
  TransformPixels(b, HueTransform, 120, clFuchsia);
  EXPECT_EQ(b.Pixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(b.Pixel(1, 0), scolor::KeyPixel);
  TransformPixels(b, BrightnessTransform, -16, clFuchsia);
  EXPECT_EQ(b.Pixel(0, 0), 0xFF00EF00u);
  TransformPixels(b, SaturationTransform, -255, clFuchsia);
  EXPECT_EQ(b.Pixel(0, 0), 0xFF4F4F4Fu);  // mean 79
  EXPECT_EQ(b.Pixel(1, 0), scolor::KeyPixel);
}
