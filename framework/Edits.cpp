#include "framework/Edits.h"

HBRUSH TColoredWinControl::ColorsFor(HDC dc) {
  SetTextColor(dc, ToColorRef(Font().Color()));
  SetBkColor(dc, ToColorRef(Color()));
  if (!brush_ || brushColor_ != Color()) {
    brush_.reset(CreateSolidBrush(ToColorRef(Color())));
    brushColor_ = Color();
  }
  return brush_.get();
}

bool TColoredWinControl::OwnsWindow(HWND wnd) const {
  if (!wnd || !HandleAllocated()) return false;
  const HWND own = const_cast<TColoredWinControl*>(this)->Handle();
  return wnd == own || IsChild(own, wnd);
}

void TColoredWinControl::WndProc(TMessage& m) {
  switch (m.Msg) {
    case FN_CTLCOLOR:
      m.Result = reinterpret_cast<LRESULT>(ColorsFor(reinterpret_cast<HDC>(m.WParam)));
      return;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
      // A window no control is bound to asks its parent, this one: when it is part of this
      // control it takes this control's colours. (A bound child is answered through reflection.)
      if (const HWND from = reinterpret_cast<HWND>(m.LParam); !FromHandle(from) && OwnsWindow(from)) {
        m.Result = reinterpret_cast<LRESULT>(ColorsFor(reinterpret_cast<HDC>(m.WParam)));
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

TCustomEdit::TCustomEdit(TComponent* owner) : TColoredWinControl(owner) {
  SetBoundsFields(0, 0, 121, 21);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.WinClassName = L"EDIT";
  p.OwnClass = false;
  p.Style |= ES_AUTOHSCROLL | ES_LEFT;
  p.ExStyle |= WS_EX_CLIENTEDGE;
  if (readOnly_) p.Style |= ES_READONLY;
}

void TCustomEdit::CreateWindowHandle(const TCreateParams& p) {
  TColoredWinControl::CreateWindowHandle(p);
  SendMessageW(Handle(), EM_LIMITTEXT, WPARAM(maxLength_), 0);
}

void TCustomEdit::SetMaxLength(int v) {
  maxLength_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), EM_LIMITTEXT, WPARAM(v), 0);
}

void TCustomEdit::SetReadOnly(bool v) {
  readOnly_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, v, 0);
}

void TCustomEdit::WndProc(TMessage& m) {
  if (m.Msg == FN_COMMAND && HIWORD(m.WParam) == EN_CHANGE) {
    text_ = GetText();
    if (OnChange) OnChange(this);
    return;
  }
  TColoredWinControl::WndProc(m);
}

bool TCustomEdit::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "MaxLength") maxLength_ = int(v.AsInteger());
  else if (name == "ReadOnly") readOnly_ = v.AsBoolean();
  else if (name == "AutoSize") autoSize_ = v.AsBoolean();
  else if (name == "OnChange") OnChange = ctx.MethodAs<TNotifyEvent>(v.AsIdentifier());
  else return TColoredWinControl::SetProperty(name, v, ctx);
  return true;
}

bool TMaskEdit::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "EditMask") editMask_ = v.AsString();
  else return TCustomEdit::SetProperty(name, v, ctx);
  return true;
}

TMemo::TMemo(TComponent* owner) : TCustomEdit(owner) { SetBoundsFields(0, 0, 185, 89); }

void TMemo::CreateParams(TCreateParams& p) {
  TCustomEdit::CreateParams(p);
  p.Style &= ~DWORD(ES_AUTOHSCROLL);
  p.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
  if (!wordWrap_ || scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth) p.Style |= ES_AUTOHSCROLL;
  if (scrollBars_ == TScrollStyle::ssVertical || scrollBars_ == TScrollStyle::ssBoth) p.Style |= WS_VSCROLL;
  if (scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth) p.Style |= WS_HSCROLL;
}

void TMemo::WndProc(TMessage& m) {
  TCustomEdit::WndProc(m);
  if (m.Msg != WM_GETDLGCODE || wantTabs_) return;
  // A multi-line edit asks for every key, Tab included, which would hold the focus in it for
  // good: Tab is the dialog's unless the memo takes tabs.
  const MSG* msg = reinterpret_cast<const MSG*>(m.LParam);
  m.Result &= ~LRESULT(DLGC_WANTTAB);
  if (msg && msg->message == WM_KEYDOWN && msg->wParam == VK_TAB) m.Result &= ~LRESULT(DLGC_WANTMESSAGE);
}

void TMemo::SetScrollBars(TScrollStyle value) {
  if (value == scrollBars_) return;
  scrollBars_ = value;
  if (HandleAllocated()) RecreateWnd();
}

TStringList TMemo::Lines() const {
  TStringList l;
  l.SetText(GetText());
  return l;
}

void TMemo::SetLines(const TStringList& lines) {
  std::wstring t = lines.Text();
  if (t.size() >= 2) t.resize(t.size() - 2);  // no line end after the last line
  SetText(t);
}

void TMemo::AddLine(const std::wstring& line) {
  if (!HandleAllocated()) {
    TStringList l = Lines();
    l.Add(line);
    SetLines(l);
    return;
  }
  HWND wnd = Handle();
  const int len = GetWindowTextLengthW(wnd);
  const std::wstring add = (len > 0 ? L"\r\n" : L"") + line;
  SendMessageW(wnd, EM_SETSEL, WPARAM(len), LPARAM(len));
  SendMessageW(wnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(add.c_str()));
  SendMessageW(wnd, EM_SCROLLCARET, 0, 0);
  text_ = GetText();
}

bool TMemo::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "ScrollBars") {
    const auto& s = v.AsIdentifier();
    scrollBars_ = s == L"ssVertical" ? TScrollStyle::ssVertical : s == L"ssHorizontal" ? TScrollStyle::ssHorizontal
                  : s == L"ssBoth" ? TScrollStyle::ssBoth : s == L"ssNone" ? TScrollStyle::ssNone
                  : throw ELayoutError("unknown scroll style");
  } else if (name == "WordWrap") wordWrap_ = v.AsBoolean();
  else if (name == "WantTabs") wantTabs_ = v.AsBoolean();
  else if (name == "Lines.Strings") {
    TStringList l;
    for (const auto& s : v.items) l.Add(s);
    SetLines(l);
  } else return TCustomEdit::SetProperty(name, v, ctx);
  return true;
}
