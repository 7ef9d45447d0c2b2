#include "skin/controls/sButtonGeometry.h"

#include <algorithm>

namespace {

TRect Moved(TRect r, int dx, int dy) { return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy}; }

int PushContentRight(const TsButtonGeometry& g) {
  return g.Style == TButtonStyle::bsSplitButton ? g.Width - kSplitArrowWidth : g.Width;
}

}  // namespace

// ---- The push button ----------------------------------------------------------------------------

int ButtonState(const TsButtonStateInput& s) {
  if (s.Pushed && (s.MouseAbove || !s.LeftHeldOnControl || s.NoMouseHover)) return 2;
  if (s.Down || s.DroppedDown) return 2;
  if (s.Hot) return 1;
  if (s.Default) return 3;
  return 0;
}

int ButtonPaintState(int state, int states) {
  const int p = state == 3 && states < 4 ? 1 : state;
  return std::clamp(p, 0, std::max(states, 1) - 1);
}

int ButtonGlyphIndex(bool enabled, int state, bool focused, const int (&indexes)[5], int count) {
  const int look = !enabled ? 4 : state == 2 ? 2 : focused ? 3 : state == 1 ? 1 : 0;
  const int index = indexes[look];
  return index >= 0 && index < count ? index : indexes[0];
}

int ButtonGlyphSpace(const TsButtonGeometry& g) {
  return (g.HasImage ? g.ImageWidth : 32) + g.Margins.Left + g.Margins.Right;
}

TRect ButtonMeasureRect(const TsButtonGeometry& g) {
  const int cm = g.ContentMargin;
  const int right = g.Style == TButtonStyle::bsPushButton ? g.Width - cm : g.Width - ButtonGlyphSpace(g) - 3 * cm - 6;
  return {cm, 0, right, g.Height};
}

TRect ButtonCaptionRect(const TsButtonGeometry& g, TSize caption) {
  const int cm = PushContentRight(g), CM = g.ContentMargin, tw = caption.W, th = caption.H;
  const TImageMargins& m = g.Margins;
  TRect r;
  const int top = (g.Height - th) / 2;
  if (g.Style == TButtonStyle::bsCommandLink) {
    r = {ButtonGlyphSpace(g) + CM + 6, CM, cm - CM, CM + th};
  } else if (!g.HasImage || g.Alignment == TImageAlignment::iaCenter) {
    r.Left = (cm - tw) / 2 - 1;
    r = {r.Left, top, r.Left + tw + 2, g.Height - top};
  } else {
    switch (g.Alignment) {
      case TImageAlignment::iaLeft:
        r = {m.Right + CM + g.ImageWidth + m.Left, top, cm - CM, g.Height - top};
        break;
      case TImageAlignment::iaRight:
        r = {CM, top, cm - m.Right - CM - g.ImageWidth - m.Left, g.Height - top};
        break;
      case TImageAlignment::iaTop: {
        const int a = m.Top + 2 * CM + g.ImageHeight;
        r.Top = a + (g.Height - CM - a - th) / 2;
        r = {CM, r.Top, cm - CM, r.Top + th};
        break;
      }
      case TImageAlignment::iaBottom: {
        const int a = g.Height - m.Bottom - CM - g.ImageHeight - m.Top;
        r.Top = m.Top + (a - m.Top - th) / 2;
        r = {CM, r.Top, cm - CM, r.Top + th};
        break;
      }
      case TImageAlignment::iaCenter:
        break;
    }
  }
  return g.Shifted ? Moved(r, 1, 1) : r;
}

TRect ButtonGlyphRect(const TsButtonGeometry& g) {
  if (!g.HasImage) return {};
  const int cm = PushContentRight(g), CM = g.ContentMargin, w = g.ImageWidth, h = g.ImageHeight;
  const TImageMargins& m = g.Margins;
  int x = 0, y = 0;
  if (g.Style == TButtonStyle::bsCommandLink) {
    x = m.Left + CM;
    y = CM;
  } else {
    switch (g.Alignment) {
      case TImageAlignment::iaLeft:
        x = m.Left + CM;
        y = (g.Height - h) / 2;
        break;
      case TImageAlignment::iaRight:
        x = cm - m.Right - CM - w;
        y = (g.Height - h) / 2;
        break;
      case TImageAlignment::iaTop:
        x = (cm - w) / 2;
        y = m.Top + CM;
        break;
      case TImageAlignment::iaBottom:
        x = (cm - w) / 2;
        y = g.Height - m.Bottom - CM - h;
        break;
      case TImageAlignment::iaCenter:
        x = (cm - w) / 2;
        y = (g.Height - h) / 2;
        break;
    }
  }
  const TRect r = Bounds(x, y, w, h);
  return g.Shifted ? Moved(r, 1, 1) : r;
}

TRect CommandLinkHintRect(const TsButtonGeometry& g, const TRect& caption) {
  return {caption.Left, caption.Bottom + 6, caption.Right, g.Height - g.ContentMargin};
}

TRect ButtonFocusRect(const TRect& caption, int focusMargin, int height) {
  TRect r{caption.Left - focusMargin - 1, caption.Top - focusMargin, caption.Right + focusMargin + 1,
          caption.Bottom + focusMargin};
  r.Top = std::max(r.Top, 3);
  r.Bottom = std::min(r.Bottom, height - 3);
  return r;
}

int ThemedButtonState(bool disabled, bool pressed, bool hot, bool focusedOrDefault) {
  if (disabled) return 5;
  if (pressed) return 4;
  if (hot) return 3;
  if (focusedOrDefault) return 6;
  return 2;
}

// ---- The speed button -----------------------------------------------------------------------------

int SpeedButtonState(bool downOrExclusive, bool menuVisible, bool menuOwnerMode, bool hot, bool hotState) {
  if ((downOrExclusive || menuVisible) && !menuOwnerMode) return 2;
  return hot || hotState || menuOwnerMode ? 1 : 0;
}

int SpeedArrowPropIndex(int state, int states) { return std::min(state > 0 ? 1 : 0, std::max(states, 1) - 1); }

int ResumedFadeLevel(int remaining, int iterations) { return std::clamp(remaining, 1, std::max(iterations, 1)); }

namespace {

struct TSpeedParts {
  int m, b, c, sp;
};

TSpeedParts Parts(const TsSpeedGeometry& g) {
  TSpeedParts p{};
  p.m = g.Margin < 0 ? 0 : g.Margin + 3;
  if (g.DropDown) (g.HasOnClick ? p.b : p.c) = kSplitArrowWidth;
  const bool vertical = g.Layout == TButtonLayout::blGlyphTop || g.Layout == TButtonLayout::blGlyphBottom;
  const int glyph = vertical ? g.GlyphHeight : g.GlyphWidth;
  p.sp = glyph > 0 && g.HasCaption ? g.Spacing : 0;
  return p;
}

bool ShiftApplies(const TsSpeedGeometry& g, bool shiftClicked) { return shiftClicked && g.Pressed && g.ShiftOnClick; }

}  // namespace

int SpeedTextAvailableWidth(const TsSpeedGeometry& g) {
  if (!g.ShowCaption || !g.HasCaption) return 0;
  int w = g.Width - 2 * g.Margin;
  if (g.DropDown) w -= kSplitArrowWidth;
  const bool horizontal = g.Layout == TButtonLayout::blGlyphLeft || g.Layout == TButtonLayout::blGlyphRight;
  if (horizontal && g.GlyphWidth != 0) w -= g.GlyphWidth + g.Spacing;
  return w;
}

TRect SpeedCaptionRect(const TsSpeedGeometry& g, TSize text, bool shiftClicked) {
  const TSpeedParts p = Parts(g);
  const int W = g.Width, H = g.Height, cx = text.W, cy = text.H, gw = g.GlyphWidth, gh = g.GlyphHeight;
  const int m = p.m, b = p.b, c = p.c, sp = p.sp;
  TRect r;
  switch (g.Layout) {
    case TButtonLayout::blGlyphLeft: {
      r.Top = (H - cy) / 2;
      r.Bottom = r.Top + cy;
      const int f = (W - b - c - cx - gw - sp - 2 * m) / 2;
      const int d = W - cx - m - b - c;
      if (g.Alignment == TAlignment::taRightJustify) {
        r.Left = d;
        r.Right = W - b - c - m;
      } else {
        if (g.Alignment == TAlignment::taCenter) r.Left = m + f + gw + sp;
        else if (g.TextAlignment == TAlignment::taLeftJustify) r.Left = m + gw + sp;
        else if (g.TextAlignment == TAlignment::taRightJustify) r.Left = gw > 0 ? d : m;
        else r.Left = gw > 0 ? gw + f + sp : (W - cx) / 2;
        r.Right = r.Left + cx;
      }
      r.Left += g.TextOffset;
      r.Right += g.TextOffset;
      break;
    }
    case TButtonLayout::blGlyphRight: {
      r.Top = (H - cy) / 2;
      r.Bottom = r.Top + cy;
      const int f = W - b - c;
      if (g.Alignment == TAlignment::taLeftJustify) {
        r.Left = m;
        r.Right = m + cx;
      } else if (g.Alignment == TAlignment::taRightJustify) {
        r.Right = f - gw - sp - m;
        if (g.TextAlignment == TAlignment::taLeftJustify) r.Left = gw > 0 ? m : f - m - cx;
        else if (g.TextAlignment == TAlignment::taRightJustify) r.Left = f - cx - gw - sp - m;
        else r.Left = gw > 0 ? (f - cx - gw - sp - m) / 2 : f - m - cx;
      } else {
        r.Left = (f - cx - gw - sp) / 2;
        r.Right = r.Left + cx;
      }
      r.Left += g.TextOffset;
      r.Right += g.TextOffset;
      break;
    }
    case TButtonLayout::blGlyphTop:
    case TButtonLayout::blGlyphBottom: {
      r.Left = (W - cx - b - c) / 2;
      r.Right = W - r.Left - b - c;
      const int s = (H - gh - sp - cy) / 2;
      if (g.Layout == TButtonLayout::blGlyphTop) {
        r.Top = gh + s + sp;
        r.Bottom = H - s;
      } else {
        r.Top = s;
        r.Bottom = H - s - gh - sp;
      }
      r.Top += g.TextOffset;
      r.Bottom += g.TextOffset;
      break;
    }
  }
  return ShiftApplies(g, shiftClicked) ? Moved(r, 1, 1) : r;
}

TRect SpeedImgRect(const TsSpeedGeometry& g, TSize text, bool shiftClicked) {
  const TSpeedParts p = Parts(g);
  const int W = g.Width, H = g.Height, cx = text.W, cy = text.H, gw = g.GlyphWidth, gh = g.GlyphHeight;
  const int m = p.m, b = p.b, c = p.c, sp = g.ShowCaption ? p.sp : 0;
  int x = 0, y = 0;
  switch (g.Layout) {
    case TButtonLayout::blGlyphLeft: {
      y = (H - gh) / 2;
      const int e = (W - b - c - gw - sp - cx) / 2;
      x = g.Alignment == TAlignment::taLeftJustify ? m : g.Alignment == TAlignment::taRightJustify ? 2 * e - m : e;
      break;
    }
    case TButtonLayout::blGlyphRight:
      y = (H - gh) / 2;
      if (g.Alignment == TAlignment::taLeftJustify) x = SpeedCaptionRect(g, text, true).Right + sp - (g.Pressed ? 1 : 0);
      else if (g.Alignment == TAlignment::taRightJustify) x = W - b - c - gw - m;
      else x = (W - b - c - gw + sp + cx) / 2;
      break;
    case TButtonLayout::blGlyphTop:
      x = (W - b - c - gw) / 2 + 1;
      y = (H - gh - sp - cy) / 2;
      break;
    case TButtonLayout::blGlyphBottom:
      x = (W - b - c - gw) / 2 + 1;
      y = H - gh - (H - gh - sp - cy) / 2;
      break;
  }
  TRect r = Bounds(x, y, gw, gh);
  if (ShiftApplies(g, shiftClicked)) r = Moved(r, 1, 1);
  if (g.Reflected) r = Moved(r, 0, -(gh / 6));
  return r;
}

TRect SpeedArrowRect(const TsSpeedGeometry& g, TSize text) {
  if (!g.DropDown) return {};
  int left = 0;
  if (g.HasOnClick) {
    left = g.Width - kSplitArrowWidth;
  } else {
    const TRect I = SpeedImgRect(g, text, false);
    TRect T = SpeedCaptionRect(g, text, false);
    if (!g.ShowCaption) {
      const int x = I.Width() > 0 ? I.Right : g.GlyphWidth + (g.Width - kSplitArrowWidth) / 2;
      T = {x, 0, x, 0};
    }
    const int gap = I.Width() == 0 && T.Width() == 0 ? 0 : 2;
    switch (g.Layout) {
      case TButtonLayout::blGlyphLeft:
        left = gap + T.Right;
        break;
      case TButtonLayout::blGlyphRight:
        left = gap + I.Right;
        break;
      case TButtonLayout::blGlyphTop:
      case TButtonLayout::blGlyphBottom:
        left = gap + std::max(I.Right, T.Right);
        break;
    }
  }
  const TRect r{left, 0, left + kSplitArrowWidth, g.Height};
  return ShiftApplies(g, true) ? Moved(r, 1, 1) : r;
}
