// The push button's messages: the platform's button keeps focus, the pushed state and the click,
// run with drawing off where it would paint; pointer, keys, focus and skin commands change the
// look by a fade or a repaint.
#include "skin/controls/sButton.h"

#include <optional>

#include "framework/Menus.h"
#include "skin/controls/sRedrawOff.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"
#include "skin/paint/sFadeWin.h"
#include "skin/paint/sGlow.h"
#include "skin/paint/sSkinCommands.h"

namespace {

// Process-wide, user-interface thread only: the redraw guard keeps focus changes from nesting
// their redraw switch.
bool gRedrawGuard = false;

// Holds gRedrawGuard for one scope, however the scope ends: a stuck guard would keep every button
// from following its focus again.
struct TRedrawGuardScope {
  TRedrawGuardScope() { gRedrawGuard = true; }
  ~TRedrawGuardScope() { gRedrawGuard = false; }
};

}  // namespace

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
    FForcedPressed = true;
    InvalidateRect(Handle(), nullptr, FALSE);
    UpdateWindow(Handle());
    FForcedPressed = false;
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
    const bool own = ForThisManager(skinData_, m.LParam);
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
