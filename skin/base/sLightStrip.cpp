#include "skin/base/sLightStrip.h"

#include <cstring>

#include "skin/base/sBlendKernels.h"
#include "skin/base/sClip.h"
#include "skin/base/sResample.h"

namespace {

// Four pixels per step in a vector register, seen as 32-bit pixels or as 16-bit halves holding
// two channel bytes each; the even byte is blended in the low half, the odd one in place in the
// high half. X = d·256 + (s − d)·a lies in 0 … 65280, so the halves may wrap while computing it
// and X >> 8 is exact.
template <int P>
struct TLightStep {
  typedef std::uint32_t Px __attribute__((vector_size(4 * P)));
  typedef std::uint16_t Half __attribute__((vector_size(4 * P)));
  typedef std::uint8_t Byte __attribute__((vector_size(4 * P)));
};

template <int P>
[[gnu::always_inline]] inline void OverlaySteps(std::uint32_t* d, const std::uint32_t* s, int n, int& i) {
  using Px = typename TLightStep<P>::Px;
  using Half = typename TLightStep<P>::Half;
  using Byte = typename TLightStep<P>::Byte;
  const Half lo = Half{} + 0x00FF, hi = Half{} + 0xFF00;
  const Px alpha = Px{} + 0xFF000000u;
  // Each pixel's alpha byte copied into both of its halves, the other bytes taken from zero: one
  // byte shuffle where the processor has it (the wide steps; GCC's generic shuffle), else shifts.
  [[maybe_unused]] Byte spread;
  for (int b = 0; b < 4 * P; ++b) spread[b] = std::uint8_t(b % 2 ? 4 * P : (b & ~3) + 3);
  [[maybe_unused]] const Byte zero{};
  for (; i + P <= n; i += P) {
    Px dp, sp;
    std::memcpy(&dp, d + i, sizeof dp);
    std::memcpy(&sp, s + i, sizeof sp);
    const Half dh = (Half)(dp), sh = (Half)(sp);
    Half a;
#if defined(__GNUC__) && !defined(__clang__)
    if constexpr (P >= 8) {
      a = (Half)__builtin_shuffle((Byte)sp, zero, spread);
    } else
#endif
    {
      const Px a32 = sp >> 24;
      a = (Half)(a32 | (a32 << 16));
    }
    const Half even = ((dh << 8) + ((sh & lo) - (dh & lo)) * a) >> 8;
    const Half odd = ((dh & hi) + ((sh >> 8) - (dh >> 8)) * a) & hi;
    const Byte db = (Byte)(dp), sb = (Byte)(sp);
    const Px larger = (Px)(db > sb ? db : sb);  // per byte; only the alpha byte is kept
    const Px out = ((Px)(even | odd) & ~alpha) | (larger & alpha);
    std::memcpy(d + i, &out, sizeof out);
  }
}

void OverlayRowFour(std::uint32_t* d, const std::uint32_t* s, int n) {
  int i = 0;
  OverlaySteps<4>(d, s, n, i);
  OverlaySteps<1>(d, s, n, i);
}

#if defined(__i386__) || defined(__x86_64__)
#define PRISMATONE_HAVE_AVX2_LIGHT 1
[[gnu::target("avx2")]] void OverlayRowEight(std::uint32_t* d, const std::uint32_t* s, int n) {
  int i = 0;
  OverlaySteps<8>(d, s, n, i);
  OverlaySteps<4>(d, s, n, i);
  OverlaySteps<1>(d, s, n, i);
}
[[gnu::target("avx512bw")]] void OverlayRowSixteen(std::uint32_t* d, const std::uint32_t* s, int n) {
  int i = 0;
  OverlaySteps<16>(d, s, n, i);
  OverlaySteps<8>(d, s, n, i);
  OverlaySteps<4>(d, s, n, i);
  OverlaySteps<1>(d, s, n, i);
}
bool HaveSixteen() {
  __builtin_cpu_init();
  static const bool have = __builtin_cpu_supports("avx512bw");
  return have;
}
#endif

}  // namespace

void OverlayWithAlphaRow(std::uint32_t* d, const std::uint32_t* s, int n, sblend::TLanes lanes) {
  if (n <= 0) return;
#if defined(PRISMATONE_HAVE_AVX2_LIGHT)
  if (lanes == sblend::TLanes::Eight && sblend::WidestLanes() == sblend::TLanes::Eight)
    return HaveSixteen() ? OverlayRowSixteen(d, s, n) : OverlayRowEight(d, s, n);
#endif
  OverlayRowFour(d, s, n);
}

void OverlayWithAlpha(TBitmap32& dst, const TBitmap32& src, TPoint at) {
  sclip::TBlit b{at.X, at.Y, 0, 0, src.Width(), src.Height()};
  if (!sclip::ClipBlit(b, dst.Width(), dst.Height(), TRect{0, 0, src.Width(), src.Height()})) return;
  const sblend::TLanes lanes = sblend::WidestLanes();
  for (int y = 0; y < b.H; ++y) OverlayWithAlphaRow(dst.Row(b.DY + y) + b.DX, src.Row(b.SY + y) + b.SX, b.W, lanes);
}

TBitmap32 MakeLightStrip(const TBitmap32& picture, int length, int cross) {
  if (picture.Empty() || length <= 0 || cross <= 0) return {};
  int skip = cross < picture.Height() ? (picture.Height() - cross) / 2 + 1 : 0;
  if (skip >= picture.Height()) skip = 0;
  TBitmap32 strip(length, cross);
  ResamplePiece(picture, TRect{0, skip, picture.Width(), picture.Height()}, strip, TRect{0, 0, length, cross}, fkMitchell);
  return strip;
}
