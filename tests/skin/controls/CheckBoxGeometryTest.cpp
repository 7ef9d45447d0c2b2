// The check box's arithmetic: painting state, strip frames, glyph, caption and focus places, the
// auto size, and the state changes of clicks and check-state messages.
#include <gtest/gtest.h>

#include "framework/CheckState.h"
#include "skin/controls/sCheckBoxGeometry.h"

using S = TCheckBoxState;

// Pressed wins; read-only and not hot rest at 0.
TEST(CheckBoxGeometry, PaintState) {
  EXPECT_EQ(CheckBoxPaintState(true, false, true), 2);
  EXPECT_EQ(CheckBoxPaintState(false, true, false), 1);
  EXPECT_EQ(CheckBoxPaintState(false, true, true), 0);
  EXPECT_EQ(CheckBoxPaintState(false, false, false), 0);
}

// Three frames: 0 at rest, 1 hot, 2 pressed; one frame always 0; a width that is no multiple of
// the height is one frame.
TEST(CheckBoxGeometry, StripFrames) {
  EXPECT_EQ(StripFrameCount(45, 15), 3);
  EXPECT_EQ(StripFrameCount(46, 15), 1);
  EXPECT_EQ(StripFrameCount(0, 0), 1);
  EXPECT_EQ(StripFrameSize(45, 15), (TSize{15, 15}));
  EXPECT_EQ(StripFrameSize(46, 15), (TSize{46, 15}));
  EXPECT_EQ(StripFrameSize(30, 15), (TSize{15, 15}));
  for (int s = 0; s < 3; ++s) EXPECT_EQ(StripFrameIndex(3, s), s);
  for (int s = 0; s < 3; ++s) EXPECT_EQ(StripFrameIndex(1, s), 0);
  EXPECT_EQ(StripFrameIndex(2, 2), 1);
  EXPECT_EQ(StripFrameIndex(4, 2), 2);
}

// Middle alignment truncates toward zero, also for a glyph higher than the box.
TEST(CheckBoxGeometry, GlyphPlace) {
  EXPECT_EQ(CheckGlyphRect({15, 15}, {100, 19}, 2, TvaAlign::vaMiddle, true), Bounds(2, 2, 15, 15));
  EXPECT_EQ(CheckGlyphRect({15, 15}, {100, 20}, 2, TvaAlign::vaMiddle, true), Bounds(2, 2, 15, 15));
  EXPECT_EQ(CheckGlyphRect({15, 15}, {100, 12}, 2, TvaAlign::vaMiddle, true), Bounds(2, -1, 15, 15));
  EXPECT_EQ(CheckGlyphRect({15, 15}, {100, 19}, 2, TvaAlign::vaTop, true), Bounds(2, 0, 15, 15));
  EXPECT_EQ(CheckGlyphRect({15, 15}, {100, 19}, 2, TvaAlign::vaBottom, false), Bounds(83, 4, 15, 15));
}

// The caption right of the glyph at margin + glyph + indent + 4, one up; left of it from the
// margin; right-to-left ending before the glyph; word wrap also one left.
TEST(CheckBoxGeometry, CaptionAndFocus) {
  EXPECT_EQ(CaptionAvailableWidth(200, 15, 3, 2), 176);
  const TCaptionPlace right = CheckCaptionPlace({200, 19}, {80, 13}, 15, 3, 2, true, false, false);
  EXPECT_EQ(right.Rect, Rect(24, 2, 104, 15));
  EXPECT_FALSE(right.RightAligned);
  EXPECT_EQ(CheckCaptionPlace({200, 19}, {80, 13}, 15, 0, 2, false, false, true).Rect, Rect(1, 2, 180, 15));
  const TCaptionPlace rtl = CheckCaptionPlace({200, 19}, {80, 13}, 15, 0, 2, true, true, false);
  EXPECT_EQ(rtl.Rect, Rect(99, 2, 179, 15));
  EXPECT_TRUE(rtl.RightAligned);
  // The top never goes above the margin: a caption higher than the box starts at margin − 1.
  EXPECT_EQ(CheckCaptionPlace({200, 19}, {80, 40}, 15, 0, 2, true, false, false).Rect.Top, 1);
  EXPECT_EQ(CheckFocusRect(Rect(21, 2, 101, 15), false), Rect(19, 2, 103, 15));
  EXPECT_EQ(CheckFocusRect(Rect(21, 2, 101, 15), true), Rect(19, 2, 103, 16));
}

// Caption-less: glyph + 4 by glyph + 2; with a caption 27 wider than it (15-pixel glyph).
TEST(CheckBoxGeometry, AutoSize) {
  EXPECT_EQ(CheckBoxAutoSize({15, 15}, {}, false, 2, 0), (TSize{19, 17}));
  EXPECT_EQ(CheckBoxAutoSize({16, 16}, {}, false, 2, 0), (TSize{20, 18}));
  EXPECT_EQ(CheckBoxAutoSize({15, 15}, {170, 13}, true, 2, 0), (TSize{197, 19}));
  EXPECT_EQ(CheckBoxAutoSize({15, 15}, {170, 13}, true, 2, 5), (TSize{202, 19}));
  EXPECT_EQ(CheckBoxAutoSize({15, 15}, {170, 30}, true, 3, 0), (TSize{199, 38}));
  EXPECT_EQ(CheckBoxPlainAutoSize({170, 13}), (TSize{180, 20}));
  EXPECT_EQ(CheckBoxPlainAutoSize({170, 26}), (TSize{180, 30}));
}

// Clicks alternate, or cycle through grayed when allowed; message arguments above 2 are grayed.
TEST(CheckBoxGeometry, StateChanges) {
  EXPECT_EQ(ToggledState(S::cbUnchecked, false), S::cbChecked);
  EXPECT_EQ(ToggledState(S::cbChecked, false), S::cbUnchecked);
  EXPECT_EQ(ToggledState(S::cbUnchecked, true), S::cbGrayed);
  EXPECT_EQ(ToggledState(S::cbGrayed, true), S::cbChecked);
  EXPECT_EQ(ToggledState(S::cbChecked, true), S::cbUnchecked);
  EXPECT_EQ(CheckStateFromArgument(0), S::cbUnchecked);
  EXPECT_EQ(CheckStateFromArgument(1), S::cbChecked);
  EXPECT_EQ(CheckStateFromArgument(2), S::cbGrayed);
  EXPECT_EQ(CheckStateFromArgument(7), S::cbGrayed);
  EXPECT_EQ(CheckStateFromArgument(~std::uintptr_t(0)), S::cbGrayed);
}
