// The speed button's pointer and messages: entering and leaving (one hot speed button per skin
// manager), the drop-down menu opened by a press, and the skin commands and framework notices.
#include "skin/controls/sSpeedButton.h"

#include <utility>

#include "framework/Menus.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"
#include "skin/paint/sSkinCommands.h"

// ---- Pointer ------------------------------------------------------------------------------------

// The framework raises OnMouseEnter and OnMouseLeave itself.
void TsSpeedButton::Enter() {
  TsSkinManager* m = skinData_.SkinManager();
  if (skinData_.FMouseAbove || FButtonStyle == TToolButtonStyle::tbsSeparator ||
      FButtonStyle == TToolButtonStyle::tbsDivider || (m && m->Options().NoMouseHover))
    return;
  skinData_.FMouseAbove = true;
  if (m) {
    TComponent* previous = m->SetActiveGraphControl(this);
    if (previous && previous != this)
      if (auto* c = dynamic_cast<TControl*>(previous)) SendSkinCommand(*c, SKIN_DEACTIVATED);
  }
  if (FMenuOwnerMode) skinData_.BGChanged = true;
  else FadeRequest(false, aeMouseEnter);
}

void TsSpeedButton::Leave() {
  if (!skinData_.FMouseAbove) return;
  skinData_.FMouseAbove = false;
  if (TsSkinManager* m = skinData_.SkinManager()) m->ForgetActiveGraphControl(this);
  if (state_ == TButtonState::bsDown) state_ = TButtonState::bsUp;
  if (!Visible() || FMenuOwnerMode) skinData_.BGChanged = true;
  else FadeRequest(false, aeMouseLeave);
}

void TsSpeedButton::MouseDown(TMouseButton button, int x, int y) {
  if (button == TMouseButton::mbLeft && Enabled() && FButtonStyle == TToolButtonStyle::tbsDropDown && FDropdownMenu &&
      (x > Width() - kSplitArrowWidth || !OnClick)) {
    FMenuPress = true;
    FOpenMenuButton = this;
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
    if (FOpenMenuButton == this) FOpenMenuButton = nullptr;
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
    if (FOpenMenuButton == this) FOpenMenuButton = nullptr;
  }
  if (button == TMouseButton::mbLeft && std::exchange(FMenuPress, false)) return;
  TsSkinnedControl::MouseUp(button, x, y);
}

// ---- Messages -----------------------------------------------------------------------------------

void TsSpeedButton::WndProc(TMessage& m) {
  if (m.Msg == SM_SKINCOMMAND) {
    const std::uint16_t code = SkinCommandCode(m.WParam);
    const bool own = ForThisManager(skinData_, m.LParam);
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
            skinData_.FMouseAbove && mgr && mgr->ActiveGraphControl() && mgr->ActiveGraphControl() != this) {
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
