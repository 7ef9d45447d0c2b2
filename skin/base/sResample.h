// High-quality scaling of 32-bit bitmaps with a choice of reconstruction filters.
#pragma once
#include <cstdint>
#include <vector>

#include "framework/Types.h"
#include "imaging/Bitmap32.h"

enum TsResampleFilter : int {
  fkBox = 0,
  fkTriangle = 1,
  fkHermite = 2,
  fkBell = 3,
  fkBSpline = 4,
  fkLanczos3 = 5,
  fkMitchell = 6,  // the filter item painting uses
};

// The filter's support (half width of its window at scale 1).
double ResampleFilterSupport(int filter);
// The filter's value at signed distance d (only the box filter tells −0.5 from 0.5).
double ResampleFilterValue(int filter, double d);

// One source sample feeding a destination sample: index (already mirrored into 0 … n − 1) and
// integer weight (65536 = 1).
struct TResampleContributor {
  int Index;
  std::int32_t Weight;
};
// The contributors of destination sample i when n source samples become m: scale = m / n when
// m < n, else 1; centre c = i·n / m as a 32-bit float; every j from Ceil(c + s/scale) down to
// Floor(c − s/scale) whose distance x = |c − j|·scale is below the support s adds
// Round(filter(c − j)·scale·65536) when the filter value is not 0. j < 0 is mirrored to −j and
// j ≥ n to 2n − 1 − j (and then held inside 0 … n − 1, which matters only for very short sides).
std::vector<TResampleContributor> ResampleContributors(int filter, int n, int m, int i);

// Scales src to newWidth × newHeight into dst: first each row (into an intermediate bitmap),
// then each column. Each output channel (B, G, R and A) is the weighted sum >> 16, negative sums
// giving 0 and sums of 0xFF0001 or more 255. Nothing happens when a new size is ≤ 0, when src is
// 1 pixel wide or high or smaller, or for an unknown filter; an unchanged size copies src.
// dst keeps its own memory when it already has the new size (so a view can be the target);
// src may be dst.
void ResampleBitmap(const TBitmap32& src, TBitmap32& dst, int newWidth, int filter, int newHeight);

// Scales piece s of src (Right/Bottom exclusive, inside src) to the size of d and writes it at d
// in dst, cut to dst: the pixels ResampleBitmap gives for a copy of the piece in which a side of
// 1 pixel is doubled (a piece of the same size as d, after that, is copied as it is). Nothing
// happens for an empty or outlying piece, an empty d or an unknown filter. A resampled piece is
// read whole before anything is written, so dst may share src's pixels then; a copied one must
// not overlap d. Scratch memory comes from the heap only for large pieces.
void ResamplePiece(const TBitmap32& src, const TRect& s, TBitmap32& dst, const TRect& d, int filter);
