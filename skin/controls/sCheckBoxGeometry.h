// The check box's arithmetic, apart from painting: its painting state, the frames of glyph strips,
// where glyph, caption and focus frame go, and the size it takes when it sizes itself.
#pragma once
#include "framework/Types.h"

enum class TvaAlign { vaTop, vaMiddle, vaBottom };

// 2 while pressed; 0 when neither hot (focused or under the mouse) nor writable; 1 otherwise.
int CheckBoxPaintState(bool pressed, bool hot, bool readOnly);

// A strip holds frames side by side, each as wide as the strip is high; a width that is not a
// multiple of the height makes the whole strip one frame (so does an empty strip).
int StripFrameCount(int width, int height);
// The size of one frame of a strip.
TSize StripFrameSize(int width, int height);
// The frame drawn in a painting state: min(2, frames − 1) pressed, 0 at rest, min(1, frames − 1) hot.
int StripFrameIndex(int frames, int paintState);

// The glyph's rectangle (Right/Bottom exclusive) in a control of size `control`: vertically at 0,
// trunc((height − glyph height) / 2) or height − glyph height; horizontally at `margin` with the
// caption on the right, else at width − glyph width − margin.
TRect CheckGlyphRect(TSize glyph, TSize control, int margin, TvaAlign align, bool captionRight);

// The width the caption may take: width − glyph width − indent − 2·margin − 2.
int CaptionAvailableWidth(int width, int glyphWidth, int indent, int margin);

struct TCaptionPlace {
  TRect Rect;             // where the text is drawn (Right/Bottom exclusive)
  bool RightAligned = false;  // drawn right-aligned (right-to-left reading without word wrap)
};
// Where a caption of size `text` goes: top max(trunc((height − h) / 2), margin); on the right at
// margin + glyph width + indent + 4 (right-to-left reading: ending at width − margin − glyph width
// − indent − 4), on the left from margin over the available width; then moved by (−1, −1) with
// word wrap, (0, −1) without.
TCaptionPlace CheckCaptionPlace(TSize control, TSize text, int glyphWidth, int indent, int margin, bool captionRight,
                                bool rightToLeft, bool wordWrap);

// The dotted focus frame around a caption: without word wrap the bottom one up; the top one down;
// then two wider and one higher on every side.
TRect CheckFocusRect(const TRect& caption, bool wordWrap);

// The size a skinned check box takes: width glyph width + 2·margin (+ caption width + indent + 8
// with a caption), height max(glyph height, caption height + 2·margin) + 2 (caption height 0
// without a caption).
TSize CheckBoxAutoSize(TSize glyph, TSize caption, bool hasCaption, int margin, int indent);
// Without a skin: caption width + 10 by max(caption height + 4, 20).
TSize CheckBoxPlainAutoSize(TSize caption);
