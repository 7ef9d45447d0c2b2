// Speed of a whole skin load (unpacking the package, parsing the options into the tables,
// recolouring by the setup window's hue offset of 196) and of the hue shift per megapixel.
//
// The representative skin is generated here with the size of the setup window's skin: a 24-bit
// master bitmap of about 285 kB (and its unused copy), an options text of some 18 kB with
// two-state sections, gradients and border pieces, and five PNG glow images. When the packed
// internal skin of the native build exists it is measured too.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "imaging/PngCodec.h"
#include "skin/base/sColorTransforms.h"
#include "skin/base/sTransform.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinPack.h"
#include "skin/data/sStoredSkinLoad.h"

namespace {

constexpr int kMasterW = 400, kMasterH = 240;  // 96,000 pixels: 288 kB as 24-bit data

std::vector<std::uint8_t> Bmp24(const TBitmap32& b) {
  auto put = [](std::vector<std::uint8_t>& o, std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) o.push_back(std::uint8_t(v >> (8 * i)));
  };
  const int row = (b.Width() * 3 + 3) & ~3;
  std::vector<std::uint8_t> o = {'B', 'M'};
  put(o, 54 + std::uint32_t(row * b.Height()), 4);
  put(o, 0, 4);
  put(o, 54, 4);
  put(o, 40, 4);
  put(o, std::uint32_t(b.Width()), 4);
  put(o, std::uint32_t(b.Height()), 4);
  put(o, 1, 2);
  put(o, 24, 2);
  put(o, 0, 4);
  put(o, std::uint32_t(row * b.Height()), 4);
  put(o, 2835, 4);
  put(o, 2835, 4);
  put(o, 0, 8);
  for (int y = b.Height() - 1; y >= 0; --y) {
    int n = 0;
    for (int x = 0; x < b.Width(); ++x, n += 3) put(o, b.Pixel(x, y), 3);
    for (; n < row; ++n) o.push_back(0);
  }
  return o;
}

// Smooth colour areas with a few key pixels, like drawn skin pieces.
TBitmap32 Picture(int w, int h, unsigned seed, bool alpha) {
  std::mt19937 rng(seed);
  TBitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint32_t r = std::uint32_t(60 + (x * 7 + y) % 150), g = std::uint32_t(80 + (y * 3) % 120),
                          bl = std::uint32_t(140 + (x + y * 5) % 110);
      std::uint32_t p = (alpha ? std::uint32_t(rng() % 256) : 0xFFu) << 24 | r << 16 | g << 8 | bl;
      if (!alpha && rng() % 50 == 0) p = 0x00FF00FF;
      b.Pixel(x, y) = p;
    }
  return b;
}

std::string Num4(int v) {
  char b[8];
  std::snprintf(b, sizeof b, "%04d", v);
  return b;
}

std::string RepresentativeOptions() {
  std::string o =
      "[GLOBALINFO]\r\nVERSION=7.20\r\nMASTERBITMAP=MASTER.BMP\r\nBIKEEPHUE=2\r\nCOLOR=14935011\r\n"
      "FONTCOLOR=3355443\r\nTCTOP=16711680\r\nTCBOTTOM=255\r\nBORDERCOLOR=8421504\r\nSHADOW1COLOR=0\r\n"
      "BICONCLOSE=@0000@0200@0090@0220@3@0\r\nBICONMAX=@0090@0200@0180@0220@3@0\r\n"
      "BICONMIN=@0180@0200@0270@0220@3@0\r\nBICONNORM=@0270@0200@0360@0220@3@0\r\n"
      "BICONCLOSEGLOW0=!CLOSEG.PNG!1!0!4!0000!0000!0000!0000!0\r\n"
      "BICONCLOSEGLOW1=!CLOSEAG.PNG!1!0!4!0000!0000!0000!0000!0\r\n"
      "BICONMAXGLOW0=!MAXG.PNG!1!0!4!0000!0000!0000!0000!0\r\n"
      "BICONMINGLOW0=!MING.PNG!1!0!4!0000!0000!0000!0000!0\r\n"
      "BICONNORMGLOW0=!NORMG.PNG!1!0!4!0000!0000!0000!0000!0\r\n"
      "BOXCHECKED=@0000@0220@0048@0236@3@0\r\nBOXUNCHECKED=@0048@0220@0096@0236@3@0\r\n";
  const char* names[] = {"EDIT",     "BUTTON",    "CHECKBOX", "COMBOBOX",  "COMBOBTN",   "FORM",      "FORMTITLE",
                         "CAPTION",  "PANEL",     "PANEL_LOW", "GAUGE",    "PROGRESSH",  "MEMO",      "LABEL",
                         "WEBLABEL", "SPEEDBUTTON", "TOOLBUTTON", "MENUITEM", "MAINMENU", "SELECTION", "GROUPBOX",
                         "TABTOP",   "TABSHEET",  "PAGECONTROL", "SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBTNLEFT",
                         "SCROLLBTNRIGHT", "SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLSLIDERH", "SCROLLSLIDERV",
                         "STATUSBAR", "TOOLBAR",  "DRAGBAR",   "SPLITTER",  "HINT",      "ALPHAEDIT",  "DIVIDERV",
                         "DIVIDERH", "TRACKBAR",  "SLIDER_OFF", "BAR",      "BARTITLE",   "BARPANEL",  "ICOLINE",
                         "GRIP",     "UPDOWN",    "COLHEADER", "CHECKBOXHOT", "RADIOBUTTON", "BUTTON_HUGE"};
  int i = 0;
  for (const char* n : names) {
    const int x = (i % 8) * 48, y = (i / 8) * 28;
    o += std::string("[") + n + "]\r\n";
    if (i % 3 == 1) o += "PARENTCLASS=EDIT\r\n";
    o += "STATES=2\r\nCOLOR=" + std::to_string(0x203040 + i * 977) + "\r\nFONTCOLOR=" + std::to_string(i * 4111) +
         "\r\nHOTCOLOR=" + std::to_string(0x506070 + i * 311) + "\r\nHOTFONTCOLOR=" + std::to_string(i * 1234) +
         "\r\nGLOWCOLOR=16777215\r\nGLOWSIZE=2\r\nTRANSPARENCY=0\r\nGRADIENTPERCENT=60\r\n"
         "GRADIENTDATA=15790320;13158600;50;0;0;13158600;14737632;100;0;0\r\nHOTGRADIENTPERCENT=60\r\n"
         "HOTGRADIENTDATA=16119285;14211288;50;0;0;14211288;15263976;100;0;0\r\nIMAGEPERCENT=0\r\n"
         "BORDERSMASK=^" + Num4(x) + "^" + Num4(y) + "^" + Num4(x + 48) + "^" + Num4(y + 28) +
         "^0003^0003^0003^0003^3^1^1^1\r\n"
         "GLYPHMASK=@" + Num4(x) + "@" + Num4(y) + "@" + Num4(x + 24) + "@" + Num4(y + 12) + "@2@0\r\n"
         "TCLEFT=-1\r\nTCTOP=-1\r\nTCRIGHT=-1\r\nTCBOTTOM=-1\r\nHOTTCLEFT=-1\r\nSHOWFOCUS=1\r\n"
         "FADINGENABLED=1\r\nFADINGITERATIONS=5\r\n";
    ++i;
  }
  return o;
}

std::vector<std::uint8_t> RepresentativePackage() {
  const auto master = Bmp24(Picture(kMasterW, kMasterH, 1, false));
  std::vector<TsPackageEntry> e;
  const std::string options = RepresentativeOptions();
  e.push_back({"Options.dat", {options.begin(), options.end()}});
  e.push_back({"Huge.bmp", master});
  e.push_back({"Master.bmp", master});
  const char* glows[] = {"CloseAG.png", "CloseG.png", "MaxG.png", "MinG.png", "NormG.png"};
  unsigned seed = 2;
  for (const char* g : glows) e.push_back({g, EncodePng(Picture(64, 64, seed++, true))});
  return WriteSkinPackage(e);
}

// One whole load per iteration, as at start-up: the hue offset is stored while the component is
// being read, and setting SkinName loads and recolours the skin once.
void WholeLoad(benchmark::State& state, const std::vector<std::uint8_t>& package) {
  if (package.empty()) {
    state.SkipWithError("package not available");
    return;
  }
  TsSkinManager m(nullptr);
  storedskin::PrepareStoredSkin(m, package, 196, L"Bench");
  for (auto _ : state) {
    m.SetSkinName(L"Bench");
    benchmark::DoNotOptimize(m.MasterBitmap().Pixel(0, 0));
  }
  state.counters["sections"] = double(m.gd().size());
  state.counters["pieces"] = double(m.ma().size());
  state.counters["package_kB"] = double(package.size()) / 1024.0;
}

void BM_WholeLoadRepresentative(benchmark::State& state) {
  static const auto package = RepresentativePackage();
  WholeLoad(state, package);
}
BENCHMARK(BM_WholeLoadRepresentative)->Unit(benchmark::kMillisecond);

#ifdef PRISMATONE_INTERNAL_SKIN_FILE
void BM_WholeLoadInternalSkin(benchmark::State& state) {
  static const auto package = storedskin::ReadFileBytes(PRISMATONE_INTERNAL_SKIN_FILE);
  WholeLoad(state, package);
}
BENCHMARK(BM_WholeLoadInternalSkin)->Unit(benchmark::kMillisecond);
#endif

// Unpacking alone (every entry inflated).
void BM_UnpackRepresentative(benchmark::State& state) {
  static const auto package = RepresentativePackage();
  for (auto _ : state) {
    auto c = std::make_unique<TsSkinConvertor>();
    TMemoryStream data(package);
    c->LendPackedData(data);
    ReadSkinPackage(c);
    c->ReleasePackedData();
    benchmark::DoNotOptimize(c->Files.size());
  }
}
BENCHMARK(BM_UnpackRepresentative)->Unit(benchmark::kMillisecond);

// One megapixel (some 66,000 colours in smooth runs; a skin's master bitmap holds about a
// thousand) shifted by hue 196 with key pixels skipped, a fresh copy each time.
template <typename Shift>
void HueOverMegapixel(benchmark::State& state, Shift shift) {
  TBitmap32 b = Picture(1000, 1000, 7, false);
  const TBitmap32 original = b;
  for (auto _ : state) {
    state.PauseTiming();
    b = original;
    state.ResumeTiming();
    shift(b);
    benchmark::DoNotOptimize(b.Pixel(0, 0));
  }
  state.SetItemsProcessed(state.iterations() * 1000000);
}

// Through TransformPixels, colour by colour.
void BM_ChangePixelHuePerMegapixel(benchmark::State& state) {
  HueOverMegapixel(state, [](TBitmap32& b) { TransformPixels(b, HueTransform, 196, clFuchsia); });
}
BENCHMARK(BM_ChangePixelHuePerMegapixel)->Unit(benchmark::kMillisecond);

// Through ShiftPixelsHue, which remembers the colours it met.
void BM_ShiftPixelsHuePerMegapixel(benchmark::State& state) {
  HueOverMegapixel(state, [](TBitmap32& b) { ShiftPixelsHue(b, 196, clFuchsia); });
}
BENCHMARK(BM_ShiftPixelsHuePerMegapixel)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
