// A .bmp file is a 14-byte file header, an information header whose first field is its own size
// (12 for the old core header; 40 and up for the info, V2, V3, V4 and V5 headers, which only
// append fields), an optional table of colour masks and a palette, then the pixel rows at the
// file header's pixel offset. Each row is padded to four bytes; a positive height stores the
// bottom row first. Every field is read with explicit bounds checks against the caller's buffer.
#include "imaging/BmpCodec.h"

#include <array>
#include <bit>

namespace {

constexpr const char* kInvalidBmp = "Invalid bitmap image";
constexpr std::size_t kFileHeaderSize = 14;

constexpr std::uint32_t kBiRgb = 0;
constexpr std::uint32_t kBiBitfields = 3;
constexpr std::uint32_t kBiAlphaBitfields = 6;

[[noreturn]] void Fail() { throw EImageError(kInvalidBmp); }

bool KnownHeaderSize(std::uint32_t size) {
  return size == 12 || size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

class TReader {
 public:
  TReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
  std::uint16_t U16(std::size_t at) const {
    Need(at, 2);
    return std::uint16_t(data_[at] | data_[at + 1] << 8);
  }
  std::uint32_t U32(std::size_t at) const {
    Need(at, 4);
    return std::uint32_t(data_[at]) | std::uint32_t(data_[at + 1]) << 8 | std::uint32_t(data_[at + 2]) << 16 |
           std::uint32_t(data_[at + 3]) << 24;
  }
  std::int32_t I32(std::size_t at) const { return static_cast<std::int32_t>(U32(at)); }
  void Need(std::size_t at, std::size_t count) const {
    if (at > size_ || count > size_ - at) Fail();
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
};

// One colour channel described by a bit mask, scaled to 0…255.
class TChannel {
 public:
  TChannel() = default;
  explicit TChannel(std::uint32_t mask) : mask_(mask) {
    if (mask == 0) return;
    shift_ = std::countr_zero(mask);
    const int bits = std::popcount(mask);
    max_ = (std::uint64_t(1) << bits) - 1;
    if ((std::uint64_t(mask) >> shift_) != max_) Fail();  // the bits must be contiguous
  }
  bool Present() const { return mask_ != 0; }
  std::uint32_t Get(std::uint32_t pixel) const {
    if (!mask_) return 0;
    return std::uint32_t((std::uint64_t((pixel & mask_) >> shift_) * 255 + max_ / 2) / max_);
  }

 private:
  std::uint32_t mask_ = 0;
  int shift_ = 0;
  std::uint64_t max_ = 1;
};

struct TFormat {
  std::int64_t width = 0, height = 0;
  bool topDown = false;
  int bitsPerPixel = 0;
  std::uint32_t compression = kBiRgb;
  std::uint32_t colorsUsed = 0;
  std::size_t paletteAt = 0;       // offset of the palette in the file
  std::size_t paletteEntrySize = 4;
  std::uint32_t masks[4] = {};     // red, green, blue, alpha
};

TFormat ReadFormat(const TReader& in, std::uint32_t headerSize) {
  TFormat f;
  const std::size_t h = kFileHeaderSize;
  in.Need(h, headerSize);
  if (headerSize == 12) {
    f.width = in.U16(h + 4);
    f.height = in.U16(h + 6);
    if (in.U16(h + 8) != 1) Fail();
    f.bitsPerPixel = in.U16(h + 10);
    f.paletteEntrySize = 3;
    f.paletteAt = h + headerSize;
    return f;
  }
  f.width = in.I32(h + 4);
  f.height = in.I32(h + 8);
  if (in.U16(h + 12) != 1) Fail();
  f.bitsPerPixel = in.U16(h + 14);
  f.compression = in.U32(h + 16);
  f.colorsUsed = in.U32(h + 32);
  f.paletteAt = h + headerSize;
  if (f.compression == kBiBitfields || f.compression == kBiAlphaBitfields) {
    const int count = f.compression == kBiAlphaBitfields ? 4 : 3;
    if (headerSize >= 52) {
      // V2 and later headers carry the masks (V3 and later the alpha mask too) themselves.
      for (int i = 0; i < 3; ++i) f.masks[i] = in.U32(h + 40 + std::size_t(i) * 4);
      if (headerSize >= 56) f.masks[3] = in.U32(h + 52);
    } else {
      // A plain info header is followed by the masks.
      for (int i = 0; i < count; ++i) f.masks[i] = in.U32(f.paletteAt + std::size_t(i) * 4);
      f.paletteAt += std::size_t(count) * 4;
    }
  }
  return f;
}

}  // namespace

bool IsBmp(const std::uint8_t* data, std::size_t size) {
  if (!data || size < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M') return false;
  return KnownHeaderSize(TReader(data, size).U32(kFileHeaderSize));
}

TBitmap32 DecodeBmp(const std::uint8_t* data, std::size_t size) { return DecodeBmpImage(data, size).Pixels; }

TDecodedImage DecodeBmpImage(const std::uint8_t* data, std::size_t size) {
  if (!IsBmp(data, size)) Fail();
  const TReader in(data, size);
  const std::uint32_t pixelOffset = in.U32(10);
  const std::uint32_t headerSize = in.U32(kFileHeaderSize);
  TFormat f = ReadFormat(in, headerSize);

  if (f.height < 0) {
    f.topDown = true;
    f.height = -f.height;  // from a 32-bit field, so no overflow in 64 bits
  }
  if (!ImageSizeAcceptable(f.width, f.height)) Fail();

  const int bpp = f.bitsPerPixel;
  const bool paletted = bpp == 1 || bpp == 4 || bpp == 8;
  if (!paletted && bpp != 16 && bpp != 24 && bpp != 32) Fail();
  const bool bitfields = f.compression == kBiBitfields || f.compression == kBiAlphaBitfields;
  if (f.compression != kBiRgb && !(bitfields && (bpp == 16 || bpp == 32))) Fail();

  // Palette: colorsUsed entries, or the full 2^bpp when zero; entries are B, G, R (, reserved).
  std::array<std::uint32_t, 256> palette{};
  if (paletted) {
    const std::uint32_t maxColors = 1u << bpp;
    const std::uint32_t count = f.colorsUsed == 0 || f.colorsUsed > maxColors ? maxColors : f.colorsUsed;
    in.Need(f.paletteAt, std::size_t(count) * f.paletteEntrySize);
    for (std::uint32_t i = 0; i < count; ++i) {
      const std::size_t at = f.paletteAt + std::size_t(i) * f.paletteEntrySize;
      palette[i] = std::uint32_t(data[at]) | std::uint32_t(data[at + 1]) << 8 | std::uint32_t(data[at + 2]) << 16;
    }
  }

  TChannel red, green, blue, alpha;
  if (bitfields) {
    red = TChannel(f.masks[0]);
    green = TChannel(f.masks[1]);
    blue = TChannel(f.masks[2]);
    alpha = TChannel(f.masks[3]);
  } else if (bpp == 16) {
    red = TChannel(0x7C00);
    green = TChannel(0x03E0);
    blue = TChannel(0x001F);
  }

  // Rows are padded to 4 bytes; the last row's padding may be missing from the file.
  const int width = int(f.width), height = int(f.height);
  const std::uint64_t rowBits = std::uint64_t(width) * std::uint64_t(bpp);
  const std::uint64_t stride = (rowBits + 31) / 32 * 4;
  const std::uint64_t lastRow = (rowBits + 7) / 8;
  if (pixelOffset < kFileHeaderSize + headerSize) Fail();
  const std::uint64_t needed = std::uint64_t(pixelOffset) + stride * std::uint64_t(height - 1) + lastRow;
  if (needed > size) Fail();

  TDecodedImage image;
  image.Format = TImageFormat::ifBmp;
  image.BitsPerPixel = bpp;
  image.HasAlpha = bitfields ? alpha.Present() : bpp == 32;
  image.StoredSize = {width, height};
  image.Pixels = TBitmap32(width, height);
  TBitmap32& bitmap = image.Pixels;
  for (int fileRow = 0; fileRow < height; ++fileRow) {
    const std::uint8_t* src = data + pixelOffset + stride * std::uint64_t(fileRow);
    std::uint32_t* dst = bitmap.Row(f.topDown ? fileRow : height - 1 - fileRow);
    switch (bpp) {
      case 1:
      case 4:
      case 8: {
        const int perByte = 8 / bpp;
        const std::uint32_t indexMask = (1u << bpp) - 1;
        for (int x = 0; x < width; ++x) {
          const int shift = 8 - bpp * (x % perByte + 1);  // leftmost pixel in the high bits
          dst[x] = palette[(src[x / perByte] >> shift) & indexMask];
        }
        break;
      }
      case 16:
        for (int x = 0; x < width; ++x) {
          const std::uint32_t p = std::uint32_t(src[2 * x]) | std::uint32_t(src[2 * x + 1]) << 8;
          dst[x] = alpha.Get(p) << 24 | red.Get(p) << 16 | green.Get(p) << 8 | blue.Get(p);
        }
        break;
      case 24:
        for (int x = 0; x < width; ++x)
          dst[x] = std::uint32_t(src[3 * x]) | std::uint32_t(src[3 * x + 1]) << 8 | std::uint32_t(src[3 * x + 2]) << 16;
        break;
      case 32:
        for (int x = 0; x < width; ++x) {
          const std::uint8_t* s = src + 4 * x;
          const std::uint32_t p = std::uint32_t(s[0]) | std::uint32_t(s[1]) << 8 | std::uint32_t(s[2]) << 16 |
                                  std::uint32_t(s[3]) << 24;
          dst[x] = bitfields ? alpha.Get(p) << 24 | red.Get(p) << 16 | green.Get(p) << 8 | blue.Get(p) : p;
        }
        break;
    }
  }
  return image;
}
