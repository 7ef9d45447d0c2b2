// The combo box's arithmetic: button, glyph and text places, the edit part's and the button's
// states, the list's item height under accumulated scaling, and the read-only key filter.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <utility>

#include "skin/controls/sComboBoxGeometry.h"

// Failure messages show rectangles as (Left, Top, Right, Bottom).
static void PrintTo(const TRect& r, std::ostream* o) {
  *o << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

// The setup's 145 × 21 combo box (margin 2, scroll width 17) and what right-to-left reading, a
// hidden button and the simple style change; the glyph centred with divisions truncating toward
// zero (a frame wider than the button or higher than the control starts half the excess,
// rounded toward zero, before the centre).
TEST(ComboGeometry, Places) {
  struct Case {
    const char* name;
    int style;
    bool showButton, rightToLeft;
    TRect button, text;
  };
  const Case cases[] = {
      {"drop-down", 0, true, false, {125, 2, 143, 19}, {3, 3, 124, 18}},
      {"drop-down list", 2, true, false, {125, 2, 143, 19}, {3, 3, 124, 18}},
      {"owner-drawn", 4, true, false, {125, 2, 143, 19}, {3, 3, 124, 18}},
      {"right to left", 0, true, true, {2, 2, 20, 19}, {21, 3, 142, 18}},
      {"button hidden", 0, false, false, {143, 2, 143, 19}, {3, 3, 142, 18}},  // text to Width − m − 1
      {"simple", 1, true, false, {143, 2, 143, 19}, {3, 3, 142, 18}},
  };
  for (const Case& c : cases) {
    const TRect button = ComboButtonRect(145, 21, 2, ComboButtonWidth(c.style, c.showButton, 17), c.rightToLeft);
    EXPECT_EQ(button, c.button) << c.name;
    EXPECT_EQ(ComboTextRect(button, 145, 21, c.rightToLeft), c.text) << c.name;
  }
  struct Glyph {
    int frameWidth, height, buttonHeight, x, y;
  };
  const Glyph glyphs[] = {{9, 21, 5, 129, 8}, {9, 21, 16, 129, 2}, {21, 21, 5, 124, 8}, {9, 11, 16, 129, -2}};
  for (const Glyph& g : glyphs) {
    const TPoint p = ComboGlyphOrigin(TRect{125, 2, 143, 19}, g.frameWidth, g.height, g.buttonHeight);
    EXPECT_EQ(p.X, g.x) << "frame width " << g.frameWidth;
    EXPECT_EQ(p.Y, g.y) << "height " << g.height << " over " << g.buttonHeight;
  }
}

// The edit part is drawn selected and focused only with the focus and a style from the
// drop-down list on; the button is pressed while the list is open, whatever the hover.
TEST(ComboGeometry, EditAndButtonStates) {
  struct Edit {
    bool focused;
    int style;
    unsigned want;
  };
  for (const Edit& c : {Edit{false, 0, 0x1000}, Edit{true, 0, 0x1000}, Edit{true, 1, 0x1000}, Edit{false, 2, 0x1000},
                        Edit{true, 2, 0x1011}, Edit{true, 4, 0x1011}})
    EXPECT_EQ(ComboEditItemState(c.focused, c.style), c.want) << "focused " << c.focused << ", style " << c.style;
  EXPECT_EQ(ComboButtonState(true, true), 2);
  EXPECT_EQ(ComboButtonState(true, false), 2);
  EXPECT_EQ(ComboButtonState(false, true), 1);
  EXPECT_EQ(ComboButtonState(false, false), 0);
}

// Item height = MulDiv(height of "A", M, D) + 2: rounded half away from zero from the exact
// product, a denominator not above 0 read as 1, a result past int32 held at its end.
TEST(ComboGeometry, ItemHeight) {
  struct Case {
    int h, m, d, want;
  };
  const Case cases[] = {
      {13, 5, 4, 18},  {14, 5, 4, 20},  {10, 3, 4, 10},  {-10, 3, 4, -6},  // 16.25, 17.5, 7.5, −7.5
      {13, 2, 0, 28},  {13, 2, -3, 28}, {INT_MAX, 3, 2, INT_MAX}, {INT_MAX - 1, 1, 1, INT_MAX},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ComboItemHeight(c.h, TsComboScale{c.m, c.d}), c.want) << c.h << " × " << c.m << " / " << c.d;
}

// Scalings accumulate without overflowing: ten steps up and ten back return exactly to 1 / 1;
// forty steps up stay within int32 and keep the height within 1 of the exact value; a ratio past
// int32 keeps its denominator at 1; steps with a factor not above 0 change nothing.
TEST(ComboGeometry, ScaleAccumulates) {
  TsComboScale s;
  for (int i = 0; i < 10; ++i) s.Step(120, 96);
  for (int i = 0; i < 10; ++i) s.Step(96, 120);
  EXPECT_EQ(s.M, 1);
  EXPECT_EQ(s.D, 1);
  EXPECT_EQ(ComboItemHeight(13, s), 15);

  TsComboScale up;
  for (int i = 0; i < 40; ++i) up.Step(120, 96);
  EXPECT_TRUE(up.M >= 1 && up.D >= 1) << up.M << " / " << up.D;
  EXPECT_LE(std::fabs(ComboItemHeight(13, up) - (13.0L * std::pow(1.25L, 40) + 2)), 1.0L) << up.M << " / " << up.D;

  TsComboScale huge;
  huge.Step(INT_MAX, 1);
  huge.Step(INT_MAX, 1);
  EXPECT_TRUE(huge.M >= 1 && huge.D == 1) << huge.M << " / " << huge.D;

  const std::pair<int, int> ignored[] = {{0, 5}, {5, 0}, {-2, 3}, {3, -2}, {-1, -1}};
  for (const auto& [m, d] : ignored) {
    TsComboScale t{3, 2};
    t.Step(m, d);
    EXPECT_TRUE(t.M == 3 && t.D == 2) << m << " / " << d;
  }
}

// The read-only filter swallows space to the arrows, key code 57, the letters and F4, and lets
// their neighbours pass (48 among them).
TEST(ComboGeometry, ReadOnlyKeys) {
  for (unsigned key : {32u, 36u, 40u, 57u, 65u, 90u, 115u}) EXPECT_TRUE(ComboReadOnlySwallowsKey(key)) << key;
  for (unsigned key : {31u, 41u, 48u, 56u, 58u, 64u, 91u, 114u, 116u, 0x10041u})
    EXPECT_FALSE(ComboReadOnlySwallowsKey(key)) << key;
}
