#include "TestImages.h"

#include <sys/resource.h>
#include <zlib.h>

#include <cstdio>
#include <stdexcept>

namespace {

int ChannelsOf(int colorType) {
  switch (colorType) {
    case kPngGray:
    case kPngPalette:
      return 1;
    case kPngGrayAlpha:
      return 2;
    case kPngRgb:
      return 3;
    default:
      return 4;
  }
}

void AppendChunk(TBytes& png, const char* type, const TBytes& data) {
  TBytes chunk(type, type + 4);
  chunk.insert(chunk.end(), data.begin(), data.end());
  TBytes length(4);
  PutU32BE(length, 0, std::uint32_t(data.size()));
  png.insert(png.end(), length.begin(), length.end());
  png.insert(png.end(), chunk.begin(), chunk.end());
  TBytes crc(4);
  PutU32BE(crc, 0, std::uint32_t(crc32(0, chunk.data(), uInt(chunk.size()))));
  png.insert(png.end(), crc.begin(), crc.end());
}

TBytes Compress(const TBytes& raw) {
  uLongf size = compressBound(uLong(raw.size()));
  TBytes out(size);
  if (compress2(out.data(), &size, raw.data(), uLong(raw.size()), 9) != Z_OK) throw std::runtime_error("zlib");
  out.resize(size);
  return out;
}

TBytes PngStart(std::uint32_t width, std::uint32_t height, int bitDepth, int colorType, bool interlaced) {
  TBytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  TBytes ihdr(13);
  PutU32BE(ihdr, 0, width);
  PutU32BE(ihdr, 4, height);
  ihdr[8] = std::uint8_t(bitDepth);
  ihdr[9] = std::uint8_t(colorType);
  ihdr[12] = interlaced ? 1 : 0;
  AppendChunk(png, "IHDR", ihdr);
  return png;
}

}  // namespace

void PutU16(TBytes& b, std::size_t at, std::uint32_t v) {
  b[at] = std::uint8_t(v);
  b[at + 1] = std::uint8_t(v >> 8);
}
void PutU32(TBytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (8 * i));
}
void PutU32BE(TBytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = std::uint8_t(v >> (24 - 8 * i));
}
void AppendU32(TBytes& b, std::uint32_t v) {
  b.resize(b.size() + 4);
  PutU32(b, b.size() - 4, v);
}

std::string Hex(std::uint32_t pixel) {
  char s[16];
  std::snprintf(s, sizeof s, "%08X", pixel);
  return s;
}

long PeakMemoryGrowthMiB(const std::function<void()>& f) {
  auto peakKiB = [] {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return long(usage.ru_maxrss);
  };
  const long before = peakKiB();
  f();
  return (peakKiB() - before) / 1024;
}

TBytes BuildPng(const TPngLayout& layout, const TSampleFn& sample) {
  const int channels = ChannelsOf(layout.colorType);
  // Adam7: start column/row and steps of each pass; a plain image is one pass of step 1.
  static const int kStartX[7] = {0, 4, 0, 2, 0, 1, 0}, kStartY[7] = {0, 0, 4, 0, 2, 0, 1};
  static const int kStepX[7] = {8, 8, 4, 4, 2, 2, 1}, kStepY[7] = {8, 8, 8, 4, 4, 2, 2};
  const int passes = layout.interlaced ? 7 : 1;
  TBytes raw;
  for (int pass = 0; pass < passes; ++pass) {
    const int x0 = layout.interlaced ? kStartX[pass] : 0, y0 = layout.interlaced ? kStartY[pass] : 0;
    const int dx = layout.interlaced ? kStepX[pass] : 1, dy = layout.interlaced ? kStepY[pass] : 1;
    if (x0 >= layout.width || y0 >= layout.height) continue;  // empty passes carry no rows at all
    for (int y = y0; y < layout.height; y += dy) {
      raw.push_back(0);  // filter: none
      std::uint32_t bits = 0;
      int used = 0;
      for (int x = x0; x < layout.width; x += dx) {
        for (int c = 0; c < channels; ++c) {
          const std::uint32_t v = sample(x, y, c);
          if (layout.bitDepth == 16) {
            raw.push_back(std::uint8_t(v >> 8));
            raw.push_back(std::uint8_t(v));
          } else if (layout.bitDepth == 8) {
            raw.push_back(std::uint8_t(v));
          } else {
            bits = bits << layout.bitDepth | v;
            used += layout.bitDepth;
            if (used == 8) {
              raw.push_back(std::uint8_t(bits));
              bits = 0;
              used = 0;
            }
          }
        }
      }
      if (used) raw.push_back(std::uint8_t(bits << (8 - used)));
    }
  }
  TBytes png = PngStart(std::uint32_t(layout.width), std::uint32_t(layout.height), layout.bitDepth, layout.colorType,
                        layout.interlaced);
  if (!layout.palette.empty()) AppendChunk(png, "PLTE", layout.palette);
  if (!layout.trns.empty()) AppendChunk(png, "tRNS", layout.trns);
  AppendChunk(png, "IDAT", Compress(raw));
  AppendChunk(png, "IEND", {});
  return png;
}

TBytes BuildPngRaw(std::uint32_t width, std::uint32_t height, int bitDepth, int colorType, const TBytes& idat) {
  TBytes png = PngStart(width, height, bitDepth, colorType, false);
  AppendChunk(png, "IDAT", idat);
  AppendChunk(png, "IEND", {});
  return png;
}

TBytes InfoHeader(std::int32_t width, std::int32_t height, int bitsPerPixel, std::uint32_t compression,
                  std::uint32_t colorsUsed, std::uint32_t size) {
  TBytes h(size);
  PutU32(h, 0, size);
  PutU32(h, 4, std::uint32_t(width));
  PutU32(h, 8, std::uint32_t(height));
  PutU16(h, 12, 1);
  PutU16(h, 14, std::uint32_t(bitsPerPixel));
  PutU32(h, 16, compression);
  PutU32(h, 32, colorsUsed);
  return h;
}

TBytes BuildBmp(const TBytes& infoHeader, const TBytes& extra, const TBytes& pixels) {
  TBytes file(14);
  file[0] = 'B';
  file[1] = 'M';
  const std::uint32_t offset = std::uint32_t(14 + infoHeader.size() + extra.size());
  PutU32(file, 2, offset + std::uint32_t(pixels.size()));
  PutU32(file, 10, offset);
  file.insert(file.end(), infoHeader.begin(), infoHeader.end());
  file.insert(file.end(), extra.begin(), extra.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}
