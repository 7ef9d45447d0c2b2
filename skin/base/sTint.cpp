#include "skin/base/sTint.h"

#include <cstring>

#include "skin/base/sColorMath.h"

using namespace scolor;

// Why integers may stand in for the double formula. With P = percent (0 … 100) the exact value
// x = (v·P + (100 − P)·c) / 100 is a multiple of 1/100. Unless it is a half it lies at least 0.01
// from the nearest half, far beyond the double formula's error, so both round it alike. At a half
// the double formula's rounding error decides, and it goes either way: exact half-even is what it
// gives for most colours (always for P = 25, 50, 75, whose products are exact), but not for all.
// So the integer form is half-even rounding, and the constructor compares it with the formula's
// tables at all 256 values of each channel: a channel may differ at one value upwards and one
// downwards, which the row loop corrects; otherwise the tables are used.
//
// Half-even rounding of x in integers: s = 100·x + 50 = 200·a + b (0 ≤ b < 200) and
// x + 1/2 = 2·a + b/100, so x rounds to 2·a for b < 100, to 2·a + 1 for b > 100, and b = 100 is the
// half between them that goes to the even 2·a. That is s / 200 + (s + 99) / 200. s + 99 is at
// most 100·255 + 50 + 99 < 2^16: the sums fit 16-bit lanes, and the division by a constant
// compiles to a multiply-high and shifts.
namespace {

constexpr std::uint16_t kNoValue = 0xFFFF;  // never a channel value

constexpr int HalfEven(int s) { return s / 200 + (s + 99) / 200; }

// One step works on P pixels seen as 2·P 16-bit halves (blue and green, red and alpha): the low
// bytes (blue, red) and the high bytes (green, alpha) are computed in separate vectors whose
// lanes alternate between the two channels, and put back together at the end.
template <int P>
struct TStep {
  typedef std::uint32_t Px __attribute__((vector_size(4 * P)));
  typedef std::uint16_t Half __attribute__((vector_size(4 * P)));
};

template <int P>
struct TLaneVectors {
  using Half = typename TStep<P>::Half;
  Half Mul, Add, Raise, Lower;
  TLaneVectors(const TTint::TLaneConstants& k, int first) {
    for (int l = 0; l < 2 * P; ++l) {
      Mul[l] = k.Mul[first + (l & 1)];
      Add[l] = k.Add[first + (l & 1)];
      Raise[l] = k.Raise[first + (l & 1)];
      Lower[l] = k.Lower[first + (l & 1)];
    }
  }
};

template <int P, bool Corrected>
[[gnu::always_inline]] inline void TintSteps(std::uint32_t* px, int n, const TTint::TLaneConstants& k, int& i) {
  using Px = typename TStep<P>::Px;
  using Half = typename TStep<P>::Half;
  const TLaneVectors<P> lanes[2] = {TLaneVectors<P>(k, 0), TLaneVectors<P>(k, 2)};
  for (; i + P <= n; i += P) {
    Px x;
    std::memcpy(&x, px + i, sizeof x);
    const Half h = (Half)x;
    const Half v[2] = {h & 0xFF, h >> 8};  // blue and red, green and alpha
    Half r[2];
    for (int j = 0; j < 2; ++j) {
      const TLaneVectors<P>& c = lanes[j];
      const Half s = v[j] * c.Mul + c.Add;
      r[j] = s / 200 + (s + 99) / 200;
      if constexpr (Corrected) {
        r[j] -= (Half)(v[j] == c.Raise);  // a comparison gives all ones (−1) where it holds
        r[j] += (Half)(v[j] == c.Lower);
      }
    }
    const Half out = r[0] | r[1] << 8;
    std::memcpy(px + i, &out, sizeof out);
  }
}

// A whole row: wide steps, then the tail one pixel at a time through the same arithmetic.
template <int P, bool Corrected>
[[gnu::always_inline]] inline void TintRowBy(std::uint32_t* px, int n, const TTint::TLaneConstants& k) {
  int i = 0;
  TintSteps<P, Corrected>(px, n, k, i);
  TintSteps<1, Corrected>(px, n, k, i);
}

void TintRowFour(std::uint32_t* px, int n, const TTint::TLaneConstants& k, bool corrected) {
  if (corrected) TintRowBy<4, true>(px, n, k);
  else TintRowBy<4, false>(px, n, k);
}

#if defined(__i386__) || defined(__x86_64__)
#define PRISMATONE_HAVE_AVX2_TINT 1
[[gnu::target("avx2")]] void TintRowEight(std::uint32_t* px, int n, const TTint::TLaneConstants& k, bool corrected) {
  if (corrected) TintRowBy<8, true>(px, n, k);
  else TintRowBy<8, false>(px, n, k);
}
#endif

}  // namespace

TTint::TTint(int percent, TColor color) {
  const TColor c = ColorToRGB(color);
  // The result of a channel depends only on its own value: one table per channel.
  const double p = percent / 100.0;
  const double q = 1.0 - p;
  for (int v = 0; v < 256; ++v) {
    b_[std::size_t(v)] = std::uint32_t(ClampByte(Round(p * v + q * ColB(c))));
    g_[std::size_t(v)] = std::uint32_t(ClampByte(Round(p * v + q * ColG(c)))) << 8;
    r_[std::size_t(v)] = std::uint32_t(ClampByte(Round(p * v + q * ColR(c)))) << 16;
  }
  if (PrepareIntegerForm(percent, c)) {
    bool corrected = false;
    for (int l = 0; l < 4; ++l) corrected = corrected || lanes_.Raise[l] != kNoValue || lanes_.Lower[l] != kNoValue;
    way_ = corrected ? TWay::Corrected : TWay::Integer;
  }
}

bool TTint::PrepareIntegerForm(int percent, TColor c) {
  if (percent < 0 || percent > 100) return false;
  // Lane position → the channel's colour byte and its table (alpha: 100 % of itself, no table).
  const int colour[3] = {ColB(c), ColR(c), ColG(c)};
  const std::array<std::uint32_t, 256>* tables[3] = {&b_, &r_, &g_};
  const int shifts[3] = {0, 16, 8};
  for (int l = 0; l < 3; ++l) {
    lanes_.Mul[l] = std::uint16_t(percent);
    lanes_.Add[l] = std::uint16_t((100 - percent) * colour[l] + 50);
    lanes_.Raise[l] = lanes_.Lower[l] = kNoValue;
    for (int v = 0; v < 256; ++v) {
      const int want = int((*tables[l])[std::size_t(v)] >> shifts[l]);
      const int diff = want - HalfEven(v * percent + lanes_.Add[l]);
      if (diff == 0) continue;
      std::uint16_t& slot = diff == 1 ? lanes_.Raise[l] : lanes_.Lower[l];
      if ((diff != 1 && diff != -1) || slot != kNoValue) return false;
      slot = std::uint16_t(v);
    }
  }
  lanes_.Mul[3] = 100;
  lanes_.Add[3] = 50;
  lanes_.Raise[3] = lanes_.Lower[3] = kNoValue;
  return true;
}

void TTint::Row(std::uint32_t* px, int n, sblend::TLanes lanes) const {
  if (n <= 0) return;
  if (way_ == TWay::Table) {
    for (; n > 0; --n, ++px) {
      const std::uint32_t v = *px;
      *px = (v & AlphaMask) | r_[(v >> 16) & 0xFF] | g_[(v >> 8) & 0xFF] | b_[v & 0xFF];
    }
    return;
  }
  const bool corrected = way_ == TWay::Corrected;
#if defined(PRISMATONE_HAVE_AVX2_TINT)
  if (lanes == sblend::TLanes::Eight && sblend::WidestLanes() == sblend::TLanes::Eight)
    return TintRowEight(px, n, lanes_, corrected);
#else
  (void)lanes;
#endif
  TintRowFour(px, n, lanes_, corrected);
}
