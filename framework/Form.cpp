#include "framework/Form.h"

#include <algorithm>
#include <vector>

#include "framework/Application.h"
#include "framework/Buttons.h"
#include "framework/Exception.h"
#include "framework/ResourceStream.h"
#include "framework/Utf.h"

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  SetColor(clBtnFace);
  SetVisibleField(false);
}

TForm* GetParentForm(TControl* control) {
  while (control && control->Parent()) control = control->Parent();
  return dynamic_cast<TForm*>(control);
}

TForm::~TForm() {
  SetComponentState(csDestroying);
  form_detail::ForgetRelease(this);
  if (OnDestroy) OnDestroy(this);
}

void TForm::ReadLayoutResource(const wchar_t* resourceName, const TClassRegistry& classes) {
  TResourceStream res(GetModuleHandleW(nullptr), resourceName, RT_RCDATA);
  ReadLayoutText(std::string_view(reinterpret_cast<const char*>(res.Memory()), std::size_t(res.Size())), classes);
}

void TForm::ReadLayoutText(std::string_view text, const TClassRegistry& classes) {
  ReadComponent(*this, ParseLayout(text), classes, methods_);
  LayoutRead();
  if (OnCreate) OnCreate(this);
}

int TForm::ClientWidth() const { return ClientRect().Width(); }
int TForm::ClientHeight() const { return ClientRect().Height(); }

TRect TForm::ClientRect() const {
  if (HandleAllocated()) return TWinControl::ClientRect();
  return Rect(0, 0, clientWidth_ >= 0 ? clientWidth_ : Width(), clientHeight_ >= 0 ? clientHeight_ : Height());
}

void TForm::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  if (HandleAllocated()) {
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, DWORD(GetWindowLongW(Handle(), GWL_STYLE)), FALSE, DWORD(GetWindowLongW(Handle(), GWL_EXSTYLE)));
    SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    AnchorChildren();
  }
}

void TForm::SetAlphaBlendValue(int value) {
  alphaBlendValue_ = std::clamp(value, 0, 255);
  if (alphaBlend_ && HandleAllocated()) SetLayeredWindowAttributes(Handle(), 0, BYTE(alphaBlendValue_), LWA_ALPHA);
}

void TForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.WinClassName = L"PrismatoneForm";
  p.WndParent = ownerWnd_;
  p.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  p.ExStyle = WS_EX_CONTROLPARENT;
  switch (borderStyle_) {
    case TFormBorderStyle::bsNone:
      p.Style |= WS_POPUP;
      break;
    case TFormBorderStyle::bsSingle:
      p.Style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
      break;
    case TFormBorderStyle::bsDialog:
      // Fixed size, caption with the close button only.
      p.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME;
      p.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
    case TFormBorderStyle::bsToolWindow:
      p.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU;
      p.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case TFormBorderStyle::bsSizeToolWin:
      p.Style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
      p.ExStyle |= WS_EX_TOOLWINDOW;
      break;
    case TFormBorderStyle::bsSizeable:
      p.Style |= WS_OVERLAPPEDWINDOW;
      break;
  }
  // The border icons take out what the style would otherwise have: no system menu (and with it no
  // caption buttons), no minimise or maximise box; a help box only on dialogs (the system shows
  // it beside minimise and maximise only when neither is there).
  if (borderStyle_ != TFormBorderStyle::bsNone) {
    if (!(borderIcons_ & biSystemMenu)) p.Style &= ~DWORD(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    if (!(borderIcons_ & biMinimize)) p.Style &= ~DWORD(WS_MINIMIZEBOX);
    if (!(borderIcons_ & biMaximize)) p.Style &= ~DWORD(WS_MAXIMIZEBOX);
    if ((borderIcons_ & biHelp) && (borderIcons_ & biSystemMenu) && !(p.Style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)))
      p.ExStyle |= WS_EX_CONTEXTHELP;
  }
  if (alphaBlend_) p.ExStyle |= WS_EX_LAYERED;
  if (clientWidth_ >= 0 && clientHeight_ >= 0) {
    RECT r{0, 0, clientWidth_, clientHeight_};
    AdjustWindowRectEx(&r, p.Style, FALSE, p.ExStyle);
    p.Width = r.right - r.left;
    p.Height = r.bottom - r.top;
  }
}

void TForm::CreateWindowHandle(const TCreateParams& p) {
  if (alphaBlend_) SetLayeredWindowAttributes(Handle(), 0, BYTE(alphaBlendValue_), LWA_ALPHA);
  TWinControl::CreateWindowHandle(p);
}

void TForm::Show() {
  SetVisibleField(true);
  HandleNeeded();
  PlaceWindow();
  ShowWindow(Handle(), SW_SHOW);
  UpdateWindow(Handle());
  // The first control in tab order takes the focus, as in a dialog.
  if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) ::SetFocus(first);
}

void TForm::PlaceWindow() {
  if (placed_) return;
  placed_ = true;
  if (position_ == TPosition::poDesigned) return;
  HWND wnd = Handle();
  HWND around = nullptr;  // the window to centre on; none: the monitor's work area
  if (position_ == TPosition::poOwnerFormCenter) around = ownerWnd_;
  if (position_ == TPosition::poMainFormCenter && Application && Application->MainForm() && Application->MainForm() != this &&
      Application->MainForm()->HandleAllocated())
    around = Application->MainForm()->Handle();
  if (around && !IsWindowVisible(around)) around = nullptr;
  HMONITOR monitor = position_ == TPosition::poDesktopCenter || !(around ? around : ownerWnd_)
                         ? MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY)
                         : MonitorFromWindow(around ? around : ownerWnd_, MONITOR_DEFAULTTOPRIMARY);
  MONITORINFO info{};
  info.cbSize = sizeof(info);
  if (!GetMonitorInfoW(monitor, &info)) return;
  const RECT work = info.rcWork;
  RECT area = work, own;
  if (around) GetWindowRect(around, &area);
  GetWindowRect(wnd, &own);
  const int w = own.right - own.left, h = own.bottom - own.top;
  int x = area.left + (area.right - area.left - w) / 2, y = area.top + (area.bottom - area.top - h) / 2;
  // Centred on a window, it still stays on the monitor (its top-left corner first).
  x = std::max(std::min(x, int(work.right) - w), int(work.left));
  y = std::max(std::min(y, int(work.bottom) - h), int(work.top));
  SetWindowPos(wnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm::Hide() {
  SetVisibleField(false);
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

void TForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  TCloseAction action = TCloseAction::caHide;
  if (OnClose) OnClose(this, action);
  if (action == TCloseAction::caNone) return;
  Hide();
  if (endsApplication_) PostQuitMessage(0);
}

void TForm::SetOwnerWindow(HWND owner) {
  ownerWnd_ = owner;
  // The platform fixes the owner when it makes the window; a window made before is given its
  // owner in place, which keeps the window and everything attached to it.
  if (HandleAllocated() && GetWindow(Handle(), GW_OWNER) != owner)
    SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

namespace {

// The thread's other enabled, visible top-level windows, disabled while it lives.
class TDisabledWindows {
 public:
  explicit TDisabledWindows(HWND keep) : keep_(keep) {
    EnumThreadWindows(GetCurrentThreadId(), &Collect, reinterpret_cast<LPARAM>(this));
    for (HWND w : windows_) EnableWindow(w, FALSE);
  }
  ~TDisabledWindows() { Restore(); }
  TDisabledWindows(const TDisabledWindows&) = delete;
  TDisabledWindows& operator=(const TDisabledWindows&) = delete;
  void Restore() {
    for (HWND w : windows_)
      if (IsWindow(w)) EnableWindow(w, TRUE);
    windows_.clear();
  }

 private:
  static BOOL CALLBACK Collect(HWND w, LPARAM self) {
    auto* me = reinterpret_cast<TDisabledWindows*>(self);
    if (w != me->keep_ && IsWindowVisible(w) && IsWindowEnabled(w)) me->windows_.push_back(w);
    return TRUE;
  }
  HWND keep_;
  std::vector<HWND> windows_;
};

TButton* FindButton(const TWinControl& parent, bool cancel) {
  for (int i = 0; i < parent.ControlCount(); ++i) {
    TControl* c = parent.Controls(i);
    if (auto* b = dynamic_cast<TButton*>(c); b && (cancel ? b->Cancel() : b->Default()) && b->CanFocus()) return b;
    if (auto* w = dynamic_cast<TWinControl*>(c))
      if (TButton* b = FindButton(*w, cancel)) return b;
  }
  return nullptr;
}

}  // namespace

TButton* TForm::DefaultButton() const { return FindButton(*this, false); }
TButton* TForm::CancelButton() const { return FindButton(*this, true); }

bool TForm::ModalCloseAllowed() {
  TCloseAction action = TCloseAction::caHide;
  if (OnClose) OnClose(this, action);
  return action != TCloseAction::caNone;
}

TModalResult TForm::ShowModal() {
  if (modal_) throw Exception(L"The form is already shown modally");
  HWND const active = GetActiveWindow();
  HWND const focused = GetFocus();
  HWND owner = active && GetAncestor(active, GA_ROOT) == active && FromHandle(active) ? active : nullptr;
  if (owner && HandleAllocated() && owner == Handle()) owner = nullptr;
  if (!owner && Application && Application->MainForm() && Application->MainForm() != this &&
      Application->MainForm()->HandleAllocated() && IsWindowVisible(Application->MainForm()->Handle()))
    owner = Application->MainForm()->Handle();
  SetOwnerWindow(owner);
  HandleNeeded();

  modal_ = true;
  modalResult_ = mrNone;
  struct TModalEnd {
    TForm& form;
    ~TModalEnd() {
      form.modal_ = false;
      form.modalResult_ = mrNone;
    }
  } end{*this};
  TDisabledWindows others(Handle());
  Show();
  bool quit = false;
  WPARAM quitCode = 0;
  for (;;) {
    if (!Visible() || !HandleAllocated()) {
      modalResult_ = mrCancel;  // hidden or destroyed from outside: nothing is left to ask
      break;
    }
    if (modalResult_ != mrNone) {
      if (ModalCloseAllowed()) break;
      modalResult_ = mrNone;
    }
    MSG msg;
    if (!TApplication::PumpMessage(msg)) {
      WaitMessage();
    } else if (msg.message == WM_QUIT) {
      quit = true;
      quitCode = msg.wParam;
      modalResult_ = mrCancel;
      break;
    }
  }
  const TModalResult result = modalResult_;
  // The others first: the window that was active can only take the activation back while it is
  // enabled, and it must have it before this one goes, or the platform would pick another.
  others.Restore();
  HWND const back = active && IsWindow(active) && (!HandleAllocated() || active != Handle()) ? active : owner;
  if (back && IsWindowVisible(back)) {
    SetActiveWindow(back);
    if (focused && IsWindow(focused) && IsChild(back, focused) && IsWindowVisible(focused) && IsWindowEnabled(focused))
      ::SetFocus(focused);
  }
  Hide();
  if (quit) PostQuitMessage(int(quitCode));
  return result;
}

void TForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      m.Result = 0;
      return;
    case DM_GETDEFID:
      if (TButton* b = DefaultButton(); b && b->ChildId()) m.Result = MAKELONG(b->ChildId(), DC_HASDEFID);
      else m.Result = 0;
      return;
    case WM_COMMAND:
      // Enter and Escape as the dialog manager reports them (no control named): the default or
      // the cancel button is clicked.
      if (m.LParam == 0 && HIWORD(m.WParam) == 0 && (LOWORD(m.WParam) == IDOK || LOWORD(m.WParam) == IDCANCEL)) {
        if (TButton* b = LOWORD(m.WParam) == IDOK ? DefaultButton() : CancelButton()) b->Click();
        m.Result = 0;
        return;
      }
      TWinControl::WndProc(m);
      return;
    case WM_GETMINMAXINFO: {
      TWinControl::WndProc(m);
      auto& info = *reinterpret_cast<MINMAXINFO*>(m.LParam);
      const TSizeConstraints& c = Constraints();
      if (c.MinWidth > 0) info.ptMinTrackSize.x = std::max<LONG>(info.ptMinTrackSize.x, c.MinWidth);
      if (c.MinHeight > 0) info.ptMinTrackSize.y = std::max<LONG>(info.ptMinTrackSize.y, c.MinHeight);
      if (c.MaxWidth > 0) info.ptMaxTrackSize.x = c.MaxWidth;
      if (c.MaxHeight > 0) info.ptMaxTrackSize.y = c.MaxHeight;
      return;
    }
    default:
      TWinControl::WndProc(m);
  }
}

bool TForm::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "ClientWidth") clientWidth_ = int(v.AsInteger());
  else if (name == "ClientHeight") clientHeight_ = int(v.AsInteger());
  else if (name == "AlphaBlend") alphaBlend_ = v.AsBoolean();
  else if (name == "AlphaBlendValue") alphaBlendValue_ = int(v.AsInteger());
  else if (name == "PixelsPerInch") pixelsPerInch_ = int(v.AsInteger());
  else if (name == "BorderStyle") {
    static const std::map<std::wstring, TFormBorderStyle> styles = {
        {L"bsNone", TFormBorderStyle::bsNone},           {L"bsSingle", TFormBorderStyle::bsSingle},
        {L"bsSizeable", TFormBorderStyle::bsSizeable},   {L"bsDialog", TFormBorderStyle::bsDialog},
        {L"bsToolWindow", TFormBorderStyle::bsToolWindow}, {L"bsSizeToolWin", TFormBorderStyle::bsSizeToolWin}};
    auto it = styles.find(v.AsIdentifier());
    if (it == styles.end()) throw ELayoutError("unknown border style");
    borderStyle_ = it->second;
  } else if (name == "BorderIcons") {
    static const std::map<std::wstring, unsigned> icons = {
        {L"biSystemMenu", biSystemMenu}, {L"biMinimize", biMinimize}, {L"biMaximize", biMaximize}, {L"biHelp", biHelp}};
    if (v.kind != TLayoutValue::Kind::Set) throw ELayoutError("set value expected");
    unsigned set = 0;
    for (const std::wstring& item : v.items) {
      auto it = icons.find(item);
      if (it == icons.end()) throw ELayoutError("unknown border icon");
      set |= it->second;
    }
    borderIcons_ = set;
  } else if (name == "Position") {
    static const std::map<std::wstring, TPosition> positions = {
        {L"poDesigned", TPosition::poDesigned}, {L"poScreenCenter", TPosition::poScreenCenter},
        {L"poDesktopCenter", TPosition::poDesktopCenter}, {L"poMainFormCenter", TPosition::poMainFormCenter},
        {L"poOwnerFormCenter", TPosition::poOwnerFormCenter}};
    auto it = positions.find(v.AsIdentifier());
    if (it == positions.end()) throw ELayoutError("unknown position");
    position_ = it->second;
  } else if (name == "OnCreate") OnCreate = ctx.MethodAs<TNotifyEvent>(v.AsIdentifier());
  else if (name == "OnDestroy") OnDestroy = ctx.MethodAs<TNotifyEvent>(v.AsIdentifier());
  else if (name == "OnClose") OnClose = ctx.MethodAs<TCloseEvent>(v.AsIdentifier());
  else if (name == "Visible") SetVisibleField(v.AsBoolean());
  else return TWinControl::SetProperty(name, v, ctx);
  return true;
}
