#include "framework/ScrollBox.h"

#include <algorithm>
#include <vector>

#include "framework/Layout.h"

TScrollBox::TScrollBox(TComponent* owner) : TWinControl(owner) { SetBoundsFields(0, 0, 185, 41); }

void TScrollBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.WinClassName = L"PrismatoneScrollBox";
  p.Style |= WS_CLIPCHILDREN;
  p.ExStyle |= WS_EX_CONTROLPARENT;
  if (borderStyle_ == TScrollBoxBorder::bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TScrollBox::CreateWindowHandle(const TCreateParams& p) {
  TWinControl::CreateWindowHandle(p);
  UpdateScrollRange();
}

int TScrollBox::ContentHeight() const {
  int bottom = 0;
  for (int i = 0; i < ControlCount(); ++i)
    if (const TControl* c = Controls(i); c->Visible()) bottom = std::max(bottom, c->Top() + c->Height() + scrollPos_);
  return bottom;
}

int TScrollBox::MaxScrollPos() const { return std::max(0, ContentHeight() - ClientRect().Height()); }

void TScrollBox::SetVertScrollPos(int pos) {
  pos = std::clamp(pos, 0, MaxScrollPos());
  const int delta = pos - scrollPos_;
  if (delta) {
    scrollPos_ = pos;
    std::vector<TControl*> children;
    for (int i = 0; i < ControlCount(); ++i) children.push_back(Controls(i));
    for (TControl* c : children) c->SetBounds(c->Left(), c->Top() - delta, c->Width(), c->Height());
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
  }
  UpdateScrollRange();
}

void TScrollBox::UpdateScrollRange() {
  if (!HandleAllocated()) return;
  const int content = ContentHeight(), page = ClientRect().Height();
  if (scrollPos_ > std::max(0, content - page)) {
    SetVertScrollPos(content - page);  // the children shrank: no empty band below them
    return;
  }
  SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, content - 1), UINT(std::max(0, page)), scrollPos_, 0};
  SetScrollInfo(Handle(), SB_VERT, &si, TRUE);
}

void TScrollBox::Scroll(UINT code) {
  SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(Handle(), SB_VERT, &si);
  const int page = int(si.nPage);
  switch (code) {
    case SB_LINEUP: SetVertScrollPos(scrollPos_ - kLine); break;
    case SB_LINEDOWN: SetVertScrollPos(scrollPos_ + kLine); break;
    case SB_PAGEUP: SetVertScrollPos(scrollPos_ - page); break;
    case SB_PAGEDOWN: SetVertScrollPos(scrollPos_ + page); break;
    case SB_TOP: SetVertScrollPos(0); break;
    case SB_BOTTOM: SetVertScrollPos(MaxScrollPos()); break;
    case SB_THUMBTRACK:
      if (vertTracking_) SetVertScrollPos(si.nTrackPos);
      break;
    case SB_THUMBPOSITION: SetVertScrollPos(si.nTrackPos); break;
    default: break;
  }
}

void TScrollBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_VSCROLL:
      // Only the window's own bar: a scroll bar control among the children reports its own.
      if (m.LParam == 0) {
        Scroll(LOWORD(m.WParam));
        m.Result = 0;
        return;
      }
      break;
    case FN_MOUSEWHEEL:
      SetVertScrollPos(scrollPos_ - GET_WHEEL_DELTA_WPARAM(m.WParam) / WHEEL_DELTA * 3 * kLine);
      m.Result = 1;
      return;
    case WM_SIZE:
      TWinControl::WndProc(m);
      UpdateScrollRange();
      return;
    case FN_CONTROLLISTCHANGE:
      // An added child counts at once; a removed one is still listed while this runs.
      TWinControl::WndProc(m);
      if (m.WParam) UpdateScrollRange();
      return;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

bool TScrollBox::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "VertScrollBar.Tracking") vertTracking_ = v.AsBoolean();
  else if (name == "BorderStyle") {
    const auto& s = v.AsIdentifier();
    if (s == L"bsNone") borderStyle_ = TScrollBoxBorder::bsNone;
    else if (s == L"bsSingle") borderStyle_ = TScrollBoxBorder::bsSingle;
    else throw ELayoutError("unknown border style");
  } else return TWinControl::SetProperty(name, v, ctx);
  return true;
}
