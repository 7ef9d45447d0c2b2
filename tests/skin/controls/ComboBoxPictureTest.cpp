// The combo box's pictures from our internal skin as the window loads it (hue 196): the button's
// glyph frame at its place, the arrow when the skin has no glyph, the list items' backgrounds
// and the list's frame, pixel for pixel.
#include <gtest/gtest.h>

#include <utility>

#include "skin/base/sMarks.h"
#include "skin/controls/sComboBoxGeometry.h"
#include "skin/controls/sComboBoxPicture.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sStoredSkinLoad.h"
#include "skin/paint/sMaskFrame.h"

namespace {

constexpr int kW = 145, kH = 21;  // the setup's combo box
constexpr std::uint32_t kKey = 0x00FF00FFu;

TsSkinManager& Skin() {
  static TsSkinManager manager(nullptr);
  static const bool loaded = [] {
    const auto package = storedskin::ReadFileBytes(PRISMATONE_INTERNAL_SKIN_FILE);
    if (package.empty()) return false;
    storedskin::PrepareStoredSkin(manager, package, 196, L"Cobalt3 (internal)");
    manager.SetSkinName(L"Cobalt3 (internal)");
    return !manager.gd().empty();
  }();
  EXPECT_TRUE(loaded) << "internal skin " << PRISMATONE_INTERNAL_SKIN_FILE;
  return manager;
}

TsComboLook Look(TsSkinManager& m) {
  TsComboLook look;
  look.Combo.SkinIndex = m.GetSkinIndex(L"COMBOBOX");
  look.Combo.SkinSection = L"COMBOBOX";
  look.Combo.BorderIndex = m.GetMaskIndex(look.Combo.SkinIndex, L"COMBOBOX", L"BORDERSMASK");
  look.Combo.Manager = &m;
  look.Margin = m.CommonSkinData().ComboBoxMargin;
  look.ScrollWidth = m.ScrollBarWidthAtLeastPlatform();
  return look;
}

TBitmap32 Filled(int w, int h, std::uint32_t v) {
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Pixel(x, y) = v;
  return b;
}

int Differing(const TBitmap32& a, const TBitmap32& b) {
  int n = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) n += a.Pixel(x, y) != b.Pixel(x, y);
  return n;
}

// A colour value as a pixel (bytes B, G, R).
std::uint32_t PixelOf(TColor c) { return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF); }

// Changes the skin's cached combo button indexes for one test.
class ComboButtonOverride {
 public:
  ComboButtonOverride(TsSkinManager& m, int skinIndex, int glyphIndex) : m_(m), saved_(m.ConstData.ComboBtn) {
    m.ConstData.ComboBtn.SkinIndex = skinIndex;
    m.ConstData.ComboBtn.SkinSection = skinIndex >= 0 ? m.gd()[std::size_t(skinIndex)].ClassName : L"";
    m.ConstData.ComboBtn.BGIndex = {-1, -1};
    m.ConstData.ComboBtn.GlyphIndex = glyphIndex;
  }
  ~ComboButtonOverride() { m_.ConstData.ComboBtn = saved_; }

 private:
  TsSkinManager& m_;
  TsConstElementData saved_;
};

}  // namespace

// The setup's skin has no COMBOBTN section and a 3-frame glyph of 9 × 5: state b draws frame b
// at (129, 8) through its key colour, with the cache itself behind it, and nothing else changes.
TEST(ComboPicture, GlyphFrameAtItsPlace) {
  TsSkinManager& m = Skin();
  ASSERT_LT(m.ConstData.ComboBtn.SkinIndex, 0);
  const int g = m.ConstData.ComboBtn.GlyphIndex;
  ASSERT_TRUE(m.IsValidImgIndex(g));
  const TsMaskData& glyph = m.ma()[std::size_t(g)];
  ASSERT_EQ(MaskFrameSize(glyph).W, 9);
  ASSERT_EQ(MaskFrameSize(glyph).H, 5);
  ASSERT_EQ(ComboButtonHeight(&m), 5);
  const TBitmap32* source = MaskSource(glyph);
  ASSERT_NE(source, nullptr);
  auto frame = [&](int b, int x, int y) { return source->Pixel(glyph.R.Left + b * 9 + x, glyph.R.Top + y); };
  // Three different frames, so that a wrong one shows.
  int differing01 = 0, differing12 = 0;
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 9; ++x) {
      differing01 += frame(0, x, y) != frame(1, x, y);
      differing12 += frame(1, x, y) != frame(2, x, y);
    }
  ASSERT_GT(differing01, 0);
  ASSERT_GT(differing12, 0);

  const TsComboLook look = Look(m);
  TBitmap32 parent = Filled(kW, kH, 0xFF406080u);
  for (int b = 0; b <= 2; ++b) {
    TBitmap32 cache(kW, kH);
    PaintComboBase(look, MakeCacheInfo(&parent), cache, {0, 0}, b > 0);
    const TBitmap32 before = cache;
    PaintComboButton(look, cache, kH, b, clWindowText);
    int glyphPixels = 0;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) {
        const bool in = x >= 129 && x < 138 && y >= 8 && y < 13;
        std::uint32_t want = before.Pixel(x, y);
        if (in && frame(b, x - 129, y - 8) != kKey) {
          want = frame(b, x - 129, y - 8) | 0xFF000000u;
          ++glyphPixels;
        }
        ASSERT_EQ(cache.Pixel(x, y), want) << "state " << b << " at " << x << "," << y;
      }
    EXPECT_GT(glyphPixels, 0) << "state " << b;
  }
}

// Without glyph the button gets the small down arrow centred in ButtonRect: in COMBOBTN's font
// colour (hot for states 1 and 2) when the skin has that section, else in the colour passed.
TEST(ComboPicture, ArrowWithoutGlyph) {
  TsSkinManager& m = Skin();
  const int section = m.GetSkinIndex(L"COMBOBOX");  // stands in for a COMBOBTN section
  ASSERT_GE(section, 0);
  const TsGeneralData& g = m.gd()[std::size_t(section)];
  ASSERT_NE(g.Props[0].FontColor.Color, g.Props[1].FontColor.Color);
  struct Case {
    int buttonSection, b;
    TColor want;
  };
  const Case cases[] = {
      {-1, 0, 0x00123456}, {-1, 2, 0x00123456},
      {section, 0, g.Props[0].FontColor.Color}, {section, 1, g.Props[1].FontColor.Color},
      {section, 2, g.Props[1].FontColor.Color},
  };
  const TsComboLook look = Look(m);
  const TRect r = ComboButtonRect(kW, kH, look.Margin, 18, false);
  constexpr std::uint32_t base = 0xFF0080C0u;
  for (const Case& c : cases) {
    ComboButtonOverride noGlyph(m, c.buttonSection, -1);
    TBitmap32 cache = Filled(kW, kH, base);
    PaintComboButton(look, cache, kH, c.b, 0x00123456);
    const auto arrow = SmallArrowPixels(r, adDown, c.want);
    ASSERT_EQ(arrow.size(), 16u);
    for (const TMarkPixel& p : arrow)
      EXPECT_EQ(cache.Pixel(p.X, p.Y), PixelOf(c.want)) << "section " << c.buttonSection << ", state " << c.b;
    // The section, when there is one, is painted inside ButtonRect only.
    int outside = 0, inside = 0;
    for (int y = 0; y < kH; ++y)
      for (int x = 0; x < kW; ++x) (r.Contains({x, y}) ? inside : outside) += cache.Pixel(x, y) != base;
    EXPECT_EQ(outside, 0) << "section " << c.buttonSection << ", state " << c.b;
    if (c.buttonSection >= 0) {
      EXPECT_GT(inside, 16) << "the section's picture, not the arrow alone";
    }
  }
}

// An item's background: SELECTION in its hot state when selected and the skin has it, the
// focused highlight colour without it; otherwise the cache behind it (filled where the item
// reaches past the cache) or the fill colour.
TEST(ComboPicture, ItemBackground) {
  TsSkinManager& m = Skin();
  const int selection = m.GetSkinIndex(L"SELECTION");
  ASSERT_GE(selection, 0);
  constexpr int w = 143, h = 15;
  TBitmap32 behind(kW, kH);
  for (int y = 0; y < kH; ++y)
    for (int x = 0; x < kW; ++x) behind.Pixel(x, y) = 0xFF000000u | std::uint32_t(y << 8 | x);
  const TCacheInfo colour{nullptr, -99, -99, 0x00102030, TRect{}, false};

  TBitmap32 withSection(w, h), reference(w, h);
  PaintComboItemBackground(&m, selection, true, colour, clBlack, withSection);
  PaintSectionItem(selection, L"SELECTION", colour, -1, -1, &m, reference, {0, 0}, Rect(0, 0, w, h), 1);
  EXPECT_EQ(Differing(withSection, reference), 0);
  EXPECT_NE(withSection.Pixel(0, 0), withSection.Pixel(w / 2, h / 2)) << "SELECTION's border is drawn";

  struct Case {
    const char* name;
    int selectionIndex;
    bool selected;
    TCacheInfo bg;
    // The expected pixel at (x, y) of the item.
    std::uint32_t (*want)(int x, int y, TsSkinManager& m);
  };
  const Case cases[] = {
      {"selected, no SELECTION", -1, true, colour,
       [](int, int, TsSkinManager& m) { return 0xFF000000u | PixelOf(m.GetHighLightColor(true)); }},
      {"cache behind", selection, false, MakeCacheInfo(&behind, 1, 3),
       [](int x, int y, TsSkinManager&) { return 0xFF000000u | std::uint32_t((y + 3) << 8 | (x + 1)); }},
      {"cache behind, partly outside", selection, false, MakeCacheInfo(&behind, 10, 12),
       [](int x, int y, TsSkinManager&) {
         return x + 10 < kW && y + 12 < kH ? 0xFF000000u | std::uint32_t((y + 12) << 8 | (x + 10))
                                           : 0xFF000000u | PixelOf(0x00ABCDEF);
       }},
      {"colour", selection, false, colour, [](int, int, TsSkinManager&) { return 0xFF000000u | PixelOf(0x00ABCDEF); }},
  };
  for (const Case& c : cases) {
    TBitmap32 item(w, h);
    PaintComboItemBackground(&m, c.selectionIndex, c.selected, c.bg, 0x00ABCDEF, item);
    int wrong = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) wrong += item.Pixel(x, y) != c.want(x, y, m);
    EXPECT_EQ(wrong, 0) << c.name;
  }
}

// The list's frame: the list colour inside a one-pixel ring of the frame colour. Black is a
// frame colour like any other; only clNone leaves the ring out.
TEST(ComboPicture, ListFrame) {
  struct Case {
    TColor frame;
    std::uint32_t ring;
  };
  const std::uint32_t list = 0xFF000000u | PixelOf(0x00203040);
  for (const Case& c : {Case{0x000000FF, 0xFFFF0000u}, Case{clBlack, 0xFF000000u}, Case{clNone, list}}) {
    TBitmap32 cache = Filled(5, 4, 0x12345678u);
    PaintComboListFrame(cache, 0x00203040, c.frame);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 5; ++x) {
        const bool ring = x == 0 || y == 0 || x == 4 || y == 3;
        EXPECT_EQ(cache.Pixel(x, y), ring ? c.ring : list) << "frame " << std::hex << c.frame << " at " << x << "," << y;
      }
  }
}
