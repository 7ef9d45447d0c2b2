// The gauge's range and value, and the arithmetic of its picture: the percentage, the filled
// length of a bar and the light strip's walk along it. No Windows API: built and tested natively.
//
// The range setters accept every int32, so every difference is taken in 64 bits: MaxValue −
// MinValue, Progress − MinValue and Progress + n may not fit 32 bits.
#pragma once
#include <cstdint>
#include <string>

// Range and value. Setters say what changed; the control repaints and raises OnChange.
class TsGaugeRange {
 public:
  int MinValue() const { return min_; }
  int MaxValue() const { return max_; }
  int Progress() const { return cur_; }

  // What a value change did: the value moved (raise OnChange), the percentage moved (repaint).
  struct TChange {
    bool Value = false;
    bool Percent = false;
  };
  // v limited to MinValue … MaxValue; nothing changes when that is the current value.
  TChange SetProgress(std::int64_t v);
  // Progress + delta in 64 bits, so that a step past the end of the range stops at it.
  TChange AddProgress(int delta) { return SetProgress(std::int64_t(cur_) + delta); }
  // v above MaxValue (not while loading) throws Exception("Value must be between %d and %d")
  // with −2147483647 and MaxValue − 1, range kept; otherwise stores v and raises the value to it.
  void SetMinValue(int v, bool loading);
  // v below MinValue (not while loading) throws the same text with MinValue + 1 and 2147483647.
  void SetMaxValue(int v, bool loading);
  // Stored values while loading, before the range is complete: kept as they are.
  void LoadProgress(int v) { cur_ = v; }

  // 0 when MaxValue = MinValue, else Round(100 / (MaxValue − MinValue) · (Progress − MinValue))
  // in extended precision, halves to even.
  int PercentDone() const;

 private:
  int min_ = 0, max_ = 100, cur_ = 47;
};

// The text of the range errors, the numbers in 64 bits.
std::wstring GaugeRangeErrorText(std::int64_t low, std::int64_t high);

// The filled length of a bar of length len at a percentage: min(Round(len · percent · 0.01), len),
// never below 0.
int GaugeFilledLength(int len, int percent);

// The light strip and its walk: 300 pixels long, a tick every 22 ms, a cycle of 2222 ms.
inline constexpr int kGaugeLightLength = 300;
inline constexpr unsigned kGaugeTimerInterval = 22;
inline constexpr int kGaugeCycle = 2222;

// Pixels the strip moves per tick on a bar of length len: max(15, Round(len / (2222 / 44))).
int GaugeLightStep(int len);

// Where the strip is in its cycle. A new gauge starts a cycle at its first tick.
struct TsGaugeLight {
  int LongTime = kGaugeCycle + 1;  // ms into the cycle
  int AnimPos = 9999;              // the strip's left (or top) edge along the bar

  // One timer tick on a bar of length len: a cycle past its end restarts with the strip just
  // before the bar; then the time moves on. True when the strip is still on its way along the
  // bar: the caller paints it (when the gauge shows) and then calls Advance.
  bool Tick(int len);
  void Advance(int len) { AnimPos += GaugeLightStep(len); }
  // Whether a strip at AnimPos reaches into a filled part of length filled.
  bool Over(int filled) const { return std::int64_t(AnimPos) < std::int64_t(filled) + kGaugeLightLength; }
};
