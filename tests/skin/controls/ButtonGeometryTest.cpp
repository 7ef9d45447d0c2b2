// The buttons' arithmetic: which look and frame they show, where caption, glyph and arrow go,
// and the themed state numbers of the unskinned face.
#include <gtest/gtest.h>

#include <climits>

#include "skin/controls/sButtonGeometry.h"

namespace {

TsButtonStateInput Pushed(bool mouseAbove, bool leftHeld) {
  TsButtonStateInput s;
  s.Pushed = true;
  s.MouseAbove = mouseAbove;
  s.LeftHeldOnControl = leftHeld;
  return s;
}

}  // namespace

// A press held with the pointer away shows no pressed look; the space bar's press does; Down and
// an open menu press; hot before default before normal.
TEST(ButtonState, PressedHotDefault) {
  EXPECT_EQ(ButtonState(Pushed(false, true)), 0);
  EXPECT_EQ(ButtonState(Pushed(true, true)), 2);
  EXPECT_EQ(ButtonState(Pushed(false, false)), 2);  // keyboard
  TsButtonStateInput noHover = Pushed(false, true);
  noHover.NoMouseHover = true;
  EXPECT_EQ(ButtonState(noHover), 2);
  TsButtonStateInput away = Pushed(false, true);
  away.Default = true;
  EXPECT_EQ(ButtonState(away), 3);
  TsButtonStateInput s;
  s.Down = true;
  EXPECT_EQ(ButtonState(s), 2);
  s = {};
  s.DroppedDown = true;
  EXPECT_EQ(ButtonState(s), 2);
  s = {};
  s.Hot = true;
  s.Default = true;
  EXPECT_EQ(ButtonState(s), 1);
  s.Hot = false;
  EXPECT_EQ(ButtonState(s), 3);
  EXPECT_EQ(ButtonState({}), 0);
}

// A default button has its own frame (3) on four states and the hot one on fewer; a section
// without states paints every look as frame 0.
TEST(ButtonState, PaintStateClampsToTheSection) {
  EXPECT_EQ(ButtonPaintState(3, 4), 3);
  EXPECT_EQ(ButtonPaintState(3, 5), 3);
  EXPECT_EQ(ButtonPaintState(3, 3), 1);
  EXPECT_EQ(ButtonPaintState(3, 2), 1);
  EXPECT_EQ(ButtonPaintState(3, 1), 0);  // one state: one frame
  EXPECT_EQ(ButtonPaintState(2, 3), 2);
  EXPECT_EQ(ButtonPaintState(2, 2), 1);
  for (int state = 0; state <= 3; ++state) {
    EXPECT_EQ(ButtonPaintState(state, 0), 0) << state;
    EXPECT_EQ(ButtonPaintState(state, INT_MIN), 0) << state;
  }
  for (int state = 0; state <= 2; ++state) {
    EXPECT_EQ(SpeedArrowPropIndex(state, 0), 0);
    EXPECT_EQ(SpeedArrowPropIndex(state, INT_MIN), 0);
  }
  EXPECT_EQ(SpeedArrowPropIndex(0, 3), 0);
  EXPECT_EQ(SpeedArrowPropIndex(2, 3), 1);
  EXPECT_EQ(SpeedArrowPropIndex(2, 1), 0);
}

// Disabled, pressed, focused, hot, normal pick the five indexes; a bad one falls back to the
// normal index.
TEST(ButtonState, GlyphIndexes) {
  const int ix[5] = {0, 1, 2, 3, 4};
  EXPECT_EQ(ButtonGlyphIndex(false, 2, true, ix, 5), 4);
  EXPECT_EQ(ButtonGlyphIndex(true, 2, true, ix, 5), 2);
  EXPECT_EQ(ButtonGlyphIndex(true, 1, true, ix, 5), 3);
  EXPECT_EQ(ButtonGlyphIndex(true, 1, false, ix, 5), 1);
  EXPECT_EQ(ButtonGlyphIndex(true, 3, false, ix, 5), 0);
  const int bad[5] = {1, 7, -1, 5, 2};
  EXPECT_EQ(ButtonGlyphIndex(true, 1, false, bad, 5), 1);
  EXPECT_EQ(ButtonGlyphIndex(true, 2, false, bad, 5), 1);
  EXPECT_EQ(ButtonGlyphIndex(false, 0, false, bad, 5), 2);
}

// The framework's theme numbers sit one above the platform's part states.
TEST(ButtonState, ThemedStatesMapToThePlatform) {
  constexpr int kPbsNormal = 1, kPbsHot = 2, kPbsPressed = 3, kPbsDisabled = 4, kPbsDefaulted = 5;
  EXPECT_EQ(PushButtonPartState(ThemedButtonState(false, false, false, false)), kPbsNormal);
  EXPECT_EQ(PushButtonPartState(ThemedButtonState(false, false, true, true)), kPbsHot);
  EXPECT_EQ(PushButtonPartState(ThemedButtonState(false, true, true, true)), kPbsPressed);
  EXPECT_EQ(PushButtonPartState(ThemedButtonState(true, true, true, true)), kPbsDisabled);
  EXPECT_EQ(PushButtonPartState(ThemedButtonState(false, false, false, true)), kPbsDefaulted);
}

// The setup's 75 × 25 button: a caption of width tw from (75 − tw) div 2 − 1 over tw + 2,
// one pixel down and right while pressed.
TEST(ButtonGeometry, CentredCaption) {
  TsButtonGeometry g;
  for (int tw : {0, 1, 40, 58, 63, 80}) {
    const TRect r = ButtonCaptionRect(g, {tw, 13});
    EXPECT_EQ(r.Left, (75 - tw) / 2 - 1) << tw;
    EXPECT_EQ(r.Right, r.Left + tw + 2) << tw;
    EXPECT_EQ(r.Top, 6);
    EXPECT_EQ(r.Bottom, 19);
  }
  EXPECT_EQ(ButtonCaptionRect(g, {40, 13}), Rect(16, 6, 58, 19));
  g.Shifted = true;
  EXPECT_EQ(ButtonCaptionRect(g, {40, 13}), Rect(17, 7, 59, 20));
  EXPECT_EQ(ButtonMeasureRect(g), Rect(6, 0, 69, 25));
  // A split button centres in the part left of its arrow.
  g.Shifted = false;
  g.Style = TButtonStyle::bsSplitButton;
  EXPECT_EQ(ButtonCaptionRect(g, {40, 13}), Rect(8, 6, 50, 19));
  EXPECT_EQ(ButtonMeasureRect(g).Right, 75 - 32 - 18 - 6);
  EXPECT_TRUE(InSplitArrow(59, 75));
  EXPECT_FALSE(InSplitArrow(58, 75));
}

// A 16 × 16 image with margins (1, 2, 3, 4) on a 120 × 60 button, every alignment.
TEST(ButtonGeometry, ImageAlignments) {
  TsButtonGeometry g;
  g.Width = 120;
  g.Height = 60;
  g.HasImage = true;
  g.ImageWidth = g.ImageHeight = 16;
  g.Margins = {1, 2, 3, 4};
  const TSize t{30, 13};
  g.Alignment = TImageAlignment::iaLeft;
  EXPECT_EQ(ButtonGlyphRect(g), Bounds(7, 22, 16, 16));
  EXPECT_EQ(ButtonCaptionRect(g, t), Rect(26, 23, 114, 37));
  g.Alignment = TImageAlignment::iaRight;
  EXPECT_EQ(ButtonGlyphRect(g), Bounds(95, 22, 16, 16));
  EXPECT_EQ(ButtonCaptionRect(g, t), Rect(6, 23, 94, 37));
  g.Alignment = TImageAlignment::iaTop;
  EXPECT_EQ(ButtonGlyphRect(g), Bounds(52, 8, 16, 16));
  EXPECT_EQ(ButtonCaptionRect(g, t), Rect(6, 35, 114, 48));  // a = 30, 30 + (60 − 6 − 30 − 13) div 2
  g.Alignment = TImageAlignment::iaBottom;
  EXPECT_EQ(ButtonGlyphRect(g), Bounds(52, 34, 16, 16));
  EXPECT_EQ(ButtonCaptionRect(g, t), Rect(6, 10, 114, 23));  // a = 32, 2 + (32 − 2 − 13) div 2
  g.Alignment = TImageAlignment::iaCenter;
  EXPECT_EQ(ButtonGlyphRect(g), Bounds(52, 22, 16, 16));
  EXPECT_EQ(ButtonCaptionRect(g, t), Rect(44, 23, 76, 37));
  g.Shifted = true;
  EXPECT_EQ(ButtonGlyphRect(g), Bounds(53, 23, 16, 16));
  g.HasImage = false;
  EXPECT_EQ(ButtonGlyphRect(g), TRect{});
}

// The command link: glyph at the top left, caption right of glyph space, its note below.
TEST(ButtonGeometry, CommandLink) {
  TsButtonGeometry g;
  g.Width = 200;
  g.Height = 60;
  g.Style = TButtonStyle::bsCommandLink;
  g.Margins = {2, 0, 3, 0};
  EXPECT_EQ(ButtonCaptionRect(g, {50, 15}), Rect(37 + 6 + 6, 6, 194, 21));  // no image: 32 + margins
  EXPECT_EQ(ButtonMeasureRect(g), Rect(6, 0, 200 - 37 - 18 - 6, 60));
  g.HasImage = true;
  g.ImageWidth = 24;
  g.ImageHeight = 24;
  EXPECT_EQ(ButtonGlyphRect(g), Bounds(8, 6, 24, 24));
  const TRect caption = ButtonCaptionRect(g, {50, 15});
  EXPECT_EQ(caption, Rect(29 + 12, 6, 194, 21));
  EXPECT_EQ(CommandLinkHintRect(g, caption), Rect(41, 27, 194, 54));
}

// The focus frame: FocusMargin + 1 across, FocusMargin up and down, inside 3 … height − 3.
TEST(ButtonGeometry, FocusFrame) {
  EXPECT_EQ(ButtonFocusRect(Rect(16, 6, 58, 19), 1, 25), Rect(14, 5, 60, 20));
  EXPECT_EQ(ButtonFocusRect(Rect(16, 6, 58, 19), 4, 25), Rect(11, 3, 63, 22));
}

// The browse button "...": measured in 25 (Margin −1), centred.
TEST(SpeedGeometry, BrowseButtonCentred) {
  TsSpeedGeometry g;
  g.HasCaption = true;
  EXPECT_EQ(SpeedTextAvailableWidth(g), 25);
  for (TSize t : {TSize{9, 13}, TSize{10, 16}, TSize{12, 14}}) {
    const TRect r = SpeedCaptionRect(g, t, true);
    EXPECT_EQ(r.Left, (23 - t.W) / 2);
    EXPECT_EQ(r.Top, (22 - t.H) / 2);
    EXPECT_EQ(r.Width(), t.W);
    EXPECT_EQ(r.Height(), t.H);
  }
  g.Pressed = true;
  EXPECT_EQ(SpeedCaptionRect(g, {9, 13}, true), Bounds(8, 5, 9, 13));
  EXPECT_EQ(SpeedCaptionRect(g, {9, 13}, false), Bounds(7, 4, 9, 13));
  g.ShiftOnClick = false;
  EXPECT_EQ(SpeedCaptionRect(g, {9, 13}, true), Bounds(7, 4, 9, 13));
  g.ShowCaption = false;
  EXPECT_EQ(SpeedTextAvailableWidth(g), 0);
}

// Glyph and caption side by side or stacked on a 100 × 40 button (glyph 16 × 12, Margin 2).
TEST(SpeedGeometry, LayoutsAndAlignments) {
  TsSpeedGeometry g;
  g.Width = 100;
  g.Height = 40;
  g.Margin = 2;  // m = 5
  g.GlyphWidth = 16;
  g.GlyphHeight = 12;
  g.HasCaption = true;
  const TSize t{30, 14};
  EXPECT_EQ(SpeedTextAvailableWidth(g), 100 - 4 - 20);
  // Left layout, centred: f = (100 − 30 − 16 − 4 − 10) div 2 = 20.
  EXPECT_EQ(SpeedCaptionRect(g, t, false), Rect(45, 13, 75, 27));
  EXPECT_EQ(SpeedImgRect(g, t, false), Bounds(25, 14, 16, 12));
  g.Alignment = TAlignment::taLeftJustify;
  g.TextAlignment = TAlignment::taLeftJustify;
  EXPECT_EQ(SpeedCaptionRect(g, t, false), Rect(25, 13, 55, 27));
  EXPECT_EQ(SpeedImgRect(g, t, false).Left, 5);
  g.Alignment = TAlignment::taRightJustify;
  EXPECT_EQ(SpeedCaptionRect(g, t, false), Rect(65, 13, 95, 27));
  EXPECT_EQ(SpeedImgRect(g, t, false).Left, 2 * 25 - 5);
  // Right layout.
  g.Layout = TButtonLayout::blGlyphRight;
  g.Alignment = TAlignment::taCenter;
  EXPECT_EQ(SpeedCaptionRect(g, t, false), Rect(25, 13, 55, 27));
  EXPECT_EQ(SpeedImgRect(g, t, false).Left, (100 - 16 + 4 + 30) / 2);
  g.Alignment = TAlignment::taLeftJustify;
  EXPECT_EQ(SpeedImgRect(g, t, false).Left, 5 + 30 + 4);
  g.Alignment = TAlignment::taRightJustify;
  EXPECT_EQ(SpeedImgRect(g, t, false).Left, 100 - 16 - 5);
  // Top and bottom: s = (40 − 12 − 4 − 14) div 2 = 5.
  g.Layout = TButtonLayout::blGlyphTop;
  g.Alignment = TAlignment::taCenter;
  EXPECT_EQ(SpeedCaptionRect(g, t, false), Rect(35, 21, 65, 35));
  EXPECT_EQ(SpeedImgRect(g, t, false), Bounds(43, 5, 16, 12));
  g.Layout = TButtonLayout::blGlyphBottom;
  EXPECT_EQ(SpeedCaptionRect(g, t, false), Rect(35, 5, 65, 19));
  EXPECT_EQ(SpeedImgRect(g, t, false), Bounds(43, 23, 16, 12));
  g.TextOffset = 3;
  EXPECT_EQ(SpeedCaptionRect(g, t, false), Rect(35, 8, 65, 22));
}

// Reflected glyphs sit gh div 6 higher.
TEST(SpeedGeometry, ReflectedLiftsTheGlyph) {
  TsSpeedGeometry g;
  g.Width = 60;
  g.Height = 40;
  g.GlyphWidth = 20;
  for (int gh : {5, 6, 18, 25}) {
    g.GlyphHeight = gh;
    g.Reflected = false;
    const TRect plain = SpeedImgRect(g, {}, true);
    g.Reflected = true;
    const TRect lifted = SpeedImgRect(g, {}, true);
    EXPECT_EQ(lifted.Top, plain.Top - gh / 6) << gh;
    EXPECT_EQ(lifted.Left, plain.Left);
  }
}

// The drop-down arrow: a separate part at the right with OnClick, following the content without.
TEST(SpeedGeometry, ArrowPart) {
  TsSpeedGeometry g;
  g.Width = 39;
  g.HasCaption = true;
  EXPECT_EQ(SpeedArrowRect(g, {9, 13}), TRect{});
  g.DropDown = true;
  g.HasOnClick = true;
  EXPECT_EQ(SpeedArrowRect(g, {9, 13}), Rect(23, 0, 39, 22));
  EXPECT_EQ(SpeedTextAvailableWidth(g), 39 + 2 - 16);
  // The caption is centred in the 23 left of the arrow.
  EXPECT_EQ(SpeedCaptionRect(g, {9, 13}, false).Left, 7);
  g.HasOnClick = false;
  const TRect caption = SpeedCaptionRect(g, {9, 13}, false);
  EXPECT_EQ(SpeedArrowRect(g, {9, 13}), Rect(caption.Right + 2, 0, caption.Right + 18, 22));
  g.Pressed = true;
  EXPECT_EQ(SpeedArrowRect(g, {9, 13}), Rect(caption.Right + 3, 1, caption.Right + 19, 23));
  // Nothing to follow: the arrow stands where the content would be, with no gap.
  g.Pressed = false;
  g.ShowCaption = false;
  EXPECT_EQ(SpeedArrowRect(g, {}), Rect(11, 0, 27, 22));
}

// A restarted fade begins inside 1 … iterations, whatever the old one had left.
TEST(SpeedGeometry, ResumedFadeLevel) {
  EXPECT_EQ(ResumedFadeLevel(9, 5), 5);
  EXPECT_EQ(ResumedFadeLevel(3, 5), 3);
  EXPECT_EQ(ResumedFadeLevel(0, 11), 1);
  EXPECT_EQ(ResumedFadeLevel(-4, 11), 1);
}
