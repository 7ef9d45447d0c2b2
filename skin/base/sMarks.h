// Small marks drawn pixel by pixel: the dotted focus frame and the fallback arrow glyph.
// Pixels are written as the platform's pixel setter writes them on a 32-bit bitmap:
// ColorToRGB(colour) with the alpha byte 0. Pixels outside the bitmap are skipped.
#pragma once
#include <vector>

#include "framework/Types.h"
#include "imaging/Bitmap32.h"

// A pixel of a mark and the colour it gets.
struct TMarkPixel {
  int X, Y;
  TColor Color;
};

// The dotted frame's pixels in drawing order. With Right and Bottom reduced by one (w, h the
// reduced width and height): for i = 0 … (w div 2) − 1, x = Left + 2·(w div 2 − i) gets b and
// x − 1 gets a on the top and bottom lines; for i = 0 … (h div 2) − 1, y = Top + 2·(h div 2 − i)
// gets b and y − 1 gets a on the left and right lines. A colour clNone is left out.
std::vector<TMarkPixel> DottedFramePixels(const TRect& rect, TColor a, TColor b);
void DrawDottedFrame(TBitmap32& bmp, const TRect& rect, TColor a, TColor b);

// Arrow directions.
enum TsArrowDirection : int { adLeft = 0, adUp = 1, adRight = 2, adDown = 3 };

// A solid triangle four pixels deep and seven wide, centred in rect: for down, rows of 7, 5, 3, 1
// pixels from the top (Left + (Width − 7) div 2, Top + (Height − 4) div 2); up is the reverse;
// left and right are the same turned (4 wide, 7 high). Unknown directions draw nothing.
std::vector<TMarkPixel> SmallArrowPixels(const TRect& rect, int direction, TColor color);
void DrawSmallArrow(TBitmap32& bmp, TColor color, const TRect& rect, int direction);
