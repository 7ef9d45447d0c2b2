#include "skin/frame/sScrollGeometry.h"

#include <algorithm>
#include <climits>

#include "skin/data/sSkinManager.h"

namespace {

// A 64-bit difference brought back into int32, the nearest end for values outside it.
int Sat(std::int64_t v) { return int(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); }

std::int64_t Page(const TsScrollInfo& info) { return std::int64_t(info.nPage); }

int Along(const TsBarGeometry& bar, TPoint p) { return bar.Vertical ? p.Y : p.X; }
int Across(const TsBarGeometry& bar, TPoint p) { return bar.Vertical ? p.X : p.Y; }

int Work(const TsBarGeometry& bar) { return Sat(std::int64_t(BarLength(bar)) - 2 * std::int64_t(bar.ArrowLength)); }

}  // namespace

int sscroll::MulDiv(int a, int b, int c) {
  if (c == 0) return -1;
  const std::int64_t p = std::int64_t(a) * b;  // |p| ≤ 2^62: exact
  std::int64_t q = p / c;
  const std::int64_t r = p % c;
  // Half away from zero: a remainder of at least half the divisor moves away from 0.
  if (2 * (r < 0 ? -r : r) >= (c < 0 ? -std::int64_t(c) : std::int64_t(c))) q += ((p < 0) != (c < 0)) ? -1 : 1;
  return q < INT_MIN || q > INT_MAX ? -1 : int(q);
}

int GetScrollMetric(const TsScrollBar& bar, TsScrollMetric kind, const TsScrollSizes& own, TsSkinManager* manager) {
  TsSkinManager* m = manager ? manager : DefaultManager();
  const int platform = SkinPlatform().VerticalScrollBarWidth();
  const int scrollSize = m ? m->ScrollsOptions().ScrollSize : -1;
  if (kind == mkThickness) {
    for (int v : {own.ScrollWidth, scrollSize, bar.nArrowWidth})
      if (v >= 0) return v;
    return platform;
  }
  const int buttonsSize = m ? m->ScrollsOptions().ButtonsSize : -1;
  for (int v : {own.ButtonsSize, buttonsSize, bar.nArrowLength, scrollSize})
    if (v >= 0) return v;
  return platform;
}

TsBarGeometry BarGeometry(const TsScrollBar& bar, const TRect& rect, const TsScrollSizes& own, TsSkinManager* manager) {
  TsBarGeometry g;
  g.Vertical = bar.nBarType == btVert;
  g.Rect = rect;
  g.ArrowLength = GetScrollMetric(bar, mkArrowLength, own, manager);
  g.MinThumbSize = bar.nMinThumbSize;
  g.Info = bar.ScrollInfo;
  return g;
}

int BarStart(const TsBarGeometry& bar) { return bar.Vertical ? bar.Rect.Top : bar.Rect.Left; }
int BarLength(const TsBarGeometry& bar) { return bar.Vertical ? bar.Rect.Height() : bar.Rect.Width(); }

TsThumb CalcThumb(const TsBarGeometry& bar) {
  using sscroll::MulDiv;
  const int a = bar.ArrowLength;
  const std::int64_t range = std::int64_t(bar.Info.nMax) - bar.Info.nMin + 1;
  const int work = Work(bar);
  int thumb = 0;
  if (bar.Info.nPage == 0) thumb = std::max(a, bar.MinThumbSize);
  else if (range > 0) thumb = MulDiv(Sat(Page(bar.Info)), work, Sat(range));
  if (a == 0 && thumb < kMinThumbSizeNoArrows) thumb = kMinThumbSizeNoArrows;
  else thumb = std::max(thumb, bar.MinThumbSize);
  int pos = 0;
  if (range > 0) {
    const std::int64_t offset = std::int64_t(bar.Info.nPos) - bar.Info.nMin;
    const std::int64_t steps = range - std::max<std::int64_t>(1, Page(bar.Info));
    pos = MulDiv(Sat(offset), Sat(std::int64_t(work) - thumb), Sat(steps));
    // Never past the end, and never before the start (which a failed division, −1, would be).
    pos = std::max(0, int(std::min<std::int64_t>(pos, std::int64_t(work) - thumb)));
  }
  return TsThumb{thumb, Sat(std::int64_t(BarStart(bar)) + a + pos)};
}

int ThumbCheckValue(const TsBarGeometry& bar) {
  const int work = Work(bar);
  int check = sscroll::MulDiv(Sat(Page(bar.Info)), work, Sat(std::int64_t(bar.Info.nMax) - bar.Info.nMin));
  if (check < bar.MinThumbSize || check < work - 1) check = std::min(bar.MinThumbSize, work - 1);
  return check;
}

bool ThumbShown(const TsBarGeometry& bar) {
  if (2 * std::int64_t(bar.ArrowLength) >= BarLength(bar) || bar.Info.nMax <= bar.Info.nMin) return false;
  const int check = ThumbCheckValue(bar);
  return check > 0 && check <= Work(bar);
}

int GetScrollPart(const TsBarGeometry& bar, TPoint p) {
  const int crossStart = bar.Vertical ? bar.Rect.Left : bar.Rect.Top;
  const int crossEnd = bar.Vertical ? bar.Rect.Right : bar.Rect.Bottom;
  const int c = Across(bar, p);
  if (c < crossStart || c >= crossEnd) return spNone;
  const int start = BarStart(bar), len = BarLength(bar), end = start + len;
  const int v = Along(bar, p);
  if (v < start || v >= end) return spNone;
  const int arrow = 2 * std::int64_t(bar.ArrowLength) < len ? bar.ArrowLength : len / 2;
  if (v < start + arrow) return spFirstArrow;
  if (v >= end - arrow) return spSecondArrow;
  const TsThumb thumb = CalcThumb(bar);
  if (thumb.Length >= len - 2 * arrow) return spNone;
  if (v >= thumb.Start && v < thumb.Start + thumb.Length) return spThumb;
  if (v < thumb.Start) return spTrackBefore;
  return spTrackAfter;
}

TsThumbTrack BeginThumbTrack(const TsBarGeometry& bar, TPoint mouse) {
  TsThumbTrack t;
  t.Vertical = bar.Vertical;
  t.Track = bar.Rect;
  t.ArrowLength = bar.ArrowLength;
  t.Thumb = CalcThumb(bar);
  t.MouseOffset = Along(bar, mouse) - t.Thumb.Start;
  return t;
}

TsThumbMove MoveThumb(const TsThumbTrack& track, const TsScrollInfo& info, TPoint mouse) {
  const int trackStart = track.Vertical ? track.Track.Top : track.Track.Left;
  const int trackEnd = track.Vertical ? track.Track.Bottom : track.Track.Right;
  const int rangeStart = trackStart + track.ArrowLength, rangeEnd = trackEnd - track.ArrowLength;
  const int len = track.Thumb.Length;
  const std::int64_t wanted = std::int64_t(track.Vertical ? mouse.Y : mouse.X) - track.MouseOffset;
  // Inside the range; a thumb longer than the range stays at its start.
  const int start = int(std::max<std::int64_t>(rangeStart, std::min<std::int64_t>(wanted, std::int64_t(rangeEnd) - len)));
  const int offset = start - rangeStart;
  const std::int64_t span = std::int64_t(info.nMax) - info.nMin;
  const std::int64_t lastStart = span - Page(info) + 2;
  std::int64_t pos;
  if (span < 1) pos = offset;
  else if (std::int64_t(start) + len >= rangeEnd) pos = lastStart;
  else pos = sscroll::MulDiv(offset, Sat(lastStart), rangeEnd - rangeStart - len);
  return TsThumbMove{start - trackStart, Sat(info.nMin + pos)};
}

TsScrollEdges EdgesBetween(const TRect& window, const TRect& client) {
  return TsScrollEdges{client.Left - window.Left, window.Right - client.Right, client.Top - window.Top,
                       window.Bottom - client.Bottom};
}

void ReserveScrollRoom(TRect& client, TsScrollBar& bar, bool styleAsks, int thickness, bool leftScrollbar) {
  bar.fScrollFlags = styleAsks ? 8 : 0;
  const bool vertical = bar.nBarType == btVert;
  bar.fScrollVisible = styleAsks && (vertical ? client.Width() : client.Height()) >= thickness;
  if (!bar.fScrollVisible) return;
  if (!vertical) client.Bottom -= thickness;
  else if (leftScrollbar) client.Left += thickness;
  else client.Right -= thickness;
}

TRect HorzBarRect(const TsScrollFrame& f) {
  if (!f.HorzVisible) return TRect{};
  const int vert = f.VertVisible ? f.VertThickness : 0;
  const int left = f.Window.Left + f.Edges.cxLeftEdge + (f.LeftScrollbar ? vert : 0);
  const int right = f.Window.Right - f.Edges.cxRightEdge - (f.LeftScrollbar ? 0 : vert);
  const int bottom = f.Window.Bottom - f.Edges.cyBottomEdge;
  return TRect{left, bottom - f.HorzThickness, right, bottom};
}

TRect VertBarRect(const TsScrollFrame& f) {
  if (!f.VertVisible) return TRect{};
  const int top = f.Window.Top + f.Edges.cyTopEdge;
  const int bottom = f.Window.Bottom - f.Edges.cyBottomEdge - (f.HorzVisible ? f.HorzThickness : 0);
  if (f.LeftScrollbar) {
    const int left = f.Window.Left + f.Edges.cxLeftEdge;
    return TRect{left, top, left + f.VertThickness, bottom};
  }
  const int right = f.Window.Right - f.Edges.cxRightEdge;
  return TRect{right - f.VertThickness, top, right, bottom};
}

TRect CornerRect(const TsScrollFrame& f) {
  if (!f.HorzVisible || !f.VertVisible) return TRect{};
  const TRect h = HorzBarRect(f), v = VertBarRect(f);
  return TRect{v.Left, h.Top, v.Right, h.Bottom};
}
