#include "skin/paint/sAnimSteps.h"

#include <algorithm>

#include "skin/paint/sBlend.h"
#include "skin/paint/sColorMath.h"

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

// The picture's rectangle at left x, top y, reaching to right and bottom (the stretch takes the
// rounded origin and the rounded size); a negative x or y means the whole picture unstretched.
TsAnimFrame AeroFrame(int alpha, double x, double y, double right, double bottom) {
  TsAnimFrame f{alpha};
  if (x < 0 || y < 0) return f;
  const int left = int(Round(x)), top = int(Round(y));
  f.Dest = TRect{left, top, left + int(Round(right - x)), top + int(Round(bottom - y))};
  f.Whole = false;
  return f;
}

}  // namespace

std::vector<TsAnimFrame> ShowFrames(int timeMs, int target, TsAnimType mode, int w, int h) {
  const int n = std::max(timeMs, 0) / int(kAnimFrameMs);
  std::vector<TsAnimFrame> frames;
  if (n < 1) return frames;
  const double step = double(target) / n;
  const bool aero = mode == TsAnimType::atAero;
  double x = aero ? w / 8.0 : 0, y = aero ? h / 8.0 : 0;
  const double dx = x / n, dy = y / n;
  double right = aero ? w - x : 0, bottom = aero ? h - y : 0;
  double a = 0;
  for (int k = 0; k <= n; ++k) {
    a = std::min<double>(target, a + step);
    const int alpha = int(Round(a));
    frames.push_back(aero ? AeroFrame(alpha, x, y, right, bottom) : TsAnimFrame{alpha});
    if (aero) {
      x -= dx;
      y -= dy;
      right += dx;
      bottom += dy;
    }
  }
  return frames;
}

std::vector<TsAnimFrame> HideFrames(int timeMs, int start, TsAnimType mode, int w, int h) {
  const int n = std::max(timeMs, 0) / int(kAnimFrameMs);
  std::vector<TsAnimFrame> frames;
  if (n < 1) return frames;
  const bool aero = mode == TsAnimType::atAero;
  const double p = double(start) / n;
  const double dx = aero ? -double(w) / (8.0 * n) : 0, dy = aero ? -double(h) / (8.0 * n) : 0;
  double l = 0, t = 0, r = aero ? w : 0, b = aero ? h : 0;
  double trans = start;
  for (int i = 0; i <= n; ++i) {
    trans = std::max(0.0, trans - p);
    const int alpha = int(Round(trans));
    frames.push_back(aero ? AeroFrame(alpha, l, t, r, b) : TsAnimFrame{alpha});
    if (aero) {
      l -= dx;
      t -= dy;
      r += dx;
      b += dy;
    }
  }
  return frames;
}
