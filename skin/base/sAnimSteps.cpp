#include "skin/base/sAnimSteps.h"

#include <algorithm>

#include "skin/base/sBlend.h"
#include "skin/base/sColorMath.h"

using scolor::Round;

int FadeWeight(int level, int iterations) { return iterations > 0 ? level * 255 / iterations : 255; }

std::vector<int> FadeWeights(int iterations) {
  std::vector<int> w;
  for (int level = 1; level <= iterations; ++level) w.push_back(FadeWeight(level, iterations));
  return w;
}

void FadeBlend(TBitmap32& frame, const TBitmap32& target, int w) {
  if (frame.Width() != target.Width() || frame.Height() != target.Height()) return;
  // The overlay's weight is the share of what is already there: the old picture.
  OverlayBitmap(frame, target, w, TPoint{0, 0}, TRect{0, 0, target.Width() - 1, target.Height() - 1});
}

void WaitTicks(std::uint32_t start, std::uint32_t ms, const std::function<std::uint32_t()>& clock,
               const std::function<void()>& idle) {
  while (!TicksPassed(start, clock(), ms)) idle();
}

namespace {

// Where an atAero picture lies in the frame: its edges, and how far the left and top edges move
// each frame (the right and bottom edges move the other way by as much).
struct TAeroEdges {
  double X = 0, Y = 0, Right = 0, Bottom = 0, DX = 0, DY = 0;
  void Step() {
    X += DX;
    Y += DY;
    Right -= DX;
    Bottom -= DY;
  }
  // The stretch takes the rounded origin and the rounded size; a negative X or Y means the whole
  // picture unstretched.
  TsAnimFrame Frame(int alpha) const {
    TsAnimFrame f{alpha};
    if (X < 0 || Y < 0) return f;
    const int left = int(Round(X)), top = int(Round(Y));
    f.Dest = TRect{left, top, left + int(Round(Right - X)), top + int(Round(Bottom - Y))};
    f.Whole = false;
    return f;
  }
};

// n + 1 frames: each takes its opacity from nextOpacity; an atAero picture moves its edges a step
// after each frame.
template <class NextOpacity>
std::vector<TsAnimFrame> Schedule(int n, TsAnimType mode, TAeroEdges edges, NextOpacity nextOpacity) {
  std::vector<TsAnimFrame> frames;
  const bool aero = mode == TsAnimType::atAero;
  for (int k = 0; k <= n; ++k) {
    const int alpha = int(Round(nextOpacity()));
    frames.push_back(aero ? edges.Frame(alpha) : TsAnimFrame{alpha});
    if (aero) edges.Step();
  }
  return frames;
}

}  // namespace

std::vector<TsAnimFrame> ShowFrames(int timeMs, int target, TsAnimType mode, int w, int h) {
  const int n = std::max(timeMs, 0) / int(kAnimFrameMs);
  if (n < 1) return {};
  // From an eighth inside on every side out to the whole frame, while the opacity rises.
  const double x = w / 8.0, y = h / 8.0;
  const double step = double(target) / n;
  double a = 0;
  return Schedule(n, mode, TAeroEdges{x, y, w - x, h - y, -x / n, -y / n},
                  [&] { return a = std::min<double>(target, a + step); });
}

std::vector<TsAnimFrame> HideFrames(int timeMs, int start, TsAnimType mode, int w, int h) {
  const int n = std::max(timeMs, 0) / int(kAnimFrameMs);
  if (n < 1) return {};
  // From the whole frame in by an eighth on every side, while the opacity falls.
  const double p = double(start) / n;
  double trans = start;
  return Schedule(n, mode, TAeroEdges{0, 0, double(w), double(h), double(w) / (8.0 * n), double(h) / (8.0 * n)},
                  [&] { return trans = std::max(0.0, trans - p); });
}
