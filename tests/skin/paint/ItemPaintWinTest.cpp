// The Windows forms of item painting: a section painted through a device context equals the
// bitmap form, and transparent frame corners are cut out of a real window region.
#include <gtest/gtest.h>

#include "ItemTestUtil.h"
#include "framework/Graphics.h"
#include "skin/base/sColorTransforms.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sItemPaint.h"

using namespace itemtest;

// Through a device context the item lands at its rectangle with the same pixels as in a bitmap.
TEST(ItemPaintWin, SectionToDCEqualsTheBitmapForm) {
  TTestSkin skin;
  const int section = skin.AddSection(L"BUTTON", TColor(0x204080));
  skin.Section(section).Props[0].GradientPercent = 0;
  skin.Fill(Rect(0, 0, 6, 6), Px(10, 20, 30));
  skin.Section(section).BorderIndex = skin.AddMask(L"BUTTON", L"BORDERSMASK", Rect(0, 0, 6, 6), 1, 0, 1, 2);
  const TCacheInfo bg{nullptr, 0, 0, TColor(0x00FF00), TRect{}, false};
  TBitmap32 expected = painttest::Filled(20, 12, 0);
  PaintSectionItem(section, L"BUTTON", bg, -1, -1, &skin.Manager(), expected, {}, Rect(0, 0, 20, 12), 1);
  TBitmap target(40, 30);
  PaintSectionToDC(section, L"BUTTON", bg, &skin.Manager(), target.DC(), {}, Rect(10, 5, 30, 17), 1);
  GdiFlush();
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x)
      ASSERT_EQ(target.Pixels().Pixel(10 + x, 5 + y) & 0xFFFFFF, expected.Pixel(x, y) & 0xFFFFFF) << x << "," << y;
  EXPECT_EQ(target.Pixels().Pixel(9, 5) & 0xFFFFFF, 0u);  // nothing beside the rectangle
}

// Key pixels of the frame's corners leave the window region; everything else stays in it.
TEST(ItemPaintWin, KeyCornersLeaveTheRegion) {
  TTestSkin skin;
  skin.Fill(Rect(0, 0, 6, 6), Px(10, 20, 30));
  skin.Master().Pixel(0, 0) = kKey;
  skin.Master().Pixel(1, 0) = kKey;
  const int mask = skin.AddMask(L"FORM", L"BORDERSMASK", Rect(0, 0, 6, 6), 1, 0, 1, 2);
  TBitmap32 bmp = painttest::Filled(10, 8, Px(250, 250, 250));
  TUniqueRgn region(CreateRectRgn(0, 0, 10, 8));
  PaintMaskFrameRegion(bmp, region.get(), true, 1, skin.Mask(mask));
  EXPECT_FALSE(PtInRegion(region.get(), 0, 0));
  EXPECT_FALSE(PtInRegion(region.get(), 1, 0));
  EXPECT_TRUE(PtInRegion(region.get(), 2, 0));
  EXPECT_TRUE(PtInRegion(region.get(), 0, 1));
  EXPECT_TRUE(PtInRegion(region.get(), 5, 4));
}

// A control's text colours take the same saturation amount as its pictures: rounded halves to
// even (30 % is 76.5) and limited to ±255.
TEST(ItemPaintWin, TextColourSaturationAsThePictures) {
  TsCommonData d(nullptr, 3, false);
  for (int percent : {30, -70, 150}) {
    d.SetSaturation(percent);
    EXPECT_EQ(AdjustedColor(d, TColor(0x3060C0)), TColor(ChangeColorSaturation(SaturationAmount(percent), 0x3060C0))) << percent;
  }
}
