// Speed of whole skin items of the setup window, painted from its own internal skin recoloured
// by hue 196: the form (680 × 495), the log edit (465 × 201) and the title bar (680 × 26), each
// next to a memcpy of the same bytes (target: at most 3 times the memcpy), the log edit also hot
// and disabled (the item with the blended disabled look over the form, as a disabled edit
// rebuilds its cache; target: at most 4 times the memcpy), and a hot push button (75 × 25,
// target: at most 50 µs). On a shared machine single runs vary: read the "min" rows of
// the 5 repetitions, with the process kept on one processor (taskset -c 0): a run that moves
// between processors can read half as fast again.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "BenchSkin.h"
#include "MemcpyBaseline.h"

namespace {

// disabled: the item in state 0 with the blended disabled look laid over it.
void Item(benchmark::State& state, const wchar_t* section, int w, int h, int itemState, bool disabled = false) {
  TsSkinManager* m = BenchSkin();
  if (!m) return state.SkipWithError("internal skin not available");
  const int index = m->GetSkinIndex(section);
  if (index < 0) return state.SkipWithError("section missing");
  TBitmap32 bmp = NewBitmap32(w, h);
  const TCacheInfo bg = MakeCacheInfo(&BenchFormPicture(), 0, 0);
  const TPoint pos{std::min(10, 680 - w), std::min(30, 495 - h)};
  for (auto _ : state) {
    PaintSectionItem(index, section, bg, -1, -1, m, bmp, pos, Rect(0, 0, w, h), itemState);
    if (disabled) ApplyDisabledLook(bmp, dkBlended, m->GetGlobalColor(), pos, bg);
    benchmark::DoNotOptimize(bmp.Row(0));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * w * h * 4);
}

// The same bytes as a w × h 32-bit item.
void Memcpy(benchmark::State& state, int w, int h) { MemcpyBaseline(state, std::size_t(w) * h * 4); }

void BM_Memcpy_680x495(benchmark::State& s) { Memcpy(s, 680, 495); }
void BM_Item_FORM_680x495(benchmark::State& s) { Item(s, L"FORM", 680, 495, 0); }
void BM_Memcpy_465x201(benchmark::State& s) { Memcpy(s, 465, 201); }
void BM_Item_EDIT_465x201(benchmark::State& s) { Item(s, L"EDIT", 465, 201, 0); }
void BM_Item_EDIT_465x201_hot(benchmark::State& s) { Item(s, L"EDIT", 465, 201, 1); }
void BM_Item_EDIT_465x201_disabled(benchmark::State& s) { Item(s, L"EDIT", 465, 201, 0, true); }
void BM_Memcpy_680x26(benchmark::State& s) { Memcpy(s, 680, 26); }
void BM_Item_FORMTITLE_680x26(benchmark::State& s) { Item(s, L"FORMTITLE", 680, 26, 1); }
void BM_Item_BUTTON_75x25_hot(benchmark::State& s) { Item(s, L"BUTTON", 75, 25, 1); }

double Min(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

#define BENCHMARK_ITEM(f) BENCHMARK(f)->Repetitions(5)->ComputeStatistics("min", Min)->Unit(benchmark::kMicrosecond)
BENCHMARK_ITEM(BM_Memcpy_680x495);
BENCHMARK_ITEM(BM_Item_FORM_680x495);
BENCHMARK_ITEM(BM_Memcpy_465x201);
BENCHMARK_ITEM(BM_Item_EDIT_465x201);
BENCHMARK_ITEM(BM_Item_EDIT_465x201_hot);
BENCHMARK_ITEM(BM_Item_EDIT_465x201_disabled);
BENCHMARK_ITEM(BM_Memcpy_680x26);
BENCHMARK_ITEM(BM_Item_FORMTITLE_680x26);
BENCHMARK_ITEM(BM_Item_BUTTON_75x25_hot);

BENCHMARK_MAIN();
