// The 32-bit bitmap every cache, glow picture and window image is made of: pixels B, G, R, A
// (0xAARRGGBB as a little-endian integer).
#pragma once
#include <cstdint>

#include "imaging/PixelBitmap.h"

using TBitmap32 = TPixelBitmap<std::uint32_t>;
