// The speed button's life cycle, stored properties, state and geometry.
#include "skin/controls/sSpeedButton.h"

#include <algorithm>

#include "framework/ImageList.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sItemPaint.h"

namespace {

constexpr int kSpeedButtonCoc = 92;

}  // namespace

TsSpeedButton::TsSpeedButton(TComponent* owner) : TsSkinnedControl(owner, kSpeedButtonCoc) {
  OnGlyphChange = [this](TObject*) {
    if (!Loading() && !Destroying()) skinData_.Invalidate();
  };
}

TsSpeedButton::~TsSpeedButton() {
  StopAnim();
  if (FOpenMenuButton == this) FOpenMenuButton = nullptr;
  if (TsSkinManager* m = skinData_.SkinManager()) m->ForgetActiveGraphControl(this);
}

void TsSpeedButton::Loaded() {
  TsSkinnedControl::Loaded();
  if (Skinned()) controlStyle_ |= csOpaque;
  if (FImages && FImageIndex >= 0 && FImageIndex < FImages->Count() && !Glyph().Empty()) SetGlyph(TBitmap32());
}

bool TsSpeedButton::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  auto alignment = [&](const std::wstring& s) {
    return s == L"taLeftJustify" ? TAlignment::taLeftJustify
           : s == L"taRightJustify" ? TAlignment::taRightJustify
                                    : TAlignment::taCenter;
  };
  if (name == "Alignment") FAlignment = alignment(v.AsIdentifier());
  else if (name == "TextAlignment") FTextAlignment = alignment(v.AsIdentifier());
  else if (name == "Blend") FBlend = std::clamp(int(v.AsInteger()), 0, 100);
  else if (name == "ImageIndex") FImageIndex = int(v.AsInteger());
  else if (name == "ShowCaption") FShowCaption = v.AsBoolean();
  else if (name == "DrawOverBorder") FDrawOverBorder = v.AsBoolean();
  else if (name == "TextOffset") FOffset = int(v.AsInteger());
  else if (name == "Reflected") FReflected = v.AsBoolean();
  else if (name == "WordWrap") FWordWrap = v.AsBoolean();
  else if (name == "Grayed") FGrayed = v.AsBoolean();
  else if (name == "ButtonStyle") {
    const auto& s = v.AsIdentifier();
    FButtonStyle = s == L"tbsCheck"       ? TToolButtonStyle::tbsCheck
                   : s == L"tbsDropDown"  ? TToolButtonStyle::tbsDropDown
                   : s == L"tbsSeparator" ? TToolButtonStyle::tbsSeparator
                   : s == L"tbsDivider"   ? TToolButtonStyle::tbsDivider
                   : s == L"tbsTextButton" ? TToolButtonStyle::tbsTextButton
                                           : TToolButtonStyle::tbsButton;
  } else return TsSkinnedControl::SetProperty(name, v, ctx);
  return true;
}

// ---- Properties -------------------------------------------------------------------------------

void TsSpeedButton::Changed() {
  if (!Visible()) return;
  skinData_.BGChanged = true;
  GraphRepaint();
}

void TsSpeedButton::SetAlignment(TAlignment v) {
  if (v == FAlignment) return;
  FAlignment = v;
  Changed();
}
void TsSpeedButton::SetTextAlignment(TAlignment v) {
  if (v == FTextAlignment) return;
  FTextAlignment = v;
  Changed();
}
void TsSpeedButton::SetBlend(int v) {
  v = std::clamp(v, 0, 100);
  if (v == FBlend) return;
  FBlend = v;
  skinData_.BGChanged = true;
  if (!(skinData_.CtrlSkinState & ssInUpdate)) Changed();
}
void TsSpeedButton::SetDisabledKind(unsigned v) {
  if (v == FDisabledKind) return;
  FDisabledKind = v;
  Changed();
}
void TsSpeedButton::SetDisabledGlyphKind(unsigned v) {
  if (v == FDisabledGlyphKind) return;
  FDisabledGlyphKind = v;
  Changed();
}
bool TsSpeedButton::Grayed() const {
  const TsSkinManager* m = skinData_.SkinManager();
  return FGrayed || (Skinned() && m && const_cast<TsSkinManager*>(m)->Effects().DiscoloredGlyphs);
}
void TsSpeedButton::SetGrayed(bool v) {
  if (v == FGrayed) return;
  FGrayed = v;
  skinData_.BGChanged = true;
  if (!(skinData_.CtrlSkinState & ssInUpdate)) Changed();
}
void TsSpeedButton::SetImageIndex(int v) {
  if (v == FImageIndex) return;
  FImageIndex = v;
  skinData_.BGChanged = true;
  if (!(skinData_.CtrlSkinState & ssInUpdate)) Changed();
}
void TsSpeedButton::SetImages(TImageList* v) {
  if (v == FImages) return;
  FImages = v;
  skinData_.BGChanged = true;
  if (!(skinData_.CtrlSkinState & ssInUpdate)) Changed();
}
void TsSpeedButton::SetReflected(bool v) {
  FReflected = v;
  skinData_.BGChanged = true;
  GraphRepaint();
}
void TsSpeedButton::SetShowCaption(bool v) {
  if (v == FShowCaption) return;
  FShowCaption = v;
  Changed();
}
void TsSpeedButton::SetDrawOverBorder(bool v) {
  if (v == FDrawOverBorder) return;
  FDrawOverBorder = v;
  Changed();
}
void TsSpeedButton::SetTextOffset(int v) {
  if (v == FOffset) return;
  FOffset = v;
  Changed();
}
void TsSpeedButton::SetWordWrap(bool v) {
  FWordWrap = v;
  skinData_.BGChanged = true;
  GraphRepaint();
}
void TsSpeedButton::SetButtonStyle(TToolButtonStyle v) {
  if (v == FButtonStyle) return;
  if (!Loading()) {
    // The drop-down arrow takes 16 pixels of its own.
    if (v == TToolButtonStyle::tbsDropDown) SetBounds(Left(), Top(), Width() + kSplitArrowWidth, Height());
    else if (FButtonStyle == TToolButtonStyle::tbsDropDown) SetBounds(Left(), Top(), Width() - kSplitArrowWidth, Height());
  }
  FButtonStyle = v;
  Changed();
}

// ---- State and geometry -------------------------------------------------------------------------

const TsGeneralData* TsSpeedButton::Section() const {
  const TsSkinManager* m = skinData_.SkinManager();
  return m && m->IsValidSkinIndex(skinData_.SkinIndex) ? &m->gd()[std::size_t(skinData_.SkinIndex)] : nullptr;
}

int TsSpeedButton::StateImageIndex(int) const { return FImageIndex; }

int TsSpeedButton::CurrentState() const {
  const bool down = state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive;
  return SpeedButtonState(down, FMenuVisible, FMenuOwnerMode, IsControlHot(skinData_), FHotState);
}

TSize TsSpeedButton::GlyphSize() const {
  if (!Glyph().Empty()) return {Glyph().Width() / NumGlyphs(), Glyph().Height()};
  if (FImages && FImageIndex >= 0 && FImageIndex < FImages->Count())
    return {FImages->Width() / NumGlyphs(), FImages->Height()};
  return {};
}

TsSpeedGeometry TsSpeedButton::Geometry() const {
  TsSpeedGeometry g;
  g.Width = Width();
  g.Height = Height();
  g.Margin = Margin();
  g.Spacing = Spacing();
  const TSize glyph = GlyphSize();
  g.GlyphWidth = glyph.W;
  g.GlyphHeight = glyph.H;
  g.HasCaption = !Caption().empty();
  g.ShowCaption = FShowCaption;
  g.Layout = Layout();
  g.Alignment = FAlignment;
  g.TextAlignment = FTextAlignment;
  g.DropDown = FButtonStyle == TToolButtonStyle::tbsDropDown;
  g.HasOnClick = bool(OnClick);
  g.TextOffset = FOffset;
  g.Reflected = FReflected;
  g.Pressed = CurrentState() == 2;
  const TsSkinManager* m = skinData_.SkinManager();
  g.ShiftOnClick = !Skinned() || (m && const_cast<TsSkinManager*>(m)->ButtonsOptions().ShiftContentOnClick);
  return g;
}

TSize TsSpeedButton::TextRectSize() const {
  const int available = SpeedTextAvailableWidth(Geometry());
  if (!FShowCaption || Caption().empty()) return {};
  return FCanvas.Measure(Caption(), Font(), TRect{0, 0, available, 0}, FWordWrap ? 0x8450 : 0x8460);
}

TRect TsSpeedButton::CaptionRect(bool shiftClicked) const {
  return SpeedCaptionRect(Geometry(), TextRectSize(), shiftClicked);
}
TRect TsSpeedButton::ImgRect(bool shiftClicked) const { return SpeedImgRect(Geometry(), TextRectSize(), shiftClicked); }
TRect TsSpeedButton::ArrowRect() const { return SpeedArrowRect(Geometry(), TextRectSize()); }
