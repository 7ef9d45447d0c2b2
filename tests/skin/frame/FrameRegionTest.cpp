// The frame's cut corners (ArOR) and the caption buttons over synthetic skins, damaged skin values
// included: the pieces are filled directly, so that every corner pixel and button pixel is known.
#include <gtest/gtest.h>

#include <vector>

#include "../paint/ItemTestUtil.h"
#include "skin/data/sSkinIndexes.h"
#include "skin/frame/sCaptionButtons.h"
#include "skin/frame/sFrameLayout.h"
#include "skin/frame/sFrameRegion.h"

using namespace itemtest;

namespace {

constexpr int kW = 100, kH = 50;

// A 16 × 16 frame at (0, 0) with bands of 4 and magenta runs in its corners, and a title frame
// at (16, 0) with one run at its top and one at its bottom.
struct TCornerSkin {
  TTestSkin Skin;
  int Form, Title;
  TCornerSkin() {
    Form = Skin.AddMask(L"FORM", L"BORDERSMASK", Bounds(0, 0, 16, 16), 1, 0, 0, 4);
    Title = Skin.AddMask(L"FORMTITLE", L"BORDERSMASK", Bounds(16, 0, 16, 16), 1, 0, 0, 4);
    TBitmap32& b = Skin.Master();
    for (int x : {0, 1, 2, 14, 15}) b.Pixel(x, 0) = kKey;
    b.Pixel(0, 1) = kKey;
    b.Pixel(0, 2) = 0xFFFF00FFu;  // magenta with alpha: not the key
    b.Pixel(8, 0) = kKey;         // on the edge, not in a corner
    b.Pixel(0, 15) = kKey;
    b.Pixel(15, 15) = kKey;
    b.Pixel(17, 0) = kKey;
    b.Pixel(16, 15) = kKey;  // the title's bottom is not scanned
  }
};

}  // namespace

// Left-hand runs keep their column, right-hand runs land at CaptionWidth − (w − column), the
// bottom rows at height − WB; the title adds its top runs only.
TEST(FrameCorners, MagentaRuns) {
  TCornerSkin s;
  const std::vector<TRect> expected = {Rect(0, 0, 3, 1),   Rect(0, 1, 1, 2),   Rect(98, 0, 100, 1),
                                       Rect(0, 49, 1, 50), Rect(99, 49, 100, 50), Rect(1, 0, 2, 1)};
  EXPECT_EQ(FrameCornerRects(s.Skin.Manager(), s.Form, s.Title, kW, kH), expected);
  // Without magenta the window stays a rectangle.
  s.Skin.Fill(Bounds(0, 0, 32, 16), Px(9, 9, 9));
  EXPECT_TRUE(FrameCornerRects(s.Skin.Manager(), s.Form, s.Title, kW, kH).empty());
}

// Only the first state image is read: a run in the second frame's corner adds nothing.
TEST(FrameCorners, FirstStateImageOnly) {
  TTestSkin skin;
  const int form = skin.AddMask(L"FORM", L"BORDERSMASK", Bounds(0, 0, 32, 16), 2, 0, 0, 4);
  skin.Master().Pixel(16, 0) = kKey;
  skin.Master().Pixel(15, 0) = kKey;
  EXPECT_EQ(FrameCornerRects(skin.Manager(), form, -1, kW, kH), (std::vector<TRect>{Rect(99, 0, 100, 1)}));
}

// Damaged values add nothing for the edges they spoil, and read nothing outside the bitmap: a
// negative or too wide band, a frame without pixels, a piece below the bitmap's end.
TEST(FrameCorners, BadValuesAddNothing) {
  struct Case {
    const char* Name;
    void (*Spoil)(TsMaskData&);
    std::size_t Rects;  // of the 5 the form's frame gives
  };
  const Case cases[] = {
      {"negative top band", [](TsMaskData& m) { m.WT = -1; }, 2},
      {"bottom band past the frame", [](TsMaskData& m) { m.WB = 17; }, 3},
      {"left band past the frame", [](TsMaskData& m) { m.WL = 40; }, 0},
      {"negative right band", [](TsMaskData& m) { m.WR = -3; }, 0},
      {"no images", [](TsMaskData& m) { m.ImageCount = 0; }, 0},
      {"negative mask type", [](TsMaskData& m) { m.MaskType = -1; }, 0},
      {"inverted piece", [](TsMaskData& m) { m.R = Rect(16, 16, 0, 0); }, 0},
      {"below the bitmap", [](TsMaskData& m) { m.R = Bounds(0, 56, 16, 16); }, 0},
  };
  for (const Case& c : cases) {
    TCornerSkin s;
    c.Spoil(s.Skin.Mask(s.Form));
    EXPECT_EQ(FrameCornerRects(s.Skin.Manager(), s.Form, -1, kW, kH).size(), c.Rects) << c.Name;
  }
}

namespace {

// A skin with GLOBALINFO and a small close image of three 4 × 3 states (red, green, blue).
struct TButtonSkin {
  TTestSkin Skin;
  int Close;
  TButtonSkin() {
    Skin.AddSection(L"GLOBALINFO", 0, 1);
    Close = Skin.AddMask(L"GLOBALINFO", L"SICONCLOSE", Bounds(0, 40, 12, 3), 3);
    Skin.Fill(Bounds(0, 40, 4, 3), Px(255, 0, 0));
    Skin.Fill(Bounds(4, 40, 4, 3), Px(0, 255, 0));
    Skin.Fill(Bounds(8, 40, 4, 3), Px(0, 0, 255));
    BuildConstantIndexes(Skin.Tables(), Skin.Manager().ConstData);
  }
  TsSkinManager& M() { return Skin.Manager(); }
};

int Differences(const TBitmap32& a, const TBitmap32& b) {
  int n = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) n += a.Pixel(x, y) != b.Pixel(x, y);
  return n;
}

TsButtonQueries CloseOnly() {
  TsButtonState s;
  s.Icons = biSystemMenu;
  s.BorderStyle = TFormBorderStyle::bsDialog;
  return ButtonQueries(s);
}

void Lay(TsCaptionButtons& b, const TsSkinManager& m, const TsButtonQueries& q) {
  AssignButtonImages(b, m, TFormBorderStyle::bsDialog, q);
  CalcItems(b, m, q, TsButtonPlace{40, 3, 4, 10, false, false, true});
}

}  // namespace

// A close image whose frame has no pixels counts as missing: the button falls back to 21 × 21,
// keeps its place and hit test, and nothing is drawn from it.
TEST(CaptionButtonFaults, ZeroFrameImageFallsBackTo21) {
  struct Case {
    const char* Name;
    void (*Spoil)(TsMaskData&);
  };
  const Case cases[] = {
      {"no images", [](TsMaskData& m) { m.ImageCount = 0; }},
      {"negative image count", [](TsMaskData& m) { m.ImageCount = -2; }},
      {"negative mask type", [](TsMaskData& m) { m.MaskType = -1; }},
      {"inverted piece", [](TsMaskData& m) { m.R = Rect(12, 43, 0, 40); }},
  };
  for (const Case& c : cases) {
    TButtonSkin s;
    ASSERT_EQ(s.M().ConstData.MaskCloseSmall, s.Close);
    c.Spoil(s.Skin.Mask(s.Close));
    const TsButtonQueries q = CloseOnly();
    TsCaptionButtons b;
    Lay(b, s.M(), q);
    EXPECT_EQ(b.Close.ImageIndex, -1) << c.Name;
    EXPECT_EQ(b.Close.Rect, Rect(16, 0, 37, 21)) << c.Name;  // centred on 10: 10 − 21 div 2 = 0
    EXPECT_EQ(TitleBtnsWidth(s.M(), b, q), 21) << c.Name;
    EXPECT_EQ(CaptionButtonHitTest(b, q, TPoint{20, 5}), shtClose) << c.Name;
    TBitmap32 image = painttest::Filled(40, 30, Px(7, 7, 7));
    TsTempBmp temp;
    SaveTempBmp(temp, image, 3, 19, 0, 21);
    PaintCaptionButtons(image, temp, s.M(), b, q, true, true);
    EXPECT_EQ(image.Pixel(20, 5), Px(7, 7, 7)) << c.Name;
  }
}

// The buttons in the image: hot and pressed images as they are, the normal image dimmed on an
// inactive form and for a disabled command, and a repaint back to normal restores exactly the
// picture a full paint gives (the clean title comes from TempBmp).
TEST(CaptionButtonPaint, StatesDimmingAndRepaint) {
  TButtonSkin s;
  const TsButtonQueries q = CloseOnly();
  TsCaptionButtons b;
  Lay(b, s.M(), q);
  ASSERT_EQ(b.Close.Rect, Rect(33, 9, 37, 12));
  const std::uint32_t grey = Px(7, 7, 7), red = Px(255, 0, 0), green = Px(0, 255, 0), blue = Px(0, 0, 255);
  TBitmap32 image = painttest::Filled(40, 30, grey);
  TsTempBmp temp;
  SaveTempBmp(temp, image, 3, 19, 0, TitleBtnsWidth(s.M(), b, q));
  PaintCaptionButtons(image, temp, s.M(), b, q, true, true);
  const TBitmap32 normal = image;
  EXPECT_EQ(image.Pixel(33, 9), red);

  b.Close.State = 1;
  const TRect r = RepaintCaptionButton(image, temp, s.M(), b, q, b.Close, true, true);
  EXPECT_EQ(r, b.Close.Rect);
  EXPECT_EQ(image.Pixel(36, 11), green);
  b.Close.State = 2;
  RepaintCaptionButton(image, temp, s.M(), b, q, b.Close, false, true);
  EXPECT_EQ(image.Pixel(36, 11), blue);  // a pressed button is never dimmed by an inactive form
  b.Close.Animating = true;               // the animation window shows the state: the image keeps 0
  RepaintCaptionButton(image, temp, s.M(), b, q, b.Close, true, true);
  EXPECT_EQ(image.Pixel(36, 11), red);
  b.Close.Animating = false;
  b.Close.State = 0;
  RepaintCaptionButton(image, temp, s.M(), b, q, b.Close, true, true);
  EXPECT_EQ(Differences(image, normal), 0);

  for (const bool active : {false, true}) {
    TsButtonQueries greyed = q;
    greyed.EnabledClose = !active;  // inactive form, then a disabled command on an active one
    RepaintCaptionButton(image, temp, s.M(), b, greyed, b.Close, active, true);
    // Half of the normal image over the title: Trunc(255 − 248 / 2), Trunc(0 + 7 / 2).
    EXPECT_EQ(image.Pixel(34, 10), Px(131, 3, 3)) << (active ? "disabled command" : "inactive form");
  }
}
