// The fade state machine driven tick by tick through a recording host (and under the address
// sanitizer in the sanitised build: a timer stopped inside its own tick must outlive the tick).
#include <gtest/gtest.h>

#include "../base/PaintTestUtil.h"
#include "skin/data/sMessages.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sFade.h"

namespace {

// A control as a fade sees it: its cache, its state, and what it does with commands.
struct TFakeControl {
  TBitmap32 Cache = painttest::Filled(4, 3, 0xFF000000);
  TBitmap32 NextLook = painttest::Filled(4, 3, 0xFF0000FF);  // painted into the cache by command 23
  bool Alive = true, Enabled = true, BGChanged = false;
  TsFadeTimer* Slot = nullptr;
  std::vector<int> Frames;                // the blue byte of each frame shown
  std::vector<std::uint16_t> Commands;
  int Invalidated = 0;
  bool Ticking = false;
  std::function<void(std::uint16_t)> OnCommand;  // extra behaviour of a test
  TBitmap32 Frame;

  std::unique_ptr<TsFadeHost> Host();
  void Command(std::uint16_t code) {
    Commands.push_back(code);
    if (code == SKIN_PREPARECACHE) Cache = NextLook;
    if (code == SKIN_STOPANIMATION) StopFade(Slot);
    if (OnCommand) OnCommand(code);
  }
  // Ticks until the timer stops ticking (at most n).
  void Run(int n = 30) {
    for (int i = 0; i < n && Slot && Ticking; ++i) Slot->Timer();
  }
};

class TFakeHost : public TsFadeHost {
 public:
  explicit TFakeHost(TFakeControl& c) : c_(c) {}
  bool ControlAlive() const override { return c_.Alive; }
  bool ControlEnabled() const override { return c_.Enabled; }
  bool ApplicationTerminating() const override { return false; }
  const TBitmap32* Cache() const override { return &c_.Cache; }
  bool BGChanged() const override { return c_.BGChanged; }
  std::intptr_t Command(std::uint16_t code, std::uint16_t) override {
    c_.Command(code);
    return 0;
  }
  TBitmap32& FrameBuffer(int w, int h) override {
    c_.Frame.SetSize(w, h);
    return c_.Frame;
  }
  void ShowFrame() override {
    c_.Frames.push_back(int(c_.Frame.Pixel(0, 0) & 0xFF));
    c_.Command(SKIN_FADEFRAME);
  }
  void InvalidateCache() override { ++c_.Invalidated; }
  void SetTicking(bool on, unsigned) override { c_.Ticking = on; }

 private:
  TFakeControl& c_;
};

std::unique_ptr<TsFadeHost> TFakeControl::Host() { return std::make_unique<TFakeHost>(*this); }

void Start(TFakeControl& c, bool half) {
  StartFade(c.Slot, [&c] { return c.Host(); }, half, TFadeDirection::fdUp);
}

// From black to blue, each frame's blue byte is the frame's weight.
TEST(Fade, EnterAndPressGiveTheirFramesThenStop) {
  TFakeControl c;
  Start(c, false);
  c.Run();
  EXPECT_EQ(c.Frames, (std::vector<int>{23, 46, 69, 92, 115, 139, 162, 185, 208, 231, 255}));
  EXPECT_EQ(c.Slot, nullptr);  // the tick after the last frame ended it through command 16
  EXPECT_EQ(LiveFadeTimers(), 0);

  c.Frames.clear();
  c.Cache = painttest::Filled(4, 3, 0xFF000000);
  Start(c, true);
  c.Run();
  EXPECT_EQ(c.Frames, (std::vector<int>{51, 102, 153, 204, 255}));
  EXPECT_EQ(LiveFadeTimers(), 0);
}

TEST(Fade, RestartMidFadeStartsFromTheCurrentCache) {
  TFakeControl c;
  Start(c, false);
  for (int i = 0; i < 3; ++i) c.Slot->Timer();
  // The new look of the restart: red; the old picture is the blue cache, not the last frame.
  c.NextLook = painttest::Filled(4, 3, 0xFFFF0000);
  Start(c, false);
  ASSERT_NE(c.Slot, nullptr);
  EXPECT_EQ(c.Slot->FadeLevel, 1);
  EXPECT_EQ(c.Slot->Iterations, 11);
  EXPECT_EQ(c.Slot->BmpFrom.Pixel(0, 0), 0xFF0000FFu);
  c.Slot->Timer();
  EXPECT_EQ(c.Frames.back(), (232 * 255 + 0) >> 8);  // blue 255 fading out with weight 232
  StopFade(c.Slot);
  EXPECT_EQ(LiveFadeTimers(), 0);
}

// A control stopping its fade from the commands a tick sends: the timer is freed after the tick.
TEST(Fade, StoppedInsideItsOwnTick) {
  for (std::uint16_t during : {SKIN_FADEFRAME, SKIN_STOPANIMATION}) {
    TFakeControl c;
    c.OnCommand = [&c, during](std::uint16_t code) {
      if (code == during) StopFade(c.Slot);
    };
    Start(c, false);
    c.Run();
    EXPECT_EQ(c.Slot, nullptr);
    EXPECT_EQ(LiveFadeTimers(), 0);
  }
}

TEST(Fade, AnimTimerStoppedWhileItsControlRepaints) {
  TFakeControl c;
  auto* t = new TsAnimTimer(c.Host());
  t->TakeOwnerData();
  t->FadeLevel = 1;
  t->BmpFrom = c.Cache;
  c.Cache = c.NextLook;
  int repaints = 0;
  c.OnCommand = [&](std::uint16_t code) {
    if (code == SKIN_INVALIDATE && ++repaints == 3) t->Release();
  };
  t->SetEnabled(true);
  t->DoFade();
  EXPECT_EQ(t->TmpBmp.Pixel(0, 0) & 0xFF, 23u);
  t->Timer();
  t->Timer();  // released during this frame's repaint, freed after it
  EXPECT_EQ(LiveFadeTimers(), 0);
}

TEST(Fade, DisabledControlEndsTheFadeAndRepaints) {
  TFakeControl c;
  Start(c, false);
  c.Enabled = false;
  c.Slot->Timer();
  EXPECT_TRUE(c.Frames.empty());
  EXPECT_EQ(c.Invalidated, 1);
  EXPECT_FALSE(c.Ticking);
  StopFade(c.Slot);
}

TEST(Fade, ShutdownStopsEveryFadeAndLaterFadesRunAgain) {
  TFakeControl a, b;
  Start(a, false);
  Start(b, true);
  a.Slot->Timer();
  SetFadesClosing(true);
  StopAllFades();
  EXPECT_EQ(LiveFadeTimers(), 0);
  EXPECT_EQ(a.Cache.Pixel(0, 0), 0xFF0000FFu);  // the control keeps its target picture
  SetFadesClosing(false);
  Start(a, false);
  a.Run();
  EXPECT_EQ(a.Frames.size(), 12u);
}

TEST(Fade, AnimationFollowsTheManagerUnlessTheControlSaysOtherwise) {
  TsSkinManager m(nullptr);
  EXPECT_TRUE(AnimationAllowed(aeMouseDown, kDefaultAnimatEvents, &m));
  m.AnimEffects().Buttons.Events = beMouseEnter | beMouseLeave | beMouseUp;
  EXPECT_FALSE(AnimationAllowed(aeMouseDown, kDefaultAnimatEvents, &m));
  EXPECT_TRUE(AnimationAllowed(aeMouseUp, kDefaultAnimatEvents, &m));
  EXPECT_TRUE(AnimationAllowed(aeMouseDown, aeGlobalDef | aeMouseDown, &m));
  EXPECT_FALSE(AnimationAllowed(aeMouseEnter, aeMouseDown, &m));
}

}  // namespace
