// The two row kernels every integer blend is built on (internal to the painters; callers clip).
// Per byte: blend = (d·w + s·(256 − w)) >> 8, with w one weight for the whole row (weighted
// overlays) or the matching byte of a mask (mask blends). A TRowRule then says what is written:
// the blend with the KeepBits of d left as they were, SetBits set in every written pixel, and
// what becomes of key pixels of s (0x00FF00FF): blended like any other, d kept, one value, or
// the matching pixel of another row.
#pragma once
#include <cstdint>

namespace sblend {

inline constexpr std::uint32_t kKeyPixel = 0x00FF00FFu;

enum class TKeyRule {
  Blend,  // key pixels are blended like any other
  Keep,   // key pixels keep d
  Value,  // key pixels become KeyValue
  Under,  // key pixel i becomes Under[i]
};

struct TRowRule {
  std::uint32_t KeepBits = 0;
  std::uint32_t SetBits = 0;
  TKeyRule Key = TKeyRule::Blend;
  std::uint32_t KeyValue = 0;
  const std::uint32_t* Under = nullptr;  // as long as the row: whole steps of it are read
};

// How many pixels one step of the row loop takes: four (SSE2) everywhere, eight (AVX2) where
// the processor and the system support it. Both give the same pixels.
enum class TLanes { Four, Eight };
TLanes WidestLanes();

// d := the weighted blend of s over d with one weight w (0 … 256) for every byte, per rule.
void BlendRowConst(std::uint32_t* d, const std::uint32_t* s, int n, unsigned w, const TRowRule& rule,
                   TLanes lanes = WidestLanes());

// d := the mask blend of s over d, each byte weighted by the matching byte of mask, per rule.
void BlendRowMask(std::uint32_t* d, const std::uint32_t* s, const std::uint32_t* mask, int n, const TRowRule& rule,
                  TLanes lanes = WidestLanes());

// d[0 … n) := v. The C library has no fill of 32-bit values, and a portable loop stores four
// pixels at a time; this one stores sixteen (AVX-512) or eight (AVX2) where the processor and
// the system allow it, which is what brings a filled row near the speed of a block copy.
void FillRow(std::uint32_t* d, int n, std::uint32_t v);

}  // namespace sblend
