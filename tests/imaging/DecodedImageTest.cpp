#include <gtest/gtest.h>

#include "TestImages.h"
#include "imaging/DecodedImage.h"
#include "imaging/JpegCodec.h"

namespace {

TDecodedImage Decode(const TBytes& bytes) { return DecodeImage(bytes); }

TBytes Zeros(std::size_t n) { return TBytes(n, 0); }

// The three fields a caller decides by, checked together so a failure names all of them.
void ExpectRecord(const TDecodedImage& image, TImageFormat format, int bitsPerPixel, bool hasAlpha, int width, int height) {
  EXPECT_EQ(image.Format, format);
  EXPECT_EQ(image.BitsPerPixel, bitsPerPixel);
  EXPECT_EQ(image.HasAlpha, hasAlpha);
  EXPECT_EQ(image.StoredSize, (TImageSize{width, height}));
  EXPECT_EQ(image.Pixels.Width(), width);
  EXPECT_EQ(image.Pixels.Height(), height);
}

TBytes PngOf(int colorType, int bitDepth, TBytes trns = {}) {
  TPngLayout s;
  s.width = 3;
  s.height = 2;
  s.colorType = colorType;
  s.bitDepth = bitDepth;
  if (colorType == kPngPalette) s.palette = {10, 20, 30, 40, 50, 60};
  s.trns = std::move(trns);
  return BuildPng(s, [](int x, int, int) { return std::uint32_t(x % 2); });
}

}  // namespace

// A bitmap file reports its bit count; only a 32-bit BI_RGB file or bit fields with an alpha
// mask keep alpha, a bottom-up file reports its height as a positive size.
TEST(DecodedImage, BmpDepthAndAlpha) {
  ExpectRecord(Decode(BuildBmp(InfoHeader(3, 2, 24), {}, Zeros(24))), TImageFormat::ifBmp, 24, false, 3, 2);
  ExpectRecord(Decode(BuildBmp(InfoHeader(3, -2, 32), {}, Zeros(24))), TImageFormat::ifBmp, 32, true, 3, 2);
  TBytes palette = Zeros(8);
  ExpectRecord(Decode(BuildBmp(InfoHeader(5, 1, 8, 0, 2), palette, Zeros(8))), TImageFormat::ifBmp, 8, false, 5, 1);

  TBytes masks;
  AppendU32(masks, 0x00FF0000);
  AppendU32(masks, 0x0000FF00);
  AppendU32(masks, 0x000000FF);
  ExpectRecord(Decode(BuildBmp(InfoHeader(2, 1, 32, 3), masks, Zeros(8))), TImageFormat::ifBmp, 32, false, 2, 1);
  TBytes v5 = InfoHeader(2, 1, 32, 3, 0, 124);
  PutU32(v5, 40, 0x00FF0000);
  PutU32(v5, 44, 0x0000FF00);
  PutU32(v5, 48, 0x000000FF);
  PutU32(v5, 52, 0xFF000000);
  ExpectRecord(Decode(BuildBmp(v5, {}, Zeros(8))), TImageFormat::ifBmp, 32, true, 2, 1);
  // 16-bit bit fields with an alpha mask keep alpha too, at 16 bits per pixel.
  TBytes v5short = InfoHeader(2, 1, 16, 3, 0, 124);
  PutU32(v5short, 40, 0x0F00);
  PutU32(v5short, 44, 0x00F0);
  PutU32(v5short, 48, 0x000F);
  PutU32(v5short, 52, 0xF000);
  ExpectRecord(Decode(BuildBmp(v5short, {}, Zeros(4))), TImageFormat::ifBmp, 16, true, 2, 1);
}

// A PNG reports channels × sample depth (a palette its index depth) and has alpha exactly when
// it has an alpha channel or a tRNS chunk.
TEST(DecodedImage, PngDepthAndAlpha) {
  ExpectRecord(Decode(PngOf(kPngRgba, 8)), TImageFormat::ifPng, 32, true, 3, 2);
  ExpectRecord(Decode(PngOf(kPngRgb, 8)), TImageFormat::ifPng, 24, false, 3, 2);
  ExpectRecord(Decode(PngOf(kPngRgb, 16)), TImageFormat::ifPng, 48, false, 3, 2);
  ExpectRecord(Decode(PngOf(kPngGrayAlpha, 8)), TImageFormat::ifPng, 16, true, 3, 2);
  ExpectRecord(Decode(PngOf(kPngGray, 2)), TImageFormat::ifPng, 2, false, 3, 2);
  ExpectRecord(Decode(PngOf(kPngPalette, 4)), TImageFormat::ifPng, 4, false, 3, 2);
  ExpectRecord(Decode(PngOf(kPngPalette, 4, {0, 255})), TImageFormat::ifPng, 4, true, 3, 2);
  ExpectRecord(Decode(PngOf(kPngRgb, 8, {0, 1, 0, 1, 0, 1})), TImageFormat::ifPng, 24, true, 3, 2);
}

// A tRNS chunk the decoder does not accept (an RGB one must be six bytes long) gives no alpha:
// the flag follows what the pixels got, so a caller that trusts it never keeps an alpha of 0
// that the file did not mean.
TEST(DecodedImage, RefusedTrnsMeansNoAlpha) {
  const TDecodedImage image = Decode(PngOf(kPngRgb, 8, {0, 1}));
  EXPECT_FALSE(image.HasAlpha);
  EXPECT_EQ(image.Pixels.Pixel(1, 0) >> 24, 0u);
}

// A JPEG has no alpha; a colour file is three 8-bit components.
TEST(DecodedImage, JpegRecord) {
  TBitmap32 picture(17, 9);
  const TDecodedImage image = Decode(EncodeJpeg(picture, 90));
  ExpectRecord(image, TImageFormat::ifJpeg, 24, false, 17, 9);
}

// The format is chosen by content, and what no decoder knows, or a damaged file, throws.
TEST(DecodedImage, SniffsAndRefuses) {
  const TBytes png = PngOf(kPngRgb, 8);
  const TBytes bmp = BuildBmp(InfoHeader(1, 1, 24), {}, Zeros(4));
  EXPECT_EQ(SniffImageFormat(png.data(), png.size()), TImageFormat::ifPng);
  EXPECT_EQ(SniffImageFormat(bmp.data(), bmp.size()), TImageFormat::ifBmp);
  const TBytes text = {'G', 'I', 'F', '8', '9', 'a', 0, 0};
  EXPECT_EQ(SniffImageFormat(text.data(), text.size()), std::nullopt);
  EXPECT_EQ(SniffImageFormat(nullptr, 0), std::nullopt);
  EXPECT_THROW(Decode(text), EImageError);
  EXPECT_THROW(Decode(TBytes(png.begin(), png.end() - 20)), EImageError);
  EXPECT_THROW(Decode(TBytes(bmp.begin(), bmp.begin() + 20)), EImageError);
}
