#include "skin/controls/sCheckBoxGeometry.h"

#include <algorithm>

int CheckBoxPaintState(bool pressed, bool hot, bool readOnly) {
  if (pressed) return 2;
  return hot && !readOnly ? 1 : 0;
}

int StripFrameCount(int width, int height) {
  if (width <= 0 || height <= 0 || width % height != 0) return 1;
  return width / height;
}

TSize StripFrameSize(int width, int height) {
  return {std::max(width, 0) / StripFrameCount(width, height), std::max(height, 0)};
}

int StripFrameIndex(int frames, int paintState) {
  const int last = std::max(frames - 1, 0);
  if (paintState >= 2) return std::min(2, last);
  return paintState <= 0 ? 0 : std::min(1, last);
}

TRect CheckGlyphRect(TSize glyph, TSize control, int margin, TvaAlign align, bool captionRight) {
  int y = 0;
  if (align == TvaAlign::vaMiddle) y = (control.H - glyph.H) / 2;  // C++ division truncates toward zero
  else if (align == TvaAlign::vaBottom) y = control.H - glyph.H;
  const int x = captionRight ? margin : control.W - glyph.W - margin;
  return Bounds(x, y, glyph.W, glyph.H);
}

int CaptionAvailableWidth(int width, int glyphWidth, int indent, int margin) {
  return width - glyphWidth - indent - 2 * margin - 2;
}

TCaptionPlace CheckCaptionPlace(TSize control, TSize text, int glyphWidth, int indent, int margin, bool captionRight,
                                bool rightToLeft, bool wordWrap) {
  const int a = CaptionAvailableWidth(control.W, glyphWidth, indent, margin);
  const int t = std::max((control.H - text.H) / 2, margin);
  TCaptionPlace place;
  if (!captionRight) {
    place.Rect = {margin, t, a + margin, t + text.H};
  } else if (rightToLeft) {
    const int right = control.W - margin - glyphWidth - indent - 4;
    place.Rect = {right - text.W, t, right, t + text.H};
    place.RightAligned = !wordWrap;
  } else {
    const int x = control.W - a - margin + 2;
    place.Rect = {x, t, x + text.W, t + text.H};
  }
  const int dx = wordWrap ? -1 : 0;
  place.Rect = {place.Rect.Left + dx, place.Rect.Top - 1, place.Rect.Right + dx, place.Rect.Bottom - 1};
  return place;
}

TRect CheckFocusRect(const TRect& caption, bool wordWrap) {
  TRect r = caption;
  if (!wordWrap) --r.Bottom;
  ++r.Top;
  return {r.Left - 2, r.Top - 1, r.Right + 2, r.Bottom + 1};
}

TSize CheckBoxAutoSize(TSize glyph, TSize caption, bool hasCaption, int margin, int indent) {
  int w = glyph.W + 2 * margin;
  if (hasCaption) w += caption.W + indent + 8;
  const int h = std::max(glyph.H, (hasCaption ? caption.H : 0) + 2 * margin) + 2;
  return {w, h};
}

TSize CheckBoxPlainAutoSize(TSize caption) { return {caption.W + 10, std::max(caption.H + 4, 20)}; }
