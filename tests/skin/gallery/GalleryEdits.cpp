// The edits page of the gallery: the setup's folder field (EDIT 401 × 21) and its log memo (EDIT
// 465 × 201 with its vertical skinned scroll bar inside the border ring), each at rest, hot or
// focused, and disabled, over the check and over the plain colour. No text: the field and the
// log are shown empty.
#include "GalleryTiles.h"
#include "skin/base/sTexture.h"
#include "skin/data/sSkinManager.h"
#include "skin/frame/sScrollPaint.h"
#include "skin/paint/sSkinItem.h"

namespace {

constexpr int kFieldWidth = 401, kFieldHeight = 21;  // sDirectoryEdit1
constexpr int kMemoWidth = 465, kMemoHeight = 201;   // sMemo1
constexpr int kMemoEdge = 2;                         // the memo's client edge on every side

// The memo's vertical bar at its place in the memo: inside the border ring on the right, as
// thick as the scroll metric makes it, showing the log (100 lines, 20 in view, at line 30).
TsScrollBarLook MemoBarLook(TsSkinManager& manager, bool active) {
  TsScrollBar bar;
  bar.nBarType = btVert;
  TsScrollFrame frame;
  frame.Window = Rect(0, 0, kMemoWidth, kMemoHeight);
  frame.Edges = TsScrollEdges{kMemoEdge, kMemoEdge, kMemoEdge, kMemoEdge};
  frame.VertVisible = true;
  frame.VertThickness = GetScrollMetric(bar, mkThickness, {}, &manager);
  TsScrollBarLook look;
  look.Bar = BarGeometry(bar, VertBarRect(frame), {}, &manager);
  look.Bar.Info = TsScrollInfo{0, 99, 20, 30, 30};
  look.Active = active;
  return look;
}

}  // namespace

std::vector<TGalleryTile> EditTiles(TsSkinManager& manager) {
  std::vector<TGalleryTile> tiles;
  const int index = manager.GetSkinIndex(L"EDIT");
  if (index < 0) return tiles;
  // kind: "" for the field, "memo_" for the memo, which also gets its scroll bar.
  auto paint = [&](int w, int h, const std::string& kind, int state, TGalleryBackground background) {
    TBitmap32 check = CheckBitmap(w, h);
    const TCacheInfo bg = background == TGalleryBackground::Check ? CheckBackground(check) : ColourBackground(kPlainColour);
    TGalleryTile t{TileFileName(L"EDIT", w, h, state, background, false), L"EDIT", w, h, state, background, false,
                   TBitmap32(w, h)};
    if (!kind.empty()) t.File.insert(t.File.find('_') + 1, kind);
    PaintSectionItem(index, L"EDIT", bg, -1, -1, &manager, t.Pixels, {0, 0}, Rect(0, 0, w, h),
                     state == kDisabledState ? 0 : state);
    if (state == kDisabledState) ApplyDisabledLook(t.Pixels, dkBlended, kPlainColour, {0, 0}, bg);
    if (!kind.empty()) {
      // The bar is painted over the memo's picture after it, from the form behind the memo; it
      // is active with its thumb while the memo is hot and the log overflows, faded otherwise.
      const TsScrollBarLook look = MemoBarLook(manager, state == 1);
      const TPoint at{look.Bar.Rect.Left, look.Bar.Rect.Top};
      TBitmap32 bar;
      if (PaintScrollBar(&manager, look, bg, at, bar))
        CopyBitmapRect(t.Pixels, at.X, at.Y, bar, Rect(0, 0, bar.Width(), bar.Height()));
    }
    tiles.push_back(std::move(t));
  };
  for (TGalleryBackground background : {TGalleryBackground::Check, TGalleryBackground::Colour})
    for (int state : {0, 1, kDisabledState}) paint(kFieldWidth, kFieldHeight, "", state, background);
  for (TGalleryBackground background : {TGalleryBackground::Check, TGalleryBackground::Colour})
    for (int state : {0, 1, kDisabledState}) paint(kMemoWidth, kMemoHeight, "memo_", state, background);
  return tiles;
}
