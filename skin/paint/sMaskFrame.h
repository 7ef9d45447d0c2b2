// Border frames and glyph images cut from skin image pieces (masks): the frame geometry shared
// by painting and hit testing, nine-part drawing of a border, and one frame of a glyph.
#pragma once
#include <array>
#include <optional>
#include <vector>

#include "framework/Types.h"
#include "imaging/Bitmap32.h"
#include "skin/base/sCacheInfo.h"
#include "skin/data/sConst.h"

// The size of one frame of a mask. Width: Width(R) for one frame, Width(R) div ImageCount for
// more, 0 for none. Height: Height(R) for one layer, Height(R) div (MaskType + 1) for layered
// masks. Counts that make no sense (ImageCount < 0, MaskType < 0) and inverted rectangles give 0,
// so that a damaged piece draws nothing instead of reading before its frame.
struct TsFrameSize {
  int W = 0, H = 0;
};
TsFrameSize MaskFrameSize(const TsMaskData& mask);

// The frame used for a state: min(state, ImageCount − 1), never below 0.
int MaskFrameIndex(const TsMaskData& mask, int state);

// The bitmap a mask's pixels come from: its own Bmp, else the master bitmap of its manager; null
// when neither exists.
const TBitmap32* MaskSource(const TsMaskData& mask);

// Whether the mask carries a mask layer below its image (MaskType ≥ 1).
inline bool IsTwoLayer(const TsMaskData& mask) { return mask.MaskType >= 1; }

// The nine parts of a frame, in painting order.
enum TsFramePart : int {
  fpTopLeft,
  fpLeft,
  fpTop,
  fpBottomLeft,
  fpBottom,
  fpBottomRight,
  fpTopRight,
  fpRight,
  fpCenter,
  fpCount
};
inline bool IsFrameCorner(int part) {
  return part == fpTopLeft || part == fpTopRight || part == fpBottomLeft || part == fpBottomRight;
}

// Where each part of a border comes from and where it goes (Right/Bottom exclusive).
struct TsFrameGeometry {
  int L = 0, T = 0, R = 0, B = 0;    // band widths after the shrink
  TsFrameSize Frame;                  // size of one frame
  int MaskDistance = 0;               // rows from the image to its mask layer; 0 for one layer
  std::array<TRect, fpCount> Src{};   // pieces inside the frame, in the source bitmap
  std::array<TRect, fpCount> Dst{};   // parts of the destination rectangle; corners may reach
                                      // outside it when the bands are wider than the rectangle
};

// The geometry of the border `mask` drawn over rect in `state`. Bands (negative widths read as 0)
// that do not fit shrink: for an excess e of L + R over Width(rect), L loses e div 2 and R the
// rest, neither going below 0; the same for T and B against Height(rect). None when the frame
// has no pixels or is narrower or lower than its bands (a negative middle part).
std::optional<TsFrameGeometry> MaskFrameGeometry(const TsMaskData& mask, const TRect& rect, int state);

// Border DrawMode bits.
inline constexpr int kDrawStretch = 1;     // stretch edges and centre (otherwise tile them)
inline constexpr int kDrawNoNormal = 2;    // no border in state 0
inline constexpr int kDrawFillCenter = 4;  // paint the centre part too

// Nine-part drawing of the border `mask` over rect (Right/Bottom exclusive) of bmp. Nothing is
// drawn in state 0 with DrawMode bit 2, for a rectangle narrower or lower than 2 pixels, for a
// mask without manager or source bitmap. Corners are copied through their key colour (one layer)
// or mask (two layers); their transparent pixels show bg only when cornerFlag is set and the mask
// has transparent corners (CornerType > 0). Edges and, with bit 4, the centre are stretched
// (bit 1) or tiled. Every write stays inside rect and bmp, also when the bands are still wider
// than rect after the shrink.
void PaintMaskFrame(TBitmap32& bmp, const TRect& rect, const TCacheInfo& bg, bool cornerFlag, int state,
                    const TsMaskData& mask);

// The same drawing over the whole of bmp for a window image whose transparent corners are cut out
// of the window region instead: key-colour pixels of the four corner pieces are not drawn; the
// rectangles they cover (in bmp coordinates, Right/Bottom exclusive, one per run of a row) are
// returned for the caller to subtract from the region.
std::vector<TRect> PaintMaskFrameRegion(TBitmap32& bmp, bool cornerFlag, int state, const TsMaskData& mask);

// The corner scan shared by the region painter and the window frame: every maximal run of pixels
// exactly equal to the key pixel (0x00FF00FF) in one row of `piece` of src becomes a rectangle one
// pixel high (Right/Bottom exclusive) appended to out, placed so that the piece's top-left corner
// lies at `at`. Rows and columns that would land outside [0, limitW) × [0, limitH) are left out,
// runs are cut there. Nothing for an empty piece or one not wholly inside src.
void AppendKeyRuns(std::vector<TRect>& out, const TBitmap32& src, const TRect& piece, TPoint at, int limitW,
                   int limitH);

// Draws frame min(state, ImageCount − 1) of a glyph or corner image with its top-left corner at
// pos (parts before 0 are skipped). Masks with their own Bmp are drawn when Bmp covers R: two
// layers with ComposeGlyph in `mode`, one layer copied through its key colour. Master-bitmap
// masks need a manager and ImageCount > 0: one layer in mode 1 is copied through its key colour
// with key pixels showing bg, in other modes merged at half strength; two layers use
// ComposeGlyph in `mode` (1 normal, others faded).
void PaintMaskImage(TBitmap32& bmp, TPoint pos, int state, const TCacheInfo& bg, const TsMaskData& mask, int mode);
