#include "skin/base/sRecolor.h"

#include <algorithm>

#include "skin/base/sColorMath.h"
#include "skin/base/sColorTransforms.h"
#include "skin/base/sTransform.h"

std::int32_t SaturationAmountIn(TsSaturationScale scale, std::int32_t saturation) {
  switch (scale) {
    case TsSaturationScale::scPercent:
      return SaturationAmount(saturation);
    case TsSaturationScale::scLimitedAmount:
      return std::clamp(saturation, -255, 255);
    case TsSaturationScale::scAmount:
      break;
  }
  return saturation;
}

// A zero hue offset is skipped, not applied: the pixel form's sector rounding is no identity.
void RecolorPixels(TBitmap32& bmp, const TsRecolor& r) {
  if (r.Tone != clNone) TransformPixels(bmp, ToneTransform, std::int32_t(r.Tone), clFuchsia);
  if (r.HueOffset != 0) ShiftPixelsHue(bmp, r.HueOffset, clFuchsia);
  if (r.Saturation != 0)
    TransformPixels(bmp, SaturationTransform, SaturationAmountIn(r.Scale, r.Saturation), clFuchsia);
}

TColor RecolorColor(TColor color, const TsRecolor& r) {
  if (r.Tone != clNone) color = ToneColor(color, r.Tone);
  if (r.HueOffset != 0) color = ChangeColorHue(r.HueOffset, color);
  if (r.Saturation != 0) color = TColor(ChangeColorSaturation(SaturationAmountIn(r.Scale, r.Saturation), color));
  return color;
}
