// PNG reading and writing.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/Bitmap32.h"
#include "imaging/DecodedImage.h"
#include "imaging/ImageError.h"

// True when the data starts with the eight-byte PNG signature.
bool IsPng(const std::uint8_t* data, std::size_t size);

// Decodes a whole PNG file held in memory into an owning, top-down bitmap of 8-bit B, G, R, A.
// Every colour type and bit depth is accepted: palettes are expanded, grey is copied to all three
// channels, 16-bit samples are scaled to 8 bits, Adam7 interlacing is undone, and gamma or colour
// profile chunks are ignored (skin colours are used as stored).
// Alpha is straight (not premultiplied). Pictures with an alpha channel or a tRNS chunk keep
// that alpha; pictures with neither are opaque sources and get alpha 0, like JPEG and 24-bit
// BMP, so that the skin's key colour compares equal as the whole pixel 0x00FF00FF.
// Throws EImageError("Invalid PNG image") on a bad signature, truncation, CRC or zlib errors in
// image data, or dimensions beyond kMaxImageSide / kMaxImagePixels.
TBitmap32 DecodePng(const std::uint8_t* data, std::size_t size);
// The same decode with what the file said: channels × sample depth, and whether it has an alpha
// channel or a tRNS chunk that libpng accepted.
TDecodedImage DecodePngImage(const std::uint8_t* data, std::size_t size);

// Writes the bitmap as an 8-bit RGBA PNG, alpha exactly as stored, so DecodePng gives back the
// same pixels. Throws EImageError for an empty bitmap.
std::vector<std::uint8_t> EncodePng(const TBitmap32& bitmap);
