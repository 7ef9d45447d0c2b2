#include "framework/Edits.h"

void TColoredWinControl::WndProc(TMessage& m) {
  if (m.Msg == FN_CTLCOLOR) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, ToColorRef(Font().Color()));
    SetBkColor(dc, ToColorRef(Color()));
    if (!brush_ || brushColor_ != Color()) {
      brush_.reset(CreateSolidBrush(ToColorRef(Color())));
      brushColor_ = Color();
    }
    m.Result = reinterpret_cast<LRESULT>(brush_.get());
    return;
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
  else if (name == "Lines.Strings") {
    TStringList l;
    for (const auto& s : v.items) l.Add(s);
    SetLines(l);
  } else return TCustomEdit::SetProperty(name, v, ctx);
  return true;
}

TComboBox::TComboBox(TComponent* owner) : TColoredWinControl(owner) {
  SetBoundsFields(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
}

void TComboBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.WinClassName = L"COMBOBOX";
  p.OwnClass = false;
  p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL |
             (style_ == TComboBoxStyle::csDropDownList ? CBS_DROPDOWNLIST : style_ == TComboBoxStyle::csSimple ? CBS_SIMPLE : CBS_DROPDOWN);
  p.Height = 200;  // the drop-down list's room; the platform sizes the closed box itself
}

void TComboBox::CreateWindowHandle(const TCreateParams& p) {
  const std::wstring text = text_;
  TColoredWinControl::CreateWindowHandle(p);
  for (const auto& s : items_) SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
  if (itemIndex_ >= 0) SendMessageW(Handle(), CB_SETCURSEL, WPARAM(itemIndex_), 0);
  else SetWindowTextW(Handle(), text.c_str());
}

void TComboBox::SetItems(const TStringList& items) {
  items_ = items;
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
  for (const auto& s : items_) SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
}

int TComboBox::ItemIndex() const {
  if (!HandleAllocated()) return itemIndex_;
  return int(SendMessageW(const_cast<TComboBox*>(this)->Handle(), CB_GETCURSEL, 0, 0));
}

void TComboBox::SetItemIndex(int i) {
  itemIndex_ = i;
  if (i >= 0 && i < items_.Count()) text_ = items_[i];
  if (HandleAllocated()) SendMessageW(Handle(), CB_SETCURSEL, WPARAM(i), 0);
}

void TComboBox::WndProc(TMessage& m) {
  if (m.Msg == FN_COMMAND && (HIWORD(m.WParam) == CBN_EDITCHANGE || HIWORD(m.WParam) == CBN_SELCHANGE)) {
    if (OnChange) OnChange(this);
    return;
  }
  TColoredWinControl::WndProc(m);
}

bool TComboBox::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "Items.Strings") {
    TStringList l;
    for (const auto& s : v.items) l.Add(s);
    SetItems(l);
  } else if (name == "ItemIndex") SetItemIndex(int(v.AsInteger()));
  else if (name == "Style") {
    const auto& s = v.AsIdentifier();
    style_ = s == L"csDropDownList" ? TComboBoxStyle::csDropDownList : s == L"csSimple" ? TComboBoxStyle::csSimple : TComboBoxStyle::csDropDown;
  } else if (name == "OnChange") OnChange = ctx.MethodAs<TNotifyEvent>(v.AsIdentifier());
  else return TColoredWinControl::SetProperty(name, v, ctx);
  return true;
}
