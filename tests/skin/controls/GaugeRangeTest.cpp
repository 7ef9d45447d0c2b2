// The gauge's value arithmetic: percentages rounded half to even, the range errors with their
// exact texts, 64-bit differences over the whole int32 range, filled lengths and the light walk.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <vector>

#include "framework/Exception.h"
#include "skin/controls/sGaugeRange.h"

namespace {

// Raises the value n times by one, collecting the percentages and counting the changes.
std::vector<int> Raise(TsGaugeRange& r, int n, int& changes) {
  std::vector<int> shown;
  for (int i = 0; i < n; ++i) {
    if (r.AddProgress(1).Value) ++changes;
    shown.push_back(r.PercentDone());
  }
  return shown;
}

std::wstring ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return L"(no error)";
}

}  // namespace

// A new gauge reads 47 of 0 … 100.
TEST(GaugeRange, Defaults) {
  TsGaugeRange r;
  EXPECT_EQ(r.MinValue(), 0);
  EXPECT_EQ(r.MaxValue(), 100);
  EXPECT_EQ(r.Progress(), 47);
  EXPECT_EQ(r.PercentDone(), 47);
}

// The setup's gauge (0 … 4) raised six times: 25, 50, 75, 100, 100, 100 with four changes; 12.5 %
// rounds to the even 12; an empty range reads 0.
TEST(GaugeRange, PercentagesAndChanges) {
  TsGaugeRange r;
  r.SetMaxValue(4, false);
  r.SetProgress(0);
  int changes = 0;
  EXPECT_EQ(Raise(r, 6, changes), (std::vector<int>{25, 50, 75, 100, 100, 100}));
  EXPECT_EQ(changes, 4);

  TsGaugeRange eighths;
  eighths.SetMaxValue(8, false);
  eighths.SetProgress(1);
  EXPECT_EQ(eighths.PercentDone(), 12);
  eighths.SetProgress(3);  // 37.5 → 38
  EXPECT_EQ(eighths.PercentDone(), 38);

  TsGaugeRange empty;
  empty.SetMaxValue(0, false);
  EXPECT_EQ(empty.Progress(), 0);
  EXPECT_EQ(empty.PercentDone(), 0);
  // A value that does not move reports nothing; one whose percentage stays reports the value only.
  TsGaugeRange fine;
  fine.SetMaxValue(1000, false);
  fine.SetProgress(0);
  EXPECT_FALSE(fine.SetProgress(0).Value);
  const auto c = fine.SetProgress(1);
  EXPECT_TRUE(c.Value);
  EXPECT_FALSE(c.Percent);
}

// Range errors carry the exact text and keep the range; the bound next to the other one is fine.
TEST(GaugeRange, RangeErrors) {
  TsGaugeRange r;
  r.SetMinValue(10, false);
  EXPECT_EQ(ErrorOf([&] { r.SetMaxValue(9, false); }), L"Value must be between 11 and 2147483647");
  EXPECT_EQ(ErrorOf([&] { r.SetMinValue(101, false); }), L"Value must be between -2147483647 and 99");
  EXPECT_EQ(r.MinValue(), 10);
  EXPECT_EQ(r.MaxValue(), 100);
  EXPECT_EQ(r.Progress(), 47);
  r.SetMaxValue(10, false);
  EXPECT_EQ(r.Progress(), 10);
  r.SetMinValue(10, false);
  // While loading the range may pass through an inverted state.
  r.SetMinValue(50, true);
  EXPECT_EQ(r.MinValue(), 50);
  // Bounds at the ends of int32: the texts' numbers do not wrap.
  TsGaugeRange low;
  low.SetMinValue(INT_MIN, false);
  low.SetMaxValue(INT_MIN, false);
  EXPECT_EQ(ErrorOf([&] { low.SetMinValue(INT_MIN + 1, false); }), L"Value must be between -2147483647 and -2147483649");
  TsGaugeRange high;
  high.SetMaxValue(INT_MAX, false);
  high.SetMinValue(INT_MAX, false);
  EXPECT_EQ(ErrorOf([&] { high.SetMaxValue(INT_MAX - 1, false); }), L"Value must be between 2147483648 and 2147483647");
}

// The whole int32 range: 50 % at 0, 100 % at the maximum; AddProgress past the maximum stops there
// with one change (every difference would overflow 32 bits).
TEST(GaugeRange, WholeInt32Range) {
  TsGaugeRange r;
  r.SetMinValue(-2147483647, false);
  r.SetMaxValue(2147483647, false);
  r.SetProgress(0);
  EXPECT_EQ(r.PercentDone(), 50);
  r.SetProgress(INT_MAX - 1);
  int changes = 0;
  if (r.AddProgress(5).Value) ++changes;
  if (r.AddProgress(5).Value) ++changes;
  EXPECT_EQ(r.Progress(), INT_MAX);
  EXPECT_EQ(r.PercentDone(), 100);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(r.AddProgress(INT_MIN).Value);
  EXPECT_EQ(r.Progress(), -1);
  r.SetMinValue(INT_MIN, false);
  r.SetProgress(INT_MIN);
  EXPECT_EQ(r.PercentDone(), 0);
  EXPECT_FALSE(r.AddProgress(-5).Value);
}

// Filled lengths on the setup's 465-pixel bar and the light's step: at least 15 pixels a tick.
TEST(GaugeRange, FilledLengthAndLightStep) {
  EXPECT_EQ(GaugeFilledLength(465, 25), 116);
  EXPECT_EQ(GaugeFilledLength(465, 75), 349);
  EXPECT_EQ(GaugeFilledLength(465, 100), 465);
  EXPECT_EQ(GaugeFilledLength(465, 0), 0);
  EXPECT_EQ(GaugeFilledLength(465, 140), 465);
  EXPECT_EQ(GaugeFilledLength(2, 25), 0);  // 0.5 → 0
  EXPECT_EQ(GaugeFilledLength(6, 25), 2);  // 1.5 → 2
  EXPECT_EQ(GaugeLightStep(465), 15);
  EXPECT_EQ(GaugeLightStep(1010), 20);
  EXPECT_EQ(GaugeLightStep(1035), 20);  // 20.49…
  EXPECT_EQ(GaugeLightStep(1060), 21);  // 20.99…
}

// The light's cycle: the first tick starts it 300 pixels before the bar; the strip walks 15 a
// tick until it has passed the end, then rests until 2222 ms after the start.
TEST(GaugeRange, LightCycle) {
  TsGaugeLight light;
  std::vector<int> painted;
  int ticks = 1;
  for (; ticks <= 200; ++ticks) {
    const bool going = light.Tick(465);
    if (ticks > 1 && light.LongTime == 22) break;  // the next cycle began
    if (going) {
      painted.push_back(light.AnimPos);
      light.Advance(465);
    }
  }
  ASSERT_FALSE(painted.empty());
  EXPECT_EQ(painted.front(), -300);
  EXPECT_EQ(painted[1], -285);
  EXPECT_EQ(painted.back(), 465 - 15);
  EXPECT_EQ(painted.size(), std::size_t((465 + 300) / 15));
  // A cycle is 102 ticks: the first whose time is past 2222 ms (2244) begins the next one.
  EXPECT_EQ(ticks, 103);
  EXPECT_TRUE(light.Over(1));
  light.AnimPos = 301;
  EXPECT_FALSE(light.Over(1));
}
