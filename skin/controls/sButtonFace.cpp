// The push button's face: the skinned picture built in the cache (section, border, own
// recolouring, glyph, caption, focus frame, split arrow, disabled look) and copied to the window
// by the paint handler, and the platform's look drawn through the owner-draw request without a
// skin (visual theme or classic frame).
#include "skin/controls/sButton.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "framework/ImageList.h"
#include "platform/SafeLibrary.h"
#include "skin/base/sDCPaint.h"
#include "skin/base/sMarks.h"
#include "skin/base/sRecolor.h"
#include "skin/controls/sButtonGlyph.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sFormAnimation.h"
#include "skin/paint/sItemPaint.h"
#include "skin/paint/sMaskFrame.h"
#include "skin/paint/sSkinText.h"

namespace {

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
  RefreshCorners(item, px, p, crAllCorners, bg, pos);
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
    if (!PaintCutCorners(dc, *mask, redraw)) return;
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
