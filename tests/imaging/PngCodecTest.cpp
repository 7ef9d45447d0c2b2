#include <gtest/gtest.h>

#include "TestImages.h"
#include "imaging/PngCodec.h"

#include <zlib.h>

namespace {

TBitmap32 Decode(const TBytes& png) { return DecodePng(png.data(), png.size()); }

void ExpectPixels(const TBitmap32& bitmap, int width, int height, const std::function<std::uint32_t(int, int)>& expected) {
  ASSERT_EQ(bitmap.Width(), width);
  ASSERT_EQ(bitmap.Height(), height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      ASSERT_EQ(Hex(bitmap.Pixel(x, y)), Hex(expected(x, y))) << "at " << x << "," << y;
}

TBitmap32 Sample(int width, int height) {
  TBitmap32 b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      b.Pixel(x, y) = Bgra((x * 37 + y) & 0xFF, (y * 53) & 0xFF, (x * y * 7 + 3) & 0xFF, (x * 29 + y * 11) & 0xFF);
  return b;
}

// A small RGBA picture with every channel varying; reused by the corruption tests.
TBytes SmallRgbaPng() {
  TPngLayout s;
  s.width = 7;
  s.height = 5;
  return BuildPng(s, [](int x, int y, int c) { return std::uint32_t((x * 31 + y * 17 + c * 71) & 0xFF); });
}

// Signature recognition: only the exact eight bytes count, and short input is not a PNG.
TEST(PngCodec, RecognisesSignature) {
  const TBytes png = SmallRgbaPng();
  EXPECT_TRUE(IsPng(png.data(), png.size()));
  EXPECT_TRUE(IsPng(png.data(), 8));
  EXPECT_FALSE(IsPng(png.data(), 7));
  EXPECT_FALSE(IsPng(nullptr, 0));
  TBytes bad = png;
  bad[4] = '\r' + 1;
  EXPECT_FALSE(IsPng(bad.data(), bad.size()));
}

// EncodePng followed by DecodePng must give back every pixel, alpha included, bit for bit.
TEST(PngCodec, RoundTripIsExact) {
  const TBitmap32 source = Sample(53, 29);
  const std::vector<std::uint8_t> png = EncodePng(source);
  ASSERT_TRUE(IsPng(png.data(), png.size()));
  const TBitmap32 decoded = Decode(png);
  ExpectPixels(decoded, 53, 29, [&](int x, int y) { return source.Pixel(x, y); });
}

// The encoder must follow a view's negative stride rather than assume top-down rows.
TEST(PngCodec, EncodesBottomUpView) {
  TBitmap32 source = Sample(6, 4);
  TBitmap32 flipped(6, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x) flipped.Pixel(x, 3 - y) = source.Pixel(x, y);
  const TBitmap32 view = TBitmap32::View(flipped.Row(3), -flipped.Stride(), 6, 4);
  const TBitmap32 decoded = Decode(EncodePng(view));
  ExpectPixels(decoded, 6, 4, [&](int x, int y) { return source.Pixel(x, y); });
}

// Nothing to encode is an error, not an empty file.
TEST(PngCodec, EncodeEmptyThrows) { EXPECT_THROW(EncodePng(TBitmap32()), EImageError); }

// RGBA samples land as B, G, R, A with alpha straight (not premultiplied).
TEST(PngCodec, DecodesRgbaStraightAlpha) {
  TPngLayout s;
  s.width = 3;
  s.height = 2;
  const TBytes png = BuildPng(s, [](int x, int y, int c) {
    const std::uint32_t px[2][3][4] = {{{255, 0, 0, 255}, {10, 20, 30, 128}, {200, 100, 50, 0}},
                                       {{1, 2, 3, 4}, {0, 255, 0, 77}, {0, 0, 255, 255}}};
    return px[y][x][c];
  });
  const std::uint32_t want[2][3] = {{Bgra(255, 0, 0, 255), Bgra(10, 20, 30, 128), Bgra(200, 100, 50, 0)},
                                    {Bgra(1, 2, 3, 4), Bgra(0, 255, 0, 77), Bgra(0, 0, 255, 255)}};
  ExpectPixels(Decode(png), 3, 2, [&](int x, int y) { return want[y][x]; });
}

// RGB without tRNS is an opaque source: alpha 0, so magenta decodes to the key pixel 0x00FF00FF.
TEST(PngCodec, OpaqueRgbGetsAlphaZero) {
  TPngLayout s;
  s.width = 4;
  s.height = 3;
  s.colorType = kPngRgb;
  const TBytes png = BuildPng(s, [](int x, int y, int c) { return x == 0 ? (c == 1 ? 0u : 255u) : std::uint32_t(x * 40 + c * 9 + y); });
  ExpectPixels(Decode(png), 4, 3, [](int x, int y) {
    return x == 0 ? 0x00FF00FFu : Bgra(x * 40 + y, x * 40 + 9 + y, x * 40 + 18 + y, 0);
  });
}

// A 4-bit palette with a short tRNS: listed entries take their alpha, the rest are opaque (255).
TEST(PngCodec, DecodesPaletteWithTrns) {
  TPngLayout s;
  s.width = 5;
  s.height = 3;
  s.bitDepth = 4;
  s.colorType = kPngPalette;
  for (int i = 0; i < 16; ++i) {
    s.palette.push_back(std::uint8_t(i * 16));
    s.palette.push_back(std::uint8_t(255 - i * 16));
    s.palette.push_back(std::uint8_t(i * 3));
  }
  s.trns = {0, 128, 255};
  const TBytes png = BuildPng(s, [](int x, int y, int) { return std::uint32_t((x + y * 5) % 16); });
  ExpectPixels(Decode(png), 5, 3, [](int x, int y) {
    const int i = (x + y * 5) % 16;
    const std::uint32_t a = i == 0 ? 0 : i == 1 ? 128 : 255;
    return Bgra(i * 16, 255 - i * 16, i * 3, a);
  });
}

// A 1-bit palette without tRNS: packed bits unpacked MSB first, opaque source so alpha 0.
TEST(PngCodec, DecodesOneBitPalette) {
  TPngLayout s;
  s.width = 11;
  s.height = 2;
  s.bitDepth = 1;
  s.colorType = kPngPalette;
  s.palette = {255, 0, 255, 12, 34, 56};
  const TBytes png = BuildPng(s, [](int x, int y, int) { return std::uint32_t((x * 3 + y) % 2); });
  ExpectPixels(Decode(png), 11, 2, [](int x, int y) { return (x * 3 + y) % 2 ? Bgra(12, 34, 56, 0) : 0x00FF00FFu; });
}

// Grey of every depth expands into all three channels: low depths by bit replication
// (2-bit 2 → 0xAA), 16-bit by scaling (v × 257 → v).
TEST(PngCodec, DecodesGreyAtAllDepths) {
  for (int depth : {1, 2, 4, 8, 16}) {
    TPngLayout s;
    s.width = 9;
    s.height = 2;
    s.bitDepth = depth;
    s.colorType = kPngGray;
    const std::uint32_t levels = depth == 16 ? 256 : 1u << depth;
    auto level = [&](int x, int y) { return std::uint32_t(x * 3 + y) % levels; };
    const TBytes png = BuildPng(s, [&](int x, int y, int) { return depth == 16 ? level(x, y) * 257 : level(x, y); });
    SCOPED_TRACE(depth);
    ExpectPixels(Decode(png), 9, 2, [&](int x, int y) {
      const std::uint32_t g = level(x, y) * 255 / (levels - 1);
      return Bgra(g, g, g, 0);
    });
  }
}

// A grey tRNS names one transparent grey level; every other level becomes fully opaque.
TEST(PngCodec, DecodesGreyWithTrns) {
  TPngLayout s;
  s.width = 4;
  s.height = 1;
  s.colorType = kPngGray;
  s.trns = {0, 50};
  const TBytes png = BuildPng(s, [](int x, int, int) { return std::uint32_t(x == 2 ? 50 : x * 10); });
  ExpectPixels(Decode(png), 4, 1, [](int x, int) { return x == 2 ? Bgra(50, 50, 50, 0) : Bgra(x * 10, x * 10, x * 10, 255); });
}

// Grey plus alpha keeps the alpha sample.
TEST(PngCodec, DecodesGreyAlpha) {
  TPngLayout s;
  s.width = 3;
  s.height = 2;
  s.colorType = kPngGrayAlpha;
  const TBytes png = BuildPng(s, [](int x, int y, int c) { return std::uint32_t(c == 0 ? x * 60 + y : 255 - x * 50 - y); });
  ExpectPixels(Decode(png), 3, 2, [](int x, int y) {
    const std::uint32_t g = x * 60 + y;
    return Bgra(g, g, g, 255 - x * 50 - y);
  });
}

// 16-bit samples scale to 8 bits (v × 257 → v exactly; others round to nearest).
TEST(PngCodec, Decodes16BitRgba) {
  TPngLayout s;
  s.width = 4;
  s.height = 2;
  s.bitDepth = 16;
  const TBytes png = BuildPng(s, [](int x, int y, int c) {
    if (x == 3) return std::uint32_t(c == 3 ? 0xFFFF : 0x10F0);  // 0x10F0 / 257 = 16.9: rounds to 0x11
    return std::uint32_t(((x * 50 + y * 7 + c * 20) & 0xFF) * 257);
  });
  ExpectPixels(Decode(png), 4, 2, [](int x, int y) {
    if (x == 3) return Bgra(0x11, 0x11, 0x11, 0xFF);
    auto v = [&](int c) { return std::uint32_t((x * 50 + y * 7 + c * 20) & 0xFF); };
    return Bgra(v(0), v(1), v(2), v(3));
  });
}

// 16-bit RGB with a tRNS colour key: the matching colour is transparent, others opaque.
TEST(PngCodec, Decodes16BitRgbWithTrns) {
  TPngLayout s;
  s.width = 3;
  s.height = 1;
  s.bitDepth = 16;
  s.colorType = kPngRgb;
  s.trns = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC};
  const TBytes png = BuildPng(s, [](int x, int, int c) {
    const std::uint32_t key[3] = {0x1234, 0x5678, 0x9ABC};
    return x == 1 ? key[c] : std::uint32_t(0x2020 * (c + 1));
  });
  const TBitmap32 b = Decode(png);
  ASSERT_EQ(b.Width(), 3);
  EXPECT_EQ(b.Pixel(1, 0) >> 24, 0u);
  EXPECT_EQ(b.Pixel(0, 0) >> 24, 255u);
  EXPECT_EQ(b.Pixel(2, 0) >> 24, 255u);
}

// Adam7 interlacing (including sizes where some passes are empty) decodes to the same pixels
// as the plain file.
TEST(PngCodec, InterlacedMatchesPlain) {
  const int sizes[][2] = {{1, 1}, {2, 3}, {5, 1}, {13, 11}, {16, 16}};
  for (const auto& size : sizes) {
    for (int colorType : {kPngRgba, kPngPalette}) {
      TPngLayout s;
      s.width = size[0];
      s.height = size[1];
      s.colorType = colorType;
      if (colorType == kPngPalette) {
        s.bitDepth = 2;
        s.palette = {0, 0, 0, 90, 0, 0, 0, 180, 0, 0, 0, 250};
      }
      const int depth = s.bitDepth;
      TSampleFn f = [&](int x, int y, int c) { return std::uint32_t((x * 13 + y * 29 + c * 5) % (1 << depth)); };
      const TBytes plain = BuildPng(s, f);
      s.interlaced = true;
      const TBytes interlaced = BuildPng(s, f);
      SCOPED_TRACE(std::to_string(size[0]) + "x" + std::to_string(size[1]) + " type " + std::to_string(colorType));
      const TBitmap32 expected = Decode(plain);
      ExpectPixels(Decode(interlaced), size[0], size[1], [&](int x, int y) { return expected.Pixel(x, y); });
    }
  }
}

// Cutting a file anywhere (even inside IEND) must be reported, never returned half-filled.
TEST(PngCodec, EveryTruncationThrows) {
  const TBytes png = SmallRgbaPng();
  for (std::size_t len = 0; len < png.size(); ++len)
    EXPECT_THROW(DecodePng(png.data(), len), EImageError) << "length " << len;
}

// The file has only critical chunks, whose CRCs cover everything after the signature, so
// inverting any single byte must be refused.
TEST(PngCodec, EveryFlippedByteThrows) {
  const TBytes png = SmallRgbaPng();
  for (std::size_t i = 0; i < png.size(); ++i) {
    TBytes bad = png;
    bad[i] ^= 0xFF;
    EXPECT_THROW(DecodePng(bad.data(), bad.size()), EImageError) << "byte " << i;
  }
}

// Headers naming impossible or oversized pictures are refused before any pixel work.
TEST(PngCodec, RefusesBadDimensions) {
  const TBytes tiny = {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01};  // empty zlib stream
  EXPECT_THROW(Decode(BuildPngRaw(0, 10, 8, kPngRgba, tiny)), EImageError);
  EXPECT_THROW(Decode(BuildPngRaw(10, 0, 8, kPngRgba, tiny)), EImageError);
  EXPECT_THROW(Decode(BuildPngRaw(16385, 1, 8, kPngRgba, tiny)), EImageError);
  EXPECT_THROW(Decode(BuildPngRaw(1, 16385, 8, kPngRgba, tiny)), EImageError);
  EXPECT_THROW(Decode(BuildPngRaw(10000, 10000, 1, kPngGray, tiny)), EImageError);  // 100 M pixels
  EXPECT_THROW(Decode(BuildPngRaw(0x80000000u, 1, 8, kPngRgba, tiny)), EImageError);
}

// A tiny file whose header claims 16384 × 4096 (allowed, 64 M pixels) is refused before the
// 256 MiB bitmap is allocated: its image data could never inflate to that many bytes.
TEST(PngCodec, RefusesHugeClaimFromTinyFile) {
  const TBytes tiny = {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01};
  const TBytes png = BuildPngRaw(16384, 4096, 8, kPngRgba, tiny);
  const long grown = PeakMemoryGrowthMiB([&] { EXPECT_THROW(Decode(png), EImageError); });
  EXPECT_LT(grown, 128);
}

// Invalid IHDR fields (bit depth not allowed for the colour type, unknown colour type).
TEST(PngCodec, RefusesInvalidHeaderFields) {
  const TBytes tiny = {0x78, 0x9C, 0x03, 0x00, 0x00, 0x00, 0x00, 0x01};
  EXPECT_THROW(Decode(BuildPngRaw(1, 1, 4, kPngRgb, tiny)), EImageError);
  EXPECT_THROW(Decode(BuildPngRaw(1, 1, 8, 5, tiny)), EImageError);
  EXPECT_THROW(Decode(BuildPngRaw(1, 1, 3, kPngGray, tiny)), EImageError);
}

// Image data that inflates to fewer bytes than the rows need is an error, not a short picture.
TEST(PngCodec, RefusesShortImageData) {
  // 4×4 RGBA needs 4 × (1 + 16) bytes; give it one row's worth.
  TBytes raw(17, 0);
  TBytes idat(64);
  uLongf len = uLongf(idat.size());
  ASSERT_EQ(compress2(idat.data(), &len, raw.data(), uLong(raw.size()), 9), Z_OK);
  idat.resize(len);
  EXPECT_THROW(Decode(BuildPngRaw(4, 4, 8, kPngRgba, idat)), EImageError);
}

// Arbitrary bytes after a valid signature are refused.
TEST(PngCodec, RefusesGarbageAfterSignature) {
  TBytes junk = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  for (int i = 0; i < 100; ++i) junk.push_back(std::uint8_t(i * 37 + 11));
  EXPECT_THROW(Decode(junk), EImageError);
  EXPECT_THROW(DecodePng(nullptr, 0), EImageError);
}

}  // namespace
