#include "skin/controls/sLabelGlow.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "skin/base/sColorMath.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

void TLabelGlow::Prepare(int width, int height) {
  const std::uint64_t p = std::uint64_t(std::max(0, width)) + 2, q = std::uint64_t(std::max(0, height)) + 2;
  // 64-bit arithmetic: in the 32-bit program the product of two large sides wraps.
  const std::uint64_t need = p * q;
  if (need > (std::uint64_t(1) << 30)) throw std::length_error("Bitmap too large");
  if (2 * need > capacity_) {
    bits_ = std::make_unique<std::uint8_t[]>(std::size_t(2 * need));
    capacity_ = std::size_t(2 * need);
  }
  if (p > sumsCapacity_) {
    sums_ = std::make_unique<std::uint16_t[]>(std::size_t(p));
    sumsCapacity_ = std::size_t(p);
  }
  pitch_ = std::size_t(p);
  rows_ = std::size_t(q);
  std::memset(bits_.get(), 0, std::size_t(need));
}

void TLabelGlow::Stamp(const TBitmap32& text) {
  const int w = std::min<int>(text.Width(), int(pitch_) - 2), h = std::min<int>(text.Height(), int(rows_) - 2);
  for (int y = 0; y < h; ++y) {
    const std::uint32_t* src = text.Row(y);
    std::uint8_t* dst = Row(y + 1) + 1;
    for (int x = 0; x < w; ++x) dst[x] = (src[x] & 0xFF) ? std::uint8_t(255) : dst[x];
  }
}

// The pass is a recurrence along the row: each byte depends on the one just written to its left.
// Because floor((a + floor(z / m)) / 4) = floor((m·a + z) / (4·m)), the k-th byte of a block
// follows from the byte left of the block at once: with t the sum of a byte's other neighbours,
// byte k = (S_k + left) >> 2(k + 1), S_k = Σ_{j ≤ k} 4^j · t_j. The S do not depend on the row's
// new bytes, so only one add and one shift per block stay in the chain from block to block, and
// everything else runs in parallel. The results are the same bytes as byte-by-byte.
namespace {

#if defined(__SSE2__)
// One row in blocks of eight bytes: two blocks of four, whose sums fit 16-bit lanes (t_j ≤ 765,
// so S_3 + left ≤ 65280). The neighbours' sums are made here from the rows' bytes: the right
// neighbours read are still the last pass's, as the block's own bytes are written only after.
// The shifts by 2(k + 1), different in every lane, are high-half multiplications by 2^(16 − 2(k + 1)).
// Returns the first column not done.
int SweepBlocks(const std::uint8_t* up, const std::uint8_t* down, std::uint8_t* cur, int n, unsigned& left) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i weights = _mm_setr_epi16(1, 4, 16, 64, 1, 4, 16, 64);
  const __m128i shifts = _mm_setr_epi16(1 << 14, 1 << 12, 1 << 10, 1 << 8, 1 << 14, 1 << 12, 1 << 10, 1 << 8);
  const auto load = [&](const std::uint8_t* p) {
    return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(p)), zero);
  };
  int x = 1;
  for (; x + 7 <= n; x += 8) {
    const __m128i t = _mm_add_epi16(_mm_add_epi16(load(up + x), load(down + x)), load(cur + x + 1));
    __m128i sums = _mm_mullo_epi16(t, weights);
    sums = _mm_add_epi16(sums, _mm_slli_epi64(sums, 16));
    sums = _mm_add_epi16(sums, _mm_slli_epi64(sums, 32));
    const unsigned first = left, second = (unsigned(_mm_extract_epi16(sums, 3)) + first) >> 8;
    left = (unsigned(_mm_extract_epi16(sums, 7)) + second) >> 8;
    const __m128i lefts = _mm_unpacklo_epi64(_mm_set1_epi16(short(first)), _mm_set1_epi16(short(second)));
    const __m128i bytes = _mm_mulhi_epu16(_mm_add_epi16(sums, lefts), shifts);
    _mm_storel_epi64(reinterpret_cast<__m128i*>(cur + x), _mm_packus_epi16(bytes, bytes));
  }
  return x;
}
#else
// The same in blocks of four, in plain code (at most 85 · 765 per sum: 16 bits).
// Byte pointers may alias anything: without __restrict every store to the row would reload the
// sums and the sums' loop could not be vectorised.
int SweepBlocks(const std::uint8_t* __restrict up, const std::uint8_t* __restrict down, std::uint8_t* __restrict cur,
                int n, unsigned& left, std::uint16_t* __restrict t) {
  for (int x = 1; x <= n; ++x) t[x] = std::uint16_t(up[x] + down[x] + cur[x + 1]);
  int x = 1;
  for (; x + 3 <= n; x += 4) {
    t[x + 1] = std::uint16_t(4 * t[x + 1] + t[x]);
    t[x + 2] = std::uint16_t(16 * t[x + 2] + t[x + 1]);
    t[x + 3] = std::uint16_t(64 * t[x + 3] + t[x + 2]);
  }
  for (x = 1; x + 3 <= n; x += 4) {
    cur[x] = std::uint8_t((t[x] + left) >> 2);
    cur[x + 1] = std::uint8_t((t[x + 1] + left) >> 4);
    cur[x + 2] = std::uint8_t((t[x + 2] + left) >> 6);
    left = (t[x + 3] + left) >> 8;
    cur[x + 3] = std::uint8_t(left);
  }
  return x;
}
#endif

}  // namespace

void TLabelGlow::Sweep() {
  if (rows_ < 3 || pitch_ < 3) return;
  const int n = int(pitch_) - 2;
  for (int y = 1; y + 1 < int(rows_); ++y) {
    const std::uint8_t* __restrict up = Row(y - 1);
    const std::uint8_t* __restrict down = Row(y + 1);
    std::uint8_t* __restrict cur = Row(y);
    // Up (already this pass's), down and right (still the last pass's) do not depend on the row.
    unsigned left = cur[0];
#if defined(__SSE2__)
    int x = SweepBlocks(up, down, cur, n, left);
#else
    int x = SweepBlocks(up, down, cur, n, left, sums_.get());
#endif
    for (; x <= n; ++x) {
      left = (up[x] + down[x] + cur[x + 1] + left) >> 2;
      cur[x] = std::uint8_t(left);
    }
  }
}

void TLabelGlow::Build(const TBitmap32& text, int passes) {
  Prepare(text.Width(), text.Height());
  if (passes <= 0) return;
  // The text does not change between passes: its stamp (0 or 255 per byte) is made once, in the
  // second half of the buffer, and each pass lays it over a row just before the row is read.
  std::uint8_t* stamp = bits_.get() + pitch_ * rows_;
  std::memset(stamp, 0, pitch_ * rows_);
  const int w = std::min<int>(text.Width(), int(pitch_) - 2), h = std::min<int>(text.Height(), int(rows_) - 2);
  for (int y = 0; y < h; ++y) {
    const std::uint32_t* src = text.Row(y);
    std::uint8_t* dst = stamp + std::size_t(y + 1) * pitch_ + 1;
    for (int x = 0; x < w; ++x) dst[x] = (src[x] & 0xFF) ? 255 : 0;
  }
  // Local pointers and size: a byte store may alias the object's own fields, and the compiler
  // would otherwise reload them for every byte instead of working in whole vectors.
  std::uint8_t* __restrict mask = bits_.get();
  const std::uint8_t* __restrict marks = stamp;
  const std::size_t size = pitch_ * rows_;
  for (int i = 0; i < passes; ++i) {
    for (std::size_t k = 0; k < size; ++k) mask[k] |= marks[k];
    Sweep();
  }
}

namespace {
// One row of the blend; kOver: over the row's own pixels, else over the label's colour (lr, lg, lb).
template <bool kOver>
void ComposeRow(std::uint32_t* px, std::uint8_t* mask, int w, unsigned a, unsigned sr, unsigned sg, unsigned sb,
                unsigned lr, unsigned lg, unsigned lb) {
  using namespace scolor;
  for (int x = 0; x < w; ++x) {
    const unsigned m = (mask[x] * a) >> 8, inv = 255 - m;
    mask[x] = std::uint8_t(m);
    const std::uint32_t p = px[x];
    const unsigned b = kOver ? unsigned(PixB(p)) : lb, g = kOver ? unsigned(PixG(p)) : lg,
                   r = kOver ? unsigned(PixR(p)) : lr;
    px[x] = (p & AlphaMask) | ((r * inv + sr * m) >> 8) << 16 | ((g * inv + sg * m) >> 8) << 8 |
            ((b * inv + sb * m) >> 8);
  }
}
}  // namespace

void TLabelGlow::Compose(TBitmap32& pic, TColor shadowColor, int alpha, bool transparent, TColor labelColor) {
  using namespace scolor;
  const unsigned a = unsigned(std::clamp(alpha, 0, 255));
  const unsigned sr = unsigned(ColR(shadowColor)), sg = unsigned(ColG(shadowColor)), sb = unsigned(ColB(shadowColor));
  const unsigned lr = unsigned(ColR(labelColor)), lg = unsigned(ColG(labelColor)), lb = unsigned(ColB(labelColor));
  const int w = std::min<int>(pic.Width(), int(pitch_) - 2), h = std::min<int>(pic.Height(), int(rows_) - 2);
  const auto row = transparent ? &ComposeRow<true> : &ComposeRow<false>;
  for (int y = 0; y < h; ++y) row(pic.Row(y), Row(y + 1) + 1, w, a, sr, sg, sb, lr, lg, lb);
}
