#include "skin/controls/sComboListWnd.h"

#include <windowsx.h>

#include "framework/Handles.h"
#include "skin/controls/sComboBox.h"
#include "skin/controls/sComboBoxPicture.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sFormAnimation.h"
#include "skin/paint/sItemPaint.h"

namespace {

// What the drop-down list's frame copies around its items: the frame line and one pixel of room.
constexpr int kListRing = 2;

TSize WindowSize(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return {r.right - r.left, r.bottom - r.top};
}

void NewFrame(HWND wnd) {
  SetWindowPos(wnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

}  // namespace

TsComboListWnd::TsComboListWnd(HWND list, TsCustomComboBox& combo, bool simple)
    : TsEditWnd(list, nullptr, combo.SkinData().SkinManager(), L"EDIT"), combo_(combo), simple_(simple) {}

std::shared_ptr<TsComboListWnd> TsComboListWnd::Create(HWND list, TsCustomComboBox& combo, bool simple) {
  std::shared_ptr<TsComboListWnd> sw(new TsComboListWnd(list, combo, simple));
  sw->SetSkinParams();
  sw->Attach(true);
  if (!simple) {
    // One pixel wider at once: the platform sizes the list anew at each drop-down.
    const TSize size = WindowSize(list);
    SetWindowPos(list, nullptr, 0, 0, size.W + 1, size.H,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOCOPYBITS | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
  }
  return sw;
}

void TsComboListWnd::SetSkinParams() {
  if (settingParams_) return;
  settingParams_ = true;
  SkinData->FUpdating = true;
  if (SkinData->Skinned() && SkinManager) {
    const TsGeneralData& edit = SkinManager->gd()[std::size_t(SkinData->SkinIndex)];
    Color = combo_.SkinData().CustomColor() ? ColorToRGB(combo_.Color())
                                             : edit.Props[edit.States > 1 ? 1 : 0].Color;
    FrameColor = SkinManager->Palette()[pcBorder];
    SkinData->BGChanged = true;
    SkinData->FUpdating = false;
  } else {
    FrameColor = clNone;  // no frame line
  }
  settingParams_ = false;
}

void TsComboListWnd::Detach() {
  if (!Attached()) return;
  HWND list = CtrlHandle;
  Release();
  if (!IsWindow(list)) return;
  const LONG_PTR style = GetWindowLongPtrW(list, GWL_STYLE);
  SetWindowLongPtrW(list, GWL_STYLE, (style & ~LONG_PTR(WS_THICKFRAME)) | WS_BORDER);
  NewFrame(list);
}

void TsComboListWnd::RebuildCache() {
  const TSize size = WindowSize(CtrlHandle);
  if (size.W <= 0 || size.H <= 0) return;
  TBitmap& cache = SkinData->EnsureCache();
  if (cache.Width() != size.W || cache.Height() != size.H) cache.SetSize(size.W, size.H);
  GdiFlush();
  PaintComboListFrame(cache.Pixels(), Color, FrameColor);
  SkinData->BGChanged = false;
}

void TsComboListWnd::PaintNonClient(TMessage& m) {
  if (simple_ || DontRepaint) {
    TsEditWnd::PaintNonClient(m);
    return;
  }
  SetSkinParams();
  if (FormAnimationRunning() || SkinData->FUpdating) {
    CallPrevWndProc(m);
    m.Result = 0;
    return;
  }
  m.Result = 0;
  if (!ScrollsInitialized) {
    ScrollsInitialized = true;
    NewFrame(CtrlHandle);
  }
  TWholeWindowDC dc(CtrlHandle);
  if (!dc.dc()) return;
  RebuildCache();
  const TBitmap* cache = SkinData->CacheBmp();
  if (!cache) return;
  GdiFlush();
  CopyBorderBands(dc.dc(), cache->DC(), cache->Width(), cache->Height(), kListRing);
  PaintBars(dc.dc());
}

void TsComboListWnd::ButtonUp(TMessage& m) {
  POINT p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  ClientToScreen(CtrlHandle, &p);
  // The open list holds the mouse for its own tracking: a press on its bars must not take that
  // away. A simple combo's list took the mouse for the press alone.
  if (Pressing() && HitTest({p.x, p.y})) {
    EndPress(!simple_);
    if (simple_ && GetCapture() == CtrlHandle) ReleaseCapture();
    m.Result = 0;
    return;
  }
  if (Pressing()) EndPress(!simple_);
  CallPrevWndProc(m);
}

void TsComboListWnd::Print(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  if (!dc || !IsWindowVisible(CtrlHandle)) {
    m.Result = 0;
    return;
  }
  RebuildCache();
  CallPrevWndProc(m);
  if (m.Msg != WM_PRINT || SendMessageW(CtrlHandle, LB_GETCOUNT, 0, 0) <= 0) return;
  if (const TBitmap* cache = SkinData->CacheBmp(); cache && !Pressing() && !shown_) {
    GdiFlush();
    CopyBorderBands(dc, cache->DC(), cache->Width(), cache->Height(), 1);
  }
  PaintBars(dc);
}

void TsComboListWnd::sWndProc(TMessage& m) {
  if (!Attached() || !SkinData->Skinned() || m.Msg == SM_SKINCOMMAND) {
    TsEditWnd::sWndProc(m);
    return;
  }
  switch (m.Msg) {
    case WM_NCDESTROY: {
      // The list goes before the combo: the combo forgets it, so that a new list gets a handler.
      const std::shared_ptr<TsMainWnd> keep = shared_from_this();
      TsEditWnd::sWndProc(m);
      combo_.ListGone(CtrlHandle);
      return;
    }
    case WM_ERASEBKGND:
      if (m.WParam) {
        const TSize size = WindowSize(CtrlHandle);
        TCanvas canvas(reinterpret_cast<HDC>(m.WParam));
        canvas.BrushColor = Color;
        canvas.FillRect(Rect(0, 0, size.W, size.H));
        m.Result = 1;
        return;
      }
      break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (m.WParam != HTHSCROLL && m.WParam != HTVSCROLL) {
        m.Result = 0;
        return;
      }
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      CallPrevWndProc(m);
      return;
    case kTrackStart:
      shown_ = true;
      break;
    case kTrackEnd:
      shown_ = false;
      SkinData->BGChanged = true;
      break;
    case WM_LBUTTONUP:
      ButtonUp(m);
      return;
    case WM_PRINT:
    case WM_PRINTCLIENT:
      Print(m);
      return;
    default:
      break;
  }
  TsEditWnd::sWndProc(m);
  if (m.Msg == WM_WINDOWPOSCHANGED && Attached()) UpdateScrolls(true);
}
