// Framework notifications reach controls through their WndProc, for windowless and windowed
// controls alike, driven here by real window messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "framework/Buttons.h"
#include "framework/Edits.h"
#include "framework/Form.h"

namespace {

template <typename Base>
class TProbe : public Base {
 public:
  using Base::Base;
  std::vector<UINT> seen;
  int Count(UINT msg) const { return int(std::count(seen.begin(), seen.end(), msg)); }
  void WndProc(TMessage& m) override {
    if (m.Msg > FN_BASE && m.Msg < FN_LAST) seen.push_back(m.Msg);
    Base::WndProc(m);
  }
};

using TGraphicProbe = TProbe<TGraphicControl>;
using TWindowProbe = TProbe<TWinControl>;

struct Bed {
  TForm form{nullptr};
  TGraphicProbe* label;
  TWindowProbe* panel;
  TWindowProbe* panel2;
  Bed() {
    label = new TGraphicProbe(&form);
    label->SetParent(&form);
    label->SetBounds(10, 10, 50, 20);
    panel = new TWindowProbe(&form);
    panel->SetParent(&form);
    panel->SetBounds(100, 10, 50, 50);
    panel->SetTabStop(true);
    panel2 = new TWindowProbe(&form);
    panel2->SetParent(&form);
    panel2->SetBounds(200, 10, 50, 50);
    panel2->SetTabStop(true);
    form.SetClientSize(300, 200);
    form.Show();
  }
  HWND wnd() { return form.Handle(); }
};

LPARAM At(int x, int y) { return MAKELPARAM(x, y); }

}  // namespace

// The pointer entering and leaving a windowless child is told to that child, as it moves over
// the parent window; a press and release on it is one click.
TEST(ControlMessages, WindowlessMouseEnterLeaveAndClick) {
  Bed bed;
  int clicks = 0;
  bed.label->OnClick = [&](TObject*) { ++clicks; };
  SendMessageW(bed.wnd(), WM_MOUSEMOVE, 0, At(20, 15));
  EXPECT_EQ(bed.label->Count(FN_MOUSEENTER), 1);
  EXPECT_TRUE(bed.label->MouseInControl());
  SendMessageW(bed.wnd(), WM_MOUSEMOVE, 0, At(25, 16));
  EXPECT_EQ(bed.label->Count(FN_MOUSEENTER), 1);
  SendMessageW(bed.wnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(20, 15));
  SendMessageW(bed.wnd(), WM_LBUTTONUP, 0, At(21, 15));
  EXPECT_EQ(clicks, 1);
  // Released outside: no click.
  SendMessageW(bed.wnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(20, 15));
  SendMessageW(bed.wnd(), WM_LBUTTONUP, 0, At(90, 90));
  EXPECT_EQ(clicks, 1);
  SendMessageW(bed.wnd(), WM_MOUSEMOVE, 0, At(90, 90));
  EXPECT_EQ(bed.label->Count(FN_MOUSELEAVE), 1);
  EXPECT_FALSE(bed.label->MouseInControl());
  // Leaving the parent window altogether also ends the child's hover.
  SendMessageW(bed.wnd(), WM_MOUSEMOVE, 0, At(20, 15));
  SendMessageW(bed.wnd(), WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(bed.label->Count(FN_MOUSELEAVE), 2);
}

// Property changes announce themselves as notifications, and windowed controls carry them
// over to their windows.
TEST(ControlMessages, PropertyChangeNotifications) {
  Bed bed;
  bed.label->seen.clear();  // taking over the form's font on insertion counts as a change
  bed.label->SetEnabled(false);
  bed.label->SetText(L"x");
  bed.label->Font().SetHeight(-20);
  bed.label->SetColor(clAqua);
  bed.label->SetVisible(false);
  for (UINT m : {FN_ENABLEDCHANGED, FN_TEXTCHANGED, FN_FONTCHANGED, FN_COLORCHANGED, FN_VISIBLECHANGED})
    EXPECT_EQ(bed.label->Count(m), 1) << std::hex << m;
  bed.label->SetText(L"x");  // unchanged: no notification
  EXPECT_EQ(bed.label->Count(FN_TEXTCHANGED), 1);

  bed.panel->SetEnabled(false);
  EXPECT_FALSE(IsWindowEnabled(bed.panel->Handle()));
  bed.panel->SetVisible(false);
  EXPECT_FALSE(IsWindowVisible(bed.panel->Handle()));
  EXPECT_GE(bed.panel->Count(FN_SHOWINGCHANGED), 1);
  bed.panel->SetText(L"Текст");
  wchar_t buf[16] = {};
  GetWindowTextW(bed.panel->Handle(), buf, 16);
  EXPECT_STREQ(buf, L"Текст");
  EXPECT_EQ(bed.panel->Count(FN_TEXTCHANGED), 1);
}

// A parent's colour and font changes reach children that follow their parent, and only those.
TEST(ControlMessages, ParentColorAndFontFollow) {
  Bed bed;
  bed.label->SetParentColor(true);
  bed.panel->SetColor(clWhite);  // its own colour from now on
  bed.form.SetColor(clCream);
  EXPECT_GE(bed.label->Count(FN_PARENTCOLORCHANGED), 1);
  EXPECT_EQ(bed.label->Color(), clCream);
  EXPECT_EQ(bed.panel->Color(), clWhite);
  bed.form.Font().SetName(L"Tahoma");
  EXPECT_GE(bed.label->Count(FN_PARENTFONTCHANGED), 1);
  EXPECT_EQ(bed.label->Font().Name(), L"Tahoma");
  EXPECT_TRUE(bed.label->ParentFont());
  bed.label->Font().SetHeight(-15);  // a font of its own
  EXPECT_FALSE(bed.label->ParentFont());
  bed.form.Font().SetName(L"Arial");
  EXPECT_EQ(bed.label->Font().Name(), L"Tahoma");
}

// Focus moving between windowed controls enters one and exits the other.
TEST(ControlMessages, FocusEnterAndExit) {
  Bed bed;
  SetForegroundWindow(bed.wnd());
  bed.panel->SetFocus();
  ASSERT_TRUE(bed.panel->Focused());
  EXPECT_GE(bed.panel->Count(FN_FOCUSENTER), 1);
  bed.panel2->SetFocus();
  EXPECT_GE(bed.panel->Count(FN_FOCUSEXIT), 1);
  EXPECT_GE(bed.panel2->Count(FN_FOCUSENTER), 1);
}

// Grouped speed buttons: one going down tells the others, which come up.
TEST(ControlMessages, ButtonPressedInGroup) {
  Bed bed;
  auto* a = new TProbe<TSpeedButton>(&bed.form);
  auto* b = new TProbe<TSpeedButton>(&bed.form);
  a->SetGroupIndex(1);
  b->SetGroupIndex(1);
  a->SetParent(&bed.form);
  b->SetParent(&bed.form);
  a->SetDown(true);
  EXPECT_TRUE(a->Down());
  const int before = a->Count(FN_BUTTONPRESSED);
  b->SetDown(true);
  EXPECT_EQ(a->Count(FN_BUTTONPRESSED), before + 1);
  EXPECT_FALSE(a->Down());
  EXPECT_TRUE(b->Down());
}

// A windowless child holding the mouse is told when capture is cancelled.
TEST(ControlMessages, CancelModeReachesCapturingChild) {
  Bed bed;
  SendMessageW(bed.wnd(), WM_LBUTTONDOWN, MK_LBUTTON, At(20, 15));
  EXPECT_TRUE(bed.label->ControlState() & csLButtonDown);
  SendMessageW(bed.wnd(), WM_CANCELMODE, 0, 0);
  EXPECT_EQ(bed.label->Count(FN_CANCELMODE), 1);
  EXPECT_FALSE(bed.label->ControlState() & csLButtonDown);
}

// The wheel is offered to the control as a notification before the window's default handling.
TEST(ControlMessages, MouseWheelNotification) {
  Bed bed;
  SendMessageW(bed.panel->Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), At(120, 20));
  EXPECT_EQ(bed.panel->Count(FN_MOUSEWHEEL), 1);
}

// A platform control is subclassed: our WndProc sees its messages, the ones we leave go to the
// platform's procedure (which keeps working), and its notifications come back reflected.
TEST(ControlMessages, SubclassedPlatformButton) {
  Bed bed;
  auto* button = new TProbe<TButton>(&bed.form);
  button->SetParent(&bed.form);
  button->SetBounds(10, 100, 80, 25);
  button->SetText(L"Go");
  int clicks = 0;
  button->OnClick = [&](TObject*) { ++clicks; };
  HWND wnd = button->Handle();
  wchar_t cls[32] = {};
  GetClassNameW(wnd, cls, 32);
  EXPECT_EQ(std::wstring(cls).size(), 6u);
  EXPECT_EQ(_wcsicmp(cls, L"Button"), 0);
  EXPECT_EQ(TWinControl::FromHandle(wnd), button);
  wchar_t text[8] = {};
  SendMessageW(wnd, WM_GETTEXT, 8, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"Go");
  SendMessageW(wnd, BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
  EXPECT_GE(button->Count(FN_COMMAND), 1);
  delete button;
  EXPECT_FALSE(IsWindow(wnd));
}

// A handle answers for its control only while both live: once the window is destroyed (by the
// system, or with its control) its handle finds no control, and neither does a window that no
// control made. A stale answer would hand out a freed control for a handle the system may give
// to another window.
TEST(ControlMessages, HandleFindsItsControlOnlyWhileBothLive) {
  Bed bed;
  HWND panel = bed.panel->Handle();
  EXPECT_EQ(TWinControl::FromHandle(panel), bed.panel);
  DestroyWindow(panel);
  EXPECT_FALSE(bed.panel->HandleAllocated());
  EXPECT_EQ(TWinControl::FromHandle(panel), nullptr);
  HWND panel2 = bed.panel2->Handle();
  delete bed.panel2;
  EXPECT_EQ(TWinControl::FromHandle(panel2), nullptr);
  HWND plain = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, bed.wnd(), nullptr, nullptr, nullptr);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(TWinControl::FromHandle(plain), nullptr);
  DestroyWindow(plain);
}

// A new text colour repaints a platform edit without setting its font again (which would lay out
// and repaint its text, a flicker on every hover); a new face sets the font.
TEST(ControlMessages, FontColourRepaintsWithoutNewFont) {
  Bed bed;
  struct TFontCountingEdit : TEdit {
    using TEdit::TEdit;
    int setFont = 0;
    void WndProc(TMessage& m) override {
      if (m.Msg == WM_SETFONT) ++setFont;
      TEdit::WndProc(m);
    }
  };
  auto* edit = new TFontCountingEdit(&bed.form);
  edit->SetParent(&bed.form);
  edit->SetBounds(10, 100, 120, 24);
  HWND wnd = edit->Handle();
  UpdateWindow(bed.wnd());
  const int before = edit->setFont;
  RECT dirty{};
  ASSERT_FALSE(GetUpdateRect(wnd, &dirty, FALSE));

  edit->Font().SetColor(clFuchsia);
  EXPECT_EQ(edit->setFont, before);
  EXPECT_TRUE(GetUpdateRect(wnd, &dirty, FALSE));

  edit->Font().SetHeight(-20);
  EXPECT_EQ(edit->setFont, before + 1);
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(wnd, WM_GETFONT, 0, 0)), edit->Font().Handle());
}

// A click on the platform check box toggles the framework's state once and raises one click.
TEST(ControlMessages, CheckBoxClickToggles) {
  Bed bed;
  auto* box = new TCheckBox(&bed.form);
  box->SetParent(&bed.form);
  box->SetBounds(10, 140, 120, 20);
  int clicks = 0;
  box->OnClick = [&](TObject*) { ++clicks; };
  SendMessageW(box->Handle(), BM_CLICK, 0, 0);
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(SendMessageW(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  SendMessageW(box->Handle(), BM_CLICK, 0, 0);
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks, 2);
}

// Over a windowless child with a cursor of its own the pointer takes that shape; elsewhere the
// window's default handling decides.
TEST(ControlMessages, WindowlessChildChoosesTheCursor) {
  Bed bed;
  bed.label->SetCursor(IDC_HAND);
  POINT over{20, 15}, beside{90, 150};
  ClientToScreen(bed.wnd(), &over);
  ClientToScreen(bed.wnd(), &beside);
  const LPARAM hit = MAKELPARAM(HTCLIENT, WM_MOUSEMOVE);
  SetCursorPos(over.x, over.y);
  EXPECT_EQ(SendMessageW(bed.wnd(), WM_SETCURSOR, WPARAM(bed.wnd()), hit), TRUE);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
  SetCursorPos(beside.x, beside.y);
  SendMessageW(bed.wnd(), WM_SETCURSOR, WPARAM(bed.wnd()), hit);
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_ARROW));
}
