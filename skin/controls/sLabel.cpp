#include "skin/controls/sLabel.h"

#include <algorithm>

#include "framework/Application.h"
#include "framework/Form.h"
#include "platform/ShellOpen.h"
#include "skin/base/sColorMath.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sItemPaint.h"
#include "skin/paint/sParentFont.h"
#include "skin/paint/sSkinText.h"

namespace {
bool labelColorUpdate = false;

std::wstring MeasuredText(const std::wstring& text, bool calc, bool showAccel) {
  if (calc && (text.empty() || (showAccel && text == L"&"))) return text + L" ";
  return text;
}
}  // namespace

// ---- The colour-update flag --------------------------------------------------------------------

TLabelColorUpdate::TLabelColorUpdate() : owns_(!labelColorUpdate) { labelColorUpdate = true; }
TLabelColorUpdate::~TLabelColorUpdate() {
  if (owns_) labelColorUpdate = false;
}
bool TLabelColorUpdate::Active() { return labelColorUpdate; }

// ---- TsCustomLabel ------------------------------------------------------------------------------

TsCustomLabel::TsCustomLabel(TComponent* owner) : TCustomLabel(owner) { SetTransparent(true); }

TsSkinManager* TsCustomLabel::SkinManager() const { return skinManager_ ? skinManager_ : DefaultManager(); }

bool TsCustomLabel::Skinned() const {
  const TsSkinManager* m = SkinManager();
  return m && m->CommonSkinData().Active;
}

void TsCustomLabel::SetSkinSection(const std::wstring& value) {
  std::wstring upper = value;
  for (auto& ch : upper) ch = wchar_t(std::towupper(ch));
  if (upper == skinSection_) return;
  skinSection_ = upper;
  Invalidate();
}

void TsCustomLabel::SetEllipsisPosition(TsEllipsisPosition v) {
  if (v == ellipsis_) return;
  ellipsis_ = v;
  Invalidate();
}

TColor TsCustomLabel::ParentBackColor() const {
  TWinControl* parent = Parent();
  if (!parent) return ColorToRGB(Color());
  const LRESULT c = SendSkinCommand(*parent, SKIN_GETBGCOLOR);
  return c ? TColor(c) : ColorToRGB(parent->Color());
}

TColor TsCustomLabel::SectionFontColor(int index) const {
  return ColorToRGB(SkinManager()->gd()[std::size_t(index)].Props[0].FontColor.Color);
}

TColor TsCustomLabel::LabelTextColor() const {
  if (Enabled()) return SkinManager()->Palette()[pcLabelText];
  return scolor::InterpolateColor(ColorToRGB(Font().Color()), ParentBackColor(), 0.4L);
}

void TsCustomLabel::Paint(TCanvas& canvas) {
  SkinIndex = -1;
  TsSkinManager* m = SkinManager();
  if (!Destroying()) {
    TLabelColorUpdate update;
    if (update.Owns() && !skinSection_.empty() && m && m->CommonSkinData().Active) {
      SkinIndex = m->GetSkinIndex(skinSection_);
      if (SkinIndex >= 0) {
        const TColor c = m->gd()[std::size_t(SkinIndex)].Props[0].FontColor.Color;
        if (c != Font().Color()) Font().SetColor(c);
      }
    }
  }
  struct TResetIndex {
    int& index;
    ~TResetIndex() { index = -1; }
  } reset{SkinIndex};
  if (SkinIndex > 0) {
    TsBackgroundQuery q;
    TCacheInfo bg = EmptyCacheInfo();
    if (Parent()) {
      QueryParentBackground(q, *Parent(), false);
      bg = CacheInfoOf(q);
      if (bg.Bmp) {
        bg.X += Left();
        bg.Y += Top();
      }
    }
    PaintSectionToDC(SkinIndex, skinSection_, bg, m, canvas.Handle(), {0, 0}, ClientRect(), 0);
  }
  PaintPlain(canvas);
}

std::wstring TsCustomLabel::CutToHeight(TCanvas& canvas, std::wstring text, const TRect& r, UINT flags) const {
  const int dots = canvas.TextExtent(L"...").X, fontHeight = canvas.TextExtent(L"Wg").Y;
  for (;;) {
    TRect m{0, 0, r.Width() - dots, 0};
    canvas.DrawText(text, m, (flags | DT_CALCRECT) & ~(DT_END_ELLIPSIS | DT_WORD_ELLIPSIS));
    if (m.Height() <= ClientRect().Height() || m.Height() <= fontHeight) return text;
    // Before the last blank that precedes the dots added by an earlier cut.
    const std::size_t end = text.size() >= 3 && text.ends_with(L"...") ? text.size() - 3 : text.size();
    const std::size_t blank = end ? text.find_last_of(L" \t", end - 1) : std::wstring::npos;
    if (blank == std::wstring::npos) return text;
    text = text.substr(0, blank) + L"...";
  }
}

void TsCustomLabel::DoDrawText(TCanvas& canvas, TRect& r, UINT flags) {
  const bool calc = flags & DT_CALCRECT;
  std::wstring text = MeasuredText(Caption(), calc, ShowAccelChar());
  canvas.Font = LabelFont();
  canvas.BrushClear = true;
  if (!Skinned()) {
    // The framework's drawing, with the label's own font (a web label's hover font too).
    if (!Enabled() && !calc) canvas.Font.SetColor(clBtnShadow);
    canvas.DrawText(text, r, flags);
    return;
  }
  UINT format = flags;
  if (!ShowAccelChar()) format |= DT_NOPREFIX;
  if (ellipsis_ != TsEllipsisPosition::epNone && !AutoSize()) {
    format |= ellipsis_ == TsEllipsisPosition::epPathEllipsis  ? DT_PATH_ELLIPSIS
              : ellipsis_ == TsEllipsisPosition::epEndEllipsis ? DT_END_ELLIPSIS
                                                               : DT_WORD_ELLIPSIS;
    if (WordWrap() && ellipsis_ != TsEllipsisPosition::epPathEllipsis) text = CutToHeight(canvas, text, r, format);
  }
  canvas.Font.SetColor(LabelTextColor());
  canvas.DrawText(text, r, format);
}

void TsCustomLabel::WndProc(TMessage& m) {
  // The paint's own font colour change: no repaint, no new size.
  if (m.Msg == FN_FONTCHANGED && TLabelColorUpdate::Active()) return;
  if (m.Msg == SM_SKINCOMMAND) {
    switch (SkinCommandCode(m.WParam)) {
      case SKIN_LOADED:
      case SKIN_UNLOADED:
      case SKIN_REFRESH:
        Invalidate();
        break;
      default:
        break;
    }
    m.Result = 0;
    return;
  }
  TCustomLabel::WndProc(m);
}

bool TsCustomLabel::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "SkinSection") SetSkinSection(v.AsString());
  else if (name == "SkinManager") {
    // One manager per window: the default one.
  } else if (name == "EllipsisPosition") {
    const auto& s = v.AsIdentifier();
    ellipsis_ = s == L"epPathEllipsis" ? TsEllipsisPosition::epPathEllipsis
                : s == L"epEndEllipsis"  ? TsEllipsisPosition::epEndEllipsis
                : s == L"epWordEllipsis" ? TsEllipsisPosition::epWordEllipsis
                : s == L"epNone"         ? TsEllipsisPosition::epNone
                                         : throw ELayoutError("unknown ellipsis position");
  } else return TCustomLabel::SetProperty(name, v, ctx);
  return true;
}

// ---- TsLabel ------------------------------------------------------------------------------------

void TsLabel::SetUseSkinColor(bool v) {
  if (v == useSkinColor_) return;
  useSkinColor_ = v;
  Invalidate();
}

TColor TsLabel::LabelTextColor() const {
  if (!useSkinColor_ || !Skinned()) return Font().Color();
  TsSkinManager* m = SkinManager();
  int index = SkinSection().empty() ? -1 : m->GetSkinIndex(SkinSection());
  if (index < 0) index = ParentFontIndex(const_cast<TsLabel&>(*this), index, m);
  else {
    const TsGeneralData& g = m->gd()[std::size_t(index)];
    const bool border = m->IsValidImgIndex(g.BorderIndex);
    if (g.Props[0].Transparency == 100 && !border) index = ParentFontIndex(const_cast<TsLabel&>(*this), index, m);
  }
  const TColor c = index >= 0 ? SectionFontColor(index) : m->Palette()[pcLabelText];
  return Enabled() ? c : scolor::InterpolateColor(ColorToRGB(c), ParentBackColor(), 0.4L);
}

bool TsLabel::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "UseSkinColor") useSkinColor_ = v.AsBoolean();
  else return TsCustomLabel::SetProperty(name, v, ctx);
  return true;
}

// ---- TsWebLabel ---------------------------------------------------------------------------------

TsWebLabel::TsWebLabel(TComponent* owner) : TsLabel(owner) {
  hoverFont_.SetColor(clWindowText);
  SetCursor(IDC_HAND);
  SetTransparent(true);
}

void TsWebLabel::SetNormalFont(const TFont& f) {
  normalFont_.Assign(f);
  Font().Assign(f);
}

void TsWebLabel::Loaded() {
  TsLabel::Loaded();
  Font().Assign(normalFont_);
}

const TFont& TsWebLabel::LabelFont() const { return mouseAbove_ ? hoverFont_ : normalFont_; }

TColor TsWebLabel::LabelTextColor() const {
  TsSkinManager* m = SkinManager();
  const bool active = m && m->CommonSkinData().Active;
  if (mouseAbove_) return UseSkinColor() && active ? m->Palette()[pcWebTextHot] : hoverFont_.Color();
  if (Destroying() || !active || !UseSkinColor()) return ColorToRGB(normalFont_.Color());
  const int index = ParentFontIndex(const_cast<TsWebLabel&>(*this), -1, m);
  return index >= 0 ? SectionFontColor(index) : m->Palette()[pcWebText];
}

void TsWebLabel::SetMouseAbove(bool v) {
  mouseAbove_ = v;
  if (AutoSize()) {
    // The hover font may be larger: paint now, then fit the label to it.
    Repaint();
    AdjustBounds();
  }
  if (Parent() && Parent()->HandleAllocated() && Width() > 0 && Height() > 0) {
    RECT r{Left(), Top(), Left() + Width(), Top() + Height()};
    InvalidateRect(Parent()->Handle(), &r, TRUE);
  }
}

void TsWebLabel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case FN_MOUSEENTER:
      if (!Enabled()) break;
      SetMouseAbove(true);
      break;
    case FN_MOUSELEAVE:
      TsLabel::WndProc(m);
      if (mouseAbove_) SetMouseAbove(false);
      return;
    case FN_PARENTFONTCHANGED:
      if (ParentFont() && Parent()) {
        const TFont& pf = Parent()->Font();
        const TColor own = normalFont_.Color();
        normalFont_.Assign(pf);
        normalFont_.SetColor(own);
        hoverFont_.SetName(pf.Name());
        hoverFont_.SetHeight(pf.Height());
      }
      TsLabel::WndProc(m);
      return;
    default:
      break;
  }
  TsLabel::WndProc(m);
}

void TsWebLabel::MouseDown(TMouseButton button, int x, int y) {
  TsLabel::MouseDown(button, x, y);
  if (button != TMouseButton::mbLeft || url_.empty()) return;
  TForm* main = Application ? Application->MainForm() : nullptr;
  HWND owner = main && main->HandleAllocated() ? main->Handle() : nullptr;
  ShellOpenAddress(owner, url_, int(showMode_));
}

bool TsWebLabel::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name.rfind("Font.", 0) == 0) {
    if (!normalFont_.SetProperty(name.substr(5), v)) return false;
    return TsLabel::SetProperty(name, v, ctx);
  }
  if (name.rfind("HoverFont.", 0) == 0) return hoverFont_.SetProperty(name.substr(10), v);
  if (name == "URL") url_ = v.AsString();
  else if (name == "ShowMode") {
    static const wchar_t* names[] = {L"soHide", L"soNormal", L"soShowMinimized", L"soMaximize", L"soShowNoActivate", L"soShow",
                                     L"soMinimize", L"soShowMinNoActive", L"soShowNA", L"soRestore", L"soDefault"};
    int i = 0;
    while (i < 11 && v.AsIdentifier() != names[i]) ++i;
    if (i == 11) throw ELayoutError("unknown show mode");
    showMode_ = TsWindowShowMode(i);
  } else return TsLabel::SetProperty(name, v, ctx);
  return true;
}
