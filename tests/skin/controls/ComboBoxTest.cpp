// The skinned combo box in a real window with the setup window's skin: the closed control on
// screen against its cache, hover and focus, the open list with its skinned frame and bar, the
// keyboard, the read-only filters, the skin commands and the list handler's life across a skin
// change and a new window. The mouse and keys go through the system's input queue. No glyph
// pixel is asserted: the native tests check the glyph frames.
#include <gtest/gtest.h>

#include <cmath>

#include "../paint/PumpUtil.h"
#include "InputUtil.h"
#include "WindowPixels.h"
#include "framework/Form.h"
#include "framework/WindowProcHook.h"
#include "skin/controls/sComboBox.h"
#include "skin/controls/sComboBoxPicture.h"
#include "skin/controls/sComboListWnd.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"
#include "skin/data/sStoredSkinLoad.h"
#include "skin/paint/sGlow.h"
#include "skin/paint/sSkinEngine.h"

namespace {

using pumptest::Pump;
using pumptest::PumpPending;

std::uint32_t Rgb(std::uint32_t pixel) { return pixel & 0xFFFFFFu; }
// A colour value as the pixels hold it.
std::uint32_t Pixel(TColor c) {
  c = ColorToRGB(c);
  return (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
}

using inputtest::MouseTo;

void Click(TPoint p) {
  MouseTo(p);
  PumpPending();
  inputtest::Button(true);
  inputtest::Button(false);
}
// Keys pressed and released in turn (held ones first: Alt+Down is {VK_MENU, VK_DOWN}).
void Keys(std::initializer_list<WORD> held) {
  std::vector<INPUT> in;
  for (WORD k : held) in.push_back(INPUT{INPUT_KEYBOARD, {.ki = {k, 0, 0, 0, 0}}});
  for (auto it = held.end(); it != held.begin();) in.push_back(INPUT{INPUT_KEYBOARD, {.ki = {*--it, 0, KEYEVENTF_KEYUP, 0, 0}}});
  SendInput(UINT(in.size()), in.data(), sizeof(INPUT));
}

// Lets the input sent reach the windows.
void Settle() {
  const DWORD end = GetTickCount() + 150;
  while (GetTickCount() < end) {
    PumpPending();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

TRect ScreenRect(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return {r.left, r.top, r.right, r.bottom};
}

class ComboBox : public ::testing::Test {
 protected:
  TsSkinManager manager{nullptr};
  TForm form{nullptr};
  TsComboBox* combo = nullptr;
  TsComboBox* other = nullptr;  // takes the focus away
  int enters = 0, exits = 0, dblClicks = 0;

  void SetUp() override {
    InstallSkinEngine();
    storedskin::PrepareStoredSkin(manager, storedskin::ReadFileBytes(PRISMATONE_WINDOW_SKIN_PATH), 196, L"T");
    manager.SetSkinName(L"T");
    manager.ClearComponentState(csReading);
    manager.Loaded();
    ASSERT_GE(manager.GetSkinIndex(L"COMBOBOX"), 0);
    form.SetBounds(60, 60, 420, 260);
    combo = Add(20, {L"Русский", L"English", L"Deutsch"});
    other = Add(120, {L"x"});
    combo->OnDblClick = [this](TObject*) { ++dblClicks; };
    form.Show();
    SetForegroundWindow(form.Handle());
    other->SetFocus();
    PumpPending();
    MouseTo({0, 0});
    Pump([&] { return !combo->SkinData().FMouseAbove && !combo->Focused(); });
  }
  void TearDown() override {
    HideAllGlows(true);
    SetSkinPlatform(nullptr);
  }
  TsComboBox* Add(int top, std::initializer_list<const wchar_t*> items) {
    auto* c = new TsComboBox(&form);
    c->SetParent(&form);
    c->SetBounds(20, top, 145, 21);
    TStringList l;
    for (const wchar_t* s : items) l.Add(s);
    c->SetItems(l);
    c->SetItemIndex(0);
    c->Loaded();
    return c;
  }
  TBitmap32 Shown() {
    RedrawWindow(combo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpPending();
    return WindowPixels(combo->Handle());
  }
  TBitmap32 Cache() { return combo->SkinData().CacheBmp()->Pixels(); }
  bool Open() { return SendMessageW(combo->Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0; }
  void DropDown() {
    SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    Pump([&] { return Open() && combo->ListSW() != nullptr; });
    RedrawWindow(combo->ListHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    PumpPending();
  }
  void ExpectShownIsCache(const TBitmap32& shown, const char* what) {
    const TBitmap32 cache = Cache();
    ASSERT_EQ(shown.Width(), cache.Width()) << what;
    for (int y = 0; y < shown.Height(); ++y)
      for (int x = 0; x < shown.Width(); ++x)
        ASSERT_EQ(Rgb(shown.Pixel(x, y)), Rgb(cache.Pixel(x, y))) << what << " at " << x << "," << y;
  }
};

// Closed and unfocused the whole window is the cache; the platform's item height follows the font.
TEST_F(ComboBox, ClosedWindowIsItsCacheWithItemsAndHeights) {
  const TBitmap32 shown = Shown();
  EXPECT_EQ(shown.Height(), 21);
  ExpectShownIsCache(shown, "normal");
  TBitmap probe(1, 1);
  TCanvas canvas(probe.DC());
  canvas.Font = combo->Font();
  EXPECT_EQ(SendMessageW(combo->Handle(), CB_GETITEMHEIGHT, 0, 0), canvas.TextExtent(L"A").Y + 2);
  wchar_t text[32]{};
  SendMessageW(combo->Handle(), CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"English");  // a string, not a pointer into the control
  EXPECT_EQ(combo->IndexOf(L"English"), 1);
  EXPECT_EQ(combo->IndexOf(L"english"), -1);
}

// Hover shows state 1 and a move straight to the form brings state 0 back; Tab in paints the
// frame and button from the cache around the platform's field, in the skin's colour.
TEST_F(ComboBox, HoverAndFocus) {
  const TBitmap32 normal = Shown();
  const TRect r = ScreenRect(combo->Handle());
  MouseTo({r.Left + 20, r.Top + 10});
  Pump([&] { return combo->SkinData().FMouseAbove; });
  ASSERT_TRUE(combo->SkinData().FMouseAbove);
  MouseTo({r.Left + 20, r.Bottom + 40});
  Pump([&] { return !combo->SkinData().FMouseAbove; });
  const TBitmap32 left = Shown();
  for (int y = 0; y < normal.Height(); ++y)
    for (int x = 0; x < normal.Width(); ++x) ASSERT_EQ(Rgb(left.Pixel(x, y)), Rgb(normal.Pixel(x, y))) << x << "," << y;

  TWindowProcHook counting(*combo, [this](TMessage& m, const TWndMethod& previous) {
    enters += m.Msg == FN_FOCUSENTER;
    exits += m.Msg == FN_FOCUSEXIT;
    previous(m);
  });
  combo->SetFocus();
  Pump([&] { return combo->Focused(); });
  ASSERT_TRUE(combo->Focused());
  const TBitmap32 shown = Shown();
  const TBitmap32 cache = Cache();
  const TRect b = combo->ButtonRect();
  for (int x = 0; x < shown.Width(); ++x)
    for (int y : {0, 1, 2, shown.Height() - 1}) ASSERT_EQ(Rgb(shown.Pixel(x, y)), Rgb(cache.Pixel(x, y))) << x << "," << y;
  for (int y = b.Top; y < b.Bottom; ++y)
    for (int x = b.Left; x < b.Right; ++x) ASSERT_EQ(Rgb(shown.Pixel(x, y)), Rgb(cache.Pixel(x, y))) << x << "," << y;
  const TsGeneralData& g = manager.gd()[std::size_t(combo->SkinData().SkinIndex)];
  EXPECT_EQ(Rgb(shown.Pixel(b.Left - 4, 17)), Pixel(g.Props[g.States > 1 ? 1 : 0].Color)) << "the field is not white";
  other->SetFocus();
  Pump([&] { return !combo->Focused(); });
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(exits, 1);
}

// Open with 40 items: the handler's frame ring in the skin's border colour around the list colour,
// room for the skinned bar, the selected item in SELECTION; a click on the bar's down arrow
// scrolls one item and keeps the list open, a click on an item picks it and closes the list.
TEST_F(ComboBox, OpenListIsSkinnedAndWorksWithTheMouse) {
  TStringList l;
  for (int i = 0; i < 40; ++i) l.Add(L"Item " + std::to_wstring(i));
  combo->SetItems(l);
  combo->SetItemIndex(0);
  DropDown();
  HWND list = combo->ListHandle();
  ASSERT_EQ(combo->ListWindow(), list);
  ASSERT_TRUE(GetPropW(list, L"SKINSBSC"));
  const TBitmap32 shown = WindowPixels(list);
  EXPECT_EQ(Rgb(shown.Pixel(0, shown.Height() / 2)), Pixel(manager.Palette()[pcBorder]));
  RECT client{};
  GetClientRect(list, &client);
  const int bar = manager.ScrollBarWidthAtLeastPlatform();
  EXPECT_EQ(client.right, shown.Width() - 2 - bar) << "room for the skinned bar";
  const int s = manager.GetSkinIndex(L"SELECTION");
  ASSERT_GE(s, 0);
  const int h = int(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
  POINT inItem{client.right / 2, h + h / 2};  // item 1: not selected
  ClientToScreen(list, &inItem);
  const TRect lr = ScreenRect(list);
  const TBitmap32 screenList = WindowPixels(list);
  EXPECT_EQ(Rgb(screenList.Pixel(inItem.x - lr.Left + client.right / 3, inItem.y - lr.Top)),
            Pixel(manager.gd()[std::size_t(combo->SkinData().SkinIndex)].Props[0].Color));

  // The bar's down arrow: the last square of the bar at the list's bottom.
  Click({lr.Right - 2 - bar / 2, lr.Bottom - 2 - bar / 2});
  Pump([&] { return SendMessageW(list, LB_GETTOPINDEX, 0, 0) == 1; });
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 1);
  EXPECT_TRUE(Open());
  Click({inItem.x, inItem.y});
  Pump([&] { return !Open(); });
  EXPECT_FALSE(Open());
  EXPECT_EQ(combo->ItemIndex(), 2);  // the top moved down by one
  EXPECT_EQ(combo->GetText(), L"Item 2");
}

// Alt+Down and F4 open the list, the arrows pick, Enter keeps the choice and Escape restores it.
TEST_F(ComboBox, Keyboard) {
  combo->SetFocus();
  Pump([&] { return combo->Focused(); });
  struct Case {
    std::initializer_list<WORD> open;
    WORD close;
    int expected;
  };
  for (const Case& c : {Case{{VK_MENU, VK_DOWN}, VK_RETURN, 1}, Case{{VK_F4}, VK_ESCAPE, 1}}) {
    Keys(c.open);
    Pump([&] { return Open(); });
    ASSERT_TRUE(Open());
    Keys({VK_DOWN});
    Settle();
    Keys({c.close});
    Pump([&] { return !Open(); });
    EXPECT_FALSE(Open());
    EXPECT_EQ(combo->ItemIndex(), c.expected) << "close key " << c.close;
  }
}

// Command 3 closes an open list and keeps the choice; command 2 gives the colours back and lets
// the list go; after the skin comes back, and after a new window, a drop-down attaches anew and
// the selection and a typed text survive the new window.
TEST_F(ComboBox, SkinCommandsAndTheListHandlersLife) {
  combo->SetItemIndex(1);
  DropDown();
  SendSkinCommand(combo->Handle(), SKIN_REFRESH, reinterpret_cast<LPARAM>(&manager));
  Pump([&] { return !Open(); });
  EXPECT_FALSE(Open());
  EXPECT_EQ(combo->ItemIndex(), 1);

  HWND list = combo->ListHandle();
  manager.SetActive(false);
  PumpPending();
  EXPECT_EQ(combo->ListSW(), nullptr);
  EXPECT_EQ(GetPropW(list, L"SKINSBSC"), nullptr);
  EXPECT_EQ(combo->Color(), clWindow);
  manager.SetActive(true);
  PumpPending();
  DropDown();
  EXPECT_NE(combo->ListSW(), nullptr);
  SendMessageW(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);

  combo->SetItemIndex(-1);
  combo->SetText(L"typed");
  combo->RecreateWnd();
  combo->HandleNeeded();
  PumpPending();
  EXPECT_EQ(combo->GetText(), L"typed");
  combo->SetItemIndex(2);
  combo->RecreateWnd();
  combo->HandleNeeded();
  DropDown();
  ASSERT_TRUE(GetPropW(combo->ListHandle(), L"SKINSBSC")) << "the new list has a handler";
  EXPECT_EQ(combo->ItemIndex(), 2);
}

// Read-only: a click focuses without opening, a double click reaches OnDblClick, typing, paste,
// undo and F4 change nothing; a drop-down list's key filter holds with Alt too.
TEST_F(ComboBox, ReadOnly) {
  combo->SetReadOnly(true);
  const TRect r = ScreenRect(combo->Handle());
  const TRect b = combo->ButtonRect();
  Click({r.Left + b.Left + 4, r.Top + 10});
  Pump([&] { return combo->Focused(); });
  PumpPending();
  EXPECT_TRUE(combo->Focused());
  EXPECT_FALSE(Open());
  SendMessageW(combo->Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(b.Left + 4, 10));
  EXPECT_EQ(dblClicks, 1);
  const std::wstring before = combo->GetText();
  HWND field = combo->EditHandle();
  ASSERT_NE(field, nullptr);
  SetFocus(field);
  Keys({'Q'});
  Keys({VK_F4});
  Settle();
  SendMessageW(field, WM_PASTE, 0, 0);
  SendMessageW(field, WM_UNDO, 0, 0);
  PumpPending();
  EXPECT_EQ(combo->GetText(), before);
  EXPECT_FALSE(Open());

  other->SetStyle(TComboBoxStyle::csDropDownList);
  other->SetReadOnly(true);
  for (UINT msg : {UINT(WM_KEYDOWN), UINT(WM_SYSKEYDOWN)}) {
    SendMessageW(other->Handle(), msg, VK_DOWN, 0);
    SendMessageW(other->Handle(), msg, 'D', 0);
    SendMessageW(other->Handle(), msg, VK_F4, 0);
  }
  PumpPending();
  EXPECT_EQ(SendMessageW(other->Handle(), CB_GETDROPPEDSTATE, 0, 0), 0);
  EXPECT_EQ(other->ItemIndex(), 0);
}

// Disabled: Round(0.4·p + 0.6·c) of the enabled cache over the form's colour; owner-drawn with a
// handler: left as drawn.
TEST_F(ComboBox, DisabledLook) {
  Shown();
  const TBitmap32 enabled = Cache();
  combo->SetEnabled(false);
  Shown();
  const TBitmap32 disabled = Cache();
  const TColor c = ColorToRGB(form.Color());
  const int parent[3] = {int(c >> 16 & 0xFF), int(c >> 8 & 0xFF), int(c & 0xFF)};
  // The corner pieces are laid anew over what lies behind at every paint, disabled or not.
  const int border = combo->SkinData().BorderIndex;
  const int cl = manager.MaskWidthLeft(border), ct = manager.MaskWidthTop(border);
  const int cr = manager.MaskWidthRight(border), cb = manager.MaskWidthBottom(border);
  const int w = enabled.Width(), h = enabled.Height();
  auto corner = [&](int x, int y) { return (x < cl || x >= w - cr) && (y < ct || y >= h - cb); };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      for (int ch = 0; ch < 3 && !corner(x, y); ++ch) {
        const int p = int(enabled.Pixel(x, y) >> (8 * ch) & 0xFF);
        ASSERT_EQ(int(disabled.Pixel(x, y) >> (8 * ch) & 0xFF), int(std::lround(0.4 * p + 0.6 * parent[ch])))
            << x << "," << y;
      }

  other->SetStyle(TComboBoxStyle::csOwnerDrawFixed);
  other->OnDrawItem = [](TWinControl*, int, const TRect&, unsigned) {};
  other->HandleNeeded();
  RedrawWindow(other->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const TBitmap32 drawn = other->SkinData().CacheBmp()->Pixels();
  other->SetEnabled(false);
  RedrawWindow(other->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const TBitmap32& still = other->SkinData().CacheBmp()->Pixels();
  for (int y = 0; y < drawn.Height(); ++y)
    for (int x = 0; x < drawn.Width(); ++x) ASSERT_EQ(Rgb(still.Pixel(x, y)), Rgb(drawn.Pixel(x, y))) << x << "," << y;
}

// A selected list item: the SELECTION section skinned, the system's highlight without a skin.
TEST_F(ComboBox, SelectedItemSkinnedAndUnskinned) {
  TBitmap target(140, 15);
  auto draw = [&] {
    DRAWITEMSTRUCT dis{ODT_COMBOBOX, 0, 1, ODA_DRAWENTIRE, ODS_SELECTED, combo->Handle(), target.DC(), {0, 0, 140, 15}, 0};
    combo->Perform(FN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    GdiFlush();
    return Rgb(target.Pixels().Pixel(136, 7));  // right of the text
  };
  TBitmap32 expected(140, 15);
  TCacheInfo bg = EmptyCacheInfo();
  bg.FillColor = ColorToRGB(combo->Color());
  PaintComboItemBackground(&manager, manager.GetSkinIndex(L"SELECTION"), true, bg, clNone, expected);
  EXPECT_EQ(draw(), Rgb(expected.Pixel(136, 7)));
  manager.SetActive(false);
  PumpPending();
  EXPECT_EQ(draw(), Pixel(TColor(GetSysColor(COLOR_HIGHLIGHT))));
}

}  // namespace
