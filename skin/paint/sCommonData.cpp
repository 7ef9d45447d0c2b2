#include "skin/paint/sCommonData.h"

#include <algorithm>
#include <array>
#include <utility>

#include "framework/Form.h"
#include "framework/TextCase.h"
#include "framework/WinControl.h"
#include "skin/base/sColorMath.h"
#include "skin/base/sRecolor.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"
#include "skin/paint/sGlow.h"

namespace {

constexpr TColor kNoColorTone = TColor(0x1FFFFFFF);

template <std::size_t N>
bool InRanges(int coc, const std::array<std::pair<int, int>, N>& ranges) {
  return std::any_of(ranges.begin(), ranges.end(), [coc](const auto& r) { return coc >= r.first && coc <= r.second; });
}

// A section's properties for a property index, with the state counts of a bad skin read safely.
const TsGenState* PropsOf(const TsSkinManager* m, int index, int p) {
  if (!m || !m->IsValidSkinIndex(index)) return nullptr;
  return &m->gd()[std::size_t(index)].Props[std::size_t(std::clamp(p, 0, 1))];
}


// Marks the owner's colour changes as the skin's own for as long as it lives.
class TColorSyncScope {
 public:
  explicit TColorSyncScope(bool& flag) : flag_(flag), old_(std::exchange(flag, true)) {}
  ~TColorSyncScope() { flag_ = old_; }
  TColorSyncScope(const TColorSyncScope&) = delete;
  TColorSyncScope& operator=(const TColorSyncScope&) = delete;

 private:
  bool& flag_;
  bool old_;
};

}  // namespace

// ---- Kinds ----------------------------------------------------------------------------------

bool IsColorFollowingKind(int coc) {
  static constexpr std::array<std::pair<int, int>, 5> k{{{2, 18}, {41, 41}, {76, 84}, {96, 96}, {131, 140}}};
  return InRanges(coc, k) || coc == 231;
}

bool IsContainerKind(int coc) {
  static constexpr std::array<std::pair<int, int>, 10> k{
      {{51, 52}, {54, 54}, {56, 60}, {68, 68}, {73, 74}, {110, 110}, {141, 141}, {143, 143}, {151, 151}, {161, 161}}};
  return InRanges(coc, k) || coc == 226;
}

bool IsNeverHotKind(int coc) {
  static constexpr std::array<std::pair<int, int>, 4> k{{{19, 19}, {51, 74}, {110, 110}, {141, 161}}};
  return InRanges(coc, k);
}

std::wstring DefaultSectionFor(int coc, const TsSkinManager* manager) {
  switch (coc) {
    case 2: case 3: case 4: case 5: case 6: case 7: case 8: case 10: case 41: case 76: case 78:
    case 83: case 84: case 85: case 96: case 131: case 132: case 134: case 138: case 140: case 230:
      return L"EDIT";
    case 11: case 12: case 13: case 14: case 15: case 16: case 17: case 18: case 81: case 82:
      return L"COMBOBOX";
    case 19: return L"BAR";
    case 20: return L"BARTITLE";
    case 32: case 33: case 50: case 152: return L"CHECKBOX";
    case 34:
      if (manager && manager->GetSkinIndex(L"SLIDER_OFF") >= 0) return L"SLIDER_OFF";
      return L"PANEL_LOW";
    case 51: case 59: case 68: case 73: return L"PANEL";
    case 52: case 58: return L"PANEL_LOW";
    case 53: case 54: case 60: return L"TOOLBAR";
    case 56: return L"DRAGBAR";
    case 57: return L"TABSHEET";
    case 74: case 226: return L"GROUPBOX";
    case 75: return L"SPLITTER";
    case 92: case 95: return L"SPEEDBUTTON";
    case 93: case 94: return L"BUTTON";
    case 98: return L"TOOLBUTTON";
    case 141: case 143: return L"PAGECONTROL";
    case 151: return L"STATUSBAR";
    case 161: return L"GAUGE";
    case 165: return L"TRACKBAR";
    default: return L"";
  }
}

// ---- Construction ---------------------------------------------------------------------------

TsCommonData::TsCommonData(TComponent* owner, int coc, bool createCacheBmp)
    : COC(std::uint16_t(coc)), FOwnerControl(dynamic_cast<TControl*>(owner)), FOwnerObject(owner) {
  if (createCacheBmp) FCacheBmp = std::make_unique<TBitmap>();
}

TsCommonData::~TsCommonData() {
  // The manager must not keep pointing at a control that is gone: a later hover would send it a
  // command through a dangling reference.
  if (TsSkinManager* m = SkinManager()) {
    m->ForgetActiveGraphControl(FOwnerControl);
    m->ForgetActiveControl(OwnerWindow());
  }
  SkinIndex = BorderIndex = Texture = HotTexture = -1;
  if (GlowID != -1) HideGlow(GlowID);
}

HWND TsCommonData::OwnerWindow() const {
  auto* w = dynamic_cast<TWinControl*>(FOwnerControl);
  return w && w->HandleAllocated() ? w->Handle() : nullptr;
}

TsSkinManager* TsCommonData::SkinManager() const { return FSkinManager ? FSkinManager : DefaultManager(); }

TBitmap& TsCommonData::EnsureCache() {
  if (!FCacheBmp) FCacheBmp = std::make_unique<TBitmap>();
  return *FCacheBmp;
}

void TsCommonData::EmptyCache() {
  if (FCacheBmp) FCacheBmp->SetSize(0, 0);
  BGChanged = true;
}

bool TsCommonData::OwnerBusy() const {
  return FOwnerObject && (FOwnerObject->Loading() || FOwnerObject->Destroying());
}

// ---- Stored properties ----------------------------------------------------------------------

bool TsCommonData::SetProperty(const std::string& name, const TLayoutValue& v) {
  if (name == "SkinSection") SetSkinSection(v.AsString());
  else if (name == "CustomColor") SetCustomColor(v.AsBoolean());
  else if (name == "CustomFont") SetCustomFont(v.AsBoolean());
  else if (name == "ColorTone") SetColorTone(ColorFromLayout(v));
  else if (name == "HUEOffset") SetHUEOffset(int(v.AsInteger()));
  else if (name == "Saturation") SetSaturation(int(v.AsInteger()));
  else if (name == "SkinManager") return true;  // the window's one manager is the default one
  else if (name == "OuterEffects.Visibility")
    FOuterEffects.Visibility = v.AsIdentifier() == L"ovAlways" ? TsOuterVisibility::ovAlways : TsOuterVisibility::ovNone;
  else return false;
  return true;
}

bool TsScrollData::SetProperty(const std::string& name, const TLayoutValue& v) {
  if (name == "ScrollWidth") ScrollWidth = int(v.AsInteger());
  else if (name == "ButtonsSize") ButtonsSize = int(v.AsInteger());
  else return false;
  return true;
}

bool TsScrollWndData::SetProperty(const std::string& name, const TLayoutValue& v) {
  if (name.rfind("HorzScrollData.", 0) == 0) return HorzScrollData.SetProperty(name.substr(15), v);
  if (name.rfind("VertScrollData.", 0) == 0) return VertScrollData.SetProperty(name.substr(15), v);
  return TsCtrlSkinData::SetProperty(name, v);
}

void TsCommonData::SetSkinSection(const std::wstring& value) {
  const std::wstring upper = UpperCaseAscii(value);
  if (upper == FSkinSection) return;
  FSkinSection = upper;
  ResolveIndexes();
  if (!FOwnerControl) {
    BGChanged = true;  // a form skinner repaints its frame itself
    return;
  }
  if (FOwnerControl->Loading() || FOwnerControl->Destroying() || !FOwnerControl->Parent()) return;
  if (auto* w = dynamic_cast<TWinControl*>(FOwnerControl)) {
    EmptyCache();
    BroadcastToControls(*w, SM_SKINCOMMAND, SkinCommandWParam(SKIN_BGCHANGED, 1), 0);
  }
  if (!FUpdating && !Loading) TellOwnerOfSection();
  // The glow shown belongs to the old section's image.
  if (GlowID != -1) HideGlow(GlowID);
}

void TsCommonData::SetSkinManager(TsSkinManager* value) {
  if (value == DefaultManager()) value = nullptr;
  if (value == FSkinManager) return;
  FSkinManager = value;
  if (OwnerBusy()) return;
  ResolveIndexes();
  if (FOwnerControl && FOwnerControl->Parent() && !FOwnerControl->Destroying()) TellOwnerOfSection();
}

void TsCommonData::ResolveIndexes() {
  const TsSkinManager* m = SkinManager();
  if (m && !m->gd().empty()) UpdateIndexes(true);
  else SkinIndex = -1;
}

void TsCommonData::TellOwnerOfSection() {
  TsSkinManager* m = SkinManager();
  SendSkinCommand(*FOwnerControl, m && m->IsValidSkinIndex(SkinIndex) ? SKIN_REFRESH : SKIN_UNLOADED,
                  reinterpret_cast<LPARAM>(m));
}

void TsCommonData::SetCustomColor(bool value) {
  FCustomColor = value;
  if (!Loading) SyncColors(true);
}

void TsCommonData::SetCustomFont(bool value) {
  FCustomFont = value;
  if (!Loading) SyncColors(true);
}

void TsCommonData::SetColorTone(TColor value) {
  FColorTone = value;
  Recoloured();
}

void TsCommonData::SetHUEOffset(int value) {
  FHUEOffset = value;
  Recoloured();
}

void TsCommonData::SetSaturation(int value) {
  FSaturation = value;
  Recoloured();
}

void TsCommonData::Recoloured() {
  if (Loading) return;
  Loaded();
  Invalidate();
}

// ---- Life cycle -----------------------------------------------------------------------------

void TsCommonData::Loaded() {
  Loading = false;
  ResolveSection();
  if (!Skinned() || !FOwnerControl || !FOwnerControl->Parent() || FOwnerControl->Loading()) return;
  if (auto* w = dynamic_cast<TWinControl*>(FOwnerControl)) {
    // The form learns of a skinned window among its controls.
    TWinControl* form = w->Parent();
    while (form->Parent()) form = form->Parent();
    SendSkinCommand(*form, SKIN_CONTROLCREATED, reinterpret_cast<LPARAM>(FOwnerControl));
  }
  SyncColors(false);
}

void TsCommonData::ResolveSection() {
  if (FOwnerObject && (FOwnerObject->ComponentState() & csDesigning)) return;
  if (FSkinSection.empty()) {
    const std::wstring section = DefaultSectionFor(COC, SkinManager());
    if (!section.empty()) {
      SetSkinSection(section);
      return;
    }
  }
  UpdateIndexes(true);
}

void TsCommonData::UpdateIndexes(bool updateMain) {
  BGChanged = true;
  TsSkinManager* m = SkinManager();
  if (updateMain) SkinIndex = m && m->Active() ? m->GetSkinIndex(FSkinSection) : -1;
  ComputeBGType();
  CtrlSkinState = ssUndetermined;
  if (m && m->IsValidSkinIndex(SkinIndex)) {
    BorderIndex = m->gd()[std::size_t(SkinIndex)].BorderIndex;
    Texture = m->GetTextureIndex(SkinIndex, FSkinSection, L"PATTERN");
    HotTexture = m->GetTextureIndex(SkinIndex, FSkinSection, L"HOTPATTERN");
    UpdateTransparency();
  } else {
    SkinIndex = BorderIndex = Texture = HotTexture = -1;
  }
}

void TsCommonData::ComputeBGType() {
  BGType = 0;
  const TsGenState* p = PropsOf(SkinManager(), SkinIndex, 0);
  if (!p) return;
  if (p->ImagePercent != 0) BGType |= 4;
  if (p->GradientPercent != 0 && !p->GradientArray.empty()) {
    switch (p->GradientArray.front().Mode1) {
      case 0: BGType |= 2; break;
      case 1: BGType |= 1; break;
      case 2: BGType |= 3; break;
      default: break;
    }
  }
}

void TsCommonData::BeginUpdate() {
  ++FUpdateCount;
  FUpdating = true;
  CtrlSkinState |= ssInUpdate;
  if (FOwnerControl) SendSkinCommand(*FOwnerControl, SKIN_BEGINUPDATE);
}

void TsCommonData::EndUpdate(bool repaint) {
  FUpdateCount = std::max(0, FUpdateCount - 1);
  FUpdating = false;
  CtrlSkinState &= std::uint16_t(~ssInUpdate);
  if (FOwnerControl) SendSkinCommand(*FOwnerControl, SKIN_ENDUPDATE);
  if (repaint) Invalidate(true);
}

void TsCommonData::Invalidate(bool updateNow) {
  if (Loading || OwnerBusy()) return;
  BGChanged = true;
  if (!FOwnerControl) return;
  if (HWND wnd = OwnerWindow()) {
    UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;
    if (updateNow) flags |= RDW_UPDATENOW;
    RedrawWindow(wnd, nullptr, nullptr, flags);
  } else {
    FOwnerControl->Repaint();
  }
}

bool TsCommonData::Skinned(bool checkActive) const {
  try {
    const TsSkinManager* m = SkinManager();
    if (!m || m->Destroying() || !m->IsValidSkinIndex(SkinIndex)) return false;
    if (FOwnerObject && FOwnerObject->Destroying()) return false;
    return !checkActive || (m->Active() && m->CommonSkinData().Active);
  } catch (...) {
    return false;
  }
}

bool TsCommonData::RepaintIfMoved() {
  if (!Skinned() || (FOwnerControl && !FOwnerControl->Enabled())) return true;
  const TsGenState* p = PropsOf(SkinManager(), SkinIndex, 0);
  if (p && p->Transparency > 0 && FOwnerControl && FOwnerControl->Parent() && FOwnerControl->Parent()->HandleAllocated())
    return SendSkinCommand(*FOwnerControl->Parent(), SKIN_REPAINTONMOVE) != 0;
  return false;
}

void TsCommonData::UpdateTransparency() {
  // Only containers (and form skinners, which have no owner control) lend their look to children
  // by transparency; every other control stays opaque for its children.
  auto* w = dynamic_cast<TWinControl*>(FOwnerControl);
  if (FOwnerControl && (!w || !IsContainerKind(COC))) {
    CtrlSkinState &= std::uint16_t(~(ssTransparentForChildren | ssUndetermined));
    return;
  }
  TsSkinManager* m = SkinManager();
  if (!m || !m->IsValidSkinIndex(SkinIndex)) return;
  const TsGeneralData& g = m->gd()[std::size_t(SkinIndex)];
  const TsGenState& p = g.Props[0];
  const bool overlay = m->IsValidImgIndex(Texture) && m->ma()[std::size_t(Texture)].DrawMode == 10;
  const bool fillsCentre = m->IsValidImgIndex(BorderIndex) && (m->ma()[std::size_t(BorderIndex)].DrawMode & 4);
  const bool hasImages = g.ImgTL >= 0 || g.ImgTR >= 0 || g.ImgBL >= 0 || g.ImgBR >= 0;
  bool transparent = false;
  if (FOuterEffects.Visibility != TsOuterVisibility::ovAlways && !fillsCentre && p.GradientPercent == 0 &&
      p.ImagePercent == 0 && !hasImages && p.Transparency == 100 && !overlay) {
    TWinControl* parent = w ? w->Parent() : nullptr;
    if (parent && !parent->HandleAllocated()) return;  // undetermined until the parent has a window
    if (!parent || SendSkinCommand(*parent, SKIN_ISSKINNED) != 1) transparent = true;
    else transparent = (SendSkinCommand(*parent, SKIN_SKINSTATE) & ssTransparentForChildren) != 0;
  }
  CtrlSkinState = std::uint16_t((CtrlSkinState & ~(ssTransparentForChildren | ssUndetermined)) |
                                (transparent ? ssTransparentForChildren : 0));
}

// ---- Colours --------------------------------------------------------------------------------

void TsCommonData::SyncColors(bool repaint) {
  TsSkinManager* m = SkinManager();
  if (!IsColorFollowingKind(COC) || !Skinned() || !FOwnerControl) return;
  TColorSyncScope syncing(SyncingColors);
  if (FullyTransparent()) return;
  const TsGeneralData& g = m->gd()[std::size_t(SkinIndex)];
  auto adjust = [&](TColor c) { return RecolorColor(c, {clNone, FHUEOffset, FSaturation, TsSaturationScale::scAmount}); };
  bool changed = false;
  if (!FCustomColor) {
    const TColor c = adjust(g.Props[0].Color);
    changed |= c != FOwnerControl->Color();
    FOwnerControl->SetColor(c);
  }
  if (!FCustomFont && COC != 10) {
    const TColor c = adjust(g.Props[0].FontColor.Color);
    changed |= c != FOwnerControl->Font().Color();
    FOwnerControl->Font().SetColor(c);
  }
  if (repaint && changed) Invalidate();
}

void TsCommonData::SyncStateColors(bool focused) {
  if (FCustomColor || SkinIndex < 0 || !FOwnerControl || !SkinManager()) return;
  const TsGeneralData& g = SkinManager()->gd()[std::size_t(SkinIndex)];
  const TsGenState& p = g.Props[((focused || FMouseAbove) && g.States >= 2) ? 1 : 0];
  TColorSyncScope syncing(SyncingColors);
  if (p.Color != FOwnerControl->Color()) FOwnerControl->SetColor(p.Color);
  if (p.FontColor.Color != FOwnerControl->Font().Color()) FOwnerControl->Font().SetColor(p.FontColor.Color);
}

void TsCommonData::SyncHotColors(bool hot) {
  TsSkinManager* m = SkinManager();
  if (!IsColorFollowingKind(COC) || !Skinned() || !FOwnerControl) return;
  TColorSyncScope syncing(SyncingColors);
  const TsGeneralData& g = m->gd()[std::size_t(SkinIndex)];
  if (g.States < 2) return;
  bool changed = false;
  if (hot) {
    if (!FCustomColor && FOwnerControl->Color() != g.Props[1].Color) {
      FOwnerControl->SetColor(g.Props[1].Color);
      changed = true;
    }
    if (!FCustomFont && COC != 10 && FOwnerControl->Font().Color() != g.Props[1].FontColor.Color) {
      FOwnerControl->Font().SetColor(g.Props[1].FontColor.Color);
      changed = true;
    }
  } else {
    const TColor color = FOwnerControl->Color(), font = FOwnerControl->Font().Color();
    SyncColors(false);
    changed = color != FOwnerControl->Color() || font != FOwnerControl->Font().Color();
  }
  if (HWND wnd = OwnerWindow()) {
    if (changed) InvalidateRect(wnd, nullptr, TRUE);
    SendMessageW(wnd, WM_NCPAINT, 1, 0);
  }
}

TColor TsCommonData::ParentColor(TColor none) const {
  TWinControl* parent = FOwnerControl ? FOwnerControl->Parent() : nullptr;
  if (!parent) return none;
  return SendSkinCommand(*parent, SKIN_ISSKINNED) == 1 ? TColor(SendSkinCommand(*parent, SKIN_GETBGCOLOR))
                                                       : ColorToRGB(parent->Color());
}

bool TsCommonData::FullyTransparent() const {
  const TsSkinManager* m = SkinManager();
  if (!m || !m->IsValidSkinIndex(SkinIndex)) return false;
  const TsGeneralData& g = m->gd()[std::size_t(SkinIndex)];
  return g.Props[0].Transparency == 100 && g.Props[1].Transparency == 100;
}

TColor TsCommonData::BackgroundColor(int state) const {
  const TsSkinManager* m = SkinManager();
  if (!Skinned() || !FOwnerControl) return FOwnerControl ? ColorToRGB(FOwnerControl->Color()) : ColorToRGB(clBtnFace);
  const TsGeneralData& g = m->gd()[std::size_t(SkinIndex)];
  const int p = state > 0 && g.States > 1 ? 1 : 0;
  const TsGenState& s = g.Props[std::size_t(p)];
  const int t = std::clamp(s.Transparency, 0, 100);
  if (t == 0) return FCustomColor ? ColorToRGB(FOwnerControl->Color()) : s.Color;
  const TColor parentColor = ParentColor(ColorToRGB(clBtnFace));
  if (t == 100) return parentColor;
  return InterpolateColor(parentColor, s.Color, t / 100.0L);
}
