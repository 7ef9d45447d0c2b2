#include "skin/controls/sGaugeRange.h"

#include <algorithm>
#include <climits>

#include "framework/Exception.h"
#include "skin/base/sColorMath.h"

TsGaugeRange::TChange TsGaugeRange::SetProgress(std::int64_t v) {
  // A range left inverted by the stored layout holds the value at its minimum.
  v = std::max<std::int64_t>(std::min<std::int64_t>(v, std::max(min_, max_)), min_);
  if (v == cur_) return {};
  const int before = PercentDone();
  cur_ = int(v);
  return {true, PercentDone() != before};
}

void TsGaugeRange::SetMinValue(int v, bool loading) {
  if (v > max_ && !loading) throw Exception(GaugeRangeErrorText(-std::int64_t(INT_MAX), std::int64_t(max_) - 1));
  min_ = v;
  if (cur_ < v) cur_ = v;
}

void TsGaugeRange::SetMaxValue(int v, bool loading) {
  if (v < min_ && !loading) throw Exception(GaugeRangeErrorText(std::int64_t(min_) + 1, INT_MAX));
  max_ = v;
  if (cur_ > v) cur_ = v;
}

int TsGaugeRange::PercentDone() const {
  const std::int64_t span = std::int64_t(max_) - min_;
  if (span == 0) return 0;
  const long double p = 100.0L / static_cast<long double>(span) * static_cast<long double>(std::int64_t(cur_) - min_);
  return int(scolor::Round(p));
}

std::wstring GaugeRangeErrorText(std::int64_t low, std::int64_t high) {
  return L"Value must be between " + std::to_wstring(low) + L" and " + std::to_wstring(high);
}

int GaugeFilledLength(int len, int percent) {
  if (len <= 0 || percent <= 0) return 0;
  const long long c = scolor::Round(static_cast<long double>(len) * percent * 0.01L);
  return int(std::min<long long>(c, len));
}

int GaugeLightStep(int len) {
  return int(std::max<long long>(15, scolor::Round(static_cast<long double>(len) / (kGaugeCycle / 44.0L))));
}

bool TsGaugeLight::Tick(int len) {
  if (LongTime > kGaugeCycle) {
    AnimPos = -kGaugeLightLength;
    LongTime = 0;
  }
  LongTime += int(kGaugeTimerInterval);
  return AnimPos < len;
}
