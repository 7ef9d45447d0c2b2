#include "skin/frame/sFrameLayout.h"

#include <algorithm>

#include "skin/frame/sCaptionButtons.h"

namespace {

bool ToolWindow(TFormBorderStyle s) {
  return s == TFormBorderStyle::bsToolWindow || s == TFormBorderStyle::bsSizeToolWin;
}

// The icon's side chosen from the caption's height when the form sets none.
int AutoIconSize(int captionHeight) {
  if (captionHeight <= 8) return 1;
  if (captionHeight <= 16) return 8;
  return 16;
}

}  // namespace

TsFrameWindow DialogWindow(const TsSystemMetrics& sys, int clientWidth, int clientHeight) {
  TsFrameWindow w;
  w.ClientWidth = clientWidth;
  w.ClientHeight = clientHeight;
  w.Width = clientWidth + 2 * sys.CXDlgFrame;
  w.Height = clientHeight + sys.CYCaption + 2 * sys.CXDlgFrame;
  w.Border = w.DlgFrame = true;
  w.BorderStyle = TFormBorderStyle::bsDialog;
  return w;
}

TsFrameMetrics FrameMetrics(const TsSystemMetrics& sys, const TsFrameWindow& wnd) {
  TsFrameMetrics m;
  m.Frame = wnd.ThickFrame ? sys.CXFrame : wnd.Border ? sys.CXDlgFrame : 0;
  m.BorderWidth = m.Frame + wnd.FormBorderWidth;
  m.BorderHeight = m.BorderWidth;
  if (wnd.HasCaption() || wnd.Minimized)
    m.CaptionHeight = ToolWindow(wnd.BorderStyle) && !wnd.Minimized ? sys.CYSmCaption : sys.CYCaption;
  const int rest = wnd.Height - wnd.ClientHeight;
  const int below = m.CaptionHeight > 0 || wnd.Border ? m.BorderHeight : 0;
  m.HeaderHeight = std::max(0, rest - below) + (wnd.Minimized ? m.Frame : 0) - wnd.OwnHScrollHeight;
  m.MenuHeight = 0;
  m.CaptionWidth = wnd.Minimized && !wnd.MainForm ? 160 : wnd.Width;
  m.OffsetX = (wnd.Width - wnd.ClientWidth - wnd.OwnVScrollWidth) / 2;
  m.OffsetY = rest - (wnd.Border ? m.Frame : 0) - wnd.OwnHScrollHeight;
  return m;
}

bool TitleIconShown(TFormBorderStyle style, bool titleIconVisible, bool showAppIcon, bool hasSystemMenu) {
  const bool styled = style == TFormBorderStyle::bsSingle || style == TFormBorderStyle::bsSizeable;
  return titleIconVisible && styled && showAppIcon && hasSystemMenu;
}

TsTitleLayout TitleLayout(const TsFrameMetrics& m, const TsFrameWindow& wnd, int biLeftMargin, bool iconShown,
                          int iconW, int iconH) {
  TsTitleLayout t;
  t.VCenter = m.CaptionHeight / 2 + m.Frame / 2 + (wnd.Maximized ? 2 : 0);
  t.FHeaderHeight = m.Frame + m.CaptionHeight;
  const int left = m.Frame + biLeftMargin;
  if (!iconShown) {
    t.FIconRect = Rect(left, t.VCenter, left, t.VCenter);
    return t;
  }
  const int w = iconW > 0 ? iconW : AutoIconSize(m.CaptionHeight);
  const int h = iconH > 0 ? iconH : AutoIconSize(m.CaptionHeight);
  t.FIconRect = Bounds(left, t.VCenter - h / 2, w, h);
  return t;
}

TRect CaptionTextBox(const TsFrameMetrics& m, const TsTitleLayout& t, int biLeftMargin, bool captionSection,
                     int areaWidth, int textHeight) {
  const int left = m.Frame + t.FIconRect.Width() + biLeftMargin + 4 + (captionSection ? 2 : 0);
  const int top = t.VCenter - textHeight / 2;
  return Rect(left, top, m.CaptionWidth - areaWidth - 12, top + textHeight);
}

TRect AlignCaptionText(TRect box, TAlignment alignment, bool rightToLeft, int captionWidth, int addedWidth) {
  if (rightToLeft && alignment != TAlignment::taCenter)
    alignment = alignment == TAlignment::taLeftJustify ? TAlignment::taRightJustify : TAlignment::taLeftJustify;
  const int text = captionWidth + addedWidth + 4;
  if (alignment == TAlignment::taRightJustify) {
    if (text < box.Width()) box.Left = box.Right - text;
  } else if (alignment == TAlignment::taCenter) {
    box.Left = std::max(box.Left, box.Left + (box.Width() - text) / 2);
    box.Right = std::min(box.Left + captionWidth, box.Right);
  }
  return box;
}

int FrameHitTest(const TsHitTestInput& in, TPoint p) {
  const TsFrameWindow& wnd = *in.Window;
  const TsFrameMetrics& m = *in.Metrics;
  if (in.Buttons && in.Queries)
    if (const int code = CaptionButtonHitTest(*in.Buttons, *in.Queries, p)) return code;
  if (wnd.ThickFrame && !wnd.Maximized) {
    // The edges are Frame pixels wide on all four sides.
    const int b = m.Frame;
    const bool top = p.Y < b, bottom = p.Y >= wnd.Height - b;
    if (p.X < b) return top ? shtTopLeft : bottom ? shtBottomLeft : shtLeft;
    if (p.X >= wnd.Width - b) return top ? shtTopRight : bottom ? shtBottomRight : shtRight;
    if (top) return shtTop;
    if (bottom) return shtBottom;
  }
  // The title's rows end where the client area begins.
  if (p.Y >= 0 && p.Y < m.CaptionHeight + m.Frame)
    return in.Title && in.Title->FIconRect.Contains(p) ? shtSysMenu : shtCaption;
  if (in.GripShown && p.X >= in.GripOrigin.X && p.Y >= in.GripOrigin.Y) return shtBottomRight;
  return shtClient;
}
