// A control's canvas kept between paints: the platform font made for it stays as long as the
// control's font keeps its face, size and style (making and realising one is the slow part of
// painting a caption), and the last caption measured is remembered.
#pragma once
#include <windows.h>

#include <string>

#include "framework/Graphics.h"
#include "framework/Types.h"

class TsKeptCanvas {
 public:
  // The canvas on dc with the font (its colour too) and a clear brush.
  TCanvas& On(HDC dc, const TFont& font) {
    canvas_.SetHandle(dc);
    canvas_.Font = font;
    canvas_.BrushClear = true;
    return canvas_;
  }
  // The size DrawText gives text in rect with flags (calculate-rectangle mode added).
  TSize Measure(const std::wstring& text, const TFont& font, const TRect& rect, UINT flags) {
    if (valid_ && text == text_ && rect == rect_ && flags == flags_ && font.SameAs(probe_.Font)) return size_;
    probe_.SetHandle(probeBitmap_.DC());
    probe_.Font = font;
    TRect r = rect;
    probe_.DrawText(text, r, flags | DT_CALCRECT);
    text_ = text;
    rect_ = rect;
    flags_ = flags;
    size_ = {r.Width(), r.Height()};
    valid_ = true;
    return size_;
  }

 private:
  TCanvas canvas_;
  TBitmap probeBitmap_{1, 1};
  TCanvas probe_;
  std::wstring text_;
  TRect rect_{};
  UINT flags_ = 0;
  TSize size_;
  bool valid_ = false;
};
