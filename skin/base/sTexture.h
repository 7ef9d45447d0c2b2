// Copying, stretching and tiling of image pieces: the portable forms of the picture tiling and of
// texture placement by draw mode.
#pragma once
#include "framework/Types.h"
#include "imaging/Bitmap32.h"
#include "skin/base/sCacheInfo.h"

// The rectangle a placement reports when nothing of its area is left uncovered.
inline constexpr TRect NoRect{-1, -1, -1, -1};

// Copies srcRect of src (Right/Bottom exclusive) whole (all four bytes) to dst at (x, y), cut to
// both bitmaps. src may be dst itself.
void CopyBitmapRect(TBitmap32& dst, int x, int y, const TBitmap32& src, const TRect& srcRect);

// Colour-on-colour stretching (nearest pixel): destination pixel i of a side of length n takes the
// source pixel whose span holds its centre, source index = start + ((2i + 1)·m) div (2n).
// Rectangles Right/Bottom exclusive; the destination is clipped, source reads stay inside src.
void StretchColorOnColor(TBitmap32& dst, const TRect& dstRect, const TBitmap32& src, const TRect& srcRect);

// Repeats image from (Left, Top) in steps of its size, the last column and row cut at Right and
// Bottom (exclusive).
void TileImage(TBitmap32& dst, const TRect& rect, const TBitmap32& image);

// Places a texture by draw mode. With an image (a separate picture texture), the image is tiled
// over rect and rect becomes NoRect. Otherwise the piece (w × h = pieceRect's size in pieceBmp) is
// placed by mode and rect returns the part still uncovered (NoRect when none):
//   0 tiled over rect → none;  1 stretched over rect → none;
//   2 tiled along the top, h high → (L, T + h, R, B);  3 down the left, w wide → (L + w, T, R, B);
//   4 stretched along the top → (L, T + h, R, B);      5 stretched down the left → (L + w, T, R, B);
//   6 tiled along the bottom → (L, T, R, B − h);       7 down the right → (L, T, R − w, B);
//   10 whole tiles at columns L, L + w, … while below R − w and rows T, T + h, … while below B − h,
//      then one more column cut at R over the same rows → none.
// Other modes (8, 9, above 10) draw nothing and leave rect as it is (all of it uncovered).
void TileTexture(TBitmap32& dst, TRect& rect, const TBitmap32* image, int mode, const TBitmap32& pieceBmp,
                 const TRect& pieceRect);

// Places a two-layer piece of the master bitmap (pieceRect holds image and mask; tile height =
// its height div 2) with the masked tile compose and the background bg:
//   0: whole tiles as in TileTexture mode 10 plus the column cut at R; rect becomes NoRect;
//   10: the same whole tiles without that column; the bottom strip (L … R from the first unpainted
//       row) and the right strip (from the first unpainted column, T … B) come from bg: copied from
//       its bitmap at (X + x, Y + y) when Ready, otherwise FillPixels with FillColor and alpha 255
//       (not at all when FillColor is clFuchsia); rect becomes NoRect.
// Other modes, or no master bitmap, draw nothing and leave rect unchanged.
void TileMaskedTexture(TBitmap32& dst, TRect& rect, const TCacheInfo& bg, int mode, const TBitmap32* master,
                       const TRect& pieceRect);
