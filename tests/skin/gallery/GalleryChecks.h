// What the gallery asserts about the tiles of the setup window's skin, so that a painter fault
// that still draws something plausible fails a test:
//   - BUTTON: states 0, 1, 2 and the disabled look all look different (each pair differs),
//   - CHECKBOX: in a fully transparent state the tile over the check is the check itself,
//     outside the border's bands when the section has a border,
//   - EDIT: states 0 and 1 are identical inside the border and differ on the border.
#pragma once
#include <ostream>
#include <string>
#include <vector>

#include "GalleryTiles.h"
#include "imaging/Bitmap32.h"

class TsSkinManager;

// The widths of a section's border bands (left, top, right, bottom), all 0 without a border.
struct TBands {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
};
TBands SectionBands(const TsSkinManager& manager, int sectionIndex);

// Where two equally sized bitmaps differ first (row order), or (−1, −1).
TPoint FirstDifference(const TBitmap32& a, const TBitmap32& b, const TRect& area);

// Each check writes one line per failure to `out` and returns how many failed.
int CheckAllDifferent(const std::vector<const TGalleryTile*>& tiles, std::ostream& out);
// tile equals check inside the tile less the bands.
int CheckShowsCheck(const TGalleryTile& tile, const TBitmap32& check, const TBands& bands, std::ostream& out);
// a and b are equal inside the bands and differ somewhere on them.
int CheckDifferOnlyInBands(const TGalleryTile& a, const TGalleryTile& b, const TBands& bands, std::ostream& out);

// The three checks over the tiles of the default sections painted from `manager`'s skin. A tile
// that should be there but is not counts as a failure. Writes one line per check run.
int RunGalleryChecks(const TsSkinManager& manager, const std::vector<TGalleryTile>& tiles, std::ostream& out);
