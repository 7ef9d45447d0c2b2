#include "skin/paint/sLightStrip.h"

#include <cstring>

#include "skin/paint/sClip.h"
#include "skin/paint/sResample.h"

namespace {

// Four pixels per step in a vector register, seen as 32-bit pixels or as 16-bit halves holding
// two channel bytes each; the even byte is blended in the low half, the odd one in place in the
// high half. With w = 256 − a (the weight of d), X = s·256 + (d − s)·w = d·(256 − a) + s·a lies
// in 0 … 65280, so the halves may wrap while computing it and X >> 8 is exact.
template <int P>
struct TLightStep {
  typedef std::uint32_t Px __attribute__((vector_size(4 * P)));
  typedef std::uint16_t Half __attribute__((vector_size(4 * P)));
};

template <int P>
[[gnu::always_inline]] inline void OverlaySteps(std::uint32_t* d, const std::uint32_t* s, int n, int& i) {
  using Px = typename TLightStep<P>::Px;
  using Half = typename TLightStep<P>::Half;
  const Half lo = Half{} + 0x00FF, hi = Half{} + 0xFF00;
  const Px alpha = Px{} + 0xFF000000u, both = Px{} + 0x00010001u, full = Px{} + 256u;
  for (; i + P <= n; i += P) {
    Px dp, sp;
    std::memcpy(&dp, d + i, sizeof dp);
    std::memcpy(&sp, s + i, sizeof sp);
    const Half w = (Half)((full - (sp >> 24)) * both);
    const Half dh = (Half)(dp), sh = (Half)(sp);
    const Half even = ((sh << 8) + ((dh & lo) - (sh & lo)) * w) >> 8;
    const Half odd = ((sh & hi) + ((dh >> 8) - (sh >> 8)) * w) & hi;
    const Px da = dp & alpha, sa = sp & alpha;
    const Px larger = (Px)(da > sa);  // all ones where d's alpha is the larger
    const Px out = ((Px)(even | odd) & ~alpha) | (da & larger) | (sa & ~larger);
    std::memcpy(d + i, &out, sizeof out);
  }
}

}  // namespace

void OverlayWithAlphaRow(std::uint32_t* d, const std::uint32_t* s, int n) {
  int i = 0;
  OverlaySteps<4>(d, s, n, i);
  OverlaySteps<1>(d, s, n, i);
}

void OverlayWithAlpha(TBitmap32& dst, const TBitmap32& src, TPoint at) {
  sclip::TBlit b{at.X, at.Y, 0, 0, src.Width(), src.Height()};
  if (!sclip::ClipBlit(b, dst.Width(), dst.Height(), TRect{0, 0, src.Width(), src.Height()})) return;
  for (int y = 0; y < b.H; ++y) OverlayWithAlphaRow(dst.Row(b.DY + y) + b.DX, src.Row(b.SY + y) + b.SX, b.W);
}

TBitmap32 MakeLightStrip(const TBitmap32& picture, int length, int cross) {
  if (picture.Empty() || length <= 0 || cross <= 0) return {};
  int skip = cross < picture.Height() ? (picture.Height() - cross) / 2 + 1 : 0;
  if (skip >= picture.Height()) skip = 0;
  TBitmap32 strip(length, cross);
  ResamplePiece(picture, TRect{0, skip, picture.Width(), picture.Height()}, strip, TRect{0, 0, length, cross}, fkMitchell);
  return strip;
}
