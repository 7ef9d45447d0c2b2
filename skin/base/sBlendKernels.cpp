#include "skin/base/sBlendKernels.h"

#include <cstring>

namespace sblend {
namespace {

// One step of the row loop works on P pixels held in a vector register, seen either as P
// 32-bit pixels or as 2·P 16-bit halves. Each half holds two channel bytes: the even byte is
// blended in the low half of the lane, the odd byte in place in the high half. No byte ever
// has to be unpacked or packed again, so the loop is plain arithmetic, and the same code is
// built for four-pixel (SSE2), eight-pixel (AVX2) and one-pixel (row tail) steps.
//
// The blend of one byte uses X = s·256 + (d − s)·w. X equals d·w + s·(256 − w), which lies in
// 0 … 65280 for bytes and 0 ≤ w ≤ 256, so computing it modulo 2^16 (unsigned halves wrap)
// gives X exactly, and the result byte is X >> 8. (A cast between the two views of a register
// reinterprets its bits.)
template <int P>
struct TStep {
  typedef std::uint32_t Px __attribute__((vector_size(4 * P)));
  typedef std::uint16_t Half __attribute__((vector_size(4 * P)));
};

template <int P, TKeyRule K, bool PerByte>
[[gnu::always_inline]] inline void BlendSteps(std::uint32_t* d, const std::uint32_t* s, const std::uint32_t* mask,
                                              unsigned w, int n, const TRowRule& rule, int& i) {
  using Px = typename TStep<P>::Px;
  using Half = typename TStep<P>::Half;
  const Half lo = Half{} + 0x00FF, hi = Half{} + 0xFF00;
  const Px keep = Px{} + rule.KeepBits, set = Px{} + rule.SetBits, keyPixel = Px{} + kKeyPixel;
  const Px keyValue = Px{} + (rule.KeyValue | rule.SetBits);
  Half wEven = Half{} + std::uint16_t(w), wOdd = wEven;
  for (; i + P <= n; i += P) {
    Px dp, sp;
    std::memcpy(&dp, d + i, sizeof dp);
    std::memcpy(&sp, s + i, sizeof sp);
    if constexpr (PerByte) {
      Px mp;
      std::memcpy(&mp, mask + i, sizeof mp);
      wEven = (Half)(mp) & lo;
      wOdd = (Half)(mp) >> 8;
    }
    const Half dh = (Half)(dp), sh = (Half)(sp);
    const Half even = ((sh << 8) + ((dh & lo) - (sh & lo)) * wEven) >> 8;
    const Half odd = ((sh & hi) + ((dh >> 8) - (sh >> 8)) * wOdd) & hi;
    const Px blend = (Px)(even | odd);
    Px out;
    if constexpr (K == TKeyRule::Blend) {
      out = (blend & ~keep) | (dp & keep) | set;
    } else {
      const auto key = sp == keyPixel;  // all ones in the lanes of key pixels
      if constexpr (K == TKeyRule::Keep) {
        const Px kept = keep | (Px)key;
        out = (blend & ~kept) | (dp & kept) | set;
      } else {
        Px alt = keyValue;
        if constexpr (K == TKeyRule::Under) {
          std::memcpy(&alt, rule.Under + i, sizeof alt);
          alt |= set;
        }
        out = key ? alt : (blend & ~keep) | (dp & keep) | set;
      }
    }
    std::memcpy(d + i, &out, sizeof out);
  }
}

// A whole row: wide steps, then the tail one pixel at a time through the same arithmetic.
template <int P, TKeyRule K, bool PerByte>
[[gnu::always_inline]] inline void BlendRowBy(std::uint32_t* d, const std::uint32_t* s, const std::uint32_t* mask,
                                              unsigned w, int n, const TRowRule& rule) {
  int i = 0;
  BlendSteps<P, K, PerByte>(d, s, mask, w, n, rule, i);
  BlendSteps<1, K, PerByte>(d, s, mask, w, n, rule, i);
}

template <int P, bool PerByte>
[[gnu::always_inline]] inline void BlendRow(std::uint32_t* d, const std::uint32_t* s, const std::uint32_t* mask,
                                            unsigned w, int n, const TRowRule& rule) {
  switch (rule.Key) {
    case TKeyRule::Blend: return BlendRowBy<P, TKeyRule::Blend, PerByte>(d, s, mask, w, n, rule);
    case TKeyRule::Keep: return BlendRowBy<P, TKeyRule::Keep, PerByte>(d, s, mask, w, n, rule);
    case TKeyRule::Value: return BlendRowBy<P, TKeyRule::Value, PerByte>(d, s, mask, w, n, rule);
    case TKeyRule::Under: return BlendRowBy<P, TKeyRule::Under, PerByte>(d, s, mask, w, n, rule);
  }
}

void BlendRowFour(std::uint32_t* d, const std::uint32_t* s, const std::uint32_t* mask, unsigned w, int n,
                  const TRowRule& rule) {
  if (mask) BlendRow<4, true>(d, s, mask, w, n, rule);
  else BlendRow<4, false>(d, s, nullptr, w, n, rule);
}

#if defined(__i386__) || defined(__x86_64__)
#define PRISMATONE_HAVE_AVX2_STEPS 1
[[gnu::target("avx2")]] void BlendRowEight(std::uint32_t* d, const std::uint32_t* s, const std::uint32_t* mask,
                                           unsigned w, int n, const TRowRule& rule) {
  if (mask) BlendRow<8, true>(d, s, mask, w, n, rule);
  else BlendRow<8, false>(d, s, nullptr, w, n, rule);
}
#endif

void Dispatch(std::uint32_t* d, const std::uint32_t* s, const std::uint32_t* mask, unsigned w, int n,
              const TRowRule& rule, TLanes lanes) {
  if (n <= 0) return;
#if defined(PRISMATONE_HAVE_AVX2_STEPS)
  if (lanes == TLanes::Eight && WidestLanes() == TLanes::Eight) return BlendRowEight(d, s, mask, w, n, rule);
#endif
  BlendRowFour(d, s, mask, w, n, rule);
}

// A fill in steps of P pixels: one step where the row starts, then steps on boundaries of the
// step's size (a store across two cache lines costs two), the last step ending at n. Steps may
// overlap, writing the same value twice: no pixel-by-pixel head or tail. n ≥ P.
template <int P>
[[gnu::always_inline]] inline void FillSteps(std::uint32_t* d, int n, std::uint32_t v) {
  using Px = typename TStep<P>::Px;
  const Px value = Px{} + v;
  std::memcpy(d, &value, sizeof value);
  const auto start = reinterpret_cast<std::uintptr_t>(d);
  const std::uintptr_t aligned = (start + sizeof value) & ~std::uintptr_t(sizeof value - 1);
  int i = int((aligned - start) / sizeof(std::uint32_t));
  for (; i + P <= n; i += P) std::memcpy(d + i, &value, sizeof value);
  if (i < n) std::memcpy(d + n - P, &value, sizeof value);
}

#if defined(PRISMATONE_HAVE_AVX2_STEPS)
[[gnu::target("avx512f")]] void FillRowSixteen(std::uint32_t* d, int n, std::uint32_t v) { FillSteps<16>(d, n, v); }
[[gnu::target("avx2")]] void FillRowEight(std::uint32_t* d, int n, std::uint32_t v) { FillSteps<8>(d, n, v); }
#endif

}  // namespace

TLanes WidestLanes() {
#if defined(PRISMATONE_HAVE_AVX2_STEPS)
  // The check also asks the system whether it saves the wide registers; the answer is read
  // once at start-up by the compiler's run-time library, so this is a load and a test.
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2")) return TLanes::Eight;
#endif
  return TLanes::Four;
}

void BlendRowConst(std::uint32_t* d, const std::uint32_t* s, int n, unsigned w, const TRowRule& rule, TLanes lanes) {
  Dispatch(d, s, nullptr, w > 256 ? 256 : w, n, rule, lanes);
}

void BlendRowMask(std::uint32_t* d, const std::uint32_t* s, const std::uint32_t* mask, int n, const TRowRule& rule,
                  TLanes lanes) {
  Dispatch(d, s, mask, 0, n, rule, lanes);
}

void FillRow(std::uint32_t* d, int n, std::uint32_t v) {
#if defined(PRISMATONE_HAVE_AVX2_STEPS)
  // A load and a test each: the run-time library reads the processor's features (and whether the
  // system saves the wide registers) before any constructor of ours runs; before that they read
  // as absent, which only means the narrow form.
  if (n >= 16 && __builtin_cpu_supports("avx512f")) return FillRowSixteen(d, n, v);
  if (n >= 8 && __builtin_cpu_supports("avx2")) return FillRowEight(d, n, v);
#endif
  if (n >= 4) return FillSteps<4>(d, n, v);
  for (int i = 0; i < n; ++i) d[i] = v;
}

}  // namespace sblend
