// The steps of a caption button's state animation (TsSBAnimation) as a plain state machine: the
// alphas a layered window over the button shows on each 12 ms tick while the new state fades in
// or the old one fades out. The provider owns the timer, the window and its image; it calls the
// machine when the button's state changes and on each tick, and does what the answer says.
#pragma once

// What the caller does after a call.
struct TsAnimAnswer {
  bool Rebuild = false;     // (re)make the window's image for CurrentState() before showing it
  bool Show = false;        // show the window with Alpha
  int Alpha = 0;
  bool Free = false;        // the animation has ended: free the window and its image
  bool CheckMouse = false;  // test whether the pointer left the button (CheckMouseLeave)
  bool TimerOn = false;     // whether the timer runs after this call
};

// Steps per target state: hot 10 fading in, pressed 1 fading in (at once), normal 10 fading out.
inline constexpr int kAnimSteps = 10;
struct TsAnimRequest {
  int State = 0;
  int Steps = kAnimSteps;
  bool Up = true;
};
TsAnimRequest AnimRequestFor(int state);

class TsSBAnimation {
 public:
  // A new machine, its timer off, nothing shown, for `maxIterations` steps.
  explicit TsSBAnimation(int maxIterations);

  // 255 div MaxIterations, never below 0 (25 for 10 steps, 255 for 1).
  int Step() const;

  // Starts showing `state`: nothing when it is already shown. A state above 0 begins its fade-in
  // at level 1 (shown with alpha min(Step, 255)); state 0 fades the shown image out from one
  // level lower. The timer runs when MaxIterations > 1.
  TsAnimAnswer StartAnimation(int state, bool up);

  // A new target for a running machine (RepaintButton's path): a fade-in takes the new state,
  // the steps and the direction are replaced and the timer runs; the pressed state (one step)
  // jumps to its last level and is shown at once.
  TsAnimAnswer Retarget(const TsAnimRequest& r);

  // One tick of the timer. Fading in: below the last level the alpha Step × level (clamped to
  // 0 … 255) and the next level; at the last level a pointer check, with alpha 255 the first
  // time. Fading out: the alpha Step × level and the level before, and at level 0 the end (state
  // −1, timer off, window freed).
  TsAnimAnswer Tick();

  // The pointer left the button: the timer stops (the caller then fades the button out).
  void StopTimer() { timerOn_ = false; }

  int CurrentState() const { return currentState_; }
  int CurrentLevel() const { return currentLevel_; }
  int MaxIterations() const { return maxIterations_; }
  bool Up() const { return up_; }
  bool TimerOn() const { return timerOn_; }
  bool Finished() const { return currentState_ < 0; }

 private:
  TsAnimAnswer Shown(int alpha, bool rebuild);

  int currentLevel_ = 0;
  int currentState_ = -1;
  bool up_ = true;
  int maxIterations_;
  bool timerOn_ = false;
};
