// Speed of the gauge's light: the 300 × 25 strip laid with its alpha over the filled part, as one
// animation tick does, against a memcpy of the setup gauge's whole 465 × 25 picture in the same
// run. Target: at most 4 times the memcpy. Read the "min" rows of the 5 repetitions.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "MemcpyBaseline.h"
#include "skin/base/sLightStrip.h"

namespace {

TBitmap32 Picture(int w, int h, std::uint32_t seed) {
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Pixel(x, y) = (seed * 2654435761u + std::uint32_t(x * 7 + y * 13)) * 0x01000193u;
  return b;
}

void BM_Memcpy_465x25(benchmark::State& s) { MemcpyBaseline(s, std::size_t(465) * 25 * 4); }

void BM_LightBlend_300x25(benchmark::State& state) {
  const TBitmap32 strip = Picture(300, 25, 1);
  TBitmap32 bar = Picture(465, 25, 2);
  for (auto _ : state) {
    OverlayWithAlpha(bar, strip, {100, 0});
    benchmark::DoNotOptimize(bar.Row(0));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * 300 * 25 * 4);
}

double Min(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

#define BENCHMARK_GAUGE(f) BENCHMARK(f)->Repetitions(5)->ComputeStatistics("min", Min)->Unit(benchmark::kMicrosecond)
BENCHMARK_GAUGE(BM_Memcpy_465x25);
BENCHMARK_GAUGE(BM_LightBlend_300x25);

BENCHMARK_MAIN();
