#include "skin/paint/sSkinText.h"

#include <algorithm>
#include <array>

#include "framework/WinControl.h"
#include "skin/base/sBlur.h"
#include "skin/base/sColorMath.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sItemPaint.h"
#include "skin/paint/sParentFont.h"
#include "skin/paint/sSkinItem.h"

namespace {

constexpr TColor kNoOutline = TColor(-1);

// The outline directions in drawing order: left, top, right, bottom, with their bits.
constexpr std::array<std::pair<unsigned, TPoint>, 4> kOutlineMoves{
    {{olLeft, {-1, 0}}, {olTop, {0, -1}}, {olRight, {1, 0}}, {olBottom, {0, 1}}}};

// The outline colours with their offsets, in drawing order.
std::array<std::pair<TColor, TPoint>, 4> Outlines(const TsFontColor& c) {
  return {{{c.Left, kOutlineMoves[0].second},
           {c.Top, kOutlineMoves[1].second},
           {c.Right, kOutlineMoves[2].second},
           {c.Bottom, kOutlineMoves[3].second}}};
}

void TextAt(TCanvas& canvas, const std::wstring& text, TRect r, TPoint offset, TColor color, UINT flags) {
  r = {r.Left + offset.X, r.Top + offset.Y, r.Right + offset.X, r.Bottom + offset.Y};
  canvas.Font.SetColor(color);
  canvas.DrawText(text, r, flags);
}

bool IsStandardTransparentSection(const std::wstring& s) {
  return s == L"MENUITEM" || s == L"TOOLBUTTON" || s == L"CHECKBOX" || s == L"TRANSPARENT" || s == L"GROUPBOX" ||
         s == L"WEBBUTTON";
}

// The section whose font colours a control over a transparent parent uses.
int FontSection(TsCommonData& d, int p) {
  const int a = d.SkinIndex;
  TControl* owner = d.OwnerControl();
  if (!owner || !owner->Parent() || !IsStandardTransparentSection(d.SkinSection())) return a;
  if (d.SkinManager()->gd()[std::size_t(a)].Props[std::size_t(p)].Transparency <= 0) return a;
  return ParentFontIndex(*owner, a, d.SkinManager());
}

}  // namespace

void DrawSkinText(TCanvas& canvas, const std::wstring& text, bool enabled, bool hot, TsCommonData& d, UINT flags,
                  TRect rect, TsKeptGlowMask* kept) {
  if (text.empty()) return;
  const int p = hot ? 1 : 0;
  TsSkinManager* m = d.SkinManager();
  if (hot && m && d.Skinned() && d.SkinIndex == m->GetSkinIndex(L"WEBBUTTON"))
    canvas.Font.SetStyle(canvas.Font.Style() | fsUnderline);
  HDC dc = canvas.Handle();
  TSavedDC saved(dc);
  IntersectClipRect(dc, rect.Left, rect.Top, rect.Right, rect.Bottom);
  SetBkMode(dc, TRANSPARENT);
  canvas.BrushClear = true;
  if (d.Skinned() && !d.CustomFont()) {
    const int a = FontSection(d, p);
    const TsGenState& s = m->gd()[std::size_t(a)].Props[std::size_t(p)];
    if (d.CacheBmp() && d.CacheBmp()->Width() > 0 && s.GlowSize != 0) {
      TsGlowMaskHolder local;
      TsGlowMaskHolder& holder = kept ? kept->Holder : local;
      if (kept && (kept->Text != text || kept->Rect != rect || kept->Flags != flags || kept->Size != s.GlowSize ||
                   !kept->Font.SameAs(canvas.Font))) {
        kept->Holder.Mask = TBitmap8();
        kept->Text = text;
        kept->Rect = rect;
        kept->Flags = flags;
        kept->Size = s.GlowSize;
        kept->Font = canvas.Font;
      }
      DrawGlowText(d.CacheBmp()->Pixels(), text, rect, holder, AdjustedColor(d, s.GlowColor), s.GlowSize, olAll, flags,
                   canvas.Font);
    }
    if (!enabled) {
      TextAt(canvas, text, rect, {}, AdjustedColor(d, s.FontColor.Color), flags);
      return;
    }
    for (const auto& [color, offset] : Outlines(s.FontColor))
      if (color != kNoOutline) TextAt(canvas, text, rect, offset, AdjustedColor(d, color), flags);
    TextAt(canvas, text, rect, {}, AdjustedColor(d, s.FontColor.Color), flags | DT_NOCLIP);
    return;
  }
  if (enabled) {
    TextAt(canvas, text, rect, {}, canvas.Font.Color(), flags);
  } else {
    TextAt(canvas, text, rect, {1, 1}, clBtnHighlight, flags);
    TextAt(canvas, text, rect, {}, clBtnShadow, flags);
  }
}

void DrawSectionText(TCanvas& canvas, const std::wstring& text, bool enabled, TsSkinManager* manager, int p, int index,
                     UINT flags, TRect rect) {
  SetBkMode(canvas.Handle(), TRANSPARENT);
  canvas.BrushClear = true;
  TsSkinManager* m = ItemManager(manager);
  if (!m || !m->IsValidSkinIndex(index)) {
    canvas.DrawText(text, rect, flags);
    return;
  }
  const TsGeneralData& g = m->gd()[std::size_t(index)];
  const TsGenState& s = g.Props[std::size_t(std::clamp(p, 0, 1))];
  if (!enabled) {
    TextAt(canvas, text, rect, {}, InterpolateColor(g.Props[0].FontColor.Color, g.Props[0].Color, 0.4L), flags);
    return;
  }
  for (const auto& [color, offset] : Outlines(s.FontColor))
    if (color != kNoOutline) TextAt(canvas, text, rect, offset, color, flags);
  TextAt(canvas, text, rect, {}, s.FontColor.Color, flags);
}

void DrawGlowText(TBitmap32& bmp, const std::wstring& text, const TRect& rect, TsGlowMaskHolder& holder,
                  TColor glowColor, int size, unsigned outlines, UINT flags, const TFont& font) {
  if (size <= 0 || text.empty()) return;
  const TRect area = GlowMaskRect(rect, size);
  const int w = area.Width(), h = area.Height();
  if (w <= 0 || h <= 0) return;
  if (holder.Mask.Width() != w || holder.Mask.Height() != h) {
    // The text is stamped in black on white through the platform, then one channel is the mask.
    TBitmap stamp(w, h);
    TCanvas canvas(stamp.DC());
    canvas.BrushColor = clWhite;
    canvas.FillRect({0, 0, w, h});
    canvas.Font = font;
    SetBkMode(stamp.DC(), TRANSPARENT);
    const int inset = size + 4;
    const TRect at{inset, inset, inset + rect.Width(), inset + rect.Height()};
    for (const auto& [bit, move] : kOutlineMoves)
      if (outlines & bit) TextAt(canvas, text, at, move, clBlack, flags);
    TextAt(canvas, text, at, {}, clBlack, flags);
    GdiFlush();
    holder.Mask = TBitmap8(w, h);
    for (int y = 0; y < h; ++y) {
      const std::uint32_t* src = stamp.Pixels().Row(y);
      std::uint8_t* dst = holder.Mask.Row(y);
      for (int x = 0; x < w; ++x) dst[x] = std::uint8_t(src[x] & 0xFF);
    }
    SmoothBitmap8(holder.Mask, size);
  }
  BlendGlowMask(bmp, holder.Mask, {area.Left, area.Top}, ColorToRGB(glowColor));
}
