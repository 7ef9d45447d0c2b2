#include "skin/base/sBlur.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "skin/base/sColorMath.h"

int SmoothKernelReach(double r) {
  if (!(r > 0)) return -1;
  // The kernel as defined: weights of 0 or 1 (as 32-bit floats), normalised by their sum.
  float w[33];
  double sum = 0;
  for (int k = -16; k <= 16; ++k) {
    const double x = k / r;
    w[k + 16] = float(scolor::Round(std::exp(-(x * x) / 2)));
    sum += w[k + 16];
  }
  for (float& v : w) v = float(v / sum);
  // Working radius: drop outer taps while their accumulated share stays below 1/510.
  double tail = 0;
  int j = 16;
  while (tail < 1.0 / 510 && j > 1) {
    tail += 2.0 * w[j + 16];
    --j;
  }
  // Inside the window the non-zero weights are the centre and its neighbours out to some reach.
  int reach = 0;
  while (reach < j && w[reach + 1 + 16] != 0.0f) ++reach;
  return reach;
}

namespace {

// One line of n samples, step bytes apart: out[i] = Σ sample(clamp(i − t)) over |t| ≤ reach,
// divided by the number of taps. tmp holds the result before it is copied back.
void SmoothLine(std::uint8_t* line, std::ptrdiff_t step, int n, int reach, std::vector<std::uint8_t>& tmp) {
  auto at = [&](long long i) { return line[std::clamp<long long>(i, 0, n - 1) * step]; };
  const int taps = 2 * reach + 1;
  int s = 0;
  for (int t = -reach; t <= reach; ++t) s += at(t);
  for (int i = 0; i < n; ++i) {
    tmp[std::size_t(i)] = std::uint8_t(s / taps);
    s += at((long long)i + 1 + reach) - at((long long)i - reach);
  }
  for (int i = 0; i < n; ++i) line[i * step] = tmp[std::size_t(i)];
}

}  // namespace

void SmoothBitmap8(TBitmap8& bmp, double r) {
  const int reach = SmoothKernelReach(r);
  if (reach < 0 || bmp.Empty()) return;
  if (reach == 0) return;  // a single tap: the mask stays as it is
  const int w = bmp.Width(), h = bmp.Height();
  std::vector<std::uint8_t> tmp(std::size_t(std::max(w, h)));
  for (int y = 0; y < h; ++y) SmoothLine(bmp.Row(y), 1, w, reach, tmp);
  for (int x = 0; x < w; ++x) SmoothLine(bmp.Row(0) + x, bmp.Stride(), h, reach, tmp);
}
