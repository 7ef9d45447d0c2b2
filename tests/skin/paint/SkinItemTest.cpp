// Whole items (states, corner images, recolouring), the disabled look, the glow blend, corners
// refreshed after a move, and items painted from damaged or stale skin data.
#include <gtest/gtest.h>

#include "ItemTestUtil.h"
#include "skin/paint/sMaskFrame.h"

using namespace itemtest;
using painttest::Filled;

namespace {

constexpr std::uint32_t kSentinel = Px(200, 40, 40);

// True when every pixel of bmp outside r still holds v.
bool OutsideIs(const TBitmap32& bmp, const TRect& r, std::uint32_t v) {
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      if (!r.Contains(TPoint{x, y}) && bmp.Pixel(x, y) != v) return false;
  return true;
}

}  // namespace

// A section with one state paints every state with the normal properties; with two states,
// states 1 and above use the hot ones.
TEST(SkinItem, StatesAboveTheSectionsUseTheLastOne) {
  TTestSkin skin;
  const int one = skin.AddSection(L"GAUGE", RGBColor(10, 0, 0), 1);
  const int two = skin.AddSection(L"EDIT", RGBColor(10, 0, 0), 2);
  for (int s : {one, two}) skin.Section(s).Props[1].Color = RGBColor(0, 20, 0);
  TBitmap32 bmp = Filled(3, 3, 0);
  PaintSkinItem(skin.Data(one), EmptyCacheInfo(), true, bmp, {}, Whole(bmp), 2);
  EXPECT_EQ(bmp.Pixel(1, 1), Px(10, 0, 0));
  PaintSectionItem(two, L"", EmptyCacheInfo(), -1, -1, &skin.Manager(), bmp, {}, Whole(bmp), 2);
  EXPECT_EQ(bmp.Pixel(1, 1), Px(0, 20, 0));
}

// Corner images sit at the item's corners; their key pixels keep the painted background.
TEST(SkinItem, CornerImages) {
  TTestSkin skin;
  const int s = skin.AddSection(L"PANEL", RGBColor(0, 0, 50));
  skin.Fill(Rect(40, 40, 42, 42), Px(1, 200, 1));
  skin.Master().Pixel(41, 41) = kKey;
  skin.Section(s).ImgBR = skin.AddMask(L"PANEL", L"IMGBTMRIGHT", Rect(40, 40, 42, 42));
  TBitmap32 bmp = Filled(6, 5, 0);
  PaintSectionItem(s, L"", EmptyCacheInfo(), -1, -1, &skin.Manager(), bmp, {}, Whole(bmp), 0);
  EXPECT_EQ(bmp.Pixel(4, 3), Px(1, 200, 1));
  EXPECT_EQ(bmp.Pixel(5, 4), Px(0, 0, 50));
  EXPECT_EQ(bmp.Pixel(3, 3), Px(0, 0, 50));
}

// The control's hue offset recolours an opaque item, but not a transparent one without border.
TEST(SkinItem, RecolouringSkipsTransparentItemsWithoutBorder) {
  TTestSkin skin;
  const int s = skin.AddSection(L"PANEL", RGBColor(200, 40, 40));
  TsItemSkinData d = skin.Data(s);
  d.HUEOffset = 120;
  TBitmap32 bmp = Filled(2, 2, 0);
  PaintSkinItem(d, EmptyCacheInfo(), true, bmp, {}, Whole(bmp), 0);
  EXPECT_NE(bmp.Pixel(0, 0), Px(200, 40, 40));
  skin.Section(s).Props[0].Transparency = 100;
  PaintSkinItem(d, ColorBackground(RGBColor(200, 40, 40)), true, bmp, {}, Whole(bmp), 0);
  EXPECT_EQ(bmp.Pixel(0, 0), Px(200, 40, 40));
}

// dkGrayed pulls colours toward grey by the disabled saturation (−90), key pixels kept;
// dkBlended keeps 40 % of the control over its background bitmap, or tints with a colour.
TEST(DisabledLook, GrayedAndBlended) {
  {
    TBitmap32 bmp = Filled(2, 1, Px(200, 100, 0));
    bmp.Pixel(1, 0) = kKey;
    ApplyDisabledLook(bmp, dkGrayed, clWhite, {}, EmptyCacheInfo());
    // Mean 100: 200 − (−90·(100 − 200)) div 255 = 165, 0 + 9000 div 255 = 35.
    EXPECT_EQ(bmp.Pixel(0, 0), Px(165, 100, 35));
    EXPECT_EQ(bmp.Pixel(1, 0), kKey);
  }
  {
    TBitmap32 bmp = Filled(2, 2, Px(0, 201, 0)), parent = Filled(9, 9, Px(101, 0, 0));
    parent.Pixel(3, 4) = kKey;
    ApplyDisabledLook(bmp, dkBlended, clWhite, TPoint{2, 3}, MakeCacheInfo(&parent, 1, 1));
    EXPECT_EQ(bmp.Pixel(1, 1), Px(60, 80, 0));  // 101 − 101·0.4 = 60.6; 0.4·201 = 80.4
    EXPECT_EQ(bmp.Pixel(0, 0), Px(0, 201, 0));  // over a key pixel of the background
  }
  {
    TBitmap32 bmp = Filled(2, 2, Px(201, 0, 0));
    ApplyDisabledLook(bmp, dkBlended, RGBColor(0, 0, 201), {}, ColorBackground(clFuchsia));
    EXPECT_EQ(painttest::CountNot(bmp, Px(80, 0, 121)), 0);  // 0.4·201 = 80.4, 0.6·201 = 120.6
  }
}

// The glow mask blend: mask 255 leaves pixels as they are, other values mix the glow colour in
// and raise alpha; mask parts outside the bitmap are skipped.
TEST(GlowText, MaskBlend) {
  EXPECT_EQ(GlowMaskRect(Rect(10, 20, 30, 40), 3), Rect(4, 14, 38, 48));
  painttest::TGuarded g(3, 2, true, scolor::MakePixel(10, 20, 30, 0x80));
  TBitmap8 mask(4, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) mask.Pixel(x, y) = 255;
  mask.Pixel(1, 1) = 100;
  mask.Pixel(0, 0) = 0;  // lands outside the bitmap
  BlendGlowMask(g.Bmp(), mask, TPoint{-1, -1}, RGBColor(200, 100, 50));
  // g = 155: (155·200 + 10·100) >> 8 = 125, (15500 + 2000) >> 8 = 68, (7750 + 3000) >> 8 = 41;
  // alpha 128 + ((127·155) >> 8) = 204.
  EXPECT_EQ(g.Bmp().Pixel(0, 0), scolor::MakePixel(125, 68, 41, 204));
  EXPECT_EQ(painttest::CountNot(g.Bmp(), scolor::MakePixel(10, 20, 30, 0x80)), 1);
  EXPECT_TRUE(g.Intact());
}

// After a move only the key positions of the requested corners take the new background.
TEST(RefreshCorners, ReplacesOnlyKeyPixels) {
  TTestSkin skin;
  skin.Fill(Rect(0, 0, 8, 4), Px(9, 9, 9));
  skin.Master().Pixel(0, 0) = kKey;  // frame 0, top-left
  skin.Master().Pixel(7, 3) = kKey;  // frame 1, bottom-right
  skin.Master().Pixel(3, 3) = kKey;  // frame 0, bottom-right
  const int b = skin.AddMask(L"BUTTON", L"BORDERSMASK", Rect(0, 0, 8, 4), 2, 0, 1, 1);
  skin.Mask(b).CornerType = 1;
  TsItemSkinData d = skin.Data(skin.AddSection(L"BUTTON", 0), b);
  TBitmap32 parent = painttest::Numbered(30, 30);
  const TCacheInfo bg = MakeCacheInfo(&parent, 2, 3);
  {
    TBitmap32 cache = Filled(6, 5, kSentinel);
    RefreshCorners(d, cache, 1, crBottomRight | crTopLeft, bg, TPoint{10, 10});
    EXPECT_EQ(cache.Pixel(5, 4), parent.Pixel(2 + 10 + 5, 3 + 10 + 4));
    EXPECT_EQ(painttest::CountNot(cache, kSentinel), 1);  // frame 1 has no top-left key
  }
  {
    TBitmap32 cache = Filled(6, 5, kSentinel);
    RefreshCorners(d, cache, 0, crTopLeft, ColorBackground(RGBColor(1, 2, 3)), {});
    EXPECT_EQ(cache.Pixel(0, 0), Px(1, 2, 3));
    EXPECT_EQ(painttest::CountNot(cache, kSentinel), 1);
    skin.Mask(b).CornerType = 0;
    cache = Filled(6, 5, kSentinel);
    RefreshCorners(d, cache, 0, crTopLeft | crBottomRight, bg, {});
    EXPECT_EQ(painttest::CountNot(cache, kSentinel), 0);
  }
}

// ---- Damaged and stale skin data ------------------------------------------------------------

// Counts below their range (STATES 0, negative frame counts, layer counts and bands,
// percentages outside 0 … 100) paint cleanly: state and property index stay at 0, such frames
// have no size, negative bands count as 0, percentages are limited.
TEST(SkinItemFaults, NumbersOutOfRange) {
  TTestSkin skin;
  const int s = skin.AddSection(L"ODD", RGBColor(0, 0, 90), 0);
  skin.Section(s).Props[1].Color = RGBColor(90, 0, 0);
  skin.Section(s).Props[0].GradientPercent = -20;
  const int frames = skin.AddMask(L"ODD", L"BORDERSMASK", Rect(0, 0, 6, 6), -1, 0, 1, 2);
  const int layers = skin.AddMask(L"ODD", L"BORDERSMASK", Rect(0, 0, 6, 6), 1, -2, 1, 2);
  painttest::TGuarded g(8, 8, false, kSentinel);
  for (int border : {frames, layers}) {
    PaintSkinItem(skin.Data(s, border), EmptyCacheInfo(), true, g.Bmp(), {}, Whole(g.Bmp()), 1);
    EXPECT_EQ(painttest::CountNot(g.Bmp(), Px(0, 0, 90)), 0);
  }
  EXPECT_TRUE(g.Intact());
  EXPECT_EQ(MaskFrameSize(skin.Mask(frames)).W, 0);
  EXPECT_EQ(MaskFrameSize(skin.Mask(layers)).H, 0);

  skin.Mask(layers).MaskType = 0;
  skin.Mask(layers).WL = -3;
  const auto geometry = MaskFrameGeometry(skin.Mask(layers), Rect(0, 0, 8, 8), 0);
  ASSERT_TRUE(geometry);
  EXPECT_EQ(geometry->L, 0);
  EXPECT_EQ(geometry->Src[fpTop].Width(), 4);

  skin.Section(s).Props[0].Transparency = 300;
  PaintSectionItem(s, L"", ColorBackground(RGBColor(5, 5, 5)), -1, -1, &skin.Manager(), g.Bmp(), {}, Whole(g.Bmp()), 0);
  EXPECT_EQ(painttest::CountNot(g.Bmp(), Px(5, 5, 5)), 0);
  EXPECT_TRUE(g.Intact());
}

// A control may still hold the indexes of a bigger skin after a smaller one was loaded: an
// unknown section paints nothing, unknown border, texture and corner indexes are skipped.
TEST(SkinItemFaults, StaleIndexesOfABiggerSkin) {
  TTestSkin skin;
  TsItemSkinData stale;
  stale.SkinIndex = 4;
  stale.BorderIndex = 30;
  stale.Texture = 31;
  stale.HotTexture = 32;
  stale.Manager = &skin.Manager();
  // The smaller skin: one section whose own indexes also point past the pieces.
  skin.Tables() = TsSkinTables{};
  skin.Master() = Filled(8, 8, Px(1, 2, 3));
  const int s = skin.AddSection(L"EDIT", RGBColor(0, 70, 0));
  TsGeneralData& g = skin.Section(s);
  g.ImgTL = g.ImgBR = 33;
  g.BorderIndex = 34;
  g.Props[0].TextureIndex = g.Props[1].TextureIndex = 35;
  g.Props[0].ImagePercent = g.Props[1].ImagePercent = 50;

  TBitmap32 bmp = Filled(5, 5, kSentinel);
  PaintSkinItem(stale, EmptyCacheInfo(), true, bmp, {}, Whole(bmp), 1);
  EXPECT_EQ(painttest::CountNot(bmp, kSentinel), 0);
  stale.SkinIndex = s;
  for (int state : {0, 1}) {
    PaintSkinItem(stale, EmptyCacheInfo(), true, bmp, {}, Whole(bmp), state);
    EXPECT_EQ(painttest::CountNot(bmp, Px(0, 70, 0)), 0) << state;
    PaintSectionItem(s, L"", EmptyCacheInfo(), 36, -1, &skin.Manager(), bmp, {}, Whole(bmp), state);
    EXPECT_EQ(painttest::CountNot(bmp, Px(0, 70, 0)), 0) << state;
  }
  RefreshCorners(stale, bmp, 0, 15, ColorBackground(clWhite), {});
  EXPECT_EQ(painttest::CountNot(bmp, Px(0, 70, 0)), 0);
}

// An item painted into part of a bitmap changes no pixel outside its rectangle: the colour share
// ends at Right − 1 / Bottom − 1, recolouring covers only the item, and frame bands still wider
// than the item after the shrink are cut to it.
TEST(SkinItemFaults, NothingOutsideTheItem) {
  const TRect item = Rect(8, 3, 12, 9);
  {
    TTestSkin skin;
    const int s = skin.AddSection(L"PANEL", RGBColor(0, 0, 250));
    TsGenState& st = skin.Section(s).Props[0];
    st.GradientPercent = 30;
    st.GradientData = L"x";
    st.GradientArray = {TsGradPie{RGBColor(9, 9, 9), RGBColor(9, 9, 9), 100, 0, 0}};
    TBitmap32 bmp = Filled(20, 12, kSentinel);
    PaintSectionItem(s, L"", EmptyCacheInfo(), -1, -1, &skin.Manager(), bmp, {}, item, 0);
    EXPECT_TRUE(OutsideIs(bmp, item, kSentinel));
    EXPECT_EQ(bmp.Pixel(11, 8), Px(3, 3, 178));  // 0.3·9 + 0.7·250 = 177.7
  }
  {
    TTestSkin skin;
    TsItemSkinData d = skin.Data(skin.AddSection(L"PANEL", RGBColor(0, 0, 250)));
    d.HUEOffset = 90;
    d.Saturation = -50;
    d.ColorTone = RGBColor(10, 20, 30);
    TBitmap32 bmp = Filled(20, 12, kSentinel);
    PaintSkinItem(d, EmptyCacheInfo(), true, bmp, {}, item, 0);
    EXPECT_TRUE(OutsideIs(bmp, item, kSentinel));
  }
  {
    TTestSkin skin;
    skin.Fill(Rect(0, 0, 12, 4), Px(0, 99, 0));
    const int b = skin.AddMask(L"PANEL", L"BORDERSMASK", Rect(0, 0, 12, 4), 1, 0, 5, 1);
    skin.Mask(b).WL = 0;
    skin.Mask(b).WR = 10;
    const int s = skin.AddSection(L"PANEL", RGBColor(0, 0, 250));
    skin.Section(s).BorderIndex = b;
    TBitmap32 bmp = Filled(20, 12, kSentinel);
    PaintSectionItem(s, L"", EmptyCacheInfo(), -1, -1, &skin.Manager(), bmp, {}, item, 1);
    EXPECT_TRUE(OutsideIs(bmp, item, kSentinel));
    EXPECT_EQ(bmp.Pixel(8, 3), Px(0, 99, 0));
    EXPECT_EQ(bmp.Pixel(11, 8), Px(0, 99, 0));
  }
}
