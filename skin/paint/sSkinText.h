// Text of skinned controls: in the section's font colours with their outlines, dimmed or embossed
// when disabled, and with the section's glow behind it.
#pragma once
#include <windows.h>

#include <string>

#include "framework/Graphics.h"
#include "imaging/sBitmap8.h"
#include "skin/paint/sCommonData.h"

// The blurred mask of a glowing text, kept by the caller between paints of the same size.
struct TsGlowMaskHolder {
  TBitmap8 Mask;
};

// A glow mask kept by a control between paints, with what it was made of: made again only when
// the text, its rectangle, the format, the glow size or the font change.
struct TsKeptGlowMask {
  TsGlowMaskHolder Holder;
  std::wstring Text;
  TRect Rect{};
  UINT Flags = 0;
  int Size = 0;
  TFont Font;
};

// Outline bits of DrawGlowText: the text is also stamped moved by one pixel that way.
enum TsOutline : unsigned { olLeft = 1, olTop = 2, olRight = 4, olBottom = 8, olAll = 15 };

// Text in the control's section colours: outlines, then the text (with no clipping); a glow into
// the control's cache when the section has one; the section of a parent chain gives the colours
// for the standard transparent sections. Unskinned or with CustomFont: the canvas font, embossed
// when disabled.
// kept: where the control keeps its glow mask between paints (none: made for this paint only).
void DrawSkinText(TCanvas& canvas, const std::wstring& text, bool enabled, bool hot, TsCommonData& data, UINT flags,
                  TRect rect, TsKeptGlowMask* kept = nullptr);
// The same by section index (property index p), without glow; disabled text is the normal
// font colour blended 40 % towards the section's colour.
void DrawSectionText(TCanvas& canvas, const std::wstring& text, bool enabled, TsSkinManager* manager, int p, int index,
                     UINT flags, TRect rect);
// The glow behind a text drawn in rect with font: the mask (made when the holder has none of the
// right size: white, the text in black once per outline and once in place, blurred by size) laid
// over bmp in glowColor.
void DrawGlowText(TBitmap32& bmp, const std::wstring& text, const TRect& rect, TsGlowMaskHolder& holder,
                  TColor glowColor, int size, unsigned outlines, UINT flags, const TFont& font);
