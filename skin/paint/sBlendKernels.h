// The two row kernels every integer blend is built on (internal to the painters; callers clip).
// Per byte: out = (d·w + s·(256 − w)) >> 8, with w one weight for the whole row (weighted
// overlays) or the matching byte of a mask (mask blends). All four bytes of each pixel are
// computed; callers decide what the alpha byte becomes. SSE2 does 16 bytes at a time where the
// target has it; the scalar loop gives the same bytes.
#pragma once
#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace sblend {

inline void BlendRowConst(const std::uint32_t* d, const std::uint32_t* s, std::uint32_t* out, int n, unsigned w) {
  const auto* db = reinterpret_cast<const std::uint8_t*>(d);
  const auto* sb = reinterpret_cast<const std::uint8_t*>(s);
  auto* ob = reinterpret_cast<std::uint8_t*>(out);
  int k = 0;
  const int e = 4 * n;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i wv = _mm_set1_epi16(short(w)), iwv = _mm_set1_epi16(short(256 - w));
  for (; k + 16 <= e; k += 16) {
    const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(db + k));
    const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sb + k));
    const __m128i lo = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(dv, zero), wv),
                                                    _mm_mullo_epi16(_mm_unpacklo_epi8(sv, zero), iwv)), 8);
    const __m128i hi = _mm_srli_epi16(_mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(dv, zero), wv),
                                                    _mm_mullo_epi16(_mm_unpackhi_epi8(sv, zero), iwv)), 8);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(ob + k), _mm_packus_epi16(lo, hi));
  }
#endif
  for (; k < e; ++k) ob[k] = std::uint8_t((db[k] * w + sb[k] * (256 - w)) >> 8);
}

inline void BlendRowMask(const std::uint32_t* d, const std::uint32_t* s, const std::uint32_t* mask, std::uint32_t* out,
                         int n) {
  const auto* db = reinterpret_cast<const std::uint8_t*>(d);
  const auto* sb = reinterpret_cast<const std::uint8_t*>(s);
  const auto* mb = reinterpret_cast<const std::uint8_t*>(mask);
  auto* ob = reinterpret_cast<std::uint8_t*>(out);
  int k = 0;
  const int e = 4 * n;
#if defined(__SSE2__)
  const __m128i zero = _mm_setzero_si128();
  const __m128i full = _mm_set1_epi16(256);
  for (; k + 16 <= e; k += 16) {
    const __m128i dv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(db + k));
    const __m128i sv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(sb + k));
    const __m128i mv = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mb + k));
    const __m128i ml = _mm_unpacklo_epi8(mv, zero), mh = _mm_unpackhi_epi8(mv, zero);
    const __m128i lo = _mm_srli_epi16(
        _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(dv, zero), ml),
                      _mm_mullo_epi16(_mm_unpacklo_epi8(sv, zero), _mm_sub_epi16(full, ml))), 8);
    const __m128i hi = _mm_srli_epi16(
        _mm_add_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(dv, zero), mh),
                      _mm_mullo_epi16(_mm_unpackhi_epi8(sv, zero), _mm_sub_epi16(full, mh))), 8);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(ob + k), _mm_packus_epi16(lo, hi));
  }
#endif
  for (; k < e; ++k) {
    const unsigned m = mb[k];
    ob[k] = std::uint8_t((db[k] * m + sb[k] * (256 - m)) >> 8);
  }
}

}  // namespace sblend
