// The two row kernels every integer blend is built on (internal to the painters; callers clip).
// Per byte: blend = (d·w + s·(256 − w)) >> 8, with w one weight for the whole row (weighted
// overlays) or the matching byte of a mask (mask blends). The result is written back into d as
// (blend & ~keep) | (d & keep) | set, where keep holds keepBits, plus the whole pixel for key
// pixels of s when keyKeeps is set. SSE2 does 4 pixels at a time where the target has it; the
// scalar loop gives the same pixels.
#pragma once
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace sblend {

inline constexpr std::uint32_t kKeyPixel = 0x00FF00FFu;

// The bytes of one pixel through the scalar formula.
inline std::uint32_t BlendPixel(std::uint32_t d, std::uint32_t s, std::uint32_t m) {
  std::uint32_t out = 0;
  for (int sh = 0; sh < 32; sh += 8) {
    const std::uint32_t db = (d >> sh) & 0xFF, sb = (s >> sh) & 0xFF, mb = (m >> sh) & 0xFF;
    out |= ((db * mb + sb * (256 - mb)) >> 8) << sh;
  }
  return out;
}

inline std::uint32_t Finish(std::uint32_t d, std::uint32_t s, std::uint32_t blend, std::uint32_t keepBits,
                            std::uint32_t setBits, bool keyKeeps) {
  const std::uint32_t keep = keepBits | (keyKeeps && s == kKeyPixel ? 0xFFFFFFFFu : 0u);
  return (blend & ~keep) | (d & keep) | setBits;
}

#if defined(__SSE2__)
inline __m128i BlendHalf(__m128i d16, __m128i s16, __m128i w16) {
  const __m128i full = _mm_set1_epi16(256);
  return _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(d16, w16), _mm_mullo_epi16(s16, _mm_sub_epi16(full, w16))), 8);
}
inline __m128i Blend4(__m128i dv, __m128i sv, __m128i mv) {
  const __m128i zero = _mm_setzero_si128();
  return _mm_packus_epi16(BlendHalf(_mm_unpacklo_epi8(dv, zero), _mm_unpacklo_epi8(sv, zero), _mm_unpacklo_epi8(mv, zero)),
                          BlendHalf(_mm_unpackhi_epi8(dv, zero), _mm_unpackhi_epi8(sv, zero), _mm_unpackhi_epi8(mv, zero)));
}
inline __m128i Finish4(__m128i dv, __m128i sv, __m128i blend, __m128i keepBits, __m128i setBits, bool keyKeeps) {
  __m128i keep = keepBits;
  if (keyKeeps) keep = _mm_or_si128(keep, _mm_cmpeq_epi32(sv, _mm_set1_epi32(int(kKeyPixel))));
  return _mm_or_si128(_mm_or_si128(_mm_andnot_si128(keep, blend), _mm_and_si128(dv, keep)), setBits);
}
#endif

// d := finish of the blend of s over d with one weight w (0 … 256) for every colour byte.
inline void BlendRowConst(std::uint32_t* d, const std::uint32_t* s, int n, unsigned w, std::uint32_t keepBits,
                          std::uint32_t setBits, bool keyKeeps) {
  int i = 0;
  const std::uint32_t wm = w >= 256 ? 0xFFFFFFFFu : w * 0x01010101u;  // only used below 256
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i wv = _mm_set1_epi16(short(w)), kv = _mm_set1_epi32(int(keepBits)), sv2 = _mm_set1_epi32(int(setBits));
  for (; i + 4 <= n; i += 4) {
    const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
    const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    const __m128i blend = _mm_packus_epi16(BlendHalf(_mm_unpacklo_epi8(dv, zero), _mm_unpacklo_epi8(sv, zero), wv),
                                           BlendHalf(_mm_unpackhi_epi8(dv, zero), _mm_unpackhi_epi8(sv, zero), wv));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), Finish4(dv, sv, blend, kv, sv2, keyKeeps));
  }
#endif
  for (; i < n; ++i) {
    const std::uint32_t blend = w >= 256 ? d[i] : BlendPixel(d[i], s[i], wm);
    d[i] = Finish(d[i], s[i], blend, keepBits, setBits, keyKeeps);
  }
}

// d := finish of the mask blend of s over d, each byte weighted by the matching mask byte.
inline void BlendRowMask(std::uint32_t* d, const std::uint32_t* s, const std::uint32_t* mask, int n,
                         std::uint32_t keepBits, std::uint32_t setBits, bool keyKeeps) {
  int i = 0;
#if defined(__SSE2__)
  const __m128i kv = _mm_set1_epi32(int(keepBits)), sv2 = _mm_set1_epi32(int(setBits));
  for (; i + 4 <= n; i += 4) {
    const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(d + i));
    const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i));
    const __m128i mv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i), Finish4(dv, sv, Blend4(dv, sv, mv), kv, sv2, keyKeeps));
  }
#endif
  for (; i < n; ++i) d[i] = Finish(d[i], s[i], BlendPixel(d[i], s[i], mask[i]), keepBits, setBits, keyKeeps);
}

}  // namespace sblend
