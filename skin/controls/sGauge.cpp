#include "skin/controls/sGauge.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "framework/ControlDC.h"
#include "framework/Form.h"
#include "framework/Handles.h"
#include "framework/ResourceStream.h"
#include "framework/WinControl.h"
#include "imaging/PngCodec.h"
#include "skin/base/sColorMath.h"
#include "skin/base/sLightStrip.h"
#include "skin/controls/sGaugePicture.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sItemPaint.h"
#include "skin/paint/sSkinText.h"

namespace {

constexpr UINT kTextFlags = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;

// The "ORBL" picture of the program, decoded once; empty when the program has none (no light).
const TBitmap32& LightPicture() {
  static const TBitmap32 picture = [] {
    try {
      TResourceStream s(GetModuleHandleW(nullptr), L"ORBL", RT_RCDATA);
      return DecodePng(s.Memory(), std::size_t(s.Size()));
    } catch (const std::exception&) {
      return TBitmap32();
    }
  }();
  return picture;
}

long long RoundOf(double v) { return scolor::Round(v); }

// A pen and a brush selected into a device context for one drawing, put back afterwards.
class TPenAndBrush {
 public:
  TPenAndBrush(HDC dc, TColor pen, TColor brush, bool hollow)
      : dc_(dc), pen_(CreatePen(PS_SOLID, 1, ToColorRef(pen))),
        brush_(hollow ? nullptr : CreateSolidBrush(ToColorRef(brush))) {
    oldPen_ = SelectObject(dc_, pen_.get());
    oldBrush_ = SelectObject(dc_, brush_ ? static_cast<HGDIOBJ>(brush_.get()) : GetStockObject(NULL_BRUSH));
  }
  ~TPenAndBrush() {
    SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBrush_);
  }
  TPenAndBrush(const TPenAndBrush&) = delete;
  TPenAndBrush& operator=(const TPenAndBrush&) = delete;

 private:
  HDC dc_;
  TUniquePen pen_;
  TUniqueBrush brush_;
  HGDIOBJ oldPen_ = nullptr, oldBrush_ = nullptr;
};

void FillBlack(TBitmap& b) {
  GdiFlush();
  for (int y = 0; y < b.Height(); ++y) std::fill_n(b.Pixels().Row(y), b.Width(), 0u);
}

// p := p xor q over the whole picture (colour bytes; both pictures of one size).
void XorInto(TBitmap& p, TBitmap& q) {
  GdiFlush();
  for (int y = 0; y < p.Height(); ++y) {
    std::uint32_t* d = p.Pixels().Row(y);
    const std::uint32_t* s = q.Pixels().Row(y);
    for (int x = 0; x < p.Width(); ++x) d[x] ^= s[x] & 0x00FFFFFFu;
  }
}

}  // namespace

TBitmap32 TsGaugeLightHost::LightStrip(int length, int cross) { return MakeLightStrip(LightPicture(), length, cross); }

TsGaugeLightHost& ProgramGaugeLight() {
  static TsGaugeLightHost program;
  return program;
}

TsGauge::TsGauge(TComponent* owner, TsGaugeLightHost& light) : TsSkinnedControl(owner, 161), FLightHost(&light) {
  SetBoundsFields(0, 0, 120, 30);
  controlStyle_ |= csOpaque;
  FTimer = std::make_unique<TTimer>(nullptr);
  FTimer->SetEnabled(false);
  FTimer->SetInterval(kGaugeTimerInterval);
  FTimer->OnTimer = [this](TObject*) { TimerTick(); };
}

TsGauge::~TsGauge() {
  FTimer->SetEnabled(false);
  FTimer->OnTimer = nullptr;
}

// ---- Values -------------------------------------------------------------------------------

void TsGauge::Apply(TsGaugeRange::TChange change) {
  if (!change.Value) return;
  if (change.Percent) {
    if (!SkinChanging()) skinData_.BGChanged = true;
    Repaint();
  }
  if (OnChange) OnChange(this);
}

void TsGauge::SetMinValue(int v) {
  FRange.SetMinValue(v, Loading());
  Changed();
}

void TsGauge::SetMaxValue(int v) {
  FRange.SetMaxValue(v, Loading());
  Changed();
}

void TsGauge::Changed() {
  skinData_.BGChanged = true;
  if (!Loading()) Repaint();
}

void TsGauge::SetKind(TsGaugeKind v) {
  FKind = v;
  Changed();
}
void TsGauge::SetShowText(bool v) {
  FShowText = v;
  Changed();
}
void TsGauge::SetSuffix(const std::wstring& v) {
  FSuffix = v;
  Changed();
}
void TsGauge::SetCalcPercents(bool v) {
  FCalcPercents = v;
  Changed();
}
void TsGauge::SetForeColor(TColor v) {
  FForeColor = v;
  Changed();
}
void TsGauge::SetBackColor(TColor v) {
  FBackColor = v;
  Changed();
}
void TsGauge::SetSingleBorder(bool v) {
  FSingleBorder = v;
  Changed();
}
void TsGauge::SetProgressSkin(const std::wstring& v) {
  FProgressSkin = v;
  DropFillCache();
  Changed();
}

void TsGauge::SetAnimated(bool v) {
  FAnimated = v;
  DropFillCache();
  if (!Loading()) FTimer->SetEnabled(v);
  if (!v) Changed();
}

std::wstring TsGauge::ValueText() const {
  return std::to_wstring(FCalcPercents ? PercentDone() : Progress()) + FSuffix;
}

std::wstring TsGauge::ShownText() {
  std::wstring text = ValueText();
  if (OnPaintText) OnPaintText(this, text);
  return text;
}

// ---- Life cycle and messages --------------------------------------------------------------

void TsGauge::Loaded() {
  TsSkinnedControl::Loaded();
  if (FAnimated) FTimer->SetEnabled(true);
}

void TsGauge::WndProc(TMessage& m) {
  if (m.Msg == SM_SKINCOMMAND) {
    switch (SkinCommandCode(m.WParam)) {
      case SKIN_LOADED:
        if (ForThisManager(skinData_, m.LParam)) DropFillCache();
        break;
      case SKIN_UNLOADED:
        if (FAnimated) FTimer->SetEnabled(false);
        DropFillCache();
        TsSkinnedControl::WndProc(m);
        Repaint();
        return;
      case SKIN_REFRESH:
        DropFillCache();
        TsSkinnedControl::WndProc(m);
        Repaint();
        if (FAnimated) FTimer->SetEnabled(true);
        return;
      case SKIN_ISSKINNED:
        m.Result = 1;
        return;
      case SKIN_FREECACHE:
        DropFillCache();
        break;
      default:
        break;
    }
  }
  TsSkinnedControl::WndProc(m);
}

bool TsGauge::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "MinValue") SetMinValue(int(v.AsInteger()));
  else if (name == "MaxValue") SetMaxValue(int(v.AsInteger()));
  else if (name == "Progress") SetProgress(int(v.AsInteger()));
  else if (name == "ForeColor") SetForeColor(ColorFromLayout(v));
  else if (name == "BackColor") SetBackColor(ColorFromLayout(v));
  else if (name == "Suffix") SetSuffix(v.AsString());
  else if (name == "ShowText") SetShowText(v.AsBoolean());
  else if (name == "CalcPercents") SetCalcPercents(v.AsBoolean());
  else if (name == "Animated") SetAnimated(v.AsBoolean());
  else if (name == "ProgressSkin") SetProgressSkin(v.AsString());
  else if (name == "BorderStyle") SetSingleBorder(v.AsIdentifier() == L"bsSingle");
  else if (name == "Kind") {
    static const wchar_t* names[] = {L"gkText", L"gkHorizontalBar", L"gkVerticalBar", L"gkPie", L"gkNeedle"};
    int i = 0;
    while (i < 5 && v.AsIdentifier() != names[i]) ++i;
    if (i == 5) throw ELayoutError("unknown gauge kind");
    SetKind(TsGaugeKind(i));
  } else if (name == "OnChange") OnChange = ctx.MethodAs<TNotifyEvent>(v.AsIdentifier());
  else return TsSkinnedControl::SetProperty(name, v, ctx);
  return true;
}

// ---- The skinned picture ------------------------------------------------------------------

int TsGauge::BarLength() const { return FKind == TsGaugeKind::gkVerticalBar ? Height() : Width(); }

const TBitmap32* TsGauge::EnsureLight() {
  const int cross = FKind == TsGaugeKind::gkVerticalBar ? Width() : Height();
  if (FLight.Width() != kGaugeLightLength || FLight.Height() != cross)
    FLight = FLightHost->LightStrip(kGaugeLightLength, cross);
  return FLight.Empty() ? nullptr : &FLight;
}

void TsGauge::PrepareCache() {
  const int w = Width(), h = Height();
  if (w <= 0 || h <= 0) return;
  TBitmap& cache = skinData_.EnsureCache();
  if (cache.Width() != w || cache.Height() != h) cache.SetSize(w, h);
  const TCacheInfo bg = GetControlBackground(skinData_);
  const bool bar = FKind == TsGaugeKind::gkHorizontalBar || FKind == TsGaugeKind::gkVerticalBar;
  TsGaugeLook look{ItemSkinData(skinData_), bar, FKind == TsGaugeKind::gkVerticalBar, FAnimated, FProgressSkin,
                   PercentDone(), FLightWalk.AnimPos};
  GdiFlush();
  PaintGaugeBase(look, bg, cache.Pixels(), {Left(), Top()});
  const TRect client{0, 0, w, h};
  std::wstring text;
  if (FShowText) {
    text = ShownText();
    TCanvas canvas(cache.DC());
    canvas.Font = Font();
    DrawSkinText(canvas, text, Enabled(), false, skinData_, kTextFlags, client);
    GdiFlush();
  }
  if (bar) {
    TsGaugeFill fill = PaintGaugeFill(look, cache.Pixels(), FTmpProgressBmp, FAnimated ? EnsureLight() : nullptr);
    if (!fill.Pixels.Empty() && FShowText) {
      // The text again over the filled part, in the progress section's colours: only the part of
      // it lying over the fill changes colour.
      TBitmap part;
      part.Assign(fill.Pixels);
      TCanvas canvas(part.DC());
      canvas.Font = Font();
      const TRect r{-fill.At.X, -fill.At.Y, w - fill.At.X, h - fill.At.Y};
      DrawSectionText(canvas, text, Enabled(), skinData_.SkinManager(), 0, fill.Index, kTextFlags, r);
      GdiFlush();
      fill.Pixels = part.Pixels();
    }
    PlaceGaugeFill(fill, cache.Pixels());
  } else if (FKind == TsGaugeKind::gkPie) {
    DrawPie(cache.DC(), client, 0, false);
  } else if (FKind == TsGaugeKind::gkNeedle) {
    DrawNeedle(cache.DC(), client, 0);
  }
  GdiFlush();
  PaintGaugeBorder(look, bg, cache.Pixels());
  skinData_.BGChanged = false;
}

void TsGauge::CopyCacheTo(HDC dc) {
  if (const TBitmap* cache = skinData_.CacheBmp(); cache && cache->Width() > 0)
    BitBlt(dc, 0, 0, cache->Width(), cache->Height(), cache->DC(), 0, 0, SRCCOPY);
}

void TsGauge::Paint(TCanvas& canvas) {
  if (Width() <= 0 || Height() <= 0) return;
  if (!skinData_.Skinned()) {
    PaintPlain(canvas);
    return;
  }
  if (skinData_.FUpdating) {
    SetPixel(canvas.Handle(), 0, 0, RGB(255, 0, 255));
    return;
  }
  PrepareCache();
  RefreshCorners(skinData_, 0, crAllCorners);
  CopyCacheTo(canvas.Handle());
  // The picture is rebuilt on every paint; only the filled part is kept.
  skinData_.EmptyCache();
}

void TsGauge::TimerTick() {
  if (!skinData_.Skinned()) {
    FTimer->SetEnabled(false);
    return;
  }
  const int len = BarLength();
  if (!FLightWalk.Tick(len)) return;
  TWinControl* parent = Parent();
  if (Showing() && Progress() > 0 && parent && parent->HandleAllocated() && IsWindowVisible(parent->Handle())) {
    PrepareCache();
    RefreshCorners(skinData_, 0, crAllCorners);
    if (TControlDC at(*this); at) CopyCacheTo(at.dc());
    skinData_.EmptyCache();
  }
  FLightWalk.Advance(len);
}

// ---- Pie and needle -----------------------------------------------------------------------

// growBy: 1 with the unskinned look's single border (its sizes count both edges).
void TsGauge::DrawPie(HDC dc, const TRect& r, int growBy, bool unskinned) {
  const int w = r.Right - r.Left + growBy, h = r.Bottom - r.Top + growBy;
  const int p = PercentDone();
  {
    TPenAndBrush tools(dc, FForeColor, FBackColor, false);
    Ellipse(dc, r.Left, r.Top, r.Left + w, r.Top + h);
  }
  if (unskinned ? p <= 0 : p < 1) return;
  TPenAndBrush tools(dc, FForeColor, FForeColor, false);
  const double a = (p / 50.0 + 0.5) * std::numbers::pi;
  const int mx = w / 2, my = h / 2;
  Pie(dc, r.Left, r.Top, r.Left + w, r.Top + h, r.Left + int(RoundOf(mx * (1 - std::cos(a)))),
      r.Top + int(RoundOf(my * (1 - std::sin(a)))), r.Left + mx, r.Top);
}

void TsGauge::DrawNeedle(HDC dc, const TRect& r, int growBy) {
  const int w = r.Right - r.Left + growBy, bottom = r.Bottom - 1 + growBy;
  const int h = r.Bottom - r.Top + growBy;
  {
    TPenAndBrush tools(dc, FForeColor, FBackColor, growBy == 0);
    Pie(dc, r.Left, r.Top, r.Left + w, r.Top + 2 * h - 1, r.Left + w, bottom - 1, r.Left, bottom - 1);
    MoveToEx(dc, r.Left, bottom, nullptr);
    LineTo(dc, r.Left + w, bottom);
  }
  TPenAndBrush tools(dc, FForeColor, FBackColor, true);
  Pie(dc, r.Left, r.Top, r.Left + w, r.Top + 2 * h - 1, r.Left + w, bottom - 1, r.Left, bottom - 1);
  const int p = PercentDone();
  if (p < 1) return;
  const double a = p / 100.0 * std::numbers::pi;
  const int mx = Width() / 2;
  MoveToEx(dc, mx, bottom - 1, nullptr);
  LineTo(dc, int(RoundOf((1 - std::cos(a)) * mx)), int(RoundOf((1 - std::sin(a)) * (bottom - 1))));
}

// ---- The unskinned look -------------------------------------------------------------------

void TsGauge::PaintPlain(TCanvas& canvas) {
  const int w = Width(), h = Height();
  if (w <= 0 || h <= 0) return;
  TBitmap picture(w, h), shapes(w, h);
  FillBlack(picture);
  FillBlack(shapes);
  const int border = FSingleBorder ? 1 : 0;
  const TRect r{border, border, w - border, h - border};
  const int wide = r.Right - r.Left + 1, high = r.Bottom - r.Top + 1;
  const int p = PercentDone();
  TCanvas q(shapes.DC());
  switch (FKind) {
    case TsGaugeKind::gkText:
      q.BrushColor = FBackColor;
      q.FillRect(r);
      break;
    case TsGaugeKind::gkHorizontalBar: {
      q.BrushColor = FBackColor;
      q.FillRect(r);
      const int f = GaugeFilledLength(wide, p);
      if (f > 0) {
        q.BrushColor = FForeColor;
        q.FillRect(TRect{r.Left, r.Top, f, high});
      }
      break;
    }
    case TsGaugeKind::gkVerticalBar: {
      q.BrushColor = FBackColor;
      q.FillRect(r);
      int f = int(RoundOf(high * p * 0.01));
      if (f >= high) f = high - 1;
      if (f > 0) {
        q.BrushColor = FForeColor;
        q.FillRect(TRect{r.Left, high - f, wide, high});
      }
      break;
    }
    case TsGaugeKind::gkPie:
    case TsGaugeKind::gkNeedle:
      q.BrushColor = Color();
      q.FillRect(r);
      if (FKind == TsGaugeKind::gkPie) DrawPie(shapes.DC(), r, border, true);
      else DrawNeedle(shapes.DC(), r, border);
      break;
  }
  XorInto(picture, shapes);
  if (FShowText) {
    // The text in white on black, XORed in: inverted over the bar and over the background.
    const std::wstring text = ShownText();
    TBitmap words(w, h);
    FillBlack(words);
    TCanvas t(words.DC());
    t.Font = Font();
    t.Font.SetColor(clWhite);
    t.BrushClear = true;
    const TPoint size = t.TextExtent(text);
    const int x = (r.Right + 1 - r.Left - size.X) / 2, y = (r.Bottom - r.Top - size.Y + 1) / 2;
    TSavedDC saved(words.DC());
    IntersectClipRect(words.DC(), r.Left, r.Top, r.Right, r.Bottom);
    t.TextOut(x, y, text);
    XorInto(picture, words);
  }
  BitBlt(canvas.Handle(), 0, 0, w, h, picture.DC(), 0, 0, SRCCOPY);
}
