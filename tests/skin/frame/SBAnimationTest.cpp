// The caption button's animation steps: the alphas each 12 ms tick shows while a state fades in
// or out, and when the window goes.
#include <gtest/gtest.h>

#include <vector>

#include "skin/frame/sSBAnimation.h"

namespace {

// The alphas shown by `ticks` ticks (−1 for a tick that frees the window, nothing for a tick
// that shows nothing).
std::vector<int> Ticks(TsSBAnimation& a, int ticks) {
  std::vector<int> shown;
  for (int i = 0; i < ticks; ++i) {
    const TsAnimAnswer r = a.Tick();
    if (r.Show) shown.push_back(r.Alpha);
    if (r.Free) shown.push_back(-1);
  }
  return shown;
}

}  // namespace

// Hovering: 25 at once, then 50 … 225 and 255; after that the ticks only watch the pointer.
// Leaving: 250, 225 … 25 and the window is freed, the machine finished.
TEST(SBAnimation, HotFadesInAndOut) {
  const TsAnimRequest hot = AnimRequestFor(1);
  TsSBAnimation a(hot.Steps);
  EXPECT_EQ(a.Step(), 25);
  const TsAnimAnswer first = a.StartAnimation(hot.State, true);
  EXPECT_TRUE(first.Show && first.Rebuild && first.TimerOn);
  EXPECT_EQ(first.Alpha, 25);
  EXPECT_EQ(Ticks(a, 9), (std::vector<int>{50, 75, 100, 125, 150, 175, 200, 225, 255}));
  const TsAnimAnswer watch = a.Tick();
  EXPECT_TRUE(watch.CheckMouse && watch.TimerOn);
  EXPECT_FALSE(watch.Show);

  const TsAnimAnswer away = a.Retarget(AnimRequestFor(0));
  EXPECT_FALSE(away.Rebuild);  // the hot image fades out
  EXPECT_EQ(Ticks(a, 11), (std::vector<int>{250, 225, 200, 175, 150, 125, 100, 75, 50, 25, -1}));
  EXPECT_TRUE(a.Finished());
  EXPECT_FALSE(a.TimerOn());
}

// Pressing shows the pressed image at 255 at once, for a new machine (no timer needed) and for
// one that is still fading the hot image in.
TEST(SBAnimation, PressedAtOnce) {
  const TsAnimRequest pressed = AnimRequestFor(2);
  TsSBAnimation fresh(pressed.Steps);
  const TsAnimAnswer r = fresh.StartAnimation(pressed.State, pressed.Up);
  EXPECT_TRUE(r.Show && r.Rebuild);
  EXPECT_EQ(r.Alpha, 255);
  EXPECT_FALSE(r.TimerOn);

  TsSBAnimation hovering(kAnimSteps);
  hovering.StartAnimation(1, true);
  Ticks(hovering, 3);
  const TsAnimAnswer p = hovering.Retarget(pressed);
  EXPECT_TRUE(p.Show && p.Rebuild);
  EXPECT_EQ(p.Alpha, 255);
  EXPECT_EQ(hovering.CurrentState(), 2);
  // Released: the pressed image fades out from its one level.
  hovering.Retarget(AnimRequestFor(0));
  EXPECT_EQ(Ticks(hovering, 3), (std::vector<int>{25, -1}));
}
