// Speed of the skinned window frame's image: the setup window (bsDialog, client 680 × 495, 686 ×
// 520 with the frame at 96 dpi) built from the window's internal skin recoloured by hue 196 (a
// plain client colour) and from the same skin with a FORM of gradient and texture, next to a
// memcpy of the image's bytes (targets: at most 10 × memcpy and under 5 ms); and one caption
// button repainted from the saved title (target: at most 0.05 ms). Read the "min" rows of the 5
// repetitions.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "BenchSkin.h"
#include "MemcpyBaseline.h"
#include "skin/base/sGradient.h"
#include "skin/frame/sFrameImage.h"

namespace {

const TsSystemMetrics kSystem;  // SM_CXDLGFRAME 3, SM_CYCAPTION 19
constexpr int kClientW = 680, kClientH = 495;

// The window skin with FORM given a 50 % gradient and a 30 % texture (a piece of the master
// bitmap) in both states: the section painted item by item instead of as a plain colour.
TsSkinManager* TexturedSkin() {
  static TsSkinManager* m = [] {
    static TsSkinManager manager(nullptr);
    if (!LoadBenchSkin(manager)) return static_cast<TsSkinManager*>(nullptr);
    const int form = manager.GetSkinIndex(L"FORM");
    if (form < 0) return static_cast<TsSkinManager*>(nullptr);
    TsSkinTables& t = manager.Tables();
    TsMaskData pattern;
    pattern.ClassName = L"FORM";
    pattern.PropertyName = L"PATTERN";
    pattern.R = Rect(0, 0, 64, 48);
    pattern.ImageCount = 1;
    pattern.ImgType = itisaTexture;
    pattern.Manager = &manager;
    t.ma.push_back(std::move(pattern));
    for (TsGenState& s : t.gd[std::size_t(form)].Props) {
      s.GradientPercent = 50;
      s.GradientData = L"3425866;2437686;100;0;0";
      s.GradientArray = ParseGradientData(s.GradientData);
      s.ImagePercent = 30;
      s.TextureIndex = int(t.ma.size()) - 1;
    }
    return &manager;
  }();
  return m;
}

// Everything one build of the image needs, laid out once.
struct TFrame {
  TsDialogFrame Frame;
  TsFrameImageInput& In = Frame.In;
  TsTempBmp Temp;
  TBitmap32 Image;

  explicit TFrame(TsSkinManager& m) : Frame(DialogFrame(m, kSystem, kClientW, kClientH, true)) { In.ButtonsShown = true; }
  bool Build() {
    if (!BuildFrameBackground(Image, In)) return false;
    FinishFrameImage(Image, Temp, In, Frame.Buttons, Frame.Queries, true);
    return true;
  }
};

void Image(benchmark::State& state, TsSkinManager* m, bool plain) {
  if (!m) return state.SkipWithError("internal skin not available");
  TFrame f(*m);
  if (f.In.PlainColour != plain) return state.SkipWithError("the FORM section is not in the expected mode");
  for (auto _ : state) {
    if (!f.Build()) return state.SkipWithError("no FORM section");
    benchmark::DoNotOptimize(f.Image.Row(0));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(std::int64_t(state.iterations()) * f.Image.Width() * f.Image.Height() * 4);
}

void BM_Memcpy_686x520(benchmark::State& s) { MemcpyBaseline(s, std::size_t(686) * 520 * 4); }
void BM_FrameImage_plain(benchmark::State& s) { Image(s, BenchSkin(), true); }
void BM_FrameImage_gradient_texture(benchmark::State& s) { Image(s, TexturedSkin(), false); }

// The close button turning hot on the direct path: its rectangle from TempBmp, its hot image.
void BM_CloseButton_repaint(benchmark::State& state) {
  TsSkinManager* m = BenchSkin();
  if (!m) return state.SkipWithError("internal skin not available");
  TFrame f(*m);
  if (!f.Build()) return state.SkipWithError("no FORM section");
  int hot = 0;
  for (auto _ : state) {
    f.Frame.Buttons.Close.State = hot ^= 1;
    const TRect r = RepaintCaptionButton(f.Image, f.Temp, *m, f.Frame.Buttons, f.Frame.Queries, f.Frame.Buttons.Close, true, true);
    benchmark::DoNotOptimize(r);
    benchmark::ClobberMemory();
  }
}

double Min(const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); }

}  // namespace

#define BENCHMARK_FRAME(f) BENCHMARK(f)->Repetitions(5)->ComputeStatistics("min", Min)->Unit(benchmark::kMicrosecond)
BENCHMARK_FRAME(BM_Memcpy_686x520);
BENCHMARK_FRAME(BM_FrameImage_plain);
BENCHMARK_FRAME(BM_FrameImage_gradient_texture);
BENCHMARK_FRAME(BM_CloseButton_repaint);
BENCHMARK_MAIN();
