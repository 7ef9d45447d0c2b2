// The combo box's arithmetic, apart from painting and messages: where the drop-down button, its
// glyph and the text go in the closed control, the states of the edit part and of the button, the
// list's item height under the control's accumulated scaling, and the keys a read-only combo box
// swallows. No Windows API: the control feeds its state in and turns the results into pixels.
#pragma once
#include "framework/Types.h"

// Combo box styles by value, as the framework's TComboBoxStyle: 0 csDropDown, 1 csSimple,
// 2 csDropDownList, 3 csOwnerDrawFixed, 4 csOwnerDrawVariable.
inline constexpr int kComboDropDown = 0, kComboSimple = 1, kComboDropDownList = 2;

// The drop-down button's width: 0 for csSimple or without the button; otherwise scrollWidth + 1
// (scrollWidth: the larger of the skin's and the platform's scroll-bar width).
int ComboButtonWidth(int style, bool showButton, int scrollWidth);

// The button's rectangle (Right/Bottom exclusive) in a control of width × height: from margin to
// height − margin; on the right, ending margin before the edge, or from margin on the left when
// the control reads right to left.
TRect ComboButtonRect(int width, int height, int margin, int w, bool rightToLeft);

// Where the glyph frame goes: centred across the button, (R.Left + (R.Width − frameWidth) / 2,
// (height − buttonHeight) / 2), both divisions truncating toward zero. The height is the
// control's, not the button's.
TPoint ComboGlyphOrigin(const TRect& button, int frameWidth, int height, int buttonHeight);

// The text's rectangle in the cache: (3, 3, R.Left − 1, cacheHeight − 3), or beside a left
// button (R.Right + 1, 3, width − 3, cacheHeight − 3) when reading right to left.
TRect ComboTextRect(const TRect& button, int width, int cacheHeight, bool rightToLeft);

// The platform's owner-draw item-state bits.
inline constexpr unsigned odsSelected = 0x0001, odsFocus = 0x0010, odsDefault = 0x0020, odsComboBoxEdit = 0x1000;
// The state the closed control's value is drawn with: selected and focused as well (0x1011) when
// the control has the focus and its style is csDropDownList or above, else the edit part alone.
unsigned ComboEditItemState(bool focused, int style);

// The button's painting state: 2 while the list is dropped down, else 1 when hot, else 0.
int ComboButtonState(bool droppedDown, bool hot);

// The control's scaling, accumulated over its life as M / D (both at least 1).
struct TsComboScale {
  int M = 1, D = 1;
  // Multiplies by m / d. A step with m or d not above 0 is ignored. The products are taken in 64
  // bits and reduced by their greatest common divisor; when either still exceeds the int32 range,
  // both are halved (neither below 1) until they fit, which keeps the ratio to within one part in
  // about 2^30 instead of letting repeated scalings overflow.
  void Step(int m, int d);
};

// The list's item height for a font whose "A" is textHeightA high: MulDiv(textHeightA, M, D) + 2,
// MulDiv rounding half away from zero from the exact 64-bit product. A D not above 0 counts as 1.
// Results beyond the int32 range are held at its ends.
int ComboItemHeight(int textHeightA, const TsComboScale& scale);

// The read-only combo box's own key filter (key-down and system key-down): true for space, the
// page, end, home and arrow keys (32 … 40), key code 57, the letters (65 … 90) and F4 (115).
bool ComboReadOnlySwallowsKey(unsigned keyCode);
