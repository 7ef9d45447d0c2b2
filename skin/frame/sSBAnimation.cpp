#include "skin/frame/sSBAnimation.h"

#include <algorithm>

TsAnimRequest AnimRequestFor(int state) {
  if (state == 2) return TsAnimRequest{2, 1, true};
  if (state == 0) return TsAnimRequest{0, kAnimSteps, false};
  return TsAnimRequest{state, kAnimSteps, true};
}

TsSBAnimation::TsSBAnimation(int maxIterations) : maxIterations_(maxIterations) {}

int TsSBAnimation::Step() const { return maxIterations_ > 0 ? std::max(0, 255 / maxIterations_) : 0; }

TsAnimAnswer TsSBAnimation::Shown(int alpha, bool rebuild) {
  TsAnimAnswer a;
  a.Rebuild = rebuild;
  a.Show = true;
  a.Alpha = std::clamp(alpha, 0, 255);
  a.TimerOn = timerOn_;
  return a;
}

TsAnimAnswer TsSBAnimation::StartAnimation(int state, bool up) {
  if (state == currentState_) {
    TsAnimAnswer a;
    a.TimerOn = timerOn_;
    return a;
  }
  currentState_ = state;
  timerOn_ = maxIterations_ > 1;
  if (state != 0) {
    // A new image for the new state (the pressed one replaces whatever was shown).
    currentLevel_ = 1;
    up_ = up;
    const TsAnimAnswer a = Shown(std::min(Step(), 255), true);
    currentLevel_ = 2;
    return a;
  }
  up_ = false;
  currentLevel_ -= 1;
  return Shown(std::min(Step(), 255), true);
}

TsAnimAnswer TsSBAnimation::Retarget(const TsAnimRequest& r) {
  bool rebuild = false;
  if (r.Up && currentState_ != r.State) {
    currentState_ = r.State;
    rebuild = true;
  }
  maxIterations_ = r.Steps;
  up_ = r.Up;
  timerOn_ = true;
  if (r.State == 2) {
    currentLevel_ = r.Steps;
    return Shown(Step() * currentLevel_, true);
  }
  TsAnimAnswer a;
  a.Rebuild = rebuild;
  a.TimerOn = timerOn_;
  return a;
}

TsAnimAnswer TsSBAnimation::Tick() {
  TsAnimAnswer a;
  if (!timerOn_) return a;
  if (up_) {
    if (currentLevel_ >= maxIterations_) {
      a.CheckMouse = true;
      if (maxIterations_ != -1) {
        maxIterations_ = -1;
        a = Shown(255, false);
        a.CheckMouse = true;
      }
      a.TimerOn = timerOn_;
      return a;
    }
    a = Shown(Step() * currentLevel_, false);
    ++currentLevel_;
    return a;
  }
  if (currentLevel_ <= 0) {
    currentState_ = -1;
    timerOn_ = false;
    a.Free = true;
    return a;
  }
  a = Shown(Step() * currentLevel_, false);
  --currentLevel_;
  return a;
}
