// The push button's window region: a border whose corners are cut out of the window (mask
// CornerType 2) has its region built with the cache, given to the window at the next paint, and
// the parent's old corner areas repainted when the button shrinks.
#include "skin/controls/sButton.h"

#include "skin/paint/sBackground.h"
#include "skin/paint/sItemPaint.h"

bool TsButton::PaintCutCorners(HDC dc, const TsMaskData& mask, bool redraw) {
  if (!PrepareCache()) return false;
  RefreshCorners(skinData_, PaintState(), crAllCorners);
  GdiFlush();
  HDC src = skinData_.CacheBmp()->DC();
  const int w = Width(), h = Height();
  BitBlt(dc, 0, 0, mask.WL, mask.WT, src, 0, 0, SRCCOPY);
  BitBlt(dc, 0, h - mask.WB, w, mask.WB, src, 0, h - mask.WB, SRCCOPY);
  BitBlt(dc, w - mask.WR, h - mask.WB, mask.WR, mask.WB, src, w - mask.WR, h - mask.WB, SRCCOPY);
  BitBlt(dc, w - mask.WR, 0, mask.WR, mask.WT, src, w - mask.WR, 0, SRCCOPY);
  if (dc != skinData_.PrintDC && FRegion) {
    // The window takes the region over. Setting it moves the window through the platform: the
    // position messages that come back must not ask for another picture.
    FSettingRegion = true;
    // The window owns the region only once the call succeeds; a failed call leaves it ours.
    if (FRegionHost->GiveToWindow(Handle(), FRegion.get(), redraw)) (void)FRegion.release();
    else FRegion.reset();
    FSettingRegion = false;
    FRegionNeverSet = false;
  }
  const TRect now = BoundsRect();
  TControl* parent = Parent();
  if ((now.Width() < FLastRect.Width() || now.Height() < FLastRect.Height()) && parent &&
      parent->IsWindowed() && !GetControlBackground(skinData_).Ready) {
    HWND pw = static_cast<TWinControl*>(parent)->Handle();
    const TRect& l = FLastRect;
    const RECT areas[3] = {{l.Right - mask.WR, l.Top, l.Right, l.Top + mask.WT},
                           {l.Right - mask.WR, l.Bottom - mask.WB, l.Right, l.Bottom},
                           {l.Left, l.Bottom - mask.WB, l.Left + mask.WL, l.Bottom}};
    for (const RECT& a : areas) InvalidateRect(pw, &a, TRUE);
  }
  FLastRect = now;
  FRegion.reset();
  return true;
}
