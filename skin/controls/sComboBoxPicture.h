// The skinned combo box's pictures without text: the closed control's background, its drop-down
// button (the skin's button section, its glyph, or a plain arrow), the drop-down list's frame and
// the background of one list item. No Windows API: the control draws the texts between these
// steps and copies the results to the screen; the gallery paints the same pictures natively and
// under Wine.
#pragma once
#include "framework/Types.h"
#include "imaging/Bitmap32.h"
#include "skin/base/sCacheInfo.h"
#include "skin/paint/sSkinItem.h"

class TsSkinManager;

// What the closed control's picture is made of.
struct TsComboLook {
  TsItemSkinData Combo;      // the control's section (COMBOBOX), resolved by the caller
  int Style = 0;             // TComboBoxStyle by value
  bool ShowButton = true;
  bool RightToLeft = false;
  int Margin = 2;            // the skin's ComboBoxMargin
  int ScrollWidth = 17;      // ScrollBarWidthAtLeastPlatform()
};

// The height the glyph is centred for: with a manager (none = the default one) whose combo glyph
// (ConstData.ComboBtn.GlyphIndex, the GLYPHMASK of COMBOBOX) is a valid piece, that piece's frame
// height; otherwise 16.
int ComboButtonHeight(TsSkinManager* manager);

// The closed control's cache without text: the control's whole item over the cache (its height
// H = cache.Height()), in state 1 when hot, else 0, with transparent corners showing bg. pos is
// the control's place in its parent.
void PaintComboBase(const TsComboLook& look, const TCacheInfo& bg, TBitmap32& cache, TPoint pos, bool hot);

// The drop-down button in state b (ComboButtonState) into the cache, at ComboButtonRect for the
// cache's width and controlHeight. Nothing without a button (csSimple, ShowButton off). The
// skin's COMBOBTN section is painted first, reading the cache itself as its background; then
// the combo glyph's frame b, centred by ComboGlyphOrigin; a skin without glyph gets a small down
// arrow in COMBOBTN's font colour (hot properties for b ≥ 1), or in windowTextColor when it has
// no such section either (the caller passes the system window-text colour).
void PaintComboButton(const TsComboLook& look, TBitmap32& cache, int controlHeight, int b, TColor windowTextColor);

// The drop-down list's frame picture over the whole cache: filled with listColor and outlined by
// a one-pixel rectangle in frameColor, opaque (system colours resolved). frameColor clNone draws
// no outline; every other value is a colour, black included.
void PaintComboListFrame(TBitmap32& cache, TColor listColor, TColor frameColor);

// A list item's background into `item` (sized to the item). Selected: the SELECTION section in
// state 1 over bg when selectionIndex is a valid section of the manager (none = the default
// one), else a fill with the manager's focused highlight colour. Not selected: bg's bitmap at
// (bg.X, bg.Y) copied when bg is ready (parts outside that bitmap filled), else a fill with
// `fill`. Fills are opaque; `fill` may be a system colour.
void PaintComboItemBackground(TsSkinManager* manager, int selectionIndex, bool selected, const TCacheInfo& bg,
                              TColor fill, TBitmap32& item);
