// The colour arithmetic every painter shares: byte order conversions, the integer blends that
// divide by 256, Round (half to even) and Trunc (toward zero), and the per-colour mixers.
// Everything here is constexpr so that the exact results can be checked at compile time too.
#pragma once
#include <cstdint>

#include "framework/Types.h"

namespace scolor {

// A skin image's transparent pixel: fuchsia with alpha 0, compared as a whole 32-bit value.
inline constexpr std::uint32_t KeyPixel = 0x00FF00FFu;
inline constexpr std::uint32_t AlphaMask = 0xFF000000u;
inline constexpr std::uint32_t RgbMask = 0x00FFFFFFu;

// Colour value (0x00BBGGRR) <-> pixel (0xAARRGGBB): swap bytes 0 and 2, keep bytes 1 and 3.
constexpr std::uint32_t SwapRB(std::uint32_t v) {
  return (v & 0xFF00FF00u) | ((v & 0xFFu) << 16) | ((v >> 16) & 0xFFu);
}

// Channel access of a pixel (B, G, R, A in memory order).
constexpr int PixB(std::uint32_t p) { return int(p & 0xFF); }
constexpr int PixG(std::uint32_t p) { return int((p >> 8) & 0xFF); }
constexpr int PixR(std::uint32_t p) { return int((p >> 16) & 0xFF); }
constexpr int PixA(std::uint32_t p) { return int(p >> 24); }
constexpr std::uint32_t MakePixel(int r, int g, int b, int a) {
  return std::uint32_t(a & 0xFF) << 24 | std::uint32_t(r & 0xFF) << 16 | std::uint32_t(g & 0xFF) << 8 |
         std::uint32_t(b & 0xFF);
}
// Channel access of a colour value (red in the low byte).
constexpr int ColR(TColor c) { return int(c & 0xFF); }
constexpr int ColG(TColor c) { return int((c >> 8) & 0xFF); }
constexpr int ColB(TColor c) { return int((c >> 16) & 0xFF); }

constexpr int ClampByte(long long v) { return v < 0 ? 0 : v > 255 ? 255 : int(v); }

// The weighted blend of one channel: ((d − s)·w + s·256) >> 8. w is the weight of d (0 … 255);
// w = 0 gives s. For bytes and 0 ≤ w ≤ 256 the sum equals d·w + s·(256 − w) and is never negative.
constexpr int Blend256(int d, int s, int w) { return ((d - s) * w + s * 256) >> 8; }

// Trunc: toward zero, as the cast does; named so that the intent is visible at the call.
template <class F>
constexpr long long Trunc(F x) {
  return static_cast<long long>(x);
}

// Round: to the nearest integer, halves to the even neighbour (0.5 → 0, 1.5 → 2, −2.5 → −2).
template <class F>
constexpr long long Round(F x) {
  long long i = static_cast<long long>(x);
  if (static_cast<F>(i) > x) --i;  // floor
  const F frac = x - static_cast<F>(i);
  if (frac > F(0.5)) return i + 1;
  if (frac < F(0.5)) return i;
  return (i % 2 == 0) ? i : i + 1;
}

// Mixes two colour values channel by channel: Trunc(k·c1 + (1 − k)·c2) in extended precision;
// the top byte is that of c1. Callers pass k = percent / 100.0L. A k outside 0 … 1 is limited
// per channel to 0 … 255 so that no channel spills into its neighbour.
constexpr TColor InterpolateColor(TColor c1, TColor c2, long double k) {
  const long double q = 1.0L - k;
  const int r = ClampByte(Trunc(k * ColR(c1) + q * ColR(c2)));
  const int g = ClampByte(Trunc(k * ColG(c1) + q * ColG(c2)));
  const int b = ClampByte(Trunc(k * ColB(c1) + q * ColB(c2)));
  return (c1 & 0xFF000000u) | std::uint32_t(b) << 16 | std::uint32_t(g) << 8 | std::uint32_t(r);
}

// Colour tone: m = the largest of the three colour bytes; byte i of the result is
// (byte i of tone × m) >> 8, so the tone must be in the byte order of the value it is applied to.
// The top byte (alpha) is kept.
constexpr std::uint32_t ToneColor(std::uint32_t pixel, std::uint32_t tone) {
  int m = PixB(pixel);
  if (PixG(pixel) > m) m = PixG(pixel);
  if (PixR(pixel) > m) m = PixR(pixel);
  const std::uint32_t b0 = ((tone & 0xFF) * std::uint32_t(m)) >> 8;
  const std::uint32_t b1 = (((tone >> 8) & 0xFF) * std::uint32_t(m)) >> 8;
  const std::uint32_t b2 = (((tone >> 16) & 0xFF) * std::uint32_t(m)) >> 8;
  return (pixel & AlphaMask) | b2 << 16 | b1 << 8 | b0;
}

// Grey level: (R + G + B) div 3 in all three channels, alpha kept.
constexpr std::uint32_t GrayPixel(std::uint32_t p) {
  const std::uint32_t v = std::uint32_t(PixR(p) + PixG(p) + PixB(p)) / 3;
  return (p & AlphaMask) | v << 16 | v << 8 | v;
}

}  // namespace scolor

using scolor::InterpolateColor;
using scolor::ToneColor;

// The disabled look: the saturation change applied to a disabled control (−100 would select plain
// grey-scale instead) and the share of its own pixels that stays visible over its background.
inline constexpr int DefDisabledSaturation = -90;
inline constexpr double DefDisabledBlend = 0.4;
