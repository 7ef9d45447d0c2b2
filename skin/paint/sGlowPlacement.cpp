#include "skin/paint/sGlowPlacement.h"

#include <algorithm>

namespace {

// A cut of `wanted` pixels off a picture of which `size` pixels are left: never negative (the
// visible part starts before the glow does) and never more than what is left.
int Cut(int wanted, int size) { return std::clamp(wanted, 0, std::max(size, 0)); }

}  // namespace

TsGlowPlacement PlaceGlow(const TRect& item, const TRect& visible, const TsGlowBands& b, int margin) {
  TsGlowPlacement p;
  p.FullWidth = item.Width() + b.L + b.R - 2 * margin;
  p.FullHeight = item.Height() + b.T + b.B - 2 * margin;
  if (p.FullWidth <= 0 || p.FullHeight <= 0) return p;
  // A clip box with nothing in it: the item is hidden, and so is its glow.
  if (visible.Width() <= 0 || visible.Height() <= 0) return p;
  if (visible.Width() != item.Width() || visible.Height() != item.Height()) {
    // The glow starts (b.L − margin) left of the item and ends (b.R − margin) right of it; a side
    // where the item is clipped is cut at the clip line, the others keep the glow's full reach.
    if (visible.Left != 0) p.CutL = Cut(visible.Left + b.L - margin, p.FullWidth);
    if (visible.Top != 0) p.CutT = Cut(visible.Top + b.T - margin, p.FullHeight);
    if (visible.Right != item.Width()) p.CutR = Cut(item.Width() + b.R - margin - visible.Right, p.FullWidth - p.CutL);
    if (visible.Bottom != item.Height())
      p.CutB = Cut(item.Height() + b.B - margin - visible.Bottom, p.FullHeight - p.CutT);
  }
  p.Width = p.FullWidth - p.CutL - p.CutR;
  p.Height = p.FullHeight - p.CutT - p.CutB;
  if (!p.Visible()) p.Width = p.Height = 0;
  p.Pos = {item.Left + margin + p.CutL - b.L, item.Top + margin + p.CutT - b.T};
  return p;
}
