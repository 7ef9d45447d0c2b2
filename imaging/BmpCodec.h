// Windows bitmap (.bmp) reading.
#pragma once
#include <cstddef>
#include <cstdint>

#include "imaging/Bitmap32.h"
#include "imaging/DecodedImage.h"
#include "imaging/ImageError.h"

// True when the data starts with "BM" and names an information header size this reader knows.
bool IsBmp(const std::uint8_t* data, std::size_t size);

// Decodes a .bmp file (file header, then a core, info, V4 or V5 header) into an owning, top-down
// bitmap of 8-bit B, G, R, A. Accepted: 1-, 4- and 8-bit palettes, 16-bit (5-5-5 or bit fields),
// 24-bit, 32-bit, BI_RGB and BI_BITFIELDS, bottom-up or top-down rows. Compressed (RLE, embedded
// JPEG/PNG) files are refused.
// Alpha: 32-bit BI_RGB pixels keep their fourth byte; bit-field pixels take alpha from the alpha
// mask when there is one; everything else (palettes, 16- and 24-bit, 32-bit bit fields without an
// alpha mask) is an opaque source and gets alpha 0, as JPEGs do, so the key colour compares equal
// as the whole pixel 0x00FF00FF. Palette indices beyond the palette give black.
// Throws EImageError("Invalid bitmap image") on a bad header, truncated pixel data, unsupported
// format, or dimensions beyond kMaxImageSide / kMaxImagePixels.
TBitmap32 DecodeBmp(const std::uint8_t* data, std::size_t size);
// The same decode with what the file said: its bit count, and whether its alpha was kept (32-bit
// BI_RGB, or bit fields with an alpha mask).
TDecodedImage DecodeBmpImage(const std::uint8_t* data, std::size_t size);
