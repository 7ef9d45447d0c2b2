// The combo box's pictures from our internal skin as the window loads it (hue 196), pixel for
// pixel: the button's glyph frame at its place, the list items' backgrounds and the list frame.
#include <gtest/gtest.h>

#include <functional>

#include "skin/controls/sComboBoxPicture.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sStoredSkinLoad.h"
#include "skin/paint/sMaskFrame.h"

namespace {

constexpr int kW = 145, kH = 21;  // the setup's combo box

TsSkinManager& Skin() {
  static TsSkinManager manager(nullptr);
  static const bool loaded = [] {
    const auto package = storedskin::ReadFileBytes(PRISMATONE_INTERNAL_SKIN_FILE);
    if (package.empty()) return false;
    storedskin::PrepareStoredSkin(manager, package, 196, L"Cobalt3 (internal)");
    manager.SetSkinName(L"Cobalt3 (internal)");
    return !manager.gd().empty();
  }();
  EXPECT_TRUE(loaded) << PRISMATONE_INTERNAL_SKIN_FILE;
  return manager;
}

// A colour value as an opaque pixel (bytes B, G, R, A).
std::uint32_t Opaque(TColor c) { return 0xFF000000u | (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF); }

// Pixels of a that differ from want(x, y).
template <class F>
int Differing(const TBitmap32& a, F want) {
  int n = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) n += a.Pixel(x, y) != want(x, y);
  return n;
}

}  // namespace

// The setup's skin has no COMBOBTN section and a glyph of three different 9 × 5 frames: state b
// draws frame b at (129, 8) through its key colour over the field, and changes nothing else.
TEST(ComboPicture, GlyphFrameAtItsPlace) {
  TsSkinManager& m = Skin();
  ASSERT_LT(m.ConstData.ComboBtn.SkinIndex, 0);
  ASSERT_TRUE(m.IsValidImgIndex(m.ConstData.ComboBtn.GlyphIndex));
  const TsMaskData& glyph = m.ma()[std::size_t(m.ConstData.ComboBtn.GlyphIndex)];
  ASSERT_EQ(ComboButtonHeight(&m), 5);
  const TBitmap32* source = MaskSource(glyph);
  ASSERT_NE(source, nullptr);
  auto frame = [&](int b, int x, int y) { return source->Pixel(glyph.R.Left + b * 9 + x, glyph.R.Top + y); };
  TsComboLook look;
  look.Combo.SkinIndex = m.GetSkinIndex(L"COMBOBOX");
  look.Combo.SkinSection = L"COMBOBOX";
  look.Combo.BorderIndex = m.GetMaskIndex(look.Combo.SkinIndex, L"COMBOBOX", L"BORDERSMASK");
  look.Combo.Manager = &m;
  look.ScrollWidth = m.ScrollBarWidthAtLeastPlatform();
  TBitmap32 parent(kW, kH);
  TBitmap32 previous;
  for (int b = 0; b <= 2; ++b) {
    TBitmap32 cache(kW, kH);
    PaintComboBase(look, MakeCacheInfo(&parent), cache, {0, 0}, false);
    const TBitmap32 field = cache;
    PaintComboButton(look, cache, kH, b, clWindowText);
    const int changed = Differing(cache, [&](int x, int y) {
      const bool in = x >= 129 && x < 138 && y >= 8 && y < 13;
      return in && frame(b, x - 129, y - 8) != 0x00FF00FFu ? frame(b, x - 129, y - 8) | 0xFF000000u : field.Pixel(x, y);
    });
    EXPECT_EQ(changed, 0) << "state " << b;
    EXPECT_TRUE(b == 0 || Differing(cache, [&](int x, int y) { return previous.Pixel(x, y); }) > 0)
        << "frame " << b << " looks like the one before";
    previous = cache;
  }
}

// An item's background: SELECTION in its hot state when selected and the skin has it, the
// focused highlight colour without it; unselected, the cache behind it (filled where the item
// reaches past the cache) or the fill colour.
TEST(ComboPicture, ItemBackground) {
  TsSkinManager& m = Skin();
  const int selection = m.GetSkinIndex(L"SELECTION");
  ASSERT_GE(selection, 0);
  constexpr int w = 143, h = 15;
  constexpr TColor fill = 0x00ABCDEF;
  TBitmap32 behind(kW, kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) behind.Pixel(x, y) = 0xFF000000u | std::uint32_t(y << 8 | x);
  const TCacheInfo colour{nullptr, -99, -99, 0x00102030, TRect{}, false};
  TBitmap32 section(w, h);
  PaintSectionItem(selection, L"SELECTION", colour, -1, -1, &m, section, {0, 0}, Rect(0, 0, w, h), 1);
  ASSERT_NE(section.Pixel(0, 0), section.Pixel(w / 2, h / 2)) << "SELECTION's border shows";

  auto cached = [&](int dx, int dy) {
    return [&behind, dx, dy](int x, int y) { return x + dx < kW && y + dy < kH ? behind.Pixel(x + dx, y + dy) : Opaque(fill); };
  };
  auto plain = [](TColor c) { return [c](int, int) { return Opaque(c); }; };
  struct Case {
    const char* name;
    int selectionIndex;
    bool selected;
    TCacheInfo bg;
    std::function<std::uint32_t(int, int)> want;
  };
  const Case cases[] = {
      {"SELECTION", selection, true, colour, [&](int x, int y) { return section.Pixel(x, y); }},
      {"highlight", -1, true, colour, plain(m.GetHighLightColor(true))},
      {"cache behind", selection, false, MakeCacheInfo(&behind, 1, 3), cached(1, 3)},
      {"cache behind, partly outside", selection, false, MakeCacheInfo(&behind, 10, 12), cached(10, 12)},
      {"colour", selection, false, colour, plain(fill)},
  };
  for (const Case& c : cases) {
    TBitmap32 item(w, h);
    PaintComboItemBackground(&m, c.selectionIndex, c.selected, c.bg, fill, item);
    EXPECT_EQ(Differing(item, c.want), 0) << c.name;
  }
}

// The list's frame: the list colour inside a one-pixel ring of the frame colour. Black is a frame
// colour like any other; only clNone leaves the ring out.
TEST(ComboPicture, ListFrame) {
  const std::uint32_t list = Opaque(0x00203040);
  for (TColor frame : {TColor(0x000000FF), clBlack, clNone}) {
    TBitmap32 cache(5, 4);
    PaintComboListFrame(cache, 0x00203040, frame);
    const std::uint32_t ring = frame == clNone ? list : Opaque(frame);
    EXPECT_EQ(Differing(cache, [&](int x, int y) { return x == 0 || y == 0 || x == 4 || y == 3 ? ring : list; }), 0)
        << "frame " << std::hex << frame;
  }
}
