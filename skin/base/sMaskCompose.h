// Colour-key and mask compositing of skin image pieces.
//
// Skin images come in two layouts: one layer (key-colour pixels, exactly 0x00FF00FF, are
// transparent) or two layers, where a mask of the same size lies below the image at a known row
// distance. The mask blend of image pixel i over destination pixel d with mask pixel m is, per
// channel, d = ((d − i)·m + i·256) >> 8 using the mask's own channel: black shows the image,
// white keeps the destination, grey mixes.
#pragma once
#include "framework/Types.h"
#include "imaging/Bitmap32.h"
#include "skin/base/sCacheInfo.h"

// Copies srcRect of src (Right/Bottom INCLUSIVE, clipped to src) to dst at (x, y); destination
// pixels outside dst are skipped. Pixels equal to swap-RB(key) are transparent:
//  - useBackground with a Ready background bitmap: when dst is that bitmap, non-key pixels are
//    copied with alpha 255 and key pixels left; otherwise key pixels take the background pixel at
//    (X + destination column, Y + destination row) where that lies inside the background (else they
//    are left) and non-key pixels are copied whole;
//  - Ready but not used (or Ready without a bitmap): non-key copied, key left;
//  - not Ready: key pixels become swap-RB(FillColor), or are left when FillColor is clFuchsia
//    (so the empty form copies the non-key pixels and nothing else).
void CopyKeyed(TBitmap32& dst, const TBitmap32& src, int x, int y, const TRect& srcRect, TColor key,
               const TCacheInfo& bg, bool useBackground);

// Copies a two-layer piece: srcRect (image layer; the mask lies maskDistance rows below it) to
// dstRect (both Right/Bottom exclusive). The size is the smaller of the two rectangles; negative
// coordinates move both starts to 0; the area is cut to dst and to src (mask rows included).
// By (bg.Ready, corner):
//  - ready, corner: alpha 255 everywhere; key pixels take the background pixel at
//    (X + destination column, Y + destination row) where that lies inside the background bitmap
//    (else the destination colour stays); other pixels are mask-blended;
//  - ready, not corner: every pixel mask-blended (no key test), alpha 255;
//  - not ready, corner: key pixels become swap-RB(FillColor) as a whole value (its top byte is the
//    alpha); other pixels mask-blended, alpha kept;
//  - not ready, not corner: key pixels left, others mask-blended, alpha kept.
void CopyMaskedPiece(const TRect& dstRect, const TRect& srcRect, TBitmap32& dst, const TBitmap32& src,
                     const TCacheInfo& bg, bool corner, int maskDistance);

// Draws a glyph piece. maskDistance ≤ 0 means one layer: copied with CopyKeyed, key clFuchsia and
// the empty background. Two layers (mask maskDistance rows below the image): for every pixel that
// is not the key and whose mask red is below 255, mode 1 mask-blends; any other mode (faded) uses
// m' = min(m + 100, 255) per channel; then alpha a becomes a + (((a − 255)·(mask red − 255)) >> 8).
// Size and clipping as CopyMaskedPiece.
void ComposeGlyph(const TRect& dstRect, const TRect& srcRect, TBitmap32& dst, const TBitmap32& src, int maskDistance,
                  int mode);

// Turns the two-layer image in rect (Right/Bottom exclusive; image in the upper half, mask in the
// lower half) into a new bitmap of width × (height div 2): the image's colours with
// alpha = 255 − mask red. Parts of rect outside src stay 0.
TBitmap32 MaskToAlphaBitmap(const TBitmap32& src, const TRect& rect);

// The masked tile compose of textures: copies the w × h tile at (sx, sy) of master (mask h rows
// below, h = tile height) to dst at (dx, dy), cut to both bitmaps. Key pixels take swap-RB of the
// background's FillColor when that is not clFuchsia, otherwise the Ready background's bitmap pixel
// at (X + column, Y + row) of the destination while inside it, otherwise stay; other pixels are
// mask-blended with alpha kept.
void ComposeMaskedTile(TBitmap32& dst, int dx, int dy, const TBitmap32& master, int sx, int sy, int w, int h,
                       const TCacheInfo& bg);
