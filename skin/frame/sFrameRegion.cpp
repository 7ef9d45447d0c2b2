#include "skin/frame/sFrameRegion.h"

#include "skin/data/sSkinManager.h"
#include "skin/paint/sMaskFrame.h"

namespace {

// One edge of a mask: its corner rows from `row` of the first state image (rows many), placed
// at y = offset.
void ScanEdge(std::vector<TRect>& out, const TsMaskData& mask, bool top, int offset, int captionWidth,
              int formHeight) {
  const TBitmap32* src = MaskSource(mask);
  const TsFrameSize fs = MaskFrameSize(mask);
  if (!src || fs.W <= 0 || fs.H <= 0) return;
  const int rows = top ? mask.WT : mask.WB;
  const int wl = mask.WL, wr = mask.WR;
  if (rows <= 0 || rows > fs.H || wl < 0 || wr < 0 || wl > fs.W || wr > fs.W) return;
  const int y0 = mask.R.Top + (top ? 0 : fs.H - rows);
  const TRect left = Bounds(mask.R.Left, y0, wl, rows);
  const TRect right = Bounds(mask.R.Left + fs.W - wr, y0, wr, rows);
  // AppendKeyRuns skips a piece that leaves the bitmap: a mask too short for its rows adds nothing.
  AppendKeyRuns(out, *src, left, TPoint{0, offset}, captionWidth, formHeight);
  AppendKeyRuns(out, *src, right, TPoint{captionWidth - wr, offset}, captionWidth, formHeight);
}

}  // namespace

std::vector<TRect> FrameCornerRects(const TsSkinManager& m, int formBorderIndex, int titleBorderIndex,
                                    int captionWidth, int formHeight) {
  std::vector<TRect> out;
  if (m.IsValidImgIndex(formBorderIndex)) {
    const TsMaskData& form = m.ma()[std::size_t(formBorderIndex)];
    ScanEdge(out, form, true, 0, captionWidth, formHeight);
    ScanEdge(out, form, false, formHeight - form.WB, captionWidth, formHeight);
  }
  if (m.IsValidImgIndex(titleBorderIndex)) ScanEdge(out, m.ma()[std::size_t(titleBorderIndex)], true, 0, captionWidth, formHeight);
  return out;
}
