#include "skin/controls/sMaskEdit.h"

#include "framework/Handles.h"
#include "skin/base/sColorMath.h"
#include "skin/base/sFill.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sFormAnimation.h"
#include "skin/paint/sItemPaint.h"
#include "skin/paint/sSkinText.h"

namespace {

// The width of the border bands the skinned border copies from the cache onto the frame.
constexpr int kBandWidth = 2;

void RedrawFrame(HWND wnd) { RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN); }

}  // namespace

void TsMaskEdit::SetDisabledKind(unsigned value) {
  if (value == FDisabledKind) return;
  FDisabledKind = value;
  skinData_.Invalidate();
}

void TsMaskEdit::SetTextHint(const std::wstring& value) {
  if (value == FTextHint) return;
  FTextHint = value;
  skinData_.BGChanged = true;
  if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
}

int TsMaskEdit::BorderWidth() {
  if (!HandleAllocated()) return 3;
  const LONG_PTR ex = GetWindowLongPtrW(Handle(), GWL_EXSTYLE);
  const LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
  if (ex & WS_EX_CLIENTEDGE) return 3;
  return (style & WS_BORDER) ? 2 : 0;
}

int TsMaskEdit::PaintState() const { return (Focused() || skinData_.FMouseAbove) ? 1 : 0; }

bool TsMaskEdit::CacheCurrent() const {
  const TBitmap* cache = skinData_.CacheBmp();
  return !skinData_.BGChanged && cache && cache->Width() == Width() && cache->Height() == Height();
}

TPoint TsMaskEdit::ClientOrigin() {
  POINT client{0, 0};
  ::ClientToScreen(Handle(), &client);
  RECT window{};
  GetWindowRect(Handle(), &window);
  return {client.x - window.left, client.y - window.top};
}

bool TsMaskEdit::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name != "TextHint") return TsEditLike::SetProperty(name, v, ctx);
  FTextHint = v.AsString();
  return true;
}

// ---- The cache ----------------------------------------------------------------------------------

bool TsMaskEdit::PrepareCache() {
  const std::optional<TCacheInfo> ready = ReadyControlBackground(skinData_);
  if (!ready) return false;
  TBitmap& cache = skinData_.EnsureCache();
  if (cache.Width() != Width() || cache.Height() != Height()) cache.SetSize(Width(), Height());
  const int state = PaintState();
  GdiFlush();
  if (!Skinned()) {
    FillDCRect(cache.Pixels(), Rect(0, 0, Width(), Height()), ColorToRGB(Color()));
  } else if (BorderWidth() > 0) {
    PaintSkinItem(skinData_, *ready, true, cache.Pixels(), {Left(), Top()}, Rect(0, 0, Width(), Height()), state);
  } else {
    PaintControlBackground(skinData_, *ready, state, cache.Pixels(), {Left(), Top()}, Rect(0, 0, Width(), Height()));
  }
  PaintText(cache, state);
  GdiFlush();
  if (Skinned() && !Enabled()) {
    TControl* parent = Parent();
    ApplyDisabledLook(cache.Pixels(), FDisabledKind, parent ? parent->Color() : clBtnFace, {Left(), Top()}, *ready);
  }
  skinData_.BGChanged = false;
  return true;
}

void TsMaskEdit::PaintText(TBitmap& cache, int state) {
  TCanvas canvas(cache.DC());
  canvas.Font = Font();
  canvas.BrushClear = true;
  const int b = BorderWidth();
  const std::wstring text = GetText();
  const int height = canvas.TextExtent(text.empty() ? L"Wg" : text).Y;
  TRect rect{b, b, Width() - b, b + height + 2};
  const UINT align = DT_LEFT;  // the edits here are left-aligned (ES_LEFT)
  GdiFlush();
  if (text.empty() && !FTextHint.empty()) {
    TColor hint = Skinned() ? InterpolateColor(ColorToRGB(Font().Color()), ColorToRGB(Color()), 0.65L)
                            : TColor(GetSysColor(COLOR_GRAYTEXT));
    canvas.Font.SetColor(hint);
    canvas.DrawText(FTextHint, rect, align | DT_NOPREFIX | DT_EXTERNALLEADING);
    canvas.Font = Font();
  }
  if (!text.empty()) DrawSkinText(canvas, text, true, state != 0, skinData_, align | DT_NOPREFIX | DT_EXTERNALLEADING, rect);
  GdiFlush();
}

// ---- Painting onto the window -------------------------------------------------------------------

void TsMaskEdit::PaintUnfocused(HDC dc, bool clientDC) {
  if (skinData_.FUpdating) return;
  // A control only partly inside its parent, now or at the last paint, or a parent that is itself
  // only partly visible, has lost what lay behind it: the picture is built anew.
  if (skinData_.HalfVisible) skinData_.BGChanged = true;
  TControl* parent = Parent();
  if (parent && SendSkinCommand(*parent, SKIN_ISHALFVISIBLE) != 0) skinData_.BGChanged = true;
  if (parent) {
    const TRect client = parent->ClientRect();
    skinData_.HalfVisible = !(Left() >= client.Left && Top() >= client.Top && Left() + Width() <= client.Right &&
                              Top() + Height() <= client.Bottom);
  }
  if (!CacheCurrent() && !PrepareCache()) {
    skinData_.FUpdating = true;
    return;
  }
  RefreshCorners(skinData_, PaintState(), crAllCorners);
  const TPoint origin = clientDC ? ClientOrigin() : TPoint{0, 0};
  const int saved = SaveDC(dc);
  const int shift = BorderWidth() - 1;
  for (int i = 0; i < ControlCount(); ++i) {
    const TControl* child = Controls(i);
    if (!child->Visible()) continue;
    const TRect r = child->BoundsRect();
    ExcludeClipRect(dc, r.Left + shift - origin.X, r.Top + shift - origin.Y, r.Right + shift - origin.X,
                    r.Bottom + shift - origin.Y);
  }
  GdiFlush();
  BitBlt(dc, -origin.X, -origin.Y, Width(), Height(), skinData_.CacheBmp()->DC(), 0, 0, SRCCOPY);
  RestoreDC(dc, saved);
}

void TsMaskEdit::PaintBorder() {
  if (!HandleAllocated() || !Parent() || !Visible() || !Parent()->Visible() || BorderWidth() == 0) return;
  if (skinData_.FUpdating) return;
  if (!CacheCurrent() && !PrepareCache()) return;
  RefreshCorners(skinData_, PaintState(), crAllCorners);
  TWholeWindowDC window(Handle());
  if (!window.dc()) return;
  CopyBorderBands(window.dc(), skinData_.CacheBmp()->DC(), Width(), Height(), kBandWidth);
}

void TsMaskEdit::PaintPlain(HDC dc) {
  if (!PrepareCache()) return;
  TBitmap& cache = *skinData_.CacheBmp();
  const int border = BorderWidth() > 0 ? 2 : 0;
  for (int i = 0; i < ControlCount(); ++i) {
    TControl* child = Controls(i);
    if (dynamic_cast<TWinControl*>(child) || !child->Visible()) continue;
    const int saved = SaveDC(cache.DC());
    SetViewportOrgEx(cache.DC(), child->Left() + border, child->Top() + border, nullptr);
    child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(cache.DC()), 0);
    RestoreDC(cache.DC(), saved);
  }
  GdiFlush();
  BitBlt(dc, 0, 0, Width() - 2 * border, Height() - 2 * border, cache.DC(), border, border, SRCCOPY);
}

void TsMaskEdit::PaintInto(HDC dc) {
  if (skinData_.BGChanged && !PrepareCache()) return;
  RefreshCorners(skinData_, PaintState(), crAllCorners);
  HDC src = skinData_.CacheBmp()->DC();
  const int w = Width(), h = Height();
  GdiFlush();
  // The cache holds the border bands too: one copy paints them with the rest.
  BitBlt(dc, 0, 0, w, h, src, 0, 0, SRCCOPY);
}

// ---- Messages -----------------------------------------------------------------------------------

bool TsMaskEdit::HandleSkinned(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT:
      if (Focused()) {
        TsEditLike::WndProc(m);
        PaintBorder();
      } else if (FormAnimationRunning()) {
        TPaintDC paint(Handle());
      } else if (m.WParam) {
        PaintUnfocused(reinterpret_cast<HDC>(m.WParam), true);
      } else {
        TPaintDC paint(Handle());
        TWholeWindowDC window(Handle());
        PaintUnfocused(window.dc(), false);
      }
      m.Result = 0;
      return true;
    case WM_ERASEBKGND:
      if (FormAnimationRunning() || skinData_.FUpdating) {
        m.Result = 1;
        return true;
      }
      // Without the focus the picture covers the client area: erasing it first would flicker.
      if (!Focused() && CacheCurrent() && m.WParam) {
        const TPoint origin = ClientOrigin();
        GdiFlush();
        BitBlt(reinterpret_cast<HDC>(m.WParam), -origin.X, -origin.Y, Width(), Height(),
               skinData_.CacheBmp()->DC(), 0, 0, SRCCOPY);
        m.Result = 1;
        return true;
      }
      return false;
    case WM_NCPAINT:
      if (!FormAnimationRunning() && !skinData_.FUpdating) PaintBorder();
      m.Result = 0;
      return true;
    case WM_PRINT:
    case WM_PRINTCLIENT:
      if (m.WParam) PaintInto(reinterpret_cast<HDC>(m.WParam));
      m.Result = 0;
      return true;
    case FN_COLORCHANGED:
    case FN_TEXTCHANGED:
      skinData_.BGChanged = true;
      return false;
    default:
      return false;
  }
}

void TsMaskEdit::WndProc(TMessage& m) {
  if (m.Msg == SM_SKINCOMMAND && IsOwnSkinSend(m.WParam, m.LParam)) {
    switch (SkinCommandCode(m.WParam)) {
      case SKIN_UNLOADED:
        if (!ForThisManager(skinData_, m.LParam)) break;
        TsEditLike::WndProc(m);
        Invalidate();
        return;
      case SKIN_REFRESH:
        if (!ForThisManager(skinData_, m.LParam)) break;
        TsEditLike::WndProc(m);
        skinData_.BGChanged = true;
        if (HandleAllocated()) {
          RedrawFrame(Handle());
          InvalidateRect(Handle(), nullptr, TRUE);
        }
        return;
      case SKIN_UPDATEDONE:
        if (skinData_.FUpdating) {
          skinData_.FUpdating = false;
          if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        }
        m.Result = 0;
        return;
      case SKIN_ISSKINNED:
        m.Result = 1;
        return;
      default:
        break;
    }
  }
  if (HandleAllocated() && Skinned()) {
    if (HandleSkinned(m)) return;
  } else if (m.Msg == WM_PAINT && HandleAllocated() && !Focused()) {
    TPaintDC paint(Handle());
    PaintPlain(m.WParam ? reinterpret_cast<HDC>(m.WParam) : paint.dc());
    m.Result = 0;
    return;
  }
  TsEditLike::WndProc(m);
  switch (m.Msg) {
    case FN_FONTCHANGED:
    case FN_VISIBLECHANGED:
    case FN_ENABLEDCHANGED:
      skinData_.Invalidate();
      break;
    default:
      break;
  }
}
