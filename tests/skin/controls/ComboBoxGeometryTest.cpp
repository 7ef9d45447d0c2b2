// The combo box's arithmetic: button, glyph and text places, the edit part's and the button's
// states, the list's item height under accumulated scaling, and the read-only key filter.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>

#include "skin/controls/sComboBoxGeometry.h"

// Failure messages show rectangles as (Left, Top, Right, Bottom).
static void PrintTo(const TRect& r, std::ostream* o) {
  *o << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

// The setup's 145 × 21 combo box with margin 2 and scroll width 17, and what right-to-left
// reading, a hidden button and the simple style change: the button's width and place and the
// text's rectangle in a cache as high as the control.
TEST(ComboGeometry, ButtonAndTextPlaces) {
  struct Case {
    const char* name;
    int style;
    bool showButton, rightToLeft;
    int w;
    TRect button, text;
  };
  const Case cases[] = {
      {"drop-down", 0, true, false, 18, {125, 2, 143, 19}, {3, 3, 124, 18}},
      {"drop-down list keeps its button", 2, true, false, 18, {125, 2, 143, 19}, {3, 3, 124, 18}},
      {"owner-drawn keeps its button", 4, true, false, 18, {125, 2, 143, 19}, {3, 3, 124, 18}},
      {"right to left", 0, true, true, 18, {2, 2, 20, 19}, {21, 3, 142, 18}},
      // No button: the text runs to Width − margin − 1.
      {"button hidden", 0, false, false, 0, {143, 2, 143, 19}, {3, 3, 142, 18}},
      {"simple", 1, true, false, 0, {143, 2, 143, 19}, {3, 3, 142, 18}},
  };
  for (const Case& c : cases) {
    const int w = ComboButtonWidth(c.style, c.showButton, 17);
    EXPECT_EQ(w, c.w) << c.name;
    const TRect button = ComboButtonRect(145, 21, 2, w, c.rightToLeft);
    EXPECT_EQ(button, c.button) << c.name;
    EXPECT_EQ(ComboTextRect(button, 145, 21, c.rightToLeft), c.text) << c.name;
  }
}

// The glyph is centred with divisions that truncate toward zero: a frame wider than the button
// or higher than the control starts half the excess, rounded toward zero, before the centre.
TEST(ComboGeometry, GlyphOrigin) {
  struct Case {
    TRect button;
    int frameWidth, height, buttonHeight;
    TPoint want;
  };
  const Case cases[] = {
      {{125, 2, 143, 19}, 9, 21, 5, {129, 8}},    // the setup's glyph: 9 × 5 frames
      {{125, 2, 143, 19}, 9, 21, 16, {129, 2}},   // without a glyph the height counts as 16
      {{125, 2, 143, 19}, 21, 21, 5, {124, 8}},   // (18 − 21) / 2 = −1, not −2
      {{125, 2, 143, 19}, 9, 11, 16, {129, -2}},  // (11 − 16) / 2 = −2, not −3
      {{2, 2, 20, 19}, 9, 21, 5, {6, 8}},         // right to left
  };
  for (const Case& c : cases) {
    const TPoint p = ComboGlyphOrigin(c.button, c.frameWidth, c.height, c.buttonHeight);
    EXPECT_EQ(p.X, c.want.X) << "button at " << c.button.Left << ", frame " << c.frameWidth;
    EXPECT_EQ(p.Y, c.want.Y) << "height " << c.height << " over " << c.buttonHeight;
  }
}

// The edit part is drawn selected and focused only with the focus and a style from the
// drop-down list on; the button is pressed while the list is open, whatever the hover.
TEST(ComboGeometry, EditAndButtonStates) {
  struct EditCase {
    bool focused;
    int style;
    unsigned want;
  };
  const EditCase edits[] = {
      {false, 0, 0x1000}, {true, 0, 0x1000}, {true, 1, 0x1000}, {false, 2, 0x1000},
      {true, 2, 0x1011},  {true, 3, 0x1011}, {true, 4, 0x1011},
  };
  for (const EditCase& c : edits)
    EXPECT_EQ(ComboEditItemState(c.focused, c.style), c.want) << "focused " << c.focused << ", style " << c.style;
  struct ButtonCase {
    bool droppedDown, hot;
    int want;
  };
  const ButtonCase buttons[] = {{true, true, 2}, {true, false, 2}, {false, true, 1}, {false, false, 0}};
  for (const ButtonCase& c : buttons)
    EXPECT_EQ(ComboButtonState(c.droppedDown, c.hot), c.want) << "dropped " << c.droppedDown << ", hot " << c.hot;
}

// Item height = MulDiv(height of "A", M, D) + 2: rounded half away from zero from the exact
// product, a denominator not above 0 read as 1, and a result past int32 held at its end.
TEST(ComboGeometry, ItemHeight) {
  struct Case {
    int h, m, d, want;
  };
  const Case cases[] = {
      {13, 1, 1, 15},
      {13, 5, 4, 18},           // 16.25 → 16
      {14, 5, 4, 20},           // 17.5 → 18
      {10, 3, 4, 10},           // 7.5 → 8
      {-10, 3, 4, -6},          // −7.5 → −8
      {13, 2, 0, 28},           // D 0 counts as 1
      {13, 2, -3, 28},          // so does a negative D
      {INT_MAX, INT_MAX, 1, INT_MAX},
      {INT_MAX, 3, 2, INT_MAX},
      {INT_MAX - 1, 1, 1, INT_MAX},  // only the + 2 passes the end
  };
  for (const Case& c : cases)
    EXPECT_EQ(ComboItemHeight(c.h, TsComboScale{c.m, c.d}), c.want) << c.h << " × " << c.m << " / " << c.d;
}

// Scalings accumulate without overflowing: ten steps up and ten back return exactly to 1 / 1;
// forty steps up stay within int32 and keep the height within 1 of the exact value; steps with a
// factor not above 0 change nothing.
TEST(ComboGeometry, ScaleAccumulates) {
  TsComboScale s;
  for (int i = 0; i < 10; ++i) s.Step(120, 96);
  EXPECT_EQ(ComboItemHeight(13, s), 13 * 9765625 / 1048576 + 2);  // 13 · 1.25^10 = 121.07
  for (int i = 0; i < 10; ++i) s.Step(96, 120);
  EXPECT_EQ(s.M, 1);
  EXPECT_EQ(s.D, 1);
  EXPECT_EQ(ComboItemHeight(13, s), 15);

  TsComboScale up;
  for (int i = 0; i < 40; ++i) up.Step(120, 96);
  EXPECT_GE(up.M, 1);
  EXPECT_GE(up.D, 1);
  const long double exact = 13.0L * std::pow(1.25L, 40) + 2;
  EXPECT_LE(std::fabs(ComboItemHeight(13, up) - exact), 1.0L) << up.M << " / " << up.D;

  struct Ignored {
    int m, d;
  };
  for (const Ignored& step : {Ignored{0, 5}, Ignored{5, 0}, Ignored{-2, 3}, Ignored{3, -2}, Ignored{-1, -1}}) {
    TsComboScale t{3, 2};
    t.Step(step.m, step.d);
    EXPECT_EQ(t.M, 3) << step.m << " / " << step.d;
    EXPECT_EQ(t.D, 2) << step.m << " / " << step.d;
  }
}

// The read-only filter swallows space to the arrows, key code 57, the letters and F4, and lets
// their neighbours pass (48, the digit 0, among them).
TEST(ComboGeometry, ReadOnlyKeys) {
  for (unsigned key : {32u, 33u, 36u, 40u, 57u, 65u, 77u, 90u, 115u}) EXPECT_TRUE(ComboReadOnlySwallowsKey(key)) << key;
  for (unsigned key : {0u, 13u, 31u, 41u, 48u, 56u, 58u, 64u, 91u, 97u, 114u, 116u, 0x10000u + 65u})
    EXPECT_FALSE(ComboReadOnlySwallowsKey(key)) << key;
}
