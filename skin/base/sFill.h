// Solid fills and tints of a 32-bit bitmap, and the portable form of the device-context fills.
#pragma once
#include <array>
#include <cstdint>

#include "framework/Types.h"
#include "imaging/Bitmap32.h"

// A new 32-bit bitmap with every byte 0 (empty for sizes ≤ 0).
TBitmap32 NewBitmap32(int width, int height);

// Every pixel of rect (Right/Bottom exclusive, clipped) becomes alpha << 24 | swap-RB(colour).
// The colour is used as given (no system-colour lookup): callers pass plain colours.
void FillPixels(TBitmap32& bmp, const TRect& rect, TColor color, std::uint8_t alpha);

// Keeps percent % of every pixel of rect (Right/Bottom INCLUSIVE, clipped) and adds the rest of
// colour (resolved through ColorToRGB): channel = Round(p·channel + (1 − p)·colour channel),
// p = percent / 100, halves to even. Alpha is kept.
void TintPixels(TBitmap32& bmp, const TRect& rect, int percent, TColor color);

// Writes the alpha byte over rect (Right/Bottom exclusive, clipped to the bitmap): of every pixel
// when key is clNone, otherwise of the pixels whose value differs from swap-RB(key).
void SetPixelsAlpha(TBitmap32& bmp, const TRect& rect, std::uint8_t alpha, TColor key);

// The four frame bands of rect in painting order: top (full width, top high), left (below the top
// band down to Bottom), bottom (right of the left band, bottom high), right (between the top and
// bottom bands). Pure geometry, shared by the bitmap and device-context forms.
std::array<TRect, 4> FrameBands(const TRect& rect, int left, int top, int right, int bottom);

// The solid fill the platform's brush produces on a 32-bit bitmap: ColorToRGB(colour) with the
// alpha byte 0 (the platform's brush fills do not keep alpha). Right/Bottom exclusive, clipped.
void FillDCRect(TBitmap32& bmp, const TRect& rect, TColor color);
// The four bands of FrameBands filled like FillDCRect.
void FillDCFrame(TBitmap32& bmp, const TRect& rect, int left, int top, int right, int bottom, TColor color);
