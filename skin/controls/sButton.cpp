// The push button's life cycle, stored properties, state and geometry.
#include "skin/controls/sButton.h"

#include "framework/ImageList.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sItemPaint.h"

namespace {

constexpr int kButtonCoc = 93;

}  // namespace

TsButton::TsButton(TComponent* owner, TsRegionHost& regions)
    : TsSkinnedControl(owner, kButtonCoc), FRegionHost(&regions), FRegion(nullptr, TsRegionDeleter{&regions}) {
  controlStyle_ &= ~(csOpaque | csDoubleClicks);
  SetWordWrap(true);
}

TsButton::~TsButton() { StopFade(fadeTimer_); }

void TsButton::CreateParams(TCreateParams& p) {
  TButton::CreateParams(p);
  // Owner drawing replaces the push-button type: the face is ours, skinned or not.
  p.Style = (p.Style & ~DWORD(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TsButton::Loaded() {
  TsSkinnedControl::Loaded();
  FRegionChanged = true;
}

bool TsButton::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "ShowFocus") FShowFocus = v.AsBoolean();
  else if (name == "Down") FDown = v.AsBoolean();
  else if (name == "FocusMargin") FFocusMargin = int(v.AsInteger());
  else if (name == "ContentMargin") FContentMargin = int(v.AsInteger());
  else if (name == "Reflected") FReflected = v.AsBoolean();
  else if (name == "Style") {
    const auto& s = v.AsIdentifier();
    FStyle = s == L"bsCommandLink"   ? TButtonStyle::bsCommandLink
             : s == L"bsSplitButton" ? TButtonStyle::bsSplitButton
                                     : TButtonStyle::bsPushButton;
  } else return TsSkinnedControl::SetProperty(name, v, ctx);
  return true;
}

// ---- Properties -------------------------------------------------------------------------------

bool TsButton::InvalidateSkin() {
  if (Loading()) return false;
  skinData_.Invalidate();
  return true;
}

void TsButton::LookChanged() {
  if (!InvalidateSkin()) return;
  if (!Skinned()) Invalidate();
}

void TsButton::SetShowFocus(bool v) {
  if (v == FShowFocus) return;
  FShowFocus = v;
  LookChanged();
}
void TsButton::SetDisabledKind(unsigned v) {
  if (v == FDisabledKind) return;
  FDisabledKind = v;
  InvalidateSkin();
}
void TsButton::SetDown(bool v) {
  if (v == FDown) return;
  FDown = v;
  FRegionChanged = true;
  InvalidateSkin();
}
void TsButton::SetStyle(TButtonStyle v) {
  if (v == FStyle) return;
  FStyle = v;
  LookChanged();
}
void TsButton::SetContentMargin(int v) {
  if (v == FContentMargin) return;
  FContentMargin = v;
  LookChanged();
}
void TsButton::SetReflected(bool v) {
  if (v == FReflected) return;
  FReflected = v;
  LookChanged();
}

// ---- State and geometry -------------------------------------------------------------------------

const TsGeneralData* TsButton::Section() const {
  const TsSkinManager* m = skinData_.SkinManager();
  return m && m->IsValidSkinIndex(skinData_.SkinIndex) ? &m->gd()[std::size_t(skinData_.SkinIndex)] : nullptr;
}

const TsMaskData* TsButton::BorderMask() const {
  const TsSkinManager* m = skinData_.SkinManager();
  return m && m->IsValidImgIndex(skinData_.BorderIndex) ? &m->ma()[std::size_t(skinData_.BorderIndex)] : nullptr;
}

int TsButton::CurrentState() const {
  TsButtonStateInput s;
  s.Pushed = FForcedPressed ||
             (HandleAllocated() && (SendMessageW(const_cast<TsButton*>(this)->Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0);
  s.MouseAbove = skinData_.FMouseAbove;
  s.LeftHeldOnControl = FMouseClicked;
  const TsSkinManager* m = skinData_.SkinManager();
  s.NoMouseHover = m && const_cast<TsSkinManager*>(m)->Options().NoMouseHover;
  s.Down = FDown;
  s.DroppedDown = FDroppedDown;
  s.Hot = !(ComponentState() & csDesigning) && IsControlHot(skinData_);
  s.Default = Default();
  return ButtonState(s);
}

int TsButton::PaintState() const {
  const TsGeneralData* g = Section();
  return ButtonPaintState(CurrentState(), g ? g->States : 1);
}

TsButtonGeometry TsButton::Geometry() const {
  TsButtonGeometry g;
  g.Width = Width();
  g.Height = Height();
  g.Style = FStyle;
  g.ContentMargin = FContentMargin;
  g.HasImage = HasValidImage();
  if (Images()) {
    g.ImageWidth = Images()->Width();
    g.ImageHeight = Images()->Height();
  }
  g.Alignment = ImageAlignment();
  g.Margins = ImageMargins();
  if (CurrentState() == 2) {
    const TsSkinManager* m = skinData_.SkinManager();
    g.Shifted = !Skinned() || (m && const_cast<TsSkinManager*>(m)->ButtonsOptions().ShiftContentOnClick);
  }
  return g;
}

int TsButton::GlyphIndex() const {
  return ButtonGlyphIndex(Enabled(), CurrentState(), Focused(), ImageIndexes(), Images() ? Images()->Count() : 0);
}

TRect TsButton::GlyphRect() const { return ButtonGlyphRect(Geometry()); }

TSize TsButton::CaptionSize() const {
  const std::wstring text = Caption();
  if (text.empty()) return {};
  TFont font = Font();
  if (FStyle == TButtonStyle::bsCommandLink) {
    font.SetStyle(font.Style() | fsBold);
    font.SetHeight(font.Height() < 0 ? font.Height() - 3 : font.Height() + 3);
  }
  TRect r = ButtonMeasureRect(Geometry());
  r.Bottom = r.Top;
  return FCanvas.Measure(text, font, r, WordWrap() ? 0x451 : 0x461);
}

TRect TsButton::CaptionRect() const { return ButtonCaptionRect(Geometry(), CaptionSize()); }
