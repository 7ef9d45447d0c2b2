#include "GalleryTiles.h"

#include <algorithm>
#include <cctype>
#include <charconv>

#include "framework/Utf.h"
#include "skin/base/sAnimSteps.h"
#include "skin/base/sLightStrip.h"
#include "skin/controls/sCheckBoxGeometry.h"
#include "skin/controls/sGaugePicture.h"
#include "skin/controls/sGaugeRange.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sMaskFrame.h"
#include "skin/paint/sSkinItem.h"

std::vector<TGallerySection> DefaultSections() {
  return {
      {L"BUTTON", 75, 25},          // sButton1
      {L"CHECKBOX", 197, 19},       // sCheckBox1 (the other two differ only in width)
      {L"EDIT", 465, 201},          // sMemo1
      {L"EDIT", 401, 21},           // sDirectoryEdit1
      {L"COMBOBOX", 145, 21},       // sComboBox1
      {L"SPEEDBUTTON", 23, 22},     // sSpeedButton1, the folder button
      {L"GAUGE", 465, 25},          // sGauge1
      {L"PROGRESSH", 232, 25},      // the gauge's filled part at half way
      {L"WEBBUTTON", 98, 13},       // sWebLabel1
      {L"SCROLLBTNTOP", 17, 17},    // the memo's scroll bar: arrows, track halves, thumb
      {L"SCROLLBTNBOTTOM", 17, 17},
      {L"SCROLLBAR1V", 17, 80},
      {L"SCROLLBAR2V", 17, 80},
      {L"SCROLLSLIDERV", 17, 40},
      {L"FORMTITLE", 680, 26},      // the window's title strip
      {L"FORM", 680, 495},          // the client area
  };
}

namespace {

// A whole decimal number in 1 … 4096.
std::optional<int> ParseSide(std::string_view text) {
  int v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size() || v < 1 || v > 4096) return std::nullopt;
  return v;
}

std::string StateText(int state) { return state == kDisabledState ? "dis" : "s" + std::to_string(state); }

}  // namespace

std::optional<TGallerySection> ParseSection(const std::string& text) {
  const auto colon = text.find(':');
  const auto x = text.find('x', colon == std::string::npos ? 0 : colon);
  if (colon == std::string::npos || colon == 0 || x == std::string::npos) return std::nullopt;
  const std::string name = text.substr(0, colon);
  // Section names are upper-case words; lower case would never match the skin's tables.
  if (!std::all_of(name.begin(), name.end(), [](unsigned char c) { return std::isupper(c) || std::isdigit(c) || c == '_'; }))
    return std::nullopt;
  const auto w = ParseSide(std::string_view(text).substr(colon + 1, x - colon - 1));
  const auto h = ParseSide(std::string_view(text).substr(x + 1));
  if (!w || !h) return std::nullopt;
  return TGallerySection{Utf8ToWide(name), *w, *h};
}

TBitmap32 CheckBitmap(int width, int height) {
  TBitmap32 b(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) b.Pixel(x, y) = ((x / kCheckSquare + y / kCheckSquare) % 2) ? kCheckDark : kCheckLight;
  return b;
}

TCacheInfo CheckBackground(TBitmap32& check) { return MakeCacheInfo(&check, 0, 0); }

TCacheInfo ColourBackground(TColor colour) { return TCacheInfo{nullptr, -99, -99, colour, TRect{}, false}; }

std::string TileFileName(const std::wstring& section, int width, int height, int state, TGalleryBackground bg,
                         bool text) {
  return WideToUtf8(section) + "_" + std::to_string(width) + "x" + std::to_string(height) + "_" + StateText(state) +
         (bg == TGalleryBackground::Check ? "_bg" : "_col") + (text ? "_text" : "") + ".png";
}

int ShownStates(int states) { return std::max(states, 2); }

std::vector<TGalleryTile> PaintTiles(TsSkinManager& manager, const std::vector<TGallerySection>& sections,
                                     std::vector<std::wstring>& missing) {
  std::vector<TGalleryTile> tiles;
  for (const TGallerySection& s : sections) {
    const int index = manager.GetSkinIndex(s.Name);
    if (index < 0) {
      missing.push_back(s.Name);
      continue;
    }
    // The check lies exactly behind the tile (item position 0, 0), so a fully transparent
    // section shows the check's own pixels.
    TBitmap32 check = CheckBitmap(s.Width, s.Height);
    const int states = ShownStates(manager.gd()[index].States);
    for (TGalleryBackground bg : {TGalleryBackground::Check, TGalleryBackground::Colour}) {
      const TCacheInfo info = bg == TGalleryBackground::Check ? CheckBackground(check) : ColourBackground(kPlainColour);
      auto paint = [&](int state) {
        TGalleryTile t{TileFileName(s.Name, s.Width, s.Height, state, bg, false), s.Name, s.Width, s.Height, state,
                       bg, false, TBitmap32(s.Width, s.Height)};
        PaintSectionItem(index, s.Name, info, -1, -1, &manager, t.Pixels, {0, 0}, Rect(0, 0, s.Width, s.Height),
                         state == kDisabledState ? 0 : state);
        // Disabled controls in the setup window use the blended look alone.
        if (state == kDisabledState) ApplyDisabledLook(t.Pixels, dkBlended, kPlainColour, {0, 0}, info);
        tiles.push_back(std::move(t));
      };
      for (int state = 0; state < states; ++state) paint(state);
      paint(kDisabledState);
    }
  }
  return tiles;
}

const TGalleryTile* FindTile(const std::vector<TGalleryTile>& tiles, std::wstring_view section, int width, int height,
                             int state, TGalleryBackground bg, bool text) {
  for (const TGalleryTile& t : tiles)
    if (t.Section == section && t.Width == width && t.Height == height && t.State == state && t.Background == bg &&
        t.Text == text)
      return &t;
  return nullptr;
}

std::vector<TGalleryTile> FadeTiles(const std::vector<TGalleryTile>& tiles) {
  std::vector<TGalleryTile> frames;
  auto fade = [&](const char* name, int from, int to, int iterations) {
    const TGalleryTile* a = FindTile(tiles, L"BUTTON", 75, 25, from, TGalleryBackground::Colour);
    const TGalleryTile* b = FindTile(tiles, L"BUTTON", 75, 25, to, TGalleryBackground::Colour);
    if (!a || !b) return;
    const std::vector<int> weights = FadeWeights(iterations);
    for (std::size_t k = 0; k < weights.size(); ++k) {
      TGalleryTile t = *a;
      const std::string number = (k + 1 < 10 ? "0" : "") + std::to_string(k + 1);
      t.File = "BUTTON_75x25_" + std::string(name) + number + "_col.png";
      t.State = int(k) + 1;
      FadeBlend(t.Pixels, b->Pixels, 255 - weights[k]);
      frames.push_back(std::move(t));
    }
  };
  fade("enter", 0, 1, kFadeIterations);
  fade("press", 1, 2, kFadeIterations / 2);
  return frames;
}

std::vector<TGalleryTile> CheckBoxTiles(TsSkinManager& manager) {
  std::vector<TGalleryTile> tiles;
  const int section = manager.GetSkinIndex(L"CHECKBOX");
  const auto& c = manager.ConstData;
  const int masks[] = {c.CheckBoxUnChecked, c.CheckBoxChecked, c.CheckBoxGrayed};
  const char* checks[] = {"unchecked", "checked", "grayed"};
  if (section < 0 || !manager.IsValidImgIndex(c.CheckBoxChecked)) return tiles;
  const TsFrameSize f = MaskFrameSize(manager.ma()[std::size_t(c.CheckBoxChecked)]);
  const TSize size = CheckBoxAutoSize({f.W, f.H}, {}, false, 2, 0);
  const TRect glyph = CheckGlyphRect({f.W, f.H}, size, 2, TvaAlign::vaMiddle, true);
  const TCacheInfo bg = ColourBackground(kPlainColour);
  for (int k = 0; k < 3; ++k) {
    if (!manager.IsValidImgIndex(masks[k])) continue;
    for (int state : {0, 1, 2, kDisabledState}) {
      TGalleryTile t{"CHECKBOX_" + std::string(checks[k]) + "_" + StateText(state) + "_col.png", L"CHECKBOX", size.W,
                     size.H, state, TGalleryBackground::Colour, false, TBitmap32(size.W, size.H)};
      const int s = state == kDisabledState ? 0 : state;
      PaintSectionItem(section, L"CHECKBOX", bg, -1, -1, &manager, t.Pixels, {0, 0}, Rect(0, 0, size.W, size.H), s);
      PaintMaskImage(t.Pixels, {glyph.Left, glyph.Top}, s, MakeCacheInfo(&t.Pixels), manager.ma()[std::size_t(masks[k])], 1);
      if (state == kDisabledState) ApplyDisabledLook(t.Pixels, dkBlended, kPlainColour, {0, 0}, bg);
      tiles.push_back(std::move(t));
    }
  }
  return tiles;
}

std::vector<TGalleryTile> GaugeTiles(TsSkinManager& manager, const TBitmap32& lightPicture) {
  std::vector<TGalleryTile> tiles;
  const int index = manager.GetSkinIndex(L"GAUGE");
  if (index < 0) return tiles;
  constexpr int kW = 465, kH = 25;
  TBitmap32 check = CheckBitmap(kW, kH);
  const TBitmap32 light = MakeLightStrip(lightPicture, kGaugeLightLength, kH);
  auto paint = [&](int percent, bool lit) {
    TsGaugeLook look;
    look.Gauge.SkinIndex = index;
    look.Gauge.SkinSection = L"GAUGE";
    look.Gauge.BorderIndex = manager.GetMaskIndex(index, L"GAUGE", L"BORDERSMASK");
    look.Gauge.Manager = &manager;
    look.Animated = lit;
    look.Percent = percent;
    look.AnimPos = lit ? 100 : 9999;
    TGalleryTile t{"GAUGE_465x25_p" + std::to_string(percent) + (lit ? "_light" : "") + "_bg.png", L"GAUGE", kW, kH,
                   percent, TGalleryBackground::Check, false, TBitmap32(kW, kH)};
    TBitmap32 filled;
    PaintGaugePicture(look, CheckBackground(check), t.Pixels, {0, 0}, filled, lit ? &light : nullptr);
    tiles.push_back(std::move(t));
  };
  for (int percent : {0, 25, 100}) paint(percent, false);
  if (!light.Empty()) paint(100, true);
  return tiles;
}
