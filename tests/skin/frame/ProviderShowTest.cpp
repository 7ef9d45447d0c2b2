// The skinned form being shown and hidden (its opacity, the animation events, the caption
// button's fade frames, the first show's frame), and the background a see-through label gets.
#include <vector>

#include "ProviderFixture.h"
#include "framework/Labels.h"
#include "skin/base/sDCPaint.h"
#include "skin/base/sLayered.h"
#include "skin/frame/sFormSkinPlatform.h"
#include "skin/frame/sFrameImage.h"

namespace {

using namespace providertest;

BYTE LayeredAlpha(HWND wnd) {
  BYTE alpha = 0;
  DWORD flags = 0;
  return GetLayeredWindowAttributes(wnd, nullptr, &alpha, &flags) && (flags & LWA_ALPHA) ? alpha : 255;
}

// However the form is shown, it ends at its own opacity after at most one show animation; a
// layered style added only for the animation is gone again.
TEST_F(Provider, ShowEndsAtTheFormsOpacity) {
  const struct Row {
    bool alphaBlend;
    int show;
    const char* what;
  } rows[] = {
      {true, SW_SHOWNORMAL, "alpha 240, shown"},
      {true, SW_SHOWMINIMIZED, "alpha 240, shown minimised"},
      {false, SW_SHOWNORMAL, "opaque, shown"},
  };
  for (const Row& r : rows) {
    auto form = NewHiddenForm(TFormBorderStyle::bsSingle, 60);
    form->SetAlphaBlend(r.alphaBlend);
    form->SetAlphaBlendValue(240);
    int shows = 0;
    Of(*form).OnAfterAnimation = [&](TsAnimEventKind kind) { shows += kind == TsAnimEventKind::aeShowing; };
    // Some systems show a hidden window minimised without WM_SHOWWINDOW: no animation is prepared
    // then, and none runs.
    bool told = false;
    TWindowProcHook watch(*form, [&](TMessage& m, const TWndMethod& previous) {
      told = told || (m.Msg == WM_SHOWWINDOW && m.WParam);
      previous(m);
    });
    ShowWindow(form->Handle(), r.show);
    PumpPending();
    HWND wnd = form->Handle();
    EXPECT_TRUE(IsWindowVisible(wnd)) << r.what;
    EXPECT_EQ(shows, told ? 1 : 0) << r.what;
    EXPECT_FALSE(Of(*form).FInAnimation) << r.what;
    if (r.alphaBlend) {
      EXPECT_EQ(LayeredAlpha(wnd), 240) << r.what;
      EXPECT_EQ(form->AlphaBlendValue(), 240) << r.what;
    } else {
      EXPECT_FALSE(GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) << r.what;
    }
  }
}

// Every fading hide of a shown form ends with one event; a form with its own opacity has it again
// when shown next, even without a show animation.
TEST_F(Provider, OneHidingEventPerHide) {
  manager.AnimEffects().FormShow.Active = false;
  auto form = NewHiddenForm(TFormBorderStyle::bsDialog, 60);
  form->SetAlphaBlend(true);
  form->SetAlphaBlendValue(240);
  int hides = 0;
  Of(*form).OnAfterAnimation = [&](TsAnimEventKind kind) { hides += kind == TsAnimEventKind::aeHiding; };
  int expected = 0;
  for (const int time : {48, 96}) {
    manager.AnimEffects().FormHide.Time = std::uint16_t(time);
    form->Show();
    PumpPending();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_EQ(LayeredAlpha(form->Handle()), 240) << "shown again after a hide of " << time << " ms";
    form->Hide();
    ++expected;
    pumptest::Pump([&] { return hides >= expected; });
    PumpFor(100);
    EXPECT_EQ(hides, expected) << "a hide of " << time << " ms";
  }
  int helpers = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountVisibleHelpers, reinterpret_cast<LPARAM>(&helpers));
  EXPECT_EQ(helpers, 0) << "the hide's cover is gone";
}

// The fading close button shows its hot look: every frame handed to the system carries the same
// pixels the direct repaint puts into the window's picture, and the fade ends fully shown.
TEST_F(Provider, HotFadeFramesShowTheHotButton) {
  auto form = NewForm(TFormBorderStyle::bsDialog, 60);
  RiDuraRidareza& p = Of(*form);
  HWND wnd = form->Handle();
  const TRect close = p.Buttons.Close.Rect;
  const TPoint centre{(close.Left + close.Right) / 2, (close.Top + close.Bottom) / 2};
  SendMessageW(wnd, WM_NCMOUSEMOVE, HTCLOSE, 0);
  const std::uint32_t hot = p.Image().Pixels().Pixel(centre.X, centre.Y) & 0xFFFFFF;
  SendMessageW(wnd, WM_NCMOUSELEAVE, 0, 0);
  ASSERT_NE(p.Image().Pixels().Pixel(centre.X, centre.Y) & 0xFFFFFF, hot) << "the normal look differs";

  struct Frame {
    BYTE alpha;
    std::uint32_t centre;
  };
  std::vector<Frame> frames;
  const TsUpdateLayeredFn previous =
      SetUpdateLayeredFunction([&](HWND, HDC, POINT*, SIZE*, HDC src, POINT*, COLORREF, BLENDFUNCTION* blend, DWORD) {
        const COLORREF c = GetPixel(src, centre.X - close.Left, centre.Y - close.Top);
        frames.push_back({blend->SourceConstantAlpha, std::uint32_t(GetRValue(c)) << 16 | GetGValue(c) << 8 | GetBValue(c)});
        return TRUE;
      });
  manager.Effects().AllowGlowing = true;
  // The pointer really is over the button: the fade checks it, and a leave would turn it back.
  const LPARAM at = ScreenAt(*form, centre);
  SetCursorPos(short(LOWORD(at)), short(HIWORD(at)));
  SendMessageW(wnd, WM_NCMOUSEMOVE, HTCLOSE, at);
  pumptest::Pump([&] { return !frames.empty() && frames.back().alpha == 255; });
  SetUpdateLayeredFunction(previous);
  ASSERT_GE(frames.size(), 2u);
  EXPECT_EQ(frames.back().alpha, 255);
  for (const Frame& f : frames) EXPECT_EQ(f.centre, hot) << "alpha " << int(f.alpha);
  p.KillAnimations();
}

// A see-through label repainting itself gets the form's own colour behind it, not whatever the
// screen held there.
TEST_F(Provider, SeeThroughLabelRepaintsOverTheFormColour) {
  auto form = NewForm(TFormBorderStyle::bsDialog, 60);
  RiDuraRidareza& p = Of(*form);
  auto* label = new TLabel(form.get());
  label->SetParent(form.get());
  label->SetTransparent(true);
  label->SetCaption(L"a");
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 120, 40);
  PumpPending();
  UpdateWindow(form->Handle());
  {
    TWindowDC dc(form->Handle());
    FillDCRect(dc.dc(), TRect{10, 10, 130, 50}, TColor(0x0000FF));
  }
  label->Repaint();
  const TColor expected = FormColor(manager, p.CommonData().SkinIndex, p.FormActive);
  EXPECT_EQ(GetPixel(TWindowDC(form->Handle()).dc(), 125, 45), COLORREF(ColorToRGB(expected)));
}

// The setup's way to a skinned window: a plain form that gets its provider from the window hook
// at its first activation. Its first show applies the frame's region once and without a redraw:
// the whole window is being painted anyway, and a redraw (or a second picture of the frame built
// for sections resolved too late) would paint all of it again.
TEST(FirstShow, RegionAppliedOnceWithoutRedraw) {
  InstallFormSkinning();
  {
    TsSkinManager manager(nullptr);
    LoadWindowSkin(manager);
    TForm form(nullptr);
    form.SetBorderStyle(TFormBorderStyle::bsDialog);
    form.SetBounds(60, 60, 320, 200);
    form.SetCaption(L"Frame");
    std::vector<UINT> frameChanges;
    TWindowProcHook watch(form, [&](TMessage& m, const TWndMethod& previous) {
      if (m.Msg == WM_WINDOWPOSCHANGED) {
        const UINT flags = reinterpret_cast<const WINDOWPOS*>(m.LParam)->flags;
        if (flags & SWP_FRAMECHANGED) frameChanges.push_back(flags);
      }
      previous(m);
    });
    form.Show();
    PumpPending();
    ASSERT_NE(ProviderOf(form.Handle()), nullptr);
    ASSERT_EQ(frameChanges.size(), 1u);
    EXPECT_TRUE(frameChanges[0] & SWP_NOREDRAW);
  }
  SetSkinPlatform(nullptr);
}

}  // namespace
