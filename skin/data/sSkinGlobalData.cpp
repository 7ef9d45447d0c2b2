// The skin-wide tables read from GLOBALINFO: the global data, the two outer effects with their
// pieces, and the palette (which also looks at the EDIT, SELECTION and MENUITEM sections).
#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>

#include "skin/base/sColorMath.h"
#include "skin/data/sBlur5.h"
#include "skin/data/sSkinIni.h"
#include "skin/data/sSkinOptions.h"
#include "skin/data/sSkinValues.h"

namespace {
TColor SysColorRGB(int index) { return ColorToRGB(clSystemColor | TColor(index)); }
constexpr int kColorHighlight = 13;
constexpr int kColorHighlightText = 14;

// The BLUR5 piece of an outer effect: the four colours above, the blur below.
int AddBlurPiece(TsOutEffData& e, const std::wstring& key, const TsSkinLoadSettings& settings, TsSkinTables& t) {
  const TBitmap32 blur = settings.Blur5 ? settings.Blur5() : MakeBlur5Bitmap();
  const int w = blur.Width();
  if (w <= 0 || blur.Height() <= 0) return -1;
  const int s = w / 2;
  for (int* width : {&e.WidthL, &e.WidthT, &e.WidthR, &e.WidthB})
    if (*width == -1) *width = s;
  auto bmp = std::make_unique<TBitmap32>(w, 2 * w);
  auto pixel = [](TColor c) { return scolor::SwapRB(ColorToRGB(c) & scolor::RgbMask) | 0xFF000000u; };
  for (int y = 0; y < w; ++y) {
    const std::uint32_t p = pixel(y < s ? e.ColorT : e.ColorB);
    for (int x = 0; x < w; ++x) bmp->Pixel(x, y) = p;
  }
  // Triangles including their edges (the outline is drawn in the fill colour).
  auto triangle = [&](TPoint a, TPoint b, TPoint c, TColor color) {
    const std::uint32_t p = pixel(color);
    auto edge = [](TPoint p0, TPoint p1, int x, int y) {
      return (long long)(p1.X - p0.X) * (y - p0.Y) - (long long)(p1.Y - p0.Y) * (x - p0.X);
    };
    for (int y = 0; y < w; ++y)
      for (int x = 0; x < w; ++x) {
        const long long e0 = edge(a, b, x, y), e1 = edge(b, c, x, y), e2 = edge(c, a, x, y);
        if ((e0 >= 0 && e1 >= 0 && e2 >= 0) || (e0 <= 0 && e1 <= 0 && e2 <= 0)) bmp->Pixel(x, y) = p;
      }
  };
  triangle({0, 1}, {s - 1, s}, {0, w - 2}, e.ColorL);
  triangle({w - 1, 1}, {s + 1, s}, {w - 1, w - 2}, e.ColorR);
  for (int y = 0; y < std::min(w, blur.Height()); ++y)
    for (int x = 0; x < w; ++x) bmp->Pixel(x, w + y) = blur.Pixel(x, y);

  TsMaskData m;
  m.Bmp = std::move(bmp);
  m.R = {0, 0, w, 2 * w};
  m.ImageCount = 1;
  m.MaskType = 1;
  m.BorderWidth = std::int16_t(s);
  m.WL = m.WT = m.WR = m.WB = std::int16_t(s);
  m.DrawMode = 1;
  m.ImgType = itisaBorder;
  m.ClassName = kGlobalInfo;
  m.PropertyName = key;
  m.Manager = settings.Manager;
  t.ma.push_back(std::move(m));
  return int(t.ma.size()) - 1;
}
}  // namespace

void LoadGlobalData(const TMemIniFile& ini, const TsSkinLoadSettings& settings, TsSkinTables& t) {
  TsSkinData& d = t.CommonSkinData;
  auto i = [&](const wchar_t* key, int def) { return ini.ReadInteger(kGlobalInfo, key, def); };
  d.Version = ini.ReadFloat(kGlobalInfo, L"VERSION", 0);
  d.Author = ini.ReadString(kGlobalInfo, L"AUTHOR", L"");
  d.Description = ini.ReadString(kGlobalInfo, L"DESCRIPTION", L"");
  d.ExBorderWidth = i(L"BORDERWIDTH", 4);
  d.ExTitleHeight = i(L"TITLEHEIGHT", 30);
  if (d.ExTitleHeight == 0) d.ExTitleHeight = 30;
  d.ExMaxHeight = i(L"MAXHEIGHT", d.ExTitleHeight);
  if (d.ExMaxHeight == 0) d.ExMaxHeight = d.ExTitleHeight;
  d.ExContentOffs = i(L"FORMOFFSET", settings.SizingFrameWidth);
  d.ExCenterOffs = i(L"CENTEROFFSET", 0);
  d.ExDrawMode = i(L"BORDERMODE", 0);
  d.BrightMin = i(L"BRIGHTMIN", -50);
  d.BrightMax = i(L"BRIGHTMAX", 50);
  d.ExShadowOffs = i(L"ALIGNOFFSET", 0);
  d.ExShadowOffsR = i(L"ALIGNOFFSETR", d.ExShadowOffs);
  d.ExShadowOffsT = i(L"ALIGNOFFSETT", d.ExShadowOffs);
  d.ExShadowOffsB = i(L"ALIGNOFFSETB", d.ExShadowOffs);
  d.BISpacing = i(L"BISPACE", 0);
  d.BIVAlign = i(L"BIVALIGN", 0);
  d.BIRightMargin = i(L"BIRIGHT", 0);
  d.BILeftMargin = i(L"BILEFT", 0);
  d.BITopMargin = i(L"BITOP", 0);
  d.BIKeepHUE = i(L"BIKEEPHUE", 0);
  d.UseAeroBluring = i(L"AEROBLUR", 0) != 0;
  d.BICloseGlow = i(L"BICONCLOSEGLOW", 0);
  d.BICloseGlowMargin = i(L"BICONCLOSEGLOWMARGIN", 0);
  d.BIMaxGlow = i(L"BICONMAXGLOW", 0);
  d.BIMaxGlowMargin = i(L"BICONMAXGLOWMARGIN", 0);
  d.BIMinGlow = i(L"BICONMINGLOW", 0);
  d.BIMinGlowMargin = i(L"BICONMINGLOWMARGIN", 0);
  d.Shadow1Color = TColor(i(L"SHADOW1COLOR", 0));
  d.Shadow1Offset = i(L"SHADOW1OFFSET", 0);
  d.Shadow1Blur = i(L"SHADOW1BLUR", -1);
  d.Shadow1Transparency = i(L"SHADOW1TRANSPARENCY", 0);
  d.ComboBoxMargin = i(L"COMBOMARGIN", 2);
  d.TabsCovering = ini.ReadInteger(L"TABTOP", L"TABSCOVERING", 0);
  d.RibbonCovering = ini.ReadInteger(L"RIBBONTAB", L"TABSCOVERING", 0);
}

void LoadOuterEffects(const TMemIniFile& ini, const TsSkinLoadSettings& settings, TsSkinTables& t) {
  struct Defaults {
    const wchar_t* Prefix;
    TColor L, T, R, B;
    int OffL, OffT, OffR, OffB, Opacity;
  };
  // Entry 0 light outline, entry 1 shadow.
  const Defaults defaults[2] = {{L"LO_", 0xFFFFFF, 0, 0xFFFFFF, 0xFFFFFF, 2, 2, 2, 4, 200},
                                {L"SH_", 0, 0, 0, 0, 3, 2, 3, 5, 60}};
  for (int n = 0; n < 2; ++n) {
    const Defaults& d = defaults[n];
    const std::wstring p = d.Prefix;
    auto i = [&](const wchar_t* key, int def) { return ini.ReadInteger(kGlobalInfo, p + key, def); };
    TsOutEffData& e = t.oe[std::size_t(n)];
    e.ColorL = TColor(i(L"COLORL", int(d.L)));
    e.ColorR = TColor(i(L"COLORR", int(d.R)));
    e.ColorT = TColor(i(L"COLORT", int(d.T)));
    e.ColorB = TColor(i(L"COLORB", int(d.B)));
    e.WidthL = i(L"WIDTHL", -1);
    e.WidthR = i(L"WIDTHR", -1);
    e.WidthT = i(L"WIDTHT", -1);
    e.WidthB = i(L"WIDTHB", -1);
    e.OffsetL = i(L"OFFSETL", d.OffL);
    e.OffsetR = i(L"OFFSETR", d.OffR);
    e.OffsetT = i(L"OFFSETT", d.OffT);
    e.OffsetB = i(L"OFFSETB", d.OffB);
    e.Source = i(L"SOURCE", 2);
    e.Opacity = i(L"OPACITY", d.Opacity);
    const std::wstring maskKey = p + L"MASK";
    if (e.Source == 0) {
      e.Mask = -1;
    } else if (e.Source == 1) {
      const std::wstring value = ini.ReadString(kGlobalInfo, maskKey, L"");
      if (value.empty()) {
        e.Mask = -1;
      } else {
        TsMaskData m = ParseBorderPiece(value);
        m.ClassName = kGlobalInfo;
        m.PropertyName = maskKey;
        m.CornerType = 0;
        m.Manager = settings.Manager;
        t.ma.push_back(std::move(m));
        e.Mask = int(t.ma.size()) - 1;
      }
    } else {
      e.Mask = AddBlurPiece(e, maskKey, settings, t);
    }
  }
}

void LoadPalette(const TMemIniFile& ini, TsSkinTables& t) {
  TsPaletteArray& p = t.Palette;
  auto i = [&](const wchar_t* key, TColor def) { return TColor(ini.ReadInteger(kGlobalInfo, key, int(def))); };
  p[pcMainColor] = i(L"COLOR", ColorToRGB(clBtnFace));
  p[pcLabelText] = i(L"FONTCOLOR", 0);
  p[pcWebText] = i(L"TCBOTTOM", 0xFF0000);
  p[pcWebTextHot] = i(L"TCTOP", 0x0000FF);
  p[pcBorder] = i(L"BORDERCOLOR", 0);

  const int edit = FindSection(t.gd, L"EDIT");
  if (edit >= 0) {
    p[pcEditText] = ColorToRGB(t.gd[std::size_t(edit)].Props[0].FontColor.Color);
    p[pcEditBG] = ColorToRGB(t.gd[std::size_t(edit)].Props[0].Color);
  } else {
    p[pcEditText] = ColorToRGB(clWindowText);
    p[pcEditBG] = ColorToRGB(clWindow);
  }

  constexpr TColor kNone = TColor(-1);
  const int selection = FindSection(t.gd, L"SELECTION");
  if (selection >= 0) {
    const TsGeneralData& s = t.gd[std::size_t(selection)];
    const TsGenState& focused = s.States >= 2 ? s.Props[1] : s.Props[0];
    p[pcSelectionBG] = s.Props[0].Color;
    p[pcSelectionText] = s.Props[0].FontColor.Color;
    p[pcSelectionBG_Focused] = focused.Color;
    p[pcSelectionText_Focused] = focused.FontColor.Color;
  } else {
    p[pcSelectionBG] = p[pcSelectionText] = p[pcSelectionBG_Focused] = p[pcSelectionText_Focused] = kNone;
  }
  if (p[pcSelectionText] == kNone || p[pcSelectionText] == clFuchsia) {
    const int menu = FindSection(t.gd, L"MENUITEM");
    if (menu >= 0) {
      const TsGenState& hot = t.gd[std::size_t(menu)].Props[1];
      const TColor text = hot.FontColor.Color;
      p[pcSelectionText] = (text == kNone || text == clFuchsia) ? (clSystemColor | kColorHighlightText) : ColorToRGB(text);
      p[pcSelectionBG] = p[pcSelectionBG_Focused] = hot.Color;
      p[pcSelectionText_Focused] = p[pcSelectionText];
    } else {
      p[pcSelectionText] = p[pcSelectionText_Focused] = SysColorRGB(kColorHighlightText);
      p[pcSelectionBG] = p[pcSelectionBG_Focused] = SysColorRGB(kColorHighlight);
    }
  }

  p[pcEditText_Ok] = i(L"EDITTEXT_OK", 0x008000);
  p[pcEditText_Warning] = i(L"EDITTEXT_WARN", 0x008484);
  p[pcEditText_Alert] = i(L"EDITTEXT_ALERT", 0x0000FF);
  p[pcEditText_Caution] = i(L"EDITTEXT_ALERT", 0x8597D9);
  p[pcEditText_Bypassed] = i(L"EDITTEXT_ALERT", 0x4AB28F);
  p[pcEditBG_Ok] = i(L"EDITBG_OK", 0x6CC2A5);
  p[pcEditBG_Warning] = i(L"EDITBG_WARN", 0x40FFFF);
  p[pcEditBG_Alert] = i(L"EDITBG_ALERT", 0x95A7E9);
  p[pcEditBG_Caution] = i(L"EDITBG_ALERT", 0x8597D9);
  p[pcEditBG_Bypassed] = i(L"EDITBG_ALERT", 0x4AB28F);
  p[pcEditText_Highlight1] = i(L"EDITTEXT_H1", 0);
  p[pcEditText_Highlight2] = i(L"EDITTEXT_H2", 0);
  p[pcEditText_Highlight3] = i(L"EDITTEXT_H3", 0);

  p[pcEditText_Inverted] = i(L"EDITTEXT_INV", p[pcEditBG]);
  p[pcEditBG_Inverted] = i(L"EDITBG_INV", p[pcEditText]);
  p[pcEditBG_OddRow] = i(L"EDITBG_ODD", p[pcEditBG]);
  // 5 % of the text colour over 95 % of the background, each channel rounded to nearest.
  const TColor text = p[pcEditText], bg = p[pcEditBG];
  auto mix = [](int a, int b) { return scolor::ClampByte(scolor::Round(0.05 * a + 0.95 * b)); };
  const TColor even = RGBColor(unsigned(mix(scolor::ColR(text), scolor::ColR(bg))),
                               unsigned(mix(scolor::ColG(text), scolor::ColG(bg))),
                               unsigned(mix(scolor::ColB(text), scolor::ColB(bg))));
  p[pcEditBG_EvenRow] = i(L"EDITBG_EVEN", even);
}
