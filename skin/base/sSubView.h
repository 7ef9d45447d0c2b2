// A view of a rectangle of a bitmap: drawing into it cannot reach outside the rectangle, so a
// painter that must stay inside an item clips once by choosing its target.
#pragma once
#include "framework/Types.h"
#include "imaging/Bitmap32.h"

// r must lie inside bmp (Right/Bottom exclusive); an empty r gives an empty view. The view
// shares bmp's pixels and must not outlive them.
inline TBitmap32 SubView(TBitmap32& bmp, const TRect& r) {
  if (r.Width() <= 0 || r.Height() <= 0) return TBitmap32{};
  return TBitmap32::View(bmp.Row(r.Top) + r.Left, bmp.Stride(), r.Width(), r.Height());
}
