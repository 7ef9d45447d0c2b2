#include "skin/controls/sMemo.h"

#include "framework/Handles.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"

TsMemo::TsMemo(TComponent* owner) : TsEditLike(owner, 7) { SetControlStyle(ControlStyle() & ~csOpaque); }

TsMemo::~TsMemo() { FreeScrolls(ListSW_); }

void TsMemo::SetDisabledKind(unsigned value) {
  if (value == FDisabledKind) return;
  FDisabledKind = value;
  if (ListSW_) ListSW_->DisabledKind = value;
  skinData_.Invalidate();
}

void TsMemo::RefreshScrolls() {
  RefreshEditScrolls(skinData_, ListSW_);
  if (ListSW_) ListSW_->DisabledKind = FDisabledKind;
}

void TsMemo::Loaded() {
  TsEditLike::Loaded();
  RefreshScrolls();
}

void TsMemo::CreateWindowHandle(const TCreateParams& params) {
  TsEditLike::CreateWindowHandle(params);
  // Each window gets its own handler: the one of a window that went is replaced.
  RefreshScrolls();
}

bool TsMemo::HandleSkinCommand(TMessage& m) {
  switch (SkinCommandCode(m.WParam)) {
    case SKIN_UNLOADED:
      if (!ForThisManager(skinData_, m.LParam)) return false;
      // This may run inside the handler's own dispatch: it lets the window go at once and is
      // freed when that dispatch returns.
      FreeScrolls(ListSW_);
      TsEditLike::WndProc(m);
      if (HandleAllocated()) RecreateWnd();
      return true;
    case SKIN_REFRESH:
      if (!ForThisManager(skinData_, m.LParam)) return false;
      TsEditLike::WndProc(m);
      RefreshScrolls();
      if (HandleAllocated() && Visible())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
      return true;
    case SKIN_ISSKINNED:
      m.Result = 1;
      return true;
    default:
      return false;
  }
}

void TsMemo::WndProc(TMessage& m) {
  if (m.Msg == SM_SKINCOMMAND && IsOwnSkinSend(m.WParam, m.LParam) && HandleSkinCommand(m)) return;
  if (!HandleAllocated() || !Skinned()) {
    TsEditLike::WndProc(m);
    return;
  }
  if (m.Msg == WM_PAINT) {
    skinData_.SyncStateColors(Focused());
    if (skinData_.FUpdating) {
      // Waiting for the parent's picture: the request is acknowledged, nothing drawn.
      if (!m.WParam) TPaintDC paint(Handle());
      m.Result = 0;
      return;
    }
  }
  TsEditLike::WndProc(m);
  switch (m.Msg) {
    case FN_FONTCHANGED:
      if (Visible()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
      [[fallthrough]];
    case FN_VISIBLECHANGED:
    case FN_ENABLEDCHANGED:
      skinData_.Invalidate();
      break;
    case EM_SCROLLCARET:
      if (ListSW_) ListSW_->UpdateScrolls(true);
      if (OnScrollCaret) OnScrollCaret(this);
      break;
    case WM_VSCROLL:
      if (OnVScroll) OnVScroll(this);
      break;
    case FN_COMMAND:
      if (HIWORD(m.WParam) == EN_CHANGE && ListSW_) ListSW_->UpdateScrolls(true);
      break;
    case FN_TEXTCHANGED:
      if (ListSW_) ListSW_->UpdateScrolls(true);
      break;
    case FN_SHOWINGCHANGED:
      RefreshScrolls();
      break;
    default:
      break;
  }
}
