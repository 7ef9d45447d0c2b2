#include "skin/controls/sBoundLabelPlacement.h"

#include <array>
#include <utility>

#include "framework/Layout.h"

namespace {

constexpr std::array<std::pair<const wchar_t*, TsCaptionLayout>, 8> kLayoutNames{{
    {L"sclLeft", TsCaptionLayout::sclLeft},
    {L"sclTopLeft", TsCaptionLayout::sclTopLeft},
    {L"sclTopCenter", TsCaptionLayout::sclTopCenter},
    {L"sclTopRight", TsCaptionLayout::sclTopRight},
    {L"sclLeftTop", TsCaptionLayout::sclLeftTop},
    {L"sclBottomLeft", TsCaptionLayout::sclBottomLeft},
    {L"sclBottomCenter", TsCaptionLayout::sclBottomCenter},
    {L"sclBottomRight", TsCaptionLayout::sclBottomRight},
}};

// The gap between a label on the left and its control, before the indent.
constexpr int kLeftGap = 4;

}  // namespace

TsCaptionLayout CaptionLayoutFromName(const std::wstring& name) {
  for (const auto& [text, layout] : kLayoutNames)
    if (name == text) return layout;
  throw ELayoutError("unknown caption layout");
}

TAlignment CaptionAlignment(TsCaptionLayout layout) {
  switch (layout) {
    case TsCaptionLayout::sclLeft:
    case TsCaptionLayout::sclTopRight:
    case TsCaptionLayout::sclBottomRight:
      return TAlignment::taRightJustify;
    case TsCaptionLayout::sclTopCenter:
    case TsCaptionLayout::sclBottomCenter:
      return TAlignment::taCenter;
    case TsCaptionLayout::sclTopLeft:
    case TsCaptionLayout::sclLeftTop:
    case TsCaptionLayout::sclBottomLeft:
      return TAlignment::taLeftJustify;
  }
  return TAlignment::taLeftJustify;
}

TPoint BoundLabelPosition(TsCaptionLayout layout, const TRect& c, int w, int h, int indent) {
  // C++ integer division truncates toward zero, which is the rounding wanted here.
  const int leftOf = c.Left - w - kLeftGap - indent;
  const int above = c.Top - h - indent;
  const int below = c.Bottom + indent;
  const int centred = c.Left + (c.Width() - w) / 2;
  const int flushRight = c.Right - w;
  switch (layout) {
    case TsCaptionLayout::sclLeft: return {leftOf, c.Top + (c.Height() - h) / 2 - 1};
    case TsCaptionLayout::sclLeftTop: return {leftOf, c.Top + 3};
    case TsCaptionLayout::sclTopLeft: return {c.Left, above};
    case TsCaptionLayout::sclTopCenter: return {centred, above};
    case TsCaptionLayout::sclTopRight: return {flushRight, above};
    case TsCaptionLayout::sclBottomLeft: return {c.Left, below};
    case TsCaptionLayout::sclBottomCenter: return {centred, below};
    case TsCaptionLayout::sclBottomRight: return {flushRight, below};
  }
  return {c.Left, c.Top};
}
