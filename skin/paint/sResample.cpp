#include "skin/paint/sResample.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "skin/paint/sColorMath.h"

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

inline std::uint32_t ChannelOut(std::int32_t sum) {
  if (sum < 0) return 0;
  if (sum >= 0xFF0001) return 255;
  return std::uint32_t(sum) >> 16;
}

// All contributors of one pass, flattened: sample i uses Items[Start[i] … Start[i + 1]).
struct TPassWeights {
  std::vector<int> Start;
  std::vector<TResampleContributor> Items;
};

TPassWeights PassWeights(int filter, int n, int m) {
  TPassWeights p;
  p.Start.reserve(std::size_t(m) + 1);
  p.Items.reserve(std::size_t(m) * 8);
  for (int i = 0; i < m; ++i) {
    // Appended in place: small pieces (frame edges) are resampled on every paint, and one
    // allocation per sample would cost more than the arithmetic.
    p.Start.push_back(int(p.Items.size()));
    AppendContributors(filter, n, m, i, p.Items);
  }
  p.Start.push_back(int(p.Items.size()));
  return p;
}

}  // namespace

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
  // Horizontal pass: each source row to newWidth pixels.
  TBitmap32 mid(newWidth, sh);
  const TPassWeights hw = PassWeights(filter, sw, newWidth);
  for (int y = 0; y < sh; ++y) {
    const std::uint32_t* s = src.Row(y);
    std::uint32_t* d = mid.Row(y);
    for (int i = 0; i < newWidth; ++i) {
      std::int32_t b = 0, g = 0, r = 0, a = 0;
      for (int k = hw.Start[std::size_t(i)]; k < hw.Start[std::size_t(i) + 1]; ++k) {
        const std::uint32_t p = s[hw.Items[std::size_t(k)].Index];
        const std::int32_t w = hw.Items[std::size_t(k)].Weight;
        b += std::int32_t(p & 0xFF) * w;
        g += std::int32_t((p >> 8) & 0xFF) * w;
        r += std::int32_t((p >> 16) & 0xFF) * w;
        a += std::int32_t(p >> 24) * w;
      }
      d[i] = ChannelOut(a) << 24 | ChannelOut(r) << 16 | ChannelOut(g) << 8 | ChannelOut(b);
    }
  }
  // Vertical pass: each column to newHeight pixels, done a whole row at a time.
  TBitmap32 out(newWidth, newHeight);
  const TPassWeights vw = PassWeights(filter, sh, newHeight);
  std::vector<std::int32_t> acc(std::size_t(newWidth) * 4);
  for (int i = 0; i < newHeight; ++i) {
    std::fill(acc.begin(), acc.end(), 0);
    for (int k = vw.Start[std::size_t(i)]; k < vw.Start[std::size_t(i) + 1]; ++k) {
      const std::uint32_t* s = mid.Row(vw.Items[std::size_t(k)].Index);
      const std::int32_t w = vw.Items[std::size_t(k)].Weight;
      for (int x = 0; x < newWidth; ++x) {
        const std::uint32_t p = s[x];
        std::int32_t* c = &acc[std::size_t(x) * 4];
        c[0] += std::int32_t(p & 0xFF) * w;
        c[1] += std::int32_t((p >> 8) & 0xFF) * w;
        c[2] += std::int32_t((p >> 16) & 0xFF) * w;
        c[3] += std::int32_t(p >> 24) * w;
      }
    }
    std::uint32_t* d = out.Row(i);
    for (int x = 0; x < newWidth; ++x) {
      const std::int32_t* c = &acc[std::size_t(x) * 4];
      d[x] = ChannelOut(c[3]) << 24 | ChannelOut(c[2]) << 16 | ChannelOut(c[1]) << 8 | ChannelOut(c[0]);
    }
  }
  if (dst.Width() == newWidth && dst.Height() == newHeight && &dst != &src) {
    for (int y = 0; y < newHeight; ++y) std::copy(out.Row(y), out.Row(y) + newWidth, dst.Row(y));
  } else {
    dst = std::move(out);
  }
}
