// Speed of the effect label's glow, which is built on every paint of the five labels of the setup
// window. Targets: the 6-pass glow of a 404 × 28 label at most 32 times one plain (not in-place)
// four-neighbour pass over the same mask in the same run; the five setup labels (glow and blend)
// within 1 ms together. Read the "min" rows of the 5 repetitions.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "skin/controls/sLabelGlow.h"

namespace {

// A text-like picture: white strokes on black, about one pixel in six lit, away from the edges.
TBitmap32 TextPicture(int w, int h) {
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const bool inText = y >= 6 && y < h - 8 && x >= 5 && x < w - 7;
      const bool stroke = (x * 7 + y * 3) % 11 < 2 || (x % 9 == 0);
      b.Pixel(x, y) = inText && stroke ? 0xFFFFFFFFu : 0xFF000000u;
    }
  return b;
}

// One plain four-neighbour pass from one buffer into another: the vectorisable reference.
void BM_PlainPass_404x28(benchmark::State& state) {
  const int p = 404 + 2, q = 28 + 2;
  std::vector<std::uint8_t> src(std::size_t(p * q)), dst(std::size_t(p * q), 0);
  for (std::size_t i = 0; i < src.size(); ++i) src[i] = std::uint8_t(i * 37);
  for (auto _ : state) {
    for (int y = 1; y < q - 1; ++y) {
      const std::uint8_t* up = &src[std::size_t((y - 1) * p)];
      const std::uint8_t* cur = &src[std::size_t(y * p)];
      const std::uint8_t* down = &src[std::size_t((y + 1) * p)];
      std::uint8_t* out = &dst[std::size_t(y * p)];
      for (int x = 1; x < p - 1; ++x) out[x] = std::uint8_t((up[x] + down[x] + cur[x - 1] + cur[x + 1]) >> 2);
    }
    benchmark::DoNotOptimize(dst.data());
    benchmark::ClobberMemory();
  }
}

void BM_Glow6_404x28(benchmark::State& state) {
  const TBitmap32 text = TextPicture(404, 28);
  TLabelGlow glow;
  for (auto _ : state) {
    glow.Build(text, 6);
    benchmark::DoNotOptimize(glow.At(10, 10));
    benchmark::ClobberMemory();
  }
}

// The five effect labels of the setup window, each glow built and blended over its background.
void BM_FiveSetupLabels(benchmark::State& state) {
  const TPoint sizes[] = {{377, 28}, {125, 37}, {176, 29}, {157, 29}, {404, 28}};
  std::vector<TBitmap32> texts, pictures;
  for (TPoint s : sizes) {
    texts.push_back(TextPicture(s.X, s.Y));
    pictures.emplace_back(s.X, s.Y);
  }
  TLabelGlow glow;
  for (auto _ : state) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
      glow.Build(texts[i], 6);
      glow.Compose(pictures[i], clAqua, 255, true, clBlack);
    }
    benchmark::DoNotOptimize(pictures[4].Row(0));
    benchmark::ClobberMemory();
  }
}

double Min(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

#define BENCHMARK_LABEL(f) BENCHMARK(f)->Repetitions(5)->ComputeStatistics("min", Min)->Unit(benchmark::kMicrosecond)
BENCHMARK_LABEL(BM_PlainPass_404x28);
BENCHMARK_LABEL(BM_Glow6_404x28);
BENCHMARK_LABEL(BM_FiveSetupLabels);

BENCHMARK_MAIN();
