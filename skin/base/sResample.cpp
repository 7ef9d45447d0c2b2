#include "skin/base/sResample.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "skin/base/sClip.h"
#include "skin/base/sColorMath.h"

using scolor::Round;

double ResampleFilterSupport(int filter) {
  switch (filter) {
    case fkBox: return 0.51;
    case fkTriangle: case fkHermite: return 1.0;
    case fkBell: return 1.5;
    case fkBSpline: case fkMitchell: return 2.0;
    case fkLanczos3: return 3.0;
    default: return 0.0;
  }
}

double ResampleFilterValue(int filter, double d) {
  const double x = std::fabs(d);
  switch (filter) {
    case fkBox:
      return (d > -0.5 && d <= 0.5) ? 1.0 : 0.0;
    case fkTriangle:
      return x < 1.0 ? 1.0 - x : 0.0;
    case fkHermite:
      return x < 1.0 ? x * x * (2 * x - 3) + 1 : 0.0;
    case fkBell:
      if (x < 0.5) return 0.75 - x * x;
      if (x < 1.5) return (x - 1.5) * (x - 1.5) / 2;
      return 0.0;
    case fkBSpline:
      if (x < 1.0) return x * x * (x / 2 - 1) + 2.0 / 3.0;
      if (x < 2.0) return (2 - x) * (2 - x) * (2 - x) / 6;
      return 0.0;
    case fkLanczos3: {
      if (x == 0.0) return 1.0;
      if (x >= 3.0) return 0.0;
      const double pi = std::numbers::pi;
      // The window is sin(x)/x, as the skins were made with, not the textbook sin(πx/3)/(πx/3).
      return std::sin(pi * x) * std::sin(x) / (pi * x * x);
    }
    case fkMitchell:
      if (x < 1.0) return x * x * (7.0 * x / 6.0 - 2.0) + 8.0 / 9.0;
      if (x < 2.0) return x * x * (2.0 - 7.0 * x / 18.0) - 10.0 * x / 3.0 + 16.0 / 9.0;
      return 0.0;
    default:
      return 0.0;
  }
}

namespace {

// Appends the contributors of destination sample i to out (see ResampleContributors).
void AppendContributors(int filter, int n, int m, int i, std::vector<TResampleContributor>& out) {
  const double s = ResampleFilterSupport(filter);
  if (n <= 0 || m <= 0 || s <= 0) return;
  const double scale = m < n ? double(m) / n : 1.0;
  const double half = s / scale;
  const float c = float(double(i) * n / m);
  const long long hi = (long long)std::ceil(double(c) + half), lo = (long long)std::floor(double(c) - half);
  for (long long j = hi; j >= lo; --j) {
    const double d = (double(c) - double(j)) * scale;
    if (std::fabs(d) >= s) continue;
    const double v = ResampleFilterValue(filter, d);
    if (v == 0.0) continue;
    long long k = j < 0 ? -j : j >= n ? 2LL * n - 1 - j : j;
    k = std::clamp<long long>(k, 0, n - 1);
    out.push_back({int(k), std::int32_t(Round(v * scale * 65536.0))});
  }
}

}  // namespace

std::vector<TResampleContributor> ResampleContributors(int filter, int n, int m, int i) {
  std::vector<TResampleContributor> out;
  AppendContributors(filter, n, m, i, out);
  return out;
}

namespace {

// One contributor of a pass in the form the pixel arithmetic below multiplies with.
template <class TWeight>
struct TTap {
  TWeight W;
  int Index;
};

#if defined(__SSE2__)
// A pixel ready for multiplying holds each channel c as the 16-bit pair (c, 128·c). A weight w
// is split as lo + 128·hi (lo = w & 127, hi = w >> 7, both fit 16 bits for the |w| ≤ 65536 the
// filters give), so one multiply-add of pairs, c·lo + 128·c·hi, is c·w exactly, for the four
// channels at once. Sums are the same 32-bit integers the plain form below computes.
struct TSpread {
  __m128i V;
};
struct TWeight {
  __m128i V;
};
using TSum = __m128i;

inline TSpread Spread(std::uint32_t p) {
  const __m128i c = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(p)), _mm_setzero_si128());
  return TSpread{_mm_unpacklo_epi16(c, _mm_slli_epi16(c, 7))};
}
// Two neighbouring pixels at once.
inline void SpreadTwo(const std::uint32_t* p, TSpread* out) {
  const __m128i c = _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), _mm_setzero_si128());
  const __m128i c128 = _mm_slli_epi16(c, 7);
  out[0].V = _mm_unpacklo_epi16(c, c128);
  out[1].V = _mm_unpackhi_epi16(c, c128);
}
// A sum limited as Pack does, held ready for the next pass without going through a pixel.
inline TSpread SpreadSum(TSum s) {
  const __m128i v = _mm_srai_epi32(s, 16);
  const __m128i c = _mm_min_epi16(_mm_max_epi16(_mm_packs_epi32(v, v), _mm_setzero_si128()), _mm_set1_epi16(255));
  return TSpread{_mm_unpacklo_epi16(c, _mm_slli_epi16(c, 7))};
}
inline TWeight WeightOf(std::int32_t w) {
  const std::uint32_t pair = std::uint32_t(w & 127) | std::uint32_t(w >> 7) << 16;
  return TWeight{_mm_set1_epi32(int(pair))};
}
inline TSum Zero() { return _mm_setzero_si128(); }
inline TSum MulAdd(TSum acc, TSpread p, TWeight w) { return _mm_add_epi32(acc, _mm_madd_epi16(p.V, w.V)); }
// Each channel limited as the plain form's ChannelOut does: sum >> 16 held to 0 … 255 by the
// saturating packs.
inline std::uint32_t Pack(TSum s) {
  const __m128i v = _mm_srai_epi32(s, 16);
  const __m128i h = _mm_packs_epi32(v, v);
  return std::uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(h, h)));
}
#else
struct TSpread {
  std::int32_t C[4];
};
using TSum = TSpread;
using TWeight = std::int32_t;

inline TSpread Spread(std::uint32_t p) {
  return TSpread{
      {std::int32_t(p & 0xFF), std::int32_t(p >> 8 & 0xFF), std::int32_t(p >> 16 & 0xFF), std::int32_t(p >> 24)}};
}
inline void SpreadTwo(const std::uint32_t* p, TSpread* out) {
  out[0] = Spread(p[0]);
  out[1] = Spread(p[1]);
}
inline TWeight WeightOf(std::int32_t w) { return w; }
inline TSum Zero() { return TSum{}; }
inline TSum MulAdd(TSum acc, TSpread p, TWeight w) {
  for (int c = 0; c < 4; ++c) acc.C[c] += p.C[c] * w;
  return acc;
}
inline std::uint32_t ChannelOut(std::int32_t sum) {
  if (sum < 0) return 0;
  if (sum >= 0xFF0001) return 255;
  return std::uint32_t(sum) >> 16;
}
inline std::uint32_t Pack(TSum s) {
  return ChannelOut(s.C[3]) << 24 | ChannelOut(s.C[2]) << 16 | ChannelOut(s.C[1]) << 8 | ChannelOut(s.C[0]);
}
inline TSpread SpreadSum(TSum s) { return Spread(Pack(s)); }
#endif

// All contributors of one pass: sample i uses the first Count[i] of Taps[i·Width … (i + 1)·Width),
// Width being the most any sample has.
struct TPassWeights {
  int Filter = -1, N = 0, M = 0, Width = 0;
  std::vector<TTap<TWeight>> Taps;
  std::vector<int> Count;
};

void MakePassWeights(int filter, int n, int m, TPassWeights& p) {
  p.Filter = filter;
  p.N = n;
  p.M = m;
  p.Width = 0;
  std::vector<int> start;
  std::vector<TResampleContributor> items;
  start.reserve(std::size_t(m) + 1);
  items.reserve(std::size_t(m) * 8);
  for (int i = 0; i < m; ++i) {
    start.push_back(int(items.size()));
    AppendContributors(filter, n, m, i, items);
    p.Width = std::max(p.Width, int(items.size()) - start.back());
  }
  start.push_back(int(items.size()));
  p.Taps.assign(std::size_t(m) * std::size_t(p.Width), TTap<TWeight>{WeightOf(0), 0});
  p.Count.assign(std::size_t(m), 0);
  for (int i = 0; i < m; ++i) p.Count[std::size_t(i)] = start[std::size_t(i) + 1] - start[std::size_t(i)];
  for (int i = 0; i < m; ++i) {
    TTap<TWeight>* taps = p.Taps.data() + std::size_t(i) * std::size_t(p.Width);
    for (int k = start[std::size_t(i)]; k < start[std::size_t(i) + 1]; ++k, ++taps)
      *taps = TTap<TWeight>{WeightOf(items[std::size_t(k)].Weight), items[std::size_t(k)].Index};
  }
}

// The weight tables of the last few passes. They depend only on (filter, n, m), and the frame
// edges of a window ask for the same few sizes on every paint, where working them out (a filter
// polynomial, a rounding and a mirror per contributor) costs more than the resampling itself.
// The least recently used table is replaced, so the one a call fetched for its other pass just
// before is never the one dropped. Very long sides are not kept; they use `local`.
const TPassWeights& PassWeights(int filter, int n, int m, TPassWeights& local) {
  constexpr int kKeptSide = 4096;
  if (m > kKeptSide || n > kKeptSide) {
    MakePassWeights(filter, n, m, local);
    return local;
  }
  struct TEntry {
    TPassWeights Weights;
    unsigned long long Used = 0;
  };
  thread_local std::array<TEntry, 8> memo;
  thread_local unsigned long long clock = 0;
  ++clock;
  TEntry* oldest = &memo[0];
  for (TEntry& e : memo) {
    if (e.Used && e.Weights.Filter == filter && e.Weights.N == n && e.Weights.M == m) {
      e.Used = clock;
      return e.Weights;
    }
    if (e.Used < oldest->Used) oldest = &e;
  }
  MakePassWeights(filter, n, m, oldest->Weights);
  oldest->Used = clock;
  return oldest->Weights;
}

// Working memory of a call: on the stack up to N elements (the frame pieces of a window), on the
// heap beyond.
template <class T, std::size_t N>
class TScratch {
 public:
  explicit TScratch(std::size_t n) : heap_(n > N ? n : 0), data_(n > N ? heap_.data() : local_) {}
  TScratch(const TScratch&) = delete;
  TScratch& operator=(const TScratch&) = delete;
  T* Data() { return data_; }

 private:
  T local_[N];
  std::vector<T> heap_;
  T* data_;
};

// One pass over a plane of ready samples: for the output samples first … first + count − 1 and
// every lane j of the other axis, the sum of w·in[index·indexStride + j·laneStride] over the
// sample's contributors, handed to emit(sample − first, j, sum). Lanes go up to eight at a time:
// each contributor's index and weight are loaded once for all of them, and their sums do not
// wait for one another.
template <int L, class Emit>
[[gnu::always_inline]] inline void PassLanes(const TTap<TWeight>* taps, int count, const TSpread* in,
                                             std::size_t indexStride, std::size_t laneStride, int i, int j,
                                             Emit& emit) {
  TSum acc[L];
  for (int l = 0; l < L; ++l) acc[l] = Zero();
  for (int k = 0; k < count; ++k) {
    const TSpread* p = in + std::size_t(taps[k].Index) * indexStride + std::size_t(j) * laneStride;
    for (int l = 0; l < L; ++l) acc[l] = MulAdd(acc[l], p[std::size_t(l) * laneStride], taps[k].W);
  }
  for (int l = 0; l < L; ++l) emit(i, j + l, acc[l]);
}

template <class Emit>
void RunPass(const TPassWeights& w, int first, int count, const TSpread* in, std::size_t indexStride,
             std::size_t laneStride, int lanes, Emit&& emit) {
  for (int i = 0; i < count; ++i) {
    const TTap<TWeight>* taps = w.Taps.data() + std::size_t(first + i) * std::size_t(w.Width);
    const int n = w.Count[std::size_t(first + i)];
    int j = 0;
    for (; j + 8 <= lanes; j += 8) PassLanes<8>(taps, n, in, indexStride, laneStride, i, j, emit);
    switch (lanes - j) {
      case 7: PassLanes<7>(taps, n, in, indexStride, laneStride, i, j, emit); break;
      case 6: PassLanes<6>(taps, n, in, indexStride, laneStride, i, j, emit); break;
      case 5: PassLanes<5>(taps, n, in, indexStride, laneStride, i, j, emit); break;
      case 4: PassLanes<4>(taps, n, in, indexStride, laneStride, i, j, emit); break;
      case 3: PassLanes<3>(taps, n, in, indexStride, laneStride, i, j, emit); break;
      case 2: PassLanes<2>(taps, n, in, indexStride, laneStride, i, j, emit); break;
      case 1: PassLanes<1>(taps, n, in, indexStride, laneStride, i, j, emit); break;
      default: break;
    }
  }
}

}  // namespace

void ResamplePiece(const TBitmap32& src, const TRect& s, TBitmap32& dst, const TRect& d, int filter) {
  const int sw = s.Width(), sh = s.Height(), dw = d.Width(), dh = d.Height();
  if (sw <= 0 || sh <= 0 || dw <= 0 || dh <= 0 || ResampleFilterSupport(filter) <= 0) return;
  if (s.Left < 0 || s.Top < 0 || s.Right > src.Width() || s.Bottom > src.Height()) return;
  const TRect vis = sclip::Intersect(d, dst.Width(), dst.Height());
  if (sclip::IsEmpty(vis)) return;
  // The piece as read: a side of 1 pixel repeats it, the resampler needs 2 samples.
  const int pw = std::max(2, sw), ph = std::max(2, sh);
  auto pieceRow = [&](int y) { return src.Row(s.Top + std::min(y, sh - 1)) + s.Left; };
  const int x0 = vis.Left - d.Left, cols = vis.Width();
  if (dw == pw && dh == ph) {
    for (int y = vis.Top; y < vis.Bottom; ++y) {
      const std::uint32_t* row = pieceRow(y - d.Top);
      std::uint32_t* out = dst.Row(y) + vis.Left;
      for (int x = 0; x < cols; ++x) out[x] = row[std::min(x0 + x, sw - 1)];
    }
    return;
  }
  TPassWeights hLocal, vLocal;
  const TPassWeights& hw = PassWeights(filter, pw, dw, hLocal);
  const TPassWeights& vw = PassWeights(filter, ph, dh, vLocal);
  // Horizontal pass, for the visible columns only, eight source rows at a time: row y of mid is
  // source row y scaled, its channels limited to bytes and held ready for the vertical pass.
  // Every source row is read before anything is written, so dst may share src's pixels.
  const std::size_t midStride = std::size_t(cols), blockStride = std::size_t(pw);
  TScratch<TSpread, 1024> mid{midStride * std::size_t(ph)};
  TScratch<TSpread, 1024> block{blockStride * 8};
  for (int y0 = 0; y0 < ph; y0 += 8) {
    const int rows = std::min(8, ph - y0);
    for (int r = 0; r < rows; ++r) {
      const std::uint32_t* row = pieceRow(y0 + r);
      TSpread* line = block.Data() + std::size_t(r) * blockStride;
      int x = 0;
      for (; x + 2 <= sw; x += 2) SpreadTwo(row + x, line + x);
      for (; x < sw; ++x) line[x] = Spread(row[x]);
      for (; x < pw; ++x) line[x] = line[sw - 1];
    }
    TSpread* out = mid.Data() + std::size_t(y0) * midStride;
    RunPass(hw, x0, cols, block.Data(), 1, blockStride, rows,
            [&](int i, int r, TSum sum) { out[std::size_t(r) * midStride + std::size_t(i)] = SpreadSum(sum); });
  }
  // Vertical pass: the visible output rows, each from the rows of mid its contributors name.
  RunPass(vw, vis.Top - d.Top, vis.Height(), mid.Data(), midStride, 1, cols,
          [&](int i, int x, TSum sum) { dst.Row(vis.Top + i)[vis.Left + x] = Pack(sum); });
}

void ResampleBitmap(const TBitmap32& src, TBitmap32& dst, int newWidth, int filter, int newHeight) {
  if (newWidth <= 0 || newHeight <= 0 || src.Width() <= 1 || src.Height() <= 1) return;
  if (ResampleFilterSupport(filter) <= 0) return;
  const int sw = src.Width(), sh = src.Height();
  if (newWidth == sw && newHeight == sh) {
    if (&dst == &src) return;
    if (dst.Width() != sw || dst.Height() != sh) dst.SetSize(sw, sh);
    for (int y = 0; y < sh; ++y) std::copy(src.Row(y), src.Row(y) + sw, dst.Row(y));
    return;
  }
  if (dst.Width() == newWidth && dst.Height() == newHeight && &dst != &src)
    return ResamplePiece(src, sclip::Whole(src), dst, sclip::Whole(dst), filter);
  TBitmap32 out(newWidth, newHeight);
  ResamplePiece(src, sclip::Whole(src), out, sclip::Whole(out), filter);
  dst = std::move(out);
}
