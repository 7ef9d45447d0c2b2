// The combo box over the platform's window: styles, properties, re-creation, owner-drawn items,
// colours of its inner windows, completion and its notifications.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/Buttons.h"
#include "framework/Edits.h"
#include "framework/Form.h"
#include "framework/LayoutReader.h"

namespace {

using enum TComboBoxStyle;
constexpr COLORREF kRed = RGB(255, 0, 0);

TLayoutValue Value(const wchar_t* identifier) {
  TLayoutValue v;
  v.kind = TLayoutValue::Kind::Identifier;
  v.text = identifier;
  return v;
}

TLayoutValue Value(std::int64_t n) {
  TLayoutValue v;
  v.integer = n;
  return v;
}

TStringList Items(std::initializer_list<const wchar_t*> texts) {
  TStringList l;
  for (const wchar_t* s : texts) l.Add(s);
  return l;
}

std::wstring ListText(HWND wnd, int i) {
  wchar_t text[64] = {};
  if (SendMessageW(wnd, CB_GETLBTEXTLEN, WPARAM(i), 0) >= 64) return L"(too long)";
  SendMessageW(wnd, CB_GETLBTEXT, WPARAM(i), reinterpret_cast<LPARAM>(text));
  return text;
}

DWORD StyleOf(HWND wnd) { return DWORD(GetWindowLongW(wnd, GWL_STYLE)); }

struct Bed {
  TForm form{nullptr};
  TPublishedMethods methods;
  Bed() {
    form.SetClientSize(400, 300);
    form.Show();
  }
  // A combo box with three items, made in the given style.
  TComboBox* Add(TComboBoxStyle style, std::initializer_list<const wchar_t*> items = {L"Alpha", L"Beta", L"Gamma"}) {
    auto* c = new TComboBox(&form);
    c->SetStyle(style);
    c->SetItems(Items(items));
    c->SetBounds(10, 10, 150, 21);
    c->SetParent(&form);
    c->HandleNeeded();
    return c;
  }
};

}  // namespace

// Each style of the layout makes its kind of window; an owner-drawn list keeps the texts of its
// items (CBS_HASSTRINGS), also when a derived class makes a style owner-drawn on its own.
TEST(ComboBox, EachStyleMakesItsWindowAndKeepsItemTexts) {
  struct Row {
    const wchar_t* name;
    DWORD kind, ownerDraw;
    bool field;
  } rows[] = {
      {L"csDropDown", CBS_DROPDOWN, 0, true},
      {L"csSimple", CBS_SIMPLE, 0, true},
      {L"csDropDownList", CBS_DROPDOWNLIST, 0, false},
      {L"csOwnerDrawFixed", CBS_DROPDOWNLIST, CBS_OWNERDRAWFIXED, false},
      {L"csOwnerDrawVariable", CBS_DROPDOWNLIST, CBS_OWNERDRAWVARIABLE, false},
  };
  Bed bed;
  auto check = [](TComboBox& c, DWORD kind, DWORD ownerDraw, bool field) {
    const DWORD style = StyleOf(c.Handle());
    EXPECT_EQ(style & 3, kind);
    EXPECT_EQ(style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE), ownerDraw);
    EXPECT_EQ((style & CBS_HASSTRINGS) != 0, ownerDraw != 0);
    EXPECT_EQ(ListText(c.Handle(), 1), L"Beta");
    EXPECT_EQ(c.EditHandle() != nullptr, field);
    EXPECT_NE(c.ListHandle(), nullptr);
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << std::string(r.name, r.name + wcslen(r.name)));
    TComboBox c(&bed.form);
    ASSERT_TRUE(c.SetProperty("Style", Value(r.name), bed.methods));
    c.SetItems(Items({L"Alpha", L"Beta"}));
    c.SetParent(&bed.form);
    check(c, r.kind, r.ownerDraw, r.field);
  }
  struct TOwnerDrawnDropDown : TComboBox {
    using TComboBox::TComboBox;
    void CreateParams(TCreateParams& p) override {
      TComboBox::CreateParams(p);
      p.Style |= CBS_OWNERDRAWFIXED;
    }
  } derived(&bed.form);
  derived.SetItems(Items({L"Alpha", L"Beta"}));
  derived.SetParent(&bed.form);
  check(derived, CBS_DROPDOWN, CBS_OWNERDRAWFIXED, true);

  TComboBox unknown(nullptr);
  EXPECT_THROW(unknown.SetProperty("Style", Value(L"csOwnerDraw"), bed.methods), ELayoutError);
  EXPECT_THROW(unknown.SetProperty("CharCase", Value(L"ecTitleCase"), bed.methods), ELayoutError);
}

// The layout's properties reach a window made later; the setters reach a window that exists.
// Sorting and letter case are the window's, and the items follow them.
TEST(ComboBox, PropertiesReachTheWindow) {
  Bed bed;
  for (const bool fromLayout : {true, false}) {
    SCOPED_TRACE(fromLayout ? "layout" : "setters");
    auto* c = new TComboBox(&bed.form);
    c->SetItems(Items({L"beta", L"Alpha"}));
    if (fromLayout) {
      for (const auto& [name, value] : std::vector<std::pair<std::string, TLayoutValue>>{
               {"DropDownCount", Value(20)}, {"MaxLength", Value(4)}, {"Sorted", Value(L"True")}, {"CharCase", Value(L"ecUpperCase")}})
        ASSERT_TRUE(c->SetProperty(name, value, bed.methods)) << name;
      TLayoutValue hint;
      hint.kind = TLayoutValue::Kind::String;
      hint.text = L"Choose";
      ASSERT_TRUE(c->SetProperty("TextHint", hint, bed.methods));
      c->SetParent(&bed.form);
    } else {
      c->SetParent(&bed.form);
      c->HandleNeeded();
      c->SetDropDownCount(20);
      c->SetMaxLength(4);
      c->SetSorted(true);
      c->SetCharCase(TEditCharCase::ecUpperCase);
      c->SetTextHint(L"Choose");
    }
    const HWND wnd = c->Handle();
    EXPECT_EQ(SendMessageW(wnd, CB_GETMINVISIBLE, 0, 0), 20);
    EXPECT_EQ(SendMessageW(c->EditHandle(), EM_GETLIMITTEXT, 0, 0), 4);
    EXPECT_EQ(StyleOf(wnd) & (CBS_SORT | CBS_UPPERCASE), DWORD(CBS_SORT | CBS_UPPERCASE));
    EXPECT_EQ(c->Items()[0], L"ALPHA");
    EXPECT_EQ(c->Items()[1], L"BETA");
    wchar_t hint[16] = {};
    SendMessageW(c->EditHandle(), EM_GETCUEBANNER, reinterpret_cast<WPARAM>(hint), 16);
    EXPECT_STREQ(hint, L"Choose");
    // The window was made with room for the open list (where the list does not count its items).
    RECT list{};
    SendMessageW(wnd, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&list));
    EXPECT_GE(list.bottom - list.top, c->ItemHeight() * 20);
    delete c;
  }
}

// A window made anew keeps what the user left in the old one: a selection made in the window
// (not through SetItemIndex), or a text typed over the stored selection.
TEST(ComboBox, RecreationKeepsSelectionAndTypedText) {
  struct Row {
    TComboBoxStyle style;
    int select;
    const wchar_t* typed;
  } rows[] = {
      {csDropDown, 2, nullptr}, {csDropDown, -1, L"typed"}, {csSimple, -1, L"typed"}, {csDropDownList, 2, nullptr},
      {csOwnerDrawFixed, 2, nullptr},
  };
  Bed bed;
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << int(r.style) << " " << r.select);
    TComboBox* c = bed.Add(r.style);
    c->SetItemIndex(0);
    if (r.select >= 0) SendMessageW(c->Handle(), CB_SETCURSEL, WPARAM(r.select), 0);
    if (r.typed) SetWindowTextW(c->EditHandle(), r.typed);
    const int index = c->ItemIndex();
    const std::wstring text = c->GetText();
    ASSERT_EQ(text, r.typed ? r.typed : L"Gamma");
    c->RecreateWnd();
    EXPECT_EQ(c->ItemIndex(), index);
    EXPECT_EQ(c->GetText(), text);
    delete c;
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
    c.SetItems(Items({L"Alpha", L"Beta", L"Gamma"}));
    c.SetItemHeight(30);
    c.SetItemIndex(1);
    std::vector<int> measured;
    c.OnMeasureItem = [&](TWinControl*, int index, int& height) {
      measured.push_back(index);
      height += std::max(index, 0);
    };
    std::vector<int> drawn;
    c.OnDrawItem = [&](TWinControl*, int index, const TRect&, unsigned state) {
      if ((state & ODS_COMBOBOXEDIT) && c.Canvas().Handle()) drawn.push_back(index);
    };
    c.SetParent(&bed.form);
    const HWND wnd = c.Handle();
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(SendMessageW(wnd, CB_GETITEMHEIGHT, WPARAM(i), 0), style == csOwnerDrawFixed ? 30 : 30 + i) << i;
    EXPECT_NE(std::find(measured.begin(), measured.end(), -1), measured.end());  // the selection field
    InvalidateRect(wnd, nullptr, TRUE);
    UpdateWindow(wnd);
    EXPECT_FALSE(drawn.empty());
    EXPECT_EQ(std::count(drawn.begin(), drawn.end(), 1), std::ptrdiff_t(drawn.size()));
    EXPECT_EQ(c.Canvas().Handle(), nullptr);
  }
}

// The field and the list are the platform's windows inside the control: they ask the box for
// their colours and get the control's, also after a change.
TEST(ComboBox, FieldAndListTakeTheControlsColour) {
  Bed bed;
  for (const TComboBoxStyle style : {csDropDown, csSimple}) {
    SCOPED_TRACE(int(style));
    TComboBox* c = bed.Add(style);
    c->SetColor(RGBColor(255, 0, 0));
    const HWND field = c->EditHandle();
    HDC dc = GetDC(field);
    for (const auto& [msg, from] : {std::pair{WM_CTLCOLOREDIT, field}, std::pair{WM_CTLCOLORLISTBOX, c->ListHandle()}}) {
      const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(c->Handle(), msg, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(from)));
      LOGBRUSH lb{};
      ASSERT_TRUE(GetObjectW(brush, sizeof(lb), &lb)) << msg;
      EXPECT_EQ(lb.lbColor, kRed) << msg;
    }
    UpdateWindow(bed.form.Handle());
    RECT r;
    GetClientRect(field, &r);
    EXPECT_EQ(GetPixel(dc, r.right - 2, r.bottom / 2), kRed);  // past the text
    ReleaseDC(field, dc);
    delete c;
  }
}

// The framework's notifications carry pointers: sent as window messages, by whatever sender,
// they are refused before any control reads them.
TEST(ComboBox, FrameworkNotificationsAsWindowMessagesAreRefused) {
  Bed bed;
  TComboBox* combo = bed.Add(csOwnerDrawFixed);
  auto* button = new TButton(&bed.form);
  button->SetParent(&bed.form);
  int drawn = 0;
  combo->OnDrawItem = [&](TWinControl*, int, const TRect&, unsigned) { ++drawn; };
  for (const HWND wnd : {combo->Handle(), button->Handle()})
    for (const UINT msg : {FN_DRAWITEM, FN_MEASUREITEM, FN_CTLCOLOR, FN_COMMAND})
      EXPECT_EQ(SendMessageW(wnd, msg, 1, 0x10), 0) << msg;
  EXPECT_EQ(drawn, 0);
}

// Typing at the end of the field completes the text with the first item that begins with it and
// selects the completed part; Backspace and Delete complete nothing, nor does an unknown start.
// ('\1' stands for the Delete key.)
TEST(ComboBox, TypingCompletesTheText) {
  struct Row {
    const wchar_t* keys;
    bool autoComplete;
    const wchar_t* text;
    DWORD selStart, selEnd;
  } rows[] = {
      {L"e", true, L"Eagle", 1, 5},  {L"ear", true, L"Earth", 3, 5}, {L"e\b", true, L"E", 1, 1},
      {L"e\1", true, L"E", 1, 1},    {L"x", true, L"x", 1, 1},       {L"e", false, L"e", 1, 1},
  };
  Bed bed;
  for (const Row& r : rows) {
    SCOPED_TRACE(testing::Message() << std::wstring(r.keys) << " " << r.autoComplete);
    TComboBox* c = bed.Add(csDropDown, {L"Ant", L"Eagle", L"Earth"});
    c->SetAutoComplete(r.autoComplete);
    const HWND field = c->EditHandle();
    for (const wchar_t* k = r.keys; *k; ++k) {
      if (*k == L'\1') SendMessageW(field, WM_KEYDOWN, VK_DELETE, 0);
      else SendMessageW(field, WM_CHAR, *k, 0);
    }
    EXPECT_EQ(c->GetText(), r.text);
    DWORD start = 0, end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, r.selStart);
    EXPECT_EQ(end, r.selEnd);
    delete c;
  }
}

// A selection by the user is told as OnSelect, then OnChange, whose handlers read the new text
// already (the platform shows it in the field only afterwards); the list opening and closing are
// told too.
TEST(ComboBox, SelectionAndListEvents) {
  Bed bed;
  TComboBox* c = bed.Add(csDropDown);
  c->SetItemIndex(0);
  std::vector<std::wstring> log;
  c->OnSelect = [&](TObject*) { log.push_back(L"select " + c->GetText()); };
  c->OnChange = [&](TObject*) { log.push_back(L"change " + c->GetText()); };
  c->OnDropDown = [&](TObject*) { log.push_back(L"drop down"); };
  c->OnCloseUp = [&](TObject*) { log.push_back(L"close up"); };
  SendMessageW(c->EditHandle(), WM_KEYDOWN, VK_DOWN, 0);
  c->SetDroppedDown(true);
  EXPECT_TRUE(c->DroppedDown());
  c->SetDroppedDown(false);
  EXPECT_EQ(log, (std::vector<std::wstring>{L"select Beta", L"change Beta", L"drop down", L"close up"}));
  EXPECT_EQ(c->GetText(), L"Beta");
}
