// Where a glow window goes: the glow picture is the glow image's border frame drawn around an item,
// reaching `margin` pixels inside the item and its band widths outside, minus the margin. When the
// item is partly hidden (clipped by its parent) the picture is cut to the visible part.
#pragma once
#include "framework/Types.h"

struct TsGlowBands {
  int L = 0, T = 0, R = 0, B = 0;  // the glow image's band widths
};

struct TsGlowPlacement {
  int FullWidth = 0, FullHeight = 0;          // the whole picture before any cut
  int CutL = 0, CutT = 0, CutR = 0, CutB = 0;  // what is cut off each side, 0 … the full size
  int Width = 0, Height = 0;                   // the visible part: the window's size
  TPoint Pos;                                  // the window's top-left corner, in item's coordinates (screen)
  // False when nothing of the glow is visible: then no window is made.
  bool Visible() const { return Width > 0 && Height > 0; }
};

// item: the glowing item's rectangle (screen coordinates, Right/Bottom exclusive); visible: its
// visible part relative to the item's top-left corner (a clip box, Right/Bottom exclusive).
// A side is cut only when the item itself is clipped there; the cuts never reach outside the
// picture, so that a margin wider than the bands, a sliver or a hidden item gives a smaller or
// an empty window instead of a read outside the picture.
TsGlowPlacement PlaceGlow(const TRect& item, const TRect& visible, const TsGlowBands& bands, int margin);
