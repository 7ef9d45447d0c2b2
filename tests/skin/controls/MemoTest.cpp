// The skinned memo in a real window with the setup window's skin: its skinned bar (room,
// hit tests, the picture on screen in each state, the mouse through the real input queue), the
// press that loses the capture or leaves the window, the handler freed by its own message, and
// the colours the memo takes from the skin at paint.
#include <gtest/gtest.h>

#include "../paint/PumpUtil.h"
#include "InputUtil.h"
#include "WindowPixels.h"
#include "framework/Form.h"
#include "skin/controls/sMemo.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"
#include "skin/data/sStoredSkinLoad.h"
#include "skin/frame/sSBTracking.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sGlow.h"
#include "skin/paint/sSkinEngine.h"

namespace {

using pumptest::Pump;
using pumptest::PumpPending;

using inputtest::Button;
using inputtest::MouseTo;

TPoint Centre(const TRect& r) { return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}; }

class Memo : public ::testing::Test {
 protected:
  TsSkinManager manager{nullptr};
  TForm form{nullptr};
  TsMemo* memo = nullptr;
  int vscrolls = 0;

  void SetUp() override {
    InstallSkinEngine();
    storedskin::PrepareStoredSkin(manager, storedskin::ReadFileBytes(PRISMATONE_WINDOW_SKIN_PATH), 196, L"T");
    manager.SetSkinName(L"T");
    form.SetBounds(40, 40, 560, 300);
    memo = new TsMemo(&form);
    memo->SetParent(&form);
    memo->SetScrollBars(TScrollStyle::ssVertical);
    memo->SetBounds(20, 20, 465, 201);
    memo->SetColor(clBlack);
    memo->Font().SetColor(TColor(10065033));
    memo->OnVScroll = [this](TObject*) { ++vscrolls; };
    memo->Loaded();
    auto* other = new TEdit(&form);  // holds the focus: the memo is neither focused nor hovered
    other->SetParent(&form);
    other->SetBounds(20, 240, 100, 21);
    form.Show();
    SetForegroundWindow(form.Handle());
    other->SetFocus();
    Settle();
  }
  void TearDown() override {
    Button(false);
    MouseTo({1, 1});
    PumpPending();
    HideAllGlows(true);
    SetSkinPlatform(nullptr);
  }
  void Lines(int n) {
    std::wstring text;
    for (int i = 0; i < n; ++i) text += L"Line " + std::to_wstring(i) + (i + 1 < n ? L"\r\n" : L"");
    memo->SetText(text);
    Settle();
  }
  void Settle() {
    RedrawWindow(memo->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    PumpPending();
  }
  TsEditWnd& Bars() { return *memo->ListSW(); }
  TRect BarRect() { return Bars().BarRect(Bars().sBarVert); }
  int FirstLine() { return int(SendMessageW(memo->Handle(), EM_GETFIRSTVISIBLELINE, 0, 0)); }
  // The bar as the painter draws it for a look, at the bar's place.
  TBitmap32 Painted(TsScrollBarLook look) {
    RECT w{};
    GetWindowRect(memo->Handle(), &w);
    const TRect r = look.Bar.Rect;
    TBitmap32 bmp;
    const TCacheInfo bg = GetControlBackground(memo->SkinData());
    PaintScrollBar(&manager, look, bg, {memo->Left() + r.Left - w.left, memo->Top() + r.Top - w.top}, bmp);
    return bmp;
  }
  // Where the bar shows on screen, compared with the painter's picture.
  void ExpectShown(const TsScrollBarLook& look, const char* what) {
    RECT w{};
    GetWindowRect(memo->Handle(), &w);
    const TBitmap32 shown = WindowPixels(memo->Handle());
    const TBitmap32 expected = Painted(look);
    const TRect r = look.Bar.Rect;
    ASSERT_EQ(expected.Width(), r.Width()) << what;
    for (int y = 0; y < r.Height(); ++y)
      for (int x = 0; x < r.Width(); ++x)
        ASSERT_EQ(shown.Pixel(r.Left - w.left + x, r.Top - w.top + y) & 0xFFFFFF, expected.Pixel(x, y) & 0xFFFFFF)
            << what << " at " << x << "," << y;
  }
  TsScrollBarLook Look() {
    Bars().UpdateScrolls(false);
    TsScrollBarLook look;
    look.Bar = Bars().Geometry(Bars().sBarVert);
    look.Active = Bars().IsActive(Bars().sBarVert);
    return look;
  }
  // Holds the button down on p and waits until the handler took the press.
  void PressAt(TPoint p) {
    MouseTo(p);
    Pump([] { return false; }, 50);
    Button(true);
    Pump([&] { return GetCapture() == memo->Handle(); });
  }
  // The repeat driven by hand: the real timers are stopped and their ticks sent.
  void Tick(UINT_PTR id) {
    KillTimer(memo->Handle(), kScrollDelayTimer);
    KillTimer(memo->Handle(), kScrollRepeatTimer);
    SendMessageW(memo->Handle(), WM_TIMER, id, 0);
    KillTimer(memo->Handle(), kScrollRepeatTimer);
  }
  static void Pump(const std::function<bool()>& until, int ms = 0) {
    if (ms == 0) return pumptest::Pump(until);
    const DWORD end = GetTickCount() + DWORD(ms);
    while (GetTickCount() < end) {
      PumpPending();
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
  }
};

// The bar takes the platform's width out of the client area, reports itself to hit tests while
// it has something to scroll, and nothing while the text fits.
TEST_F(Memo, BarRoomAndHitTests) {
  Lines(60);
  ASSERT_TRUE(memo->ListSW());
  RECT client{};
  GetClientRect(memo->Handle(), &client);
  EXPECT_EQ(client.right, 465 - 4 - GetSystemMetrics(SM_CXVSCROLL));
  EXPECT_EQ(BarRect().Width(), GetSystemMetrics(SM_CXVSCROLL));
  const TPoint mid = Centre(BarRect());
  EXPECT_EQ(SendMessageW(memo->Handle(), WM_NCHITTEST, 0, MAKELPARAM(mid.X, mid.Y)), HTVSCROLL);
  Lines(3);
  EXPECT_EQ(SendMessageW(memo->Handle(), WM_NCHITTEST, 0, MAKELPARAM(mid.X, mid.Y)), HTNOWHERE);
  EXPECT_TRUE(GetWindowLongW(memo->Handle(), GWL_STYLE) & WS_VSCROLL) << "the style keeps its bit";
}

// What the window shows in the bar is the painter's picture for the bar's state: normal, the
// arrow under the mouse, the arrow held, the thumb dragged, and inactive.
TEST_F(Memo, BarOnScreenIsThePaintersPicture) {
  Lines(60);
  const TRect bar = BarRect();
  const int arrow = bar.Width();
  MouseTo({bar.Left - 200, bar.Top - 30});
  Pump([] { return false; }, 100);
  Settle();
  ExpectShown(Look(), "normal");

  const TPoint up{Centre(bar).X, bar.Top + arrow / 2};
  MouseTo(up);
  Pump([] { return sbtrack::State().HoverPart == spFirstArrow; });
  Settle();
  TsScrollBarLook hot = Look();
  hot.HotPart = spFirstArrow;
  ExpectShown(hot, "arrow hot");

  PressAt(up);  // at the top: the line-up changes nothing, the picture stays
  Settle();
  TsScrollBarLook pressed = Look();
  pressed.PressedPart = spFirstArrow;
  ExpectShown(pressed, "arrow pressed");
  Button(false);
  Pump([&] { return GetCapture() != memo->Handle(); });

  const TsThumb thumb = CalcThumb(Look().Bar);
  const TPoint grip{Centre(bar).X, thumb.Start + thumb.Length / 2};
  PressAt(grip);
  MouseTo({grip.X, grip.Y + 40});
  Pump([&] { return FirstLine() > 0; });
  TsScrollBarLook dragging = Look();
  dragging.Drag = TsThumb{thumb.Length, thumb.Start + 40 - bar.Top};
  ExpectShown(dragging, "dragging");
  Button(false);
  Pump([&] { return GetCapture() != memo->Handle(); });

  Lines(3);
  const TsScrollBarLook inactive = Look();
  EXPECT_FALSE(inactive.Active);
  ExpectShown(inactive, "inactive");
}

// Held on the down arrow the text scrolls at once, then with each repeat tick; off the arrow the
// repeat pauses, back on it it resumes; the release ends it.
TEST_F(Memo, ArrowPressRepeatsPausesAndResumes) {
  Lines(60);
  const TRect bar = BarRect();
  const TPoint down{Centre(bar).X, bar.Bottom - bar.Width() / 2};
  PressAt(down);
  const int atPress = FirstLine();
  EXPECT_GE(atPress, 1) << "scrolled at once";
  Tick(kScrollDelayTimer);
  EXPECT_EQ(FirstLine(), atPress + 1);
  Tick(kScrollRepeatTimer);
  EXPECT_EQ(FirstLine(), atPress + 2);
  MouseTo({bar.Left - 100, bar.Bottom - bar.Width() / 2});
  Pump([&] { return sbtrack::State().ShownPart == spNone; });
  Tick(kScrollRepeatTimer);
  EXPECT_EQ(FirstLine(), atPress + 2) << "paused off the arrow";
  MouseTo(down);
  Pump([&] { return sbtrack::State().ShownPart == spSecondArrow; });
  Tick(kScrollRepeatTimer);
  EXPECT_EQ(FirstLine(), atPress + 3) << "resumed";
  Button(false);
  Pump([&] { return GetCapture() != memo->Handle(); });
  EXPECT_EQ(sbtrack::State().PressedPart, spNone);
}

// A press ends wherever the mouse goes: another window taking the capture ends it, and the
// pointer above the window lies on no part, though row 0 of the client area would be the arrow.
TEST_F(Memo, PressEndsWithTheCaptureAndPausesAboveTheWindow) {
  Lines(60);
  const TRect bar = BarRect();
  PressAt({Centre(bar).X, bar.Bottom - bar.Width() / 2});
  vscrolls = 0;
  SetCapture(form.Handle());
  Pump([] { return false; }, 500);
  EXPECT_EQ(vscrolls, 1) << "only the end of the scroll is sent";
  EXPECT_EQ(sbtrack::State().PressedPart, spNone);
  ReleaseCapture();
  Button(false);
  PumpPending();

  SendMessageW(memo->Handle(), EM_LINESCROLL, 0, 20);
  const TPoint up{Centre(BarRect()).X, BarRect().Top + bar.Width() / 2};
  PressAt(up);
  const int atPress = FirstLine();
  MouseTo({up.X, BarRect().Top - 30});
  Pump([&] { return sbtrack::State().ShownPart == spNone; });
  Tick(kScrollDelayTimer);
  Tick(kScrollRepeatTimer);
  EXPECT_EQ(FirstLine(), atPress);
}

// The thumb dragged past the bar's end shows the last line.
TEST_F(Memo, DragToTheEndShowsTheLastLine) {
  Lines(60);
  const TRect bar = BarRect();
  const TsThumb thumb = CalcThumb(Look().Bar);
  PressAt({Centre(bar).X, thumb.Start + thumb.Length / 2});
  MouseTo({Centre(bar).X, bar.Bottom + 40});
  Pump([&] { return FirstLine() > 0 && sbtrack::State().LastPos > 40; });
  Button(false);
  Pump([&] { return GetCapture() != memo->Handle(); });
  SCROLLINFO si{sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
  GetScrollInfo(memo->Handle(), SB_VERT, &si);
  EXPECT_EQ(si.nPos, si.nMax - int(si.nPage) + 1);
  EXPECT_EQ(FirstLine(), si.nPos);
}

// The skin removed: the memo frees its handler from inside the handler's own dispatch; the
// handler lets the window go at once and is gone when the dispatch returns.
TEST_F(Memo, SkinRemovedFreesTheHandlerInsideItsDispatch) {
  Lines(60);
  std::weak_ptr<TsEditWnd> handler = memo->ListSW();
  ASSERT_FALSE(handler.expired());
  manager.SetActive(false);
  SendSkinCommand(*memo, SKIN_UNLOADED, reinterpret_cast<LPARAM>(&manager));
  PumpPending();
  EXPECT_TRUE(handler.expired());
  EXPECT_FALSE(memo->ListSW());
  SendMessageW(memo->Handle(), WM_NCPAINT, 1, 0);
  SendMessageW(memo->Handle(), WM_VSCROLL, SB_LINEDOWN, 0);
  RECT client{};
  GetClientRect(memo->Handle(), &client);
  EXPECT_EQ(client.right, 465 - 4 - GetSystemMetrics(SM_CXVSCROLL)) << "the system's bar is back";
  manager.SetActive(true);
  SendSkinCommand(*memo, SKIN_LOADED, reinterpret_cast<LPARAM>(&manager));
  SendSkinCommand(*memo, SKIN_REFRESH, reinterpret_cast<LPARAM>(&manager));
  PumpPending();
  EXPECT_TRUE(memo->ListSW()) << "a skin again: bars again";
}

// At every paint the memo takes the section's colours for its state: the stored black goes, a
// colour set in code is undone unless the skin state keeps a custom colour, and a hovered memo
// keeps its hot colours.
TEST_F(Memo, TakesTheSectionColoursAtPaint) {
  const TsGeneralData& g = manager.gd()[std::size_t(memo->SkinData().SkinIndex)];
  EXPECT_EQ(memo->Color(), g.Props[0].Color);
  EXPECT_EQ(memo->Font().Color(), g.Props[0].FontColor.Color);
  memo->SetColor(TColor(0x0000FF));
  Settle();
  EXPECT_EQ(memo->Color(), g.Props[0].Color);
  ASSERT_GE(g.States, 2);
  RECT w{};
  GetWindowRect(memo->Handle(), &w);
  MouseTo({w.left + 60, w.top + 60});
  Pump([&] { return memo->SkinData().FMouseAbove; });
  Settle();
  EXPECT_TRUE(memo->SkinData().FMouseAbove);
  EXPECT_EQ(memo->Color(), g.Props[1].Color);
  MouseTo({1, 1});
  Pump([&] { return !memo->SkinData().FMouseAbove; });
  memo->SkinData().SetCustomColor(true);
  memo->SetColor(TColor(0x0000FF));
  Settle();
  EXPECT_EQ(memo->Color(), TColor(0x0000FF));
}

}  // namespace
