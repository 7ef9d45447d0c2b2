#include "framework/WinControl.h"

#include <windowsx.h>

#include <algorithm>
#include <mutex>
#include <unordered_map>
#include <utility>

#include "framework/CallbackGuard.h"
#include "framework/ErrorReport.h"
#include "framework/Exception.h"
#include "framework/MessageCrackers.h"
#include "framework/OwnSend.h"

namespace {
constexpr wchar_t kDefaultClass[] = L"PrismatoneControl";

// The controls of this process by their windows. Every message that enters a control's window
// procedure looks its control up here: a window property would cost a round trip to the window
// server per message on some platforms. A window of another process is never in the table.
class THandleTable {
 public:
  void Add(HWND wnd, TWinControl* c) {
    const std::lock_guard<std::mutex> held(lock_);
    controls_[wnd] = c;
  }
  void Remove(HWND wnd, const TWinControl* c) {
    const std::lock_guard<std::mutex> held(lock_);
    if (auto it = controls_.find(wnd); it != controls_.end() && it->second == c) controls_.erase(it);
  }
  // Every window still naming c (one that was destroyed without its control hearing of it).
  void Forget(const TWinControl* c) {
    const std::lock_guard<std::mutex> held(lock_);
    std::erase_if(controls_, [c](const auto& entry) { return entry.second == c; });
  }
  TWinControl* Find(HWND wnd) {
    const std::lock_guard<std::mutex> held(lock_);
    auto it = controls_.find(wnd);
    return it == controls_.end() ? nullptr : it->second;
  }

 private:
  std::mutex lock_;
  std::unordered_map<HWND, TWinControl*> controls_;
};

// Never destroyed: controls that outlive the static objects' destruction still leave it.
THandleTable& Handles() {
  static THandleTable* const table = new THandleTable;
  return *table;
}

bool IsMouseMessage(UINT msg) {
  switch (msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}
}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) { controlStyle_ |= csAcceptsControls; }

TWinControl::~TWinControl() {
  SetComponentState(csDestroying);
  // Owned components go first, while this window still exists for them to leave.
  DestroyComponents();
  // Children owned elsewhere stay alive but lose their parent.
  while (!controls_.empty()) controls_.back()->SetParent(nullptr);
  DestroyHandle();
  Handles().Forget(this);
}

TWinControl* TWinControl::FromHandle(HWND wnd) { return wnd ? Handles().Find(wnd) : nullptr; }

HWND TWinControl::Handle() {
  if (!wnd_) {
    if (Parent()) Parent()->HandleNeeded();
    CreateWnd();
  }
  return wnd_;
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = text_;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (Visible()) p.Style |= WS_VISIBLE;
  if (!Enabled()) p.Style |= WS_DISABLED;
  if (tabStop_) p.Style |= WS_TABSTOP;
  p.X = Left();
  p.Y = Top();
  p.Width = Width();
  p.Height = Height();
  p.WndParent = Parent() ? Parent()->Handle() : nullptr;
  if (Parent()) {
    // A child keeps its id across re-creation, so that notices of the old and the new window
    // name the same control.
    if (!childId_) childId_ = Parent()->nextChildId_++;
    p.Menu = reinterpret_cast<HMENU>(UINT_PTR(childId_));
  }
  p.WinClassName = kDefaultClass;
  p.OwnClass = true;
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  FinishCreateParams(p);
  HINSTANCE inst = GetModuleHandleW(nullptr);
  ownClass_ = p.OwnClass;
  if (p.OwnClass) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (!GetClassInfoExW(inst, p.WinClassName.c_str(), &wc)) {
      wc.style = p.ClassStyle;
      wc.lpfnWndProc = InitialWndProc;
      wc.hInstance = inst;
      wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
      wc.hbrBackground = p.ClassBackground;
      wc.lpszClassName = p.WinClassName.c_str();
      if (!RegisterClassExW(&wc)) throw Exception(L"Window class registration failed");
    }
  }
  SetControlState(csCreating, true);
  TWinControl* const outer = std::exchange(creating_, this);
  HWND wnd = CreateWindowExW(p.ExStyle, p.WinClassName.c_str(), p.Caption.c_str(), p.Style, p.X, p.Y, p.Width, p.Height,
                             p.WndParent, p.Menu, inst, this);
  creating_ = outer;
  SetControlState(csCreating, false);
  if (!wnd) throw Exception(L"Error creating window");
  if (!p.OwnClass) Bind(wnd);
  // A top-level window need not be the size asked for (a form sized from its client area, or
  // placed by its position): the control takes its real bounds, which no placement message
  // reports until the window next moves. (Children are made at their bounds; a combo box's list
  // height is not its bounds.)
  if (!(p.Style & WS_CHILD)) UpdateBoundsFromWindow();
  CreateWindowHandle(p);
  // The client area now has its real size (a border takes its share): the children stay where
  // they were put, and their anchors measure from here.
  for (TControl* c : controls_) c->RecordAnchorOrigin();
}

void TWinControl::CreateWindowHandle(const TCreateParams&) {
  ApplyFont();
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->HandleNeeded();
  UpdateTabOrder();
}

void TWinControl::Bind(HWND wnd) {
  wnd_ = wnd;
  Handles().Add(wnd, this);
  if (ownClass_) {
    oldProc_ = DefWindowProcW;
    SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameworkWndProc));
  } else {
    oldProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FrameworkWndProc)));
  }
}

LRESULT CALLBACK TWinControl::InitialWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<TWinControl*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
    if (self) {
      self->Bind(wnd);
      return FrameworkWndProc(wnd, msg, wp, lp);
    }
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

LRESULT CALLBACK TWinControl::FrameworkWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  TWinControl* self = FromHandle(wnd);
  if (!self) return DefWindowProcW(wnd, msg, wp, lp);
  // Private messages carry pointers, handles and commands for our own code: checked here, where
  // every window message enters, so that no control's handling can come before the check.
  if (IsPrivateMessage(msg) && !IsOwnSend(msg, wp, lp)) return 0;
  TMessage m{msg, wp, lp, 0};
  if (msg == WM_PAINT || msg == WM_PRINTCLIENT) {
    // A painting error is reported once; the window then paints plainly, and its update region
    // is always validated, or WM_PAINT would come back at once, with a new error each time.
    if (self->PaintFailed()) self->PaintPlainly(m, false);
    else if (!self->TryPaint([&] { self->WindowProc(m); })) self->PaintPlainly(m, true);
  } else {
    // No exception may unwind through the platform's window procedure: the application's
    // default handler shows it, and the message counts as handled.
    CallbackGuard([&] { self->WindowProc(m); }, ReportError);
  }
  if (msg == WM_NCDESTROY) {
    Handles().Remove(wnd, self);
    if (!self->ownClass_) SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(self->oldProc_));
    self->wnd_ = nullptr;
    self->trackingLeave_ = false;
  }
  return m.Result;
}

void TWinControl::PaintPlainly(TMessage& m, bool justFailed) {
  m.Result = 0;
  const bool ownUpdate = m.Msg == WM_PAINT && !m.WParam;
  if (justFailed && ownUpdate) InvalidateRect(wnd_, nullptr, !ownClass_);
  auto plain = [&](HDC dc) {
    TryPaint([&] {
      TWinControl::PaintWindow(dc);
      PaintControls(dc);
    });
  };
  if (!ownClass_) {
    TryPaint([&] { DefaultHandler(m); });
  } else if (!ownUpdate) {
    plain(reinterpret_cast<HDC>(m.WParam));
  } else {
    TPaintDC paint(wnd_);
    plain(paint.dc());
  }
  if (ownUpdate) ValidateRect(wnd_, nullptr);
}

void TWinControl::DefaultHandler(TMessage& m) {
  if ((m.Msg > FN_BASE && m.Msg < FN_LAST) || !wnd_) {
    m.Result = 0;
    return;
  }
  m.Result = CallWindowProcW(oldProc_, wnd_, m.Msg, m.WParam, m.LParam);
}

void TWinControl::DestroyHandle() {
  if (!wnd_) return;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
  DestroyWnd();
}

void TWinControl::DestroyWnd() {
  if (wnd_) DestroyWindow(wnd_);  // WM_NCDESTROY clears wnd_
}

void TWinControl::RecreateWnd() {
  if (!wnd_) return;
  text_ = GetText();
  DestroyHandle();
  HandleNeeded();
}

void TWinControl::InsertControl(TControl* c) {
  controls_.push_back(c);
  c->parent_ = this;
  c->RecordAnchorOrigin();
  if (wnd_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->HandleNeeded();
  Perform(FN_CONTROLLISTCHANGE, 1, reinterpret_cast<LPARAM>(c));
}

void TWinControl::RemoveControl(TControl* c) {
  auto it = std::find(controls_.begin(), controls_.end(), c);
  if (it == controls_.end()) return;
  Perform(FN_CONTROLLISTCHANGE, 0, reinterpret_cast<LPARAM>(c));
  if (mouseChild_ == c) mouseChild_ = nullptr;
  if (captureChild_ == c) {
    captureChild_ = nullptr;
    if (GetCapture() == wnd_) ReleaseCapture();
  }
  c->Invalidate();
  controls_.erase(std::find(controls_.begin(), controls_.end(), c));
  c->parent_ = nullptr;
  if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
}

TControl* TWinControl::ControlAtPos(TPoint p) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    if (!c->IsWindowed() && c->Visible() && c->Enabled() && c->BoundsRect().Contains(p)) return c;
  }
  return nullptr;
}

TWinControl* TWinControl::ChildById(UINT id) const {
  if (!id) return nullptr;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->childId_ == id) return w;
  return nullptr;
}

void TWinControl::SetTabOrder(int v) {
  tabOrder_ = v;
  if (Parent()) Parent()->UpdateTabOrder();
}

// Tab order is the order of the windows among their siblings: the dialog navigation of the
// platform walks them in that order.
void TWinControl::UpdateTabOrder() {
  if (!wnd_) return;
  std::vector<TWinControl*> wins;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c); w && w->HandleAllocated()) wins.push_back(w);
  std::stable_sort(wins.begin(), wins.end(), [](TWinControl* a, TWinControl* b) {
    const unsigned ka = unsigned(a->tabOrder_), kb = unsigned(b->tabOrder_);  // -1 sorts last
    return ka < kb;
  });
  HWND after = HWND_TOP;
  for (TWinControl* w : wins) {
    SetWindowPos(w->wnd_, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    after = w->wnd_;
  }
}

void TWinControl::SetFocus() {
  if (CanFocus()) ::SetFocus(Handle());
}

bool TWinControl::Focused() const { return wnd_ && GetFocus() == wnd_; }

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Showing() const {
  if (!wnd_) return false;
  return IsWindowVisible(wnd_) != FALSE;
}

void TWinControl::ChangeScale(int m, int d) {
  if (m <= 0 || d <= 0 || m == d) return;
  TControl::ChangeScale(m, d);
  for (TControl* c : std::vector<TControl*>(controls_)) c->ChangeScale(m, d);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
  width = Constraints().ConstrainWidth(width);
  height = Constraints().ConstrainHeight(height);
  const bool sized = width != Width() || height != Height();
  SetBoundsFields(left, top, width, height);
  if (!anchoring_) RecordAnchorOrigin();
  // With a window, its WM_SIZE moves the children for their anchors.
  if (wnd_) SetWindowPos(wnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  else if (sized) AnchorChildren();
}

void TWinControl::AnchorChildren() {
  const TRect client = ClientRect();
  for (TControl* c : std::vector<TControl*>(controls_)) c->ApplyAnchors(client.Width(), client.Height());
}

TRect TWinControl::ClientRect() const {
  if (!wnd_) return TControl::ClientRect();
  RECT r;
  GetClientRect(wnd_, &r);
  return {r.left, r.top, r.right, r.bottom};
}

std::wstring TWinControl::GetText() const {
  if (!wnd_) return text_;
  std::wstring s(std::size_t(GetWindowTextLengthW(wnd_)) + 1, L'\0');
  s.resize(std::size_t(GetWindowTextW(wnd_, s.data(), int(s.size()))));
  return s;
}

void TWinControl::SetText(const std::wstring& s) {
  if (!wnd_) {
    TControl::SetText(s);
    return;
  }
  if (GetText() == s) return;
  text_ = s;
  SetWindowTextW(wnd_, s.c_str());
  Perform(FN_TEXTCHANGED);
}

void TWinControl::Invalidate() {
  if (wnd_) InvalidateRect(wnd_, nullptr, !(controlStyle_ & csOpaque));
}

void TWinControl::ApplyFont() {
  if (!wnd_) return;
  const HFONT font = Font().Handle();
  // A change of colour keeps the platform font: the window only repaints in the new colour. Set
  // again, the font would make a platform control lay its whole text out anew, on every hover that
  // changes a text colour.
  if (reinterpret_cast<HFONT>(SendMessageW(wnd_, WM_GETFONT, 0, 0)) == font) Invalidate();
  else SendMessageW(wnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void TWinControl::FontChanged() {
  TControl::FontChanged();
  ApplyFont();
  for (TControl* c : controls_) c->Perform(FN_PARENTFONTCHANGED);
}

void TWinControl::PaintWindow(HDC dc) {
  RECT r;
  GetClientRect(wnd_, &r);
  TUniqueBrush brush(CreateSolidBrush(ToColorRef(Color())));
  FillRect(dc, &r, brush.get());
}

void TWinControl::PaintInto(HDC dc) {
  PaintWindow(dc);
  PaintControls(dc);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  RECT clip;
  if (GetClipBox(dc, &clip) == ERROR) return;
  auto from = first ? std::find(controls_.begin(), controls_.end(), first) : controls_.begin();
  for (auto it = from; it != controls_.end(); ++it) {
    TControl* c = *it;
    if (c->IsWindowed() || !c->Visible() || c->Width() <= 0 || c->Height() <= 0) continue;
    RECT r{c->Left(), c->Top(), c->Left() + c->Width(), c->Top() + c->Height()}, hit;
    if (!IntersectRect(&hit, &r, &clip)) continue;
    TSavedDC saved(dc);
    POINT org;
    GetViewportOrgEx(dc, &org);
    SetViewportOrgEx(dc, org.x + c->Left(), org.y + c->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    if (c->PaintFailed() || !c->TryPaint([&] { c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0); }))
      c->TryPaint([&] { c->PaintFallback(dc); });
  }
}

void TWinControl::UpdateBoundsFromWindow() {
  RECT r;
  GetWindowRect(wnd_, &r);
  HWND parent = GetParent(wnd_);
  if (parent && (GetWindowLongW(wnd_, GWL_STYLE) & WS_CHILD)) MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  SetBoundsFields(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TWinControl::SetMouseChild(TControl* c) {
  if (c == mouseChild_) return;
  TControl* old = mouseChild_;
  mouseChild_ = c;
  if (old) old->Perform(FN_MOUSELEAVE);
  if (c) c->Perform(FN_MOUSEENTER);
}

// Entering is noticed on the first move; leaving through the platform's leave notice.
void TWinControl::TrackMouse() {
  if (trackingLeave_ || !wnd_) return;
  TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, wnd_, 0};
  trackingLeave_ = TrackMouseEvent(&tme) != FALSE;
  if (!(ControlState() & csMouseOver)) Perform(FN_MOUSEENTER);
}

// Windowless children get the mouse messages over them, in their own coordinates; a child that
// took a press keeps the mouse (capture) until the release.
void TWinControl::RouteMouseToChild(TMessage& m, bool& handled) {
  handled = false;
  const TPoint p{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
  TControl* target = captureChild_ ? captureChild_ : ControlAtPos(p);
  if (m.Msg == WM_MOUSEMOVE) SetMouseChild(captureChild_ ? (captureChild_->BoundsRect().Contains(p) ? captureChild_ : nullptr) : target);
  if (!target) return;
  const bool down = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK || m.Msg == WM_RBUTTONDOWN;
  const bool up = m.Msg == WM_LBUTTONUP || m.Msg == WM_RBUTTONUP;
  if (down && (target->ControlStyle() & csCaptureMouse)) {
    captureChild_ = target;
    SetCapture(wnd_);
  }
  const LPARAM local = MAKELPARAM(p.X - target->Left(), p.Y - target->Top());
  m.Result = target->Perform(m.Msg, m.WParam, local);
  if (up && captureChild_ == target) {
    captureChild_ = nullptr;
    if (GetCapture() == wnd_) ReleaseCapture();
  }
  handled = true;
}

void TWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_COMMAND:
      if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(m.LParam)); child && child != this) {
        m.Result = child->Perform(FN_COMMAND, m.WParam, m.LParam);
        return;
      }
      break;
    case WM_NOTIFY:
      if (TWinControl* child = FromHandle(reinterpret_cast<NMHDR*>(m.LParam)->hwndFrom); child && child != this) {
        m.Result = child->Perform(FN_NOTIFY, m.WParam, m.LParam);
        return;
      }
      break;
    case WM_DRAWITEM:
      // Menu items name a menu, not a window: they stay with this window.
      if (const auto& item = *reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam); item.CtlType != ODT_MENU)
        if (TWinControl* child = ChildById(item.CtlID); child && child != this) {
          m.Result = child->Perform(FN_DRAWITEM, m.WParam, m.LParam);
          return;
        }
      break;
    case WM_MEASUREITEM:
      if (const auto& item = *reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam); item.CtlType != ODT_MENU)
        if (TWinControl* child = ChildById(item.CtlID); child && child != this) {
          m.Result = child->Perform(FN_MEASUREITEM, m.WParam, m.LParam);
          return;
        }
      break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      if (TWinControl* child = FromHandle(reinterpret_cast<HWND>(m.LParam)); child && child != this) {
        m.Result = child->Perform(FN_CTLCOLOR, m.WParam, m.LParam);
        if (m.Result) return;
      }
      break;
    case WM_SETFOCUS:
      DefaultHandler(m);
      Perform(FN_FOCUSENTER);
      return;
    case WM_KILLFOCUS:
      DefaultHandler(m);
      Perform(FN_FOCUSEXIT);
      return;
    case WM_MOUSELEAVE:
      trackingLeave_ = false;
      SetMouseChild(nullptr);
      if ((ControlState() & csMouseOver) && !PointerStillOver()) Perform(FN_MOUSELEAVE);
      DefaultHandler(m);
      return;
    case WM_SETCURSOR:
      // Over the client area the control under the pointer (a windowless child, or this one)
      // chooses the shape; everything else keeps the platform's answer.
      if (LOWORD(m.LParam) == HTCLIENT && reinterpret_cast<HWND>(m.WParam) == wnd_) {
        POINT pt;
        GetCursorPos(&pt);
        ::ScreenToClient(wnd_, &pt);
        const TControl* over = ControlAtPos({pt.x, pt.y});
        if (!over) over = this;
        if (over->Cursor()) {
          ::SetCursor(LoadCursorW(nullptr, over->Cursor()));
          m.Result = TRUE;
          return;
        }
      }
      break;
    case WM_MOUSEWHEEL:
      if (!Perform(FN_MOUSEWHEEL, m.WParam, m.LParam)) DefaultHandler(m);
      return;
    case WM_CANCELMODE:
      if (captureChild_) {
        captureChild_->Perform(FN_CANCELMODE);
        captureChild_ = nullptr;
        if (GetCapture() == wnd_) ReleaseCapture();
      }
      Perform(FN_CANCELMODE);
      DefaultHandler(m);
      return;
    case WM_PAINT:
      if (ownClass_) {
        // A device context in wParam asks for a painting into it (a fade picture, a parent's
        // background): no BeginPaint, the update region stays.
        Crack<WM_PAINT>(m, [&](HDC given) {
          if (given) {
            PaintInto(given);
          } else {
            TPaintDC paint(wnd_);
            PaintInto(paint.dc());
          }
        });
        return;
      }
      break;
    case WM_PRINTCLIENT:
      if (ownClass_) {
        Crack<WM_PRINTCLIENT>(m, [&](HDC dc, UINT) { PaintInto(dc); });
        return;
      }
      break;
    case WM_ERASEBKGND:
      if (ownClass_) {
        m.Result = 1;  // WM_PAINT fills the background itself, without flicker
        return;
      }
      break;
    case WM_WINDOWPOSCHANGED:
      DefaultHandler(m);
      UpdateBoundsFromWindow();
      return;
    case WM_SIZE:
      DefaultHandler(m);
      // The window being made is not a resize: the children keep the places they were given.
      if (!(ControlState() & csCreating) && m.WParam != SIZE_MINIMIZED) AnchorChildren();
      return;
    case WM_SHOWWINDOW:
      DefaultHandler(m);
      Perform(FN_SHOWINGCHANGED, m.WParam);
      return;
    case FN_ENABLEDCHANGED:
      if (wnd_) EnableWindow(wnd_, Enabled());
      Invalidate();
      return;
    case FN_VISIBLECHANGED:
      if (wnd_) ShowWindow(wnd_, m.WParam ? SW_SHOWNA : SW_HIDE);
      return;
    case FN_COLORCHANGED:
      Invalidate();
      for (TControl* c : controls_) c->Perform(FN_PARENTCOLORCHANGED);
      return;
    case FN_FONTCHANGED:
      Invalidate();
      return;
    default:
      if (IsMouseMessage(m.Msg)) {
        if (m.Msg == WM_MOUSEMOVE) TrackMouse();
        bool handled;
        RouteMouseToChild(m, handled);
        if (handled) return;
      }
      break;
  }
  TControl::WndProc(m);
}

bool TWinControl::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "TabOrder") tabOrder_ = int(v.AsInteger());
  else if (name == "TabStop") tabStop_ = v.AsBoolean();
  else return TControl::SetProperty(name, v, ctx);
  return true;
}
