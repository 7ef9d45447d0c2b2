// The mouse on the skinned bars: hover, press, auto-repeat, thumb drag and release.
#include "framework/Handles.h"
#include "framework/MessageCrackers.h"
#include "skin/frame/sSBTracking.h"
#include "skin/frame/sSBUtils.h"

namespace sbtrack {

TsScrollTracking& State() {
  static TsScrollTracking state;  // user-interface thread only
  return state;
}

void Forget(HWND wnd) {
  TsScrollTracking& t = State();
  if (IsWindow(wnd)) {
    KillTimer(wnd, kScrollDelayTimer);
    KillTimer(wnd, kScrollRepeatTimer);
    KillTimer(wnd, kScrollHoverTimer);
  }
  if (t.Wnd != wnd) return;
  const bool pressing = t.PressedPart != spNone;
  t = TsScrollTracking{};
  if (pressing && GetCapture() == wnd) ReleaseCapture();
}

}  // namespace sbtrack

namespace {

using sbtrack::State;
using sbtrack::TsScrollTracking;

TPoint CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return {p.x, p.y};
}

// A client position (signed: left of or above the window is negative) on the screen.
TPoint ScreenOf(HWND wnd, TPoint client) {
  POINT p{client.X, client.Y};
  ClientToScreen(wnd, &p);
  return {p.x, p.y};
}

bool IsArrowOrTrack(int part) { return part >= spFirstArrow && part <= spTrackAfter; }

}  // namespace

bool TsScrollWnd::Pressing() const {
  const TsScrollTracking& t = State();
  return t.Wnd == CtrlHandle && t.PressedPart != spNone;
}

bool TsScrollWnd::HandleMouse(TMessage& m) {
  TsScrollTracking& t = State();
  const bool ours = t.Wnd == CtrlHandle;
  switch (m.Msg) {
    case WM_NCMOUSEMOVE:
      if (m.WParam == HTHSCROLL || m.WParam == HTVSCROLL) Hover(m.WParam == HTVSCROLL ? btVert : btHorz);
      return false;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if (m.WParam != HTHSCROLL && m.WParam != HTVSCROLL) return false;
      Press(m.WParam == HTVSCROLL ? btVert : btHorz, message_detail::PointOf(m.LParam));
      m.Result = 0;
      return true;
    case WM_MOUSEMOVE:
      if (!ours || t.PressedPart == spNone) return false;
      if (fThumbTracking) Drag(ScreenOf(CtrlHandle, message_detail::PointOf(m.LParam)));
      else PressMove(ScreenOf(CtrlHandle, message_detail::PointOf(m.LParam)));
      m.Result = 0;
      return true;
    case WM_LBUTTONUP:
      if (t.PressedPart == spNone) return false;
      if (!ours) {
        // A press whose window went without its release: the shared state starts afresh.
        sbtrack::Forget(t.Wnd);
        return false;
      }
      EndPress(false);
      m.Result = 0;  // the control never sees this release: no click
      return true;
    case WM_CAPTURECHANGED:
      // Another window took the mouse (a message box, a list that opened): the press ends.
      if (ours && t.PressedPart != spNone && reinterpret_cast<HWND>(m.LParam) != CtrlHandle) EndPress(true);
      return false;
    case WM_CANCELMODE:
      if (ours && t.PressedPart != spNone) EndPress(false);
      return false;
    case WM_TIMER:
      switch (m.WParam) {
        case kScrollDelayTimer:
          RepeatTick(true);
          break;
        case kScrollRepeatTimer:
          RepeatTick(false);
          break;
        case kScrollHoverTimer:
          HoverTick();
          m.Result = 0;
          // The hover repaints only when the part under the mouse changes.
          if (Attached() && !fThumbTracking) UpdateScrolls(false);
          return true;
        default:
          return false;
      }
      m.Result = 0;
      if (Attached() && !fThumbTracking && !DontRepaint) UpdateScrolls(true);
      return true;
    default:
      return false;
  }
}

void TsScrollWnd::Hover(int barType) {
  TsScrollTracking& t = State();
  if (t.PressedPart != spNone) return;
  if (t.Wnd == CtrlHandle && t.HoverBar == barType) return;
  t.Wnd = CtrlHandle;
  t.HoverBar = barType;
  t.HoverPart = t.LastHoverPart = spNone;
  t.HoverRect = BarRect(BarOf(barType));
  SetTimer(CtrlHandle, kScrollHoverTimer, kScrollHoverMs, nullptr);
  HoverTick();
  RepaintBars();
}

void TsScrollWnd::HoverTick() {
  if (fThumbTracking) return;
  TsScrollTracking& t = State();
  if (t.Wnd != CtrlHandle || t.HoverBar < 0) {
    // Another window took the hover over: this one goes back to normal.
    KillTimer(CtrlHandle, kScrollHoverTimer);
    RepaintBars();
    return;
  }
  const TPoint p = CursorPos();
  if (t.HoverRect.Contains(p)) {
    const int part = GetScrollPart(Geometry(BarOf(t.HoverBar)), p);
    if (part != t.HoverPart) {
      t.LastHoverPart = t.HoverPart;
      t.HoverPart = part;
      RepaintBars();
    }
    return;
  }
  KillTimer(CtrlHandle, kScrollHoverTimer);
  t.HoverBar = -1;
  t.HoverPart = t.LastHoverPart = spNone;
  RepaintBars();
}

void TsScrollWnd::Press(int barType, TPoint screen) {
  TsScrollTracking& t = State();
  if (t.Wnd && t.Wnd != CtrlHandle) sbtrack::Forget(t.Wnd);
  KillTimer(CtrlHandle, kScrollHoverTimer);
  t.HoverBar = -1;
  t.HoverPart = t.LastHoverPart = spNone;
  t.Wnd = CtrlHandle;
  t.ScrollMsg = barType == btVert ? WM_VSCROLL : WM_HSCROLL;
  t.PressedBar = barType;
  TsScrollBar& bar = BarOf(barType);
  ReadScrollInfo(bar);
  const TsBarGeometry geometry = Geometry(bar);
  const int part = GetScrollPart(geometry, screen);
  t.PressedPart = part;
  t.ShownPart = spNone;
  if (part == spNone) return;
  // Taken first: a capture change caused by the scrolling below ends the press properly.
  SetCapture(CtrlHandle);
  if (!IsActive(bar)) return;
  if (IsArrowOrTrack(part)) {
    t.ShownPart = part;
    RepaintBars();
    DontRepaint = true;
    SendScrollMessage(CtrlHandle, t.ScrollMsg, part, 0);
    DontRepaint = false;
    if (!Attached() || State().PressedPart != part) return;
    SetTimer(CtrlHandle, kScrollDelayTimer, kScrollDelayMs, nullptr);
    State().RepeatTimer = kScrollDelayTimer;
    UpdateScrolls(true);
  } else if (part == spThumb) {
    t.Thumb = BeginThumbTrack(geometry, screen);
    fThumbTracking = true;
    bar.ScrollInfo.nTrackPos = bar.ScrollInfo.nPos;
    t.LastPos = bar.ScrollInfo.nPos;
  }
}

void TsScrollWnd::RepeatTick(bool first) {
  TsScrollTracking& t = State();
  if (t.Wnd != CtrlHandle || !IsArrowOrTrack(t.PressedPart)) {
    // A stale timer: its press is over.
    KillTimer(CtrlHandle, kScrollDelayTimer);
    KillTimer(CtrlHandle, kScrollRepeatTimer);
    return;
  }
  if (first) {
    KillTimer(CtrlHandle, kScrollDelayTimer);
    SetTimer(CtrlHandle, kScrollRepeatTimer, kScrollRepeatMs, nullptr);
    t.RepeatTimer = kScrollRepeatTimer;
  }
  // Signed screen coordinates: above or left of the window lies off every part.
  PressMove(CursorPos());
  if (t.ShownPart != t.PressedPart) return;
  DontRepaint = true;
  SendScrollMessage(CtrlHandle, t.ScrollMsg, t.PressedPart, 0);
  DontRepaint = false;
}

void TsScrollWnd::PressMove(TPoint screen) {
  TsScrollTracking& t = State();
  const int shown = ShownPart(t.PressedPart, GetScrollPart(Geometry(BarOf(t.PressedBar)), screen));
  if (shown == t.ShownPart) return;
  t.ShownPart = shown;
  RepaintBars();
}

void TsScrollWnd::Drag(TPoint screen) {
  TsScrollTracking& t = State();
  TsScrollBar& bar = BarOf(t.PressedBar);
  ReadScrollInfo(bar);
  const TsThumbMove move = MoveThumb(t.Thumb, bar.ScrollInfo, screen);
  if (move.Position != t.LastPos) {
    bar.ScrollInfo.nTrackPos = move.Position;
    DontRepaint = true;
    SendScrollMessage(CtrlHandle, t.ScrollMsg, SB_THUMBTRACK, move.Position);
    DontRepaint = false;
    if (!Attached() || !fThumbTracking) return;
    State().LastPos = move.Position;
  }
  // Painted after the send: the control's scrolling may have drawn over the bar.
  TWholeWindowDC dc(CtrlHandle);
  if (dc.dc()) PaintBar(dc.dc(), bar, TsThumb{t.Thumb.Thumb.Length, move.ThumbStart});
}

void TsScrollWnd::EndPress(bool captureGone) {
  TsScrollTracking& t = State();
  if (t.Wnd != CtrlHandle || t.PressedPart == spNone) return;
  const TsScrollTracking was = t;
  const bool dragging = fThumbTracking;
  // Reset before anything is sent or released: the capture change our own release causes, or a
  // message the control shows while scrolling, finds no press left to end.
  t.PressedBar = -1;
  t.PressedPart = t.ShownPart = spNone;
  t.ScrollMsg = 0;
  t.RepeatTimer = 0;
  fThumbTracking = false;
  KillTimer(CtrlHandle, kScrollDelayTimer);
  KillTimer(CtrlHandle, kScrollRepeatTimer);
  if (!captureGone && GetCapture() == CtrlHandle) ReleaseCapture();
  DontRepaint = true;
  if (dragging) SendScrollMessage(CtrlHandle, was.ScrollMsg, SB_THUMBPOSITION, was.LastPos);
  if (Attached()) SendScrollMessage(CtrlHandle, was.ScrollMsg, SB_ENDSCROLL, dragging ? was.LastPos : 0);
  DontRepaint = false;
  if (Attached()) UpdateScrolls(true);
}
