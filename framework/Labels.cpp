#include "framework/Labels.h"

#include "framework/WinControl.h"

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  SetBoundsFields(0, 0, 65, 17);
  controlStyle_ |= csOpaque;
  controlStyle_ &= ~csCaptureMouse;
}

void TCustomLabel::SetTransparent(bool v) {
  transparent_ = v;
  if (v) controlStyle_ &= ~csOpaque;
  else controlStyle_ |= csOpaque;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool v) {
  if (v == autoSize_) return;
  autoSize_ = v;
  AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment v) {
  if (v == alignment_) return;
  alignment_ = v;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool v) {
  if (v == wordWrap_) return;
  wordWrap_ = v;
  AdjustBounds();
  Invalidate();
}

UINT TCustomLabel::DrawTextFlags() const {
  UINT f = DT_EXPANDTABS;
  f |= alignment_ == TAlignment::taCenter ? DT_CENTER : alignment_ == TAlignment::taRightJustify ? DT_RIGHT : DT_LEFT;
  if (wordWrap_) f |= DT_WORDBREAK;
  if (!showAccelChar_) f |= DT_NOPREFIX;
  return f;
}

void TCustomLabel::DoDrawText(TCanvas& canvas, TRect& r, UINT flags) {
  std::wstring text = Caption();
  if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == L"&"))) text += L" ";
  canvas.Font = Font();
  canvas.BrushClear = true;
  if (!Enabled() && !(flags & DT_CALCRECT)) canvas.Font.SetColor(clBtnShadow);
  canvas.DrawText(text, r, flags);
}

void TCustomLabel::PaintPlain(TCanvas& canvas) {
  if (!transparent_) {
    canvas.BrushColor = Color();
    canvas.FillRect(ClientRect());
  }
  TRect r = ClientRect();
  if (layout_ != TTextLayout::tlTop) {
    TRect calc = r;
    DoDrawText(canvas, calc, DrawTextFlags() | DT_CALCRECT);
    const int dy = layout_ == TTextLayout::tlBottom ? r.Height() - calc.Height() : (r.Height() - calc.Height()) / 2;
    r.Top += dy;
  }
  DoDrawText(canvas, r, DrawTextFlags());
}

void TCustomLabel::AdjustBounds() {
  if (!autoSize_ || Loading() || !Parent()) return;
  TWindowDC screen(nullptr);
  TCanvas canvas(screen.dc());
  TRect r{0, 0, wordWrap_ ? Width() : 0x7FFFFFFF, 0};
  DoDrawText(canvas, r, DrawTextFlags() | DT_CALCRECT);
  int left = Left();
  if (alignment_ == TAlignment::taRightJustify) left += Width() - r.Right;
  else if (alignment_ == TAlignment::taCenter) left += (Width() - r.Right) / 2;
  SetBounds(left, Top(), r.Right, r.Bottom);
}

namespace {
// What of a font decides the size of a text: a colour change (a hover look) must not resize.
std::wstring MetricKey(const TFont& f) {
  return f.Name() + L"/" + std::to_wstring(f.Height()) + L"/" + std::to_wstring(f.Style());
}
}  // namespace

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  measuredFont_ = MetricKey(Font());
  // The stored size was measured with the fonts of the machine that wrote the layout: an
  // auto-sized label fits itself to the text as this machine draws it, or it would cut it off.
  AdjustBounds();
}

void TCustomLabel::WndProc(TMessage& m) {
  TGraphicControl::WndProc(m);
  if (m.Msg == FN_TEXTCHANGED) {
    AdjustBounds();
  } else if (m.Msg == FN_FONTCHANGED && MetricKey(Font()) != measuredFont_) {
    measuredFont_ = MetricKey(Font());
    AdjustBounds();
  }
}

bool TCustomLabel::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "AutoSize") autoSize_ = v.AsBoolean();
  else if (name == "Transparent") SetTransparent(v.AsBoolean());
  else if (name == "WordWrap") wordWrap_ = v.AsBoolean();
  else if (name == "ShowAccelChar") showAccelChar_ = v.AsBoolean();
  else if (name == "Alignment") {
    const auto& s = v.AsIdentifier();
    alignment_ = s == L"taCenter" ? TAlignment::taCenter : s == L"taRightJustify" ? TAlignment::taRightJustify : TAlignment::taLeftJustify;
  } else if (name == "Layout") {
    const auto& s = v.AsIdentifier();
    layout_ = s == L"tlCenter" ? TTextLayout::tlCenter : s == L"tlBottom" ? TTextLayout::tlBottom : TTextLayout::tlTop;
  } else return TGraphicControl::SetProperty(name, v, ctx);
  return true;
}
