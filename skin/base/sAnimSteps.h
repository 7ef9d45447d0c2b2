// The arithmetic of the animations, free of the platform: the weights of a state-change fade and
// its blend, the opacity and picture rectangle of each frame of a form's show and hide
// animations, and the wrap-safe wait of 12 ms between frames.
#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "framework/Types.h"
#include "imaging/Bitmap32.h"

// Milliseconds per animation frame.
inline constexpr unsigned kAnimFrameMs = 12;
// Frames of an enter or leave fade; press and release use half of them.
inline constexpr int kFadeIterations = 11;

// The share of the new picture in fade frame `level` (1 … iterations): level·255 div iterations.
int FadeWeight(int level, int iterations);
// The weights of a whole fade, frame 1 first.
std::vector<int> FadeWeights(int iterations);

// Per colour byte: frame = (w·(frame − target) + 256·target) >> 8, w (0 … 255) being the share of
// the old picture; alpha bytes are kept. Nothing when the sizes differ.
void FadeBlend(TBitmap32& frame, const TBitmap32& target, int w);

// Whether `ms` milliseconds have passed from `start` to `now` on a 32-bit tick count that wraps
// every 49.7 days.
constexpr bool TicksPassed(std::uint32_t start, std::uint32_t now, std::uint32_t ms) {
  return std::uint32_t(now - start) >= ms;
}

// Waits until `ms` milliseconds have passed from `start` on `clock`, calling idle between looks.
void WaitTicks(std::uint32_t start, std::uint32_t ms, const std::function<std::uint32_t()>& clock,
               const std::function<void()>& idle);

enum class TsAnimType { atFading, atAero };

// One frame of a form animation: the cover's constant opacity and, for atAero, where the picture
// goes in the frame (Whole: the picture is copied as it is).
struct TsAnimFrame {
  int Alpha = 0;
  TRect Dest{};  // left, top, right, bottom
  bool Whole = true;
};

// The frames of a form's show animation of `timeMs` (12 ms each) up to `target` opacity, for a
// w × h picture: none when the time is below one frame, otherwise time div 12 + 1 frames whose
// opacity rises to the target while an atAero picture grows from three quarters of its size.
std::vector<TsAnimFrame> ShowFrames(int timeMs, int target, TsAnimType mode, int w, int h);
// The frames of a hide animation from `start` opacity: time div 12 + 1 frames falling to 0 while
// an atAero picture shrinks by one eighth of its size on each side.
std::vector<TsAnimFrame> HideFrames(int timeMs, int start, TsAnimType mode, int w, int h);
