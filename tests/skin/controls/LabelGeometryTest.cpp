#include "skin/controls/sLabelGeometry.h"

#include <gtest/gtest.h>

namespace {
constexpr TShadowData kSetupShadow{clAqua, 6, 1, 255};

TLabelBoundsInput Input(TRect bounds, TShadowMargins kept, TShadowMargins now, bool autoSize, TPoint text,
                        TAlignment a = TAlignment::taLeftJustify, TTextLayout l = TTextLayout::tlTop) {
  return {bounds, kept, now, autoSize, text, a, l};
}
}  // namespace

// The margins are how far the glow reaches past the text; the setup's shadow stores (−5, 7).
TEST(LabelGeometry, ShadowMargins) {
  EXPECT_EQ(ShadowMargins(kSetupShadow), (TShadowMargins{-5, 7}));
  EXPECT_EQ(ShadowMargins(kSetupShadow).Extra(), 12);
  EXPECT_EQ(ShadowMargins({0, 2, 1, 255}), (TShadowMargins{-1, 3}));
  EXPECT_EQ(ShadowMargins({0, 0, 0, 0}), (TShadowMargins{0, 0}));
  // An offset larger than the blur leaves no margin at the left and top.
  EXPECT_EQ(ShadowMargins({0, 2, 5, 255}), (TShadowMargins{0, 7}));
  EXPECT_TRUE(GlowWanted(kSetupShadow));
  EXPECT_FALSE(GlowWanted({clAqua, 0, 1, 255}));
  EXPECT_FALSE(GlowWanted({clNone, 6, 1, 255}));
}

// Blur 6 → 2 on an auto-sized left/top label: 4 right and down, 8 smaller, so the text stays put.
TEST(LabelGeometry, AutoSizedBoundsFollowTheMargins) {
  const TShadowMargins six{-5, 7}, two{-1, 3};
  const TPoint text{80, 13};
  const TRect bounds = Bounds(10, 20, 92, 25);
  EXPECT_EQ(AdjustedLabelBounds(Input(bounds, six, two, true, text)), Bounds(14, 24, 84, 17));
  // And back again.
  EXPECT_EQ(AdjustedLabelBounds(Input(Bounds(14, 24, 84, 17), two, six, true, text)), bounds);
  // Right alignment and bottom layout keep the far edges.
  const TRect rb = AdjustedLabelBounds(Input(bounds, six, two, true, text, TAlignment::taRightJustify, TTextLayout::tlBottom));
  EXPECT_EQ(rb, Bounds(18, 28, 84, 17));
  EXPECT_EQ(rb.Right, bounds.Right);
  EXPECT_EQ(rb.Bottom, bounds.Bottom);
  // Centred: half the change of both margins ((−5 + 1 − 7 + 3) / 2 = −4), so the centre stays;
  // an odd change truncates toward zero ((−5 + 1 − 6 + 3) / 2 = −3).
  EXPECT_EQ(AdjustedLabelBounds(Input(bounds, six, two, true, text, TAlignment::taCenter, TTextLayout::tlCenter)),
            Bounds(14, 24, 84, 17));
  EXPECT_EQ(AdjustedLabelBounds(Input(bounds, {-5, 6}, {-1, 3}, true, text, TAlignment::taCenter, TTextLayout::tlCenter)),
            Bounds(13, 23, 84, 17));
  // A new text extent sizes the label even when the margins stay.
  EXPECT_EQ(AdjustedLabelBounds(Input(bounds, six, six, true, {50, 10})), Bounds(10, 20, 62, 22));
}

// Without auto size the label keeps its text area and trades the kept margins for the new ones.
TEST(LabelGeometry, FixedBoundsFollowTheMargins) {
  const TRect bounds = Bounds(10, 20, 92, 25);
  EXPECT_EQ(AdjustedLabelBounds(Input(bounds, {-5, 7}, {-1, 3}, false, {})), Bounds(14, 24, 84, 17));
  EXPECT_EQ(AdjustedLabelBounds(Input(bounds, {-5, 7}, {-1, 3}, false, {}, TAlignment::taRightJustify, TTextLayout::tlBottom)),
            Bounds(14, 24, 84, 17));
  // Equal margins change nothing, whatever the alignment.
  for (auto a : {TAlignment::taLeftJustify, TAlignment::taRightJustify, TAlignment::taCenter})
    for (auto l : {TTextLayout::tlTop, TTextLayout::tlCenter, TTextLayout::tlBottom})
      EXPECT_EQ(AdjustedLabelBounds(Input(bounds, {-5, 7}, {-5, 7}, false, {}, a, l)), bounds);
  // Margins stored larger than the label never give it a negative size.
  EXPECT_EQ(AdjustedLabelBounds(Input(Bounds(0, 0, 4, 4), {-50, 50}, {0, 0}, false, {})), Bounds(50, 50, 0, 0));
}

// Rotated extents round half to even; the origin puts the turned text inside its box.
TEST(LabelGeometry, RotatedText) {
  EXPECT_EQ(RotatedExtent({80, 13}, 0), (TPoint{80, 13}));
  EXPECT_EQ(RotatedExtent({80, 13}, 90), (TPoint{13, 80}));
  EXPECT_EQ(RotatedExtent({80, 13}, 180), (TPoint{80, 13}));
  EXPECT_EQ(RotatedExtent({10, 0}, 45), (TPoint{7, 7}));  // 7.07
  EXPECT_EQ(RotatedExtent({80, 13}, -90), (TPoint{13, 80}));
  EXPECT_EQ(RotatedOrigin({80, 13}, {80, 13}, 0), (TPoint{0, 0}));
  // 90°: the text runs upwards from the bottom-left corner of its 13 × 80 box.
  // dx = round((80 − 0 − 13) / 2) + trunc((13 − 80) / 2) = 34 − 33; dy = round((13 + 80) / 2) + trunc(67 / 2).
  EXPECT_EQ(RotatedOrigin({80, 13}, {13, 80}, 90), (TPoint{1, 46 + 33}));
  // 180°: upside down from the bottom-right corner.
  EXPECT_EQ(RotatedOrigin({80, 13}, {80, 13}, 180), (TPoint{80, 13}));
}

// The text box inside the label: the margins on each side, centred boxes moved by the offset.
TEST(LabelGeometry, TextRect) {
  const TRect r = Rect(0, 0, 92, 25);
  const TShadowMargins m{-5, 7};
  EXPECT_EQ(LabelTextRect(r, {80, 13}, m, 1, TAlignment::taLeftJustify, TTextLayout::tlTop), Bounds(5, 5, 80, 13));
  EXPECT_EQ(LabelTextRect(r, {80, 13}, m, 1, TAlignment::taRightJustify, TTextLayout::tlBottom), Bounds(5, 5, 80, 13));
  EXPECT_EQ(LabelTextRect(Rect(0, 0, 100, 35), {80, 13}, m, 1, TAlignment::taCenter, TTextLayout::tlCenter),
            Bounds((100 - 80 - 7 + 5) / 2 + 1, (35 - 13 - 7 + 5) / 2 + 1, 80, 13));
  // Negative halves truncate toward zero.
  EXPECT_EQ(LabelTextRect(Rect(0, 0, 5, 5), {20, 20}, m, 0, TAlignment::taCenter, TTextLayout::tlCenter).Left, -8);  // −17 / 2, not −9
}
