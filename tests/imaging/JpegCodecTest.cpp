#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <jpeglib.h>

#include "TestImages.h"
#include "imaging/JpegCodec.h"

namespace {

// Pictures in the formats EncodeJpeg never writes (grey, CMYK, progressive, odd scan scripts),
// written with libjpeg directly. A failure here is a fault in the test itself, so libjpeg's
// default error handling (print and exit) is acceptable.
struct TJpegOptions {
  J_COLOR_SPACE space = JCS_RGB;
  bool adobeMarker = true;  // for CMYK
  bool progressive = false;
  std::vector<jpeg_scan_info> script;  // custom scan script when not empty
  int quality = 95;
};

TBytes WriteJpeg(int width, int height, const TJpegOptions& o,
                 const std::function<std::uint8_t(int x, int y, int c)>& sample) {
  jpeg_compress_struct cinfo;
  jpeg_error_mgr err;
  cinfo.err = jpeg_std_error(&err);
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  const int components = o.space == JCS_GRAYSCALE ? 1 : o.space == JCS_CMYK ? 4 : 3;
  cinfo.image_width = JDIMENSION(width);
  cinfo.image_height = JDIMENSION(height);
  cinfo.input_components = components;
  cinfo.in_color_space = o.space;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, o.quality, TRUE);
  if (o.space == JCS_CMYK) cinfo.write_Adobe_marker = o.adobeMarker;
  if (o.progressive) jpeg_simple_progression(&cinfo);
  if (!o.script.empty()) {
    cinfo.scan_info = o.script.data();
    cinfo.num_scans = int(o.script.size());
  }
  jpeg_start_compress(&cinfo, TRUE);
  std::vector<std::uint8_t> row(std::size_t(width) * components);
  while (cinfo.next_scanline < cinfo.image_height) {
    const int y = int(cinfo.next_scanline);
    for (int x = 0; x < width; ++x)
      for (int c = 0; c < components; ++c) row[std::size_t(x * components + c)] = sample(x, y, c);
    JSAMPROW p = row.data();
    jpeg_write_scanlines(&cinfo, &p, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  TBytes out(buffer, buffer + size);
  std::free(buffer);
  return out;
}

TBitmap32 Decode(const TBytes& jpeg) { return DecodeJpeg(jpeg.data(), jpeg.size()); }

int Channel(std::uint32_t pixel, int shift) { return int((pixel >> shift) & 0xFF); }

// Every pixel within `tolerance` of the expected colour on each of R, G, B, and alpha exactly 0.
void ExpectNear(const TBitmap32& b, int width, int height, int tolerance,
                const std::function<std::uint32_t(int, int)>& expected) {
  ASSERT_EQ(b.Width(), width);
  ASSERT_EQ(b.Height(), height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const std::uint32_t got = b.Pixel(x, y), want = expected(x, y);
      ASSERT_EQ(got >> 24, 0u) << "alpha at " << x << "," << y;
      for (int shift : {0, 8, 16})
        ASSERT_NEAR(Channel(got, shift), Channel(want, shift), tolerance)
            << "at " << x << "," << y << " got " << Hex(got) << " want " << Hex(want);
    }
}

TBitmap32 Gradient(int width, int height) {
  TBitmap32 b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.Pixel(x, y) = Bgra(x * 255 / width, y * 255 / height, 128, 255);
  return b;
}

// The end of the first SOS segment: everything up to it is header, after it entropy data.
std::size_t EndOfFirstScanHeader(const TBytes& jpeg) {
  for (std::size_t i = 2; i + 3 < jpeg.size();) {
    if (jpeg[i] != 0xFF) return 0;
    const std::size_t length = std::size_t(jpeg[i + 2]) << 8 | jpeg[i + 3];
    if (jpeg[i + 1] == 0xDA) return i + 2 + length;
    i += 2 + length;
  }
  return 0;
}

// Offset of the SOFn segment's height field (width follows it).
std::size_t SofDimensions(const TBytes& jpeg) {
  for (std::size_t i = 2; i + 3 < jpeg.size();) {
    const std::uint8_t m = jpeg[i + 1];
    if (m == 0xC0 || m == 0xC1 || m == 0xC2) return i + 5;
    i += 2 + (std::size_t(jpeg[i + 2]) << 8 | jpeg[i + 3]);
  }
  return 0;
}

void SetSof(TBytes& jpeg, int width, int height) {
  const std::size_t at = SofDimensions(jpeg);
  ASSERT_NE(at, 0u);
  jpeg[at] = std::uint8_t(height >> 8);
  jpeg[at + 1] = std::uint8_t(height);
  jpeg[at + 2] = std::uint8_t(width >> 8);
  jpeg[at + 3] = std::uint8_t(width);
}

// Signature: FF D8 FF, nothing shorter.
TEST(JpegCodec, RecognisesSignature) {
  const std::vector<std::uint8_t> jpeg = EncodeJpeg(Gradient(8, 8), 80);
  EXPECT_TRUE(IsJpeg(jpeg.data(), jpeg.size()));
  EXPECT_FALSE(IsJpeg(jpeg.data(), 2));
  EXPECT_FALSE(IsJpeg(nullptr, 0));
  const std::uint8_t png[] = {0x89, 'P', 'N', 'G'};
  EXPECT_FALSE(IsJpeg(png, sizeof png));
}

// A flat colour survives encode → decode almost unchanged, at exactly the original size.
TEST(JpegCodec, FlatColourRoundTrip) {
  TBitmap32 source(64, 48);
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 64; ++x) source.Pixel(x, y) = Bgra(30, 120, 200, 255);
  const std::vector<std::uint8_t> jpeg = EncodeJpeg(source, 90);
  ExpectNear(Decode(jpeg), 64, 48, 3, [](int, int) { return Bgra(30, 120, 200, 0); });
}

// A smooth gradient at a size that is not a multiple of the 16-pixel MCU stays close, with the
// edge blocks' padding cut away correctly.
TEST(JpegCodec, GradientRoundTrip) {
  const TBitmap32 source = Gradient(101, 37);
  const std::vector<std::uint8_t> jpeg = EncodeJpeg(source, 95);
  ExpectNear(Decode(jpeg), 101, 37, 8, [&](int x, int y) { return source.Pixel(x, y); });
}

// Source alpha plays no part in the encoded picture (BGRX input); decoded alpha is always 0.
TEST(JpegCodec, EncoderIgnoresAlpha) {
  TBitmap32 a(16, 16), b(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) {
      a.Pixel(x, y) = Bgra(x * 16, y * 16, 77, 0);
      b.Pixel(x, y) = Bgra(x * 16, y * 16, 77, std::uint32_t(x * y));
    }
  EXPECT_EQ(EncodeJpeg(a, 85), EncodeJpeg(b, 85));
}

// Quality outside 1…100 is clamped rather than passed on (libjpeg would misbehave on ≤ 0).
TEST(JpegCodec, QualityIsClamped) {
  const TBitmap32 source = Gradient(24, 24);
  EXPECT_EQ(EncodeJpeg(source, -5), EncodeJpeg(source, 1));
  EXPECT_EQ(EncodeJpeg(source, 1000), EncodeJpeg(source, 100));
  EXPECT_EQ(Decode(EncodeJpeg(source, -5)).Width(), 24);
}

// Nothing to encode is an error.
TEST(JpegCodec, EncodeEmptyThrows) { EXPECT_THROW(EncodeJpeg(TBitmap32(), 90), EImageError); }

// A larger picture makes the encoder grow its output buffer several times.
TEST(JpegCodec, LargeRoundTrip) {
  TBitmap32 source(600, 400);
  for (int y = 0; y < 400; ++y)
    for (int x = 0; x < 600; ++x) source.Pixel(x, y) = Bgra((x * 7 + y * 3) & 0xFF, (x ^ y) & 0xFF, (x * y) & 0xFF, 255);
  const std::vector<std::uint8_t> jpeg = EncodeJpeg(source, 100);
  ASSERT_GT(jpeg.size(), 200000u);
  const TBitmap32 decoded = Decode(jpeg);
  EXPECT_EQ(decoded.Width(), 600);
  EXPECT_EQ(decoded.Height(), 400);
}

// Greyscale files decode to equal R, G and B.
TEST(JpegCodec, DecodesGreyscale) {
  TJpegOptions o;
  o.space = JCS_GRAYSCALE;
  const TBytes jpeg = WriteJpeg(20, 10, o, [](int x, int, int) { return std::uint8_t(x * 12); });
  ExpectNear(Decode(jpeg), 20, 10, 3, [](int x, int) { return Bgra(x * 12, x * 12, x * 12, 0); });
}

// The decoded record counts the file's components: grey 8 bits, CMYK 32; no JPEG has alpha, and
// the stored size is the header's.
TEST(JpegCodec, RecordDepthFollowsComponents) {
  TJpegOptions grey;
  grey.space = JCS_GRAYSCALE;
  const TBytes g = WriteJpeg(20, 10, grey, [](int x, int, int) { return std::uint8_t(x); });
  const TDecodedImage gi = DecodeJpegImage(g.data(), g.size());
  EXPECT_EQ(gi.Format, TImageFormat::ifJpeg);
  EXPECT_EQ(gi.BitsPerPixel, 8);
  EXPECT_FALSE(gi.HasAlpha);
  EXPECT_EQ(gi.StoredSize, (TImageSize{20, 10}));
  TJpegOptions cmyk;
  cmyk.space = JCS_CMYK;
  const TBytes c = WriteJpeg(8, 9, cmyk, [](int, int, int) { return std::uint8_t(0); });
  const TDecodedImage ci = DecodeJpegImage(c.data(), c.size());
  EXPECT_EQ(ci.BitsPerPixel, 32);
  EXPECT_FALSE(ci.HasAlpha);
  EXPECT_EQ(ci.StoredSize, (TImageSize{8, 9}));
}

// Progressive files decode like baseline ones.
TEST(JpegCodec, DecodesProgressive) {
  TJpegOptions o;
  o.progressive = true;
  const TBytes jpeg = WriteJpeg(45, 33, o, [](int x, int y, int c) { return std::uint8_t(c == 0 ? x * 5 : c == 1 ? y * 7 : 60); });
  ExpectNear(Decode(jpeg), 45, 33, 10, [](int x, int y) { return Bgra(x * 5, y * 7, 60, 0); });
}

// Adobe-marked CMYK stores 255 − ink: stored (255, 0, 0, 255) is cyan 0, magenta and yellow
// full, no black, i.e. red.
TEST(JpegCodec, DecodesInvertedAdobeCmyk) {
  TJpegOptions o;
  o.space = JCS_CMYK;
  o.adobeMarker = true;
  const TBytes jpeg = WriteJpeg(16, 16, o, [](int x, int, int c) {
    const std::uint8_t red[4] = {255, 0, 0, 255}, halfGrey[4] = {255, 255, 255, 128};
    return x < 8 ? red[c] : halfGrey[c];
  });
  ExpectNear(Decode(jpeg), 16, 16, 4, [](int x, int) { return x < 8 ? Bgra(255, 0, 0, 0) : Bgra(128, 128, 128, 0); });
}

// CMYK without the Adobe marker stores plain ink amounts: (0, 255, 0, 0) is magenta.
TEST(JpegCodec, DecodesPlainCmyk) {
  TJpegOptions o;
  o.space = JCS_CMYK;
  o.adobeMarker = false;
  const TBytes jpeg = WriteJpeg(8, 8, o, [](int, int, int c) { return std::uint8_t(c == 1 ? 255 : 0); });
  ExpectNear(Decode(jpeg), 8, 8, 4, [](int, int) { return Bgra(255, 0, 255, 0); });
}

// JpegSize needs only the headers: it answers for a file cut right after the first scan header,
// which DecodeJpeg refuses.
TEST(JpegCodec, JpegSizeReadsHeadersOnly) {
  const std::vector<std::uint8_t> jpeg = EncodeJpeg(Gradient(123, 45), 90);
  EXPECT_EQ(JpegSize(jpeg.data(), jpeg.size()), (TImageSize{123, 45}));
  const std::size_t headerEnd = EndOfFirstScanHeader(jpeg);
  ASSERT_GT(headerEnd, 0u);
  EXPECT_EQ(JpegSize(jpeg.data(), headerEnd), (TImageSize{123, 45}));
  EXPECT_THROW(DecodeJpeg(jpeg.data(), headerEnd), EImageError);
}

// JpegSize refuses what it cannot read, and what DecodeJpeg would refuse for its size.
TEST(JpegCodec, JpegSizeRefusesBadHeaders) {
  std::vector<std::uint8_t> jpeg = EncodeJpeg(Gradient(16, 16), 90);
  const std::size_t sof = SofDimensions(jpeg);
  EXPECT_THROW(JpegSize(jpeg.data(), sof), EImageError);
  EXPECT_THROW(JpegSize(nullptr, 0), EImageError);
  SetSof(jpeg, 16385, 16);
  EXPECT_THROW(JpegSize(jpeg.data(), jpeg.size()), EImageError);
}

// Cutting the file anywhere, up to and including the final EOI byte, must be refused: libjpeg
// alone would pad the picture with grey and call it done.
TEST(JpegCodec, EveryTruncationThrows) {
  for (bool progressive : {false, true}) {
    TJpegOptions o;
    o.progressive = progressive;
    const TBytes jpeg = WriteJpeg(24, 17, o, [](int x, int y, int c) { return std::uint8_t((x * 9 + y * 14 + c * 50) & 0xFF); });
    ASSERT_NO_THROW(Decode(jpeg));
    for (std::size_t len = 0; len < jpeg.size(); ++len)
      EXPECT_THROW(DecodeJpeg(jpeg.data(), len), EImageError) << "length " << len << (progressive ? " progressive" : "");
  }
}

// Single inverted bytes anywhere: entropy-data damage is not always detectable, so the rule is
// that the result is either EImageError or a bitmap of the header's size (under the sanitizers
// this also proves no read outside the buffer).
TEST(JpegCodec, FlippedBytesNeverCrash) {
  const std::vector<std::uint8_t> jpeg = EncodeJpeg(Gradient(40, 24), 75);
  int refused = 0;
  for (std::size_t i = 0; i < jpeg.size(); ++i) {
    std::vector<std::uint8_t> bad = jpeg;
    bad[i] ^= 0xFF;
    try {
      const TBitmap32 b = DecodeJpeg(bad.data(), bad.size());
      const TImageSize s = JpegSize(bad.data(), bad.size());
      EXPECT_EQ(b.Width(), s.Width);
      EXPECT_EQ(b.Height(), s.Height);
    } catch (const EImageError&) {
      ++refused;
    }
  }
  EXPECT_GT(refused, 0);
}

// Damage to markers and segment headers is always detected.
TEST(JpegCodec, RefusesDamagedHeaders) {
  const std::vector<std::uint8_t> jpeg = EncodeJpeg(Gradient(16, 16), 90);
  auto refused = [](std::vector<std::uint8_t> bad) {
    try {
      DecodeJpeg(bad.data(), bad.size());
    } catch (const EImageError&) {
      return true;
    }
    return false;
  };
  std::vector<std::uint8_t> bad = jpeg;
  bad[1] = 0xD9;  // EOI instead of SOI
  EXPECT_TRUE(refused(bad));
  bad = jpeg;
  SetSof(bad, 0, 16);
  EXPECT_TRUE(refused(bad));
  bad = jpeg;
  const std::size_t sos = EndOfFirstScanHeader(jpeg);
  bad.resize(sos);  // headers only, then EOI
  bad.push_back(0xFF);
  bad.push_back(0xD9);
  EXPECT_TRUE(refused(bad));
  const std::uint8_t onlySoi[] = {0xFF, 0xD8, 0xFF};
  EXPECT_THROW(DecodeJpeg(onlySoi, sizeof onlySoi), EImageError);
}

// Oversized pictures are refused from the header, before any allocation.
TEST(JpegCodec, RefusesOversizedPictures) {
  std::vector<std::uint8_t> jpeg = EncodeJpeg(Gradient(16, 16), 90);
  SetSof(jpeg, 16385, 16);
  EXPECT_THROW(Decode(TBytes(jpeg.begin(), jpeg.end())), EImageError);
  SetSof(jpeg, 16, 16385);
  EXPECT_THROW(Decode(TBytes(jpeg.begin(), jpeg.end())), EImageError);
  SetSof(jpeg, 9000, 9000);  // 81 M pixels
  EXPECT_THROW(Decode(TBytes(jpeg.begin(), jpeg.end())), EImageError);
}

// The pixel-count limit on its own: 8192 × 8192 is exactly 64 M pixels and allowed, one more
// column is refused although both sides are within 16384. JpegSize reads headers only, so the
// (tiny) file does not need to hold that many pixels.
TEST(JpegCodec, PixelCountLimit) {
  std::vector<std::uint8_t> jpeg = EncodeJpeg(Gradient(16, 16), 90);
  SetSof(jpeg, 8192, 8192);
  EXPECT_EQ(JpegSize(jpeg.data(), jpeg.size()), (TImageSize{8192, 8192}));
  SetSof(jpeg, 8193, 8192);
  EXPECT_THROW(JpegSize(jpeg.data(), jpeg.size()), EImageError);
}

// A small sequential file whose header claims a huge picture is refused before the 256 MiB
// bitmap is allocated; the same for a progressive one, which fails while its scans are read.
TEST(JpegCodec, RefusesHugeClaimFromTinyFile) {
  for (bool progressive : {false, true}) {
    TJpegOptions o;
    o.progressive = progressive;
    TBytes jpeg = WriteJpeg(16, 16, o, [](int x, int y, int) { return std::uint8_t(x * y); });
    SetSof(jpeg, 16384, 4096);
    const long grown = PeakMemoryGrowthMiB([&] { EXPECT_THROW(Decode(jpeg), EImageError); });
    EXPECT_LT(grown, 128) << (progressive ? "progressive" : "sequential");
  }
}

// A greyscale progressive script: one DC scan, then for each of `bands` AC coefficients a first
// scan at Al = 5 and five refinement scans, 1 + 6 × bands scans in all.
std::vector<jpeg_scan_info> ManyScans(int bands) {
  std::vector<jpeg_scan_info> script;
  script.push_back({1, {0, 0, 0, 0}, 0, 0, 0, 0});
  for (int k = 1; k <= bands; ++k) {
    script.push_back({1, {0, 0, 0, 0}, k, k, 0, 5});
    for (int al = 4; al >= 0; --al) script.push_back({1, {0, 0, 0, 0}, k, k, al + 1, al});
  }
  return script;
}

// Files with up to 256 scans decode; more are refused (each scan revisits the whole picture, so
// thousands of them would stall the decoder).
TEST(JpegCodec, LimitsScanCount) {
  TJpegOptions o;
  o.space = JCS_GRAYSCALE;
  o.script = ManyScans(42);  // 253 scans
  auto sample = [](int x, int y, int) { return std::uint8_t((x * 17 + y * 5) & 0xFF); };
  const TBytes fine = WriteJpeg(16, 16, o, sample);
  EXPECT_EQ(Decode(fine).Width(), 16);
  o.script = ManyScans(50);  // 301 scans
  const TBytes tooMany = WriteJpeg(16, 16, o, sample);
  EXPECT_THROW(Decode(tooMany), EImageError);
}

}  // namespace
