// Anchors and size constraints of a control: plain values and the arithmetic that keeps a child
// at its distances from its parent's sides when the parent's client area changes size.
#pragma once

// The sides of its parent a control keeps its distance to, as bits of TAnchors.
enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;
inline constexpr TAnchors kDefaultAnchors = akLeft | akTop;

struct TAnchorBounds {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool operator==(const TAnchorBounds&) const = default;
};

// The bounds of a control placed at `placed` while its parent's client area was
// placedClientWidth × placedClientHeight, once that area is clientWidth × clientHeight. Per axis:
// both sides anchored, it stretches (never below 0); only the far side, it moves with it; only
// the near side, it stays; neither, it keeps its centre's distance from the parent's centre.
TAnchorBounds AnchoredBounds(TAnchors anchors, const TAnchorBounds& placed, int placedClientWidth, int placedClientHeight,
                             int clientWidth, int clientHeight);

// Smallest and largest size of a control (0: no limit). They bound Width and Height, which for a
// form are the size of its whole window, frame included (ClientWidth and ClientHeight are the
// client area's): a form that wants a minimum client area converts it through its frame.
struct TSizeConstraints {
  int MinWidth = 0, MinHeight = 0, MaxWidth = 0, MaxHeight = 0;
  int ConstrainWidth(int width) const { return Constrain(width, MinWidth, MaxWidth); }
  int ConstrainHeight(int height) const { return Constrain(height, MinHeight, MaxHeight); }

 private:
  static int Constrain(int v, int lo, int hi) {
    if (hi > 0 && v > hi) v = hi;
    if (lo > 0 && v < lo) v = lo;
    return v;
  }
};
