// Gradient descriptions and gradient fills.
#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "framework/Types.h"
#include "imaging/Bitmap32.h"

// One gradient segment, fields in the record's order. Only the first segment's Mode1 selects the
// kind (0 vertical bands, 1 horizontal bands, 2 four triangles); Mode2 is never filled nor read.
// Kept at natural alignment: the record is never stored as bytes, and members of a byte-packed
// array are misaligned, so binding them to references (std::min, test macros) would be undefined.
struct TsGradPie {
  TColor Color1 = 0;
  TColor Color2 = 0;
  std::uint8_t Percent = 0;  // 0 … 100
  std::int32_t Mode1 = 0;
  std::int32_t Mode2 = 0;
  friend bool operator==(const TsGradPie&, const TsGradPie&) = default;
};
using TsGradArray = std::vector<TsGradPie>;

// Splits text at runs of ';' into words; every five words make a segment (the rest are ignored):
// Color1 = ColorToRGB(word 1), Color2 = ColorToRGB(word 2), Percent = word 3 limited to 0 … 100,
// Mode1 = word 4; word 5 is not read, so it need not be a number. Integers as StrToInt reads them
// (decimal, or hexadecimal after '$' or "0x"); a word that is read and is not one raises its
// EConvertError ("'x' is not a valid integer value"). "N/A" gives no segments.
TsGradArray ParseGradientData(std::wstring_view text);

// Fills rect (Right/Bottom exclusive, clipped) with the gradient; nothing for an empty rectangle
// or no segments.
//  - kind 0: vertical bands from row Top + offset; a segment ends at
//    start + ((Height + offset)·Percent) div 100, limited to Bottom − 1, the last one at Bottom − 1;
//    rows start … end inclusive (neighbours share the boundary row, the later wins); a segment
//    with end ≤ start is skipped (its end still becomes the next start). Rows above Top that an
//    offset would reach are computed but not written.
//  - kind 1: the same along x on the top row with end = Trunc(Percent·(Width / 100.0) + start),
//    the last one at Right − 1; painted columns are copied down to every following row.
//  - kind 2: four triangles around the centre (FillTriangleGradient) with the vertices
//    (Left, Top), (Left + Width div 2, Top + Height div 2), (Right, Top), (Right, Bottom),
//    (Left, Bottom) coloured by Color1 of segments 0 … 4 (missing segments repeat the previous).
//  - other kinds: nothing.
// Bands hold the channels in 32-bit float accumulators starting at Color1, advanced per row by
// (Color2 − Color1) / (end − start) in double precision; pixels are Trunc of them with alpha 255.
void PaintGradient(TBitmap32& bmp, const TRect& rect, const TsGradArray& segments, int offset);

// Gradient (kinds 0 and 1, offset 0) and a tiled texture in one pass: every pixel of rect
// (clipped) becomes, per channel, (weight·(texel − gradient) + gradient·256) >> 8 with the alpha
// byte = alpha. The tile is textureRect of texture (the whole texture when textureRect is empty);
// its width becomes (texture Width − Left − 1) and its height (texture Height − Top − 1) when the
// tile would reach the texture's edge; nothing is drawn when either is then not positive or when
// the tile starts before the texture. Pixel (x, y), counted from the clipped rect's corner, uses
// the texel (Left + x mod tile width, Top + y mod tile height).
void PaintGradientTextured(TBitmap32& bmp, const TRect& rect, const TsGradArray& segments, std::uint8_t alpha,
                           int weight, const TRect& textureRect, const TBitmap32& texture);

// One vertex of a triangle gradient: position (pixel corners) and colour value.
struct TTriVertex {
  int X = 0, Y = 0;
  TColor Color = 0;
};

// The triangle gradient fill: every pixel of bmp inside clip whose centre lies in the triangle
// (edges included) gets the colour interpolated linearly between the vertices, computed on
// 16-bit channels (byte << 8) and written as the high byte, with alpha 255.
void FillTriangleGradient(TBitmap32& bmp, const TRect& clip, const TTriVertex& a, const TTriVertex& b,
                          const TTriVertex& c);
