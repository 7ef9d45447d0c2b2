// Per-pixel colour transforms of a whole bitmap, grey-scale and the quarter turn.
#pragma once
#include <cstdint>
#include <utility>

#include "framework/Types.h"
#include "imaging/Bitmap32.h"
#include "skin/base/sColorMath.h"

// A per-pixel transform: pixel (0xAARRGGBB) and the transform's parameter (a colour or an amount)
// to the new pixel. The hue, saturation and brightness changes of skin recolouring plug in here.
using TPixelTransform = std::uint32_t (*)(std::uint32_t pixel, std::int32_t parameter);

// Applies fn to every pixel row by row; when key is clNone to all pixels, otherwise only to pixels
// whose value differs from swap-RB(key) (fuchsia is symmetric, so key pixels stay transparent).
template <class F>
void TransformPixelsWith(TBitmap32& bmp, F&& fn, TColor key) {
  const bool all = key == clNone;
  const std::uint32_t k = scolor::SwapRB(key);
  for (int y = 0; y < bmp.Height(); ++y) {
    std::uint32_t* px = bmp.Row(y);
    for (int x = 0, w = bmp.Width(); x < w; ++x)
      if (all || px[x] != k) px[x] = fn(px[x]);
  }
}

inline void TransformPixels(TBitmap32& bmp, TPixelTransform transform, std::int32_t parameter, TColor key) {
  if (!transform) return;
  TransformPixelsWith(bmp, [transform, parameter](std::uint32_t p) { return transform(p, parameter); }, key);
}

// TransformPixels(bmp, HueTransform, offset, key), with each colour's shift worked out once:
// skin pictures hold few colours (the master bitmap about a thousand in 45,000 pixels), and the
// shift is a function of the three colour bytes alone, alpha passing through.
void ShiftPixelsHue(TBitmap32& bmp, std::int32_t offset, TColor key);

// The colour tone as a transform: parameter = the tone, in the byte order of the pixels.
std::uint32_t ToneTransform(std::uint32_t pixel, std::int32_t tone);
// Make-opaque: alpha 255, colour kept; the parameter is unused.
std::uint32_t MakeOpaqueTransform(std::uint32_t pixel, std::int32_t parameter);

// (R + G + B) div 3 into all three channels of every pixel; alpha kept.
void ToGrayscale(TBitmap32& bmp);

// A new bitmap of Height × Width holding bmp turned by a quarter: with direction true pixel (x, y)
// goes to (Height − 1 − y, x), otherwise to (y, Width − 1 − x). With freeSource bmp is released
// (left empty) afterwards.
TBitmap32 RotateBitmap90(TBitmap32& bmp, bool direction, bool freeSource);
