// Speed of the combo box's pictures, painted from the setup window's internal skin recoloured by
// hue 196 over the form's picture: the closed 145 × 21 cache (field and button, at rest and hot;
// target: at most 50 µs) next to a memcpy of the same bytes, and the pixel work of one list
// repaint, 16 item backgrounds of 143 × 15 with one of them selected (target: at most 500 µs),
// next to a memcpy of those bytes. Read the "min" rows of the 5 repetitions.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "BenchSkin.h"
#include "MemcpyBaseline.h"
#include "skin/controls/sComboBoxPicture.h"

namespace {

constexpr int kW = 145, kH = 21;                 // sComboBox1
constexpr int kItemW = 143, kItemH = 15, kItems = 16;  // a full list of DropDownCount items
constexpr TPoint kAt{206, 160};                  // the combo box's place on the form

void Closed(benchmark::State& state, bool hot) {
  TsSkinManager* m = BenchSkin();
  if (!m) return state.SkipWithError("internal skin not available");
  TsComboLook look;
  look.Combo.SkinIndex = m->GetSkinIndex(L"COMBOBOX");
  if (look.Combo.SkinIndex < 0) return state.SkipWithError("COMBOBOX missing");
  look.Combo.SkinSection = L"COMBOBOX";
  look.Combo.BorderIndex = m->GetMaskIndex(look.Combo.SkinIndex, L"COMBOBOX", L"BORDERSMASK");
  look.Combo.Manager = m;
  look.Margin = m->CommonSkinData().ComboBoxMargin;
  look.ScrollWidth = m->ScrollBarWidthAtLeastPlatform();
  TBitmap32 cache = NewBitmap32(kW, kH);
  const TCacheInfo bg = MakeCacheInfo(&BenchFormPicture(), 0, 0);
  for (auto _ : state) {
    PaintComboBase(look, bg, cache, kAt, hot);
    PaintComboButton(look, cache, kH, hot ? 1 : 0, clWindowText);
    benchmark::DoNotOptimize(cache.Row(0));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * kW * kH * 4);
}

void List(benchmark::State& state) {
  TsSkinManager* m = BenchSkin();
  if (!m) return state.SkipWithError("internal skin not available");
  const int selection = m->GetSkinIndex(L"SELECTION");
  const int combo = m->GetSkinIndex(L"COMBOBOX");
  if (selection < 0 || combo < 0) return state.SkipWithError("SELECTION or COMBOBOX missing");
  const TColor fill = m->gd()[std::size_t(combo)].Props[1].Color;
  const TCacheInfo bg{nullptr, -99, -99, fill, TRect{}, false};
  TBitmap32 item = NewBitmap32(kItemW, kItemH);
  for (auto _ : state) {
    for (int i = 0; i < kItems; ++i) {
      PaintComboItemBackground(m, selection, i == 5, bg, fill, item);
      benchmark::DoNotOptimize(item.Row(0));
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * kItems * kItemW * kItemH * 4);
}

void BM_Memcpy_145x21(benchmark::State& s) { MemcpyBaseline(s, std::size_t(kW) * kH * 4); }
void BM_ComboClosed_145x21_s0(benchmark::State& s) { Closed(s, false); }
void BM_ComboClosed_145x21_s1(benchmark::State& s) { Closed(s, true); }
void BM_Memcpy_16x143x15(benchmark::State& s) { MemcpyBaseline(s, std::size_t(kItems) * kItemW * kItemH * 4); }
void BM_ComboList_16x143x15(benchmark::State& s) { List(s); }

double Min(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

#define BENCHMARK_COMBO(f) BENCHMARK(f)->Repetitions(5)->ComputeStatistics("min", Min)->Unit(benchmark::kMicrosecond)
BENCHMARK_COMBO(BM_Memcpy_145x21);
BENCHMARK_COMBO(BM_ComboClosed_145x21_s0);
BENCHMARK_COMBO(BM_ComboClosed_145x21_s1);
BENCHMARK_COMBO(BM_Memcpy_16x143x15);
BENCHMARK_COMBO(BM_ComboList_16x143x15);

BENCHMARK_MAIN();
