// The buttons page of the gallery: the push button and the speed button in every look, focused
// and disabled, the split button with its arrow part, and BUTTON_HUGE with its window region.
#include <algorithm>

#include "GalleryTiles.h"
#include "framework/Utf.h"
#include "skin/base/sMarks.h"
#include "skin/controls/sButtonGeometry.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sMaskFrame.h"
#include "skin/paint/sSkinItem.h"

namespace {

std::string Look(int state) { return state == kDisabledState ? "dis" : "s" + std::to_string(state); }

}  // namespace

std::vector<TGalleryTile> ButtonTiles(TsSkinManager& manager) {
  std::vector<TGalleryTile> tiles;
  const TCacheInfo bg = ColourBackground(kPlainColour);
  auto tile = [&](const std::wstring& section, const std::string& name, int w, int h, int state) {
    return TGalleryTile{WideToUtf8(section) + "_" + std::to_string(w) + "x" + std::to_string(h) + "_" + name + "_col.png",
                        section, w, h, state, TGalleryBackground::Colour, false, TBitmap32(w, h)};
  };
  auto item = [&](TGalleryTile& t, int index, int paintState) {
    PaintSectionItem(index, t.Section, bg, -1, -1, &manager, t.Pixels, {0, 0}, Rect(0, 0, t.Width, t.Height),
                     paintState);
  };
  auto fontColour = [&](int index, int prop) { return manager.gd()[std::size_t(index)].Props[std::size_t(prop)].FontColor.Color; };

  if (const int button = manager.GetSkinIndex(L"BUTTON"); button >= 0) {
    const int states = manager.gd()[std::size_t(button)].States;
    // The looks 0 normal, 1 hot, 2 pressed, 3 default, and the disabled one.
    for (int look : {0, 1, 2, 3, kDisabledState}) {
      TGalleryTile t = tile(L"BUTTON", Look(look), 75, 25, look);
      item(t, button, ButtonPaintState(std::max(look, 0), states));
      if (look == kDisabledState) ApplyDisabledLook(t.Pixels, dkBlended, kPlainColour, {0, 0}, bg);
      tiles.push_back(std::move(t));
    }
    // Focused (hot) with the dotted frame around a 40 × 13 caption.
    TGalleryTile focused = tile(L"BUTTON", "focused", 75, 25, 1);
    item(focused, button, ButtonPaintState(1, states));
    const TRect caption = ButtonCaptionRect(TsButtonGeometry{}, {40, 13});
    DrawDottedFrame(focused.Pixels, ButtonFocusRect(caption, 1, 25), fontColour(button, std::clamp(states, 0, 1)), clNone);
    tiles.push_back(std::move(focused));
    // The split button: its separator and arrow in the look's font colour.
    for (int look : {0, 1, 2}) {
      TGalleryTile t = tile(L"BUTTON", "split_" + Look(look), 90, 25, look);
      const int p = ButtonPaintState(look, states);
      item(t, button, p);
      const TColor c = fontColour(button, p != 0 ? 1 : 0);
      const std::uint32_t px = 0xFF000000u | ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
      for (int y = 4; y < 21; ++y) t.Pixels.Pixel(90 - 15, y) = px;
      DrawSmallArrow(t.Pixels, c, Rect(90 - kSplitArrowWidth, 0, 90, 25), 3);
      tiles.push_back(std::move(t));
    }
  }
  if (const int speed = manager.GetSkinIndex(L"SPEEDBUTTON"); speed >= 0) {
    for (int look : {0, 1, 2, kDisabledState}) {
      TGalleryTile t = tile(L"SPEEDBUTTON", Look(look), 23, 22, look);
      item(t, speed, std::max(look, 0));
      if (look == kDisabledState) ApplyDisabledLook(t.Pixels, dkBlended, kPlainColour, {0, 0}, bg);
      tiles.push_back(std::move(t));
    }
  }
  // BUTTON_HUGE: the corners its window region leaves out show in the check's light colour.
  const int huge = manager.GetSkinIndex(L"BUTTON_HUGE");
  const int hugeMask = huge >= 0 ? manager.GetMaskIndex(huge, L"BUTTON_HUGE", L"BORDERSMASK") : -1;
  if (manager.IsValidImgIndex(hugeMask)) {
    for (int look : {0, 1, 2}) {
      TGalleryTile t = tile(L"BUTTON_HUGE", "region_" + Look(look), 100, 100, look);
      PaintSectionBackground(huge, L"BUTTON_HUGE", bg, clFuchsia, -1, -1, &manager, t.Pixels, {0, 0},
                             Rect(0, 0, 100, 100), look);
      for (const TRect& r : PaintMaskFrameRegion(t.Pixels, true, look, manager.ma()[std::size_t(hugeMask)]))
        for (int y = std::max(r.Top, 0); y < std::min(r.Bottom, 100); ++y)
          for (int x = std::max(r.Left, 0); x < std::min(r.Right, 100); ++x) t.Pixels.Pixel(x, y) = kCheckLight;
      tiles.push_back(std::move(t));
    }
  }
  return tiles;
}
