#include "skin/controls/sButton.h"

#include <algorithm>
#include <optional>

#include "framework/ImageList.h"
#include "framework/Menus.h"
#include "platform/SafeLibrary.h"
#include "skin/base/sDCPaint.h"
#include "skin/base/sMarks.h"
#include "skin/base/sRecolor.h"
#include "skin/controls/sButtonGlyph.h"
#include "skin/controls/sRedrawOff.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sFadeWin.h"
#include "skin/paint/sFormAnimation.h"
#include "skin/paint/sGlow.h"
#include "skin/paint/sItemPaint.h"
#include "skin/paint/sMaskFrame.h"
#include "skin/paint/sSkinCommands.h"
#include "skin/paint/sSkinText.h"

namespace {

constexpr int kButtonCoc = 93;
constexpr unsigned kAllCorners = crTopLeft | crBottomLeft | crTopRight | crBottomRight;

// Process-wide, user-interface thread only: the click flash shows the pressed look whatever the
// platform's button says; the redraw guard keeps focus changes from nesting their redraw switch.
bool gForcedPressed = false;
bool gRedrawGuard = false;

// Holds gRedrawGuard for one scope, however the scope ends: a stuck guard would keep every button
// from following its focus again.
struct TRedrawGuardScope {
  TRedrawGuardScope() { gRedrawGuard = true; }
  ~TRedrawGuardScope() { gRedrawGuard = false; }
};

using TOpenThemeData = HANDLE(WINAPI*)(HWND, LPCWSTR);
using TCloseThemeData = HRESULT(WINAPI*)(HANDLE);
using TDrawThemeBackground = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
using TGetThemeBackgroundContentRect = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, RECT*);
using TDrawThemeParentBackground = HRESULT(WINAPI*)(HWND, HDC, const RECT*);

// The visual-theme calls, looked up once; all null when the platform has no themes.
struct TThemeApi {
  TOpenThemeData Open = nullptr;
  TCloseThemeData Close = nullptr;
  TDrawThemeBackground Draw = nullptr;
  TGetThemeBackgroundContentRect Content = nullptr;
  TDrawThemeParentBackground Parent = nullptr;
  bool Ready() const { return Open && Close && Draw && Content && Parent; }
};

const TThemeApi& ThemeApi() {
  static const TThemeApi api{
      SystemFunction<TOpenThemeData>(L"uxtheme.dll", "OpenThemeData"),
      SystemFunction<TCloseThemeData>(L"uxtheme.dll", "CloseThemeData"),
      SystemFunction<TDrawThemeBackground>(L"uxtheme.dll", "DrawThemeBackground"),
      SystemFunction<TGetThemeBackgroundContentRect>(L"uxtheme.dll", "GetThemeBackgroundContentRect"),
      SystemFunction<TDrawThemeParentBackground>(L"uxtheme.dll", "DrawThemeParentBackground"),
  };
  return api;
}

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
  s.Pushed = gForcedPressed ||
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

// ---- Painting -----------------------------------------------------------------------------------

void TsButton::PaintGlyph(TBitmap32* dst, TCanvas& canvas, int state) {
  if (!HasValidImage()) return;
  const TsSkinManager* m = skinData_.SkinManager();
  const bool greyed = Skinned() && m && const_cast<TsSkinManager*>(m)->Effects().DiscoloredGlyphs;
  TsGlyphRequest r;
  r.Images = Images();
  r.ImageIndex = GlyphIndex();
  r.Rect = GlyphRect();
  r.Enabled = Enabled();
  r.Pressed = state == 2;
  r.State = state;
  r.DisabledKind = dgBlended;
  r.Reflected = FReflected;
  if (GlyphIsGrey(greyed, state, r.Enabled, r.DisabledKind)) {
    const TsGeneralData* g = Section();
    r.GreyColor = g ? g->Props[0].Color : clWhite;
  }
  if (dst) {
    r.Dst = dst;
    DrawButtonGlyph(r);
    return;
  }
  // No picture of ours: the canvas area under the glyph is drawn on and copied back.
  const TRect at = r.Rect;
  TBitmap tmp(at.Width(), at.Height() * (FReflected ? 2 : 1));
  BitBlt(tmp.DC(), 0, 0, tmp.Width(), tmp.Height(), canvas.Handle(), at.Left, at.Top, SRCCOPY);
  GdiFlush();
  r.Dst = &tmp.Pixels();
  r.Rect = Bounds(0, 0, at.Width(), at.Height());
  DrawButtonGlyph(r);
  BitBlt(canvas.Handle(), at.Left, at.Top, tmp.Width(), tmp.Height(), tmp.DC(), 0, 0, SRCCOPY);
}

void TsButton::PaintCaption(TCanvas& canvas, int state, bool skinned) {
  const std::wstring text = Caption();
  canvas.Font = Font();
  canvas.BrushClear = true;
  const TRect caption = CaptionRect();
  UINT flags = FStyle == TButtonStyle::bsCommandLink ? 0x50 : WordWrap() ? 0x55 : 0x45;
  const TFont plain = canvas.Font;
  if (FStyle == TButtonStyle::bsCommandLink) {
    canvas.Font.SetStyle(canvas.Font.Style() | fsBold);
    canvas.Font.SetHeight(canvas.Font.Height() < 0 ? canvas.Font.Height() - 3 : canvas.Font.Height() + 3);
  }
  GdiFlush();
  if (!text.empty()) DrawSkinText(canvas, text, Enabled() || skinned, state != 0, skinData_, flags, caption, &FGlow);
  if (FStyle == TButtonStyle::bsCommandLink) {
    canvas.Font = plain;
    if (!CommandLinkHint().empty())
      DrawSkinText(canvas, CommandLinkHint(), Enabled() || skinned, state != 0, skinData_, flags,
                   CommandLinkHintRect(Geometry(), caption));
  }
  const TsSkinManager* m = skinData_.SkinManager();
  if (skinned && Focused() && Enabled() && m && const_cast<TsSkinManager*>(m)->ButtonsOptions().ShowFocusRect &&
      !text.empty() && FShowFocus && skinData_.CacheBmp()) {
    TColor color = clBtnText;
    if (const TsGeneralData* g = Section())
      color = AdjustedColor(skinData_, g->Props[std::size_t(std::clamp(g->States, 0, 1))].FontColor.Color);
    GdiFlush();
    DrawDottedFrame(skinData_.CacheBmp()->Pixels(), ButtonFocusRect(caption, FFocusMargin, Height()), color, clNone);
  }
}

bool TsButton::PrepareCache() {
  const std::optional<TCacheInfo> ready = ReadyControlBackground(skinData_);
  if (!ready) return false;
  TCacheInfo bg = *ready;
  TBitmap& cache = skinData_.EnsureCache();
  if (cache.Width() != Width() || cache.Height() != Height()) cache.SetSize(Width(), Height());
  GdiFlush();
  TBitmap32& px = cache.Pixels();
  const int p = PaintState();
  const TPoint pos{Left(), Top()};
  const TRect all = Rect(0, 0, Width(), Height());
  const TsItemSkinData item = ItemSkinData(skinData_);
  PaintControlBackground(item, bg, p, px, pos, all);
  if (const TsMaskData* mask = BorderMask()) {
    if (FRegionChanged && mask->CornerType == 2 && !FormAnimationRunning() && !fadeTimer_) {
      FRegion.reset(FRegionHost->NewRectRegion(Width(), Height()));
      if (p != 0 || !(mask->DrawMode & kDrawNoNormal)) PaintMaskFrameRegion(px, FRegion.get(), true, p, *mask);
    } else if (p != 0 || !(mask->DrawMode & kDrawNoNormal)) {
      TCacheInfo moved = bg;
      moved.X += Left();
      moved.Y += Top();
      PaintMaskFrame(px, all, moved, true, p, *mask);
    }
  }
  RecolorPixels(px, OwnRecolor(skinData_));
  // The corners show what lies behind them: the background already asked for above.
  RefreshCorners(item, px, p, kAllCorners, bg, pos);
  TCanvas& canvas = FCanvas.On(cache.DC(), Font());
  const int state = CurrentState();
  PaintGlyph(&px, canvas, state);
  PaintCaption(canvas, state, true);
  GdiFlush();
  if (FStyle == TButtonStyle::bsSplitButton) {
    TColor color = clBtnText;
    if (const TsGeneralData* g = Section()) color = AdjustedColor(skinData_, g->Props[p != 0 ? 1 : 0].FontColor.Color);
    const std::uint32_t line = 0xFF000000u | (ColorToRGB(color) & 0xFF) << 16 | (ColorToRGB(color) & 0xFF00) |
                               (ColorToRGB(color) >> 16 & 0xFF);
    for (int y = 4; y < Height() - 4; ++y)
      if (Width() - 15 >= 0 && Width() - 15 < px.Width()) px.Pixel(Width() - 15, y) = line;
    DrawSmallArrow(px, color, Rect(Width() - kSplitArrowWidth, 0, Width(), Height()), 3);
  }
  if (!Enabled()) {
    TControl* parent = Parent();
    ApplyDisabledLook(px, FDisabledKind, parent ? parent->Color() : clBtnFace, pos, bg);
  }
  skinData_.BGChanged = false;
  return true;
}

void TsButton::PaintHandler(HDC given) {
  const bool animating = FormAnimationRunning();
  if (animating && !(given && given == skinData_.PrintDC)) {
    // Nothing shows meanwhile, but the paint request is answered: an unanswered one comes back
    // at once, ahead of every timer.
    if (!given) ValidateRect(Handle(), nullptr);
    return;
  }
  std::unique_ptr<TPaintDC> paint;
  HDC dc = given;
  if (!dc) {
    paint = std::make_unique<TPaintDC>(Handle());
    dc = paint->dc();
  }
  if (skinData_.Updating() || (fadeTimer_ && fadeTimer_->Enabled())) return;
  TControl* parent = Parent();
  bool half = skinData_.BGChanged || skinData_.HalfVisible;
  if (!half && parent) half = SendSkinCommand(*parent, SKIN_ISHALFVISIBLE) != 0;
  skinData_.BGChanged = half;
  if (parent) {
    const TRect pc = parent->ClientRect();
    skinData_.HalfVisible = !(Left() >= 0 && Top() >= 0 && Left() + Width() <= pc.Width() && Top() + Height() <= pc.Height());
  }
  const bool redraw = FRegionNeverSet || SkinLoading();
  FRegion.reset();
  const TsMaskData* mask = BorderMask();
  if (FRegionChanged && mask && mask->CornerType == 2 && !(ComponentState() & csDesigning)) {
    if (!PrepareCache()) return;
    RefreshCorners(skinData_, PaintState(), kAllCorners);
    GdiFlush();
    HDC src = skinData_.CacheBmp()->DC();
    const int w = Width(), h = Height();
    BitBlt(dc, 0, 0, mask->WL, mask->WT, src, 0, 0, SRCCOPY);
    BitBlt(dc, 0, h - mask->WB, w, mask->WB, src, 0, h - mask->WB, SRCCOPY);
    BitBlt(dc, w - mask->WR, h - mask->WB, mask->WR, mask->WB, src, w - mask->WR, h - mask->WB, SRCCOPY);
    BitBlt(dc, w - mask->WR, 0, mask->WR, mask->WT, src, w - mask->WR, 0, SRCCOPY);
    if (dc != skinData_.PrintDC && FRegion) {
      // The window takes the region over. Setting it moves the window through the platform: the
      // position messages that come back must not ask for another picture.
      FSettingRegion = true;
      // The window owns the region only once the call succeeds; a failed call leaves it ours.
      if (FRegionHost->GiveToWindow(Handle(), FRegion.get(), redraw)) (void)FRegion.release();
      else FRegion.reset();
      FSettingRegion = false;
      FRegionNeverSet = false;
    }
    const TRect now = BoundsRect();
    if ((now.Width() < FLastRect.Width() || now.Height() < FLastRect.Height()) && parent &&
        parent->IsWindowed() && !GetControlBackground(skinData_).Ready) {
      HWND pw = static_cast<TWinControl*>(parent)->Handle();
      const TRect& l = FLastRect;
      const RECT areas[3] = {{l.Right - mask->WR, l.Top, l.Right, l.Top + mask->WT},
                             {l.Right - mask->WR, l.Bottom - mask->WB, l.Right, l.Bottom},
                             {l.Left, l.Bottom - mask->WB, l.Left + mask->WL, l.Bottom}};
      for (const RECT& a : areas) InvalidateRect(pw, &a, TRUE);
    }
    FLastRect = now;
    FRegion.reset();
  } else if (skinData_.BGChanged || !skinData_.CacheBmp() || skinData_.CacheBmp()->Width() != Width()) {
    if (!PrepareCache()) return;
  }
  GdiFlush();
  TSavedDC saved(dc);
  BitBlt(dc, 0, 0, Width(), Height(), skinData_.CacheBmp()->DC(), 0, 0, SRCCOPY);
}

// ---- The unskinned face -----------------------------------------------------------------------

void TsButton::DrawUnskinned(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  const bool pressed = item.itemState & ODS_SELECTED;
  const bool focusBit = item.itemState & ODS_FOCUS;
  const bool disabled = item.itemState & ODS_DISABLED;
  RECT client{0, 0, Width(), Height()};
  const TsSkinManager* m = skinData_.SkinManager();
  const bool focusOption = !m || const_cast<TsSkinManager*>(m)->ButtonsOptions().ShowFocusRect;
  const TThemeApi& theme = ThemeApi();
  HANDLE th = theme.Ready() ? theme.Open(Handle(), L"BUTTON") : nullptr;
  if (th) {
    const int state = PushButtonPartState(
        ThemedButtonState(disabled, pressed, skinData_.FMouseAbove, Focused() || FIsFocused));
    constexpr int kBpPushButton = 1;
    theme.Parent(Handle(), dc, &client);
    theme.Draw(th, dc, kBpPushButton, state, &client, nullptr);
    RECT content = client;
    theme.Content(th, dc, kBpPushButton, state, &client, &content);
    if (FIsFocused && focusBit && focusOption) {
      if (FStyle == TButtonStyle::bsSplitButton) content.right -= 14;
      DrawFocusRect(dc, &content);
    }
    theme.Close(th);
  } else {
    RECT r = client;
    if (Focused() || FIsFocused) {
      TUniqueBrush frame(CreateSolidBrush(GetSysColor(COLOR_WINDOWFRAME)));
      FrameRect(dc, &r, frame.get());
      InflateRect(&r, -1, -1);
    }
    if (!pressed) {
      DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (disabled ? DFCS_INACTIVE : 0));
    } else {
      TUniquePen pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW)));
      TUniqueBrush face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
      TSelectObject sp(dc, pen.get()), sb(dc, face.get());
      Rectangle(dc, r.left, r.top, r.right, r.bottom);
      InflateRect(&r, -1, -1);
    }
    if (FIsFocused && focusBit && focusOption) {
      RECT f{4, 4, Width() - 4, Height() - 4};
      DrawFocusRect(dc, &f);
    }
  }
  TCanvas canvas(dc);
  const int state = CurrentState();
  PaintCaption(canvas, state, false);
  PaintGlyph(nullptr, canvas, state);
  if (FStyle == TButtonStyle::bsSplitButton) {
    TUniquePen pen(CreatePen(PS_SOLID, 1, GetSysColor(COLOR_WINDOWFRAME)));
    TSelectObject sp(dc, pen.get());
    MoveToEx(dc, Width() - 15, 4, nullptr);
    LineTo(dc, Width() - 15, Height() - 4);
    DrawSmallArrow(canvas, Font().Color(), Rect(Width() - kSplitArrowWidth, 0, Width(), Height()), 3);
  }
}

// ---- Fades and input ----------------------------------------------------------------------------

void TsButton::HideGlow() {
  if (skinData_.GlowID != -1) ::HideGlow(skinData_.GlowID);
}

void TsButton::FadeRequest(bool fast, TsAnimatEvent e) {
  FadeOnEvent(fadeTimer_, skinData_, fast, TFadeDirection::fdUp,
              AnimationAllowed(e, FAnimatEvents, skinData_.SkinManager()));
}

void TsButton::DropDown() {
  FDroppedDown = true;
  Invalidate();
  skinData_.Invalidate();
  const TPoint at = ClientToScreen({0, Height()});
  // The chosen item's click may free this button (with its form).
  const auto alive = Liveness();
  DropDownMenu()->Popup(at.X, at.Y, Handle());
  if (!*alive || Destroying()) return;
  FDroppedDown = false;
  skinData_.Invalidate();
}

void TsButton::MouseDownSkinned(TMessage& m) {
  skinData_.FUpdating = false;
  FMouseClicked = true;
  {
    TRedrawOff off(Handle());
    TsSkinnedControl::WndProc(m);  // the platform's press: focus, capture, pushed state
  }
  if (Destroying()) return;
  if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) {
    if (!FDown) {
      FRegionChanged = true;
      skinData_.FUpdating = skinData_.Updating();
      skinData_.BGChanged = false;
      FadeRequest(true, aeMouseDown);
    }
  }
}

void TsButton::MouseUpSkinned(TMessage& m) {
  if (!FMouseClicked) {
    TsSkinnedControl::WndProc(m);
    return;
  }
  FMouseClicked = false;
  // The platform's release first: it ends the pushed state and reports the click.
  TsSkinnedControl::WndProc(m);
  if (Destroying() || !HandleAllocated() || !Enabled()) return;
  if (fadeTimer_ && fadeTimer_->FadeLevel < fadeTimer_->Iterations) {
    // A quick click: the press fade has not arrived yet; the pressed look shows for a moment.
    fadeTimer_->SetDirection(TFadeDirection::fdNone);
    skinData_.BGChanged = true;
    gForcedPressed = true;
    InvalidateRect(Handle(), nullptr, FALSE);
    UpdateWindow(Handle());
    gForcedPressed = false;
    Sleep(30);
  }
  skinData_.FUpdating = false;
  if (Destroying()) return;
  FRegionChanged = true;
  skinData_.BGChanged = false;
  FadeRequest(true, aeMouseUp);
}

void TsButton::DefaultHandler(TMessage& m) {
  std::optional<TRedrawOff> off;
  if (Skinned() && HandleAllocated() && PlatformButtonPaintsOn(m.Msg)) off.emplace(Handle());
  TsSkinnedControl::DefaultHandler(m);
}

bool TsButton::HandleSkinned(TMessage& m) {
  switch (m.Msg) {
    case WM_WINDOWPOSCHANGED:
      if (!FSettingRegion) {
        const bool moved = !(reinterpret_cast<WINDOWPOS*>(m.LParam)->flags & SWP_NOMOVE);
        const TsGeneralData* g = Section();
        if (moved && g && (g->Props[0].Transparency >= 1 || (g->Props[1].Transparency >= 1 && IsControlHot(skinData_))))
          skinData_.BGChanged = true;
        FRegionChanged = true;
        if (!(reinterpret_cast<WINDOWPOS*>(m.LParam)->flags & SWP_NOSIZE)) HideGlow();
        skinData_.BGChanged = true;
      }
      TsSkinnedControl::WndProc(m);
      return true;
    case WM_WINDOWPOSCHANGING:
      if (!FSettingRegion) FRegionChanged = true;
      return false;
    case WM_SETFOCUS:
      if (!Enabled() || Destroying() || gRedrawGuard) return false;
      {
        TRedrawGuardScope guard;
        TRedrawOff off(Handle());
        TsSkinnedControl::WndProc(m);
      }
      skinData_.BGChanged = true;
      if (fadeTimer_) {
        PrepareCache();
        fadeTimer_->Change();
      } else {
        skinData_.Invalidate();
      }
      return true;
    case WM_KILLFOCUS:
      if (!Enabled() || Destroying()) return false;
      StopFade(fadeTimer_);
      {
        TRedrawOff off(Handle());
        TsSkinnedControl::WndProc(m);
      }
      skinData_.FFocused = false;
      FRegionChanged = true;
      skinData_.Invalidate();
      HideGlow();
      return true;
    case WM_ENABLE:
      m.Result = 0;
      return true;
    case WM_PAINT:
      if (!Parent() || skinData_.Updating()) {
        if (!m.WParam) ValidateRect(Handle(), nullptr);
        m.Result = 0;
        return true;
      }
      PaintHandler(reinterpret_cast<HDC>(m.WParam));
      m.Result = 0;
      return true;
    case WM_PRINTCLIENT:
      FRegionChanged = true;
      skinData_.FUpdating = false;
      PaintHandler(reinterpret_cast<HDC>(m.WParam));
      m.Result = 0;
      return true;
    case WM_ERASEBKGND:
      if (m.WParam && skinData_.CacheBmp() && !skinData_.Updating()) {
        if (skinData_.BGChanged) PrepareCache();
        if (!skinData_.BGChanged && !(fadeTimer_ && fadeTimer_->Enabled())) {
          GdiFlush();
          BitBlt(reinterpret_cast<HDC>(m.WParam), 0, 0, Width(), Height(), skinData_.CacheBmp()->DC(), 0, 0, SRCCOPY);
        }
      }
      m.Result = 0;
      return true;
    case WM_UPDATEUISTATE:
      m.Result = 1;
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
      if (m.Msg == WM_LBUTTONDOWN && FStyle == TButtonStyle::bsSplitButton && DropDownMenu() &&
          InSplitArrow(int(short(LOWORD(m.LParam))), Width())) {
        m.Result = 0;
        DropDown();
        return true;
      }
      if (!Enabled()) return false;
      MouseDownSkinned(m);
      return true;
    case WM_LBUTTONUP:
      if (Destroying()) return true;
      if (!Enabled()) return false;
      MouseUpSkinned(m);
      return true;
    case WM_KEYDOWN:
      if (m.WParam != VK_SPACE || !Enabled() || !Focused()) return false;
      TsSkinnedControl::WndProc(m);
      StopFade(fadeTimer_);
      FRegionChanged = true;
      skinData_.BGChanged = true;
      HideGlow();
      Repaint();
      return true;
    case WM_KEYUP:
      TsSkinnedControl::WndProc(m);
      if (m.WParam == VK_SPACE && !Destroying()) {
        FRegionChanged = true;
        skinData_.BGChanged = true;
        Repaint();
      }
      return true;
    case FN_TEXTCHANGED:
      TsSkinnedControl::WndProc(m);
      if (!Destroying()) skinData_.Invalidate();
      return true;
    case FN_MOUSEENTER: {
      TsSkinnedControl::WndProc(m);
      const TsSkinManager* mgr = skinData_.SkinManager();
      if (Enabled() && !(mgr && const_cast<TsSkinManager*>(mgr)->Options().NoMouseHover)) {
        skinData_.FMouseAbove = true;
        skinData_.BGChanged = false;
        FadeRequest(false, aeMouseEnter);
      }
      return true;
    }
    case FN_MOUSELEAVE:
      TsSkinnedControl::WndProc(m);
      if (Enabled()) {
        skinData_.FMouseAbove = false;
        skinData_.BGChanged = false;
        FadeRequest(false, aeMouseLeave);
      }
      return true;
    case FN_DRAWITEM:
      m.Result = 1;
      return true;
    case FN_ENABLEDCHANGED:
      TsSkinnedControl::WndProc(m);
      if (!Enabled()) StopFade(fadeTimer_);
      skinData_.FUpdating = false;
      skinData_.Invalidate();
      return true;
    case FN_VISIBLECHANGED:
      TsSkinnedControl::WndProc(m);
      skinData_.BGChanged = true;
      skinData_.FUpdating = false;
      return true;
    case FN_FONTCHANGED:
      TsSkinnedControl::WndProc(m);
      skinData_.FUpdating = false;
      skinData_.Invalidate();
      return true;
    case FN_CANCELMODE:
      TsSkinnedControl::WndProc(m);
      HideGlow();
      return true;
    default:
      return false;
  }
}

void TsButton::WndProc(TMessage& m) {
  if (m.Msg == WM_GETDLGCODE) {
    m.Result = DLGC_BUTTON | (Default() || FIsFocused ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
    return;
  }
  if (m.Msg == BM_SETSTYLE) {
    // The dialog manager marks the button it makes the active default one; the window keeps
    // drawing by owner, skinned or not.
    FIsFocused = (m.WParam & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    m.WParam = (m.WParam & ~WPARAM(BS_TYPEMASK)) | BS_OWNERDRAW;
    TsSkinnedControl::WndProc(m);
    if (Skinned()) skinData_.Invalidate();
    else if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
    return;
  }
  if (m.Msg == FN_MEASUREITEM) {
    auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
    mi->itemWidth = UINT(Width());
    mi->itemHeight = UINT(Height());
    m.Result = 1;
    return;
  }
  if (m.Msg == SM_SKINCOMMAND) {
    const std::uint16_t code = SkinCommandCode(m.WParam);
    const bool own = reinterpret_cast<TsSkinManager*>(m.LParam) == skinData_.SkinManager();
    switch (code) {
      case SKIN_LOADED:
        if (own) FRegionChanged = true;
        TsSkinnedControl::WndProc(m);
        return;
      case SKIN_UNLOADED:
        TsSkinnedControl::WndProc(m);
        if (own && !Destroying()) {
          FRegion.reset();
          if (HandleAllocated()) {
            SetWindowRgn(Handle(), nullptr, TRUE);
            InvalidateRect(Handle(), nullptr, TRUE);
          }
        }
        return;
      case SKIN_REFRESH:
        if (own) {
          StopFade(fadeTimer_);
          if (HandleAllocated()) SetWindowRgn(Handle(), nullptr, FALSE);
        }
        TsSkinnedControl::WndProc(m);
        if (own) {
          FRegionChanged = true;
          if (!skinData_.PrintDC) Repaint();
        }
        return;
      case SKIN_ISSKINNED:
        m.Result = 1;
        return;
      case SKIN_PREPARECACHE:
        if (Skinned()) PrepareCache();
        m.Result = 0;
        return;
      case SKIN_FADEFRAME:
        // A frame shows the picture as the window has it: a region still pending goes. The frame
        // is copied here, into the client area: no frame of ours is drawn outside it.
        FRegion.reset();
        if (auto* frame = reinterpret_cast<TBitmap*>(m.LParam); frame && HandleAllocated() && frame->Width() > 0) {
          if (HDC dc = GetDC(Handle())) {
            GdiFlush();
            BitBlt(dc, 0, 0, frame->Width(), frame->Height(), frame->DC(), 0, 0, SRCCOPY);
            ReleaseDC(Handle(), dc);
          }
          m.Result = 1;
          return;
        }
        TsSkinnedControl::WndProc(m);
        return;
      case SKIN_UPDATEDONE:
        if (Skinned() && skinData_.FUpdating) {
          skinData_.FUpdating = false;
          if (!skinData_.Updating()) Repaint();
          return;
        }
        TsSkinnedControl::WndProc(m);
        return;
      default:
        TsSkinnedControl::WndProc(m);
        return;
    }
  }
  if (m.Msg == WM_KILLFOCUS && Destroying()) return;
  const bool ready = HandleAllocated() && Parent() && !Loading() && !Destroying();
  if (ready && Skinned() && HandleSkinned(m)) return;
  if (!Skinned() || !ready) {
    if (m.Msg == FN_DRAWITEM) {
      DrawUnskinned(*reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam));
      m.Result = 1;
      return;
    }
    if (m.Msg == FN_MOUSEENTER || m.Msg == FN_MOUSELEAVE) {
      TsSkinnedControl::WndProc(m);
      if (Enabled() && !Destroying()) {
        skinData_.FMouseAbove = m.Msg == FN_MOUSEENTER;
        Invalidate();
      }
      return;
    }
    if (m.Msg == WM_LBUTTONDOWN && FStyle == TButtonStyle::bsSplitButton && DropDownMenu() &&
        InSplitArrow(int(short(LOWORD(m.LParam))), Width())) {
      m.Result = 0;
      DropDown();
      return;
    }
  }
  TsSkinnedControl::WndProc(m);
}
