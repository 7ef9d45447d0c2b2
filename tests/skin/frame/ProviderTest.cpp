// The skinned frame on real windows with the setup window's own skin: what the frame shows, the
// region, the hit test, and the faults of the frame's messages (a region applied on every paint,
// a release closing after another press, a hot button left hot, a cover left on the screen).
#include "ProviderFixture.h"
#include "skin/paint/sMaskFrame.h"

namespace {

using namespace providertest;

// A plain red 16 × 16 icon.
TUniqueIcon RedIcon() {
  std::vector<std::uint32_t> red(16 * 16, 0x00FF0000u);
  std::vector<std::uint8_t> mask(16 * 16 / 8, 0);
  TUniqueBitmap color(CreateBitmap(16, 16, 1, 32, red.data()));
  TUniqueBitmap opaque(CreateBitmap(16, 16, 1, 1, mask.data()));
  ICONINFO info{TRUE, 0, 0, opaque.get(), color.get()};
  return TUniqueIcon(CreateIconIndirect(&info));
}

// The frame on the screen is the provider's picture, strip by strip, active and inactive and
// after caption and icon changes; the region lacks exactly the cut corners; the icon is drawn
// opaque into the picture.
TEST_F(Provider, FrameIsThePictureAndTheRegionLacksTheCorners) {
  auto form = NewForm(TFormBorderStyle::bsSingle, 60);
  RiDuraRidareza& p = Of(*form);
  HWND wnd = form->Handle();
  ASSERT_FALSE(GetWindowLongW(wnd, GWL_STYLE) & WS_SYSMENU) << "the system's caption items are gone";
  const TUniqueIcon icon = RedIcon();
  const struct Step {
    const char* what;
    std::function<void()> change;
  } steps[] = {
      {"active", [&] { SendMessageW(wnd, WM_NCACTIVATE, TRUE, 0); }},
      {"inactive", [&] { SendMessageW(wnd, WM_NCACTIVATE, FALSE, 0); }},
      {"caption changed", [&] { form->SetCaption(L"Another caption"); }},
      {"icon set", [&] { SendMessageW(wnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon.get())); }},
  };
  for (const Step& step : steps) {
    step.change();
    PumpPending();
    const TBitmap32 shown = WindowPixels(wnd);
    const TBitmap32& image = p.Image().Pixels();
    const TsFrameMetrics fm = p.Metrics();
    TUniqueRgn region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(wnd, region.get()), ERROR);
    for (int y = 0; y < shown.Height(); ++y)
      for (int x = 0; x < shown.Width(); ++x) {
        const bool frame = y < fm.HeaderHeight || y >= shown.Height() - fm.BorderHeight || x < fm.BorderWidth ||
                           x >= shown.Width() - fm.BorderWidth;
        if (!frame || !PtInRegion(region.get(), x, y)) continue;
        ASSERT_EQ(shown.Pixel(x, y) & 0xFFFFFF, image.Pixel(x, y) & 0xFFFFFF) << step.what << " " << x << "," << y;
      }
    ASSERT_FALSE(p.ArOR.empty()) << "the skin's frame has cut corners";
    for (const TRect& r : p.ArOR)
      for (int x = r.Left; x < r.Right; ++x) EXPECT_FALSE(PtInRegion(region.get(), x, r.Top)) << x << "," << r.Top;
    EXPECT_TRUE(PtInRegion(region.get(), shown.Width() / 2, 1));
  }
  EXPECT_FALSE(p.FormActive);
  const TRect at = p.Title().FIconRect;
  ASSERT_GT(at.Width(), 0) << "a single-border form with a system menu shows its icon";
  EXPECT_EQ(p.Image().Pixels().Pixel((at.Left + at.Right) / 2, (at.Top + at.Bottom) / 2), 0xFFFF0000u);
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
  struct TCounting : TGraphicControl {
    using TGraphicControl::TGraphicControl;
    int removals = 0;
    void WndProc(TMessage& m) override {
      if (m.Msg == SM_SKINCOMMAND && SkinCommandCode(m.WParam) == SKIN_UNLOADED) ++removals;
      TGraphicControl::WndProc(m);
    }
  };
  auto form = NewForm(TFormBorderStyle::bsDialog, 60);
  HWND wnd = form->Handle();
  auto* child = new TCounting(form.get());
  child->SetParent(form.get());
  manager.SetActive(false);
  PumpPending();
  // The manager tells every form's children; the form passing it on too would tell them twice.
  EXPECT_EQ(child->removals, 1) << "a windowless child hears the removal once";
  TUniqueRgn region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_TRUE(GetWindowLongW(wnd, GWL_STYLE) & WS_SYSMENU);
  EXPECT_EQ(GetWindowRgn(wnd, region.get()), ERROR);
  manager.SetActive(true);
  RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
  PumpPending();
  EXPECT_FALSE(GetWindowLongW(wnd, GWL_STYLE) & WS_SYSMENU);
  EXPECT_NE(GetWindowRgn(wnd, region.get()), ERROR);
}

}  // namespace

namespace providertest {

// A sizeable form whose provider asks for the grip shows the skin's grip image at the bottom right
// of its client area, and only there; a fixed form never does. An unknown grip mode in a layout
// is an error.
TEST_F(Provider, GripAtTheClientsBottomRight) {
  const int grip = manager.ConstData.GripRightBottom;
  if (!manager.IsValidImgIndex(grip)) GTEST_SKIP() << "the window skin has no grip image";
  const TsFrameSize size = MaskFrameSize(manager.ma()[std::size_t(grip)]);
  auto imageOf = [&](TFormBorderStyle style, TsGripMode mode) {
    auto form = NewHiddenForm(style, 40);
    Of(*form).GripMode = mode;
    form->Show();
    PumpPending();
    Of(*form).CommonData().BGChanged = true;
    Of(*form).PrepareCache();
    RECT client{};
    GetClientRect(form->Handle(), &client);
    const TPoint corner{Of(*form).OffsetX() + client.right, Of(*form).OffsetY() + client.bottom};
    return std::pair{Of(*form).Image().Pixels(), corner};
  };
  const auto [plain, corner] = imageOf(TFormBorderStyle::bsSizeable, TsGripMode::gmNone);
  const auto [gripped, same] = imageOf(TFormBorderStyle::bsSizeable, TsGripMode::gmRightBottom);
  ASSERT_EQ(corner.X, same.X);
  int changed = 0, outside = 0;
  for (int y = 0; y < plain.Height(); ++y)
    for (int x = 0; x < plain.Width(); ++x) {
      if (plain.Pixel(x, y) == gripped.Pixel(x, y)) continue;
      const bool inGrip = x >= corner.X - size.W && x < corner.X && y >= corner.Y - size.H && y < corner.Y;
      (inGrip ? changed : outside) += 1;
    }
  EXPECT_GT(changed, 0);
  EXPECT_EQ(outside, 0);
  const auto [fixed, fixedCorner] = imageOf(TFormBorderStyle::bsSingle, TsGripMode::gmRightBottom);
  const auto [fixedPlain, unused] = imageOf(TFormBorderStyle::bsSingle, TsGripMode::gmNone);
  EXPECT_TRUE(fixed.Pixel(fixedCorner.X - 2, fixedCorner.Y - 2) == fixedPlain.Pixel(fixedCorner.X - 2, fixedCorner.Y - 2));

  TForm form{nullptr};
  RiDuraRidareza provider(&form);
  TLayoutValue mode;
  mode.kind = TLayoutValue::Kind::Identifier;
  mode.text = L"gmSomewhere";
  struct TNoMethods : TLayoutContext {
    const std::any& Method(const std::wstring&) const override { throw ELayoutError("no methods"); }
  } context;
  EXPECT_THROW(provider.SetProperty("GripMode", mode, context), ELayoutError);
}

}  // namespace providertest
