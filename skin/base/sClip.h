// Clipping shared by the painters of this folder (not part of their interface). Every primitive
// clips once, up front, with these helpers and then walks rows with pointers; the row loops
// behind them trust the result.
#pragma once
#include <algorithm>
#include <cstdint>

#include "framework/Types.h"
#include "imaging/Bitmap32.h"

namespace sclip {

// The rectangle (Right/Bottom exclusive) intersected with 0 … w, 0 … h; may come out empty.
inline TRect Intersect(const TRect& r, int w, int h) {
  return TRect{std::max(r.Left, 0), std::max(r.Top, 0), std::min(r.Right, w), std::min(r.Bottom, h)};
}
inline bool IsEmpty(const TRect& r) { return r.Right <= r.Left || r.Bottom <= r.Top; }

// The bitmap rectangle addressed by an inclusive rectangle (Right/Bottom inclusive), clipped and
// returned with exclusive Right/Bottom.
inline TRect IntersectInclusive(const TRect& r, int w, int h) {
  const long long right = std::min<long long>(r.Right, w - 1) + 1;
  const long long bottom = std::min<long long>(r.Bottom, h - 1) + 1;
  return TRect{std::max(r.Left, 0), std::max(r.Top, 0), int(right), int(bottom)};
}

// A copy of W × H pixels from (SX, SY) of a source to (DX, DY) of a destination.
struct TBlit {
  int DX = 0, DY = 0, SX = 0, SY = 0, W = 0, H = 0;
};

// Cuts a copy so that the destination stays inside 0 … dstW, 0 … dstH and the source inside
// srcArea (exclusive Right/Bottom); both starts move together. Returns false when nothing is left.
inline bool ClipBlit(TBlit& b, int dstW, int dstH, const TRect& srcArea) {
  auto axis = [](int& d, int& s, int& n, int dLimit, int sLo, int sHi) {
    long long dd = d, ss = s, nn = n;
    if (dd < 0) { ss -= dd; nn += dd; dd = 0; }
    if (ss < sLo) { nn -= sLo - ss; dd += sLo - ss; ss = sLo; }
    nn = std::min<long long>(nn, dLimit - dd);
    nn = std::min<long long>(nn, sHi - ss);
    if (nn <= 0) return false;
    d = int(dd); s = int(ss); n = int(nn);
    return true;
  };
  return axis(b.DX, b.SX, b.W, dstW, srcArea.Left, srcArea.Right) &&
         axis(b.DY, b.SY, b.H, dstH, srcArea.Top, srcArea.Bottom);
}

inline TRect Whole(const TBitmap32& b) { return TRect{0, 0, b.Width(), b.Height()}; }

}  // namespace sclip
