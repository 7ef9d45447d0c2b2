// The combo box over the platform's windows it is made of: styles, properties, re-creation,
// owner-drawn items, colours, completion, notifications, and real focus and pointer moves.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "../skin/paint/PumpUtil.h"
#include "framework/Buttons.h"
#include "framework/Edits.h"
#include "framework/Form.h"
#include "framework/LayoutReader.h"

namespace {

using enum TComboBoxStyle;
using pumptest::PumpPending;
constexpr COLORREF kRed = RGB(255, 0, 0);

TLayoutValue Value(const wchar_t* text, TLayoutValue::Kind kind = TLayoutValue::Kind::Identifier, int number = 0) {
  TLayoutValue v;
  v.kind = kind;
  v.text = text;
  v.integer = number;
  return v;
}

// Counts the notifications, the box's own mouse messages and the field's messages.
struct TProbe : TComboBox {
  using TComboBox::TComboBox;
  std::vector<UINT> seen, field;
  int Count(UINT msg, bool inField = false) const {
    const auto& v = inField ? field : seen;
    return int(std::count(v.begin(), v.end(), msg));
  }
  void WndProc(TMessage& m) override {
    if ((m.Msg > FN_BASE && m.Msg < FN_LAST) || m.Msg == WM_MOUSEMOVE || m.Msg == WM_MOUSELEAVE) seen.push_back(m.Msg);
    TComboBox::WndProc(m);
  }
  void EditWndProc(TMessage& m) override {
    field.push_back(m.Msg);
    TComboBox::EditWndProc(m);
  }
};

// A shown form with an edit, the combo box and an edit, in that tab order.
struct Bed {
  TForm form{nullptr};
  TPublishedMethods methods;
  TEdit* before = Place(new TEdit(&form), 10);
  TEdit* after = Place(new TEdit(&form), 200);
  TProbe* combo = new TProbe(&form);
  explicit Bed(TComboBoxStyle style = csDropDown, std::vector<std::wstring> items = {L"Alpha", L"Beta", L"Gamma"}) {
    form.SetBounds(100, 100, 400, 300);
    combo->SetStyle(style);
    combo->SetItems(List(items));
    before->SetTabOrder(0);
    combo->SetTabOrder(1);
    Place(combo, 60);
    form.Show();
    SetForegroundWindow(form.Handle());
    PumpPending();
  }
  static TStringList List(const std::vector<std::wstring>& items) {
    TStringList l;
    for (const auto& s : items) l.Add(s);
    return l;
  }
  template <class T>
  T* Place(T* c, int top) {
    c->SetParent(&form);
    c->SetBounds(20, top, 150, 21);
    return c;
  }
  void Tab() {
    MSG msg{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
    IsDialogMessageW(form.Handle(), &msg);
    PumpPending();
  }
};

}  // namespace

// Each style of the layout makes its kind of window; an owner-drawn list keeps the texts of its
// items (CBS_HASSTRINGS), also when a derived class makes a style owner-drawn on its own.
TEST(ComboBox, EachStyleMakesItsWindowAndKeepsItemTexts) {
  struct TOwnerDrawnDropDown : TComboBox {
    using TComboBox::TComboBox;
    void CreateParams(TCreateParams& p) override {
      TComboBox::CreateParams(p);
      p.Style |= CBS_OWNERDRAWFIXED;
    }
  };
  struct Row {
    const wchar_t* name;  // none: the derived control
    DWORD kind, ownerDraw;
    bool field;
  } rows[] = {{L"csDropDown", CBS_DROPDOWN, 0, true},
              {L"csSimple", CBS_SIMPLE, 0, true},
              {L"csDropDownList", CBS_DROPDOWNLIST, 0, false},
              {L"csOwnerDrawFixed", CBS_DROPDOWNLIST, CBS_OWNERDRAWFIXED, false},
              {L"csOwnerDrawVariable", CBS_DROPDOWNLIST, CBS_OWNERDRAWVARIABLE, false},
              {L"", CBS_DROPDOWN, CBS_OWNERDRAWFIXED, true}};
  Bed bed;
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.name);
    TComboBox* c = *r.name ? new TComboBox(&bed.form) : new TOwnerDrawnDropDown(&bed.form);
    ASSERT_TRUE(!*r.name || c->SetProperty("Style", Value(r.name), bed.methods));
    c->SetItems(bed.combo->Items());
    c->SetParent(&bed.form);
    const DWORD style = DWORD(GetWindowLongW(c->Handle(), GWL_STYLE));
    EXPECT_EQ(style & 3, r.kind);
    EXPECT_EQ(style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS), r.ownerDraw ? r.ownerDraw | CBS_HASSTRINGS : 0);
    wchar_t text[16] = {};
    if (SendMessageW(c->Handle(), CB_GETLBTEXTLEN, 1, 0) < 16) SendMessageW(c->Handle(), CB_GETLBTEXT, 1, LPARAM(text));
    EXPECT_STREQ(text, L"Beta");
    EXPECT_EQ(c->EditHandle() != nullptr, r.field);
    delete c;
  }
  EXPECT_THROW(bed.combo->SetProperty("Style", Value(L"csOwnerDraw"), bed.methods), ELayoutError);
  EXPECT_THROW(bed.combo->SetProperty("CharCase", Value(L"ecTitleCase"), bed.methods), ELayoutError);
}

// The layout's properties reach the window when it is made; sorting and letter case are the
// window's, and the items follow them.
TEST(ComboBox, LayoutPropertiesReachTheWindow) {
  Bed bed;
  TComboBox c(&bed.form);
  c.SetItems(Bed::List({L"beta", L"Alpha"}));
  using enum TLayoutValue::Kind;
  for (const auto& [name, value] : {std::pair{"Sorted", Value(L"True")}, {"CharCase", Value(L"ecUpperCase")},
                                    {"TextHint", Value(L"Choose", String)}, {"DropDownCount", Value(L"", Integer, 20)},
                                    {"MaxLength", Value(L"", Integer, 4)}})
    ASSERT_TRUE(c.SetProperty(name, value, bed.methods)) << name;
  c.SetParent(&bed.form);
  const HWND wnd = c.Handle();
  EXPECT_EQ(SendMessageW(wnd, CB_GETMINVISIBLE, 0, 0), 20);
  EXPECT_EQ(SendMessageW(c.EditHandle(), EM_GETLIMITTEXT, 0, 0), 4);
  EXPECT_EQ(c.Items()[0], L"ALPHA");
  EXPECT_EQ(c.Items()[1], L"BETA");
  wchar_t hint[16] = {};
  SendMessageW(c.EditHandle(), EM_GETCUEBANNER, WPARAM(hint), 16);
  EXPECT_STREQ(hint, L"Choose");
  // Made with room for the open list (where the list does not size itself by its items).
  RECT list{};
  SendMessageW(wnd, CB_GETDROPPEDCONTROLRECT, 0, LPARAM(&list));
  EXPECT_GE(list.bottom - list.top, c.ItemHeight() * 20);
}

// A window made anew keeps what the user left in the old one: a selection made in the window
// (not through SetItemIndex), or a text typed over the stored selection.
TEST(ComboBox, RecreationKeepsSelectionAndTypedText) {
  struct Row {
    TComboBoxStyle style;
    int select;
    const wchar_t* typed;
  } rows[] = {{csDropDown, 2, nullptr}, {csDropDown, -1, L"typed"}, {csSimple, -1, L"typed"}, {csOwnerDrawFixed, 2, nullptr}};
  for (const Row& r : rows) {
    SCOPED_TRACE(int(r.style));
    Bed bed(r.style);
    TComboBox* c = bed.combo;
    c->SetItemIndex(0);
    if (r.select >= 0) SendMessageW(c->Handle(), CB_SETCURSEL, WPARAM(r.select), 0);
    if (r.typed) SetWindowTextW(c->EditHandle(), r.typed);
    const int index = c->ItemIndex();
    const std::wstring text = c->GetText();
    ASSERT_EQ(text, r.typed ? r.typed : L"Gamma");
    c->RecreateWnd();
    EXPECT_EQ(c->ItemIndex(), index);
    EXPECT_EQ(c->GetText(), text);
  }
}

// The owner-drawn list's requests reach the control, those sent while the window is being made
// among them: a fixed list takes ItemHeight, a variable one each item's measured height; the
// field is drawn through OnDrawItem on the control's canvas.
TEST(ComboBox, OwnerDrawnRequestsReachTheControl) {
  Bed bed;
  for (const TComboBoxStyle style : {csOwnerDrawFixed, csOwnerDrawVariable}) {
    SCOPED_TRACE(int(style));
    TComboBox c(&bed.form);
    c.SetStyle(style);
    c.SetItems(bed.combo->Items());
    c.SetItemHeight(30);
    c.SetItemIndex(1);
    std::vector<int> measured, drawn;
    c.OnMeasureItem = [&](TWinControl*, int index, int& height) {
      measured.push_back(index);
      height += std::max(index, 0);
    };
    c.OnDrawItem = [&](TWinControl*, int index, const TRect&, unsigned state) {
      if ((state & ODS_COMBOBOXEDIT) && c.Canvas().Handle()) drawn.push_back(index);
    };
    c.SetParent(&bed.form);
    const HWND wnd = c.Handle();
    EXPECT_NE(std::find(measured.begin(), measured.end(), -1), measured.end());  // the field
    for (int i = 0; i < 3; ++i) EXPECT_EQ(SendMessageW(wnd, CB_GETITEMHEIGHT, i, 0), style == csOwnerDrawFixed ? 30 : 30 + i) << i;
    InvalidateRect(wnd, nullptr, TRUE);
    UpdateWindow(wnd);
    EXPECT_FALSE(drawn.empty());
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), 1), std::ptrdiff_t(drawn.size()));
    EXPECT_EQ(c.Canvas().Handle(), nullptr);
  }
}

// The field and the list ask the box for their colours and get the control's, after a change
// too; and the framework's notifications, which carry pointers, are refused as window messages
// from any sender (also by a button, which shares the path).
TEST(ComboBox, InnerWindowsTakeTheColourAndNotificationsStayInside) {
  for (const TComboBoxStyle style : {csDropDown, csSimple}) {
    SCOPED_TRACE(int(style));
    Bed bed(style);
    bed.combo->SetColor(RGBColor(255, 0, 0));
    const HWND field = bed.combo->EditHandle();
    HDC dc = GetDC(field);
    for (const auto& [msg, from] : {std::pair{WM_CTLCOLOREDIT, field}, {WM_CTLCOLORLISTBOX, bed.combo->ListHandle()}}) {
      LOGBRUSH brush{};
      ASSERT_TRUE(GetObjectW(HBRUSH(SendMessageW(bed.combo->Handle(), msg, WPARAM(dc), LPARAM(from))), sizeof(brush), &brush));
      EXPECT_EQ(brush.lbColor, kRed) << msg;
    }
    UpdateWindow(bed.form.Handle());
    RECT r;
    GetClientRect(field, &r);
    EXPECT_EQ(GetPixel(dc, r.right - 2, r.bottom / 2), kRed);  // past the text
    ReleaseDC(field, dc);

    auto* button = bed.Place(new TButton(&bed.form), 120);
    bed.combo->seen.clear();
    for (const HWND wnd : {bed.combo->Handle(), button->Handle()})
      for (const UINT msg : {FN_DRAWITEM, FN_MEASUREITEM, FN_CTLCOLOR, FN_COMMAND}) EXPECT_EQ(SendMessageW(wnd, msg, 1, 0x10), 0) << msg;
    EXPECT_TRUE(bed.combo->seen.empty());
  }
}

// Typing at the end of the field completes the text with the first item that begins with it and
// selects the completed part; Backspace and Delete ('\1') complete nothing, nor does an unknown
// start.
TEST(ComboBox, TypingCompletesTheText) {
  struct Row {
    const wchar_t* keys;
    bool autoComplete;
    const wchar_t* text;
    DWORD selStart, selEnd;
  } rows[] = {{L"e", true, L"Eagle", 1, 5}, {L"ear", true, L"Earth", 3, 5}, {L"e\b", true, L"E", 1, 1},
              {L"e\1", true, L"E", 1, 1},   {L"x", true, L"x", 1, 1},       {L"e", false, L"e", 1, 1}};
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << r.keys << " " << r.autoComplete);
    Bed bed(csDropDown, {L"Ant", L"Eagle", L"Earth"});
    bed.combo->SetAutoComplete(r.autoComplete);
    const HWND field = bed.combo->EditHandle();
    for (const wchar_t* k = r.keys; *k; ++k) SendMessageW(field, *k == L'\1' ? WM_KEYDOWN : WM_CHAR, *k == L'\1' ? VK_DELETE : *k, 0);
    EXPECT_EQ(bed.combo->GetText(), r.text);
    DWORD start = 0, end = 0;
    SendMessageW(field, EM_GETSEL, WPARAM(&start), LPARAM(&end));
    EXPECT_EQ(start, r.selStart);
    EXPECT_EQ(end, r.selEnd);
  }
}

// A selection by the user is told as OnSelect, then OnChange, whose handlers read the new text
// already (the field shows it only afterwards); the list opening and closing and a double click
// in the field are told too.
TEST(ComboBox, SelectionListAndDoubleClickEvents) {
  Bed bed;
  TComboBox* c = bed.combo;
  c->SetItemIndex(0);
  std::vector<std::wstring> log;
  auto note = [&](const wchar_t* what, bool text = false) { return [&, what, text](TObject*) { log.push_back(what + (text ? c->GetText() : L"")); }; };
  c->OnSelect = note(L"select ", true);
  c->OnChange = note(L"change ", true);
  c->OnDropDown = note(L"drop down");
  c->OnCloseUp = note(L"close up");
  c->OnDblClick = note(L"double click");
  SendMessageW(c->EditHandle(), WM_KEYDOWN, VK_DOWN, 0);
  c->SetDroppedDown(true);
  EXPECT_TRUE(c->DroppedDown());
  c->SetDroppedDown(false);
  SendMessageW(c->EditHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(log, (std::vector<std::wstring>{L"select Beta", L"change Beta", L"drop down", L"close up", L"double click"}));
}

// Tab into the combo box and on: focus enters the control once and leaves it once, however the
// platform passes it between the box and its field; in between the control has the focus.
TEST(ComboBox, TabInAndOutEntersAndExitsOnce) {
  for (const TComboBoxStyle style : {csDropDown, csSimple, csDropDownList}) {
    SCOPED_TRACE(int(style));
    Bed bed(style);
    bed.before->SetFocus();
    for (const auto& [combo, entered, exited] : {std::tuple{true, 1, 0}, {false, 1, 1}}) {
      bed.Tab();
      EXPECT_EQ(bed.combo->Focused(), combo);
      EXPECT_EQ(bed.after->Focused(), !combo);
      EXPECT_EQ(bed.combo->Count(FN_FOCUSENTER), entered);
      EXPECT_EQ(bed.combo->Count(FN_FOCUSEXIT), exited);
    }
  }
}

// The pointer moving over the box and its field, in any order, enters the control once; each of
// its windows sees the pointer come and go, but only moving off the control leaves it.
TEST(ComboBox, PointerOverBoxAndFieldEntersAndLeavesOnce) {
  for (const std::wstring path : {L"bf", L"f", L"fb", L"bfb"}) {  // b: the box's button, f: the field
    SCOPED_TRACE(testing::Message() << path);
    Bed bed;
    TProbe& c = *bed.combo;
    const TPoint outside = bed.form.ClientToScreen({250, 150});
    SetCursorPos(outside.X, outside.Y);
    PumpPending();
    c.seen.clear();
    RECT box, field;
    GetWindowRect(c.Handle(), &box);
    GetWindowRect(c.EditHandle(), &field);
    // Each step waits for the move over the new window and for the last one's leave notice.
    for (std::size_t i = 0; i < path.size(); ++i) {
      const bool inField = path[i] == L'f', lastInField = i && path[i - 1] == L'f';
      const int moves = c.Count(WM_MOUSEMOVE, inField), leaves = c.Count(WM_MOUSELEAVE, lastInField);
      if (inField) SetCursorPos((field.left + field.right) / 2, (field.top + field.bottom) / 2);
      else SetCursorPos(box.right - 4, (box.top + box.bottom) / 2);
      pumptest::Pump([&] { return c.Count(WM_MOUSEMOVE, inField) > moves && (!i || c.Count(WM_MOUSELEAVE, lastInField) > leaves); });
      PumpPending();
      EXPECT_TRUE(c.MouseInControl());
      EXPECT_EQ(c.Count(FN_MOUSEENTER), 1);
      EXPECT_EQ(c.Count(FN_MOUSELEAVE), 0);
    }
    SetCursorPos(outside.X, outside.Y);
    pumptest::Pump([&] { return c.Count(FN_MOUSELEAVE) > 0; });
    PumpPending();
    EXPECT_FALSE(c.MouseInControl());
    EXPECT_EQ(c.Count(FN_MOUSEENTER), 1);
    EXPECT_EQ(c.Count(FN_MOUSELEAVE), 1);
  }
}
