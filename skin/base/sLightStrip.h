// The gauge's light strip: a picture with its own per-pixel alpha, stretched from a small image
// to the strip's length and laid over the filled part of a bar with that alpha.
#pragma once
#include <cstdint>

#include "framework/Types.h"
#include "imaging/Bitmap32.h"
#include "skin/base/sBlendKernels.h"

// Lays src over dst with src's top-left corner at `at` (dst coordinates), cut to dst: with
// a = src's alpha, each colour channel becomes (d·256 + (s − d)·a) >> 8 and the alpha byte the
// larger of both alphas.
void OverlayWithAlpha(TBitmap32& dst, const TBitmap32& src, TPoint at);

// The same for one row of n pixels (callers clip), in steps of four or, with lanes Eight and
// where the processor allows it, eight or sixteen pixels; all give the same pixels.
void OverlayWithAlphaRow(std::uint32_t* d, const std::uint32_t* s, int n,
                         sblend::TLanes lanes = sblend::WidestLanes());

// A strip of length × cross pixels stretched from picture: when cross is below the picture's
// height, its top trunc((height − cross) / 2) + 1 rows are left out (none when that would leave
// no row) and the rest is stretched onto the whole strip. Empty for an empty picture or size.
TBitmap32 MakeLightStrip(const TBitmap32& picture, int length, int cross);
