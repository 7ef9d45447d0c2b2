// Speed of one fade frame: the copy of the old picture and the blend towards the new one, as the
// fade timer makes it every 12 ms. Targets: the form-sized frame (680 × 495) at most 5 times a
// memcpy of the same bytes in the same run, the button-sized one (75 × 25) at most 20 µs. Read
// the "min" rows of the 5 repetitions.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "MemcpyBaseline.h"
#include "skin/base/sAnimSteps.h"

namespace {

TBitmap32 Picture(int w, int h, std::uint32_t seed) {
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Pixel(x, y) = 0xFF000000u | ((seed * 2654435761u + std::uint32_t(x * 7 + y * 13)) & 0xFFFFFF);
  return b;
}

void Frame(benchmark::State& state, int w, int h) {
  const TBitmap32 from = Picture(w, h, 1), target = Picture(w, h, 2);
  TBitmap32 frame(w, h);
  int level = 0;
  for (auto _ : state) {
    for (int y = 0; y < h; ++y) std::memcpy(frame.Row(y), from.Row(y), std::size_t(w) * 4);
    FadeBlend(frame, target, 255 - FadeWeight(level % 11 + 1, 11));
    ++level;
    benchmark::DoNotOptimize(frame.Row(0));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * w * h * 4);
}

void BM_Memcpy_680x495(benchmark::State& s) { MemcpyBaseline(s, std::size_t(680) * 495 * 4); }
void BM_FadeFrame_680x495(benchmark::State& s) { Frame(s, 680, 495); }
void BM_FadeFrame_75x25(benchmark::State& s) { Frame(s, 75, 25); }

double Min(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

#define BENCHMARK_FADE(f) BENCHMARK(f)->Repetitions(5)->ComputeStatistics("min", Min)->Unit(benchmark::kMicrosecond)
BENCHMARK_FADE(BM_Memcpy_680x495);
BENCHMARK_FADE(BM_FadeFrame_680x495);
BENCHMARK_FADE(BM_FadeFrame_75x25);

BENCHMARK_MAIN();
