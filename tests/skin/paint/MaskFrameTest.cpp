// Nine-part border frames: geometry, stretching and tiling, corners, the 1 × 1 centre, the region
// form, and glyph frames.
#include <gtest/gtest.h>

#include "ItemTestUtil.h"
#include "skin/base/sResample.h"
#include "skin/paint/sMaskFrame.h"

using namespace itemtest;
using painttest::Filled;
using painttest::RowOf;

namespace {

constexpr std::uint32_t kBack = Px(250, 250, 250);
constexpr std::uint32_t kA = Px(10, 0, 0), kB = Px(20, 0, 0);       // top edge columns
constexpr std::uint32_t kC = Px(0, 10, 0), kD = Px(0, 20, 0);       // left edge rows
constexpr std::uint32_t kCorner = Px(0, 0, 99), kCentre = Px(60, 70, 80), kOther = Px(1, 1, 1);

// A 6 × 6 one-layer frame at (ox, oy) with 2-pixel bands: corners kCorner, the top edge's two
// columns kA and kB, the left edge's two rows kC and kD, centre kCentre, other edges kOther.
void DrawFrame(TTestSkin& skin, int ox, int oy) {
  skin.Fill(Bounds(ox, oy, 6, 6), kOther);
  for (int cx : {0, 4})
    for (int cy : {0, 4}) skin.Fill(Bounds(ox + cx, oy + cy, 2, 2), kCorner);
  skin.Fill(Bounds(ox + 2, oy, 1, 2), kA);
  skin.Fill(Bounds(ox + 3, oy, 1, 2), kB);
  skin.Fill(Bounds(ox, oy + 2, 2, 1), kC);
  skin.Fill(Bounds(ox, oy + 3, 2, 1), kD);
  skin.Fill(Bounds(ox + 2, oy + 2, 2, 2), kCentre);
}

int FrameMask(TTestSkin& skin, int drawMode, int imageCount = 1) {
  for (int f = 0; f < imageCount; ++f) DrawFrame(skin, 6 * f, 0);
  return skin.AddMask(L"EDIT", L"BORDERSMASK", Rect(0, 0, 6 * imageCount, 6), imageCount, 0, drawMode, 2);
}

std::vector<std::uint32_t> TopEdge(const TBitmap32& b) {
  const auto row = RowOf(b, 0);
  return std::vector<std::uint32_t>(row.begin() + 2, row.end() - 2);
}

TsMaskData Bands(int frameW, int wl, int wr) {
  TsMaskData m;
  m.R = Rect(0, 0, frameW, 20);
  m.ImageCount = 1;
  m.WL = std::int16_t(wl);
  m.WR = std::int16_t(wr);
  return m;
}

}  // namespace

// Bands wider than the rectangle shrink: the excess is split, an odd pixel taken from the right.
TEST(MaskFrameGeometry, BandShrink) {
  const auto even = MaskFrameGeometry(Bands(12, 6, 6), Rect(0, 0, 10, 10), 0);
  ASSERT_TRUE(even);
  EXPECT_EQ(even->L, 5);
  EXPECT_EQ(even->R, 5);
  EXPECT_EQ(even->Dst[fpTopRight], Rect(5, 0, 10, 0));
  const auto odd = MaskFrameGeometry(Bands(12, 6, 5), Rect(0, 0, 10, 10), 0);
  ASSERT_TRUE(odd);
  EXPECT_EQ(odd->L, 6);
  EXPECT_EQ(odd->R, 4);
  EXPECT_EQ(odd->Src[fpTop], Rect(6, 0, 8, 0));  // middle width 12 − 6 − 4
  // A frame narrower than its bands draws nothing.
  EXPECT_FALSE(MaskFrameGeometry(Bands(8, 6, 5), Rect(0, 0, 20, 10), 0));
}

// The frame of a state is min(state, ImageCount − 1); frame sizes follow the layer count.
TEST(MaskFrameGeometry, FrameIndexAndSize) {
  TsMaskData m = Bands(24, 2, 2);
  m.ImageCount = 2;
  m.MaskType = 1;
  EXPECT_EQ(MaskFrameSize(m).W, 12);
  EXPECT_EQ(MaskFrameSize(m).H, 10);
  const auto g = MaskFrameGeometry(m, Rect(0, 0, 30, 30), 2);
  ASSERT_TRUE(g);
  EXPECT_EQ(g->Src[fpTopLeft].Left, 12);
  EXPECT_EQ(g->MaskDistance, 10);
  m.MaskType = 3;
  EXPECT_EQ(MaskFrameSize(m).H, 5);
  m.MaskType = -1;
  EXPECT_EQ(MaskFrameSize(m).H, 0);
}

// DrawMode 3 (stretch, no border in state 0): nothing in state 0; states 1 and 2 stretch the
// edges (each source column spread over three) and leave the centre.
TEST(PaintMaskFrame, DrawMode3Stretches) {
  TTestSkin skin;
  const TsMaskData& m = skin.Mask(FrameMask(skin, 3));
  for (int state : {0, 1, 2}) {
    TBitmap32 bmp = Filled(10, 10, kBack);
    PaintMaskFrame(bmp, Whole(bmp), EmptyCacheInfo(), false, state, m);
    if (state == 0) {
      EXPECT_EQ(painttest::CountNot(bmp, kBack), 0);
      continue;
    }
    EXPECT_EQ(TopEdge(bmp), (std::vector<std::uint32_t>{kA, kA, kA, kB, kB, kB})) << state;
    EXPECT_EQ(bmp.Pixel(0, 0), kCorner);
    EXPECT_EQ(bmp.Pixel(9, 9), kCorner);
    EXPECT_EQ(bmp.Pixel(0, 2), kC);
    EXPECT_EQ(bmp.Pixel(0, 7), kD);
    EXPECT_EQ(bmp.Pixel(5, 5), kBack);
  }
}

// DrawMode 0 tiles: pieces repeat from the part's start and the last one is cut at its end; the
// centre is left as it was.
TEST(PaintMaskFrame, DrawMode0Tiles) {
  TTestSkin skin;
  const TsMaskData& m = skin.Mask(FrameMask(skin, 0));
  TBitmap32 bmp = Filled(11, 9, kBack);
  PaintMaskFrame(bmp, Whole(bmp), EmptyCacheInfo(), false, 0, m);
  EXPECT_EQ(TopEdge(bmp), (std::vector<std::uint32_t>{kA, kB, kA, kB, kA, kB, kA}));
  std::vector<std::uint32_t> left;
  for (int y = 2; y < 7; ++y) left.push_back(bmp.Pixel(0, y));
  EXPECT_EQ(left, (std::vector<std::uint32_t>{kC, kD, kC, kD, kC}));
  EXPECT_EQ(bmp.Pixel(5, 4), kBack);
}

// DrawMode 5 also fills the centre, resampled with the Mitchell filter.
TEST(PaintMaskFrame, DrawMode5FillsTheCentre) {
  TTestSkin skin;
  const TsMaskData& m = skin.Mask(FrameMask(skin, 5));
  TBitmap32 bmp = Filled(10, 10, kBack);
  PaintMaskFrame(bmp, Whole(bmp), EmptyCacheInfo(), false, 0, m);
  TBitmap32 expected;
  ResampleBitmap(Filled(2, 2, kCentre), expected, 6, fkMitchell, 6);
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) EXPECT_EQ(bmp.Pixel(2 + x, 2 + y), expected.Pixel(x, y));
}

// State 2 of a two-frame border uses frame 1.
TEST(PaintMaskFrame, StateSelectsFrame) {
  TTestSkin skin;
  const TsMaskData& m = skin.Mask(FrameMask(skin, 0, 2));
  skin.Fill(Bounds(6, 0, 2, 2), Px(77, 0, 0));  // frame 1's top-left corner
  TBitmap32 bmp = Filled(8, 8, kBack);
  PaintMaskFrame(bmp, Whole(bmp), EmptyCacheInfo(), false, 2, m);
  EXPECT_EQ(bmp.Pixel(0, 0), Px(77, 0, 0));
  PaintMaskFrame(bmp, Whole(bmp), EmptyCacheInfo(), false, 0, m);
  EXPECT_EQ(bmp.Pixel(0, 0), kCorner);
}

// Key pixels of a corner show the background only with the corner flag and CornerType > 0;
// otherwise they keep what was painted, also over a background that is only a colour.
TEST(PaintMaskFrame, CornerKeyPixels) {
  TTestSkin skin;
  const int i = FrameMask(skin, 1);
  skin.Master().Pixel(0, 0) = kKey;
  TBitmap32 parent = painttest::Numbered(20, 20);
  const TCacheInfo bitmapBg = MakeCacheInfo(&parent, 5, 6);
  struct TCase {
    bool flag;
    int cornerType;
    TCacheInfo bg;
    std::uint32_t expected;
  };
  const TCase cases[] = {
      {true, 1, bitmapBg, parent.Pixel(5, 6)},
      {false, 1, bitmapBg, kBack},
      {true, 0, bitmapBg, kBack},
      {true, 1, ColorBackground(RGBColor(3, 4, 5)), Px(3, 4, 5) & scolor::RgbMask},
      {false, 1, ColorBackground(RGBColor(3, 4, 5)), kBack},
  };
  for (const TCase& c : cases) {
    skin.Mask(i).CornerType = c.cornerType;
    TBitmap32 bmp = Filled(10, 10, kBack);
    PaintMaskFrame(bmp, Whole(bmp), c.bg, c.flag, 1, skin.Mask(i));
    EXPECT_EQ(bmp.Pixel(0, 0), c.expected) << c.flag << c.cornerType;
    EXPECT_EQ(bmp.Pixel(1, 0), kCorner);
  }
}

// Two-layer corners go through their mask; with the flag, key pixels show the background.
TEST(PaintMaskFrame, TwoLayerCorner) {
  TTestSkin skin;
  skin.Fill(Rect(0, 0, 3, 3), Px(100, 0, 0));
  skin.Fill(Rect(0, 3, 3, 6), Px(0, 0, 0));
  skin.Master().Pixel(0, 0) = kKey;
  skin.Master().Pixel(1, 3) = Px(128, 128, 128);
  const int i = skin.AddMask(L"B", L"BORDERSMASK", Rect(0, 0, 3, 6), 1, 1, 1, 1);
  skin.Mask(i).CornerType = 1;
  TBitmap32 parent = Filled(10, 10, Px(7, 7, 7)), bmp = Filled(6, 6, Px(0, 200, 0));
  PaintMaskFrame(bmp, Whole(bmp), MakeCacheInfo(&parent, 0, 0), true, 0, skin.Mask(i));
  EXPECT_EQ(bmp.Pixel(0, 0), Px(7, 7, 7));
  // The top edge next to it: ((0 − 100)·128 + 100·256) >> 8 = 50, (200·128) >> 8 = 100.
  EXPECT_EQ(bmp.Pixel(1, 0), Px(50, 100, 0));
}

// A 1 × 1 centre is a solid colour: mask 0 fills with the pixel, 255 leaves the centre, other
// values blend that colour through the mask.
TEST(PaintMaskFrame, OnePixelCentre) {
  for (int maskValue : {0, 255, 128}) {
    TTestSkin skin;
    skin.Fill(Rect(0, 0, 3, 3), Px(9, 9, 9));
    skin.Fill(Rect(0, 3, 3, 6), Px(0, 0, 0));
    skin.Master().Pixel(1, 1) = Px(200, 100, 0);
    skin.Master().Pixel(1, 4) = Px(maskValue, maskValue, maskValue);
    const TsMaskData& m = skin.Mask(skin.AddMask(L"B", L"BORDERSMASK", Rect(0, 0, 3, 6), 1, 1, 5, 1));
    TBitmap32 bmp = Filled(6, 5, scolor::MakePixel(0, 100, 200, 0));
    PaintMaskFrame(bmp, Whole(bmp), EmptyCacheInfo(), false, 0, m);
    const std::uint32_t expected = maskValue == 0     ? Px(200, 100, 0)
                                   : maskValue == 255 ? scolor::MakePixel(0, 100, 200, 0)
                                                      : Px(100, 100, 100);  // ((d − i)·128 + i·256) >> 8
    for (int y = 1; y < 4; ++y)
      for (int x = 1; x < 5; ++x) EXPECT_EQ(bmp.Pixel(x, y), expected) << maskValue << " " << x << "," << y;
  }
}

// The region form leaves key corner pixels undrawn and reports them, one rectangle per run.
TEST(PaintMaskFrameRegion, CollectsKeyCornerPixels) {
  TTestSkin skin;
  const int i = FrameMask(skin, 1);
  skin.Master().Pixel(0, 0) = kKey;
  skin.Master().Pixel(1, 0) = kKey;
  skin.Master().Pixel(5, 5) = kKey;
  TBitmap32 bmp = Filled(10, 8, kBack);
  const auto cut = PaintMaskFrameRegion(bmp, true, 1, skin.Mask(i));
  EXPECT_EQ(cut, (std::vector<TRect>{Rect(0, 0, 2, 1), Rect(9, 7, 10, 8)}));
  EXPECT_EQ(bmp.Pixel(0, 0), kBack);
  EXPECT_EQ(bmp.Pixel(9, 7), kBack);
  EXPECT_EQ(bmp.Pixel(8, 7), kCorner);
}

// A glyph frame is drawn at its position, key pixels transparent, parts before 0 skipped; other
// modes merge a one-layer image at half strength.
TEST(PaintMaskImage, FramesAndModes) {
  TTestSkin skin;
  skin.Fill(Rect(0, 10, 6, 12), Px(200, 0, 0));
  skin.Fill(Rect(2, 10, 4, 12), Px(0, 200, 0));  // frame 1
  skin.Master().Pixel(2, 10) = kKey;
  const TsMaskData& m = skin.Mask(skin.AddMask(L"GLOBALINFO", L"G", Rect(0, 10, 6, 12), 3, 0));
  TBitmap32 bmp = Filled(4, 4, Px(0, 0, 100));
  PaintMaskImage(bmp, TPoint{-1, 1}, 1, EmptyCacheInfo(), m, 1);
  EXPECT_EQ(RowOf(bmp, 1), (std::vector<std::uint32_t>{Px(0, 200, 0), Px(0, 0, 100), Px(0, 0, 100), Px(0, 0, 100)}));
  EXPECT_EQ(bmp.Pixel(0, 2), Px(0, 200, 0));
  PaintMaskImage(bmp, TPoint{2, 0}, 0, EmptyCacheInfo(), m, 0);
  EXPECT_EQ(bmp.Pixel(2, 0), Px(100, 0, 50));  // 200 − 200·0.5, 0 − (0 − 100)·0.5
}
