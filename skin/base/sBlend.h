// Weighted blends of one 32-bit bitmap over another. Alpha bytes are kept.
#pragma once
#include "framework/Types.h"
#include "imaging/Bitmap32.h"

// Blends srcRect of src (Right/Bottom INCLUSIVE) over dst at point: per colour channel
// dst = ((dst − src)·w + src·256) >> 8, w (0 … 255, limited to it) being the weight of what
// was there (0 copies the source colour). A negative destination coordinate moves the source
// start by the same amount. Nothing is drawn when the source start lies at or beyond srcRect's
// Right/Bottom, when point lies outside dst or the source start outside src; srcRect's Right and
// Bottom are reduced to Width − 1 / Height − 1 of src and the area is cut to fit dst.
void OverlayBitmap(TBitmap32& dst, const TBitmap32& src, int w, TPoint point, const TRect& srcRect);

// Blends the pixels of srcRect of src (Right/Bottom INCLUSIVE, clipped to src) whose value is not
// swap-RB(key) into dst at (x, y) (parts outside dst skipped): per colour channel
// dst = Trunc(src − (src − dst)·f), i.e. f is the share of dst that stays. Alpha is kept.
void MergeKeyedBitmap(TBitmap32& dst, int x, int y, TColor key, double f, const TRect& srcRect, const TBitmap32& src);

// Alpha-blends src into dst over rect (dst coordinates, Right/Bottom exclusive) where a selection
// mask allows it. src and mask are rect-sized pieces read from their own (0, 0). With m = mask red
// and s = source alpha: m = 0 → dst = ((src − dst)·s + dst·256) >> 8; m = 255 → unchanged;
// otherwise w = ((255 − m)·s) >> 8 and dst = (w·(src − dst) + dst·256) >> 8. Alpha is kept.
// Nothing happens unless dst is at least as large as rect; the area is cut to all three bitmaps.
void BlendThroughMask(TBitmap32& dst, const TBitmap32& src, const TBitmap32& mask, const TRect& rect);
