#include "framework/Anchors.h"

#include <algorithm>

namespace {

// One axis: near and far are the anchored sides, delta the change of the client's extent.
void AnchorAxis(bool nearSide, bool farSide, int delta, int& pos, int& size) {
  if (nearSide && farSide) size = std::max(0, size + delta);
  else if (farSide) pos += delta;
  else if (!nearSide) pos += delta / 2;
}

}  // namespace

TAnchorBounds AnchoredBounds(TAnchors anchors, const TAnchorBounds& placed, int placedClientWidth, int placedClientHeight,
                             int clientWidth, int clientHeight) {
  TAnchorBounds b = placed;
  AnchorAxis(anchors & akLeft, anchors & akRight, clientWidth - placedClientWidth, b.Left, b.Width);
  AnchorAxis(anchors & akTop, anchors & akBottom, clientHeight - placedClientHeight, b.Top, b.Height);
  return b;
}
