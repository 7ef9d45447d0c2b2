#include "skin/base/sTexture.h"

#include <algorithm>
#include <cstring>
#include <span>

#include "skin/base/sBlendKernels.h"
#include "skin/base/sClip.h"
#include "skin/base/sFill.h"
#include "skin/base/sMaskCompose.h"

void CopyBitmapRect(TBitmap32& dst, int x, int y, const TBitmap32& src, const TRect& srcRect) {
  const TRect area = sclip::Intersect(srcRect, src.Width(), src.Height());
  sclip::TBlit b{x, y, srcRect.Left, srcRect.Top, srcRect.Width(), srcRect.Height()};
  if (!sclip::ClipBlit(b, dst.Width(), dst.Height(), area)) return;
  // Rows may overlap when src is dst: walk away from the overlap and move with memmove.
  const bool upward = &src == &dst && b.DY > b.SY;
  for (int i = 0; i < b.H; ++i) {
    const int r = upward ? b.H - 1 - i : i;
    std::memmove(dst.Row(b.DY + r) + b.DX, src.Row(b.SY + r) + b.SX, std::size_t(b.W) * 4);
  }
}

namespace {

// floor((a + b·t) / c) for t = 0, 1, 2, … (a, b ≥ 0, c > 0). Stepping keeps the quotient and
// remainder, so a row costs additions instead of a 64-bit division per pixel.
class TFloorStep {
 public:
  TFloorStep(long long a, long long b, long long c) : c_(c), stepQ_(b / c), stepR_(b % c), q_(a / c), r_(a % c) {}
  long long Value() const { return q_; }
  void Next() {
    q_ += stepQ_;
    r_ += stepR_;
    if (r_ >= c_) {
      r_ -= c_;
      ++q_;
    }
  }

 private:
  long long c_, stepQ_, stepR_, q_, r_;
};

// Source offsets of destination positions i, i + 1, … of a side of n taking m source pixels:
// ((2i + 1)·m) div (2n).
TFloorStep NearestFrom(long long i, long long m, long long n) { return TFloorStep((2 * i + 1) * m, 2 * m, 2 * n); }

// The first destination position whose source offset is k, k + 1, …: the smallest i ≥ 0 with
// (2i + 1)·m ≥ 2n·k, which is (2n·k + m − 1) div (2m).
TFloorStep RunStartsFrom(long long k, long long m, long long n) { return TFloorStep(2 * n * k + m - 1, 2 * n, 2 * m); }

// One destination row from source row srow: columns d.Left … d.Right of a part whose source
// columns are srcRect's, each clamped into the readable columns s.
void StretchRow(std::uint32_t* drow, const std::uint32_t* srow, const TRect& d, const TRect& dstRect,
                const TRect& srcRect, const TRect& s) {
  TFloorStep col = NearestFrom(d.Left - dstRect.Left, srcRect.Width(), dstRect.Width());
  for (int x = d.Left; x < d.Right; ++x, col.Next())
    drow[x] = srow[std::clamp<long long>(srcRect.Left + col.Value(), s.Left, s.Right - 1)];
}

// The runs of a widened row, the same for every row: destination columns From … To − 1 take
// source column Column. Worked out once per call for up to kMaxRuns runs.
struct TRun {
  int From, To, Column;
};
constexpr int kMaxRuns = 128;

// The runs over the visible columns d of a part, each source column clamped into s; 0 when there
// are more than kMaxRuns (the caller then stretches pixel by pixel).
int RunsOf(const TRect& d, const TRect& dstRect, const TRect& srcRect, const TRect& s, TRun* runs) {
  const long long sw = srcRect.Width(), dw = dstRect.Width();
  const long long first = NearestFrom(d.Left - dstRect.Left, sw, dw).Value();
  const long long last = NearestFrom(d.Right - 1 - dstRect.Left, sw, dw).Value();
  if (last - first + 1 > kMaxRuns) return 0;
  TFloorStep starts = RunStartsFrom(first, sw, dw);
  int count = 0;
  for (long long k = first; k <= last; ++k) {
    const long long from = std::max<long long>(dstRect.Left + starts.Value(), d.Left);
    starts.Next();
    const long long to = std::min<long long>(dstRect.Left + starts.Value(), d.Right);
    if (to > from)
      runs[count++] = TRun{int(from), int(to), int(std::clamp<long long>(srcRect.Left + k, s.Left, s.Right - 1))};
  }
  return count;
}

}  // namespace

void StretchColorOnColor(TBitmap32& dst, const TRect& dstRect, const TBitmap32& src, const TRect& srcRect) {
  const TRect s = sclip::Intersect(srcRect, src.Width(), src.Height());
  const TRect d = sclip::Intersect(dstRect, dst.Width(), dst.Height());
  const long long dw = dstRect.Width(), dh = dstRect.Height(), sw = srcRect.Width(), sh = srcRect.Height();
  if (sclip::IsEmpty(s) || sclip::IsEmpty(d) || dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  const int n = d.Right - d.Left;
  // Shortcuts, none of them when src is dst, where a written pixel may be read again: a row of
  // unchanged width whose columns all lie in src is a block copy, a widened row is filled by
  // runs, and a row whose source row is the previous one's is a copy of it.
  const bool separate = &src != &dst;
  const long long firstColumn = (long long)srcRect.Left + (d.Left - dstRect.Left);
  const bool copyRow = separate && sw == dw && firstColumn >= s.Left && firstColumn + n <= s.Right;
  TRun runs[kMaxRuns];
  const int runCount = separate && dw >= 2 * sw ? RunsOf(d, dstRect, srcRect, s, runs) : 0;
  TFloorStep rowStep = NearestFrom(d.Top - dstRect.Top, sh, dh);
  long long previous = -1;
  for (int y = d.Top; y < d.Bottom; ++y, rowStep.Next()) {
    const long long row = std::clamp<long long>(srcRect.Top + rowStep.Value(), s.Top, s.Bottom - 1);
    std::uint32_t* drow = dst.Row(y);
    if (separate && row == previous) {
      std::memcpy(drow + d.Left, dst.Row(y - 1) + d.Left, std::size_t(n) * 4);
      continue;
    }
    previous = row;
    const std::uint32_t* srow = src.Row(int(row));
    if (copyRow)
      std::memcpy(drow + d.Left, srow + firstColumn, std::size_t(n) * 4);
    else if (runCount > 0)
      for (const TRun& r : std::span(runs, std::size_t(runCount)))
        sblend::FillRow(drow + r.From, r.To - r.From, srow[r.Column]);
    else
      StretchRow(drow, srow, d, dstRect, srcRect, s);
  }
}

namespace {

// Tiles pieceRect of src over area from its top-left corner, whole tiles while they end inside
// area, the last column and row cut at area's Right and Bottom.
void TileArea(TBitmap32& dst, const TRect& area, const TBitmap32& src, const TRect& pieceRect) {
  const int w = pieceRect.Width(), h = pieceRect.Height();
  if (w <= 0 || h <= 0 || sclip::IsEmpty(area)) return;
  // Only tiles that reach into the bitmap are copied.
  const TRect vis = sclip::Intersect(area, dst.Width(), dst.Height());
  if (sclip::IsEmpty(vis)) return;
  const long long firstX = area.Left + (long long)(vis.Left - area.Left) / w * w;
  const long long firstY = area.Top + (long long)(vis.Top - area.Top) / h * h;
  for (long long y = firstY; y < vis.Bottom; y += h)
    for (long long x = firstX; x < vis.Right; x += w) {
      const int cw = int(std::min<long long>(w, area.Right - x)), ch = int(std::min<long long>(h, area.Bottom - y));
      CopyBitmapRect(dst, int(x), int(y), src, Bounds(pieceRect.Left, pieceRect.Top, cw, ch));
    }
}

// Calls tile(x, y, width) for the whole tiles of modes 10 (and 0 of masked textures): columns at
// L, L + w, … while below R − w, rows at T, T + h, … while below B − h; with cutColumn one more
// column (cut at R) over the same rows. Returns the first column and row left unpainted.
template <class Tile>
TPoint WholeTiles(const TRect& r, int w, int h, bool cutColumn, Tile&& tile) {
  long long xEnd = r.Left, yEnd = r.Top;
  while (xEnd < (long long)r.Right - w) xEnd += w;
  while (yEnd < (long long)r.Bottom - h) yEnd += h;
  for (long long y = r.Top; y < yEnd; y += h) {
    for (long long x = r.Left; x < xEnd; x += w) tile(int(x), int(y), w);
    if (cutColumn && xEnd < r.Right) tile(int(xEnd), int(y), int(r.Right - xEnd));
  }
  return TPoint{int(xEnd), int(yEnd)};
}

}  // namespace

void TileImage(TBitmap32& dst, const TRect& rect, const TBitmap32& image) {
  TileArea(dst, rect, image, sclip::Whole(image));
}

void TileTexture(TBitmap32& dst, TRect& rect, const TBitmap32* image, int mode, const TBitmap32& pieceBmp,
                 const TRect& pieceRect) {
  if (image) {
    TileImage(dst, rect, *image);
    rect = NoRect;
    return;
  }
  const int w = pieceRect.Width(), h = pieceRect.Height();
  if (w <= 0 || h <= 0) return;
  const TRect r = rect;
  switch (mode) {
    case 0:
      TileArea(dst, r, pieceBmp, pieceRect);
      rect = NoRect;
      break;
    case 1:
      StretchColorOnColor(dst, r, pieceBmp, pieceRect);
      rect = NoRect;
      break;
    case 2:
      TileArea(dst, TRect{r.Left, r.Top, r.Right, std::min(r.Bottom, r.Top + h)}, pieceBmp, pieceRect);
      rect = TRect{r.Left, r.Top + h, r.Right, r.Bottom};
      break;
    case 3:
      TileArea(dst, TRect{r.Left, r.Top, std::min(r.Right, r.Left + w), r.Bottom}, pieceBmp, pieceRect);
      rect = TRect{r.Left + w, r.Top, r.Right, r.Bottom};
      break;
    case 4:
      StretchColorOnColor(dst, TRect{r.Left, r.Top, r.Right, r.Top + h}, pieceBmp, pieceRect);
      rect = TRect{r.Left, r.Top + h, r.Right, r.Bottom};
      break;
    case 5:
      StretchColorOnColor(dst, TRect{r.Left, r.Top, r.Left + w, r.Bottom}, pieceBmp, pieceRect);
      rect = TRect{r.Left + w, r.Top, r.Right, r.Bottom};
      break;
    case 6:
      TileArea(dst, TRect{r.Left, std::max(r.Top, r.Bottom - h), r.Right, r.Bottom}, pieceBmp, pieceRect);
      rect = TRect{r.Left, r.Top, r.Right, r.Bottom - h};
      break;
    case 7:
      TileArea(dst, TRect{std::max(r.Left, r.Right - w), r.Top, r.Right, r.Bottom}, pieceBmp, pieceRect);
      rect = TRect{r.Left, r.Top, r.Right - w, r.Bottom};
      break;
    case 10: {
      const TRect vis = sclip::Intersect(r, dst.Width(), dst.Height());
      if (!sclip::IsEmpty(vis))
        WholeTiles(r, w, h, true, [&](int x, int y, int cw) {
          // Tiles wholly outside the bitmap are skipped cheaply; the copy cuts the rest.
          if (x < vis.Right && y < vis.Bottom && x + cw > vis.Left && y + h > vis.Top)
            CopyBitmapRect(dst, x, y, pieceBmp, Bounds(pieceRect.Left, pieceRect.Top, cw, h));
        });
      rect = NoRect;
      break;
    }
    default:
      break;
  }
}

void TileMaskedTexture(TBitmap32& dst, TRect& rect, const TCacheInfo& bg, int mode, const TBitmap32* master,
                       const TRect& pieceRect) {
  if (!master || (mode != 0 && mode != 10)) return;
  const int w = pieceRect.Width(), h = pieceRect.Height() / 2;
  if (w <= 0 || h <= 0) return;
  const TRect r = rect;
  const TRect vis = sclip::Intersect(r, dst.Width(), dst.Height());
  rect = NoRect;
  if (sclip::IsEmpty(vis)) return;
  const TPoint end = WholeTiles(r, w, h, mode == 0, [&](int x, int y, int cw) {
    if (x < vis.Right && y < vis.Bottom && x + cw > vis.Left && y + h > vis.Top)
      ComposeMaskedTile(dst, x, y, *master, pieceRect.Left, pieceRect.Top, cw, h, bg);
  });
  if (mode != 10) return;
  const TRect strips[2] = {TRect{r.Left, end.Y, r.Right, r.Bottom}, TRect{end.X, r.Top, r.Right, r.Bottom}};
  for (const TRect& s : strips) {
    if (sclip::IsEmpty(s)) continue;
    if (bg.Ready && bg.Bmp)
      CopyBitmapRect(dst, s.Left, s.Top, *bg.Bmp, Bounds(bg.X + s.Left, bg.Y + s.Top, s.Width(), s.Height()));
    else if (bg.FillColor != clFuchsia)
      FillPixels(dst, s, bg.FillColor, 255);
  }
}
