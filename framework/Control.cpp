#include "framework/Control.h"

#include <windowsx.h>

#include <map>

#include "framework/ControlDC.h"
#include "framework/ErrorReport.h"
#include "framework/WinControl.h"

TControl::TControl(TComponent* owner) : TComponent(owner) {
  font_.OnChange = [this] { FontChanged(); };
}

TControl::~TControl() {
  SetComponentState(csDestroying);
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);  // sets parent_
  if (parent_) {
    if (parentFont_) Perform(FN_PARENTFONTCHANGED);
    if (parentColor_) Perform(FN_PARENTCOLORCHANGED);
  }
}

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* p = dynamic_cast<TWinControl*>(parent)) SetParent(p);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  width = constraints_.ConstrainWidth(width);
  height = constraints_.ConstrainHeight(height);
  if (left == left_ && top == top_ && width == width_ && height == height_) {
    if (!anchoring_) RecordAnchorOrigin();
    return;
  }
  const bool moved = left != left_ || top != top_, sized = width != width_ || height != height_;
  Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (!anchoring_) RecordAnchorOrigin();
  Invalidate();
  // A windowless control hears of its new place as a window would: the same message, with the
  // same flags, so that handlers that drop caches or move glows need no second path.
  WINDOWPOS pos{nullptr, nullptr, left, top, width, height, UINT(SWP_NOZORDER | SWP_NOACTIVATE)};
  if (!moved) pos.flags |= SWP_NOMOVE;
  if (!sized) pos.flags |= SWP_NOSIZE;
  Perform(WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
}

void TControl::SetAnchors(TAnchors anchors) {
  anchors_ = anchors;
  RecordAnchorOrigin();
}

void TControl::SetConstraints(const TSizeConstraints& c) {
  constraints_ = c;
  const int w = c.ConstrainWidth(width_), h = c.ConstrainHeight(height_);
  if (w != width_ || h != height_) SetBounds(left_, top_, w, h);
}

void TControl::RecordAnchorOrigin() {
  anchorRecorded_ = parent_ != nullptr;
  if (!parent_) return;
  anchorPlaced_ = {left_, top_, width_, height_};
  const TRect client = parent_->ClientRect();
  anchorClientWidth_ = client.Width();
  anchorClientHeight_ = client.Height();
}

void TControl::ApplyAnchors(int clientWidth, int clientHeight) {
  if (!anchorRecorded_ || anchors_ == kDefaultAnchors) return;
  const TAnchorBounds b =
      AnchoredBounds(anchors_, anchorPlaced_, anchorClientWidth_, anchorClientHeight_, clientWidth, clientHeight);
  anchoring_ = true;
  SetBounds(b.Left, b.Top, b.Width, b.Height);
  anchoring_ = false;
}

void TControl::Loaded() {
  TComponent::Loaded();
  RecordAnchorOrigin();
}

void TControl::SetVisible(bool v) {
  if (v == visible_) return;
  if (!v) Invalidate();
  visible_ = v;
  Perform(FN_VISIBLECHANGED, v);
  if (v) Invalidate();
}

void TControl::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Perform(FN_ENABLEDCHANGED);
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetText(const std::wstring& s) {
  if (s == text_) return;
  text_ = s;
  Perform(FN_TEXTCHANGED);
}

void TControl::FontChanged() {
  if (!takingParentFont_) parentFont_ = false;
  Perform(FN_FONTCHANGED);
}

void TControl::SetParentFont(bool v) {
  parentFont_ = v;
  if (v && parent_) Perform(FN_PARENTFONTCHANGED);
}

void TControl::SetColor(TColor c) {
  parentColor_ = false;
  if (c == color_) return;
  color_ = c;
  Perform(FN_COLORCHANGED);
}

void TControl::SetParentColor(bool v) {
  parentColor_ = v;
  if (v && parent_) Perform(FN_PARENTCOLORCHANGED);
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WindowProc(m);
  return m.Result;
}

TWndMethod TControl::GetWindowProc() {
  if (windowProc_) return windowProc_;
  return [this](TMessage& m) { WndProc(m); };
}

void TControl::SetWindowProc(TWndMethod proc, const void* owner) {
  windowProc_ = std::move(proc);
  windowProcOwner_ = windowProc_ ? owner : nullptr;
}

void TControl::Invalidate() {
  if (!parent_ || !parent_->HandleAllocated() || width_ <= 0 || height_ <= 0) return;
  RECT r{left_, top_, left_ + width_, top_ + height_};
  InvalidateRect(parent_->Handle(), &r, !(controlStyle_ & csOpaque));
}

void TControl::ChangeScale(int m, int d) {
  if (m <= 0 || d <= 0 || m == d) return;
  const auto scale = [m, d](int v) { return MulDiv(v, m, d); };
  SetBounds(scale(left_), scale(top_), scale(width_), scale(height_));
  if (!parentFont_) font_.SetHeight(scale(font_.Height()));
}

void TControl::Repaint() {
  if (!parent_ || !parent_->HandleAllocated()) return;
  if (!IsWindowed() && (controlStyle_ & csOpaque)) {
    // An opaque windowless control covers what lies behind it: it and the windowless siblings
    // over it are painted straight onto the parent, with no erase and no WM_PAINT round trip.
    if (TControlDC at(*this); at) {
      SetViewportOrgEx(at.dc(), 0, 0, nullptr);
      parent_->PaintControls(at.dc(), this);
    }
    return;
  }
  if (!IsWindowed() && parent_->OwnWindowClass()) {
    // A see-through one needs what lies behind it first: the parent paints its whole look into
    // its own device context clipped to the control (through its message entry, so that a
    // skinned parent paints its skinned background), at once.
    if (TControlDC at(*this); at) {
      SetViewportOrgEx(at.dc(), 0, 0, nullptr);
      parent_->Perform(WM_PAINT, reinterpret_cast<WPARAM>(at.dc()), 0);
    }
    return;
  }
  Invalidate();
  UpdateWindow(parent_->Handle());
}

bool TControl::TryPaint(const std::function<void()>& step) noexcept {
  try {
    step();
    return true;
  } catch (...) {
    if (!paintFailed_) {
      paintFailed_ = true;
      ReportError(std::current_exception());
    }
    return false;
  }
}

void TControl::Click() {
  if (OnClick) OnClick(this);
}

TPoint TControl::ClientToScreen(TPoint p) const {
  if (!parent_) return p;
  return parent_->ClientToScreen({p.X + left_, p.Y + top_});
}

TPoint TControl::ScreenToClient(TPoint p) const {
  if (!parent_) return p;
  TPoint q = parent_->ScreenToClient(p);
  return {q.X - left_, q.Y - top_};
}

void TControl::HandleMouse(TMessage& msg) {
  const int x = GET_X_LPARAM(msg.LParam), y = GET_Y_LPARAM(msg.LParam);
  switch (msg.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      SetControlState(csLButtonDown | csClicked, true);
      MouseDown(TMouseButton::mbLeft, x, y);
      break;
    case WM_RBUTTONDOWN:
      MouseDown(TMouseButton::mbRight, x, y);
      break;
    case WM_LBUTTONUP: {
      const bool clicked = controlState_ & csClicked;
      SetControlState(csLButtonDown | csClicked, false);
      const auto alive = Liveness();
      MouseUp(TMouseButton::mbLeft, x, y);
      if (*alive && clicked && (controlStyle_ & csClickEvents) && enabled_ && ClientRect().Contains({x, y})) Click();
      break;
    }
    case WM_RBUTTONUP:
      MouseUp(TMouseButton::mbRight, x, y);
      break;
    case WM_MOUSEMOVE:
      MouseMove(x, y);
      break;
    default:
      break;
  }
}

void TControl::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MOUSEMOVE: {
      // A click's handler (a menu item's among them) may free the control.
      const auto alive = Liveness();
      HandleMouse(msg);
      if (*alive) DefaultHandler(msg);
      return;
    }
    case FN_MOUSEENTER:
      SetControlState(csMouseOver, true);
      if (OnMouseEnter) OnMouseEnter(this);
      return;
    case FN_MOUSELEAVE:
      SetControlState(csMouseOver, false);
      if (OnMouseLeave) OnMouseLeave(this);
      return;
    case FN_CANCELMODE:
      SetControlState(csLButtonDown | csClicked, false);
      return;
    case FN_PARENTFONTCHANGED:
      if (parentFont_ && parent_) {
        takingParentFont_ = true;
        font_.Assign(parent_->Font());
        takingParentFont_ = false;
      }
      return;
    case FN_PARENTCOLORCHANGED:
      if (parentColor_ && parent_ && color_ != parent_->Color()) {
        color_ = parent_->Color();
        Perform(FN_COLORCHANGED);
      }
      return;
    case FN_ENABLEDCHANGED:
    case FN_TEXTCHANGED:
    case FN_FONTCHANGED:
    case FN_COLORCHANGED:
      Invalidate();
      return;
    default:
      DefaultHandler(msg);
  }
}

bool TControl::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "Left") left_ = int(v.AsInteger());
  else if (name == "Top") top_ = int(v.AsInteger());
  else if (name == "Width") width_ = int(v.AsInteger());
  else if (name == "Height") height_ = int(v.AsInteger());
  else if (name == "Visible") visible_ = v.AsBoolean();
  else if (name == "Anchors") {
    static const std::map<std::wstring, TAnchorKind> kinds = {
        {L"akLeft", akLeft}, {L"akTop", akTop}, {L"akRight", akRight}, {L"akBottom", akBottom}};
    if (v.kind != TLayoutValue::Kind::Set) throw ELayoutError("set value expected");
    TAnchors set = 0;
    for (const std::wstring& item : v.items) {
      auto it = kinds.find(item);
      if (it == kinds.end()) throw ELayoutError("unknown anchor");
      set |= it->second;
    }
    anchors_ = set;
  } else if (name == "Constraints.MinWidth") constraints_.MinWidth = int(v.AsInteger());
  else if (name == "Constraints.MinHeight") constraints_.MinHeight = int(v.AsInteger());
  else if (name == "Constraints.MaxWidth") constraints_.MaxWidth = int(v.AsInteger());
  else if (name == "Constraints.MaxHeight") constraints_.MaxHeight = int(v.AsInteger());
  else if (name == "Enabled") enabled_ = v.AsBoolean();
  else if (name == "Caption" || name == "Text") SetText(v.AsString());
  else if (name == "Color") SetColor(ColorFromLayout(v));
  else if (name == "ParentColor") SetParentColor(v.AsBoolean());
  else if (name == "ParentFont") SetParentFont(v.AsBoolean());
  else if (name == "OnClick") OnClick = ctx.MethodAs<TNotifyEvent>(v.AsIdentifier());
  else if (name == "OnMouseEnter") OnMouseEnter = ctx.MethodAs<TNotifyEvent>(v.AsIdentifier());
  else if (name == "OnMouseLeave") OnMouseLeave = ctx.MethodAs<TNotifyEvent>(v.AsIdentifier());
  else if (name.rfind("Font.", 0) == 0) return font_.SetProperty(name.substr(5), v);
  else return TComponent::SetProperty(name, v, ctx);
  return true;
}

void TGraphicControl::WndProc(TMessage& msg) {
  if (msg.Msg == WM_PAINT) {
    // The parent passes its device context, already moved to our origin and clipped to us.
    TCanvas canvas(reinterpret_cast<HDC>(msg.WParam));
    canvas.Font = Font();
    Paint(canvas);
    msg.Result = 0;
    return;
  }
  TControl::WndProc(msg);
}

void TGraphicControl::PaintFallback(HDC dc) {
  TCanvas canvas(dc);
  canvas.Font = Font();
  PaintPlain(canvas);
}
