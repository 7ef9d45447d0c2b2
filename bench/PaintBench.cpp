// Speed of the pixel primitives on a 680 × 495 cache (the setup window's size), each next to a
// memcpy of the same bytes so that the ratio can be read from one run; plus the glow blur on a
// 700 × 60 label mask. On a shared machine single runs vary a lot: run with
// --benchmark_repetitions=N and read the "min" rows, the machine's own speed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <random>
#include <vector>

#include "MemcpyBaseline.h"
#include "imaging/Bitmap32.h"
#include "skin/base/sBlend.h"
#include "skin/base/sBlendKernels.h"
#include "skin/base/sBlur.h"
#include "skin/base/sCacheInfo.h"
#include "skin/base/sFill.h"
#include "skin/base/sGradient.h"
#include "skin/base/sMaskCompose.h"
#include "skin/base/sResample.h"

namespace {

constexpr int kW = 680, kH = 495;

TBitmap32 Noise(int w, int h, unsigned seed, bool withKeys = false) {
  std::mt19937 rng(seed);
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Pixel(x, y) = withKeys && rng() % 10 == 0 ? 0x00FF00FFu : std::uint32_t(rng());
  return b;
}

void BM_Memcpy_680x495x4(benchmark::State& s) { MemcpyBaseline(s, std::size_t(kW) * kH * 4); }
void BM_Memcpy_680x495x1(benchmark::State& s) { MemcpyBaseline(s, std::size_t(kW) * kH); }
void BM_Memcpy_700x60x1(benchmark::State& s) { MemcpyBaseline(s, 700u * 60u); }

void Done32(benchmark::State& state) { state.SetBytesProcessed(std::int64_t(state.iterations()) * kW * kH * 4); }

void BM_OverlayBitmap(benchmark::State& state) {
  TBitmap32 d = Noise(kW, kH, 1), s = Noise(kW, kH, 2);
  const int w = int(state.range(0));
  for (auto _ : state) {
    OverlayBitmap(d, s, w, TPoint{0, 0}, Rect(0, 0, kW, kH));
    benchmark::ClobberMemory();
  }
  Done32(state);
}

void BM_CopyMaskedPiece(benchmark::State& state) {
  TBitmap32 d = Noise(kW, kH, 1), bgBmp = Noise(kW, kH, 3);
  const TBitmap32 s = Noise(kW, 2 * kH, 2, true);
  const bool ready = state.range(0) != 0, corner = state.range(1) != 0;
  const TCacheInfo bg = ready ? MakeCacheInfo(&bgBmp, 0, 0) : EmptyCacheInfo();
  for (auto _ : state) {
    CopyMaskedPiece(Rect(0, 0, kW, kH), Rect(0, 0, kW, kH), d, s, bg, corner, kH);
    benchmark::ClobberMemory();
  }
  Done32(state);
}

// The mask-blend row kernel alone, over the rows of a 680 × 495 piece, at four pixels a step
// (what every processor runs) and at eight (where the processor has the wide registers).
void BM_BlendRowMask(benchmark::State& state) {
  const auto lanes = state.range(0) == 8 ? sblend::TLanes::Eight : sblend::TLanes::Four;
  if (lanes == sblend::TLanes::Eight && sblend::WidestLanes() != lanes) return state.SkipWithError("no AVX2");
  TBitmap32 d = Noise(kW, kH, 1);
  const TBitmap32 s = Noise(kW, 2 * kH, 2, true);
  const sblend::TRowRule rule{.KeepBits = 0xFF000000u, .Key = sblend::TKeyRule::Keep};
  for (auto _ : state) {
    for (int y = 0; y < kH; ++y) sblend::BlendRowMask(d.Row(y), s.Row(y), s.Row(y + kH), kW, rule, lanes);
    benchmark::ClobberMemory();
  }
  Done32(state);
}

void BM_PaintGradient(benchmark::State& state) {
  TBitmap32 d(kW, kH);
  const int kind = int(state.range(0));
  TsGradArray segs(2);
  segs[0] = TsGradPie{0x102030, 0xF0E0D0, 50, kind, 0};
  segs[1] = TsGradPie{0xF0E0D0, 0x405060, 50, kind, 0};
  for (auto _ : state) {
    PaintGradient(d, Rect(0, 0, kW, kH), segs, 0);
    benchmark::ClobberMemory();
  }
  Done32(state);
}

void BM_TintPixels(benchmark::State& state) {
  TBitmap32 d = Noise(kW, kH, 1);
  for (auto _ : state) {
    TintPixels(d, Rect(0, 0, kW - 1, kH - 1), 40, 0x336699);
    benchmark::ClobberMemory();
  }
  Done32(state);
}

// Mitchell up to 680 × 495 from half size, and down from 680 × 495 to half size.
void BM_ResampleMitchell_340x248_to_680x495(benchmark::State& state) {
  const TBitmap32 s = Noise(340, 248, 1);
  TBitmap32 d(kW, kH);
  for (auto _ : state) {
    ResampleBitmap(s, d, kW, fkMitchell, kH);
    benchmark::ClobberMemory();
  }
  Done32(state);
}
void BM_ResampleMitchell_680x495_to_340x248(benchmark::State& state) {
  const TBitmap32 s = Noise(kW, kH, 1);
  TBitmap32 d(340, 248);
  for (auto _ : state) {
    ResampleBitmap(s, d, 340, fkMitchell, 248);
    benchmark::ClobberMemory();
  }
  Done32(state);
}

void Smooth(benchmark::State& state, int w, int h) {
  TBitmap8 m(w, h);
  std::mt19937 rng(4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) m.Row(y)[x] = std::uint8_t(rng());
  const double r = double(state.range(0));
  for (auto _ : state) {
    SmoothBitmap8(m, r);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * w * h);
}
void BM_SmoothBitmap8_680x495(benchmark::State& s) { Smooth(s, kW, kH); }
void BM_SmoothBitmap8_700x60(benchmark::State& s) { Smooth(s, 700, 60); }

double Min(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

#define BENCHMARK_MIN(f) BENCHMARK(f)->ComputeStatistics("min", Min)

BENCHMARK_MIN(BM_Memcpy_680x495x4)->Unit(benchmark::kMicrosecond);
BENCHMARK_MIN(BM_OverlayBitmap)->Arg(0)->Arg(128)->Unit(benchmark::kMicrosecond);
BENCHMARK_MIN(BM_CopyMaskedPiece)->ArgNames({"ready", "corner"})->Args({0, 0})->Args({0, 1})->Args({1, 0})->Args({1, 1})
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_MIN(BM_BlendRowMask)->ArgName("lanes")->Arg(4)->Arg(8)->Unit(benchmark::kMicrosecond);
BENCHMARK_MIN(BM_PaintGradient)->ArgName("kind")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK_MIN(BM_TintPixels)->Unit(benchmark::kMicrosecond);
BENCHMARK_MIN(BM_ResampleMitchell_340x248_to_680x495)->Unit(benchmark::kMicrosecond);
BENCHMARK_MIN(BM_ResampleMitchell_680x495_to_340x248)->Unit(benchmark::kMicrosecond);
BENCHMARK_MIN(BM_Memcpy_680x495x1)->Unit(benchmark::kMicrosecond);
BENCHMARK_MIN(BM_SmoothBitmap8_680x495)->ArgName("r")->Arg(5)->Arg(16)->Unit(benchmark::kMicrosecond);
BENCHMARK_MIN(BM_Memcpy_700x60x1)->Unit(benchmark::kMicrosecond);
BENCHMARK_MIN(BM_SmoothBitmap8_700x60)->ArgName("r")->Arg(2)->Arg(5)->Arg(16)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
