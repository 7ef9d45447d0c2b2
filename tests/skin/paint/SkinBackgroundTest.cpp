// The background of a section: transparency over a bitmap or a colour, and the shares of texture,
// gradient and colour.
#include <gtest/gtest.h>

#include "ItemTestUtil.h"

using namespace itemtest;
using painttest::Filled;

namespace {

// A one-segment vertical gradient of one colour (a plain band), as parsed from the options.
void SetGradient(TsGenState& st, TColor c1, TColor c2, int percent) {
  st.GradientPercent = percent;
  st.GradientData = L"x";
  st.GradientArray = {TsGradPie{c1, c2, 100, 0, 0}};
}

void Paint(TTestSkin& skin, int section, TBitmap32& bmp, const TCacheInfo& bg, int state = 0, TPoint pos = {}) {
  PaintSectionBackground(section, L"", bg, clFuchsia, -1, -1, &skin.Manager(), bmp, pos, Whole(bmp), state);
}

}  // namespace

// Transparency 100 shows the parent: its bitmap at the item's place, or its plain colour.
TEST(SectionBackground, FullTransparencyShowsTheParent) {
  TTestSkin skin;
  const int s = skin.AddSection(L"TRANSPARENT", RGBColor(9, 9, 9));
  skin.Section(s).Props[0].Transparency = 100;
  {
    TBitmap32 parent = painttest::Numbered(20, 20), bmp = Filled(5, 4, 0);
    Paint(skin, s, bmp, MakeCacheInfo(&parent, 3, 4), 0, TPoint{1, 2});
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 5; ++x) EXPECT_EQ(bmp.Pixel(x, y), parent.Pixel(4 + x, 6 + y)) << x << "," << y;
  }
  {
    TBitmap32 bmp = Filled(5, 4, 0);
    Paint(skin, s, bmp, ColorBackground(RGBColor(0x12, 0x34, 0x56)));
    EXPECT_EQ(painttest::CountNot(bmp, 0xFF123456u), 0);
  }
  {
    // A parent whose bitmap holds only its frame bands: bands copied, the rest its colour.
    TBitmap32 parent = painttest::Numbered(10, 10), bmp = Filled(10, 10, 0);
    TCacheInfo bg = MakeCacheInfo(&parent, 0, 0);
    bg.Ready = false;
    bg.FillColor = RGBColor(0, 0, 200);
    bg.FillRect = Rect(2, 1, 0, 0);
    Paint(skin, s, bmp, bg);
    EXPECT_EQ(bmp.Pixel(1, 5), parent.Pixel(1, 5));
    EXPECT_EQ(bmp.Pixel(5, 0), parent.Pixel(5, 0));
    EXPECT_EQ(bmp.Pixel(5, 5), Px(0, 0, 200));
  }
}

// Transparency 40 of a plain colour over a colour: 40 % background, 60 % colour, truncated.
TEST(SectionBackground, PartialTransparencyOverAColour) {
  TTestSkin skin;
  const TColor c = RGBColor(0, 201, 11), f = RGBColor(201, 0, 0);
  const int s = skin.AddSection(L"PANEL", c);
  skin.Section(s).Props[0].Transparency = 40;
  TBitmap32 bmp = Filled(3, 3, 0);
  Paint(skin, s, bmp, ColorBackground(f));
  EXPECT_EQ(bmp.Pixel(1, 1), Px(80, 120, 6));  // 80.4, 120.6, 6.6
  EXPECT_EQ(bmp.Pixel(2, 2), scolor::SwapRB(InterpolateColor(f, c, 0.4L)) | 0xFF000000u);
}

// Partial transparency over a bitmap: the own look is laid over the parent with weight
// Round(T × 2.55), the parent's share.
TEST(SectionBackground, PartialTransparencyOverABitmap) {
  TTestSkin skin;
  const int s = skin.AddSection(L"PANEL", RGBColor(0, 100, 200));
  skin.Section(s).Props[0].Transparency = 50;
  TBitmap32 parent = Filled(4, 4, Px(200, 100, 0)), bmp = Filled(4, 4, 0);
  Paint(skin, s, bmp, MakeCacheInfo(&parent, 0, 0));
  // Weight Round(127.5) = 128 (half to even) of the parent: (200·128) >> 8 = 100,
  // ((0 − 200)·128 + 200·256) >> 8 = 100.
  EXPECT_EQ(bmp.Pixel(3, 3), Px(100, 100, 100));
  // Transparency 30: Round(76.5) = 76; (200·76) >> 8 = 59, ((0 − 200)·76 + 200·256) >> 8 = 140.
  skin.Section(s).Props[0].Transparency = 30;
  Paint(skin, s, bmp, MakeCacheInfo(&parent, 0, 0));
  EXPECT_EQ(bmp.Pixel(0, 0), Px(59, 100, 140));
}

// Image 50 % with a stretched texture and gradient 50 %: the gradient is laid over the texture,
// which keeps 127/256.
TEST(SectionBackground, GradientOverStretchedTexture) {
  TTestSkin skin;
  const int s = skin.AddSection(L"PANEL", RGBColor(7, 7, 7));
  const int tex = skin.AddMask(L"PANEL", L"PATTERN", Rect(10, 10, 12, 11), 1, 0, /*stretch*/ 1);
  skin.Fill(Rect(10, 10, 11, 11), Px(200, 100, 0));
  skin.Fill(Rect(11, 10, 12, 11), Px(0, 100, 200));
  TsGenState& st = skin.Section(s).Props[0];
  st.ImagePercent = 50;
  st.TextureIndex = tex;
  SetGradient(st, RGBColor(0, 100, 200), RGBColor(0, 100, 200), 50);
  TBitmap32 bmp = Filled(4, 2, 0);
  Paint(skin, s, bmp, EmptyCacheInfo());
  // Texture stretched: two columns of each texel; gradient (0, 100, 200) over it with weight 127.
  const std::uint32_t left = Px(99, 100, 100), right = Px(0, 100, 200);
  EXPECT_EQ(painttest::RowOf(bmp, 0), (std::vector<std::uint32_t>{left, left, right, right}));
  EXPECT_EQ(painttest::RowOf(bmp, 1), painttest::RowOf(bmp, 0));
}

// Gradient 30 % without texture: the gradient keeps 30 %, the colour 70 % (rounded).
TEST(SectionBackground, GradientShareMixesInTheColour) {
  TTestSkin skin;
  const int s = skin.AddSection(L"PANEL", RGBColor(0, 0, 250));
  SetGradient(skin.Section(s).Props[0], RGBColor(100, 200, 50), RGBColor(100, 200, 50), 30);
  TBitmap32 bmp = Filled(3, 3, 0);
  Paint(skin, s, bmp, EmptyCacheInfo());
  EXPECT_EQ(painttest::CountNot(bmp, Px(30, 60, 190)), 0);  // 0.3·50 + 0.7·250 = 190
}

// Image 40 % + gradient 60 % with a tiled texture: one pass of the textured gradient, which writes
// alpha 255 even where the texture's own alpha is not (the two-step path would keep it).
TEST(SectionBackground, TexturedGradientFastPath) {
  TTestSkin skin;
  const int s = skin.AddSection(L"PANEL", RGBColor(7, 7, 7));
  const int tex = skin.AddMask(L"PANEL", L"PATTERN", Rect(10, 10, 12, 12), 1, 0, /*tile*/ 0);
  skin.Fill(Rect(10, 10, 12, 12), scolor::MakePixel(200, 100, 0, 0x10));
  TsGenState& st = skin.Section(s).Props[0];
  st.ImagePercent = 40;
  st.TextureIndex = tex;
  SetGradient(st, RGBColor(0, 100, 200), RGBColor(0, 100, 200), 60);
  TBitmap32 bmp = Filled(5, 5, 0);
  Paint(skin, s, bmp, EmptyCacheInfo());
  // Weight 40·255 div 100 = 102: (102·200) >> 8 = 79; (102·(0 − 200) + 200·256) >> 8 = 120.
  EXPECT_EQ(painttest::CountNot(bmp, Px(79, 100, 120)), 0);
}

// Without a texture argument or state texture the section's PATTERN piece is used; a texture
// given by index must have one layer, else the colour alone is painted.
TEST(SectionBackground, TextureLookupOrder) {
  TTestSkin skin;
  const int s = skin.AddSection(L"PANEL", RGBColor(0, 0, 250));
  skin.AddMask(L"PANEL", L"PATTERN", Rect(10, 10, 11, 11));
  skin.Fill(Rect(10, 10, 11, 11), Px(40, 50, 60));
  const int twoLayers = skin.AddMask(L"PANEL", L"OTHER", Rect(20, 20, 21, 22), 1, 1);
  skin.Section(s).Props[0].ImagePercent = 100;
  TBitmap32 bmp = Filled(2, 2, 0);
  Paint(skin, s, bmp, EmptyCacheInfo());
  EXPECT_EQ(painttest::CountNot(bmp, Px(40, 50, 60)), 0);
  PaintSectionBackground(s, L"", EmptyCacheInfo(), clFuchsia, -1, twoLayers, &skin.Manager(), bmp, {},
                         Whole(bmp), 0);
  EXPECT_EQ(painttest::CountNot(bmp, Px(0, 0, 250)), 0);
}

// A custom colour replaces the whole look by an opaque fill; the hot state uses the hot colour.
TEST(SectionBackground, CustomColourAndHotState) {
  TTestSkin skin;
  const int s = skin.AddSection(L"EDIT", RGBColor(1, 1, 1));
  skin.Section(s).Props[0].Transparency = 100;
  skin.Section(s).Props[1].Color = RGBColor(5, 6, 7);
  TBitmap32 bmp = Filled(2, 2, 0);
  PaintSectionBackground(s, L"", ColorBackground(clWhite), RGBColor(9, 8, 7), -1, -1, &skin.Manager(), bmp, {},
                         Whole(bmp), 0);
  EXPECT_EQ(bmp.Pixel(0, 0), Px(9, 8, 7));
  Paint(skin, s, bmp, EmptyCacheInfo(), 2);
  EXPECT_EQ(bmp.Pixel(1, 1), Px(5, 6, 7));
}

// The hot state's two-layer texture with DrawMode 10 is laid over the finished background: whole
// tiles through their mask, the strips left over taken from the background.
TEST(SectionBackground, OverlayTextureDrawMode10) {
  TTestSkin skin;
  const int s = skin.AddSection(L"PANEL", RGBColor(0, 0, 250));
  const int tex = skin.AddMask(L"PANEL", L"HOTPATTERN", Rect(30, 30, 32, 34), 1, 1, 10);
  skin.Fill(Rect(30, 30, 32, 32), Px(10, 20, 30));
  skin.Fill(Rect(30, 32, 32, 34), Px(0, 0, 0));  // mask black: the image shows
  TBitmap32 bmp = Filled(5, 3, 0);
  PaintSectionBackground(s, L"", ColorBackground(RGBColor(1, 2, 3)), clFuchsia, tex, -1, &skin.Manager(), bmp, {},
                         Whole(bmp), 1);
  // Whole 2 × 2 tiles at columns 0 and 2 of row 0 (4 < 5 − 2 would need a third); the right
  // column and the bottom row come from the background colour.
  EXPECT_EQ(bmp.Pixel(0, 0), Px(10, 20, 30));
  EXPECT_EQ(bmp.Pixel(3, 1), Px(10, 20, 30));
  EXPECT_EQ(bmp.Pixel(4, 0), Px(1, 2, 3));
  EXPECT_EQ(bmp.Pixel(0, 2), Px(1, 2, 3));
}
