#include "skin/controls/sCheckBox.h"

#include <algorithm>
#include <optional>

#include "framework/ImageList.h"
#include "platform/SafeLibrary.h"
#include "skin/base/sDCPaint.h"
#include "skin/base/sMarks.h"
#include "skin/controls/sRedrawOff.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sFadeWin.h"
#include "skin/paint/sItemPaint.h"
#include "skin/paint/sMaskFrame.h"
#include "skin/paint/sSkinCommands.h"
#include "skin/paint/sSkinText.h"

namespace {

constexpr int kCheckBoxCoc = 32;

using TSetWindowTheme = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);

}  // namespace

TsCheckBox::TsCheckBox(TComponent* owner) : TsSkinnedControl(owner, kCheckBoxCoc) {}

TsCheckBox::~TsCheckBox() { StopFade(fadeTimer_); }

// ---- Properties -------------------------------------------------------------------------------

void TsCheckBox::SetMargin(int v) {
  if (v == FMargin) return;
  FMargin = v;
  AdjustSize();
  Invalidate();
}
void TsCheckBox::SetTextIndent(int v) {
  if (v == FTextIndent) return;
  FTextIndent = v;
  AdjustSize();
  Invalidate();
}
void TsCheckBox::SetShowFocus(bool v) {
  if (v == FShowFocus) return;
  FShowFocus = v;
  Invalidate();
}
void TsCheckBox::SetWordWrap(bool v) {
  if (v == FWordWrap) return;
  FWordWrap = v;
  AdjustSize();
  Invalidate();
}
void TsCheckBox::SetAutoSize(bool v) {
  if (v == FAutoSize) return;
  FAutoSize = v;
  AdjustSize();
}
void TsCheckBox::SetVerticalAlign(TvaAlign v) {
  if (v == FVerticalAlign) return;
  FVerticalAlign = v;
  Invalidate();
}
void TsCheckBox::SetDisabledKind(unsigned v) {
  if (v == FDisabledKind) return;
  FDisabledKind = v;
  Invalidate();
}
void TsCheckBox::SetCaptionRight(bool v) {
  if (v == FCaptionRight) return;
  FCaptionRight = v;
  Invalidate();
}
void TsCheckBox::SetGlyphChecked(const TBitmap32& v) {
  FGlyphChecked = v;
  AdjustSize();
  Invalidate();
}
void TsCheckBox::SetGlyphUnChecked(const TBitmap32& v) {
  FGlyphUnChecked = v;
  AdjustSize();
  Invalidate();
}
void TsCheckBox::SetImages(TImageList* v) {
  if (v == FImages) return;
  FImages = v;
  AdjustSize();
  Invalidate();
}
void TsCheckBox::SetImgChecked(int v) {
  if (v == FImgChecked) return;
  FImgChecked = v;
  AdjustSize();
  Invalidate();
}
void TsCheckBox::SetImgUnchecked(int v) {
  if (v == FImgUnchecked) return;
  FImgUnchecked = v;
  AdjustSize();
  Invalidate();
}

void TsCheckBox::SetChecked(bool v) {
  if (Loading()) return;
  if (v == Checked()) return;
  skinData_.BGChanged = true;
  TCheckBox::SetChecked(v);
  Invalidate();
  if (OnValueChanged) OnValueChanged(this);
}

bool TsCheckBox::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "ImgChecked") FImgChecked = int(v.AsInteger());
  else if (name == "ImgUnchecked") FImgUnchecked = int(v.AsInteger());
  else if (name == "Margin") FMargin = int(v.AsInteger());
  else if (name == "TextIndent") FTextIndent = int(v.AsInteger());
  else if (name == "ShowFocus") FShowFocus = v.AsBoolean();
  else if (name == "ReadOnly") FReadOnly = v.AsBoolean();
  else if (name == "WordWrap") FWordWrap = v.AsBoolean();
  else if (name == "AutoSize") FAutoSize = v.AsBoolean();
  else if (name == "Alignment") FCaptionRight = v.AsIdentifier() != L"taLeftJustify";
  else if (name == "VerticalAlign") {
    const auto& s = v.AsIdentifier();
    FVerticalAlign = s == L"vaTop" ? TvaAlign::vaTop : s == L"vaBottom" ? TvaAlign::vaBottom : TvaAlign::vaMiddle;
  } else return TsSkinnedControl::SetProperty(name, v, ctx);
  return true;
}

// ---- Glyph ------------------------------------------------------------------------------------

TsCheckBox::TGlyphSource TsCheckBox::GlyphSource() const {
  if (FImages && FImgChecked >= 0 && FImgUnchecked >= 0) return TGlyphSource::gsImages;
  if (!CurrentStrip().Empty()) return TGlyphSource::gsStrip;
  return TGlyphSource::gsSkin;
}

const TBitmap32& TsCheckBox::CurrentStrip() const { return Checked() ? FGlyphChecked : FGlyphUnChecked; }

int TsCheckBox::StateMask() const {
  const TsSkinManager* m = skinData_.SkinManager();
  if (!m) return -1;
  switch (State()) {
    case TCheckBoxState::cbChecked:
      return m->ConstData.CheckBoxChecked;
    case TCheckBoxState::cbGrayed:
      return m->ConstData.CheckBoxGrayed;
    case TCheckBoxState::cbUnchecked:
      break;
  }
  return m->ConstData.CheckBoxUnChecked;
}

int TsCheckBox::PaintState() const { return CheckBoxPaintState(FPressed, IsControlHot(skinData_), FReadOnly); }

TSize TsCheckBox::GlyphSize() const {
  switch (GlyphSource()) {
    case TGlyphSource::gsImages:
      return StripFrameSize(FImages->Width(), FImages->Height());
    case TGlyphSource::gsStrip:
      return StripFrameSize(CurrentStrip().Width(), CurrentStrip().Height());
    case TGlyphSource::gsSkin:
      break;
  }
  // The skin's glyph is sized by the checked mask, whatever the state.
  const TsSkinManager* m = skinData_.SkinManager();
  if (Skinned() && m && m->IsValidImgIndex(m->ConstData.CheckBoxChecked)) {
    const TsFrameSize f = MaskFrameSize(m->ma()[std::size_t(m->ConstData.CheckBoxChecked)]);
    return {f.W, f.H};
  }
  return {16, 16};
}

TRect TsCheckBox::GlyphRect() const {
  return CheckGlyphRect(GlyphSize(), {Width(), Height()}, FMargin, FVerticalAlign, FCaptionRight);
}

void TsCheckBox::PaintGlyph(TBitmap32& cache, int state) {
  const TRect r = GlyphRect();
  switch (GlyphSource()) {
    case TGlyphSource::gsImages: {
      const TBitmap32& image = FImages->Image(Checked() ? FImgChecked : FImgUnchecked);
      const TSize f = StripFrameSize(image.Width(), image.Height());
      const int k = StripFrameIndex(StripFrameCount(image.Width(), image.Height()), state);
      BlendThroughAlpha(cache, {r.Left, r.Top}, image, Bounds(k * f.W, 0, f.W, f.H));
      return;
    }
    case TGlyphSource::gsStrip: {
      const TBitmap32& strip = CurrentStrip();
      const TSize f = StripFrameSize(strip.Width(), strip.Height());
      const int k = StripFrameIndex(StripFrameCount(strip.Width(), strip.Height()), state);
      BlendThroughAlpha(cache, {r.Left, r.Top}, strip, Bounds(k * f.W, 0, f.W, f.H));
      return;
    }
    case TGlyphSource::gsSkin:
      break;
  }
  const TsSkinManager* m = skinData_.SkinManager();
  const int mask = StateMask();
  if (!m || !m->IsValidImgIndex(mask)) return;
  PaintMaskImage(cache, {r.Left, r.Top}, state, MakeCacheInfo(&cache), m->ma()[std::size_t(mask)], 1);
}

// ---- Picture ----------------------------------------------------------------------------------

void TsCheckBox::PaintCaption(TBitmap& cache, int state) {
  const std::wstring text = Caption();
  if (text.empty()) return;
  TCanvas canvas(cache.DC());
  canvas.Font = Font();
  const TSize glyph = GlyphSize();
  const int a = CaptionAvailableWidth(Width(), glyph.W, FTextIndent, FMargin);
  TRect measured{0, 0, std::max(a, 0), 0};
  const UINT wrap = FWordWrap ? DT_WORDBREAK : DT_SINGLELINE;
  canvas.DrawText(text, measured, DT_CALCRECT | wrap);
  const TCaptionPlace place = CheckCaptionPlace({Width(), Height()}, {measured.Width(), measured.Height()}, glyph.W,
                                                FTextIndent, FMargin, FCaptionRight, false, FWordWrap);
  GdiFlush();
  DrawSkinText(canvas, text, true, state > 0, skinData_, wrap | (place.RightAligned ? DT_RIGHT : 0), place.Rect);
  if (skinData_.FFocused && FShowFocus) {
    const TsSkinManager* m = skinData_.SkinManager();
    TColor color = clBtnText;
    if (m && m->IsValidSkinIndex(skinData_.SkinIndex)) {
      const TsGeneralData& g = m->gd()[std::size_t(skinData_.SkinIndex)];
      color = AdjustedColor(skinData_, g.Props[std::size_t(std::min(1, std::max(g.States, 0)))].FontColor.Color);
    }
    GdiFlush();
    DrawDottedFrame(cache.Pixels(), CheckFocusRect(place.Rect, FWordWrap), color, clNone);
  }
}

bool TsCheckBox::PrepareCache() {
  TBitmap& cache = skinData_.EnsureCache();
  if (cache.Width() != Width() || cache.Height() != Height()) cache.SetSize(Width(), Height());
  TCacheInfo bg = GetControlBackground(skinData_);
  if (skinData_.FUpdating) return false;
  if (!bg.Bmp) bg = TCacheInfo{&cache.Pixels(), 0, 0, bg.FillColor, TRect{}, false};
  GdiFlush();
  const int state = PaintState();
  PaintSkinItem(skinData_, bg, true, cache.Pixels(), {0, 0}, Rect(0, 0, Width(), Height()), state);
  PaintCaption(cache, state);
  GdiFlush();
  PaintGlyph(cache.Pixels(), state);
  if (!Enabled()) {
    TControl* parent = Parent();
    ApplyDisabledLook(cache.Pixels(), FDisabledKind, parent ? parent->Color() : clBtnFace, {0, 0}, bg);
  }
  skinData_.BGChanged = false;
  return true;
}

void TsCheckBox::PaintTo(HDC dc) {
  if (skinData_.FUpdating || fadeTimer_) return;
  const TBitmap* cache = skinData_.CacheBmp();
  const bool stale = skinData_.BGChanged || !cache || cache->Width() != Width() || cache->Height() != Height();
  if (stale && !PrepareCache()) return;
  RefreshCorners(skinData_, PaintState(), crAllCorners);
  GdiFlush();
  BitBlt(dc, 0, 0, Width(), Height(), skinData_.CacheBmp()->DC(), 0, 0, SRCCOPY);
}

void TsCheckBox::Invalidate() {
  skinData_.BGChanged = true;
  TsSkinnedControl::Invalidate();
}

// ---- Size -------------------------------------------------------------------------------------

void TsCheckBox::AdjustSize() {
  if (!FAutoSize || Loading() || (!HandleAllocated() && !Parent())) return;
  const std::wstring text = Caption();
  TSize caption;
  if (!text.empty()) {
    TBitmap probe(1, 1);
    TCanvas canvas(probe.DC());
    canvas.Font = Font();
    TRect r{0, 0, 0, 0};
    canvas.DrawText(text, r, DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : DT_SINGLELINE));
    caption = {r.Width(), r.Height()};
  }
  const TSize size = Skinned() ? CheckBoxAutoSize(GlyphSize(), caption, !text.empty(), FMargin, FTextIndent)
                               : CheckBoxPlainAutoSize(caption);
  if (size.W != Width() || size.H != Height()) SetBounds(Left(), Top(), size.W, size.H);
}

void TsCheckBox::Loaded() {
  TsSkinnedControl::Loaded();
  AdjustSize();
}

// ---- Input and messages -----------------------------------------------------------------------

void TsCheckBox::ChangeLook(TsAnimatEvent e) {
  const bool half = e == aeMouseDown || e == aeMouseUp;
  FadeOnEvent(fadeTimer_, skinData_, half, TFadeDirection::fdUp,
              AnimationAllowed(e, FAnimatEvents, skinData_.SkinManager()));
}

void TsCheckBox::FixFadeAfterRelease() {
  const TBitmap* cache = skinData_.CacheBmp();
  if (fadeTimer_ && (!cache || cache->Width() != Width())) {
    StopFade(fadeTimer_);
    Invalidate();
  }
}

void TsCheckBox::Release() {
  FPressed = false;
  Toggle();
  if (fadeTimer_) {
    // The running fade goes on from where it is toward the new picture.
    skinData_.BGChanged = false;
    ChangeLook(aeMouseUp);
  } else {
    Invalidate();
  }
  FixFadeAfterRelease();
}

void TsCheckBox::ButtonClicked() {
  // Skinned, the box toggles itself on release; a read-only box never toggles by input.
  if (Skinned() || FReadOnly) return;
  TCheckBox::ButtonClicked();
}

void TsCheckBox::SetNativeTheme(bool on) {
  if (!HandleAllocated()) return;
  static const auto setTheme = SystemFunction<TSetWindowTheme>(L"uxtheme.dll", "SetWindowTheme");
  if (setTheme) setTheme(Handle(), on ? nullptr : L"", on ? nullptr : L"");
}

void TsCheckBox::DefaultHandler(TMessage& m) {
  std::optional<TRedrawOff> off;
  if (Skinned() && PlatformButtonPaintsOn(m.Msg) && HandleAllocated()) off.emplace(Handle());
  TsSkinnedControl::DefaultHandler(m);
}

bool TsCheckBox::HandleSkinned(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      if (m.WParam) {
        PaintTo(reinterpret_cast<HDC>(m.WParam));
      } else {
        TPaintDC paint(Handle());
        PaintTo(paint.dc());
      }
      m.Result = 0;
      return true;
    case WM_PRINTCLIENT:
      PaintTo(reinterpret_cast<HDC>(m.WParam));
      m.Result = 0;
      return true;
    case WM_ERASEBKGND:
      if (m.WParam && !skinData_.BGChanged && !fadeTimer_ && skinData_.CacheBmp() &&
          skinData_.CacheBmp()->Width() == Width()) {
        GdiFlush();
        BitBlt(reinterpret_cast<HDC>(m.WParam), 0, 0, Width(), Height(), skinData_.CacheBmp()->DC(), 0, 0, SRCCOPY);
      }
      m.Result = 1;
      return true;
    case WM_NCPAINT:
    case WM_ENABLE:
      m.Result = 0;
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      m.Result = 0;
      if (!Enabled() || FReadOnly) return true;
      FPressed = true;
      ChangeLook(aeMouseDown);
      if (GetFocus() != Handle()) ::SetFocus(Handle());
      return true;
    case WM_LBUTTONUP:
      m.Result = 0;
      if (!Enabled() || FReadOnly) return true;
      if (FPressed) Release();
      return true;
    case WM_KEYDOWN:
      if (m.WParam != VK_SPACE) return false;
      m.Result = 0;
      if (!Enabled() || FReadOnly) return true;
      if (!FPressed) {
        FPressed = true;
        if (GetFocus() != Handle()) ::SetFocus(Handle());
        Invalidate();
      }
      return true;
    case WM_KEYUP:
      if (m.WParam != VK_SPACE) return false;
      m.Result = 0;
      if (!Enabled() || FReadOnly) return true;
      if (FPressed) Release();
      return true;
    case WM_CHAR:
      // The platform's button would beep or click on its own.
      if (m.WParam == L' ') {
        m.Result = 0;
        return true;
      }
      return false;
    case FN_MOUSEENTER: {
      const bool was = skinData_.FMouseAbove;
      TsSkinnedControl::WndProc(m);
      if (!was && skinData_.FMouseAbove) ChangeLook(aeMouseEnter);
      return true;
    }
    case FN_MOUSELEAVE:
      TsSkinnedControl::WndProc(m);
      FPressed = false;
      ChangeLook(aeMouseLeave);
      return true;
    case FN_FOCUSENTER:
      TsSkinnedControl::WndProc(m);
      skinData_.BGChanged = true;
      if (fadeTimer_) {
        PrepareCache();
        fadeTimer_->Change();
      } else {
        Invalidate();
      }
      return true;
    case FN_FOCUSEXIT:
      StopFade(fadeTimer_);
      TsSkinnedControl::WndProc(m);
      skinData_.FFocused = false;
      skinData_.FMouseAbove = false;
      FPressed = false;
      Invalidate();
      return true;
    case BM_SETCHECK:
      // Our own state changes arrive here already made (the framework tells the platform's
      // button); a change from outside stops the fade and repaints.
      m.WParam = WPARAM(CheckStateFromArgument(m.WParam));
      if (CheckStateFromArgument(m.WParam) != State()) {
        StopFade(fadeTimer_);
        SetState(CheckStateFromArgument(m.WParam));  // passes the message on to the platform's button
        Invalidate();
      } else {
        DefaultHandler(m);
      }
      m.Result = 0;
      return true;
    case WM_UPDATEUISTATE:
      SetNativeTheme(false);
      TsSkinnedControl::WndProc(m);
      return true;
    case FN_TEXTCHANGED:
    case FN_FONTCHANGED:
      TsSkinnedControl::WndProc(m);
      AdjustSize();
      Invalidate();
      return true;
    case FN_ENABLEDCHANGED:
      TsSkinnedControl::WndProc(m);
      Invalidate();
      return true;
    default:
      return false;
  }
}

bool TsCheckBox::HandleUnskinned(TMessage& m) {
  switch (m.Msg) {
    case WM_LBUTTONDBLCLK:
      if (!FReadOnly) return false;
      m.Result = 0;
      return true;
    case WM_LBUTTONDOWN:
      FPressed = true;
      return false;
    case WM_LBUTTONUP:
    case FN_MOUSELEAVE:
      FPressed = false;
      return false;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (m.WParam == VK_SPACE) FPressed = m.Msg == WM_KEYDOWN;
      return false;
    case BM_SETSTATE:
      if (!(FReadOnly && FPressed)) return false;
      m.Result = 0;
      return true;
    case BM_SETCHECK:
      m.Result = 0;
      if (FReadOnly && FPressed) return true;
      m.WParam = WPARAM(CheckStateFromArgument(m.WParam));
      if (CheckStateFromArgument(m.WParam) != State()) SetState(CheckStateFromArgument(m.WParam));
      else DefaultHandler(m);
      return true;
    case FN_TEXTCHANGED:
    case FN_FONTCHANGED:
      TsSkinnedControl::WndProc(m);
      AdjustSize();
      return true;
    default:
      return false;
  }
}

void TsCheckBox::WndProc(TMessage& m) {
  if (m.Msg == SM_SKINCOMMAND) {
    const std::uint16_t code = SkinCommandCode(m.WParam);
    const bool own = ForThisManager(skinData_, m.LParam);
    switch (code) {
      case SKIN_UNLOADED:
        TsSkinnedControl::WndProc(m);
        if (own && HandleAllocated()) {
          SendMessageW(Handle(), BM_SETCHECK, WPARAM(State()), 0);
          SetNativeTheme(true);
          InvalidateRect(Handle(), nullptr, TRUE);
        }
        return;
      case SKIN_LOADED:
        // A skin that arrives after the layout was read sizes the box too.
        TsSkinnedControl::WndProc(m);
        if (own) AdjustSize();
        return;
      case SKIN_REFRESH:
        StopFade(fadeTimer_);
        TsSkinnedControl::WndProc(m);
        if (own) {
          AdjustSize();
          Invalidate();
        }
        return;
      case SKIN_PREPARECACHE:
        if (Skinned()) PrepareCache();
        TsSkinnedControl::WndProc(m);
        return;
      default:
        TsSkinnedControl::WndProc(m);
        return;
    }
  }
  if (Skinned() && !(ComponentState() & csDesigning) ? HandleSkinned(m) : HandleUnskinned(m)) return;
  TsSkinnedControl::WndProc(m);
}
