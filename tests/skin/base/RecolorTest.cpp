#include "skin/base/sRecolor.h"

#include <gtest/gtest.h>

namespace {

enum class TForm { Pixels, Color };
using enum TsSaturationScale;

// One recolouring and its result. The results are the values the five recolouring places of the
// skin produced with their own code before they shared RecolorPixels and RecolorColor: pictures
// in the percentage scale (push button, glow) and the limited amount (skin item); colours in the
// percentage scale with a tone (adjusted colour) and the plain amount without one (the colours a
// control follows from its section).
struct TCase {
  TForm Form;
  TsSaturationScale Scale;
  TColor Tone;
  int Hue, Saturation;
  std::uint32_t In, Out;
};

constexpr TColor kTone = 0x00FF8000, kTone2 = 0x00204080;

constexpr TCase kCases[] = {
    // Nothing set: a zero hue offset is not applied (the pixel form would move this pixel).
    {TForm::Pixels, scPercent, clNone, 0, 0, 0x800028FFu, 0x800028FFu},
    {TForm::Pixels, scPercent, kTone, 0, 0, 0x80C86432u, 0x80C76400u},
    {TForm::Pixels, scPercent, clNone, 30, 0, 0x80C86432u, 0x80E1C832u},
    // The three scales part: 40 is 102 as a percentage; −120 is −255; 300 is limited.
    {TForm::Pixels, scPercent, clNone, 0, 40, 0x80C86432u, 0x80E95E18u},
    {TForm::Pixels, scLimitedAmount, clNone, 0, 40, 0x80C86432u, 0x80D56228u},
    {TForm::Pixels, scPercent, clNone, 0, -120, 0x80C86432u, 0x80747474u},
    {TForm::Pixels, scLimitedAmount, clNone, 0, -120, 0x80C86432u, 0x80A16B51u},
    {TForm::Pixels, scPercent, clNone, 0, 300, 0x80C86432u, 0x80FF5400u},
    {TForm::Pixels, scLimitedAmount, clNone, 0, 300, 0x80C86432u, 0x80FF5400u},
    // All three steps, in the order tone, hue, saturation.
    {TForm::Pixels, scPercent, kTone, 196, 40, 0x80C86432u, 0x800000FCu},
    {TForm::Pixels, scLimitedAmount, kTone, 196, 40, 0x80C86432u, 0x800000DBu},
    {TForm::Pixels, scPercent, kTone2, 120, -60, 0xFF3A7BD5u, 0xFF603F6Au},
    {TForm::Pixels, scLimitedAmount, kTone2, 120, -60, 0xFF3A7BD5u, 0xFF66287Bu},
    // Opaque magenta is no key pixel.
    {TForm::Pixels, scPercent, clNone, 60, 100, 0xFFFF00FFu, 0xFFFF0000u},
    {TForm::Color, scPercent, kTone, 0, 0, 0xC86432u, 0xC76400u},
    {TForm::Color, scPercent, clNone, 30, 0, 0xC86432u, 0xC8324Bu},
    {TForm::Color, scPercent, clNone, 0, 40, 0xC86432u, 0xE95E18u},
    {TForm::Color, scAmount, clNone, 0, 40, 0xC86432u, 0xD56228u},
    {TForm::Color, scPercent, clNone, 0, -120, 0xC86432u, 0x747474u},
    {TForm::Color, scAmount, clNone, 0, -120, 0xC86432u, 0xA16B51u},
    {TForm::Color, scPercent, clNone, 0, 300, 0xC86432u, 0xFF5400u},
    {TForm::Color, scAmount, clNone, 0, 300, 0xC86432u, 0xFF5200u},
    {TForm::Color, scPercent, kTone, 196, 40, 0xC86432u, 0x00DBFFu},
    {TForm::Color, scAmount, clNone, 196, 40, 0xC86432u, 0x22CFDAu},
    {TForm::Color, scPercent, kTone2, 120, -60, 0x3A7BD5u, 0x394F2Fu},
    {TForm::Color, scAmount, clNone, 120, -60, 0x3A7BD5u, 0x7CC24Bu},
};

}  // namespace

// Each scale and form gives exactly the values its callers had; key pixels stay as they are.
TEST(Recolor, EachScaleKeepsItsCallersValues) {
  for (const TCase& c : kCases) {
    const TsRecolor r{c.Tone, c.Hue, c.Saturation, c.Scale};
    if (c.Form == TForm::Color) {
      EXPECT_EQ(RecolorColor(c.In, r), c.Out) << std::hex << c.In << " hue " << std::dec << c.Hue << " sat " << c.Saturation;
      continue;
    }
    TBitmap32 b(2, 1);
    b.Pixel(0, 0) = c.In;
    b.Pixel(1, 0) = 0x00FF00FFu;
    RecolorPixels(b, r);
    EXPECT_EQ(b.Pixel(0, 0), c.Out) << std::hex << c.In << " hue " << std::dec << c.Hue << " sat " << c.Saturation;
    EXPECT_EQ(b.Pixel(1, 0), 0x00FF00FFu);
  }
}
