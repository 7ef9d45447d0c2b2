// The 8-bit grey bitmap of glow masks: one byte per pixel, rows padded to 4 bytes like a DIB.
#pragma once
#include <cstdint>

#include "imaging/PixelBitmap.h"

using TBitmap8 = TPixelBitmap<std::uint8_t>;
