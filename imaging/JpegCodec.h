// JPEG reading and writing (through libjpeg-turbo).
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

#include "imaging/Bitmap32.h"
#include "imaging/DecodedImage.h"
#include "imaging/ImageError.h"

// True when the data starts with a JPEG start-of-image marker followed by another marker.
bool IsJpeg(const std::uint8_t* data, std::size_t size);

// Reads only the headers (up to the first scan) and returns the picture's size, so a caller can
// weigh the pixel count before committing to a full decode. Throws EImageError("Invalid JPEG
// image") for unreadable headers and for sizes beyond kMaxImageSide / kMaxImagePixels.
TImageSize JpegSize(const std::uint8_t* data, std::size_t size);

// Decodes a baseline or progressive JPEG (greyscale, YCbCr/RGB, CMYK or YCCK) into an owning,
// top-down bitmap of 8-bit B, G, R with alpha 0.
// Alpha is 0 rather than 255 because a JPEG is an opaque source, and the skin engine treats
// opaque pictures alike whatever their format: its key colour (magenta, "transparent here") is
// matched against the whole 32-bit pixel as 0x00FF00FF, which only works if opaque pixels carry
// alpha 0.
// CMYK written with an Adobe marker is taken as inverted (as such files store it); without the
// marker as plain ink amounts.
// Throws EImageError("Invalid JPEG image") for a bad or truncated file, entropy-coded data that
// stops short or holds bad Huffman codes, more than 256 scans, a sequential file too small to
// hold the pixels its header claims, or dimensions beyond kMaxImageSide / kMaxImagePixels. Other damage libjpeg can recover from (stray bytes between
// markers) is tolerated silently; damage inside entropy-coded data is not always detectable and
// may then give a wrong but complete picture.
TBitmap32 DecodeJpeg(const std::uint8_t* data, std::size_t size);
// The same decode with what the file said: components × sample precision and the header size
// (never alpha).
TDecodedImage DecodeJpegImage(const std::uint8_t* data, std::size_t size);

// Writes the bitmap's blue, green and red (alpha ignored) as a baseline YCbCr JPEG, 4:2:0, at
// quality 1…100 (clamped). Throws EImageError for an empty bitmap.
std::vector<std::uint8_t> EncodeJpeg(const TBitmap32& bitmap, int quality);
