// Fades of a skinned control in a real window: the frames its fade timer hands it (command 24)
// or draws onto its window, restarts, the cases that repaint at once, the manager's events, and
// the end of session. The control paints each state as one colour, so every frame is known.
#include <gtest/gtest.h>

#include <functional>
#include <utility>

#include <chrono>
#include <vector>

#include "../data/SkinTestUtil.h"
#include "../data/manager/ManagerTestUtil.h"
#include "PumpUtil.h"
#include "framework/Form.h"
#include "skin/base/sFill.h"
#include "skin/data/sSkinSend.h"
#include "skin/paint/sFadeWin.h"
#include "skin/paint/sGlow.h"
#include "skin/paint/sSkinEngine.h"
#include "skin/paint/sSkinnedControl.h"

namespace {

// FADER glows (bands 10, margin 10) so that the glow's update can be seen.
std::string Options() {
  return "[GLOBALINFO]\r\nVERSION=7.20\r\nMASTERBITMAP=MASTER.BMP\r\n"
         "[FADER]\r\nSTATES=3\r\nCOLOR=0\r\nGLOW=1\r\nGLOWMARGIN=10\r\nGLOW0=!GLOW.BMP!1!0!3!10!10!10!10!0\r\n";
}

std::vector<TsPackageEntry> Package() {
  auto entries = mgrtest::TestPackageEntries(Options());
  entries.push_back({"Glow.bmp", skintest::EncodeBmp(skintest::Solid(48, 48, 0xFF2080C0u), 24)});
  return entries;
}

// The colour of each state's picture (0x00BBGGRR).
constexpr TColor kStateColour[] = {0x00202020, 0x00FFC080, 0x00004000};

// A control whose look is one colour per state, recording the frames offered to it.
class TFader : public TsSkinnedControl<TWinControl> {
 public:
  explicit TFader(TComponent* owner) : TsSkinnedControl(owner, 93) {}
  int State = 0;
  bool TakeFrames = true;  // answer command 24 (else the timer draws onto the window)
  std::vector<TBitmap32> Frames;
  std::function<void()> OnFrame;  // run on each frame taken
  TsAnimatEvents Events = kDefaultAnimatEvents;

  bool Fading() const { return fadeTimer_ != nullptr; }
  void Change(int state, TsAnimatEvent e) {
    State = state;
    skinData_.FMouseAbove = state > 0;
    const bool half = e == aeMouseDown || e == aeMouseUp;
    FadeOnEvent(fadeTimer_, skinData_, half, TFadeDirection::fdUp, AnimationAllowed(e, Events, skinData_.SkinManager()));
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_SKINCOMMAND && SkinCommandCode(m.WParam) == SKIN_PREPARECACHE) PaintCache();
    if (m.Msg == SM_SKINCOMMAND && SkinCommandCode(m.WParam) == SKIN_FADEFRAME && TakeFrames && IsOwnSkinSend(m.WParam, m.LParam)) {
      Frames.push_back(reinterpret_cast<TBitmap*>(m.LParam)->Pixels());
      if (OnFrame) OnFrame();
      m.Result = 1;
      return;
    }
    TsSkinnedControl::WndProc(m);
  }

 protected:
  void PaintWindow(HDC dc) override {
    if (skinData_.BGChanged || !skinData_.CacheBmp() || skinData_.CacheBmp()->Width() == 0) PaintCache();
    BitBlt(dc, 0, 0, Width(), Height(), skinData_.CacheBmp()->DC(), 0, 0, SRCCOPY);
  }

 private:
  void PaintCache() {
    TBitmap& cache = skinData_.EnsureCache();
    if (cache.Width() != Width() || cache.Height() != Height()) cache.SetSize(Width(), Height());
    GdiFlush();
    FillPixels(cache.Pixels(), TRect{0, 0, Width(), Height()}, kStateColour[State], 255);
    skinData_.BGChanged = false;
  }
};

// Frame k of a fade from one state's colour to another's, as the fade blends it.
std::uint32_t Blended(int from, int to, int a) {
  const int w = 255 - a;
  std::uint32_t p = 0xFF000000u;
  for (int shift = 0; shift <= 16; shift += 8) {
    // The picture is in pixel order (0xAARRGGBB): the colour's red byte lands in bits 16–23.
    const int f = int((kStateColour[from] >> (16 - shift)) & 0xFF), t = int((kStateColour[to] >> (16 - shift)) & 0xFF);
    p |= std::uint32_t((w * (f - t) + 256 * t) >> 8) << shift;
  }
  return p;
}

std::vector<std::uint32_t> Expected(int from, int to, const std::vector<int>& weights) {
  std::vector<std::uint32_t> v;
  for (int a : weights) v.push_back(Blended(from, to, a));
  return v;
}

std::vector<std::uint32_t> CornerPixels(const std::vector<TBitmap32>& frames) {
  std::vector<std::uint32_t> v;
  for (const TBitmap32& f : frames) v.push_back(f.Pixel(f.Width() - 1, f.Height() - 1));
  return v;
}

using pumptest::Pump;
using pumptest::PumpPending;

class FadeWin : public ::testing::Test {
 protected:
  TsSkinManager manager{nullptr};
  TForm form{nullptr};
  TFader* fader = nullptr;

  void SetUp() override {
    InstallSkinEngine();
    manager.InternalSkins().Add(mgrtest::StoredSkin(L"T", WriteSkinPackage(Package())));
    manager.SetSkinName(L"T");
    form.SetBounds(60, 60, 240, 140);
    fader = Add(Bounds(20, 20, 75, 25));
    form.Show();
    PumpPending();  // the first painting makes the cache
  }
  void TearDown() override {
    HideAllGlows(true);
    SetSkinPlatform(nullptr);
  }
  TFader* Add(TRect bounds) {
    auto* c = new TFader(&form);
    c->SetParent(&form);
    c->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
    c->SkinData().SetSkinSection(L"FADER");
    c->Loaded();
    return c;
  }
  void Settle(TFader* c) {
    Pump([c] { return !c->Fading(); });
    ASSERT_FALSE(c->Fading());
  }
};

}  // namespace

// Entering fades in 11 frames, pressing in 5; the last frame is the new picture and the tick after
// it ends the fade.
TEST_F(FadeWin, EnterAndPressGiveTheirFrames) {
  fader->Change(1, aeMouseEnter);
  Settle(fader);
  EXPECT_EQ(CornerPixels(fader->Frames), Expected(0, 1, {23, 46, 69, 92, 115, 139, 162, 185, 208, 231, 255}));
  fader->Frames.clear();
  fader->Change(2, aeMouseDown);
  Settle(fader);
  EXPECT_EQ(CornerPixels(fader->Frames), Expected(1, 2, {51, 102, 153, 204, 255}));
  EXPECT_EQ(LiveFadeTimers(), 0);
}

// A press during the enter fade starts again from the cache as it is then: the enter's target.
TEST_F(FadeWin, RestartStartsFromTheCurrentCache) {
  fader->Change(1, aeMouseEnter);
  Pump([&] { return fader->Frames.size() >= 3; });
  ASSERT_GE(fader->Frames.size(), 3u);
  fader->Frames.clear();
  fader->Change(2, aeMouseDown);
  Settle(fader);
  EXPECT_EQ(CornerPixels(fader->Frames), Expected(1, 2, {51, 102, 153, 204, 255}));
}

// Without a current picture the control repaints at once; its glow is updated all the same.
TEST_F(FadeWin, NoFadeWithoutACurrentPictureButTheGlowFollows) {
  fader->SkinData().BGChanged = true;
  fader->Change(1, aeMouseEnter);
  EXPECT_FALSE(fader->Fading());
  EXPECT_TRUE(fader->Frames.empty());
  EXPECT_NE(fader->SkinData().GlowID, -1);
  fader->SkinData().EmptyCache();
  fader->Change(0, aeMouseLeave);
  EXPECT_FALSE(fader->Fading());
  EXPECT_EQ(fader->SkinData().GlowID, -1);
}

// The manager's button events decide for aeGlobalDef; the control's own aeMouseDown overrides.
TEST_F(FadeWin, ManagerEventsAndTheControlsOwn) {
  manager.AnimEffects().Buttons.Events = beMouseEnter | beMouseLeave | beMouseUp;
  fader->Change(2, aeMouseDown);
  EXPECT_FALSE(fader->Fading());
  PumpPending();
  fader->Events = aeGlobalDef | aeMouseDown;
  fader->Change(1, aeMouseDown);
  Settle(fader);
  EXPECT_EQ(fader->Frames.size(), 5u);
}

// Frames the control does not take are drawn onto its window: once the fade is over, the screen
// shows the cache.
TEST_F(FadeWin, TheScreenShowsTheCacheAfterTheFade) {
  fader->TakeFrames = false;
  fader->Change(1, aeMouseEnter);
  Settle(fader);
  TBitmap shot(75, 25);
  {
    HWND wnd = fader->Handle();
    HDC dc = GetDC(wnd);
    BitBlt(shot.DC(), 0, 0, 75, 25, dc, 0, 0, SRCCOPY);
    ReleaseDC(wnd, dc);
  }
  GdiFlush();
  const TBitmap32& cache = fader->SkinData().CacheBmp()->Pixels();
  int differing = 0;
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 75; ++x) differing += (shot.Pixels().Pixel(x, y) & 0xFFFFFF) != (cache.Pixel(x, y) & 0xFFFFFF);
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(cache.Pixel(0, 0) & 0xFFFFFF, Blended(0, 1, 255) & 0xFFFFFF);
}

// The end of the session, met inside a fade's frame (a nested message loop can do that): the
// fade cannot go before its frame returns, so the stop waits for it, dispatching messages. A
// request to end the program met meanwhile stays for the loop that ends the program.
TEST_F(FadeWin, StoppingForShutdownKeepsTheQuitRequest) {
  bool stopped = false;
  fader->OnFrame = [&] {
    if (std::exchange(stopped, true)) return;
    PostQuitMessage(7);
    StopFadesForShutdown();
  };
  fader->Change(1, aeMouseEnter);
  MSG msg{};
  bool quit = false;
  const DWORD start = GetTickCount();
  while (!quit && GetTickCount() - start < 10000) {
    if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      continue;
    }
    quit = msg.message == WM_QUIT;
    if (!quit) DispatchMessageW(&msg);
  }
  ResumeFadesAfterCancelledShutdown();
  ASSERT_TRUE(stopped);
  ASSERT_TRUE(quit);
  EXPECT_EQ(msg.wParam, 7u);
  fader->OnFrame = nullptr;
  Settle(fader);
}

// Ending the session stops every fade at once; a cancelled end lets fades run again.
TEST_F(FadeWin, EndOfSessionStopsEveryFade) {
  TFader* other = Add(Bounds(120, 20, 75, 25));
  PumpPending();
  fader->Change(1, aeMouseEnter);
  other->Change(1, aeMouseEnter);
  ASSERT_EQ(LiveFadeTimers(), 2);
  StopFadesForShutdown();
  EXPECT_EQ(LiveFadeTimers(), 0);
  fader->Change(0, aeMouseLeave);  // no fade while the system is ending
  EXPECT_FALSE(fader->Fading());
  ResumeFadesAfterCancelledShutdown();
  PumpPending();
  fader->Frames.clear();
  fader->Change(1, aeMouseEnter);
  Settle(fader);
  EXPECT_EQ(fader->Frames.size(), 11u);
}
