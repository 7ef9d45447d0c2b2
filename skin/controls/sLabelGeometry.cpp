#include "skin/controls/sLabelGeometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "skin/base/sColorMath.h"

using scolor::Round;
using scolor::Trunc;

TShadowMargins ShadowMargins(const TShadowData& s) {
  return {std::min(0, s.Offset - s.Blur), std::max(0, s.Offset + s.Blur)};
}

bool GlowWanted(const TShadowData& s) { return s.Color != clNone && s.Blur > 0; }

namespace {
double Radians(int angle) { return angle * std::numbers::pi / 180.0; }
}  // namespace

TPoint RotatedExtent(TPoint e, int angle) {
  if (angle == 0) return e;
  const double c = std::fabs(std::cos(Radians(angle))), s = std::fabs(std::sin(Radians(angle)));
  return {int(Round(c * e.X + s * e.Y)), int(Round(s * e.X + c * e.Y))};
}

TPoint RotatedOrigin(TPoint e, TPoint rotated, int angle) {
  if (angle == 0) return {0, 0};
  const double c = std::cos(Radians(angle)), s = std::sin(Radians(angle));
  const int dx = int(Round((e.X - c * e.X - s * e.Y) / 2) + Trunc((rotated.X - e.X) / 2.0));
  const int dy = int(Round(((1 - c) * e.Y + s * e.X) / 2) + Trunc((rotated.Y - e.Y) / 2.0));
  return {dx, dy};
}

TRect AdjustedLabelBounds(const TLabelBoundsInput& in) {
  const int KLT = in.Kept.LeftTop, KRB = in.Kept.RightBottom;
  const int LT = in.Current.LeftTop, RB = in.Current.RightBottom, M = RB - LT;
  const int L = in.Bounds.Left, T = in.Bounds.Top, W = in.Bounds.Width(), H = in.Bounds.Height();
  // Centred labels keep their centre: the change of both margins split in two.
  const int centreShift = (KLT - LT - KRB + RB) / 2;
  int left = L, top = T, width = 0, height = 0;
  if (in.AutoSize) {
    width = in.Text.X + M;
    height = in.Text.Y + M;
    switch (in.Alignment) {
      case TAlignment::taLeftJustify: left = L - KLT + LT; break;
      case TAlignment::taRightJustify: left = L + 2 * LT + W - KRB - KLT - in.Text.X; break;
      case TAlignment::taCenter: left = L - centreShift; break;
    }
    switch (in.Layout) {
      case TTextLayout::tlTop: top = T - KLT + LT; break;
      case TTextLayout::tlBottom: top = T + 2 * LT - KLT + H - KRB - in.Text.Y; break;
      case TTextLayout::tlCenter: top = T - centreShift; break;
    }
  } else {
    width = W - KRB + KLT + M;
    height = H - KRB + KLT + M;
    switch (in.Alignment) {
      case TAlignment::taLeftJustify: left = L - KLT + LT; break;
      case TAlignment::taRightJustify: left = L + LT - KLT; break;
      case TAlignment::taCenter: left = L - centreShift; break;
    }
    switch (in.Layout) {
      case TTextLayout::tlTop: top = T - KLT + LT; break;
      case TTextLayout::tlBottom: top = T + LT - KLT; break;
      case TTextLayout::tlCenter: top = T - centreShift; break;
    }
  }
  // Stored margins from a layout may exceed the size they were taken from: never a negative size.
  return Bounds(left, top, std::max(0, width), std::max(0, height));
}

TRect LabelTextRect(const TRect& r, TPoint text, TShadowMargins m, int offset, TAlignment alignment,
                    TTextLayout layout) {
  const int LT = m.LeftTop, RB = m.RightBottom;
  int left = 0, top = 0;
  switch (alignment) {
    case TAlignment::taLeftJustify: left = r.Left - LT; break;
    case TAlignment::taRightJustify: left = r.Right - text.X - RB; break;
    case TAlignment::taCenter: left = (r.Right - text.X - RB - LT) / 2 + offset; break;
  }
  switch (layout) {
    case TTextLayout::tlTop: top = r.Top - LT; break;
    case TTextLayout::tlBottom: top = r.Bottom - text.Y - RB; break;
    case TTextLayout::tlCenter: top = (r.Bottom - text.Y - RB - LT) / 2 + offset; break;
  }
  return Bounds(left, top, text.X, text.Y);
}
