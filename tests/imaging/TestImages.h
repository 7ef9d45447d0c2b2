// Builders for the test pictures. PNG and BMP files are put together byte by byte here, not with
// the encoders under test, so a decoder bug cannot hide behind a matching encoder bug.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "imaging/Bitmap32.h"

using TBytes = std::vector<std::uint8_t>;

// PNG colour types as stored in IHDR.
enum : int { kPngGray = 0, kPngRgb = 2, kPngPalette = 3, kPngGrayAlpha = 4, kPngRgba = 6 };

struct TPngLayout {
  int width = 1, height = 1;
  int bitDepth = 8;
  int colorType = kPngRgba;
  bool interlaced = false;
  TBytes palette;  // R, G, B triples
  TBytes trns;     // raw tRNS chunk contents; empty = no chunk
};

// sample(x, y, channel) gives a sample value in the picture's bit depth (a palette index for
// palette images). Channels in file order: grey / grey, alpha / R, G, B / R, G, B, A.
using TSampleFn = std::function<std::uint32_t(int x, int y, int channel)>;
TBytes BuildPng(const TPngLayout& layout, const TSampleFn& sample);
// A PNG of any IHDR (even invalid ones) with the given raw zlib-compressed payload as its IDAT.
TBytes BuildPngRaw(std::uint32_t width, std::uint32_t height, int bitDepth, int colorType, const TBytes& idat);

// A .bmp file: file header, then the information header as given (its first four bytes must be
// its size), then `extra` (masks, palette), then the pixel rows exactly as given.
TBytes BuildBmp(const TBytes& infoHeader, const TBytes& extra, const TBytes& pixels);
// A 40-byte BITMAPINFOHEADER; a `size` > 40 pads it (mask fields for V2+ headers are set by the
// caller in the returned bytes).
TBytes InfoHeader(std::int32_t width, std::int32_t height, int bitsPerPixel, std::uint32_t compression = 0,
                  std::uint32_t colorsUsed = 0, std::uint32_t size = 40);

void PutU16(TBytes& b, std::size_t at, std::uint32_t v);
void PutU32(TBytes& b, std::size_t at, std::uint32_t v);
void PutU32BE(TBytes& b, std::size_t at, std::uint32_t v);
void AppendU32(TBytes& b, std::uint32_t v);

// Pixel as B, G, R, A in a TBitmap32.
constexpr std::uint32_t Bgra(std::uint32_t r, std::uint32_t g, std::uint32_t b, std::uint32_t a) {
  return a << 24 | r << 16 | g << 8 | b;
}
std::string Hex(std::uint32_t pixel);

// How far the process's peak resident memory rose while running `f`, in MiB. Used to show that
// a decoder refuses a hostile file before allocating the bitmap its header asks for.
long PeakMemoryGrowthMiB(const std::function<void()>& f);
