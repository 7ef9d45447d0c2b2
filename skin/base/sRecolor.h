// A control's own recolouring: its colour tone, hue offset and saturation applied to its picture
// or to one of its colours, in that order, each step skipped when it is not set.
//
// The saturation setting reaches the saturation change in one of three scales, each kept by the
// callers that use it: a push button's cache, a glow and a control's adjusted font and glow
// colours read it as a percentage; the painted skin item takes it as the amount, limited; the
// colours a control follows from its section take it as the amount as it stands.
#pragma once
#include <cstdint>

#include "framework/Types.h"
#include "imaging/Bitmap32.h"

// How a saturation setting becomes the amount of ChangeColorSaturation.
enum class TsSaturationScale {
  scPercent,        // a percentage: SaturationAmount (Round(× 2.55) limited to −255 … 255)
  scLimitedAmount,  // the amount itself, limited to −255 … 255
  scAmount,         // the amount itself, as it stands
};

struct TsRecolor {
  // In the byte order of what it is applied to (pixel or colour value); clNone: no tone.
  TColor Tone = clNone;
  std::int32_t HueOffset = 0;   // degrees; 0: no hue shift
  std::int32_t Saturation = 0;  // 0: no saturation change
  TsSaturationScale Scale = TsSaturationScale::scPercent;
};

// The amount of ChangeColorSaturation for a saturation setting.
std::int32_t SaturationAmountIn(TsSaturationScale scale, std::int32_t saturation);

// Recolours every pixel of bmp but the key pixels (exactly 0x00FF00FF).
void RecolorPixels(TBitmap32& bmp, const TsRecolor& r);
// Recolours a colour value (0x00BBGGRR).
TColor RecolorColor(TColor color, const TsRecolor& r);
