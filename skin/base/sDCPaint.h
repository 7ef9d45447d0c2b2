// The primitives that paint through a device context: solid fills with the platform's brush,
// tiling a picture, and the pixel-by-pixel marks (dotted focus frame, fallback arrow). Their
// pixel rules live in the portable units (sFill, sMarks); these only carry them to a canvas.
#pragma once
#include <windows.h>

#include "framework/Graphics.h"
#include "framework/Types.h"

// Fills rect (Right/Bottom exclusive) with a solid brush of ColorToRGB(colour); the context's
// state is saved and restored around it.
void FillDCRect(HDC dc, const TRect& rect, TColor color);
// The same brush over the four frame bands of rect (see FrameBands), in that order.
void FillDCFrame(HDC dc, const TRect& rect, int left, int top, int right, int bottom, TColor color);

// Repeats a picture over rect from (Left, Top) in steps of its size, clipped to rect.
void TileImage(TCanvas& canvas, const TRect& rect, const TGraphic& image);

void DrawDottedFrame(TCanvas& canvas, const TRect& rect, TColor a, TColor b);
void DrawSmallArrow(TCanvas& canvas, TColor color, const TRect& rect, int direction);
