// The arithmetic of the skinned scroll bars: the bars' sizes, where they lie in a window, the
// thumb's length and place, the part under a point and the thumb drag. No Windows API: the
// scroll handler reads the control's state into these records, calls these functions and only
// turns their results into messages and timers.
//
// Scroll ranges take every int32, so differences such as nMax − nMin are taken in 64 bits and
// saturated to int32 before they meet MulDiv, which works on int32 as the platform's does.
#pragma once
#include <cstdint>
#include <optional>

#include "framework/Types.h"

class TsSkinManager;

namespace sscroll {
// a × b / c with the exact 64-bit product, rounded half away from zero as the platform's MulDiv
// rounds; −1 for c = 0 or a result outside int32.
int MulDiv(int a, int b, int c);
}  // namespace sscroll

// The control's scroll state, as the platform's SCROLLINFO carries it.
struct TsScrollInfo {
  int nMin = 0;
  int nMax = 0;
  unsigned nPage = 0;
  int nPos = 0;
  int nTrackPos = 0;
};

// Bar types, as the platform numbers them.
enum TsBarType : int { btHorz = 0, btVert = 1 };

// Parts of a bar; also the scroll codes the handler sends for them.
enum TsScrollPart : int {
  spNone = -1,
  spFirstArrow = 0,   // line up / left
  spSecondArrow = 1,  // line down / right
  spTrackBefore = 2,  // page up / left
  spTrackAfter = 3,   // page down / right
  spThumb = 5,        // thumb track
};

// The thumb is never drawn shorter than this; with arrows of length 0, never shorter than 19.
inline constexpr int kMinThumbSize = 16;
inline constexpr int kMinThumbSizeNoArrows = 19;

// One bar of a scroll handler: the style's wish, its overrides and the mirrored scroll state.
struct TsScrollBar {
  std::uint16_t fScrollFlags = 0;  // 8 when the window style asks for this bar
  int nArrowLength = -1;           // arrow length override, −1 = the metric rules
  int nArrowWidth = -1;            // thickness override, −1 = the metric rules
  int nBarType = btHorz;
  int nMinThumbSize = kMinThumbSize;
  bool fScrollVisible = false;  // the bar takes room in the non-client area now
  TsScrollInfo ScrollInfo;
};

// The control's own sizes of one bar (its skin data's scroll settings), −1 = not set.
struct TsScrollSizes {
  int ScrollWidth = -1;
  int ButtonsSize = -1;
};

enum TsScrollMetric : int { mkArrowLength = 0, mkThickness = 1 };

// Thickness: the control's ScrollWidth, else the manager's ScrollsOptions().ScrollSize, else the
// bar's nArrowWidth, else the platform's vertical scroll-bar width. Arrow length: the control's
// ButtonsSize, else ScrollsOptions().ButtonsSize, else nArrowLength, else the thickness the
// manager gives (ScrollSize, else the platform's width). Each only when 0 or more. No manager
// given: the default one; without any, only the control's and the bar's settings and the
// platform's width count.
int GetScrollMetric(const TsScrollBar& bar, TsScrollMetric kind, const TsScrollSizes& own, TsSkinManager* manager);

// A bar as its arithmetic sees it: direction, rectangle (Right/Bottom exclusive, in any
// coordinate system), arrow length and the mirrored scroll state.
struct TsBarGeometry {
  bool Vertical = false;
  TRect Rect;
  int ArrowLength = 0;
  int MinThumbSize = kMinThumbSize;
  TsScrollInfo Info;
};
// The geometry of `bar` lying at rect, its arrow length from GetScrollMetric.
TsBarGeometry BarGeometry(const TsScrollBar& bar, const TRect& rect, const TsScrollSizes& own, TsSkinManager* manager);

// Along the bar's axis: where the rectangle starts and how long it is.
int BarStart(const TsBarGeometry& bar);
int BarLength(const TsBarGeometry& bar);

// A thumb: its length and its start along the bar's axis.
struct TsThumb {
  int Length = 0;
  int Start = 0;
  friend bool operator==(const TsThumb&, const TsThumb&) = default;
};

// With a = arrow length, range = nMax − nMin + 1, work = bar length − 2a: the length is
// max(a, MinThumbSize) without a page, MulDiv(nPage, work, range) for a range above 0, else 0;
// then at least 19 for arrows of length 0, else at least MinThumbSize. The offset is
// MulDiv(nPos − nMin, work − length, range − max(1, nPage)) for a range above 0, else 0,
// limited to work − length and then to 0 (so a failed division gives 0). Start = the bar's start
// + a + offset.
TsThumb CalcThumb(const TsBarGeometry& bar);

// The value that decides whether the thumb is drawn: MulDiv(nPage, work, nMax − nMin), replaced
// by min(MinThumbSize, work − 1) when it is below MinThumbSize or below work − 1.
int ThumbCheckValue(const TsBarGeometry& bar);
// Whether an active bar shows its thumb: two arrows fit, the scroll range holds more than one
// position (nothing to scroll shows no thumb: a range that is empty or inverted would otherwise
// get one of the minimum size), and the check value is above 0 and at most work (a page over
// the whole range hides it).
bool ThumbShown(const TsBarGeometry& bar);

// The part of the bar under p (TsScrollPart): spNone outside the bar. Arrows are a long, or half
// the bar each when two do not fit; without room for paging beside the thumb only the arrows
// count; then the thumb, the track before it and the track after it.
int GetScrollPart(const TsBarGeometry& bar, TPoint p);

// While a part is pressed, the part shown pressed: the pressed part while the mouse is over it,
// none otherwise (auto-repeat pauses off the part).
inline int ShownPart(int pressedPart, int partUnderMouse) {
  return partUnderMouse == pressedPart ? pressedPart : spNone;
}

// A thumb drag, remembered at the press on the thumb.
struct TsThumbTrack {
  bool Vertical = false;
  TRect Track;          // the bar's rectangle at the press
  int ArrowLength = 0;
  TsThumb Thumb;        // the thumb at the press
  int MouseOffset = 0;  // the mouse along the bar − the thumb's start
};
TsThumbTrack BeginThumbTrack(const TsBarGeometry& bar, TPoint mouse);

// One mouse move of a drag.
struct TsThumbMove {
  int ThumbStart = 0;  // the thumb's new start, from the bar's first pixel (for the picture)
  int Position = 0;    // the scroll position it stands for
};
// The drag range is the track less one arrow at each end; the thumb's start follows the mouse,
// kept inside it. The position: with nMax − nMin below 1 the thumb's offset in the range; with
// the thumb at the range's end nMax − nMin − nPage + 2 (one past the last page start: the
// control clamps it to its last line); otherwise MulDiv(offset, nMax − nMin − nPage + 2, range
// length − thumb length). Each is counted from nMin, so that a range that does not start at 0
// scrolls to its own positions.
TsThumbMove MoveThumb(const TsThumbTrack& track, const TsScrollInfo& info, TPoint mouse);

// The widths of the control's own border round its client area, found by the default
// non-client sizing.
struct TsScrollEdges {
  int cxLeftEdge = 0, cxRightEdge = 0, cyTopEdge = 0, cyBottomEdge = 0;
};
// The edges between the proposed window rectangle and the client rectangle sizing made of it.
TsScrollEdges EdgesBetween(const TRect& window, const TRect& client);

// Takes room for a bar from the client rectangle: fScrollFlags := 8 when the style asks for the
// bar, else 0; with the flag and a client at least `thickness` high (horizontal) or wide
// (vertical) the bottom moves up, or the right edge left (the left edge right with a left
// scroll bar), and fScrollVisible := True; otherwise fScrollVisible := False.
void ReserveScrollRoom(TRect& client, TsScrollBar& bar, bool styleAsks, int thickness, bool leftScrollbar);

// What the bars' rectangles depend on: the window rectangle, the edges, the bars shown.
struct TsScrollFrame {
  TRect Window;
  TsScrollEdges Edges;
  bool LeftScrollbar = false;
  bool HorzVisible = false, VertVisible = false;
  int HorzThickness = 0, VertThickness = 0;
};
// The bars' rectangles (empty for a bar not shown) and the corner square between them (empty
// unless both are shown), in the window rectangle's coordinates.
TRect HorzBarRect(const TsScrollFrame& f);
TRect VertBarRect(const TsScrollFrame& f);
TRect CornerRect(const TsScrollFrame& f);
