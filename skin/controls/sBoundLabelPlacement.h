// Where a caption label bound to a control goes, and how its text is aligned there: the pure
// arithmetic of the bound label (sBoundLabel.h), free of the Windows API.
#pragma once
#include <string>

#include "framework/Types.h"

// The side of the control the label keeps to, stored in the layout by these names.
enum class TsCaptionLayout {
  sclLeft,          // left of the control, centred on its height
  sclTopLeft,       // above it: flush left, centred, flush right
  sclTopCenter,
  sclTopRight,
  sclLeftTop,       // left of the control, level with its text's first line
  sclBottomLeft,    // below it: flush left, centred, flush right
  sclBottomCenter,
  sclBottomRight,
};

// The layout named by a stored identifier; throws ELayoutError "unknown caption layout" for any
// other name.
TsCaptionLayout CaptionLayoutFromName(const std::wstring& name);

// The text alignment of the label within its own bounds for a layout: towards the control.
TAlignment CaptionAlignment(TsCaptionLayout layout);

// The label's top-left corner for a control with the given bounds (in the parent's
// coordinates), a label of labelWidth × labelHeight and the indent (the gap the stored Indent
// adds between the two). Halves round toward zero, as the stored layouts were made with.
TPoint BoundLabelPosition(TsCaptionLayout layout, const TRect& control, int labelWidth, int labelHeight, int indent);
