// The colour transforms of skin recolouring: hue shift, saturation and brightness change. They
// serve the whole-skin passes of the manager, the per-control colour changes and the disabled
// look. Each changes the three colour bytes and never byte 3 (alpha).
//
// Pixels are 0xAARRGGBB; colour values are 0x00BBGGRR. The hue shift needs the real channel order
// and so has a pixel form and a colour-value form; saturation and brightness treat the three
// channels alike and take either form unchanged.
#pragma once
#include <cstdint>

#include "framework/Types.h"

// Hue shift of a pixel by `offset` degrees. The sector index is rounded (halves to even), not
// truncated, so a non-zero offset is not the textbook HSV rotation: near the middle of a 60°
// sector the colour takes the next sector's formula with a negative fraction, which lightens one
// channel up to 255. Grey pixels (R = G = B) are returned unchanged for any offset. Offset 0 is not
// an identity here (the same sector rounding applies); every caller skips a zero offset.
std::uint32_t ChangePixelHue(std::int32_t offset, std::uint32_t pixel);
// The same for a colour value; offset 0 returns the value unchanged.
TColor ChangeColorHue(std::int32_t offset, TColor color);
// Each colour byte c becomes c − (amount × (a − c)) div 255 limited to 0 … 255, a being the mean
// of the three bytes (div truncates toward zero). Positive amounts saturate, negative ones pull
// toward grey. Amount −255 … 255; 0 returns the value unchanged.
std::uint32_t ChangeColorSaturation(std::int32_t amount, std::uint32_t value);
// Each colour byte c becomes c + amount limited to 0 … 255; 0 returns the value unchanged.
std::uint32_t ChangeColorBrightness(std::uint32_t value, std::int32_t amount);

// The saturation amount of a percentage: Round(percent × 2.55) limited to −255 … 255.
std::int32_t SaturationAmount(std::int32_t percent);

// The three as per-pixel transforms for TransformPixels (parameter = offset or amount).
std::uint32_t HueTransform(std::uint32_t pixel, std::int32_t offset);
std::uint32_t SaturationTransform(std::uint32_t pixel, std::int32_t amount);
std::uint32_t BrightnessTransform(std::uint32_t pixel, std::int32_t amount);
