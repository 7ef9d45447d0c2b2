// The skinned combo box's messages: its own window, its edit field and the skin commands.
#include "framework/Handles.h"
#include "skin/controls/sComboBox.h"
#include "skin/controls/sComboListWnd.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"
#include "skin/paint/sFormAnimation.h"
#include "skin/paint/sGlow.h"
#include "skin/paint/sSkinCommands.h"

namespace {

bool IsKeyMessage(UINT msg) { return msg == WM_KEYDOWN || msg == WM_SYSKEYDOWN || msg == WM_SYSCHAR; }

bool CursorInside(HWND wnd) {
  POINT p{};
  RECT r{};
  return GetCursorPos(&p) && GetWindowRect(wnd, &r) && PtInRect(&r, p);
}

}  // namespace

// Keys and clicks that would change a read-only combo's value never reach the platform.
bool TsCustomComboBox::ReadOnlyFilter(TMessage& m) {
  if (!FReadOnly) return false;
  if (IsKeyMessage(m.Msg) && ComboReadOnlySwallowsKey(unsigned(m.WParam))) return true;
  if (m.Msg == WM_CHAR) return true;
  if (m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) {
    // The control takes the focus; the list does not open.
    if (HandleAllocated() && GetFocus() != Handle() && !Focused()) ::SetFocus(Handle());
    if (m.Msg == WM_LBUTTONDBLCLK && OnDblClick) OnDblClick(this);
    return true;
  }
  return false;
}

bool TsCustomComboBox::HandleSkinCommand(TMessage& m) {
  const std::uint16_t code = SkinCommandCode(m.WParam);
  if ((code == SKIN_LOADED || code == SKIN_UNLOADED || code == SKIN_REFRESH) && !ForThisManager(skinData_, m.LParam)) {
    m.Result = 0;
    return true;
  }
  switch (code) {
    case SKIN_LOADED:
      TsSkinnedControl::WndProc(m);
      if (ListSW_ && lboxhandle) SendSkinCommand(lboxhandle, SKIN_LOADED, m.LParam);
      return true;
    case SKIN_UNLOADED:
      TsSkinnedControl::WndProc(m);
      if (!skinData_.CustomColor()) SetColor(clWindow);
      if (!skinData_.CustomFont()) Font().SetColor(clWindowText);
      DetachList();
      return true;
    case SKIN_REFRESH: {
      const int index = ItemIndex();
      if (HandleAllocated()) SendMessageW(Handle(), CB_SHOWDROPDOWN, FALSE, 0);
      if (ItemIndex() != index) SetItemIndex(index);
      TsSkinnedControl::WndProc(m);
      Repaint();
      return true;
    }
    case SKIN_UPDATEDONE:
      if (skinData_.Updating()) {
        skinData_.FUpdating = false;
        Repaint();
      }
      m.Result = 0;
      return true;
    case SKIN_DEACTIVATED:
      Perform(FN_MOUSELEAVE);
      m.Result = 0;
      return true;
    default:
      return false;
  }
}

void TsCustomComboBox::FocusChange(TMessage& m, bool gained) {
  skinData_.FFocused = gained;
  skinData_.FMouseAbove = false;
  skinData_.BGChanged = true;
  TComboBox::WndProc(m);
  Repaint();
}

void TsCustomComboBox::MouseEnterLeave(TMessage& m) {
  const bool enter = m.Msg == FN_MOUSEENTER;
  if (FDropDown || DroppedDown()) {
    TComboBox::WndProc(m);
    return;
  }
  if (!enter && CursorInside(Handle())) return;
  if (enter && skinData_.FMouseAbove) return;
  TsSkinManager* manager = skinData_.SkinManager();
  if (enter && manager) MakeActiveControl(*manager, Handle());
  skinData_.FMouseAbove = enter;
  skinData_.BGChanged = true;
  Repaint();
  TComboBox::WndProc(m);
  if (skinData_.GlowID != -1) HideGlow(skinData_.GlowID);
  if (enter) UpdateControlGlow(skinData_, false, nullptr);
  else HideAllGlows(true);
}

bool TsCustomComboBox::HandleSkinned(TMessage& m) {
  switch (m.Msg) {
    case FN_FOCUSENTER:
    case FN_FOCUSEXIT:
      FocusChange(m, m.Msg == FN_FOCUSENTER);
      return true;
    case WM_PAINT: {
      TPaintDC paint(Handle());
      if (!FormAnimationRunning()) {
        if (m.WParam) {
          PaintTo(reinterpret_cast<HDC>(m.WParam));
        } else {
          TWholeWindowDC window(Handle());
          PaintTo(window.dc());
        }
      }
      m.Result = 0;
      return true;
    }
    case WM_NCPAINT:
      if (FormAnimationRunning()) {
        TWholeWindowDC window(Handle());
        PaintTo(window.dc());
      }
      m.Result = 0;
      return true;
    case WM_SETFONT:
    case FN_VISIBLECHANGED:
    case FN_ENABLEDCHANGED:
    case FN_COLORCHANGED:
    case FN_MOUSEWHEEL:
      skinData_.BGChanged = true;
      return false;
    case WM_COMMAND:
      // The field's own notifications.
      if (FReadOnly) {
        m.Result = 0;
        return true;
      }
      FDropDown = false;
      skinData_.BGChanged = true;
      {
        TWholeWindowDC window(Handle());
        PaintTo(window.dc());
      }
      return false;
    case WM_CTLCOLORLISTBOX:
      if (!Loading() && !lboxhandle) AttachList(reinterpret_cast<HWND>(m.LParam));
      return false;
    case WM_PRINT: {
      skinData_.FUpdating = false;
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      PaintTo(dc);
      if (dc && Style() == TComboBoxStyle::csDropDown && skinData_.FFocused && skinData_.CacheBmp()) {
        GdiFlush();
        BitBlt(dc, 0, 0, Width(), Height(), skinData_.CacheBmp()->DC(), 0, 0, SRCCOPY);
      }
      m.Result = 0;
      return true;
    }
    case FN_MOUSEENTER:
    case FN_MOUSELEAVE:
      MouseEnterLeave(m);
      return true;
    case FN_COMMAND:
      if (HIWORD(m.WParam) == CBN_DROPDOWN) {
        FDropDown = true;
      } else if (HIWORD(m.WParam) == CBN_CLOSEUP) {
        FDropDown = false;
        skinData_.BGChanged = true;
        TWholeWindowDC window(Handle());
        PaintTo(window.dc());
      }
      return false;
    default:
      return false;
  }
}

void TsCustomComboBox::AfterSkinned(const TMessage& m) {
  switch (m.Msg) {
    case WM_SETFONT:
    case FN_ENABLEDCHANGED:
      Repaint();
      break;
    case CB_SETCURSEL:
    case FN_TEXTCHANGED:
      skinData_.BGChanged = true;
      Repaint();
      break;
    case FN_COMMAND:
      if (HIWORD(m.WParam) == CBN_EDITCHANGE || HIWORD(m.WParam) == CBN_SELCHANGE) {
        skinData_.BGChanged = true;
        Repaint();
      }
      break;
    case FN_FONTCHANGED:
      RefreshItemHeight();
      break;
    default:
      break;
  }
}

void TsCustomComboBox::WndProc(TMessage& m) {
  if (ReadOnlyFilter(m)) {
    m.Result = 0;
    return;
  }
  if (m.Msg == SM_SKINCOMMAND && IsOwnSkinSend(m.WParam, m.LParam)) {
    if (!HandleSkinCommand(m)) TsSkinnedControl::WndProc(m);
    return;
  }
  // The list window or this window going: the recorded list is forgotten with its handler.
  if (m.Msg == WM_DESTROY) DetachList();
  const bool setUp = HandleAllocated() && !(ControlState() & csCreating) && !Loading() && !Destroying() && Parent();
  if (setUp && Skinned()) {
    if (HandleSkinned(m)) return;
    TsSkinnedControl::WndProc(m);
    AfterSkinned(m);
  } else {
    TsSkinnedControl::WndProc(m);
    if (m.Msg == FN_FONTCHANGED && !Loading()) RefreshItemHeight();
  }
  boundLabel_.OwnerMessage(m);
}

void TsCustomComboBox::EditWndProc(TMessage& m) {
  if (FReadOnly) {
    switch (m.Msg) {
      case WM_KEYDOWN:
      case WM_KEYUP:
      case WM_CHAR:
      case WM_SYSKEYUP:
      case WM_CUT:
      case WM_PASTE:
      case WM_CLEAR:
      case WM_UNDO:
        m.Result = 0;
        return;
      default:
        break;
    }
  }
  if (Skinned() && !Destroying() && !FieldPaintsItself()) {
    // The closed control's picture shows the text: the platform must not paint over it.
    switch (m.Msg) {
      case WM_PAINT: {
        TPaintDC paint(EditHandle());
        m.Result = 0;
        return;
      }
      case WM_ERASEBKGND:
      case WM_NCPAINT:
        m.Result = 1;
        return;
      default:
        break;
    }
  }
  if (m.Msg == WM_MOUSEMOVE && Skinned()) {
    TsSkinManager* manager = skinData_.SkinManager();
    if (manager && manager->ActiveControl() != Handle()) MakeActiveControl(*manager, Handle());
  }
  TsSkinnedControl::EditWndProc(m);
}
