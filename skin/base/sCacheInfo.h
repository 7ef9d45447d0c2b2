// What lies behind a control: either a finished picture of the background owner (a bitmap and the
// control's origin inside it) or a plain colour, so that transparent parts of a skin can show it.
#pragma once
#include "framework/Types.h"
#include "imaging/Bitmap32.h"

struct TCacheInfo {
  TBitmap32* Bmp = nullptr;  // the background owner's cache, or none
  int X = -99, Y = -99;      // the control's origin inside Bmp
  TColor FillColor = clFuchsia;  // plain background colour, clFuchsia = none
  // When Ready is false but Bmp is present: the widths of the owner's left, top, right and bottom
  // frame bands that are valid in Bmp; everything inside them is plain FillColor.
  TRect FillRect{};
  bool Ready = false;  // Bmp holds the complete background and may be copied from
};

// The bitmap form: the whole background is in bmp, the control's origin at (x, y).
inline TCacheInfo MakeCacheInfo(TBitmap32* bmp, int x = 0, int y = 0) {
  return TCacheInfo{bmp, x, y, clFuchsia, TRect{}, true};
}

// The empty form, used where no background is wanted.
inline TCacheInfo EmptyCacheInfo() { return TCacheInfo{nullptr, -99, -99, clFuchsia, TRect{}, false}; }
