// The window region's cut corners: the rectangles (ArOR) left out of the window's rectangle where
// the frame masks have transparent corner pixels. Portable: the provider subtracts them from
// its region, the hide animation clears them in its picture.
#pragma once
#include <vector>

#include "framework/Types.h"

class TsSkinManager;

// The corner runs of the first state image of the FORM section's frame mask (its top WT rows at
// y 0 and its last WB rows at y formHeight − WB) and of the title section's frame mask (top rows
// at y 0). In each scanned row, runs of pixels exactly 0x00FF00FF in the left corner columns
// [0, WL) keep their column as x; runs in the right corner columns [w − WR, w) of a state image w
// wide are placed at x = captionWidth − (w − column). Each run is a rectangle one pixel high
// (Right/Bottom exclusive), cut to captionWidth × formHeight. An index that is no piece, a
// piece without pixels or whose bitmap is too short for its rows adds nothing, and so does a
// band that is negative or wider than the state image (a damaged skin value).
std::vector<TRect> FrameCornerRects(const TsSkinManager& m, int formBorderIndex, int titleBorderIndex,
                                    int captionWidth, int formHeight);
