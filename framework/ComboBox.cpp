// The combo box's properties, kept while no window exists and applied to each window made; its
// items, its notifications and its owner-drawn items. (Its edit field, focus and pointer:
// ComboBoxField.cpp.)
#include "framework/Edits.h"

#include <commctrl.h>

#include <array>
#include <utility>

namespace {

constexpr std::array<const wchar_t*, 5> kStyleNames{L"csDropDown", L"csSimple", L"csDropDownList", L"csOwnerDrawFixed",
                                                    L"csOwnerDrawVariable"};
constexpr std::array<const wchar_t*, 3> kCharCaseNames{L"ecNormal", L"ecUpperCase", L"ecLowerCase"};

// An enumeration value by its layout name; the names are in the order of the values.
template <typename E, std::size_t N>
E FromLayoutName(const TLayoutValue& v, const std::array<const wchar_t*, N>& names, const char* error) {
  const std::wstring& s = v.AsIdentifier();
  for (std::size_t i = 0; i < N; ++i)
    if (s == names[i]) return E(i);
  throw ELayoutError(error);
}

// The owner-drawn styles are selection lists: the field shows the drawn item, nothing to type in.
DWORD StyleBits(TComboBoxStyle style) {
  switch (style) {
    case TComboBoxStyle::csSimple:
      return CBS_SIMPLE;
    case TComboBoxStyle::csDropDownList:
      return CBS_DROPDOWNLIST;
    case TComboBoxStyle::csOwnerDrawFixed:
      return CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED;
    case TComboBoxStyle::csOwnerDrawVariable:
      return CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE;
    case TComboBoxStyle::csDropDown:
      break;
  }
  return CBS_DROPDOWN;
}

COMBOBOXINFO InfoOf(HWND wnd) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof(info);
  if (!wnd || !GetComboBoxInfo(wnd, &info)) return COMBOBOXINFO{};
  return info;
}

}  // namespace

TComboBox::TComboBox(TComponent* owner) : TColoredWinControl(owner) {
  SetBoundsFields(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
}

// The field's procedure calls this object: it must not outlive it.
TComboBox::~TComboBox() { DetachField(); }

void TComboBox::CreateParams(TCreateParams& p) {
  TColoredWinControl::CreateParams(p);
  p.WinClassName = L"COMBOBOX";
  p.OwnClass = false;
  p.Style |= WS_VSCROLL | CBS_AUTOHSCROLL | StyleBits(style_);
  if (sorted_) p.Style |= CBS_SORT;
  if (charCase_ == TEditCharCase::ecUpperCase) p.Style |= CBS_UPPERCASE;
  if (charCase_ == TEditCharCase::ecLowerCase) p.Style |= CBS_LOWERCASE;
  // The platform takes a drop-down combo box's window height as the room for the closed box and
  // its open list together, and sizes the closed box itself; a later move keeps that room.
  // (Common controls 6 size the list by CB_SETMINVISIBLE instead.)
  if (style_ != TComboBoxStyle::csSimple) p.Height = Height() + ItemHeight() * dropDownCount_ + 2;
}

void TComboBox::FinishCreateParams(TCreateParams& p) {
  // An owner-drawn list without CBS_HASSTRINGS keeps a number per item instead of its text:
  // CB_GETLBTEXT would answer that number, and searching and sorting would compare numbers. A
  // derived class may make any style owner-drawn; the texts are kept whatever made it so.
  if (p.Style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) p.Style |= CBS_HASSTRINGS;
  TColoredWinControl::FinishCreateParams(p);
}

void TComboBox::CreateWindowHandle(const TCreateParams& p) {
  const std::wstring text = text_;
  TColoredWinControl::CreateWindowHandle(p);
  const HWND wnd = Wnd();
  AttachField(EditHandle());
  AddItemsToWindow();
  SendMessageW(wnd, CB_SETMINVISIBLE, WPARAM(dropDownCount_), 0);
  SendMessageW(wnd, CB_LIMITTEXT, WPARAM(maxLength_), 0);
  if (!textHint_.empty()) ApplyTextHint();
  if (itemHeightSet_ && !OwnerDrawn()) SendMessageW(wnd, CB_SETITEMHEIGHT, 0, itemHeight_);
  // What the previous window held: the selection, then a text typed over it or without one.
  if (itemIndex_ >= 0 && itemIndex_ < items_.Count()) SendMessageW(wnd, CB_SETCURSEL, WPARAM(itemIndex_), 0);
  if (GetText() != text) SetWindowTextW(wnd, text.c_str());
}

void TComboBox::DestroyWnd() {
  if (const HWND wnd = Wnd()) {
    itemIndex_ = int(SendMessageW(wnd, CB_GETCURSEL, 0, 0));  // CB_ERR: none
    text_ = GetText();
  }
  TColoredWinControl::DestroyWnd();
  FollowFocus();  // a window gone took the focus with it
}

void TComboBox::AddItemsToWindow() {
  const HWND wnd = Wnd();
  for (const auto& s : items_) SendMessageW(wnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()));
  if (sorted_ || charCase_ != TEditCharCase::ecNormal) ReadItemsFromWindow();
}

void TComboBox::ReadItemsFromWindow() {
  const HWND wnd = Wnd();
  TStringList items;
  const int count = int(SendMessageW(wnd, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    const LRESULT length = SendMessageW(wnd, CB_GETLBTEXTLEN, WPARAM(i), 0);
    std::wstring s(length > 0 ? std::size_t(length) + 1 : 1, L'\0');
    const LRESULT got = length > 0 ? SendMessageW(wnd, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(s.data())) : 0;
    s.resize(got > 0 ? std::size_t(got) : 0);
    items.Add(std::move(s));
  }
  items_ = items;
}

void TComboBox::SetItems(const TStringList& items) {
  items_ = items;
  if (const HWND wnd = Wnd()) {
    SendMessageW(wnd, CB_RESETCONTENT, 0, 0);
    AddItemsToWindow();
  }
}

int TComboBox::ItemIndex() const {
  if (const HWND wnd = Wnd()) return int(SendMessageW(wnd, CB_GETCURSEL, 0, 0));
  return itemIndex_;
}

void TComboBox::SetItemIndex(int i) {
  itemIndex_ = i;
  if (i >= 0 && i < items_.Count()) text_ = items_[i];
  if (const HWND wnd = Wnd()) SendMessageW(wnd, CB_SETCURSEL, WPARAM(i), 0);
}

std::wstring TComboBox::GetText() const {
  // The platform shows the item selected by the user only after telling of it: the handlers of
  // the selection read the new text already.
  if (selecting_)
    if (const int i = ItemIndex(); i >= 0 && i < items_.Count()) return items_[i];
  return TColoredWinControl::GetText();
}

void TComboBox::SetStyle(TComboBoxStyle value) {
  if (value == style_) return;
  style_ = value;
  RecreateWnd();
}

void TComboBox::SetSorted(bool value) {
  if (value == sorted_) return;
  sorted_ = value;
  RecreateWnd();
}

void TComboBox::SetCharCase(TEditCharCase value) {
  if (value == charCase_) return;
  charCase_ = value;
  RecreateWnd();
}

void TComboBox::SetDropDownCount(int value) {
  if (value < 1 || value == dropDownCount_) return;
  dropDownCount_ = value;
  if (const HWND wnd = Wnd()) SendMessageW(wnd, CB_SETMINVISIBLE, WPARAM(value), 0);
}

int TComboBox::ItemHeight() const {
  if (OwnerDrawn() || !HandleAllocated()) return itemHeight_;
  return int(SendMessageW(Wnd(), CB_GETITEMHEIGHT, 0, 0));
}

// A variable list measures each item as it is added: the new height serves the next window.
void TComboBox::SetItemHeight(int value) {
  if (value <= 0) return;
  itemHeight_ = value;
  itemHeightSet_ = true;
  if (style_ != TComboBoxStyle::csOwnerDrawVariable)
    if (const HWND wnd = Wnd()) SendMessageW(wnd, CB_SETITEMHEIGHT, 0, value);
}

void TComboBox::SetMaxLength(int value) {
  maxLength_ = value;
  if (const HWND wnd = Wnd()) SendMessageW(wnd, CB_LIMITTEXT, WPARAM(value), 0);
}

void TComboBox::SetTextHint(const std::wstring& value) {
  textHint_ = value;
  if (HandleAllocated()) ApplyTextHint();
}

// Some platforms' combo boxes (Wine's) answer CB_SETCUEBANNER with 0 and show nothing; their
// field still shows a hint of its own.
void TComboBox::ApplyTextHint() {
  const auto text = reinterpret_cast<LPARAM>(textHint_.c_str());
  if (SendMessageW(Wnd(), CB_SETCUEBANNER, 0, text) != 1)
    if (const HWND field = EditHandle()) SendMessageW(field, EM_SETCUEBANNER, FALSE, text);
}

bool TComboBox::DroppedDown() const {
  const HWND wnd = Wnd();
  return wnd && SendMessageW(wnd, CB_GETDROPPEDSTATE, 0, 0);
}

void TComboBox::SetDroppedDown(bool value) {
  if (const HWND wnd = Wnd()) SendMessageW(wnd, CB_SHOWDROPDOWN, value, 0);
}

HWND TComboBox::EditHandle() const {
  const HWND wnd = Wnd();
  const HWND item = InfoOf(wnd).hwndItem;
  return item != wnd ? item : nullptr;  // some platforms name the box itself for a selection list
}

HWND TComboBox::ListHandle() const { return InfoOf(Wnd()).hwndList; }

bool TComboBox::OwnsWindow(HWND wnd) const { return TColoredWinControl::OwnsWindow(wnd) || (wnd && wnd == ListHandle()); }

void TComboBox::DrawItemRequest(const DRAWITEMSTRUCT& item) {
  struct TRestore {
    TCanvas& canvas;
    HDC dc;
    ~TRestore() { canvas.SetHandle(dc); }
  } restore{canvas_, canvas_.Handle()};
  canvas_.SetHandle(item.hDC);
  if (!canvas_.Font.SameAs(Font())) canvas_.Font = Font();
  const RECT& r = item.rcItem;
  DrawItem(int(item.itemID), {r.left, r.top, r.right, r.bottom}, item.itemState & 0xFFFF);
}

void TComboBox::DrawItem(int index, const TRect& rect, unsigned state) {
  const bool isItem = index >= 0 && index < items_.Count();
  const bool selected = state & ODS_SELECTED;
  canvas_.BrushColor = selected ? clHighlight : Color();
  canvas_.Font.SetColor(selected ? clHighlightText : Font().Color());
  if (OnDrawItem && isItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  canvas_.FillRect(rect);
  if (isItem) {
    TRect text{rect.Left + 2, rect.Top, rect.Right - 2, rect.Bottom};
    canvas_.BrushClear = true;
    canvas_.DrawText(items_[index], text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
    canvas_.BrushClear = false;
  }
  if ((state & ODS_FOCUS) && !(state & ODS_NOFOCUSRECT)) {
    const RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
    DrawFocusRect(canvas_.Handle(), &r);
  }
}

void TComboBox::MeasureItemRequest(MEASUREITEMSTRUCT& item) {
  int height = int(item.itemHeight);
  MeasureItem(int(item.itemID), height);
  if (height > 0) item.itemHeight = UINT(height);
}

void TComboBox::MeasureItem(int index, int& height) {
  height = ItemHeight();
  if (OnMeasureItem) OnMeasureItem(this, index, height);
}

// The notices of the platform's box, reflected by the parent. Those not handled here go on to
// the base, so that nothing a derived class or a hook may follow is swallowed.
bool TComboBox::Command(WORD code) {
  switch (code) {
    case CBN_EDITCHANGE:
      if (OnChange) OnChange(this);
      return true;
    case CBN_SELCHANGE: {
      struct TSelecting {
        bool& flag;
        bool was = std::exchange(flag, true);
        ~TSelecting() { flag = was; }
      } selecting{selecting_};
      const auto alive = Liveness();
      if (OnSelect) OnSelect(this);
      if (*alive && OnChange) OnChange(this);
      return true;
    }
    case CBN_DROPDOWN:
      droppedIndex_ = ItemIndex();
      if (OnDropDown) OnDropDown(this);
      return true;
    case CBN_SELENDCANCEL:
      // The list closed without a choice (Escape, a click elsewhere): the selection the arrows
      // moved while it was open goes back, as the user expects. Not every platform does this.
      if (droppedIndex_ >= 0 && ItemIndex() != droppedIndex_) {
        SetItemIndex(std::exchange(droppedIndex_, -1));
        if (OnChange) OnChange(this);
      }
      return false;
    case CBN_CLOSEUP: {
      const auto alive = Liveness();
      if (OnCloseUp) OnCloseUp(this);
      // While open the list held the mouse: nobody saw the pointer leave.
      if (*alive && (ControlState() & csMouseOver) && !PointerStillOver()) Perform(FN_MOUSELEAVE);
      return true;
    }
    case CBN_SETFOCUS:
    case CBN_KILLFOCUS:
      FollowFocus();
      return true;
    case CBN_DBLCLK:
      if (OnDblClick) OnDblClick(this);
      return true;
    default:
      return false;
  }
}

void TComboBox::WndProc(TMessage& m) {
  switch (m.Msg) {
    case FN_COMMAND:
      if (Command(HIWORD(m.WParam))) {
        m.Result = 0;
        return;
      }
      break;
    case FN_DRAWITEM:
      DrawItemRequest(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
      m.Result = TRUE;
      return;
    case FN_MEASUREITEM:
      MeasureItemRequest(*reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam));
      m.Result = TRUE;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // The box hands the focus on to its field as it gets it: entering and leaving are told from
      // where the focus ends up, not for each of the control's windows.
      DefaultHandler(m);
      FollowFocus();
      return;
    case WM_CHAR:
      if (autoDropDown_ && !HasField() && m.WParam >= 0x20 && !DroppedDown()) SetDroppedDown(true);
      break;
    case WM_LBUTTONDBLCLK: {
      const auto alive = Liveness();
      TColoredWinControl::WndProc(m);
      if (*alive && OnDblClick) OnDblClick(this);
      return;
    }
    default:
      break;
  }
  TColoredWinControl::WndProc(m);
}

bool TComboBox::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  static const std::pair<const char*, TNotifyEvent TComboBox::*> kNotifyEvents[] = {
      {"OnChange", &TComboBox::OnChange},     {"OnSelect", &TComboBox::OnSelect},   {"OnDropDown", &TComboBox::OnDropDown},
      {"OnCloseUp", &TComboBox::OnCloseUp}, {"OnDblClick", &TComboBox::OnDblClick}};
  for (const auto& [event, member] : kNotifyEvents)
    if (name == event) {
      this->*member = ctx.MethodAs<TNotifyEvent>(v.AsIdentifier());
      return true;
    }
  if (name == "Items.Strings") {
    TStringList l;
    for (const auto& s : v.items) l.Add(s);
    SetItems(l);
  } else if (name == "ItemIndex") SetItemIndex(int(v.AsInteger()));
  else if (name == "Style") SetStyle(FromLayoutName<TComboBoxStyle>(v, kStyleNames, "unknown combo box style"));
  else if (name == "DropDownCount") SetDropDownCount(int(v.AsInteger()));
  else if (name == "ItemHeight") SetItemHeight(int(v.AsInteger()));
  else if (name == "Sorted") SetSorted(v.AsBoolean());
  else if (name == "CharCase") SetCharCase(FromLayoutName<TEditCharCase>(v, kCharCaseNames, "unknown character case"));
  else if (name == "MaxLength") SetMaxLength(int(v.AsInteger()));
  else if (name == "TextHint") SetTextHint(v.AsString());
  else if (name == "AutoComplete") autoComplete_ = v.AsBoolean();
  else if (name == "AutoDropDown") autoDropDown_ = v.AsBoolean();
  else if (name == "AutoCloseUp") autoCloseUp_ = v.AsBoolean();
  else if (name == "AutoCompleteDelay") autoCompleteDelay_ = int(v.AsInteger());
  else if (name == "OnDrawItem") OnDrawItem = ctx.MethodAs<TDrawItemEvent>(v.AsIdentifier());
  else if (name == "OnMeasureItem") OnMeasureItem = ctx.MethodAs<TMeasureItemEvent>(v.AsIdentifier());
  else return TColoredWinControl::SetProperty(name, v, ctx);
  return true;
}
