#include <gtest/gtest.h>

#include "TestImages.h"
#include "imaging/BmpCodec.h"

namespace {

TBitmap32 Decode(const TBytes& bmp) { return DecodeBmp(bmp.data(), bmp.size()); }

void ExpectPixels(const TBitmap32& b, int width, int height, const std::function<std::uint32_t(int, int)>& expected) {
  ASSERT_EQ(b.Width(), width);
  ASSERT_EQ(b.Height(), height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) ASSERT_EQ(Hex(b.Pixel(x, y)), Hex(expected(x, y))) << "at " << x << "," << y;
}

std::uint32_t Colour(int x, int y) { return Bgra((x * 40 + y * 3) & 0xFF, (y * 50 + 7) & 0xFF, (x * y * 11) & 0xFF, 0); }

// 24-bit rows for Colour(), top row first or bottom row first, each padded to four bytes.
TBytes Rows24(int width, int height, bool topDown) {
  TBytes pixels;
  for (int row = 0; row < height; ++row) {
    const int y = topDown ? row : height - 1 - row;
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = Colour(x, y);
      pixels.push_back(std::uint8_t(c));
      pixels.push_back(std::uint8_t(c >> 8));
      pixels.push_back(std::uint8_t(c >> 16));
    }
    while (pixels.size() % 4) pixels.push_back(0xEE);
  }
  return pixels;
}

// A 4-pixel-wide 24-bit file has no row padding, so every byte of it is needed.
TBytes Unpadded24() { return BuildBmp(InfoHeader(4, 3, 24), {}, Rows24(4, 3, false)); }

// "BM" plus a known information header size.
TEST(BmpCodec, RecognisesSignature) {
  const TBytes bmp = Unpadded24();
  EXPECT_TRUE(IsBmp(bmp.data(), bmp.size()));
  EXPECT_FALSE(IsBmp(bmp.data(), 17));
  EXPECT_FALSE(IsBmp(nullptr, 0));
  TBytes bad = bmp;
  bad[1] = 'A';
  EXPECT_FALSE(IsBmp(bad.data(), bad.size()));
  bad = bmp;
  PutU32(bad, 14, 41);
  EXPECT_FALSE(IsBmp(bad.data(), bad.size()));
}

// Bottom-up (positive height) and top-down (negative height) files describe the same picture;
// 24-bit is an opaque source, so alpha is 0, and row padding is skipped (width 5 → 1 pad byte).
TEST(BmpCodec, Decodes24BitBothRowOrders) {
  const TBytes bottomUp = BuildBmp(InfoHeader(5, 4, 24), {}, Rows24(5, 4, false));
  const TBytes topDown = BuildBmp(InfoHeader(5, -4, 24), {}, Rows24(5, 4, true));
  ExpectPixels(Decode(bottomUp), 5, 4, Colour);
  ExpectPixels(Decode(topDown), 5, 4, Colour);
}

// Writers may leave out the last row's padding; the pixels are all there, so it is accepted.
TEST(BmpCodec, AcceptsMissingFinalPadding) {
  TBytes bmp = BuildBmp(InfoHeader(5, 4, 24), {}, Rows24(5, 4, false));
  bmp.pop_back();
  ExpectPixels(Decode(bmp), 5, 4, Colour);
  bmp.pop_back();  // now a pixel byte is missing
  EXPECT_THROW(Decode(bmp), EImageError);
}

// 8-bit palette with fewer colours than 256: indices map through the palette (B, G, R, reserved
// ignored, alpha 0); indices beyond it give black instead of reading past the table.
TEST(BmpCodec, Decodes8BitPalette) {
  TBytes palette;
  for (int i = 0; i < 10; ++i) {
    palette.push_back(std::uint8_t(i * 20));       // B
    palette.push_back(std::uint8_t(255 - i * 20)); // G
    palette.push_back(std::uint8_t(i * 7));        // R
    palette.push_back(0x99);                       // reserved
  }
  TBytes pixels;
  for (int row = 0; row < 2; ++row) {
    for (int x = 0; x < 6; ++x) pixels.push_back(std::uint8_t(row == 0 ? x : 200 + x));  // bottom row first
    pixels.push_back(0);
    pixels.push_back(0);
  }
  const TBytes bmp = BuildBmp(InfoHeader(6, 2, 8, 0, 10), palette, pixels);
  ExpectPixels(Decode(bmp), 6, 2, [](int x, int y) {
    return y == 0 ? 0u : Bgra(x * 7, 255 - x * 20, x * 20, 0);
  });
}

// 4- and 1-bit rows pack the leftmost pixel in the high bits; a zero colour count means a full
// palette of 2^bpp entries.
TEST(BmpCodec, DecodesPackedPalettes) {
  {
    TBytes palette;
    for (int i = 0; i < 16; ++i) palette.insert(palette.end(), {std::uint8_t(i), std::uint8_t(i * 2), std::uint8_t(i * 3), 0});
    // 3 pixels (indices 1, 2, 15) in one row: 0x12 0xF0, padded to 4 bytes.
    const TBytes bmp = BuildBmp(InfoHeader(3, 1, 4), palette, {0x12, 0xF0, 0, 0});
    const int index[3] = {1, 2, 15};
    ExpectPixels(Decode(bmp), 3, 1, [&](int x, int) { const int i = index[x]; return Bgra(i * 3, i * 2, i, 0); });
  }
  {
    const TBytes palette = {0, 0, 0, 0, 255, 255, 255, 0};
    // 10 pixels 1011001110: 0xB3 0x80.
    const TBytes bmp = BuildBmp(InfoHeader(10, 1, 1), palette, {0xB3, 0x80, 0, 0});
    const char* bits = "1011001110";
    ExpectPixels(Decode(bmp), 10, 1, [&](int x, int) { return bits[x] == '1' ? 0x00FFFFFFu : 0u; });
  }
}

// An absurd colour count is clamped to 2^bpp rather than trusted.
TEST(BmpCodec, ClampsColourCount) {
  const TBytes palette = {10, 20, 30, 0, 40, 50, 60, 0};
  const TBytes bmp = BuildBmp(InfoHeader(2, 1, 1, 0, 0xFFFFFFFF), palette, {0x40, 0, 0, 0});
  ExpectPixels(Decode(bmp), 2, 1, [](int x, int) { return x == 0 ? Bgra(30, 20, 10, 0) : Bgra(60, 50, 40, 0); });
}

// 32-bit BI_RGB keeps the fourth byte as alpha, whatever it is.
TEST(BmpCodec, Decodes32BitWithStoredAlpha) {
  TBytes pixels;
  for (int i = 0; i < 6; ++i) pixels.insert(pixels.end(), {std::uint8_t(i), std::uint8_t(i * 10), std::uint8_t(i * 20), std::uint8_t(i * 40)});
  const TBytes bmp = BuildBmp(InfoHeader(3, -2, 32), {}, pixels);
  ExpectPixels(Decode(bmp), 3, 2, [](int x, int y) {
    const int i = y * 3 + x;
    return Bgra(i * 20, i * 10, i, i * 40);
  });
}

// BI_BITFIELDS after a plain info header: the three masks follow the header; without an alpha
// mask the picture is opaque (alpha 0) even though the fourth byte holds data.
TEST(BmpCodec, Decodes32BitBitfieldsWithoutAlpha) {
  TBytes masks;
  AppendU32(masks, 0x000000FF);  // red in the low byte
  AppendU32(masks, 0x0000FF00);
  AppendU32(masks, 0x00FF0000);  // blue
  const TBytes pixels = {10, 20, 30, 40, 50, 60, 70, 80};
  const TBytes bmp = BuildBmp(InfoHeader(2, 1, 32, 3), masks, pixels);
  ExpectPixels(Decode(bmp), 2, 1, [](int x, int) { return x == 0 ? Bgra(10, 20, 30, 0) : Bgra(50, 60, 70, 0); });
}

// A V5 header carries its own masks, including alpha.
TEST(BmpCodec, DecodesV5HeaderWithAlphaMask) {
  TBytes header = InfoHeader(2, 1, 32, 3, 0, 124);
  PutU32(header, 40, 0xFF000000);  // red in the top byte
  PutU32(header, 44, 0x00FF0000);  // green
  PutU32(header, 48, 0x0000FF00);  // blue
  PutU32(header, 52, 0x000000FF);  // alpha in the low byte
  const TBytes pixels = {0x11, 0x22, 0x33, 0x44, 0x80, 0x00, 0xFF, 0x01};
  const TBytes bmp = BuildBmp(header, {}, pixels);
  // Little-endian words 0x44332211 and 0x01FF0080.
  ExpectPixels(Decode(bmp), 2, 1, [](int x, int) { return x == 0 ? Bgra(0x44, 0x33, 0x22, 0x11) : Bgra(0x01, 0xFF, 0x00, 0x80); });
}

// 16-bit: BI_RGB means 5-5-5, bit fields allow 5-6-5; fields scale to the full 0…255 range.
TEST(BmpCodec, Decodes16Bit) {
  {
    // 0x7FFF white, 0x7C00 red, 0x001F blue, 0x0200 = green 16 → 16 × 255 / 31 = 131.6 → 132.
    const TBytes pixels = {0xFF, 0x7F, 0x00, 0x7C, 0x1F, 0x00, 0x00, 0x02};
    const TBytes bmp = BuildBmp(InfoHeader(4, 1, 16), {}, pixels);
    const std::uint32_t want[4] = {Bgra(255, 255, 255, 0), Bgra(255, 0, 0, 0), Bgra(0, 0, 255, 0), Bgra(0, 132, 0, 0)};
    ExpectPixels(Decode(bmp), 4, 1, [&](int x, int) { return want[x]; });
  }
  {
    TBytes masks;
    AppendU32(masks, 0xF800);
    AppendU32(masks, 0x07E0);
    AppendU32(masks, 0x001F);
    // 0x07E0 full green, 0x0020 green 1 → 1 × 255 / 63 = 4.05 → 4; two pixels, padded.
    const TBytes pixels = {0xE0, 0x07, 0x20, 0x00};
    const TBytes bmp = BuildBmp(InfoHeader(2, 1, 16, 3), masks, pixels);
    ExpectPixels(Decode(bmp), 2, 1, [](int x, int) { return x == 0 ? Bgra(0, 255, 0, 0) : Bgra(0, 4, 0, 0); });
  }
}

// The old 12-byte core header with 16-bit sizes and a 3-byte palette.
TEST(BmpCodec, DecodesCoreHeader) {
  TBytes header(12);
  PutU32(header, 0, 12);
  PutU16(header, 4, 3);
  PutU16(header, 6, 1);
  PutU16(header, 8, 1);
  PutU16(header, 10, 8);
  TBytes palette(256 * 3);
  palette[3] = 1, palette[4] = 2, palette[5] = 3;
  palette[6] = 200, palette[7] = 100, palette[8] = 50;
  const TBytes bmp = BuildBmp(header, palette, {1, 2, 0, 0});
  const std::uint32_t want[3] = {Bgra(3, 2, 1, 0), Bgra(50, 100, 200, 0), 0};
  ExpectPixels(Decode(bmp), 3, 1, [&](int x, int) { return want[x]; });
}

// Cutting the file anywhere must be refused.
TEST(BmpCodec, EveryTruncationThrows) {
  const TBytes files[] = {Unpadded24(), BuildBmp(InfoHeader(4, 1, 8, 0, 4), TBytes(16, 7), {0, 1, 2, 3})};
  for (const TBytes& bmp : files) {
    ASSERT_NO_THROW(Decode(bmp));
    for (std::size_t len = 0; len < bmp.size(); ++len)
      EXPECT_THROW(DecodeBmp(bmp.data(), len), EImageError) << "length " << len;
  }
}

// Inverted bytes anywhere: either refused or a picture of a permitted size (and, under the
// sanitizers, no read outside the buffer).
TEST(BmpCodec, FlippedBytesNeverCrash) {
  const TBytes files[] = {Unpadded24(), BuildBmp(InfoHeader(4, 1, 8, 0, 4), TBytes(16, 7), {0, 1, 2, 3})};
  for (const TBytes& bmp : files) {
    for (std::size_t i = 0; i < bmp.size(); ++i) {
      TBytes bad = bmp;
      bad[i] ^= 0xFF;
      try {
        const TBitmap32 b = Decode(bad);
        EXPECT_TRUE(ImageSizeAcceptable(b.Width(), b.Height()));
      } catch (const EImageError&) {
      }
    }
  }
}

// Header values that make no sense, or that this reader does not handle, are refused.
TEST(BmpCodec, RefusesBadHeaders) {
  const TBytes rows = Rows24(4, 3, false);
  EXPECT_THROW(Decode(BuildBmp(InfoHeader(0, 3, 24), {}, rows)), EImageError);
  EXPECT_THROW(Decode(BuildBmp(InfoHeader(4, 0, 24), {}, rows)), EImageError);
  EXPECT_THROW(Decode(BuildBmp(InfoHeader(-4, 3, 24), {}, rows)), EImageError);
  EXPECT_THROW(Decode(BuildBmp(InfoHeader(16385, 1, 24), {}, rows)), EImageError);
  EXPECT_THROW(Decode(BuildBmp(InfoHeader(4, INT32_MIN, 24), {}, rows)), EImageError);
  EXPECT_THROW(Decode(BuildBmp(InfoHeader(10000, 10000, 1), TBytes(8), rows)), EImageError);  // 100 M pixels
  EXPECT_THROW(Decode(BuildBmp(InfoHeader(4, 3, 2), TBytes(16), rows)), EImageError);         // 2 bits per pixel
  EXPECT_THROW(Decode(BuildBmp(InfoHeader(4, 3, 0), {}, rows)), EImageError);
  EXPECT_THROW(Decode(BuildBmp(InfoHeader(4, 3, 8, 1), TBytes(1024), rows)), EImageError);  // RLE8
  EXPECT_THROW(Decode(BuildBmp(InfoHeader(4, 3, 4, 2), TBytes(64), rows)), EImageError);    // RLE4
  EXPECT_THROW(Decode(BuildBmp(InfoHeader(4, 3, 24, 3), TBytes(12), rows)), EImageError);   // bit fields need 16/32
  EXPECT_THROW(Decode(BuildBmp(InfoHeader(4, 3, 24, 4), {}, rows)), EImageError);           // embedded JPEG
  TBytes planes = InfoHeader(4, 3, 24);
  PutU16(planes, 12, 2);
  EXPECT_THROW(Decode(BuildBmp(planes, {}, rows)), EImageError);
  // Pixel offset pointing past the end, or back into the headers.
  TBytes bmp = Unpadded24();
  PutU32(bmp, 10, 0xFFFFFFF0u);
  EXPECT_THROW(Decode(bmp), EImageError);
  bmp = Unpadded24();
  PutU32(bmp, 10, 20);
  EXPECT_THROW(Decode(bmp), EImageError);
  // A palette that runs off the end of the file.
  EXPECT_THROW(Decode(BuildBmp(InfoHeader(1, 1, 8), {}, {})), EImageError);
}

// Colour masks must be runs of contiguous bits.
TEST(BmpCodec, RefusesScatteredMasks) {
  TBytes masks;
  AppendU32(masks, 0x00FF00FF);
  AppendU32(masks, 0x0000FF00);
  AppendU32(masks, 0x00FF0000);
  EXPECT_THROW(Decode(BuildBmp(InfoHeader(1, 1, 32, 3), masks, {1, 2, 3, 4})), EImageError);
}

}  // namespace
