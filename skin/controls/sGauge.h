// The gauge: a windowless progress bar with its value as text.
#pragma once
#include "framework/Control.h"
#include "skin/paint/sSkinnedControl.h"

enum class TsGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };

class TsGauge : public TsSkinnedControl<TGraphicControl> {
 public:
  explicit TsGauge(TComponent* owner);
  int MinValue() const { return minValue_; }
  int MaxValue() const { return maxValue_; }
  int Progress() const { return curValue_; }
  void SetProgress(int v);
  void AddProgress(int delta) { SetProgress(curValue_ + delta); }
  TColor ForeColor() const { return foreColor_; }
  TColor BackColor() const { return backColor_; }
  const std::wstring& Suffix() const { return suffix_; }
  TsGaugeKind Kind() const { return kind_; }
  // Share of the range reached, 0 to 100 (whole percent, rounded down).
  int PercentDone() const;
  // The text drawn over the bar: the percentage (or raw value) followed by the suffix.
  std::wstring ValueText() const;
  TNotifyEvent OnChange;
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

 protected:
  void Paint(TCanvas& canvas) override;

 private:
  int minValue_ = 0, maxValue_ = 100, curValue_ = 0;
  TsGaugeKind kind_ = TsGaugeKind::gkHorizontalBar;
  bool showText_ = true;
  std::wstring suffix_ = L"%";
  TColor foreColor_ = clBlack;
  TColor backColor_ = clWhite;
  bool calcPercents_ = true;
  bool singleBorder_ = true;
};
