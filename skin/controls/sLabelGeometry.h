// The arithmetic of the effect label, apart from any window: how far its glow reaches beyond the
// text (the shadow margins), the bounds it takes when those margins or its text change, the
// extent and drawing origin of rotated text, and where the text lies inside the label.
#pragma once
#include "framework/Types.h"

// The glow in effect: its colour (0x00BBGGRR, or clNone for none), the number of blur passes,
// its offset right and down from the text and its overall strength (0 … 255).
struct TShadowData {
  TColor Color = 0;
  int Blur = 0;
  int Offset = 0;
  int Alpha = 0;
  friend bool operator==(const TShadowData&, const TShadowData&) = default;
};

// How far the glow reaches beyond the text: LeftTop ≤ 0 to the left and top, RightBottom ≥ 0
// to the right and bottom. A label is Extra() pixels wider and higher than its text.
struct TShadowMargins {
  int LeftTop = 0;
  int RightBottom = 0;
  constexpr int Extra() const { return RightBottom - LeftTop; }
  friend bool operator==(const TShadowMargins&, const TShadowMargins&) = default;
};

// LeftTop = min(0, Offset − Blur), RightBottom = max(0, Offset + Blur).
TShadowMargins ShadowMargins(const TShadowData& s);

// Whether the shadow draws a glow at all: a colour and at least one blur pass.
bool GlowWanted(const TShadowData& s);

// A text extent w × h turned by angle degrees: round(|cos|·w + |sin|·h) × round(|sin|·w + |cos|·h),
// rounded half to even; angle 0 keeps it as it is.
TPoint RotatedExtent(TPoint extent, int angle);

// Where rotated text of extent (cx, cy) starts inside its box of rotated extent `rotated`, so that
// the turned text fills the box: (0, 0) for angle 0.
TPoint RotatedOrigin(TPoint extent, TPoint rotated, int angle);

// What AdjustBounds needs of a label.
struct TLabelBoundsInput {
  TRect Bounds;            // the label's current bounds
  TShadowMargins Kept;     // the margins its bounds include now
  TShadowMargins Current;  // the margins of its current shadow
  bool AutoSize = false;
  TPoint Text;             // auto-sized: the (rotated) text extent
  TAlignment Alignment = TAlignment::taLeftJustify;  // already mirrored for right-to-left reading
  TTextLayout Layout = TTextLayout::tlTop;
};

// The new bounds: auto-sized, the text plus the current margins, placed so that the text stays
// where it was for its alignment and layout; otherwise the old size with the kept margins
// exchanged for the current ones. Divisions truncate toward zero.
TRect AdjustedLabelBounds(const TLabelBoundsInput& in);

// The box of the text inside the drawing rectangle r, for text of (rotated) extent `text`, the
// label's margins and the shadow's offset. Centred boxes move by the offset, as the glow does.
TRect LabelTextRect(const TRect& r, TPoint text, TShadowMargins m, int offset, TAlignment alignment,
                    TTextLayout layout);
