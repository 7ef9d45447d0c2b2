// Item painting for controls with a skin state: the portable painters (sSkinItem, sMaskFrame)
// fed from a control's common data, and their device-context and window-region forms.
#pragma once
#include <windows.h>

#include <string_view>

#include "skin/base/sRecolor.h"
#include "skin/paint/sCommonData.h"
#include "skin/paint/sSkinItem.h"

// What the painters need of the control's state (its custom colour resolved: the owner's colour
// when CustomColor is set, else none).
TsItemSkinData ItemSkinData(const TsCommonData& data);
// The control's own recolouring (colour tone, hue offset, saturation), the saturation read as a
// percentage.
TsRecolor OwnRecolor(const TsCommonData& data);
// A colour as the control shows it: its own recolouring applied, then system colours resolved.
TColor AdjustedColor(const TsCommonData& data, TColor color);

void PaintSkinItem(const TsCommonData& data, const TCacheInfo& bg, bool cornerFlag, TBitmap32& bmp, TPoint pos,
                   const TRect& rect, int state);
void PaintControlBackground(const TsCommonData& data, const TCacheInfo& bg, int state, TBitmap32& bmp, TPoint pos,
                            const TRect& rect);
// PaintSectionItem into a bitmap of rect's size, then copied to dc at rect.
void PaintSectionToDC(int index, std::wstring_view name, const TCacheInfo& bg, TsSkinManager* manager, HDC dc,
                      TPoint pos, const TRect& rect, int state);
// The frame over the whole of bmp; the transparent corner pixels are cut out of region.
void PaintMaskFrameRegion(TBitmap32& bmp, HRGN region, bool cornerFlag, int state, const TsMaskData& mask);
// After a move: the cache's transparent corners (TsCorner bits) show what now lies behind them.
void RefreshCorners(TsCommonData& data, int state, unsigned corners);
// The four border bands of `band` pixels (left, top, right, bottom) of a w × h picture in src onto
// the same places of dst: a frame painted from a control's cache around what the platform paints.
void CopyBorderBands(HDC dst, HDC src, int w, int h, int band);
