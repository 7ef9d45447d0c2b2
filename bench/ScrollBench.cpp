// Speed of the skinned scroll bar's picture: the setup memo's vertical bar (17 × 197) painted
// from the window's internal skin recoloured by hue 196, over the form's picture, in every state
// of its parts, next to a memcpy of the same bytes (target: at most 0.2 ms each). Read the "min"
// rows of the 5 repetitions.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "BenchSkin.h"
#include "MemcpyBaseline.h"
#include "skin/frame/sScrollPaint.h"

namespace {

constexpr int kW = 17, kH = 197;

void Bar(benchmark::State& state, int pressed, int hot, bool active, bool drag) {
  TsSkinManager* m = BenchSkin();
  if (!m) return state.SkipWithError("internal skin not available");
  TsScrollBarLook look;
  look.Bar.Vertical = true;
  look.Bar.Rect = Rect(0, 0, kW, kH);
  look.Bar.ArrowLength = kW;
  look.Bar.Info = TsScrollInfo{0, 99, 20, 30, 30};
  look.PressedPart = pressed;
  look.HotPart = hot;
  look.Active = active;
  if (drag) look.Drag = TsThumb{33, 100};
  TBitmap32 bmp = NewBitmap32(kW, kH);
  const TCacheInfo bg = MakeCacheInfo(&BenchFormPicture(), 0, 0);
  for (auto _ : state) {
    if (!PaintScrollBar(m, look, bg, {460, 30}, bmp)) return state.SkipWithError("scroll elements missing");
    benchmark::DoNotOptimize(bmp.Row(0));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * kW * kH * 4);
}

void BM_Memcpy_17x197(benchmark::State& s) { MemcpyBaseline(s, std::size_t(kW) * kH * 4); }
void BM_Scroll_normal(benchmark::State& s) { Bar(s, spNone, spNone, true, false); }
void BM_Scroll_arrow1_hot(benchmark::State& s) { Bar(s, spNone, spFirstArrow, true, false); }
void BM_Scroll_arrow1_pressed(benchmark::State& s) { Bar(s, spFirstArrow, spFirstArrow, true, false); }
void BM_Scroll_arrow2_pressed(benchmark::State& s) { Bar(s, spSecondArrow, spSecondArrow, true, false); }
void BM_Scroll_track1_pressed(benchmark::State& s) { Bar(s, spTrackBefore, spTrackBefore, true, false); }
void BM_Scroll_track2_pressed(benchmark::State& s) { Bar(s, spTrackAfter, spTrackAfter, true, false); }
void BM_Scroll_thumb_hot(benchmark::State& s) { Bar(s, spNone, spThumb, true, false); }
void BM_Scroll_dragging(benchmark::State& s) { Bar(s, spThumb, spThumb, true, true); }
void BM_Scroll_inactive(benchmark::State& s) { Bar(s, spNone, spNone, false, false); }

double Min(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

#define BENCHMARK_BAR(f) BENCHMARK(f)->Repetitions(5)->ComputeStatistics("min", Min)->Unit(benchmark::kMicrosecond)
BENCHMARK_BAR(BM_Memcpy_17x197);
BENCHMARK_BAR(BM_Scroll_normal);
BENCHMARK_BAR(BM_Scroll_arrow1_hot);
BENCHMARK_BAR(BM_Scroll_arrow1_pressed);
BENCHMARK_BAR(BM_Scroll_arrow2_pressed);
BENCHMARK_BAR(BM_Scroll_track1_pressed);
BENCHMARK_BAR(BM_Scroll_track2_pressed);
BENCHMARK_BAR(BM_Scroll_thumb_hot);
BENCHMARK_BAR(BM_Scroll_dragging);
BENCHMARK_BAR(BM_Scroll_inactive);

BENCHMARK_MAIN();
