// The skinned push button in a real window with the setup's own skin: its four looks, the
// default look on sections of fewer states, Enter on a focused default button, the window region
// of BUTTON_HUGE and its ownership, the parent's old corners after a shrink, the fades (a release
// during the press fade starting from the pressed picture), the focus frame and painting during
// form animations.
#include <gtest/gtest.h>

#include <set>

#include "../paint/PumpUtil.h"
#include "framework/Form.h"
#include "framework/Timer.h"
#include "skin/controls/sButton.h"
#include "skin/data/sStoredSkinLoad.h"
#include "skin/paint/sFormAnimation.h"
#include "skin/paint/sGlow.h"
#include "skin/paint/sMaskFrame.h"
#include "skin/paint/sSkinEngine.h"

namespace {

using pumptest::Pump;
using pumptest::PumpPending;

std::vector<std::uint32_t> Pixels(const TBitmap32& b) {
  std::vector<std::uint32_t> v;
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x) v.push_back(b.Pixel(x, y) & 0xFFFFFFu);
  return v;
}

// A button that counts the fade frames it is offered and keeps a copy of each.
class TCountingButton : public TsButton {
 public:
  using TsButton::TsButton;
  int Frames = 0;
  std::vector<TBitmap32> Shown;
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_SKINCOMMAND && SkinCommandCode(m.WParam) == SKIN_FADEFRAME) {
      ++Frames;
      if (m.LParam) Shown.push_back(reinterpret_cast<TBitmap*>(m.LParam)->Pixels());
    }
    TsButton::WndProc(m);
  }
};

// The platform's regions, counting those a button holds: made and neither deleted nor taken over
// by a window.
class TCountingRegions : public TsRegionHost {
 public:
  int Made = 0, Held = 0;
  HRGN NewRectRegion(int width, int height) override {
    HRGN r = TsRegionHost::NewRectRegion(width, height);
    if (r) ++Made, ++Held;
    return r;
  }
  void DeleteRegion(HRGN region) override {
    --Held;
    TsRegionHost::DeleteRegion(region);
  }
  bool GiveToWindow(HWND wnd, HRGN region, bool redraw) override {
    const bool taken = TsRegionHost::GiveToWindow(wnd, region, redraw);
    if (taken) --Held;
    return taken;
  }
};

class Button : public ::testing::Test {
 protected:
  TsSkinManager manager{nullptr};
  TCountingRegions regions;  // outlives the form and its buttons
  TForm form{nullptr};
  TCountingButton* button = nullptr;
  int clicks = 0;

  void SetUp() override {
    InstallSkinEngine();
    storedskin::PrepareStoredSkin(manager, storedskin::ReadFileBytes(PRISMATONE_WINDOW_SKIN_PATH), 0, L"T");
    manager.SetSkinName(L"T");
    ASSERT_GE(manager.GetSkinIndex(L"BUTTON"), 0);
    form.SetBounds(60, 60, 320, 220);
    button = Add(L"BUTTON", L"Установить");
    form.Show();
    SetFocus(form.Handle());
    PumpPending();
  }
  void TearDown() override {
    HideAllGlows(true);
    SetSkinPlatform(nullptr);
  }
  TCountingButton* Add(const std::wstring& section, const std::wstring& caption,
                       TsRegionHost& host = PlatformRegions()) {
    auto* b = new TCountingButton(&form, host);
    b->SetParent(&form);
    b->SetBounds(20, 20, 75, 25);
    b->SetCaption(caption);
    b->SkinData().SetSkinSection(section);
    b->SetAnimatEvents(0);  // plain repaints unless a test asks for fades
    b->OnClick = [this](TObject*) { ++clicks; };
    b->Loaded();
    return b;
  }
  // The cache once every paint is done.
  std::vector<std::uint32_t> Look() {
    PumpPending();
    UpdateWindow(button->Handle());
    return Pixels(button->SkinData().CacheBmp()->Pixels());
  }
  void Press() { SendMessageW(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10)); }
  void Release() { SendMessageW(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10)); }
  void Reload(const std::wstring& common) {
    TStringList lines;
    lines.SetText(common);
    manager.SetCommonSections(lines);
    PumpPending();
  }
};

}  // namespace

// Normal, hot, pressed and default are four different pictures; the button clicks once.
TEST_F(Button, FourLooks) {
  EXPECT_EQ(button->CurrentState(), 0);
  const auto normal = Look();
  button->Perform(FN_MOUSEENTER);
  EXPECT_EQ(button->CurrentState(), 1);
  const auto hot = Look();
  Press();
  EXPECT_EQ(button->CurrentState(), 2);
  const auto pressed = Look();
  Release();
  EXPECT_EQ(clicks, 1);
  button->Perform(FN_MOUSELEAVE);
  SetFocus(form.Handle());
  button->SetDefault(true);
  button->SkinData().Invalidate();
  EXPECT_EQ(button->CurrentState(), 3);
  EXPECT_EQ(button->PaintState(), 3);
  const auto defaulted = Look();
  const std::set<std::vector<std::uint32_t>> looks{normal, hot, pressed, defaulted};
  EXPECT_EQ(looks.size(), 4u);
}

// A press held with the pointer away is not pressed; pressed by the space bar it is.
TEST_F(Button, PressAwayAndByKeyboard) {
  button->Perform(FN_MOUSEENTER);
  Press();
  EXPECT_EQ(button->CurrentState(), 2);
  button->Perform(FN_MOUSELEAVE);
  EXPECT_NE(button->CurrentState(), 2);
  Release();
  SetFocus(button->Handle());
  SendMessageW(button->Handle(), WM_KEYDOWN, VK_SPACE, 0x00390001);
  EXPECT_EQ(button->CurrentState(), 2);
  SendMessageW(button->Handle(), WM_KEYUP, VK_SPACE, 0xC0390001);
  PumpPending();
  EXPECT_NE(button->CurrentState(), 2);
}

// With BUTTON at three states a default button shows the hot frame; at none every look paints
// as frame 0.
TEST_F(Button, DefaultOnFewerStatesAndNoStates) {
  Reload(L"[BUTTON]\nSTATES=3\n");
  button->SkinData().UpdateIndexes();
  button->Perform(FN_MOUSEENTER);
  const auto hot = Look();
  button->Perform(FN_MOUSELEAVE);
  SetFocus(form.Handle());
  button->SetDefault(true);
  button->SkinData().Invalidate();
  EXPECT_EQ(button->PaintState(), 1);
  EXPECT_EQ(Look(), hot);
  Reload(L"[BUTTON]\nSTATES=0\n");
  button->SkinData().UpdateIndexes();
  EXPECT_EQ(button->PaintState(), 0);
  const auto atRest = Look();
  button->Perform(FN_MOUSEENTER);
  EXPECT_EQ(button->PaintState(), 0);
  Press();
  EXPECT_EQ(button->CurrentState(), 2);
  EXPECT_EQ(button->PaintState(), 0);
  Release();
}

// Enter on the focused default button clicks it through the dialog manager.
TEST_F(Button, EnterClicksTheFocusedDefaultButton) {
  button->SetDefault(true);
  SetFocus(button->Handle());
  ASSERT_EQ(GetFocus(), button->Handle());
  EXPECT_EQ(SendMessageW(button->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON, DLGC_DEFPUSHBUTTON);
  MSG msg{button->Handle(), WM_KEYDOWN, VK_RETURN, 0x001C0001, 0, {}};
  EXPECT_TRUE(IsDialogMessageW(form.Handle(), &msg));
  PumpPending();
  EXPECT_EQ(clicks, 1);
  button->SetDefault(false);
  EXPECT_EQ(SendMessageW(button->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON, 0);
}

// BUTTON_HUGE cuts the key-colour pixels of its corner bands out of the window, exactly those;
// through hover, press and resize cycles the button holds at most one region and none once gone.
TEST_F(Button, HugeRegionExactAndOwned) {
  TCountingButton* huge = Add(L"BUTTON_HUGE", L"", regions);
  huge->SetBounds(120, 20, 100, 100);
  PumpPending();
  UpdateWindow(huge->Handle());
  const TsMaskData& mask = manager.ma()[std::size_t(huge->SkinData().BorderIndex)];
  ASSERT_EQ(mask.CornerType, 2);
  const auto geometry = MaskFrameGeometry(mask, Rect(0, 0, 100, 100), huge->PaintState());
  ASSERT_TRUE(geometry.has_value());
  TUniqueRgn rgn(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(huge->Handle(), rgn.get()), ERROR);
  const TBitmap32& src = *mask.Bmp;
  int cut = 0;
  for (int part : {fpTopLeft, fpTopRight, fpBottomLeft, fpBottomRight}) {
    const TRect s = geometry->Src[std::size_t(part)], d = geometry->Dst[std::size_t(part)];
    for (int y = 0; y < d.Height(); ++y)
      for (int x = 0; x < d.Width(); ++x) {
        const bool key = src.Pixel(s.Left + x, s.Top + y) == 0x00FF00FFu;
        cut += key;
        EXPECT_EQ(PtInRegion(rgn.get(), d.Left + x, d.Top + y) != 0, !key) << part << " " << x << "," << y;
      }
  }
  EXPECT_GT(cut, 0);
  EXPECT_TRUE(PtInRegion(rgn.get(), 50, 50));
  for (int i = 0; i < 200; ++i) {
    huge->Perform(FN_MOUSEENTER);
    UpdateWindow(huge->Handle());
    SendMessageW(huge->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    UpdateWindow(huge->Handle());
    SendMessageW(huge->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(50, 50));
    huge->Perform(FN_MOUSELEAVE);
    huge->SetBounds(120, 20, 100 + i % 3, 100 - i % 2);
    PumpPending();
    ASSERT_LE(regions.Held, 1) << i;
  }
  EXPECT_GT(regions.Made, 200);  // the regions did pass through the host
  delete huge;
  EXPECT_EQ(regions.Held, 0);
}

// Shrinking a BUTTON_HUGE over a plain colour makes the parent paint its three old corners.
TEST_F(Button, ShrinkInvalidatesOldCorners) {
  TCountingButton* huge = Add(L"BUTTON_HUGE", L"");
  huge->SetBounds(120, 20, 100, 100);
  PumpPending();
  UpdateWindow(huge->Handle());
  const TsMaskData& mask = manager.ma()[std::size_t(huge->SkinData().BorderIndex)];
  UpdateWindow(form.Handle());
  ValidateRect(form.Handle(), nullptr);
  huge->SetBounds(120, 20, 80, 100);  // narrower only: the old bottom-left corner stays covered
  UpdateWindow(huge->Handle());
  TUniqueRgn update(CreateRectRgn(0, 0, 0, 0));
  GetUpdateRgn(form.Handle(), update.get(), FALSE);
  EXPECT_TRUE(PtInRegion(update.get(), 120 + mask.WL / 2, 120 - mask.WB / 2));
  EXPECT_TRUE(PtInRegion(update.get(), 220 - mask.WR / 2, 20 + mask.WT / 2));
  EXPECT_FALSE(PtInRegion(update.get(), 160, 70));
}

// Entering fades in 11 frames, a press in 5; a release during the press fade starts the next
// fade from the pressed picture.
TEST_F(Button, Fades) {
  button->SetAnimatEvents(aeGlobalDef);
  manager.AnimEffects().Buttons.Events = kAllBtnEvents;
  button->Perform(FN_MOUSEENTER);
  EXPECT_TRUE(button->Fading());
  Pump([&] { return !button->Fading(); });
  EXPECT_EQ(button->Frames, 11);
  button->Frames = 0;
  Press();
  Pump([&] { return !button->Fading(); });
  EXPECT_EQ(button->Frames, 5);
  const auto pressed = Look();
  Release();
  Pump([&] { return !button->Fading(); });
  PumpPending();
  Press();
  Pump([&] { return button->Frames >= 6; });
  ASSERT_TRUE(button->Fading());
  Release();
  ASSERT_TRUE(button->Fading());
  EXPECT_EQ(Pixels(button->FadeTimer()->BmpFrom), pressed);
  Pump([&] { return !button->Fading(); });
}

// The focus frame: dotted pixels exactly on the caption rectangle grown by FocusMargin + 1 and
// FocusMargin, in the hot font colour; none with ShowFocus off or without a caption.
TEST_F(Button, FocusFrame) {
  button->SetFocusMargin(2);
  SetFocus(button->Handle());
  const auto framed = Look();
  button->SetShowFocus(false);
  const auto plain = Look();
  const TRect f = ButtonFocusRect(button->CaptionRect(), 2, button->Height());
  const int sectionIndex = button->SkinData().SkinIndex;
  const TColor hot = manager.gd()[std::size_t(sectionIndex)].Props[1].FontColor.Color;
  const std::uint32_t hotRGB = ((hot & 0xFF) << 16) | (hot & 0xFF00) | ((hot >> 16) & 0xFF);
  int dots = 0;
  for (int y = 0; y < button->Height(); ++y)
    for (int x = 0; x < button->Width(); ++x) {
      const std::size_t i = std::size_t(y * button->Width() + x);
      if (framed[i] == plain[i]) continue;
      ++dots;
      const bool onFrame = (x == f.Left || x == f.Right - 1 || y == f.Top || y == f.Bottom - 1) && x >= f.Left &&
                           x < f.Right && y >= f.Top && y < f.Bottom;
      EXPECT_TRUE(onFrame) << x << "," << y;
      EXPECT_EQ(framed[i], hotRGB) << x << "," << y;
    }
  EXPECT_GT(dots, 10);
  button->SetShowFocus(true);
  button->SetCaption(L"");
  const auto empty = Look();
  button->SetShowFocus(false);
  EXPECT_EQ(Look(), empty);
}

// While a form animation runs a paint request is answered without painting, and the 12 ms
// timers still tick.
TEST_F(Button, FormAnimationValidates) {
  SetFormAnimationRunning(true);
  InvalidateRect(button->Handle(), nullptr, FALSE);
  PumpPending();
  EXPECT_FALSE(GetUpdateRect(button->Handle(), nullptr, FALSE));
  InvalidateRect(button->Handle(), nullptr, FALSE);
  int ticks = 0;
  TTimer timer(nullptr);
  timer.SetInterval(12);
  timer.OnTimer = [&](TObject*) { ++ticks; };
  timer.SetEnabled(true);
  const DWORD start = GetTickCount();
  Pump([&] { return GetTickCount() - start >= 200; });
  timer.SetEnabled(false);
  SetFormAnimationRunning(false);
  EXPECT_GE(ticks, 5);
}
