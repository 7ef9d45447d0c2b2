#include "skin/base/sMaskCompose.h"

#include <gtest/gtest.h>

#include "PaintTestUtil.h"
#include "skin/base/sColorMath.h"

using namespace painttest;
using V = std::vector<std::uint32_t>;

namespace {

constexpr std::uint32_t kD = 0x20102030;    // destination: A 0x20, R 16, G 32, B 48
constexpr std::uint32_t kImg = 0x00C86432;  // R 200, G 100, B 50
constexpr std::uint32_t kKey = 0x00FF00FF;

// A two-layer piece 4 × 1 (mask one row below): image [I, key, I, I] over mask
// [black, black, grey 0x80, red 255 only].
TBitmap32 TwoLayer() {
  TBitmap32 s(4, 2);
  const std::uint32_t img[4] = {kImg, kKey, kImg, kImg};
  const std::uint32_t mask[4] = {0x00000000, 0x00000000, 0x00808080, 0x00FF0000};
  for (int x = 0; x < 4; ++x) {
    s.Pixel(x, 0) = img[x];
    s.Pixel(x, 1) = mask[x];
  }
  return s;
}

TCacheInfo NotReady(TColor fill) {
  TCacheInfo c = EmptyCacheInfo();
  c.FillColor = fill;
  return c;
}

}  // namespace

// The two standard forms of TCacheInfo.
TEST(CacheInfo, StandardForms) {
  TBitmap32 b(2, 2);
  const TCacheInfo ready = MakeCacheInfo(&b, 3, 4);
  EXPECT_EQ(ready.Bmp, &b);
  EXPECT_EQ(ready.X, 3);
  EXPECT_EQ(ready.Y, 4);
  EXPECT_EQ(ready.FillColor, clFuchsia);
  EXPECT_EQ(ready.FillRect, Rect(0, 0, 0, 0));
  EXPECT_TRUE(ready.Ready);
  const TCacheInfo empty = EmptyCacheInfo();
  EXPECT_EQ(empty.Bmp, nullptr);
  EXPECT_EQ(empty.X, -99);
  EXPECT_EQ(empty.Y, -99);
  EXPECT_EQ(empty.FillColor, clFuchsia);
  EXPECT_FALSE(empty.Ready);
}

// The four CopyMaskedPiece cases with exact pixels: mask blend per channel, alpha 255 when the
// background is ready, key pixels from the background, the fill colour, or left.
TEST(CopyMaskedPiece, FourCases) {
  const TBitmap32 src = TwoLayer();
  TBitmap32 bg = Numbered(4, 4);  // pixel (x, y) = 0xFF000000 | x << 8 | y
  {
    TBitmap32 d = Filled(4, 1, kD);
    CopyMaskedPiece(Rect(0, 0, 4, 1), Rect(0, 0, 4, 1), d, src, MakeCacheInfo(&bg, 1, 2), true, 1);
    EXPECT_EQ(RowOf(d, 0), (V{0xFFC86432, 0xFF000202, 0xFF6C4231, 0xFF106432}));
  }
  {
    TBitmap32 d = Filled(4, 1, kD);
    CopyMaskedPiece(Rect(0, 0, 4, 1), Rect(0, 0, 4, 1), d, src, MakeCacheInfo(&bg, 1, 2), false, 1);
    EXPECT_EQ(RowOf(d, 0), (V{0xFFC86432, 0xFFFF00FF, 0xFF6C4231, 0xFF106432}));
  }
  {
    TBitmap32 d = Filled(4, 1, kD);
    CopyMaskedPiece(Rect(0, 0, 4, 1), Rect(0, 0, 4, 1), d, src, NotReady(0x0000FF), true, 1);
    EXPECT_EQ(RowOf(d, 0), (V{0x20C86432, 0x00FF0000, 0x206C4231, 0x20106432}));
  }
  {
    TBitmap32 d = Filled(4, 1, kD);
    CopyMaskedPiece(Rect(0, 0, 4, 1), Rect(0, 0, 4, 1), d, src, EmptyCacheInfo(), false, 1);
    EXPECT_EQ(RowOf(d, 0), (V{0x20C86432, kD, 0x206C4231, 0x20106432}));
  }
}

// A key pixel whose background position lies outside the background keeps its colour (alpha 255).
TEST(CopyMaskedPiece, BackgroundOutside) {
  const TBitmap32 src = TwoLayer();
  TBitmap32 bg = Numbered(4, 4);
  TBitmap32 d = Filled(4, 1, kD);
  CopyMaskedPiece(Rect(0, 0, 4, 1), Rect(0, 0, 4, 1), d, src, MakeCacheInfo(&bg, 3, -1), true, 1);
  EXPECT_EQ(d.Pixel(1, 0), 0xFF102030u);
}

// Rows long enough for whole vector steps, laid over a background that begins and ends inside
// them: key pixels take the background only where it lies below them and keep their colour
// elsewhere (CopyMaskedPiece: opaque; the masked tile compose: alpha kept).
TEST(CopyMaskedPiece, WideRowsAcrossTheBackgroundEdge) {
  constexpr int kW = 29;
  TBitmap32 src(kW, 2), bg = Numbered(12, 3);
  for (int x = 0; x < kW; ++x) {
    src.Pixel(x, 0) = x % 3 == 1 ? kKey : 0x00C86432u + std::uint32_t(x);
    src.Pixel(x, 1) = std::uint32_t(x * 9) * 0x00010101u;
  }
  const TCacheInfo cache = MakeCacheInfo(&bg, -5, 1);  // background columns 0 … 11 under row columns 5 … 16
  for (bool tile : {false, true}) {
    TBitmap32 d = Filled(kW, 1, kD);
    if (tile) ComposeMaskedTile(d, 0, 0, src, 0, 0, kW, 1, cache);
    else CopyMaskedPiece(Rect(0, 0, kW, 1), Rect(0, 0, kW, 1), d, src, cache, true, 1);
    const std::uint32_t alpha = tile ? kD & 0xFF000000u : 0xFF000000u;
    for (int x = 0; x < kW; ++x) {
      const std::uint32_t img = src.Pixel(x, 0), m = src.Pixel(x, 1);
      std::uint32_t want;
      if (img != kKey) {
        want = alpha | std::uint32_t(scolor::Blend256(0x10, int(img >> 16 & 0xFF), int(m >> 16 & 0xFF))) << 16 |
               std::uint32_t(scolor::Blend256(0x20, int(img >> 8 & 0xFF), int(m >> 8 & 0xFF))) << 8 |
               std::uint32_t(scolor::Blend256(0x30, int(img & 0xFF), int(m & 0xFF)));
      } else if (x >= 5 && x <= 16) {
        want = bg.Pixel(x - 5, 1) | (tile ? 0 : 0xFF000000u);
      } else {
        want = kD | alpha;
      }
      EXPECT_EQ(d.Pixel(x, 0), want) << (tile ? "tile" : "piece") << ", column " << x;
    }
  }
}

// The smaller rectangle sets the size, negative coordinates move both starts, and the mask rows
// must lie inside the source; a bottom-up destination stays in bounds.
TEST(CopyMaskedPiece, SizeAndClipping) {
  const TBitmap32 src = TwoLayer();
  TGuarded g(4, 2, true, kD);
  CopyMaskedPiece(Rect(-1, 0, 3, 1), Rect(0, 0, 4, 1), g.Bmp(), src, EmptyCacheInfo(), false, 1);
  EXPECT_EQ(RowOf(g.Bmp(), 0), (V{kD, 0x206C4231, 0x20106432, kD}));
  EXPECT_EQ(RowOf(g.Bmp(), 1), (V{kD, kD, kD, kD}));
  CopyMaskedPiece(Rect(0, 1, 9, 9), Rect(0, 1, 4, 2), g.Bmp(), src, EmptyCacheInfo(), false, 1);  // mask below src
  CopyMaskedPiece(Rect(0, 0, 4, 1), Rect(0, 0, 4, 1), g.Bmp(), src, EmptyCacheInfo(), false, 5);
  CopyMaskedPiece(Rect(4, 0, 8, 1), Rect(0, 0, 4, 1), g.Bmp(), src, EmptyCacheInfo(), false, 1);
  EXPECT_EQ(RowOf(g.Bmp(), 1), (V{kD, kD, kD, kD}));
  CopyMaskedPiece(Rect(2, 1, 9, 9), Rect(0, 0, 9, 9), g.Bmp(), src, EmptyCacheInfo(), false, 1);
  EXPECT_EQ(RowOf(g.Bmp(), 1), (V{kD, kD, 0x20C86432, kD}));
  EXPECT_TRUE(g.Intact());
}

// ComposeGlyph normal: mask blend where the mask red is below 255, then
// a + (((a − 255)·(red − 255)) >> 8) for alpha; key pixels and red-255 mask pixels stay.
TEST(ComposeGlyph, Normal) {
  const TBitmap32 src = TwoLayer();
  TBitmap32 d = Filled(4, 1, kD);
  ComposeGlyph(Rect(0, 0, 4, 1), Rect(0, 0, 4, 1), d, src, 1, 1);
  EXPECT_EQ(RowOf(d, 0), (V{0xFEC86432, kD, 0x8E6C4231, kD}));
}

// ComposeGlyph faded: each channel uses min(m + 100, 255); alpha as in normal mode.
TEST(ComposeGlyph, Faded) {
  const TBitmap32 src = TwoLayer();
  TBitmap32 d = Filled(4, 1, kD);
  ComposeGlyph(Rect(0, 0, 4, 1), Rect(0, 0, 4, 1), d, src, 1, 0);
  EXPECT_EQ(RowOf(d, 0), (V{0xFE804931, kD, 0x8E242730, kD}));
}

// One-layer glyphs (no mask distance) copy their non-key pixels, size the smaller rectangle.
TEST(ComposeGlyph, OneLayer) {
  TBitmap32 s(3, 1);
  s.Pixel(0, 0) = 0x00112233;
  s.Pixel(1, 0) = kKey;
  s.Pixel(2, 0) = 0x00445566;
  TGuarded g(3, 1, true, kD);
  ComposeGlyph(Rect(0, 0, 2, 1), Rect(0, 0, 3, 1), g.Bmp(), s, 0, 1);
  EXPECT_EQ(RowOf(g.Bmp(), 0), (V{0x00112233, kD, kD}));
  ComposeGlyph(Rect(-1, 0, 2, 1), Rect(0, 0, 3, 1), g.Bmp(), s, 0, 1);
  EXPECT_EQ(RowOf(g.Bmp(), 0), (V{0x00112233, 0x00445566, kD}));
  EXPECT_TRUE(g.Intact());
}

// MaskToAlphaBitmap: image colours with alpha = 255 − mask red, height halved.
TEST(MaskToAlphaBitmap, AlphaFromMask) {
  const TBitmap32 src = TwoLayer();
  const TBitmap32 a = MaskToAlphaBitmap(src, Rect(0, 0, 4, 2));
  ASSERT_EQ(a.Width(), 4);
  ASSERT_EQ(a.Height(), 1);
  EXPECT_EQ(RowOf(a, 0), (V{0xFFC86432, 0xFFFF00FF, 0x7FC86432, 0x00C86432}));
  const TBitmap32 b = MaskToAlphaBitmap(src, Rect(2, 0, 8, 2));  // partly outside: the rest stays 0
  EXPECT_EQ(RowOf(b, 0), (V{0x7FC86432, 0x00C86432, 0, 0, 0, 0}));
  EXPECT_TRUE(MaskToAlphaBitmap(src, Rect(0, 0, 4, 1)).Empty());
}

// CopyKeyed's background cases: empty form copies non-key pixels only; a colour fills key pixels;
// a ready background bitmap shows through them; the background bitmap itself gets opaque pixels.
TEST(CopyKeyed, BackgroundCases) {
  TBitmap32 s(3, 1);
  s.Pixel(0, 0) = 0x00112233;
  s.Pixel(1, 0) = kKey;
  s.Pixel(2, 0) = 0x00445566;
  const TRect all = Rect(0, 0, 2, 0);  // inclusive
  TBitmap32 bg = Numbered(4, 4);
  {
    TBitmap32 d = Filled(3, 1, kD);
    CopyKeyed(d, s, 0, 0, all, clFuchsia, EmptyCacheInfo(), true);
    EXPECT_EQ(RowOf(d, 0), (V{0x00112233, kD, 0x00445566}));
  }
  {
    TBitmap32 d = Filled(3, 1, kD);
    CopyKeyed(d, s, 0, 0, all, clFuchsia, NotReady(0x0000FF), false);
    EXPECT_EQ(RowOf(d, 0), (V{0x00112233, 0x00FF0000, 0x00445566}));
  }
  {
    TBitmap32 d = Filled(3, 1, kD);
    CopyKeyed(d, s, 0, 0, all, clFuchsia, MakeCacheInfo(&bg, 1, 3), true);
    EXPECT_EQ(RowOf(d, 0), (V{0x00112233, 0xFF000203, 0x00445566}));
    CopyKeyed(d, s, 0, 0, all, clFuchsia, MakeCacheInfo(&bg, 3, 3), true);  // (4, 3) is outside: left
    EXPECT_EQ(d.Pixel(1, 0), 0xFF000203u);
  }
  {
    TBitmap32 d = Filled(3, 1, kD);
    CopyKeyed(d, s, 0, 0, all, clFuchsia, MakeCacheInfo(&bg, 1, 3), false);
    EXPECT_EQ(RowOf(d, 0), (V{0x00112233, kD, 0x00445566}));
  }
  {
    TBitmap32 self = Filled(3, 1, kD);
    CopyKeyed(self, s, 0, 0, all, clFuchsia, MakeCacheInfo(&self, 0, 0), true);
    EXPECT_EQ(RowOf(self, 0), (V{0xFF112233, kD, 0xFF445566}));
  }
}

// The source rect is inclusive and clipped to the source; destination pixels outside are skipped.
TEST(CopyKeyed, InclusiveAndClipped) {
  TBitmap32 s = Numbered(3, 3);
  TGuarded g(2, 2, true, 0);
  CopyKeyed(g.Bmp(), s, 0, 0, Rect(1, 1, 1, 1), clFuchsia, EmptyCacheInfo(), false);
  EXPECT_EQ(RowOf(g.Bmp(), 0), (V{0xFF000101, 0}));
  CopyKeyed(g.Bmp(), s, -2, 1, Rect(-5, 0, 50, 50), clFuchsia, EmptyCacheInfo(), false);
  EXPECT_EQ(RowOf(g.Bmp(), 1), (V{0xFF000200, 0}));
  CopyKeyed(g.Bmp(), s, 5, 5, Rect(0, 0, 2, 2), clFuchsia, EmptyCacheInfo(), false);
  CopyKeyed(g.Bmp(), s, 0, 0, Rect(3, 3, 9, 9), clFuchsia, EmptyCacheInfo(), false);
  EXPECT_EQ(RowOf(g.Bmp(), 0), (V{0xFF000101, 0}));
  EXPECT_TRUE(g.Intact());
}

// The masked tile compose: key pixels take the fill colour first, else the ready background.
TEST(ComposeMaskedTile, KeySources) {
  const TBitmap32 src = TwoLayer();
  TBitmap32 bg = Numbered(4, 4);
  TBitmap32 d = Filled(4, 1, kD);
  ComposeMaskedTile(d, 0, 0, src, 0, 0, 4, 1, NotReady(0x00FF00));
  EXPECT_EQ(RowOf(d, 0), (V{0x20C86432, 0x0000FF00, 0x206C4231, 0x20106432}));
  TBitmap32 e = Filled(4, 1, kD);
  ComposeMaskedTile(e, 0, 0, src, 0, 0, 4, 1, MakeCacheInfo(&bg, 2, 1));
  EXPECT_EQ(e.Pixel(1, 0), 0xFF000301u);
  TBitmap32 f = Filled(4, 1, kD);
  ComposeMaskedTile(f, 0, 0, src, 0, 0, 4, 1, EmptyCacheInfo());
  EXPECT_EQ(f.Pixel(1, 0), kD);
}
