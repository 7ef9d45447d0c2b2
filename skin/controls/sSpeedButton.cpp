#include "skin/controls/sSpeedButton.h"

#include <algorithm>

#include "framework/ControlDC.h"
#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "skin/base/sDCPaint.h"
#include "skin/base/sMarks.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sFadeWin.h"
#include "skin/paint/sFormAnimation.h"
#include "skin/paint/sItemPaint.h"
#include "skin/paint/sMaskFrame.h"
#include "skin/paint/sParentFont.h"
#include "skin/paint/sSkinCommands.h"
#include "skin/paint/sSkinText.h"

namespace {

constexpr int kSpeedButtonCoc = 92;
constexpr unsigned kAllCorners = crTopLeft | crBottomLeft | crTopRight | crBottomRight;

// The speed button whose drop-down menu is open; user-interface thread only.
TsSpeedButton* gOpenMenuButton = nullptr;

}  // namespace

TsSpeedButton::TsSpeedButton(TComponent* owner) : TsSkinnedControl(owner, kSpeedButtonCoc) {
  OnGlyphChange = [this](TObject*) {
    if (!Loading() && !Destroying()) skinData_.Invalidate();
  };
}

TsSpeedButton::~TsSpeedButton() {
  StopAnim();
  if (gOpenMenuButton == this) gOpenMenuButton = nullptr;
  if (TsSkinManager* m = skinData_.SkinManager(); m && m->FActiveGraphControl == this) m->FActiveGraphControl = nullptr;
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

// ---- Painting -----------------------------------------------------------------------------------

void TsSpeedButton::PaintArrow(TBitmap32& bmp, const TRect& r, int state) {
  TColor color = Font().Color();
  if (Skinned()) {
    TsSkinManager* m = skinData_.SkinManager();
    int index = skinData_.SkinIndex;
    if (const TsGeneralData* g = Section(); g && g->Props[0].Transparency >= 100) index = ParentFontIndex(*this, index, m);
    if (m && m->IsValidSkinIndex(index)) {
      const TsGeneralData& g = m->gd()[std::size_t(index)];
      color = AdjustedColor(skinData_, g.Props[std::size_t(SpeedArrowPropIndex(state, g.States))].FontColor.Color);
    }
  }
  DrawSmallArrow(bmp, color, r, 3);
}

void TsSpeedButton::PaintCaption(TCanvas& canvas, int state) {
  if (!FShowCaption || Caption().empty()) return;
  canvas.Font = Font();
  canvas.BrushClear = true;
  UINT flags = (FTextAlignment == TAlignment::taLeftJustify ? 0u : FTextAlignment == TAlignment::taRightJustify ? 2u : 1u) | 0x44;
  flags |= FWordWrap ? 0x8010 : 0x8020;
  flags = FWordWrap ? ((flags & ~UINT(DT_SINGLELINE)) | DT_NOCLIP) : flags | DT_NOCLIP;
  GdiFlush();
  DrawSkinText(canvas, Caption(), true, state != 0, skinData_, flags, CaptionRect(true), &FGlow);
}

void TsSpeedButton::PaintGlyph(TBitmap32& bmp, TCanvas&, int state) {
  TsGlyphRequest r;
  r.Dst = &bmp;
  r.Images = FImages;
  r.ImageIndex = FImageIndex;
  r.Glyph = &Glyph();
  r.Rect = ImgRect(true);
  r.NumGlyphs = NumGlyphs();
  r.Enabled = Enabled();
  r.Blend = FBlend;
  r.Pressed = Down();
  r.State = state;
  r.DisabledKind = FDisabledGlyphKind;
  r.Reflected = FReflected;
  if (GlyphIsGrey(Grayed(), state, r.Enabled, r.DisabledKind)) {
    const TsGeneralData* g = Section();
    r.GreyColor = g ? g->Props[0].Color : clWhite;
  }
  GdiFlush();
  DrawButtonGlyph(r);
}

bool TsSpeedButton::PrepareCache() {
  const std::optional<TCacheInfo> ready = ReadyControlBackground(skinData_);
  if (!ready) return false;
  TCacheInfo bg = *ready;
  TBitmap& cache = skinData_.EnsureCache();
  if (cache.Width() != Width() || cache.Height() != Height()) cache.SetSize(Width(), Height());
  if (bg.Ready && bg.Bmp && bg.Bmp->Empty()) {
    skinData_.BGChanged = false;
    return true;
  }
  GdiFlush();
  TBitmap32& px = cache.Pixels();
  const TPoint pos{Left(), Top()};
  const int W = Width(), H = Height();
  TsSkinManager* m = skinData_.SkinManager();
  auto fillWithBackground = [&] {
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        const int bx = Left() + bg.X + x, by = Top() + bg.Y + y;
        px.Pixel(x, y) = bg.Ready && bg.Bmp && bx >= 0 && by >= 0 && bx < bg.Bmp->Width() && by < bg.Bmp->Height()
                             ? bg.Bmp->Pixel(bx, by)
                             : 0xFF000000u | ((bg.FillColor & 0xFF) << 16) | (bg.FillColor & 0xFF00) | ((bg.FillColor >> 16) & 0xFF);
      }
  };
  TCanvas& canvas = FCanvas.On(cache.DC(), Font());
  if (FButtonStyle == TToolButtonStyle::tbsSeparator) {
    fillWithBackground();
  } else if (FButtonStyle == TToolButtonStyle::tbsDivider) {
    fillWithBackground();
    const int divider = m ? m->GetSkinIndex(L"DIVIDER") : -1;
    const int mask = divider >= 0 ? m->GetMaskIndex(divider, L"DIVIDER", L"BORDERSMASK") : -1;
    if (m && m->IsValidImgIndex(mask)) {
      TCacheInfo moved = bg;
      moved.X += Left();
      moved.Y += Top();
      PaintMaskFrame(px, Rect(W / 2 - 1, 0, W / 2 + 1, H), moved, false, 0, m->ma()[std::size_t(mask)]);
    }
  } else {
    int s = CurrentState();
    bool arrowPart = false;
    const TsItemSkinData item = ItemSkinData(skinData_);
    if (FButtonStyle == TToolButtonStyle::tbsDropDown) {
      const bool down = state_ == TButtonState::bsDown || state_ == TButtonState::bsExclusive;
      s = (FDropdownMenu && FDroppedDown) || Down() || down ? 2 : IsControlHot(skinData_) ? 1 : 0;
      if (OnClick) {
        arrowPart = true;
        TsItemSkinData plain = item;
        plain.HUEOffset = 0;
        plain.Saturation = 0;
        plain.ColorTone = clNone;
        const TRect part = Rect(W - kSplitArrowWidth, 0, W, H);
        PaintControlBackground(plain, bg, s, px, {Left() + W - kSplitArrowWidth, Top()}, part);
        if (m && m->IsValidImgIndex(skinData_.BorderIndex)) {
          TCacheInfo moved = bg;
          moved.X += Left();
          moved.Y += Top();
          PaintMaskFrame(px, part, moved, true, s, m->ma()[std::size_t(skinData_.BorderIndex)]);
        }
      }
    }
    const TRect face = Rect(0, 0, arrowPart ? W - kSplitArrowWidth : W, H);
    if (FDrawOverBorder) {
      PaintSkinItem(item, bg, true, px, pos, face, s);
      PaintCaption(canvas, s);
      PaintGlyph(px, canvas, s);
      if (arrowPart) PaintArrow(px, Rect(W - kSplitArrowWidth, 0, W, H), s);
      else if (FButtonStyle == TToolButtonStyle::tbsDropDown) PaintArrow(px, ArrowRect(), s);
    } else {
      PaintControlBackground(item, bg, s, px, pos, face);
      PaintCaption(canvas, s);
      PaintGlyph(px, canvas, s);
      if (m && m->IsValidImgIndex(skinData_.BorderIndex)) {
        TCacheInfo moved = bg;
        moved.X += Left();
        moved.Y += Top();
        PaintMaskFrame(px, face, moved, false, s, m->ma()[std::size_t(skinData_.BorderIndex)]);
      }
    }
  }
  GdiFlush();
  if (!Enabled()) {
    TControl* parent = Parent();
    ApplyDisabledLook(px, FDisabledKind, parent ? parent->Color() : clBtnFace, pos, GetControlBackground(skinData_));
  }
  if (OnPaint) OnPaint(this, px);
  skinData_.BGChanged = false;
  return true;
}

void TsSpeedButton::PaintUnskinned(TCanvas& canvas) {
  if (FButtonStyle == TToolButtonStyle::tbsSeparator) return;
  if (FButtonStyle == TToolButtonStyle::tbsDivider) {
    RECT r{Width() / 2 - 1, 0, Width() / 2 + 1, Height()};
    DrawEdge(canvas.Handle(), &r, EDGE_ETCHED, BF_LEFT);
    return;
  }
  TSpeedButton::PaintPlain(canvas);
  // The glyph on what the platform drew: that area copied out, drawn on and copied back.
  if (const TRect at = ImgRect(true); at.Width() > 0 && at.Height() > 0) {
    TBitmap area(at.Width(), at.Height() * (FReflected ? 2 : 1));
    BitBlt(area.DC(), 0, 0, area.Width(), area.Height(), canvas.Handle(), at.Left, at.Top, SRCCOPY);
    GdiFlush();
    TsGlyphRequest r;
    r.Dst = &area.Pixels();
    r.Images = FImages;
    r.ImageIndex = FImageIndex;
    r.Glyph = &Glyph();
    r.Rect = Bounds(0, 0, at.Width(), at.Height());
    r.NumGlyphs = NumGlyphs();
    r.Enabled = Enabled();
    r.Blend = FBlend;
    r.Pressed = Down();
    r.State = CurrentState();
    r.DisabledKind = FDisabledGlyphKind;
    r.Reflected = FReflected;
    if (GlyphIsGrey(Grayed(), r.State, r.Enabled, r.DisabledKind)) r.GreyColor = clWhite;
    DrawButtonGlyph(r);
    BitBlt(canvas.Handle(), at.Left, at.Top, area.Width(), area.Height(), area.DC(), 0, 0, SRCCOPY);
  }
  if (FButtonStyle == TToolButtonStyle::tbsDropDown) {
    const bool pressed = FDroppedDown || Down() || CurrentState() == 2;
    const int p = pressed ? 1 : 0, h = Height();
    TUniqueBrush brush(CreateSolidBrush(GetSysColor(COLOR_BTNTEXT)));
    TUniquePen pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT)));
    TSelectObject sb(canvas.Handle(), brush.get()), sp(canvas.Handle(), pen.get());
    const int x = Width() - 12 + p, y = (h - 5) / 2 + p;
    POINT tri[3] = {{x, y}, {x + 5, y}, {x + 2, y + 5}};
    Polygon(canvas.Handle(), tri, 3);
  }
}

void TsSpeedButton::PaintSiblings(HDC dc) {
  TWinControl* parent = Parent();
  if (!parent || FPaintingCopy) return;
  const TRect me = BoundsRect();
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    if (c == this || !c->Visible() || !(c->ControlStyle() & csOpaque)) continue;
    const TRect b = c->BoundsRect();
    const bool over = me.Contains({b.Left, b.Top}) || me.Contains({b.Right - 1, b.Bottom - 1});
    if (!over) continue;
    TSavedDC saved(dc);
    POINT org;
    GetViewportOrgEx(dc, &org);
    SetViewportOrgEx(dc, org.x + b.Left - me.Left, org.y + b.Top - me.Top, nullptr);
    IntersectClipRect(dc, 0, 0, b.Width(), b.Height());
    auto* speed = dynamic_cast<TsSpeedButton*>(c);
    if (speed) speed->FPaintingCopy = true;
    if (auto* w = dynamic_cast<TWinControl*>(c)) {
      if (w->HandleAllocated()) SendMessageW(w->Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    } else {
      c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
    if (speed) speed->FPaintingCopy = false;
  }
}

void TsSpeedButton::Paint(TCanvas& canvas) {
  TsSkinManager* m = skinData_.SkinManager();
  if (m && m->Active() && m->CommonSkinData().Active && skinData_.SkinIndex <= 0) skinData_.UpdateIndexes();
  if (!Skinned()) {
    PaintUnskinned(canvas);
    return;
  }
  const int W = Width(), H = Height();
  if (W <= 0 || H <= 0) return;
  if (FAnimTimer && FAnimTimer->Enabled()) {
    CopyFadeFrame(canvas.Handle());
    return;
  }
  skinData_.BGChanged = CurrentState() > 0 || Down() != FStoredDown || skinData_.BGChanged || skinData_.HalfVisible;
  FStoredDown = Down();
  if (TWinControl* parent = Parent(); parent && parent->HandleAllocated()) {
    RECT clip{};
    HDC pdc = GetWindowDC(parent->Handle());
    const int kind = pdc ? GetClipBox(pdc, &clip) : NULLREGION;
    if (pdc) ReleaseDC(parent->Handle(), pdc);
    skinData_.HalfVisible = !(kind != NULLREGION && clip.right - clip.left >= Left() + W &&
                              clip.bottom - clip.top >= Top() + H && Left() >= 0 && Top() >= 0);
  } else {
    skinData_.HalfVisible = false;
  }
  if (skinData_.BGChanged) {
    FOldNumGlyphs = NumGlyphs();
    FOldSpacing = Spacing();
  } else if (FOldNumGlyphs != NumGlyphs() || FOldSpacing != Spacing()) {
    FOldNumGlyphs = NumGlyphs();
    FOldSpacing = Spacing();
    skinData_.BGChanged = true;
  }
  if ((skinData_.BGChanged || !skinData_.CacheBmp()) && !PrepareCache()) return;
  GdiFlush();
  BitBlt(canvas.Handle(), 0, 0, W, H, skinData_.CacheBmp()->DC(), 0, 0, SRCCOPY);
}

bool TsSpeedButton::Busy() const {
  return (ControlState() & csCreating) || Destroying() || Loading();
}

void TsSpeedButton::GraphRepaint() {
  TWinControl* parent = Parent();
  if (Busy() || !parent || !parent->HandleAllocated() || !Visible() || !IsWindowVisible(parent->Handle()) ||
      FormAnimationRunning())
    return;
  if (!Skinned() || (ComponentState() & csDesigning)) {
    Repaint();
    return;
  }
  if (skinData_.Updating()) return;
  if (skinData_.BGChanged || !skinData_.CacheBmp()) {
    if (!PrepareCache()) return;
    if (!FPaintingCopy) PaintSiblings(skinData_.CacheBmp()->DC());
  }
  TControlDC at(*this);
  if (!at) return;
  GdiFlush();
  if (!(FAnimTimer && FAnimTimer->Enabled() && CopyFadeFrame(at.dc())))
    BitBlt(at.dc(), 0, 0, Width(), Height(), skinData_.CacheBmp()->DC(), 0, 0, SRCCOPY);
}

bool TsSpeedButton::CopyFadeFrame(HDC dc) {
  const TBitmap32& f = FAnimTimer->TmpBmp;
  if (f.Width() != Width() || f.Height() != Height()) return false;
  if (FFrame.Width() != f.Width() || FFrame.Height() != f.Height()) FFrame.SetSize(f.Width(), f.Height());
  GdiFlush();
  TBitmap32& px = FFrame.Pixels();
  for (int y = 0; y < f.Height(); ++y) std::copy(f.Row(y), f.Row(y) + f.Width(), px.Row(y));
  BitBlt(dc, 0, 0, f.Width(), f.Height(), FFrame.DC(), 0, 0, SRCCOPY);
  return true;
}

void TsSpeedButton::Invalidate() {
  if (Layout() != FOldLayout || Margin() != FOldMargin) {
    FOldLayout = Layout();
    FOldMargin = Margin();
    skinData_.BGChanged = true;
  }
  if (state_ != TButtonState::bsDown) TsSkinnedControl::Invalidate();
}

// ---- Fades --------------------------------------------------------------------------------------

void TsSpeedButton::StartAnim(bool fast) {
  if (ComponentState() & csDesigning) return;
  int remaining = 1;
  if (FAnimTimer) {
    remaining = FAnimTimer->Iterations - FAnimTimer->FadeLevel;
    TsAnimTimer* old = std::exchange(FAnimTimer, nullptr);
    old->Release();
  }
  if (FadesClosing()) return;
  auto* t = new TsAnimTimer(MakeFadeHost(skinData_));
  FAnimTimer = t;
  t->TakeOwnerData();
  if (fast) t->Iterations /= 2;
  // What the old fade had left, but never past this one's frames: a level beyond them would
  // weigh the old picture below nothing.
  t->FadeLevel = ResumedFadeLevel(remaining, t->Iterations);
  TBitmap& cache = skinData_.EnsureCache();
  if (cache.Width() != Width() || cache.Height() != Height()) {
    cache.SetSize(Width(), Height());
    PrepareCache();
  }
  PaintSiblings(cache.DC());
  GdiFlush();
  t->BmpFrom = cache.Pixels();
  PrepareCache();
  PaintSiblings(skinData_.EnsureCache().DC());
  RefreshCorners(skinData_, CurrentState(), kAllCorners);
  GdiFlush();
  t->SetEnabled(true);
  t->Timer();
}

void TsSpeedButton::StopAnim() {
  if (!FAnimTimer) return;
  TsAnimTimer* t = std::exchange(FAnimTimer, nullptr);
  if (Destroying() || (ComponentState() & csDesigning) || t->Destroying()) {
    t->Release();
    return;
  }
  t->SetEnabled(false);
  const bool repaint = t->FadeLevel != 0;
  t->Release();
  if (repaint) {
    skinData_.BGChanged = true;
    GraphRepaint();
  }
}

void TsSpeedButton::FadeRequest(bool fast, TsAnimatEvent e) {
  if (!AnimationAllowed(e, FAnimatEvents, skinData_.SkinManager()) || SkinLoading() || !Skinned() || FadesClosing()) {
    skinData_.BGChanged = true;
    StopAnim();
    GraphRepaint();
    return;
  }
  skinData_.BGChanged = true;
  StartAnim(fast);
}

// ---- Pointer ------------------------------------------------------------------------------------

// The framework raises OnMouseEnter and OnMouseLeave itself.
void TsSpeedButton::Enter() {
  TsSkinManager* m = skinData_.SkinManager();
  if (skinData_.FMouseAbove || FButtonStyle == TToolButtonStyle::tbsSeparator ||
      FButtonStyle == TToolButtonStyle::tbsDivider || (m && m->Options().NoMouseHover))
    return;
  skinData_.FMouseAbove = true;
  if (m) {
    TComponent* previous = m->FActiveGraphControl;
    m->FActiveGraphControl = this;
    if (previous && previous != this)
      if (auto* c = dynamic_cast<TControl*>(previous)) SendSkinCommand(*c, SKIN_DEACTIVATED);
  }
  if (FMenuOwnerMode) skinData_.BGChanged = true;
  else FadeRequest(false, aeMouseEnter);
}

void TsSpeedButton::Leave() {
  if (!skinData_.FMouseAbove) return;
  skinData_.FMouseAbove = false;
  if (TsSkinManager* m = skinData_.SkinManager(); m && m->FActiveGraphControl == this) m->FActiveGraphControl = nullptr;
  if (state_ == TButtonState::bsDown) state_ = TButtonState::bsUp;
  if (!Visible() || FMenuOwnerMode) skinData_.BGChanged = true;
  else FadeRequest(false, aeMouseLeave);
}

void TsSpeedButton::MouseDown(TMouseButton button, int x, int y) {
  if (button == TMouseButton::mbLeft && Enabled() && FButtonStyle == TToolButtonStyle::tbsDropDown && FDropdownMenu &&
      (x > Width() - kSplitArrowWidth || !OnClick)) {
    FMenuPress = true;
    gOpenMenuButton = this;
    StopAnim();
    if (FMenuVisible) return;
    FMenuVisible = FDroppedDown = true;
    skinData_.BGChanged = true;
    if (!OnClick) state_ = TButtonState::bsDown;
    GraphRepaint();
    FDropdownMenu->SetPopupComponent(this);
    const TPoint at = ClientToScreen({0, Height()});
    // The chosen item's click may free this button (with its form).
    const auto alive = Liveness();
    FDropdownMenu->Popup(at.X, at.Y, Parent() ? Parent()->Handle() : nullptr);
    if (!*alive || Destroying()) return;
    FDroppedDown = FMenuVisible = false;
    if (gOpenMenuButton == this) gOpenMenuButton = nullptr;
    POINT cursor;
    GetCursorPos(&cursor);
    const TPoint tl = ClientToScreen({0, -1});
    const TRect screen = Bounds(tl.X, tl.Y, Width(), Height());
    if (!screen.Contains({cursor.x, cursor.y})) Perform(FN_MOUSELEAVE);
    if (!OnClick) state_ = TButtonState::bsUp;
    skinData_.BGChanged = true;
    if (!Skinned()) Repaint();
    else GraphRepaint();
    return;
  }
  if (button == TMouseButton::mbLeft) FMenuPress = false;
  TsSkinnedControl::MouseDown(button, x, y);
}

void TsSpeedButton::MouseUp(TMouseButton button, int x, int y) {
  if (button == TMouseButton::mbLeft && FButtonStyle == TToolButtonStyle::tbsDropDown && Enabled()) {
    FDroppedDown = false;
    if (gOpenMenuButton == this) gOpenMenuButton = nullptr;
  }
  if (button == TMouseButton::mbLeft && std::exchange(FMenuPress, false)) return;
  TsSkinnedControl::MouseUp(button, x, y);
}

// ---- Messages -----------------------------------------------------------------------------------

void TsSpeedButton::WndProc(TMessage& m) {
  if (m.Msg == SM_SKINCOMMAND) {
    const std::uint16_t code = SkinCommandCode(m.WParam);
    const bool own = reinterpret_cast<TsSkinManager*>(m.LParam) == skinData_.SkinManager();
    switch (code) {
      case SKIN_LOADED:
        TsSkinnedControl::WndProc(m);
        if (own && Skinned()) controlStyle_ |= csOpaque;
        return;
      case SKIN_UNLOADED:
        TsSkinnedControl::WndProc(m);
        if (own && !Destroying()) {
          StopAnim();
          if (!Transparent()) controlStyle_ |= csOpaque;
          if (Visible()) Repaint();
        }
        return;
      case SKIN_REFRESH:
        TsSkinnedControl::WndProc(m);
        if (own && Visible()) Repaint();
        return;
      case SKIN_UPDATEDONE:
        skinData_.FUpdating = false;
        if (!skinData_.Updating()) GraphRepaint();
        return;
      case SKIN_ISSKINNED:
        m.Result = 1;
        return;
      case SKIN_INVALIDATE:
        skinData_.FUpdating = false;
        // A running fade's frame: the cache already holds the new look it fades to.
        if (!(FAnimTimer && FAnimTimer->Enabled())) skinData_.BGChanged = true;
        GraphRepaint();
        m.Result = 0;
        return;
      case SKIN_DEACTIVATED:
        Leave();
        return;
      case SKIN_STOPANIMATION:
        StopAnim();
        return;
      case SKIN_PREPARECACHE:
        if (Skinned()) PrepareCache();
        return;
      case SKIN_ISPENDING:
        m.Result = skinData_.FUpdating;
        return;
      case SKIN_SECTIONUPDATED:
        TsSkinnedControl::WndProc(m);
        GraphRepaint();
        return;
      default:
        TsSkinnedControl::WndProc(m);
        return;
    }
  }
  const bool ready = Parent() && !Busy();
  if (ready && Skinned()) {
    switch (m.Msg) {
      case WM_WINDOWPOSCHANGED:
      case FN_PARENTCOLORCHANGED:
        if (Visible()) skinData_.BGChanged = true;
        break;
      case WM_ERASEBKGND:
      case WM_NCPAINT:
        m.Result = 0;
        return;
      case WM_LBUTTONUP:
        if (FAnimTimer && FAnimTimer->TmpBmp.Width() == Width()) {
          StopAnim();
          PrepareCache();
          GraphRepaint();
        }
        break;
      case FN_MOUSELEAVE:
        if (Enabled()) Leave();
        TsSkinnedControl::WndProc(m);
        return;
      case FN_VISIBLECHANGED:
        skinData_.BGChanged = true;
        skinData_.FMouseAbove = false;
        break;
      case FN_TEXTCHANGED:
        TsSkinnedControl::WndProc(m);
        if (FShowCaption) {
          skinData_.BGChanged = true;
          GraphRepaint();
        }
        return;
      case FN_MOUSEENTER:
        if (Enabled() && !MouseInControl() && !(ComponentState() & csDesigning)) {
          const bool above = skinData_.FMouseAbove;
          TsSkinnedControl::WndProc(m);
          skinData_.FMouseAbove = above;
          Enter();
          return;
        }
        break;
      default:
        break;
    }
    const auto alive = Liveness();  // a click may free the button
    TsSkinnedControl::WndProc(m);
    if (!*alive || Destroying()) return;
    switch (m.Msg) {
      case WM_MOUSEMOVE:
        if (TsSkinManager* mgr = skinData_.SkinManager();
            skinData_.FMouseAbove && mgr && mgr->FActiveGraphControl && mgr->FActiveGraphControl != this) {
          skinData_.FMouseAbove = false;
          Enter();
        }
        break;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        if (!FDroppedDown) FadeRequest(true, aeMouseDown);
        break;
      case WM_LBUTTONUP:
        if (!Visible()) {
          m.Result = -1;
          break;
        }
        FadeRequest(true, aeMouseUp);
        break;
      case FN_ENABLEDCHANGED:
        if (!Enabled()) StopAnim();
        skinData_.BGChanged = true;
        if (!Loading()) GraphRepaint();
        break;
      case FN_BUTTONPRESSED:
        skinData_.BGChanged = true;
        GraphRepaint();
        break;
      case FN_FONTCHANGED:
        if (skinData_.CustomFont()) {
          skinData_.BGChanged = true;
          GraphRepaint();
        }
        break;
      default:
        break;
    }
    return;
  }
  if (m.Msg == FN_MOUSEENTER && Enabled()) {
    skinData_.FMouseAbove = true;
  } else if (m.Msg == FN_MOUSELEAVE) {
    skinData_.FMouseAbove = false;
    if (state_ == TButtonState::bsDown) state_ = TButtonState::bsUp;
  }
  TsSkinnedControl::WndProc(m);
}
