// The gauge: a windowless progress indicator (text, horizontal or vertical bar, pie, needle).
// Skinned, it paints its section with the value text in the section's colours, the filled part
// of a bar with the progress section (its own copy of the text in that section's colours) and,
// when animated, a light strip sweeping along the filled part on a 22 ms timer. Without a skin it
// paints the flat look with the text in inverted colours.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "framework/Control.h"
#include "framework/Timer.h"
#include "skin/controls/sGaugeRange.h"
#include "skin/paint/sSkinnedControl.h"

enum class TsGaugeKind { gkText, gkHorizontalBar, gkVerticalBar, gkPie, gkNeedle };

// Raised before the value text is drawn; may replace it.
using TsPaintTextEvent = std::function<void(TObject* sender, std::wstring& text)>;

// Where the gauge's light strip comes from: stretched from the program's "ORBL" picture by
// default; a test passes a strip it knows.
class TsGaugeLightHost {
 public:
  virtual ~TsGaugeLightHost() = default;
  // The strip laid over the bar, length × cross pixels; empty when there is no light.
  virtual TBitmap32 LightStrip(int length, int cross);
};

// The program's own light.
TsGaugeLightHost& ProgramGaugeLight();

class TsGauge : public TsSkinnedControl<TGraphicControl> {
 public:
  // light: the source of the light strip (not owned; it outlives the gauge).
  explicit TsGauge(TComponent* owner, TsGaugeLightHost& light = ProgramGaugeLight());
  ~TsGauge() override;

  int MinValue() const { return FRange.MinValue(); }
  int MaxValue() const { return FRange.MaxValue(); }
  int Progress() const { return FRange.Progress(); }
  // Raise "Value must be between %d and %d" when they would invert the range (not while loading).
  void SetMinValue(int v);
  void SetMaxValue(int v);
  // Limited to the range; repaints at once when the percentage moves, raises OnChange.
  void SetProgress(int v) { Apply(FRange.SetProgress(v)); }
  // Progress + delta, stopping at the ends of the range.
  void AddProgress(int delta) { Apply(FRange.AddProgress(delta)); }
  int PercentDone() const { return FRange.PercentDone(); }

  TsGaugeKind Kind() const { return FKind; }
  void SetKind(TsGaugeKind v);
  bool ShowText() const { return FShowText; }
  void SetShowText(bool v);
  const std::wstring& Suffix() const { return FSuffix; }
  void SetSuffix(const std::wstring& v);
  bool CalcPercents() const { return FCalcPercents; }
  void SetCalcPercents(bool v);
  TColor ForeColor() const { return FForeColor; }
  void SetForeColor(TColor v);
  TColor BackColor() const { return FBackColor; }
  void SetBackColor(TColor v);
  bool SingleBorder() const { return FSingleBorder; }
  void SetSingleBorder(bool v);
  const std::wstring& ProgressSkin() const { return FProgressSkin; }
  void SetProgressSkin(const std::wstring& v);
  bool Animated() const { return FAnimated; }
  void SetAnimated(bool v);

  // The number (PercentDone, or Progress without CalcPercents) and the suffix.
  std::wstring ValueText() const;

  TNotifyEvent OnChange;
  TsPaintTextEvent OnPaintText;

  // Builds the skinned picture into the cache (SkinData().CacheBmp()).
  void PrepareCache();
  // One step of the light animation (the timer's handler).
  void TimerTick();
  bool TimerEnabled() const { return FTimer && FTimer->Enabled(); }
  // The light's walk and the cached picture of the filled part.
  const TsGaugeLight& Light() const { return FLightWalk; }
  TsGaugeLight& Light() { return FLightWalk; }
  const TBitmap32& TmpProgressBmp() const { return FTmpProgressBmp; }

  void Loaded() override;
  void WndProc(TMessage& m) override;
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

 protected:
  void Paint(TCanvas& canvas) override;
  void PaintPlain(TCanvas& canvas) override;

 private:
  void Apply(TsGaugeRange::TChange change);
  void Changed();           // the look changed: a fresh picture, painted now
  void DropFillCache() { FTmpProgressBmp = TBitmap32(); }
  std::wstring ShownText();  // ValueText after OnPaintText
  int BarLength() const;
  // The strip at the bar's cross size, from the light host when the size changed.
  const TBitmap32* EnsureLight();
  void DrawPie(HDC dc, const TRect& r, int growBy, bool unskinned);
  void DrawNeedle(HDC dc, const TRect& r, int growBy);
  void CopyCacheTo(HDC dc);

  TsGaugeRange FRange;
  TsGaugeKind FKind = TsGaugeKind::gkHorizontalBar;
  bool FShowText = true;
  std::wstring FSuffix = L"%";
  TColor FForeColor = clBlack;
  TColor FBackColor = clWhite;
  bool FSingleBorder = true;
  std::wstring FProgressSkin;
  bool FCalcPercents = true;
  bool FAnimated = true;
  TsGaugeLight FLightWalk;
  TsGaugeLightHost* FLightHost;
  // The light strip at the bar's cross size, as the host gave it.
  TBitmap32 FLight;
  std::unique_ptr<TTimer> FTimer;
  TBitmap32 FTmpProgressBmp;
};
