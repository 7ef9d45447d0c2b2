// Glow windows in real windows: their style, place, hit test and end, the glow list's ids, and the
// window-creation hook passing them by. Wine has no compositor, so the picture itself is not
// looked at on the screen: the call that hands it to the layered window is recorded instead.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "../data/SkinTestUtil.h"
#include "../data/manager/ManagerTestUtil.h"
#include "PumpUtil.h"
#include "framework/Form.h"
#include "skin/base/sLayered.h"
#include "skin/paint/sGlow.h"
#include "skin/paint/sSkinEngine.h"
#include "skin/paint/sSkinnedControl.h"

namespace {

constexpr DWORD kGlowStyle = WS_EX_LAYERED | WS_EX_TRANSPARENT | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW;

// GLOW10: bands 10 and margin 10 (the glow lies exactly over the item); GLOW20: bands 20, margin
// 10 (it reaches 10 pixels out); NOGLOW has no GLOW key.
std::string Options() {
  return "[GLOBALINFO]\r\nVERSION=7.20\r\nMASTERBITMAP=MASTER.BMP\r\n"
         "[GLOW10]\r\nGLOW=1\r\nGLOWMARGIN=10\r\nGLOW0=!GLOW.BMP!1!0!3!10!10!10!10!0\r\n"
         "[GLOW20]\r\nGLOW=1\r\nGLOWMARGIN=10\r\nGLOW0=!GLOW.BMP!1!0!3!20!20!20!20!0\r\n"
         "[NOGLOW]\r\nCOLOR=0\r\n";
}

std::vector<TsPackageEntry> Package() {
  auto entries = mgrtest::TestPackageEntries(Options());
  entries.push_back({"Glow.bmp", skintest::EncodeBmp(skintest::Solid(48, 48, 0xFF2080C0u), 24)});
  return entries;
}

// A platform that records the windows the creation hook tells it about.
class THookRecorder : public TsWinSkinPlatform {
 public:
  THookRecorder() : TsWinSkinPlatform(&SkinEngineHost()) {}
  std::vector<HWND> created, destroyed;
  void WindowHookNotice(int code, WPARAM wParam, LPARAM) override {
    if (code == HCBT_CREATEWND) created.push_back(reinterpret_cast<HWND>(wParam));
    if (code == HCBT_DESTROYWND) destroyed.push_back(reinterpret_cast<HWND>(wParam));
  }
};

struct TLayeredCall {
  SIZE size;
  POINT source;
  BLENDFUNCTION blend;
  DWORD flags;
};

using TEdit = TsSkinnedControl<TWinControl>;


bool IsGlowWindow(HWND wnd) { return (GetWindowLongW(wnd, GWL_EXSTYLE) & kGlowStyle) == kGlowStyle; }

BOOL CALLBACK CountGlowWindow(HWND wnd, LPARAM counter) {
  if (IsGlowWindow(wnd)) ++*reinterpret_cast<int*>(counter);
  return TRUE;
}
// The glow windows of this thread.
int GlowWindows() {
  int n = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountGlowWindow, reinterpret_cast<LPARAM>(&n));
  return n;
}

struct TGlowSearch {
  POINT point;
  HWND found = nullptr;
};
BOOL CALLBACK FindGlowWindow(HWND wnd, LPARAM search) {
  auto& s = *reinterpret_cast<TGlowSearch*>(search);
  RECT r;
  if (!IsGlowWindow(wnd) || !IsWindowVisible(wnd) || !GetWindowRect(wnd, &r) || !PtInRect(&r, s.point)) return TRUE;
  s.found = wnd;
  return FALSE;
}
// The shown glow window of this thread that lies over the centre of the screen rectangle r (a
// glow surrounds its item, or is a cut of it), or null. Hidden glow windows waiting to be
// destroyed are passed by.
HWND GlowWindowOver(const TRect& r) {
  TGlowSearch search{{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2}};
  EnumThreadWindows(GetCurrentThreadId(), FindGlowWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK CountWindow(HWND, LPARAM counter) {
  ++*reinterpret_cast<int*>(counter);
  return TRUE;
}
int ThreadWindows() {
  int n = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&n));
  return n;
}

class Glow : public ::testing::Test {
 protected:
  THookRecorder platform;
  TsSkinManager manager{nullptr};
  TForm form{nullptr};
  std::vector<TLayeredCall> calls;
  TsUpdateLayeredFn previous;

  void SetUp() override {
    SetSkinPlatform(&platform);
    manager.InternalSkins().Add(mgrtest::StoredSkin(L"T", WriteSkinPackage(Package())));
    manager.SetSkinName(L"T");
    ASSERT_GE(manager.GetSkinIndex(L"GLOW20"), 0);
    ASSERT_TRUE(SkinHookInstalled());
    form.SetBounds(100, 100, 300, 200);
    form.Show();
    previous = SetUpdateLayeredFunction([this](HWND wnd, HDC screen, POINT* pos, SIZE* size, HDC src, POINT* srcPos,
                                               COLORREF key, BLENDFUNCTION* blend, DWORD flags) {
      calls.push_back({*size, *srcPos, *blend, flags});
      return previous ? previous(wnd, screen, pos, size, src, srcPos, key, blend, flags)
                      : BOOL(TRUE);
    });
  }
  void TearDown() override {
    HideAllGlows(true);
    SetUpdateLayeredFunction(nullptr);
    pumptest::PumpPending();
    SetSkinPlatform(nullptr);
  }
  TEdit* Add(const wchar_t* section, TRect bounds) {
    auto* c = new TEdit(&form, 3);
    c->SetParent(&form);
    c->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    c->SkinData().SetSkinSection(section);
    c->Loaded();
    c->HandleNeeded();
    return c;
  }
  static TRect ScreenRect(HWND wnd) {
    RECT r;
    GetWindowRect(wnd, &r);
    return {r.left, r.top, r.right, r.bottom};
  }
  // The glow window around a control.
  static HWND GlowOf(TEdit* control) { return GlowWindowOver(ScreenRect(control->Handle())); }
};

}  // namespace

// Entering a control shows a click-through, non-activating layered window 10 pixels beyond it on
// every side (bands 20, margin 10), with the whole picture at constant alpha 255 and per-pixel
// alpha; leaving it hides the window, which is destroyed once pending messages are handled.
TEST_F(Glow, HoverShowsAClickThroughWindowAroundTheControl) {
  TEdit* edit = Add(L"GLOW20", Bounds(20, 30, 40, 20));
  edit->Perform(FN_MOUSEENTER);
  ASSERT_NE(edit->SkinData().GlowID, -1);
  HWND glow = GlowOf(edit);
  ASSERT_TRUE(glow);
  EXPECT_EQ(DWORD(GetWindowLongW(glow, GWL_EXSTYLE)) & kGlowStyle, kGlowStyle);
  EXPECT_TRUE(IsWindowVisible(glow));
  const TRect item = ScreenRect(edit->Handle());
  EXPECT_EQ(ScreenRect(glow), Rect(item.Left - 10, item.Top - 10, item.Right + 10, item.Bottom + 10));
  EXPECT_EQ(SendMessageW(glow, WM_NCHITTEST, 0, MAKELPARAM(item.Left + 1, item.Top + 1)), HTTRANSPARENT);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].size.cx, 60);
  EXPECT_EQ(calls[0].size.cy, 40);
  EXPECT_EQ(calls[0].source.x, 0);
  EXPECT_EQ(calls[0].blend.SourceConstantAlpha, 255);
  EXPECT_EQ(calls[0].blend.AlphaFormat, AC_SRC_ALPHA);
  EXPECT_EQ(calls[0].flags, DWORD(ULW_ALPHA));

  edit->Perform(FN_MOUSELEAVE);
  EXPECT_EQ(edit->SkinData().GlowID, -1);
  EXPECT_FALSE(IsWindowVisible(glow));
  pumptest::PumpPending();
  EXPECT_FALSE(IsWindow(glow));
}

// Bands as wide as the margin: the window lies exactly over the control.
TEST_F(Glow, BandsEqualToTheMarginCoverTheControl) {
  TEdit* edit = Add(L"GLOW10", Bounds(20, 30, 40, 20));
  edit->Perform(FN_MOUSEENTER);
  HWND glow = GlowOf(edit);
  ASSERT_TRUE(glow);
  EXPECT_EQ(ScreenRect(glow), ScreenRect(edit->Handle()));
}

// A second update while the mouse stays over the control keeps the one window it has.
TEST_F(Glow, SecondUpdateWhileHotShowsNoSecondWindow) {
  TEdit* edit = Add(L"GLOW20", Bounds(20, 30, 40, 20));
  edit->Perform(FN_MOUSEENTER);
  const int id = edit->SkinData().GlowID;
  UpdateControlGlow(edit->SkinData(), false, nullptr);
  EXPECT_EQ(edit->SkinData().GlowID, id);
  EXPECT_EQ(GlowWindows(), 1);
}

// Moving, disabling and a new section each take the glow away; a section without GLOW shows none.
TEST_F(Glow, MoveDisableAndSectionChangeHideTheGlow) {
  TEdit* edit = Add(L"GLOW20", Bounds(20, 30, 40, 20));
  edit->Perform(FN_MOUSEENTER);
  ASSERT_NE(edit->SkinData().GlowID, -1);
  edit->SetBounds(25, 30, 40, 20);
  EXPECT_EQ(edit->SkinData().GlowID, -1);
  UpdateControlGlow(edit->SkinData(), false, nullptr);
  ASSERT_NE(edit->SkinData().GlowID, -1);
  edit->SetEnabled(false);
  EXPECT_EQ(edit->SkinData().GlowID, -1);
  edit->SetEnabled(true);
  edit->Perform(FN_MOUSEENTER);
  ASSERT_NE(edit->SkinData().GlowID, -1);
  edit->SkinData().SetSkinSection(L"NOGLOW");
  EXPECT_EQ(edit->SkinData().GlowID, -1);
  UpdateControlGlow(edit->SkinData(), false, nullptr);
  EXPECT_EQ(edit->SkinData().GlowID, -1);
  pumptest::PumpPending();
  EXPECT_EQ(GlowWindows(), 0);
}

// A hidden control has an empty clip box: no glow, not a strip of the glow's left band.
TEST_F(Glow, HiddenControlShowsNoGlow) {
  TEdit* edit = Add(L"GLOW20", Bounds(20, 30, 40, 20));
  edit->SetVisible(false);
  edit->SkinData().FMouseAbove = true;
  UpdateControlGlow(edit->SkinData(), false, nullptr);
  EXPECT_EQ(edit->SkinData().GlowID, -1);
  EXPECT_TRUE(calls.empty());
  EXPECT_EQ(GlowWindows(), 0);
}

// Partly visible items: a margin above the bands with the clip line before the glow's start reads
// the picture from its origin; a sliver left of the glow makes no window at all.
TEST_F(Glow, CutsStayInsideThePicture) {
  TEdit* edit = Add(L"GLOW10", Bounds(20, 30, 40, 20));
  const TRect r = Bounds(200, 200, 40, 20);
  const int id = ShowGlow(r, Rect(2, 1, 40, 20), L"GLOW10", L"GLOW", &edit->SkinData(), form.Handle(), 255, 15);
  ASSERT_NE(id, -1);
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].source.x, 0);
  EXPECT_EQ(calls[0].source.y, 0);
  EXPECT_EQ(calls[0].size.cx, 30);
  EXPECT_EQ(calls[0].size.cy, 10);
  EXPECT_EQ(ScreenRect(GlowWindowOver(r)), Bounds(205, 205, 30, 10));
  EXPECT_EQ(ShowGlow(r, Rect(0, 0, 1, 20), L"GLOW10", L"GLOW", &edit->SkinData(), form.Handle(), 255, 15), -1);
  EXPECT_EQ(calls.size(), 1u);
}

// After every glow was removed, a control's old id must not take down the glow shown since for
// another control.
TEST_F(Glow, StaleIdLeavesAnotherControlsGlow) {
  TEdit* a = Add(L"GLOW20", Bounds(20, 30, 40, 20));
  TEdit* b = Add(L"GLOW20", Bounds(20, 80, 40, 20));
  a->Perform(FN_MOUSEENTER);
  ASSERT_NE(a->SkinData().GlowID, -1);
  HideAllGlows(true);
  b->Perform(FN_MOUSEENTER);
  ASSERT_NE(b->SkinData().GlowID, -1);
  HWND bGlow = GlowOf(b);
  HideGlow(a->SkinData().GlowID);
  EXPECT_EQ(a->SkinData().GlowID, -1);
  EXPECT_EQ(GlowOf(b), bGlow);
  EXPECT_TRUE(IsWindowVisible(bGlow));
}

// A hundred hovers leave no window behind, and the creation hook is never told about a glow window.
TEST_F(Glow, ShowHideCyclesLeaveNoWindowAndPassTheHook) {
  TEdit* edit = Add(L"GLOW20", Bounds(20, 30, 40, 20));
  edit->Perform(FN_MOUSEENTER);  // the framework's own helper windows come with the first cycle
  edit->Perform(FN_MOUSELEAVE);
  pumptest::PumpPending();
  const int before = ThreadWindows();
  std::vector<HWND> glows;
  for (int i = 0; i < 100; ++i) {
    edit->Perform(FN_MOUSEENTER);
    glows.push_back(GlowOf(edit));
    edit->Perform(FN_MOUSELEAVE);
    if (i % 10 == 0) pumptest::PumpPending();
  }
  pumptest::PumpPending();
  EXPECT_EQ(ThreadWindows(), before);
  EXPECT_EQ(GlowWindows(), 0);
  for (HWND g : glows) {
    EXPECT_TRUE(std::find(platform.created.begin(), platform.created.end(), g) == platform.created.end());
    EXPECT_TRUE(std::find(platform.destroyed.begin(), platform.destroyed.end(), g) == platform.destroyed.end());
  }
  EXPECT_FALSE(platform.created.empty() && platform.destroyed.empty()) << "the hook saw nothing at all";
}

// Removing every glow (as a skin change does) destroys the windows at once.
TEST_F(Glow, PlatformHideAllGlowsDestroysAtOnce) {
  TEdit* edit = Add(L"GLOW20", Bounds(20, 30, 40, 20));
  edit->Perform(FN_MOUSEENTER);
  HWND glow = GlowOf(edit);
  ASSERT_TRUE(glow);
  platform.HideAllGlows();
  EXPECT_FALSE(IsWindow(glow));
}
