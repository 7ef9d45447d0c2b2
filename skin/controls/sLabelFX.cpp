// The effect label: its shadow and kind settings, its place when the shadow margins change, and
// its text drawn over the glow.
#include <cmath>

#include "framework/WinControl.h"
#include "skin/base/sFill.h"
#include "skin/controls/sLabel.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sSkinText.h"

// ---- TsShadow and TsKind ------------------------------------------------------------------------

void TsShadow::CacheChannels(TColor c) {
  sr = int(c & 0xFF);
  sg = int((c >> 8) & 0xFF);
  sb = int((c >> 16) & 0xFF);
}

void TsShadow::SetMode(TsShadowMode v) {
  if (v == mode_) return;
  mode_ = v;
  CacheChannels(parent_.CurrentShadowData().Color);
  parent_.UpdatePosition();
  parent_.Invalidate();
}

void TsShadow::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  CacheChannels(parent_.CurrentShadowData().Color);
  parent_.Invalidate();
}

void TsShadow::SetBlurCount(int v) {
  if (v == blurCount_) return;
  blurCount_ = v;
  parent_.UpdatePosition();
  parent_.Invalidate();
}

void TsShadow::SetDistance(int v) {
  if (v == distance_) return;
  distance_ = v;
  parent_.UpdatePosition();
  parent_.Invalidate();
}

void TsShadow::SetAlphaValue(int v) {
  if (v == alpha_) return;
  alpha_ = v;
  parent_.Invalidate();
}

void TsKind::SetKindType(TsKindType v) {
  if (v == kindType_) return;
  kindType_ = v;
  owner_.Invalidate();
}

void TsKind::SetColor(TColor v) {
  if (v == color_) return;
  color_ = v;
  owner_.Invalidate();
}

// ---- TsLabelFX ----------------------------------------------------------------------------------

namespace {
TAlignment ReadingAlignment(TAlignment a, UINT flags) {
  if (!(flags & DT_RTLREADING) || a == TAlignment::taCenter) return a;
  return a == TAlignment::taLeftJustify ? TAlignment::taRightJustify : TAlignment::taLeftJustify;
}

// A copy of the font turned by angle degrees (escapement in tenths).
TUniqueFont RotatedFont(const TFont& font, int angle) {
  LOGFONTW lf{};
  GetObjectW(font.Handle(), sizeof lf, &lf);
  lf.lfEscapement = lf.lfOrientation = angle * 10;
  return TUniqueFont(CreateFontIndirectW(&lf));
}

void TextAtCorner(HDC dc, HFONT font, TColor color, int x, int y, const std::wstring& text) {
  TSelectObject sel(dc, font);
  SetTextColor(dc, ToColorRef(color));
  SetBkMode(dc, TRANSPARENT);
  ExtTextOutW(dc, x, y, 0, nullptr, text.c_str(), UINT(text.size()), nullptr);
}
}  // namespace

TsLabelFX::TsLabelFX(TComponent* owner) : TsCustomLabel(owner) {}

TShadowData TsLabelFX::CurrentShadowData() const {
  const TShadowData custom{shadow_.Color(), shadow_.BlurCount(), shadow_.Distance(), shadow_.AlphaValue()};
  switch (shadow_.Mode()) {
    case TsShadowMode::smNone:
      return {};
    case TsShadowMode::smCustom:
      return custom;
    case TsShadowMode::smSkin1: {
      const TsSkinManager* m = SkinManager();
      if (m && m->CommonSkinData().Active && m->CommonSkinData().Shadow1Blur != -1) {
        const TsSkinData& d = m->CommonSkinData();
        return {d.Shadow1Color, d.Shadow1Blur, d.Shadow1Offset, shadow_.AlphaValue()};
      }
      return custom;
    }
  }
  return custom;
}

TColor TsLabelFX::CurrentFontColor() {
  switch (kind_.KindType()) {
    case TsKindType::ktStandard:
      return ColorToRGB(Color());
    case TsKindType::ktCustom:
      return ColorToRGB(kind_.Color());
    case TsKindType::ktSkin:
      break;
  }
  if (Skinned()) {
    TsSkinManager* m = SkinManager();
    if (!SkinSection().empty()) SkinIndex = m->GetSkinIndex(SkinSection());
    if (m->IsValidSkinIndex(SkinIndex)) return SectionFontColor(SkinIndex);
    const int g = m->ConstData.IndexGLobalInfo;
    if (m->IsValidSkinIndex(g)) {
      const TColor outline = m->gd()[std::size_t(g)].Props[0].FontColor.Left;
      if (outline != TColor(-1)) return ColorToRGB(outline);
    }
  }
  return ColorToRGB(kind_.Color());
}

void TsLabelFX::SetAngle(int v) {
  if (v == angle_) return;
  angle_ = v;
  if (v != 0 && WordWrap()) SetWordWrap(false);
  if (AutoSize()) AdjustBounds();
  Invalidate();
}

void TsLabelFX::Invalidate() {
  if (WordWrap() && angle_ != 0) angle_ = 0;
  TsCustomLabel::Invalidate();
}

void TsLabelFX::UpdatePosition() {
  if (Loading()) return;
  const TShadowMargins m = ShadowMargins(CurrentShadowData());
  if (m.LeftTop == shadow_.OffsetKeeper.LeftTop && m.RightBottom == shadow_.OffsetKeeper.RightBottom) return;
  IntPosChanging = true;
  AdjustBounds();  // still sees the old margins in OffsetKeeper
  shadow_.OffsetKeeper = {m.LeftTop, m.RightBottom};
  IntPosChanging = false;
}

TPoint TsLabelFX::MeasureText(const std::wstring& text, const TRect& r, UINT format) const {
  TWindowDC screen(nullptr);
  TCanvas canvas(screen.dc());
  canvas.Font = Font();
  if (WordWrap()) {
    TRect m{0, 0, r.Width(), 0};
    canvas.DrawText(text, m, (format | DT_CALCRECT | DT_WORDBREAK) & ~DT_SINGLELINE);
    return {m.Width(), m.Height()};
  }
  return canvas.TextExtent(text);
}

void TsLabelFX::AdjustBounds() {
  if (ComponentState() & (csReading | csLoading)) return;
  if (!Parent()) return;
  TLabelBoundsInput in;
  in.Bounds = BoundsRect();
  in.Kept = {shadow_.OffsetKeeper.LeftTop, shadow_.OffsetKeeper.RightBottom};
  in.Current = ShadowMargins(CurrentShadowData());
  in.AutoSize = AutoSize();
  in.Alignment = Alignment();
  in.Layout = Layout();
  if (in.AutoSize) {
    TWindowDC screen(nullptr);
    TCanvas canvas(screen.dc());
    canvas.Font = Font();
    TRect r{0, 0, 0x7FFFFFFF, 0};
    UINT f = DT_CALCRECT | DT_EXPANDTABS | DT_NOPREFIX;
    if (WordWrap()) f |= DT_WORDBREAK;
    canvas.DrawText(std::wstring(Caption().empty() || (ShowAccelChar() && Caption() == L"&") ? Caption() + L" " : Caption()), r, f);
    in.Text = RotatedExtent({r.Width(), r.Height()}, angle_);
  }
  const TRect b = AdjustedLabelBounds(in);
  SetBounds(b.Left, b.Top, b.Width(), b.Height());
}

void TsLabelFX::DoDrawText(TCanvas& canvas, TRect& R, UINT F) {
  if (Loading() || (shadow_.Mode() == TsShadowMode::smNone && SkinIndex < 0)) {
    TsCustomLabel::DoDrawText(canvas, R, F);
    return;
  }
  const bool calc = F & DT_CALCRECT;
  const TShadowData S = CurrentShadowData();
  shadow_.CacheChannels(S.Color);
  const TShadowMargins margins = ShadowMargins(S);
  OffsTopLeft = margins.LeftTop;
  const std::wstring text = Caption().empty() || (calc && ShowAccelChar() && Caption() == L"&") ? Caption() + L" " : Caption();
  const std::wstring shown = calc ? text : Caption();
  UINT format = (F & (DT_RTLREADING | DT_CALCRECT)) | DT_NOCLIP | (ShowAccelChar() ? 0 : DT_NOPREFIX) |
                (WordWrap() ? DT_WORDBREAK : DT_SINGLELINE);
  canvas.Font = Font();
  canvas.BrushClear = true;
  const TPoint extent = MeasureText(shown, R, format);
  TUniqueFont rotated;
  TPoint box = extent, origin{0, 0};
  if (angle_ != 0) {
    rotated = RotatedFont(Font(), angle_);
    box = RotatedExtent(extent, angle_);
    origin = RotatedOrigin(extent, box, angle_);
  }
  TRect T = LabelTextRect(R, box, margins, S.Offset, ReadingAlignment(Alignment(), F), Layout());
  HDC dc = canvas.Handle();
  if (!Enabled() && !calc) {
    // Embossed, no glow: the highlight one pixel down and right, the shadow colour in place.
    for (auto [d, c] : {std::pair{1, clBtnHighlight}, std::pair{0, clBtnShadow}}) {
      if (rotated) {
        TextAtCorner(dc, rotated.get(), c, T.Left + origin.X + d, T.Top + origin.Y + d, shown);
      } else {
        TRect moved{T.Left + d, T.Top + d, T.Right + d, T.Bottom + d};
        canvas.Font.SetColor(c);
        canvas.DrawText(shown, moved, format);
      }
    }
    return;
  }
  const TColor textColor = CurrentFontColor();
  canvas.Font.SetColor(textColor);
  if (calc || !GlowWanted(S)) {
    if (rotated && !calc) TextAtCorner(dc, rotated.get(), textColor, T.Left + origin.X, T.Top + origin.Y, shown);
    else canvas.DrawText(shown, T, format);
    if (calc) R = T;
    return;
  }
  if (!(shadow_.ShadowBuffered && !FNeedInvalidate && FMask)) DrawGlowImage(canvas, R, T, shown, format, S, rotated.get(), origin);
  GdiFlush();
  BitBlt(dc, 0, 0, FMask->Width(), FMask->Height(), FMask->DC(), 0, 0, SRCCOPY);
  if (rotated) TextAtCorner(dc, rotated.get(), textColor, T.Left + origin.X, T.Top + origin.Y, shown);
  else if (SkinIndex == -1) canvas.DrawText(shown, T, format);
  else DrawSectionText(canvas, shown, true, SkinManager(), 0, SkinIndex, format, T);
}

void TsLabelFX::DrawGlowImage(TCanvas& canvas, const TRect& R, const TRect& T, const std::wstring& text, UINT format,
                              const TShadowData& S, HFONT rotated, TPoint origin) {
  if (!FMask) FMask = std::make_unique<TBitmap>();
  FMask->SetSize(std::max(0, R.Width()), std::max(0, R.Height()));
  if (FMask->Width() > 0 && FMask->Height() > 0) {
    // The text in white on black, moved by the shadow's offset: the stamp of the glow.
    FillPixels(FMask->Pixels(), TRect{0, 0, FMask->Width(), FMask->Height()}, 0, 255);
    TCanvas mask(FMask->DC());
    mask.Font = Font();
    mask.Font.SetColor(clWhite);
    mask.BrushClear = true;
    TRect moved{T.Left + S.Offset, T.Top + S.Offset, T.Right + S.Offset, T.Bottom + S.Offset};
    if (rotated) TextAtCorner(FMask->DC(), rotated, clWhite, moved.Left + origin.X, moved.Top + origin.Y, text);
    else mask.DrawText(text, moved, format);
    GdiFlush();
  }
  glow_.Build(FMask->Pixels(), S.Blur);
  const bool transparent = Transparent();
  if (transparent) {
    // What the parent has painted under the label.
    BitBlt(FMask->DC(), 0, 0, FMask->Width(), FMask->Height(), canvas.Handle(), 0, 0, SRCCOPY);
    GdiFlush();
  }
  glow_.Compose(FMask->Pixels(), ColorToRGB(S.Color), S.Alpha, transparent, ColorToRGB(Color()));
  FNeedInvalidate = false;
}

void TsLabelFX::WndProc(TMessage& m) {
  switch (m.Msg) {
    case SM_SKINCOMMAND:
      if ((SkinCommandCode(m.WParam) == SKIN_LOADED || SkinCommandCode(m.WParam) == SKIN_UNLOADED) && !Destroying())
        UpdatePosition();
      break;
    case WM_WINDOWPOSCHANGED:
      if (!IntPosChanging) {
        const TShadowMargins now = ShadowMargins(CurrentShadowData());
        shadow_.OffsetKeeper = {now.LeftTop, now.RightBottom};
      }
      break;
    default:
      break;
  }
  TsCustomLabel::WndProc(m);
}

bool TsLabelFX::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "Angle") SetAngle(int(v.AsInteger()));
  else if (name == "Shadow.Mode") {
    const auto& s = v.AsIdentifier();
    shadow_.SetMode(s == L"smNone" ? TsShadowMode::smNone : s == L"smCustom" ? TsShadowMode::smCustom
                    : s == L"smSkin1" ? TsShadowMode::smSkin1 : throw ELayoutError("unknown shadow mode"));
  } else if (name == "Shadow.Color") shadow_.SetColor(ColorFromLayout(v));
  else if (name == "Shadow.BlurCount") shadow_.SetBlurCount(int(v.AsInteger()));
  else if (name == "Shadow.Distance") shadow_.SetDistance(int(v.AsInteger()));
  else if (name == "Shadow.AlphaValue") shadow_.SetAlphaValue(int(v.AsInteger()));
  else if (name == "Shadow.OffsetKeeper.LeftTop") shadow_.OffsetKeeper.LeftTop = int(v.AsInteger());
  else if (name == "Shadow.OffsetKeeper.RightBottom") shadow_.OffsetKeeper.RightBottom = int(v.AsInteger());
  else if (name == "Kind.KindType") {
    const auto& s = v.AsIdentifier();
    kind_.SetKindType(s == L"ktStandard" ? TsKindType::ktStandard : s == L"ktCustom" ? TsKindType::ktCustom : TsKindType::ktSkin);
  } else if (name == "Kind.Color") kind_.SetColor(ColorFromLayout(v));
  else return TsCustomLabel::SetProperty(name, v, ctx);
  return true;
}
