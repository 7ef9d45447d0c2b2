// The skinned frame on real windows with the setup window's own skin: what the frame shows, the
// region, the hit test, and the faults of the frame's messages (a region applied on every paint,
// a release closing after another press, a hot button left hot, a cover left on the screen).
#include <gtest/gtest.h>

#include "../controls/WindowPixels.h"
#include "../paint/PumpUtil.h"
#include "framework/Form.h"
#include "framework/Handles.h"
#include "framework/WindowProcHook.h"
#include "skin/data/sHelperWindows.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"
#include "skin/data/sStoredSkinLoad.h"
#include "skin/frame/sSkinProvider.h"
#include "skin/paint/sGlow.h"
#include "skin/paint/sSkinEngine.h"

namespace {

using pumptest::PumpPending;

void PumpFor(int ms) {
  const DWORD end = GetTickCount() + DWORD(ms);
  while (GetTickCount() < end) {
    PumpPending();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

// Counts the visible helper windows of the thread (covers, overlays) into *count.
BOOL CALLBACK CountVisibleHelpers(HWND wnd, LPARAM count) {
  if (IsWindowVisible(wnd) && IsHelperForm(TWinControl::FromHandle(wnd))) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

class Provider : public ::testing::Test {
 protected:
  TsSkinManager manager{nullptr};

  void SetUp() override {
    InstallSkinEngine();
    storedskin::PrepareStoredSkin(manager, storedskin::ReadFileBytes(PRISMATONE_WINDOW_SKIN_PATH), 196, L"T");
    manager.SetSkinName(L"T");
    manager.Effects().AllowGlowing = false;  // buttons repaint directly: their pixels are the image's
  }
  void TearDown() override {
    HideAllGlows(true);
    SetSkinPlatform(nullptr);
  }
  // A shown, skinned form; its provider belongs to it.
  std::unique_ptr<TForm> NewForm(TFormBorderStyle style, int left, TBorderIcons icons = kDefaultBorderIcons) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(style);
    form->SetBorderIcons(icons);
    form->SetBounds(left, 60, 320, 200);
    form->SetCaption(L"Frame");
    new RiDuraRidareza(form.get());
    form->Show();
    PumpPending();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    PumpPending();
    return form;
  }
  static RiDuraRidareza& Of(TForm& form) { return *ProviderOf(form.Handle()); }
  static LPARAM ScreenAt(TForm& form, TPoint p) {
    RECT w{};
    GetWindowRect(form.Handle(), &w);
    return MAKELPARAM(w.left + p.X, w.top + p.Y);
  }
};

// The frame on the screen is the provider's picture, strip by strip, active and inactive; the
// region lacks exactly the cut corners.
TEST_F(Provider, FrameIsThePictureAndTheRegionLacksTheCorners) {
  auto form = NewForm(TFormBorderStyle::bsDialog, 60);
  RiDuraRidareza& p = Of(*form);
  ASSERT_FALSE(GetWindowLongW(form->Handle(), GWL_STYLE) & WS_SYSMENU) << "the system's caption items are gone";
  for (const bool active : {true, false}) {
    SendMessageW(form->Handle(), WM_NCACTIVATE, active, 0);
    PumpPending();
    ASSERT_EQ(p.FormActive, active);
    const TBitmap32 shown = WindowPixels(form->Handle());
    const TBitmap32& image = p.Image().Pixels();
    const TsFrameMetrics fm = p.Metrics();
    TUniqueRgn region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(form->Handle(), region.get()), ERROR);
    for (int y = 0; y < shown.Height(); ++y)
      for (int x = 0; x < shown.Width(); ++x) {
        const bool frame = y < fm.HeaderHeight || y >= shown.Height() - fm.BorderHeight || x < fm.BorderWidth ||
                           x >= shown.Width() - fm.BorderWidth;
        if (!frame || !PtInRegion(region.get(), x, y)) continue;
        ASSERT_EQ(shown.Pixel(x, y) & 0xFFFFFF, image.Pixel(x, y) & 0xFFFFFF) << (active ? "active " : "inactive ") << x << "," << y;
      }
    ASSERT_FALSE(p.ArOR.empty()) << "the skin's frame has cut corners";
    for (const TRect& r : p.ArOR)
      for (int x = r.Left; x < r.Right; ++x) EXPECT_FALSE(PtInRegion(region.get(), x, r.Top)) << x << "," << r.Top;
    EXPECT_TRUE(PtInRegion(region.get(), shown.Width() / 2, 1));
  }
}

// The close button answers the hit test; greyed, it is caption; a double click on a dialog's
// caption does not maximise.
TEST_F(Provider, HitTestOfTheCloseButton) {
  auto form = NewForm(TFormBorderStyle::bsDialog, 60);
  RiDuraRidareza& p = Of(*form);
  const TRect close = p.Buttons.Close.Rect;
  ASSERT_GT(close.Width(), 0);
  const TPoint centre{(close.Left + close.Right) / 2, (close.Top + close.Bottom) / 2};
  EXPECT_EQ(SendMessageW(form->Handle(), WM_NCHITTEST, 0, ScreenAt(*form, centre)), HTCLOSE);
  EXPECT_EQ(SendMessageW(form->Handle(), WM_NCHITTEST, 0, ScreenAt(*form, {40, centre.Y})), HTCAPTION);
  SendMessageW(form->Handle(), WM_NCLBUTTONDBLCLK, HTCAPTION, ScreenAt(*form, {40, centre.Y}));
  EXPECT_FALSE(IsZoomed(form->Handle()));
  EnableMenuItem(GetSystemMenu(form->Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  EXPECT_EQ(SendMessageW(form->Handle(), WM_NCHITTEST, 0, ScreenAt(*form, centre)), HTCAPTION);
}

// Once settled, the frame paints no more: the region is applied once per change, not on every
// non-client paint (which it would bring again).
TEST_F(Provider, RegionIsAppliedOncePerChange) {
  auto form = NewForm(TFormBorderStyle::bsDialog, 60);
  int ncPaints = 0;
  TWindowProcHook counter(*form, [&](TMessage& m, const TWndMethod& previous) {
    if (m.Msg == WM_NCPAINT) ++ncPaints;
    previous(m);
  });
  PumpFor(300);
  EXPECT_EQ(ncPaints, 0);
  RiDuraRidareza& p = Of(*form);
  SetWindowPos(form->Handle(), nullptr, 0, 0, 360, 220, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  PumpFor(100);
  EXPECT_FALSE(p.RgnChanged) << "applied after the resize";
  ncPaints = 0;
  PumpFor(300);
  EXPECT_EQ(ncPaints, 0);
}

// A release closes only after the press of the same button on the same form.
TEST_F(Provider, ReleaseActsOnlyOnItsOwnPress) {
  auto a = NewForm(TFormBorderStyle::bsDialog, 40);
  auto b = NewForm(TFormBorderStyle::bsSingle, 400, biSystemMenu | biMinimize);
  struct Row {
    TForm* down;
    UINT downCode;
    TForm* up;
    bool closes;
    const char* what;
  } rows[] = {
      {b.get(), HTMINBUTTON, b.get(), false, "minimise down, close up"},
      {a.get(), HTCLOSE, b.get(), false, "close down on one form, up on another"},
      {b.get(), HTCLOSE, b.get(), true, "close down, close up"},
  };
  for (const Row& r : rows) {
    SendMessageW(r.down->Handle(), WM_NCLBUTTONDOWN, r.downCode, 0);
    SendMessageW(r.up->Handle(), WM_NCLBUTTONUP, HTCLOSE, 0);
    PumpPending();
    EXPECT_EQ(!IsWindowVisible(r.up->Handle()), r.closes) << r.what;
  }
}

// A hot close button left through the frame is normal again.
TEST_F(Provider, LeavingThroughTheFrameEndsTheHotLook) {
  auto form = NewForm(TFormBorderStyle::bsDialog, 60);
  RiDuraRidareza& p = Of(*form);
  SendMessageW(form->Handle(), WM_NCMOUSEMOVE, HTCLOSE, 0);
  ASSERT_EQ(p.Buttons.Close.State, 1);
  SendMessageW(form->Handle(), WM_NCMOUSELEAVE, 0, 0);
  EXPECT_EQ(p.Buttons.Close.State, 0);
  EXPECT_EQ(p.CurrentHT, -1);
}

// A hide cancelled further down the chain leaves no cover on the screen.
TEST_F(Provider, CancelledHideLeavesNoCover) {
  TForm form(nullptr);
  form.SetBorderStyle(TFormBorderStyle::bsDialog);
  form.SetBounds(60, 60, 320, 200);
  // Attached before the provider, so the provider's handling runs first and sees the hide asked.
  TWindowProcHook canceller(form, [](TMessage& m, const TWndMethod& previous) {
    if (m.Msg == WM_WINDOWPOSCHANGING) reinterpret_cast<WINDOWPOS*>(m.LParam)->flags &= ~UINT(SWP_HIDEWINDOW);
    previous(m);
  });
  new RiDuraRidareza(&form);
  form.Show();
  RedrawWindow(form.Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  PumpPending();
  ASSERT_TRUE(Of(form).WindowImage());
  ShowWindow(form.Handle(), SW_HIDE);
  PumpPending();
  EXPECT_TRUE(IsWindowVisible(form.Handle()));
  int helpers = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountVisibleHelpers, reinterpret_cast<LPARAM>(&helpers));
  EXPECT_EQ(helpers, 0);
}

// The skin removed, the form has the system's frame back (its menu, no region); the skin again,
// the skinned frame.
TEST_F(Provider, SkinOffAndOn) {
  auto form = NewForm(TFormBorderStyle::bsDialog, 60);
  HWND wnd = form->Handle();
  manager.SetActive(false);
  SendSkinCommand(*form, SKIN_UNLOADED, reinterpret_cast<LPARAM>(&manager));
  PumpPending();
  TUniqueRgn region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_TRUE(GetWindowLongW(wnd, GWL_STYLE) & WS_SYSMENU);
  EXPECT_EQ(GetWindowRgn(wnd, region.get()), ERROR);
  manager.SetActive(true);
  SendSkinCommand(*form, SKIN_LOADED, reinterpret_cast<LPARAM>(&manager));
  SendSkinCommand(*form, SKIN_REFRESH, reinterpret_cast<LPARAM>(&manager));
  RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  PumpPending();
  EXPECT_FALSE(GetWindowLongW(wnd, GWL_STYLE) & WS_SYSMENU);
  EXPECT_NE(GetWindowRgn(wnd, region.get()), ERROR);
}

}  // namespace
