// Whole-skin recolouring through a real load of the test skin: what the hue pass keeps for
// BIKEEPHUE, the fixed palette set, the mask rows kept by brightness, and the pass order.
#include <gtest/gtest.h>

#include "ManagerTestUtil.h"
#include "skin/base/sColorMath.h"
#include "skin/base/sColorTransforms.h"
#include "skin/data/sSkinRecolor.h"

using namespace mgrtest;

namespace {

class Recolor : public ::testing::Test {
 protected:
  TRecordingPlatform platform;
  void SetUp() override { SetSkinPlatform(&platform); }
  void TearDown() override { SetSkinPlatform(nullptr); }

  // A manager with the test skin loaded under the given amounts.
  std::unique_ptr<TsSkinManager> Load(int hue, int saturation, int brightness, int keepHue = 2,
                                      const std::string& version = "7.20") {
    auto m = std::make_unique<TsSkinManager>(nullptr);
    m->BeginUpdate();
    m->InternalSkins().Add(StoredSkin(L"Test", TestPackage(version, keepHue)));
    m->SetHueOffset(hue);
    m->SetSaturation(saturation);
    m->SetBrightness(brightness);
    m->SetSkinName(L"Test");
    EXPECT_TRUE(platform.errors.empty());
    return m;
  }
  static std::uint32_t Px(const TsSkinManager& m, int x, int y) { return m.MasterBitmap().Pixel(x, y); }
  static const TBitmap32& Own(const TsSkinManager& m, const wchar_t* key) {
    const int i = m.GetMaskIndex(L"GLOBALINFO", key);
    EXPECT_GE(i, 0) << key;
    return *m.ma()[std::size_t(i)].Bmp;
  }
};

const std::uint32_t kRedBy196 = ChangePixelHue(196, kRed);

}  // namespace

// With BIKEEPHUE 2 the close-icon pieces keep their colours under 196 while maximise and minimise
// (and the rest of the master bitmap) change; the close glow with its own bitmap is shifted,
// because the big close icon lies in the master bitmap.
TEST_F(Recolor, KeepHue2KeepsCloseIconsOnly) {
  auto m = Load(196, 0, 0, 2);
  ASSERT_EQ(kRedBy196, 0xFF00BBFFu);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) ASSERT_EQ(Px(*m, x, y), kRed) << x << "," << y;  // BICONCLOSE kept
  EXPECT_EQ(Px(*m, 16, 0), kRedBy196);  // BICONMAX
  EXPECT_EQ(Px(*m, 31, 15), kRedBy196);
  EXPECT_EQ(Px(*m, 32, 0), kRedBy196);  // BICONMIN
  EXPECT_EQ(Px(*m, 63, 0), kRedBy196);  // no piece
  EXPECT_EQ(Own(*m, L"SICONCLOSE").Pixel(3, 3), kRed);       // own bitmap: kept
  EXPECT_EQ(Own(*m, L"SICONCLOSEGLOW0").Pixel(3, 3), kRed);  // its glow: kept with it
  EXPECT_EQ(Own(*m, L"SICONMAX").Pixel(3, 3), kRedBy196);    // only the close icons are kept
  EXPECT_EQ(Own(*m, L"BICONCLOSEGLOW0").Pixel(3, 3), kRedBy196);
}

// BIKEEPHUE 1 keeps the whole title-icon set; below 1 nothing is kept.
TEST_F(Recolor, KeepHue1KeepsAllIconsAndZeroNone) {
  auto all = Load(196, 0, 0, 1);
  EXPECT_EQ(Px(*all, 0, 0), kRed);
  EXPECT_EQ(Px(*all, 16, 0), kRed);
  EXPECT_EQ(Px(*all, 47, 15), kRed);
  EXPECT_EQ(Px(*all, 63, 0), kRedBy196);
  EXPECT_EQ(Own(*all, L"SICONMAX").Pixel(0, 0), kRed);
  auto none = Load(196, 0, 0, 0);
  EXPECT_EQ(Px(*none, 0, 0), kRedBy196);
  EXPECT_EQ(Own(*none, L"SICONCLOSE").Pixel(0, 0), kRedBy196);
  EXPECT_EQ(Own(*none, L"SICONCLOSEGLOW0").Pixel(0, 0), kRedBy196);
}

// The key pixel of the master bitmap is skipped by every pass.
TEST_F(Recolor, KeyPixelSurvivesAllPasses) {
  auto m = Load(196, 40, 20, 0);
  EXPECT_EQ(Px(*m, 63, 31), kKey);
}

// Hue changes the fixed palette set and Shadow1Color, not pcWebTextHot; section colours of both
// states and gradient colours (percent above 0) are shifted; the flat copies keep the skin's own.
TEST_F(Recolor, HueChangesSectionsAndFixedPalette) {
  auto m = Load(120, 0, 0);
  EXPECT_EQ(m->Palette()[pcMainColor], 0x00FF00u);  // COLOR 255 (red) → green
  EXPECT_EQ(m->Palette()[pcWebTextHot], 0x0000FFu);  // TCTOP red, not recoloured
  EXPECT_EQ(m->CommonSkinData().Shadow1Color, 0x00FF00u);
  const TsGeneralData& edit = m->gd()[std::size_t(m->GetSkinIndex(L"EDIT"))];
  EXPECT_EQ(edit.Props[0].Color, 0x00FF00u);
  EXPECT_EQ(edit.Props[1].Color, 0x00FF00u);
  EXPECT_EQ(edit.Props[0].FontColor.Color, 0x00FF00u);
  EXPECT_EQ(edit.Props[0].FontColor.Left, TColor(-1));  // outlines that are −1 stay −1
  ASSERT_EQ(edit.Props[0].GradientArray.size(), 1u);
  EXPECT_EQ(edit.Props[0].GradientArray[0].Color1, 0x00FF00u);
  EXPECT_EQ(edit.Color, 0x0000FFu);  // flat copy: the stored colour
}

// Saturation −100 (amount −255) greys every pixel and the palette's fixed set.
TEST_F(Recolor, SaturationScalesPercentAndGreys) {
  auto m = Load(0, -100, 0, 0);
  EXPECT_EQ(Px(*m, 0, 0), 0xFF555555u);  // mean of (255, 0, 0) is 85
  EXPECT_EQ(m->Palette()[pcMainColor], 0x555555u);
  EXPECT_EQ(m->Palette()[pcWebTextHot], 0x0000FFu);
  EXPECT_EQ(Own(*m, L"SICONCLOSE").Pixel(0, 0), 0xFF555555u);  // no keep rule for saturation
}

// Brightness 20: image rows of a two-layer piece in the master bitmap get 20 added per channel,
// its mask rows keep their values; the same for a two-layer piece with its own bitmap.
// Shadow1Color and the palette are not changed by brightness.
TEST_F(Recolor, BrightnessKeepsMaskRows) {
  auto m = Load(0, 0, 20);
  for (int x = 0; x < 32; ++x) {
    EXPECT_EQ(Px(*m, x, 16), 0xFF787878u) << x;  // image row: 100 + 20
    EXPECT_EQ(Px(*m, x, 23), 0xFF787878u) << x;
    EXPECT_EQ(Px(*m, x, 24), kMaskRow) << x;     // mask rows kept
    EXPECT_EQ(Px(*m, x, 31), kMaskRow) << x;
  }
  EXPECT_EQ(Px(*m, 40, 24), 0xFF787878u);  // outside any two-layer piece: changed
  const TBitmap32& button = *m->ma()[std::size_t(m->GetMaskIndex(m->GetSkinIndex(L"BUTTON"), L"BUTTON", L"BORDERSMASK"))].Bmp;
  EXPECT_EQ(button.Pixel(0, 0), 0xFF787878u);
  EXPECT_EQ(button.Pixel(7, 3), 0xFF787878u);
  EXPECT_EQ(button.Pixel(0, 4), kMaskRow);
  EXPECT_EQ(button.Pixel(7, 7), kMaskRow);
  EXPECT_EQ(m->Palette()[pcMainColor], 0x0000FFu);
  EXPECT_EQ(m->CommonSkinData().Shadow1Color, 0x0000FFu);
  const TsGeneralData& edit = m->gd()[std::size_t(m->GetSkinIndex(L"EDIT"))];
  EXPECT_EQ(edit.Props[0].Color, 0x1414FFu);
}

// The passes run hue, then saturation, then brightness.
TEST_F(Recolor, PassOrder) {
  auto m = Load(30, 40, -10, 0);
  const std::uint32_t expected =
      ChangeColorBrightness(ChangeColorSaturation(SaturationAmount(40), ChangePixelHue(30, kRed)), -10);
  EXPECT_EQ(Px(*m, 63, 0), expected);
}

// A positive brightness does the alpha preparation the load deferred for one-layer pieces with
// their own bitmap: premultiplied for skins newer than 7.45, key pixels left alone.
TEST(PrepareDeferredAlpha, PremultipliesAndSkipsKey) {
  TBitmap32 b(3, 1);
  b.Pixel(0, 0) = 0x80FF8040u;
  b.Pixel(1, 0) = 0x00FFFFFFu;
  b.Pixel(2, 0) = 0x00FF00FFu;
  TBitmap32 old = b;
  PrepareDeferredAlpha(b, 7.5);
  EXPECT_EQ(b.Pixel(0, 0), 0x807F4020u);
  EXPECT_EQ(b.Pixel(1, 0), 0u);
  EXPECT_EQ(b.Pixel(2, 0), 0x00FF00FFu);
  PrepareDeferredAlpha(old, 7.2);
  EXPECT_EQ(old.Pixel(0, 0), 0x80FF8040u);
  EXPECT_EQ(old.Pixel(1, 0), 0u);
}

// Zero amounts change nothing at all.
TEST(RecolorSkin, ZeroAmountsAreSkipped) {
  TsSkinTables t;
  t.MasterBitmap = TBitmap32(1, 1);
  t.MasterBitmap.Pixel(0, 0) = 0xFF0028FFu;  // would move under the sector rounding
  t.Palette[pcMainColor] = 0x0028FF;
  RecolorSkin(t, 0, 0, 0);
  EXPECT_EQ(t.MasterBitmap.Pixel(0, 0), 0xFF0028FFu);
  EXPECT_EQ(t.Palette[pcMainColor], 0x0028FFu);
}
