// The gauge in a real window: defaults, the range error, the skinned picture's filled part and
// light strip, the timer's tick, the unskinned look; and one tick timed beside a plain copy.
#include <gtest/gtest.h>

#include <cstdio>
#include <vector>

#include "../data/SkinTestUtil.h"
#include "../data/manager/ManagerTestUtil.h"
#include "../paint/PumpUtil.h"
#include "framework/Exception.h"
#include "framework/Form.h"
#include "skin/controls/sGauge.h"
#include "skin/paint/sSkinEngine.h"

namespace {

// GAUGE and PROGRESSH as plain opaque colours, so that every column's pixels are known.
constexpr std::uint32_t kGaugePixel = 0xFF102030u, kFillPixel = 0xFF00C000u;
std::string Options() {
  return "[GLOBALINFO]\r\nVERSION=7.20\r\nMASTERBITMAP=MASTER.BMP\r\n"
         "[GAUGE]\r\nSTATES=1\r\nCOLOR=3153936\r\nTRANSPARENCY=0\r\n"
         "[PROGRESSH]\r\nSTATES=1\r\nCOLOR=49152\r\nTRANSPARENCY=0\r\n";
}

using Column = std::vector<std::uint32_t>;
Column ColumnOf(const TBitmap32& b, int x) {
  Column c;
  for (int y = 0; y < b.Height(); ++y) c.push_back(b.Pixel(x, y));
  return c;
}

// The gauge's picture as PrepareCache leaves it.
TBitmap32 Picture(TsGauge& g) {
  g.PrepareCache();
  return g.SkinData().CacheBmp()->Pixels();
}

// Pixels of a window's client area, read through its device context.
TBitmap32 Screen(HWND wnd, const TRect& r) {
  TBitmap copy(r.Width(), r.Height());
  HDC dc = GetDC(wnd);
  BitBlt(copy.DC(), 0, 0, r.Width(), r.Height(), dc, r.Left, r.Top, SRCCOPY);
  ReleaseDC(wnd, dc);
  GdiFlush();
  return copy.Pixels();
}

// A light strip of opaque white, whatever its size.
class TWhiteLight : public TsGaugeLightHost {
 public:
  TBitmap32 LightStrip(int length, int cross) override { return skintest::Solid(length, cross, 0xFFFFFFFFu); }
};

class Gauge : public ::testing::Test {
 protected:
  TsSkinManager manager{nullptr};
  TWhiteLight whiteLight;  // outlives the form and its gauges
  TForm form{nullptr};
  TsGauge* gauge = nullptr;

  void SetUp() override {
    InstallSkinEngine();
    manager.InternalSkins().Add(mgrtest::StoredSkin(L"T", WriteSkinPackage(mgrtest::TestPackageEntries(Options()))));
    manager.SetSkinName(L"T");
    form.SetBounds(40, 40, 320, 120);
    gauge = Add(ProgramGaugeLight());
    form.Show();
    pumptest::PumpPending();
  }
  // A gauge of 200 × 20 at (10, 10) on the GAUGE section, without text, lit by `light`.
  TsGauge* Add(TsGaugeLightHost& light) {
    auto* g = new TsGauge(&form, light);
    g->SetParent(&form);
    g->SetBounds(10, 10, 200, 20);
    g->SkinData().SetSkinSection(L"GAUGE");
    g->SetShowText(false);
    g->Loaded();
    return g;
  }
  void TearDown() override { SetSkinPlatform(nullptr); }
};

}  // namespace

// A new gauge: 120 × 30, value 47 of 0 … 100, animated, its timer running once loaded.
TEST(GaugeDefaults, Values) {
  TForm form{nullptr};
  TsGauge g(&form);
  EXPECT_EQ(g.Width(), 120);
  EXPECT_EQ(g.Height(), 30);
  EXPECT_EQ(g.Progress(), 47);
  EXPECT_EQ(g.PercentDone(), 47);
  EXPECT_EQ(g.ValueText(), L"47%");
  EXPECT_TRUE(g.Animated());
  EXPECT_FALSE(g.TimerEnabled());
  g.Loaded();
  EXPECT_TRUE(g.TimerEnabled());
  g.SetAnimated(false);
  EXPECT_FALSE(g.TimerEnabled());
  g.SetCalcPercents(false);
  g.SetMaxValue(4);
  g.SetProgress(3);
  EXPECT_EQ(g.ValueText(), L"3%");
}

// MaxValue below MinValue raises the exact text and keeps the range; AddProgress stops at the end.
TEST_F(Gauge, RangeErrorAndChanges) {
  gauge->SetMinValue(5);
  try {
    gauge->SetMaxValue(4);
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Value must be between 6 and 2147483647");
  }
  EXPECT_EQ(gauge->MinValue(), 5);
  EXPECT_EQ(gauge->MaxValue(), 100);
  int changes = 0;
  gauge->OnChange = [&](TObject*) { ++changes; };
  gauge->SetMaxValue(8);
  gauge->SetProgress(7);
  gauge->AddProgress(5);
  gauge->AddProgress(5);
  EXPECT_EQ(gauge->Progress(), 8);
  EXPECT_EQ(changes, 2);
}

// Text and light off: column c − 1 shows the filled part, column c the empty gauge, and the
// filled part is kept for the next picture.
TEST_F(Gauge, FilledPartEndsAtItsLength) {
  gauge->SetAnimated(false);
  gauge->SetProgress(0);
  const TBitmap32 empty = Picture(*gauge);
  EXPECT_EQ(empty.Pixel(100, 10), kGaugePixel);
  gauge->SetProgress(25);  // c = 50
  const TBitmap32 quarter = Picture(*gauge);
  EXPECT_NE(ColumnOf(quarter, 49), ColumnOf(empty, 49));
  EXPECT_EQ(quarter.Pixel(49, 10), kFillPixel);
  EXPECT_EQ(ColumnOf(quarter, 50), ColumnOf(empty, 50));
  EXPECT_EQ(gauge->TmpProgressBmp().Width(), 50);
  EXPECT_EQ(gauge->TmpProgressBmp().Height(), 20);
}

// A synthetic opaque strip changes exactly the columns from its position to c − 1.
TEST_F(Gauge, LightStripChangesOnlyTheFilledColumnsUnderIt) {
  delete gauge;
  gauge = Add(whiteLight);
  gauge->SetProgress(50);  // c = 100
  gauge->Light().AnimPos = 9999;
  const TBitmap32 unlit = Picture(*gauge);
  gauge->Light().AnimPos = 30;
  const TBitmap32 lit = Picture(*gauge);
  for (int x = 0; x < 200; ++x) {
    const bool under = x >= 30 && x < 100;
    EXPECT_EQ(ColumnOf(lit, x) != ColumnOf(unlit, x), under) << "column " << x;
  }
  EXPECT_EQ(lit.Pixel(60, 5), 0xFFFEFEFEu);
  // The strip partly before the bar: from column 0.
  gauge->Light().AnimPos = -250;
  const TBitmap32 entering = Picture(*gauge);
  EXPECT_NE(ColumnOf(entering, 49), ColumnOf(unlit, 49));
  EXPECT_EQ(ColumnOf(entering, 50), ColumnOf(unlit, 50));
}

// At 0 a tick paints nothing but the light walks on and the timer keeps running; above 0 the
// tick paints the gauge straight onto the window.
TEST_F(Gauge, TickPaintsOnlyAFilledGauge) {
  gauge->SetProgress(0);
  pumptest::PumpPending();
  auto mark = [&] {
    HDC dc = GetDC(form.Handle());
    TUniqueBrush magenta(CreateSolidBrush(RGB(255, 0, 255)));
    RECT r{10, 10, 210, 30};
    FillRect(dc, &r, magenta.get());
    ReleaseDC(form.Handle(), dc);
  };
  mark();
  gauge->Light() = TsGaugeLight{};
  gauge->TimerTick();
  EXPECT_EQ(gauge->Light().AnimPos, -300 + 15);
  EXPECT_TRUE(gauge->TimerEnabled());
  EXPECT_EQ(Screen(form.Handle(), Bounds(10, 10, 200, 20)).Pixel(150, 10) & 0xFFFFFFu, 0xFF00FFu);
  gauge->SetProgress(100);
  mark();
  const int before = gauge->Light().AnimPos;
  gauge->TimerTick();
  EXPECT_EQ(gauge->Light().AnimPos, before + 15);
  EXPECT_EQ(Screen(form.Handle(), Bounds(10, 10, 200, 20)).Pixel(150, 10) & 0xFFFFFFu, kFillPixel & 0xFFFFFFu);
}

// Without a skin: 120 × 30 at 47 %, red bar: x 1–55 red, 56–118 white, the border black, in rows
// that the text does not reach.
TEST(GaugeUnskinned, FlatLook) {
  TForm form{nullptr};
  form.SetBounds(40, 40, 200, 100);
  auto* g = new TsGauge(&form);
  g->SetParent(&form);
  g->SetBounds(10, 10, 120, 30);
  g->SetForeColor(0x0000FF);
  g->Loaded();
  form.Show();
  pumptest::PumpPending();
  ASSERT_FALSE(g->SkinData().Skinned());
  g->Repaint();
  const TBitmap32 p = Screen(form.Handle(), Bounds(10, 10, 120, 30));
  // The text's rows: measured with the gauge's font.
  TBitmap probe(1, 1);
  TCanvas c(probe.DC());
  c.Font = g->Font();
  const int textHeight = c.TextExtent(g->ValueText()).Y;
  const int textTop = (28 - textHeight + 1) / 2;
  ASSERT_GT(textTop, 1);
  for (int y : {1, textTop - 1, 28 - (textTop - 1), 28}) {
    for (int x = 1; x <= 55; ++x) ASSERT_EQ(p.Pixel(x, y) & 0xFFFFFFu, 0xFF0000u) << x << "," << y;
    for (int x = 56; x <= 118; ++x) ASSERT_EQ(p.Pixel(x, y) & 0xFFFFFFu, 0xFFFFFFu) << x << "," << y;
    EXPECT_EQ(p.Pixel(0, y) & 0xFFFFFFu, 0u);
    EXPECT_EQ(p.Pixel(119, y) & 0xFFFFFFu, 0u);
  }
  for (int x = 0; x < 120; ++x) {
    EXPECT_EQ(p.Pixel(x, 0) & 0xFFFFFFu, 0u);
    EXPECT_EQ(p.Pixel(x, 29) & 0xFFFFFFu, 0u);
  }
}

// Timed and logged (not judged here): one tick of the setup's 465 × 25 gauge at 100 % (picture,
// corners, copy to the window) beside a BitBlt of the same size. Its budget is a tenth of the
// 22 ms step.
TEST_F(Gauge, TickTimeBesideACopy) {
  gauge->SetBounds(10, 10, 465, 25);
  form.SetBounds(40, 40, 520, 120);
  gauge->SetProgress(100);
  pumptest::PumpPending();
  LARGE_INTEGER f, t0, t1, t2;
  QueryPerformanceFrequency(&f);
  constexpr int kRuns = 50;
  TBitmap copy(465, 25);
  QueryPerformanceCounter(&t0);
  for (int i = 0; i < kRuns; ++i) {
    gauge->Light().LongTime = 0;
    gauge->Light().AnimPos = 100;
    gauge->TimerTick();
  }
  QueryPerformanceCounter(&t1);
  HDC dc = GetDC(form.Handle());
  for (int i = 0; i < kRuns; ++i) BitBlt(dc, 10, 10, 465, 25, copy.DC(), 0, 0, SRCCOPY);
  GdiFlush();
  ReleaseDC(form.Handle(), dc);
  QueryPerformanceCounter(&t2);
  const double tick = double(t1.QuadPart - t0.QuadPart) * 1000.0 / double(f.QuadPart) / kRuns;
  const double blit = double(t2.QuadPart - t1.QuadPart) * 1000.0 / double(f.QuadPart) / kRuns;
  std::printf("gauge tick 465x25: %.3f ms; BitBlt 465x25: %.3f ms; ratio %.1f\n", tick, blit, tick / blit);
  RecordProperty("tick_ms", std::to_string(tick));
  EXPECT_EQ(gauge->Light().AnimPos, 115);
}
