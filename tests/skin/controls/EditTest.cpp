// The skinned edit in a real window with the setup window's own skin: what reaches the window
// without and with the focus, and its disabled look over a parent that answers with a colour.
// Only the edit's own bitmaps are compared with the screen; no glyph is asserted.
#include <gtest/gtest.h>

#include <cmath>

#include "../paint/PumpUtil.h"
#include "WindowPixels.h"
#include "framework/Form.h"
#include "skin/controls/sMaskEdit.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sStoredSkinLoad.h"
#include "skin/paint/sGlow.h"
#include "skin/paint/sItemPaint.h"
#include "skin/paint/sSkinEngine.h"

namespace {

using pumptest::Pump;
using pumptest::PumpPending;

std::uint32_t Rgb(std::uint32_t pixel) { return pixel & 0xFFFFFFu; }

class Edit : public ::testing::Test {
 protected:
  TsSkinManager manager{nullptr};
  TForm form{nullptr};
  TsMaskEdit* edit = nullptr;
  TsMaskEdit* other = nullptr;  // takes the focus away

  void SetUp() override {
    InstallSkinEngine();
    storedskin::PrepareStoredSkin(manager, storedskin::ReadFileBytes(PRISMATONE_WINDOW_SKIN_PATH), 196, L"T");
    manager.SetSkinName(L"T");
    ASSERT_GE(manager.GetSkinIndex(L"EDIT"), 0);
    form.SetBounds(60, 60, 360, 160);
    edit = Add(20);
    other = Add(60);
    form.Show();
    other->SetFocus();
    PumpPending();
  }
  void TearDown() override {
    HideAllGlows(true);
    SetSkinPlatform(nullptr);
  }
  TsMaskEdit* Add(int top) {
    auto* e = new TsMaskEdit(&form);
    e->SetParent(&form);
    e->SetBounds(20, top, 200, 21);
    e->Loaded();
    return e;
  }
  // The edit repainted and settled.
  TBitmap32 Shown() {
    RedrawWindow(edit->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    PumpPending();
    return WindowPixels(edit->Handle());
  }
  TBitmap32 Cache() { return edit->SkinData().CacheBmp()->Pixels(); }
};

// Without the focus the whole window, border included, is the cache, text and all.
TEST_F(Edit, UnfocusedWindowIsItsCache) {
  edit->SetText(L"C:\\Program Files\\Prismatone");
  const TBitmap32 shown = Shown();
  const TBitmap32 cache = Cache();
  ASSERT_EQ(shown.Width(), cache.Width());
  ASSERT_EQ(shown.Height(), cache.Height());
  for (int y = 0; y < shown.Height(); ++y)
    for (int x = 0; x < shown.Width(); ++x) ASSERT_EQ(Rgb(shown.Pixel(x, y)), Rgb(cache.Pixel(x, y))) << x << "," << y;
}

// With the focus the platform paints the text area, in the section's colour for the focused
// state whatever the control's own colour; the border bands are the cache's.
TEST_F(Edit, FocusedBordersFromTheCacheInteriorInTheSectionColour) {
  edit->SetColor(TColor(0x0000FF));
  edit->SetFocus();
  Pump([&] { return edit->Focused(); });
  const TBitmap32 shown = Shown();
  const TBitmap32 cache = Cache();
  const int w = shown.Width(), h = shown.Height();
  for (int i = 0; i < 2; ++i) {
    for (int x = 0; x < w; ++x) {
      EXPECT_EQ(Rgb(shown.Pixel(x, i)), Rgb(cache.Pixel(x, i))) << "top band " << x;
      EXPECT_EQ(Rgb(shown.Pixel(x, h - 1 - i)), Rgb(cache.Pixel(x, h - 1 - i))) << "bottom band " << x;
    }
    for (int y = 0; y < h; ++y) {
      EXPECT_EQ(Rgb(shown.Pixel(i, y)), Rgb(cache.Pixel(i, y))) << "left band " << y;
      EXPECT_EQ(Rgb(shown.Pixel(w - 1 - i, y)), Rgb(cache.Pixel(w - 1 - i, y))) << "right band " << y;
    }
  }
  const TsGeneralData& g = manager.gd()[std::size_t(edit->SkinData().SkinIndex)];
  const TColor colour = ColorToRGB(AdjustedColor(edit->SkinData(), g.Props[g.States > 1 ? 1 : 0].Color));
  const std::uint32_t expected = (colour & 0xFF) << 16 | (colour & 0xFF00) | (colour >> 16 & 0xFF);
  EXPECT_EQ(Rgb(shown.Pixel(w - 8, h / 2)), expected) << "the text area right of any text";
}

// Disabled and empty over a parent that answers with its colour c: each channel of each pixel is
// Round(0.4 × p + 0.6 × c) of the enabled picture.
TEST_F(Edit, DisabledBlendsTheEnabledPictureTowardsTheParentColour) {
  Shown();
  const TBitmap32 enabled = Cache();
  edit->SetEnabled(false);
  Shown();
  const TBitmap32 disabled = Cache();
  const TColor c = ColorToRGB(form.Color());
  const int parent[3] = {int(c >> 16 & 0xFF), int(c >> 8 & 0xFF), int(c & 0xFF)};  // B, G, R as pixels hold them
  for (int y = 0; y < enabled.Height(); ++y)
    for (int x = 0; x < enabled.Width(); ++x)
      for (int ch = 0; ch < 3; ++ch) {
        const int p = int(enabled.Pixel(x, y) >> (8 * ch) & 0xFF);
        const int d = int(disabled.Pixel(x, y) >> (8 * ch) & 0xFF);
        ASSERT_EQ(d, int(std::lround(0.4 * p + 0.6 * parent[ch]))) << x << "," << y << " channel " << ch;
      }
}

}  // namespace
