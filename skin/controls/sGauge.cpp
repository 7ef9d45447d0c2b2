#include "skin/controls/sGauge.h"

#include <algorithm>

TsGauge::TsGauge(TComponent* owner) : TsSkinnedControl(owner, 161) {
  SetBoundsFields(0, 0, 100, 24);
  controlStyle_ |= csOpaque;
}

void TsGauge::SetProgress(int v) {
  v = std::clamp(v, minValue_, std::max(minValue_, maxValue_));
  if (v == curValue_) return;
  curValue_ = v;
  Invalidate();
  if (OnChange) OnChange(this);
}

int TsGauge::PercentDone() const {
  if (maxValue_ <= minValue_) return 0;
  return int(std::int64_t(curValue_ - minValue_) * 100 / (maxValue_ - minValue_));
}

std::wstring TsGauge::ValueText() const {
  return std::to_wstring(calcPercents_ ? PercentDone() : curValue_) + suffix_;
}

void TsGauge::Paint(TCanvas& canvas) {
  TRect r = ClientRect();
  canvas.BrushColor = backColor_;
  canvas.FillRect(r);
  if (singleBorder_) {
    canvas.PenColor = clBlack;
    canvas.FrameRect(r);
    r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
  }
  TRect bar = r;
  if (kind_ == TsGaugeKind::gkVerticalBar) bar.Top = r.Bottom - r.Height() * PercentDone() / 100;
  else bar.Right = r.Left + r.Width() * PercentDone() / 100;
  if (kind_ != TsGaugeKind::gkText && bar.Width() > 0 && bar.Height() > 0) {
    canvas.BrushColor = foreColor_;
    canvas.FillRect(bar);
  }
  if (!showText_) return;
  // The text reads in the background colour over the filled part and in the bar colour beside it.
  canvas.BrushClear = true;
  const std::wstring text = ValueText();
  const UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
  {
    TSavedDC saved(canvas.Handle());
    ExcludeClipRect(canvas.Handle(), bar.Left, bar.Top, bar.Right, bar.Bottom);
    canvas.Font.SetColor(foreColor_);
    TRect t = r;
    canvas.DrawText(text, t, flags);
  }
  TSavedDC saved(canvas.Handle());
  IntersectClipRect(canvas.Handle(), bar.Left, bar.Top, bar.Right, bar.Bottom);
  canvas.Font.SetColor(backColor_);
  TRect t = r;
  canvas.DrawText(text, t, flags);
}

bool TsGauge::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "MinValue") minValue_ = int(v.AsInteger());
  else if (name == "MaxValue") maxValue_ = int(v.AsInteger());
  else if (name == "Progress") curValue_ = int(v.AsInteger());
  else if (name == "ForeColor") foreColor_ = ColorFromLayout(v);
  else if (name == "BackColor") backColor_ = ColorFromLayout(v);
  else if (name == "Suffix") suffix_ = v.AsString();
  else if (name == "ShowText") showText_ = v.AsBoolean();
  else if (name == "CalcPercents") calcPercents_ = v.AsBoolean();
  else if (name == "BorderStyle") singleBorder_ = v.AsIdentifier() == L"bsSingle";
  else if (name == "Kind") {
    static const wchar_t* names[] = {L"gkText", L"gkHorizontalBar", L"gkVerticalBar", L"gkPie", L"gkNeedle"};
    int i = 0;
    while (i < 5 && v.AsIdentifier() != names[i]) ++i;
    if (i == 5) throw ELayoutError("unknown gauge kind");
    kind_ = TsGaugeKind(i);
  } else if (name == "OnChange") OnChange = ctx.MethodAs<TNotifyEvent>(v.AsIdentifier());
  else return TsSkinnedControl::SetProperty(name, v, ctx);
  return true;
}
