// The combo box page of the gallery: the setup's combo box closed at rest, hot, with its list
// open, right to left and disabled, and its drop-down list with three items, the second selected.
// No text: the field and the items are shown empty.
#include "GalleryTiles.h"
#include "skin/base/sTexture.h"
#include "skin/controls/sComboBoxGeometry.h"
#include "skin/controls/sComboBoxPicture.h"
#include "skin/data/sSkinManager.h"

namespace {

constexpr int kW = 145, kH = 21;                // sComboBox1
constexpr int kItems = 3, kItemH = 15;          // the list: items as high as "A" + 2 in the window's font
constexpr int kListW = kW, kListH = kItems * kItemH + 2;
// The platform's scroll-bar width at 96 dpi, fixed so that every build paints the same button.
constexpr int kScrollWidth = 17;

}  // namespace

std::vector<TGalleryTile> ComboTiles(TsSkinManager& manager) {
  std::vector<TGalleryTile> tiles;
  const int index = manager.GetSkinIndex(L"COMBOBOX");
  if (index < 0) return tiles;
  TsComboLook look;
  look.Combo.SkinIndex = index;
  look.Combo.SkinSection = L"COMBOBOX";
  look.Combo.BorderIndex = manager.GetMaskIndex(index, L"COMBOBOX", L"BORDERSMASK");
  look.Combo.Manager = &manager;
  look.Margin = manager.CommonSkinData().ComboBoxMargin;
  look.ScrollWidth = kScrollWidth;

  TBitmap32 check = CheckBitmap(kW, kH);
  // name: the tile's look; hot and b: the field's and the button's states.
  auto closed = [&](const std::string& name, bool hot, int b, bool rightToLeft, TGalleryBackground background) {
    TsComboLook l = look;
    l.RightToLeft = rightToLeft;
    const TCacheInfo bg = background == TGalleryBackground::Check ? CheckBackground(check) : ColourBackground(kPlainColour);
    TGalleryTile t{"COMBOBOX_145x21_" + name + (background == TGalleryBackground::Check ? "_bg.png" : "_col.png"),
                   L"COMBOBOX", kW, kH, b, background, false, TBitmap32(kW, kH)};
    PaintComboBase(l, bg, t.Pixels, {0, 0}, hot);
    PaintComboButton(l, t.Pixels, kH, b, clWindowText);
    if (name == "dis") {
      t.State = kDisabledState;
      ApplyDisabledLook(t.Pixels, dkBlended, kPlainColour, {0, 0}, bg);
    }
    tiles.push_back(std::move(t));
  };
  closed("s0", false, ComboButtonState(false, false), false, TGalleryBackground::Check);
  closed("s1", true, ComboButtonState(false, true), false, TGalleryBackground::Check);
  closed("open", true, ComboButtonState(true, true), false, TGalleryBackground::Check);
  closed("rtl_s0", false, ComboButtonState(false, false), true, TGalleryBackground::Check);
  closed("dis", false, ComboButtonState(false, false), false, TGalleryBackground::Colour);

  // The open list: EDIT's colour (hot, when it has two states) inside the skin's border colour;
  // the items in the combo box's hot colour, the selected one in SELECTION.
  const int edit = manager.GetSkinIndex(L"EDIT");
  const TsGeneralData& combo = manager.gd()[std::size_t(index)];
  const TColor listColour = edit >= 0 ? manager.gd()[std::size_t(edit)].Props[manager.gd()[std::size_t(edit)].States > 1 ? 1 : 0].Color
                                      : combo.Props[0].Color;
  const TColor itemColour = combo.Props[combo.States > 1 ? 1 : 0].Color;
  TGalleryTile list{"COMBOBOX_list_" + std::to_string(kListW) + "x" + std::to_string(kListH) + "_col.png", L"COMBOBOX",
                    kListW, kListH, 1, TGalleryBackground::Colour, false, TBitmap32(kListW, kListH)};
  PaintComboListFrame(list.Pixels, listColour, manager.Palette()[pcBorder]);
  const int selection = manager.GetSkinIndex(L"SELECTION");
  for (int i = 0; i < kItems; ++i) {
    TBitmap32 item(kListW - 2, kItemH);
    PaintComboItemBackground(&manager, selection, i == 1, ColourBackground(itemColour), itemColour, item);
    CopyBitmapRect(list.Pixels, 1, 1 + i * kItemH, item, Rect(0, 0, item.Width(), item.Height()));
  }
  tiles.push_back(std::move(list));
  return tiles;
}
