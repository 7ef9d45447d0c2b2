// The provider's message handling: what the skinned form answers itself and what goes on to the
// form, the activation and caption sequences under a cover, the hit test, the caption buttons'
// mouse, the show and hide animation hooks and the skin commands.
#include "framework/Application.h"
#include "framework/ErrorReport.h"
#include "framework/Handles.h"
#include "framework/MessageCrackers.h"
#include "skin/data/sSkinManager.h"
#include "skin/base/sLayered.h"
#include "skin/data/sSkinSend.h"
#include "skin/frame/sCaptionCover.h"
#include "skin/frame/sSkinProvider.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sFadeWin.h"
#include "skin/paint/sSkinCommands.h"

namespace {

// The system's request to drop the system menu (Alt+Space and the taskbar send it).
constexpr UINT kPopupSystemMenu = 0x0313;

bool IsButtonCode(int code) { return code == 20 || code == 9 || code == 8 || code == 21; }

}  // namespace

void RiDuraRidareza::NewWndProc(TMessage& m, const TWndMethod& previous) {
  if (m.Msg == SM_SKINCOMMAND && SkinCommand(m)) return;
  if (form_.Destroying() || !Skinned()) {
    previous(m);
    if (m.Msg == WM_NCDESTROY) CoverForm.reset();
    return;
  }
  // A painting that throws is reported once; the frame is then left to the system, so that the
  // next paint does not bring the same box again.
  const auto guarded = [&](auto&& step) {
    try {
      step();
    } catch (...) {
      if (!paintFailed_) {
        paintFailed_ = true;
        SetDrawNonClientArea(false);
        ReportError(std::current_exception());
      }
    }
  };
  switch (m.Msg) {
    case WM_NCPAINT:
      if (RTInit) LoadInit();
      if (!drawNonClientArea_) return previous(m);
      return guarded([&] { NonClientPaint(m); });
    case WM_NCACTIVATE:
      return guarded([&] { Activate(m, previous); });
    case WM_ERASEBKGND:
      if (!DrawClientArea || !IsWindowVisible(form_.Handle())) return previous(m);
      return guarded([&] { EraseBackground(m); });
    default:
      if (!SkinnedMessage(m, previous)) previous(m);
  }
}

bool RiDuraRidareza::SkinnedMessage(TMessage& m, const TWndMethod& previous) {
  HWND wnd = form_.Handle();
  switch (m.Msg) {
    case WM_NCHITTEST:
      HitTest(m, previous);
      return true;
    case WM_NCMOUSEMOVE: {
      if (!IsWindowEnabled(wnd) || !drawNonClientArea_) return false;
      if (TsSkinManager* mgr = FCommonData.SkinManager()) MakeActiveControl(*mgr, wnd);
      const int code = int(m.WParam);
      if (IsButtonCode(code)) {
        SetHotHT(code, true);
        m.Result = 0;
        return true;
      }
      SetHotHT(0, true);
      return false;
    }
    case WM_NCLBUTTONDOWN:
      if (!IsButtonCode(int(m.WParam)) || !drawNonClientArea_) return false;
      SetPressedHT(int(m.WParam));
      m.Result = 0;
      return true;
    case WM_NCLBUTTONUP:
      if (!drawNonClientArea_) return false;
      if (!ButtonRelease(int(m.WParam), message_detail::PointOf(m.LParam))) return false;
      m.Result = 0;
      return true;
    case WM_LBUTTONUP:
      ButtonRelease(0, message_detail::PointOf(m.LParam));
      return false;
    case WM_NCLBUTTONDBLCLK:
      if (m.WParam == HTCAPTION) {
        // Only what the system menu allows: a dialog never maximises.
        if (IsIconic(wnd)) SendMessageW(wnd, WM_SYSCOMMAND, SC_RESTORE, 0);
        else if (Queries().EnabledMax) SendMessageW(wnd, WM_SYSCOMMAND, IsZoomed(wnd) ? SC_RESTORE : SC_MAXIMIZE, 0);
        m.Result = 0;
        return true;
      }
      if (m.WParam == HTSYSMENU) {
        SendMessageW(wnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        m.Result = 0;
        return true;
      }
      return IsButtonCode(int(m.WParam));
    case WM_NCRBUTTONDOWN:
      if (m.WParam != HTCAPTION && m.WParam != HTSYSMENU) return false;
      m.Result = 0;
      return true;
    case WM_NCRBUTTONUP:
      if (m.WParam != HTCAPTION && m.WParam != HTSYSMENU) return false;
      SetHotHT(0, true);
      if (SystemMenu) SystemMenu->Popup(message_detail::PointOf(m.LParam));
      m.Result = 0;
      return true;
    case kPopupSystemMenu: {
      POINT p{};
      GetCursorPos(&p);
      if (SystemMenu) SystemMenu->Popup({p.x, p.y});
      m.Result = 0;
      return true;
    }
    case WM_NCMOUSELEAVE:
    case WM_MOUSELEAVE:
    case FN_MOUSELEAVE:
      trackingLeave_ = false;
      SetHotHT(-1, true);
      ButtonRelease(0, {});
      return false;
    case FN_MOUSEENTER:
      if (TsSkinManager* mgr = FCommonData.SkinManager()) MakeActiveControl(*mgr, wnd);
      return false;
    case WM_PAINT:
      if (!DrawClientArea) return false;
      Paint(m);
      return true;
    case WM_PRINT:
    case WM_PRINTCLIENT:
      Print(m);
      return true;
    case WM_SETTEXT:
    case WM_SETICON:
      FrameChangeUnderCover(m, previous);
      return true;
    case WM_SIZE:
      previous(m);
      RgnChanged = true;
      FCommonData.BGChanged = true;
      // Painted once the framework knows the new size (WM_SIZE comes before it does).
      RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_NOCHILDREN);
      return true;
    case WM_WINDOWPOSCHANGING:
      WindowPosChanging(m, previous);
      return true;
    case WM_WINDOWPOSCHANGED:
      WindowPosChanged(m, previous);
      return true;
    case WM_SHOWWINDOW:
      ShowWindowMessage(m, previous);
      return true;
    case WM_CLOSE: {
      const auto alive = Liveness();
      previous(m);
      if (!*alive || form_.Destroying()) return true;
      TsSkinManager* mgr = FCommonData.SkinManager();
      if (AllowAnimation && mgr && mgr->AnimEffects().FormHide.Active && drawNonClientArea_ && !(FFormState & fsSnapshot) &&
          IsWindowVisible(wnd))
        TakeSnapshot();
      return true;
    }
    case WM_SYSCOMMAND:
      previous(m);
      if ((m.WParam & 0xFFF0) == SC_KEYMENU && m.LParam == VK_SPACE && SystemMenu) {
        RECT w{};
        GetWindowRect(wnd, &w);
        SystemMenu->Popup({w.left + Metrics().Frame, w.top + Metrics().Frame + Metrics().CaptionHeight});
      }
      return true;
    case WM_STYLECHANGED:
    case WM_ENABLE:
      previous(m);
      if (SystemMenu) SystemMenu->Refresh();
      FCommonData.BGChanged = true;
      RepaintFrame();
      return true;
    case WM_SETTINGCHANGE:
      FCommonData.BGChanged = true;
      return false;
    case WM_ENTERIDLE:
      m.Result = 0;
      return true;
    case WM_QUERYENDSESSION:
      // Running fades end first (bounded), so that no frame of theirs outlives the session.
      StopFadesForShutdown();
      return false;
    case WM_NCDESTROY:
      KillAnimations();
      previous(m);
      CoverForm.reset();
      return true;
    default:
      return false;
  }
}

// ---- Activation and caption changes -------------------------------------------------------------

void RiDuraRidareza::Activate(TMessage& m, const TWndMethod& previous) {
  if (FFormState & fsRestoring) {
    m.Result = TRUE;
    return;
  }
  if (!drawNonClientArea_ || !form_.HandleAllocated()) return previous(m);
  HWND wnd = form_.Handle();
  FFormState |= fsActivating;
  const bool wasActive = FormActive;
  if (!(FFormState & fsTranslucentMoving)) FormActive = m.WParam != 0;
  if (FormActive != wasActive) FCommonData.BGChanged = true;
  const bool shown = form_.Showing() && IsWindowVisible(wnd);
  if (shown && !FInAnimation && !fAnimating && FirstInitialized && (FCommonData.BGChanged ? PrepareCache() : true)) {
    // The system's own handling draws its caption for a moment: a cover with the new look hides it.
    TsCaptionCover cover(wnd, Image(), TRect{OffsetX(), OffsetY(), OffsetX() + WindowInfo().ClientWidth,
                                             OffsetY() + WindowInfo().ClientHeight});
    previous(m);
    RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOERASE | RDW_NOCHILDREN);
  } else {
    previous(m);
  }
  if (FormActive != wasActive && shown && PlainColour()) {
    // The client's colour follows the look: the children's pictures are built on it.
    TellChildren(SKIN_BGCHANGED, 0);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  FFormState &= ~fsActivating;
  m.Result = TRUE;
}

void RiDuraRidareza::FrameChangeUnderCover(TMessage& m, const TWndMethod& previous) {
  HWND wnd = form_.Handle();
  if (m.Msg == WM_SETTEXT) {
    FGlow1 = {};
    FGlow2 = {};
  }
  FCommonData.BGChanged = true;
  if (!IsWindowVisible(wnd) || !drawNonClientArea_ || !FirstInitialized || FInAnimation) return previous(m);
  {
    TsCaptionCover cover(wnd, Image(), TRect{OffsetX(), OffsetY(), OffsetX() + WindowInfo().ClientWidth,
                                             OffsetY() + WindowInfo().ClientHeight});
    previous(m);
    FCommonData.BGChanged = true;
    PrepareCache();
    RepaintFrame();
  }
}

// ---- Hit test -----------------------------------------------------------------------------------

void RiDuraRidareza::HitTest(TMessage& m, const TWndMethod& previous) {
  if (RTInit) LoadInit();
  if (!SystemMenu) PrepareForm();
  const TsFrameMetrics fm = Metrics();
  if (fm.CaptionHeight <= 0 || !drawNonClientArea_ || !SystemMenu) return previous(m);
  if (FCommonData.BGChanged || !WindowImage()) PrepareCache();
  RECT w{};
  GetWindowRect(form_.Handle(), &w);
  const TPoint screen = message_detail::PointOf(m.LParam);
  const TsSystemMetrics sys = System();
  const TsFrameWindow window = WindowInfo();
  const TsTitleLayout title = Title();
  const TsButtonQueries q = Queries();
  TsHitTestInput in;
  in.System = &sys;
  in.Window = &window;
  in.Metrics = &fm;
  in.Title = &title;
  in.Buttons = &Buttons;
  in.Queries = &q;
  const int code = FrameHitTest(in, {screen.X - w.left, screen.Y - w.top});
  if (code == shtSysMenu || IsButtonCode(code)) {
    m.Result = code;
    return;
  }
  previous(m);
}

// ---- Showing and hiding -------------------------------------------------------------------------

void RiDuraRidareza::ShowWindowMessage(TMessage& m, const TWndMethod& previous) {
  HWND wnd = form_.Handle();
  TsSkinManager* mgr = FCommonData.SkinManager();
  // Only a show asked of this window itself (lParam 0), not an owner's restore of its popups.
  const bool showing = m.WParam && !m.LParam && !IsWindowVisible(wnd);
  if (m.WParam) FFormState &= ~fsSnapshot;  // a hide's snapshot is the picture no longer
  if (!showing || !AllowAnimation || !DrawClientArea || !drawNonClientArea_ || form_.Parent() || !mgr ||
      !mgr->AnimEffects().FormShow.Active || !LayeredWindowsAvailable()) {
    previous(m);
    if (showing) RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    return;
  }
  // The window shows transparent; the cover fades its picture in over it afterwards, and the
  // children stay still until then.
  auto pending = std::make_unique<TPendingShow>();
  fAnimating = FInAnimation = true;
  FCommonData.FUpdating = true;
  if (form_.AlphaBlend()) {
    pending->Target = form_.AlphaBlendValue();
    form_.SetAlphaBlendValue(0);
  } else if (!(GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED)) {
    AddExStyle(wnd, WS_EX_LAYERED);
    SetLayeredAttributes(wnd, 0, 0, LWA_ALPHA);
    pending->AddedLayered = true;
  }
  for (HWND child = GetWindow(wnd, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    SendMessageW(child, WM_SETREDRAW, FALSE, 0);
    pending->RedrawOff.push_back(child);
  }
  pendingShow_ = std::move(pending);
  previous(m);
}

void RiDuraRidareza::FinishShowing() {
  const std::unique_ptr<TPendingShow> pending = std::move(pendingShow_);
  HWND wnd = form_.Handle();
  for (HWND child : pending->RedrawOff)
    if (IsWindow(child)) SendMessageW(child, WM_SETREDRAW, TRUE, 0);
  fAnimating = false;
  TsSkinManager* mgr = FCommonData.SkinManager();
  const TsFormAnimation effect = mgr ? mgr->AnimEffects().FormShow : TsFormAnimation{};
  // The animation ends the in-animation state on every path; the rest is undone here, also when it
  // throws. A style added only for the animation stays until the end, so the window never shows
  // unpainted and opaque under the fading cover.
  struct TRestore {
    HWND wnd;
    bool addedLayered;
    TsScrollWndData& data;
    ~TRestore() {
      data.FUpdating = false;
      if (!addedLayered || !IsWindow(wnd)) return;
      RemoveExStyle(wnd, WS_EX_LAYERED);
      RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
  } restore{wnd, pending->AddedLayered, FCommonData};
  AnimateFormShow(*this, effect.Time, pending->Target, effect.Mode);
}

void RiDuraRidareza::WindowPosChanging(TMessage& m, const TWndMethod& previous) {
  auto& pos = *reinterpret_cast<WINDOWPOS*>(m.LParam);
  TsSkinManager* mgr = FCommonData.SkinManager();
  const bool hiding = (pos.flags & SWP_HIDEWINDOW) != 0;
  if (hiding && LayeredWindowsAvailable() && drawNonClientArea_ && !SkipAnimation && WindowImage() && !IsIconic(form_.Handle()) &&
      AllowAnimation && mgr && mgr->AnimEffects().FormHide.Active && !(FFormState & fsSnapshot) && !form_.Parent() &&
      IsWindowVisible(form_.Handle())) {
    TakeSnapshot();
    CoverForm = CoverFromScreen(form_.Handle());
  }
  previous(m);
  // The rest of the chain may have cancelled the hide: a cover nobody will take goes now.
  if (CoverForm && !(pos.flags & SWP_HIDEWINDOW)) CoverForm.reset();
}

void RiDuraRidareza::WindowPosChanged(TMessage& m, const TWndMethod& previous) {
  const auto& pos = *reinterpret_cast<const WINDOWPOS*>(m.LParam);
  TsSkinManager* mgr = FCommonData.SkinManager();
  if ((pos.flags & SWP_HIDEWINDOW) && LayeredWindowsAvailable() && drawNonClientArea_ && !SkipAnimation && WindowImage() &&
      !IsIconic(form_.Handle()) && AllowAnimation && mgr && mgr->AnimEffects().FormHide.Active && !form_.Parent()) {
    previous(m);
    SkipAnimation = true;
    AnimateFormHide(*this);
    SkipAnimation = false;
  } else {
    previous(m);
  }
  // A cover made for a hide that did not come is never left on the screen.
  CoverForm.reset();
  if (pendingShow_ && (pos.flags & SWP_SHOWWINDOW)) FinishShowing();
}

// ---- Skin commands ------------------------------------------------------------------------------

bool RiDuraRidareza::SkinCommand(TMessage& m) {
  const std::uint16_t code = SkinCommandCode(m.WParam);
  const bool ours = ForThisManager(FCommonData, m.LParam);
  m.Result = 0;
  switch (code) {
    case SKIN_UNLOADED:
      if (ours) Unskin();
      return true;
    case SKIN_ISSKINNED:
      m.Result = 1;
      return true;
    case SKIN_GETPROVIDER:
      m.Result = reinterpret_cast<LRESULT>(static_cast<TsFormAnimationHost*>(this));
      return true;
    case SKIN_GETMANAGER:
      m.Result = reinterpret_cast<LRESULT>(FCommonData.SkinManager());
      return true;
    case SKIN_QUERYBACKGROUND:
      if (Skinned()) AnswerBackground(m);
      else return false;
      return true;
    case SKIN_SKINSTATE:
      m.Result = PlainColour() ? ssTransparentForChildren : 0;
      return true;
    case SKIN_GETAPPLICATION:
      m.Result = reinterpret_cast<LRESULT>(Application);
      return true;
    case SKIN_GETCLIENTOFFSET:
      m.Result = MAKELONG(OffsetX(), OffsetY());
      return true;
    case SKIN_LOADED:
      if (!ours) break;
      // The new skin's sections: a form unskinned before has none resolved.
      FCommonData.UpdateIndexes();
      if (!SystemMenu) PrepareForm();
      break;
    default:
      break;
  }
  if (!Skinned()) return false;
  HWND wnd = form_.HandleAllocated() ? form_.Handle() : nullptr;
  switch (code) {
    case SKIN_LOADED:
      if (!ours) break;
      PrepareForm();
      TempBmp = {};
      FCommonData.BGChanged = true;
      RgnChanged = true;
      RepaintFrame();
      break;
    case SKIN_REFRESH:
      if (!ours) break;
      RgnChanged = true;
      FCommonData.BGChanged = true;
      if (wnd && IsWindowVisible(wnd))
        RedrawWindow(wnd, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME | RDW_ALLCHILDREN);
      FCommonData.FUpdating = false;
      break;
    case SKIN_UPDATEDONE:
      if (FCommonData.FUpdating) {
        FCommonData.FUpdating = false;
        RepaintFrame();
      }
      break;
    case SKIN_SETUPDATING:
      FCommonData.FUpdating = (m.WParam & 0xFFFF) == 1;
      if (FCommonData.FUpdating) FCommonData.BGChanged = true;
      break;
    case SKIN_ISPENDING:
      m.Result = FCommonData.FUpdating && !FormAnimationRunning() ? 1 : 0;
      break;
    case SKIN_BGCHANGED:
      FCommonData.BGChanged = true;
      break;
    case SKIN_REPAINTONMOVE:
      m.Result = PlainColour() ? 0 : 1;
      break;
    case SKIN_GETBGCOLOR:
      m.Result = LRESULT(ColorToRGB(ClientColor()));
      break;
    case SKIN_PREPARECACHE:
      if (FCommonData.BGChanged && !FormAnimationRunning()) PrepareCache();
      break;
    case SKIN_DEACTIVATED:
      SetHotHT(-1, true);
      ButtonRelease(0, {});
      break;
    case SKIN_BEFORESCROLL:
    case SKIN_AFTERSCROLL:
      break;  // the plain client needs nothing redrawn around a scrolling child
    case SKIN_REPAINTFRAME:
      if (m.LParam == 1) FCommonData.BGChanged = true;
      RepaintFrame();
      break;
    default:
      break;
  }
  return true;
}

void RiDuraRidareza::Unskin() {
  KillAnimations();
  FCommonData.UpdateIndexes();
  FCommonData.EmptyCache();
  FCommonData.BGChanged = true;
  TempBmp = {};
  CurrentHT = 0;
  if (!form_.HandleAllocated()) return;
  HWND wnd = form_.Handle();
  if (form_.BorderIcons() & biSystemMenu) SetWindowLongW(wnd, GWL_STYLE, GetWindowLongW(wnd, GWL_STYLE) | WS_SYSMENU);
  SetWindowRgn(wnd, nullptr, TRUE);
  ArOR.clear();
  RgnChanged = true;
  if (UseGlobalColor && !FCommonData.CustomColor()) form_.SetColor(clBtnFace);
  if (SystemMenu) SystemMenu->Refresh();
  SetWindowPos(wnd, nullptr, 0, 0, 0, 0, SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}
