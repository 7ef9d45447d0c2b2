// The picture of one skinned scroll bar, and of the corner square between two bars, painted from
// the skin's scroll elements (the manager's ConstData: Scrolls, ScrollBtns, Sliders,
// GripRightBottom) over what lies behind the control. No Windows API: the scroll handler fills
// in the look, copies the finished bitmap to the window, and the gallery and the tests paint
// the same pictures natively.
#pragma once
#include <optional>

#include "framework/Types.h"
#include "imaging/Bitmap32.h"
#include "skin/base/sCacheInfo.h"
#include "skin/frame/sScrollGeometry.h"

class TsSkinManager;
struct TsConstElementData;

// What one bar shows. Bar.Rect gives the picture's size (its place does not matter here).
struct TsScrollBarLook {
  TsBarGeometry Bar;
  int PressedPart = spNone;  // the part shown pressed on this bar (arrows and track halves)
  int HotPart = spNone;      // the part under the mouse on this bar
  bool Active = true;        // false: the bar is faded into its background and shows no thumb
  // During a thumb drag: the thumb, its Start counted from the bar's first pixel. The bar then
  // shows the thumb pressed there, arrows and track normal.
  std::optional<TsThumb> Drag;
};

// The elements of a bar's direction: track halves, arrows, thumb.
struct TsBarElements {
  const TsConstElementData* TrackBefore;
  const TsConstElementData* TrackAfter;
  const TsConstElementData* FirstArrow;
  const TsConstElementData* SecondArrow;
  const TsConstElementData* Thumb;
};
TsBarElements BarElements(const TsSkinManager& manager, bool vertical);

// Where the track is split between its two elements: at the thumb's centre (start + length / 2),
// from the bar's first pixel.
int TrackSplit(const TsThumb& thumbFromBarStart);

// Paints the bar into bmp, which is made the bar's size. pos is the bar's place in the owner of
// bg (the control's place in its parent plus the bar's place in the control). Steps: bg's
// picture; with room for both arrows the track halves split at the thumb's centre (state 2 while
// pressed, else 0), the arrows over the first and last ArrowLength pixels (2 pressed, 1 hot on
// an active bar, else 0) and, when ThumbShown on an active bar, the thumb (1 hot, else 0);
// without room each track element and each arrow over one half and no thumb. An inactive bar is
// then faded into bg. Returns false, painting nothing, without a manager, without the skin's
// first track element, or for a bar at most one pixel thick.
bool PaintScrollBar(TsSkinManager* manager, const TsScrollBarLook& look, const TCacheInfo& bg, TPoint pos,
                    TBitmap32& bmp);

// An arrow button over rect in a state: the element, then its glyph centred or, without one, a
// small arrow pointing to `side` (TsSide) in the element's font colour for the state, moved by
// (1, 1) when pressed and the manager's ButtonsOptions().ShiftContentOnClick is set.
void PaintScrollArrow(TsSkinManager& manager, const TsConstElementData& element, int side, TBitmap32& bmp,
                      const TRect& rect, const TCacheInfo& bg, TPoint pos, int state);

// The inactive look: over a background picture (bg Ready) the matching piece of it is merged
// over bmp with the disabled blend 0.4, its key-colour pixels left out (the bar keeps 40 %);
// over a plain colour c every channel p becomes (p × 153 + c × 103) >> 8 (the bar keeps 60 %).
// Alpha is kept. Nothing without either.
void FadeInactiveBar(TBitmap32& bmp, const TCacheInfo& bg, TPoint pos);

// The corner square of w × h between two bars: bg's picture when it has one, else a plain fill
// (bg's colour when the skin's SCROLLBAR1H is fully transparent, else the skin's main colour),
// then, when the square is the window's size grip, the GripRightBottom image at its bottom-right
// corner. bmp is made w × h. False without a manager or for an empty square.
bool PaintScrollCorner(TsSkinManager* manager, int w, int h, bool sizeGrip, const TCacheInfo& bg, TPoint pos,
                       TBitmap32& bmp);
