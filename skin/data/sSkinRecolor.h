// Recolouring of a whole loaded skin: hue, saturation and brightness passes over the master
// bitmap, the pieces with bitmaps of their own, the section colours and parts of the palette.
// They run at the end of every load, in the order hue, saturation, brightness, each skipped for
// 0; a change of one of the amounts reloads the skin, so the passes always start from the colours
// stored in the skin and never accumulate.
#pragma once
#include <cstdint>

#include "skin/data/sSkinOptions.h"

// Hue shift by `offset` degrees. With GLOBALINFO's BIKEEPHUE of 1 or more the close icons (with
// 1 also the maximise, minimise, restore and help icons) keep their colours: pieces in the master
// bitmap keep their rectangle, pieces with their own bitmap (and then their "GLOW0" image) are
// left alone.
void ChangeSkinHue(TsSkinTables& t, std::int32_t offset);
// Saturation change by `percent` (amount Round(percent × 2.55)); no keep rule.
void ChangeSkinSaturation(TsSkinTables& t, std::int32_t percent);
// Brightness change by `amount`. The mask rows of two-layer pieces keep their values; pieces with
// their own bitmap and one layer get, for a positive amount, the alpha preparation that the load
// left to this pass. Shadow1Color and the palette are not changed.
void ChangeSkinBrightness(TsSkinTables& t, std::int32_t amount);
// The three passes in order, each skipped for 0.
void RecolorSkin(TsSkinTables& t, std::int32_t hueOffset, std::int32_t saturation, std::int32_t brightness);

// The alpha preparation of a PNG piece as the load does it, for the pieces whose preparation waits
// for a positive brightness: up to skin version 7.45 every pixel 0x00FFFFFF becomes 0, newer skins
// get premultiplied pixels. The key pixel 0x00FF00FF is skipped like in every recolouring pass.
void PrepareDeferredAlpha(TBitmap32& bmp, double version);
