#include "framework/Form.h"

#include <algorithm>

#include "framework/ResourceStream.h"
#include "framework/Utf.h"

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  SetColor(clBtnFace);
  SetVisibleField(false);
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

int TForm::ClientWidth() const { return HandleAllocated() ? ClientRect().Width() : clientWidth_ >= 0 ? clientWidth_ : Width(); }
int TForm::ClientHeight() const { return HandleAllocated() ? ClientRect().Height() : clientHeight_ >= 0 ? clientHeight_ : Height(); }

void TForm::SetClientSize(int width, int height) {
  clientWidth_ = width;
  clientHeight_ = height;
  if (HandleAllocated()) {
    RECT r{0, 0, width, height};
    AdjustWindowRectEx(&r, DWORD(GetWindowLongW(Handle(), GWL_STYLE)), FALSE, DWORD(GetWindowLongW(Handle(), GWL_EXSTYLE)));
    SetWindowPos(Handle(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TForm::SetAlphaBlendValue(int value) {
  alphaBlendValue_ = std::clamp(value, 0, 255);
  if (alphaBlend_ && HandleAllocated()) SetLayeredWindowAttributes(Handle(), 0, BYTE(alphaBlendValue_), LWA_ALPHA);
}

void TForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.WinClassName = L"PrismatoneForm";
  p.WndParent = nullptr;
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
  if (position_ == TPosition::poScreenCenter || position_ == TPosition::poDesktopCenter) {
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    p.X = work.left + (work.right - work.left - p.Width) / 2;
    p.Y = work.top + (work.bottom - work.top - p.Height) / 2;
  }
}

void TForm::CreateWindowHandle(const TCreateParams& p) {
  if (alphaBlend_) SetLayeredWindowAttributes(Handle(), 0, BYTE(alphaBlendValue_), LWA_ALPHA);
  TWinControl::CreateWindowHandle(p);
}

void TForm::Show() {
  SetVisibleField(true);
  HandleNeeded();
  ShowWindow(Handle(), SW_SHOW);
  UpdateWindow(Handle());
  // The first control in tab order takes the focus, as in a dialog.
  if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) ::SetFocus(first);
}

void TForm::Hide() {
  SetVisibleField(false);
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

void TForm::Close() {
  TCloseAction action = TCloseAction::caHide;
  if (OnClose) OnClose(this, action);
  if (action == TCloseAction::caNone) return;
  Hide();
  if (endsApplication_) PostQuitMessage(0);
}

void TForm::WndProc(TMessage& m) {
  switch (m.Msg) {
    case WM_CLOSE:
      Close();
      m.Result = 0;
      return;
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
        {L"poDesktopCenter", TPosition::poDesktopCenter}, {L"poMainFormCenter", TPosition::poMainFormCenter}};
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
