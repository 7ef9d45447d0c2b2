// Our internal skin "Cobalt3 (internal)" as built: the package's entries, the facts the window
// relies on, and every section and key the painters look up.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "../SkinTestUtil.h"
#include "framework/Utf.h"
#include "imaging/PngCodec.h"
#include "skin/base/sColorTransforms.h"
#include "skin/data/sSkinFiles.h"
#include "skin/data/sSkinOptions.h"
#include "skin/data/sSkinPack.h"

namespace {

std::vector<std::uint8_t> PackageBytes() { return ReadSkinFile(Utf8ToWide(PRISMATONE_INTERNAL_SKIN)); }

std::unique_ptr<TsSkinConvertor> ReadPackage(std::vector<std::uint8_t> bytes) {
  auto c = std::make_unique<TsSkinConvertor>();
  c->SetPackedData(std::make_unique<TMemoryStream>(std::move(bytes)));
  ReadSkinPackage(c);
  return c;
}

std::string OptionsText(const TsSkinConvertor& c) {
  const auto& b = c.Options->Bytes();
  return std::string(b.begin(), b.end());
}

// The skin loaded as the manager loads it (without recolouring).
using Loaded = skintest::TLoadedSkin;

// Loads the package, optionally with the options text changed first.
Loaded Load(const std::string& replace = {}, const std::string& with = {}) {
  Loaded l;
  l.pack = ReadPackage(PackageBytes());
  if (!replace.empty()) {
    std::string text = OptionsText(*l.pack);
    const auto at = text.find(replace);
    if (at == std::string::npos) throw std::runtime_error("not in the options: " + replace);
    text.replace(at, replace.size(), with);
    l.pack->Options = std::make_unique<TMemoryStream>(std::vector<std::uint8_t>(text.begin(), text.end()));
  }
  l.LoadTables();
  return l;
}

const Loaded& Skin() {
  static const Loaded l = Load();
  return l;
}

int FrameWidth(const TsMaskData& m) { return (m.R.Right - m.R.Left) / std::max<int>(m.ImageCount, 1); }
int FrameHeight(const TsMaskData& m) { return (m.R.Bottom - m.R.Top) / (m.MaskType + 1); }

const std::vector<std::wstring> kSectionOrder = {
    L"GLOBALINFO", L"DIVIDER", L"EDIT", L"EXTRALINE", L"GRIPH", L"GROUPBOX", L"HINT", L"MAINMENU", L"MENULINE",
    L"PANEL_LOW", L"SCROLLBTNBOTTOM", L"SCROLLBTNLEFT", L"SCROLLBTNRIGHT", L"SCROLLBTNTOP", L"STATUSBAR", L"TOOLBAR",
    L"PANEL", L"COMBOBOX", L"BAR", L"BARPANEL", L"ALPHAEDIT", L"PAGECONTROL", L"TABTOP", L"GAUGE", L"FORM",
    L"ALPHACOMBOBOX", L"DIVIDERV", L"SELECTION", L"SCROLLSLIDERV", L"SCROLLSLIDERH", L"SCROLLBAR1H", L"SCROLLBAR1V",
    L"SCROLLBAR2V", L"SPLITTER", L"UPDOWNBTN", L"TRACKBAR", L"DIALOG", L"SCROLLBAR2H", L"COLHEADER", L"TOOLBUTTON",
    L"SPEEDBUTTON_SMALL", L"PAGECONTROLLEFT", L"PAGECONTROLRIGHT", L"PAGECONTROLBOTTOM", L"TABLEFT", L"TABBOTTOM",
    L"TABRIGHT", L"PROGRESSV", L"DRAGBAR", L"ICOLINE", L"MDIAREA", L"RIBBONPAGE", L"RIBBONTAB", L"SPEEDBUTTON",
    L"BARTITLE", L"RADIOBUTTON", L"WEBBUTTON", L"MENUBTN", L"FORMTITLE", L"BUTTON_BIG", L"CHECKBOX", L"BUTTON_HUGE",
    L"BUTTON", L"MENUITEM", L"PROGRESSH", L"BTNPLAY", L"BTNPAUZA", L"BTNSTOP", L"BTNNAZAD", L"BTNNEXT", L"COLD"};

}  // namespace

// ---- The package ------------------------------------------------------------------------------

// Eight image entries and one options text, in the required order, with the right roles.
TEST(InternalSkinPackage, EntriesAndRoles) {
  const auto c = ReadPackage(PackageBytes());
  ASSERT_NE(c->Options, nullptr);
  EXPECT_EQ(c->ImageCount, 8);
  ASSERT_EQ(c->Files.size(), 8u);
  const std::vector<std::wstring> names = {L"Huge.bmp", L"Master0.bmp", L"Master.bmp", L"CloseAG.png",
                                           L"CloseG.png", L"MaxG.png", L"MinG.png", L"NormG.png"};
  for (std::size_t i = 0; i < names.size(); ++i) {
    EXPECT_EQ(c->Files[i].FileName, names[i]);
    EXPECT_EQ(c->Files[i].IsBitmap, i < 3) << i;
  }
  // The second entry is an unreferenced copy of the master bitmap.
  EXPECT_EQ(c->Files[1].FileStream->Bytes(), c->Files[2].FileStream->Bytes());
}

// "Options.dat" is the very first entry, right after the magic and the count of nine.
TEST(InternalSkinPackage, OptionsEntryComesFirst) {
  const auto b = PackageBytes();
  ASSERT_GE(b.size(), 23u);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "ASzf");
  EXPECT_EQ(b[4], 9);
  EXPECT_EQ(b[8], 11);
  EXPECT_EQ(std::string(b.begin() + 12, b.begin() + 23), "Options.dat");
}

// The options text is plain ASCII without TRANSPARENT or COMBOBTN sections; image names that a
// packed skin finds by the name as written are in upper case.
TEST(InternalSkinPackage, OptionsText) {
  const auto c = ReadPackage(PackageBytes());
  const std::string text = OptionsText(*c);
  EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char ch) { return (unsigned char)(ch) < 0x80; }));
  EXPECT_EQ(text.find("[TRANSPARENT]"), std::string::npos);
  EXPECT_EQ(text.find("[COMBOBTN]"), std::string::npos);
  EXPECT_NE(text.find("MASTERBITMAP=MASTER.BMP"), std::string::npos);
  const auto ini = LoadSkinOptions(*c->Options);
  for (const auto& s : ini->Sections()) {
    for (const auto& [k, v] : s.Values) {
      if (!v.empty() && v[0] == L'!') {
        EXPECT_EQ(v, UpperCaseAscii(v)) << WideToUtf8(s.Name + L" " + k);
      }
    }
  }
}

// ---- Facts of the stored skin -----------------------------------------------------------------

// Version 7.20 and the 71 sections in file order; the loader appends TRANSPARENT.
TEST(InternalSkinFacts, VersionAndSectionOrder) {
  const auto& s = Skin();
  EXPECT_DOUBLE_EQ(s.t.CommonSkinData.Version, 7.20);
  ASSERT_EQ(s.t.gd.size(), kSectionOrder.size() + 1);
  for (std::size_t i = 0; i < kSectionOrder.size(); ++i) EXPECT_EQ(s.t.gd[i].ClassName, kSectionOrder[i]) << i;
  EXPECT_EQ(s.t.gd.back().ClassName, L"TRANSPARENT");
  EXPECT_EQ(s.t.gd.back().Props[0].Transparency, 100);
  EXPECT_EQ(FindSection(s.t.gd, L"COMBOBTN"), -1);
}

// EDIT: two states, black background, its text colours, no outlines, the 2-pixel border piece.
TEST(InternalSkinFacts, Edit) {
  const auto& e = Skin().Section(L"EDIT");
  EXPECT_EQ(e.States, 2);
  EXPECT_EQ(e.Props[0].Color, 0);
  EXPECT_EQ(e.Props[0].FontColor.Color, 9013657);
  EXPECT_EQ(e.Props[1].FontColor.Color, 8816263);
  for (const auto& p : e.Props)
    for (TColor o : {p.FontColor.Left, p.FontColor.Top, p.FontColor.Right, p.FontColor.Bottom}) EXPECT_EQ(o, TColor(-1));
  const auto& m = Skin().M(L"EDIT", L"BORDERSMASK");
  EXPECT_EQ(m.R, TRect(0, 37, 154, 46));
  EXPECT_EQ(m.WL, 2);
  EXPECT_EQ(m.WT, 2);
  EXPECT_EQ(m.WR, 2);
  EXPECT_EQ(m.WB, 2);
  EXPECT_EQ(m.ImageCount, 2);
  EXPECT_EQ(m.MaskType, 0);
  EXPECT_EQ(m.DrawMode, 1);
  EXPECT_EQ(m.BorderWidth, 1);
  EXPECT_EQ(m.ImgType, itisaBorder);
}

// GAUGE has one state (its hot state copies the normal one); DIVIDERV has neither STATES nor
// COLOR and gets the defaults 3 and white.
TEST(InternalSkinFacts, GaugeAndDividerV) {
  const auto& g = Skin().Section(L"GAUGE");
  EXPECT_EQ(g.States, 1);
  EXPECT_EQ(g.Props[1].Color, g.Props[0].Color);
  EXPECT_EQ(g.Props[1].FontColor, g.Props[0].FontColor);
  EXPECT_EQ(g.Props[1].Transparency, g.Props[0].Transparency);
  const auto& d = Skin().Section(L"DIVIDERV");
  EXPECT_EQ(d.States, 3);
  EXPECT_EQ(d.Props[0].Color, 0xFFFFFF);
  EXPECT_FALSE(Skin().ini->ReadString(L"DIVIDERV", L"STATES", L"").size());
  EXPECT_FALSE(Skin().ini->ReadString(L"DIVIDERV", L"COLOR", L"").size());
}

// GRADIENTDATA "N/A": no gradient, and the hot percentage is forced to 0 although written as 100.
TEST(InternalSkinFacts, GradientNotAvailable) {
  const auto& p = Skin().Section(L"PANEL");
  EXPECT_EQ(p.Props[0].GradientData, L"N/A");
  EXPECT_TRUE(p.Props[0].GradientArray.empty());
  EXPECT_EQ(p.Props[0].GradientPercent, 0);
  EXPECT_EQ(Skin().ini->ReadInteger(L"PANEL", L"HOTGRADIENTPERCENT", 0), 100);
  EXPECT_EQ(p.Props[1].GradientPercent, 0);
}

// BOXCHECKED: a master-bitmap glyph of three 15 × 15 frames.
TEST(InternalSkinFacts, BoxChecked) {
  const auto& m = Skin().M(L"GLOBALINFO", L"BOXCHECKED");
  EXPECT_EQ(m.R, TRect(128, 74, 173, 89));
  EXPECT_EQ(m.ImageCount, 3);
  EXPECT_EQ(m.MaskType, 0);
  EXPECT_EQ(m.ImgType, itisaGlyph);
  EXPECT_EQ(m.Bmp, nullptr);
}

// BICONCLOSEGLOW0 is a PNG glyph from "CloseG.png" with no bands; written in lower case the
// same value finds no entry and adds no piece.
TEST(InternalSkinFacts, CloseGlowAndItsLowerCaseTwin) {
  const auto& m = Skin().M(L"GLOBALINFO", L"BICONCLOSEGLOW0");
  EXPECT_EQ(m.ImgType, itisaPngGlyph);
  ASSERT_NE(m.Bmp, nullptr);
  EXPECT_EQ(m.WL + m.WT + m.WR + m.WB, 0);
  EXPECT_EQ(m.DrawMode, 0);
  EXPECT_EQ(m.ImageCount, 1);
  // The glow reaches the glow margin beyond a big close button on every side.
  const auto& b = Skin().M(L"GLOBALINFO", L"BICONCLOSE");
  const int margin = Skin().t.CommonSkinData.BICloseGlowMargin;
  EXPECT_EQ(m.Bmp->Width(), FrameWidth(b) + 2 * margin);
  EXPECT_EQ(m.Bmp->Height(), FrameHeight(b) + 2 * margin);
  const Loaded lower = Load("BICONCLOSEGLOW0=!CLOSEG.PNG", "BICONCLOSEGLOW0=!closeg.png");
  EXPECT_EQ(lower.MaskIndex(L"GLOBALINFO", L"BICONCLOSEGLOW0"), -1);
}

// BUTTON_HUGE's border is its own bitmap with 31-pixel bands, draw mode 5, corners not examined.
TEST(InternalSkinFacts, ButtonHuge) {
  const auto& m = Skin().M(L"BUTTON_HUGE", L"BORDERSMASK");
  ASSERT_NE(m.Bmp, nullptr);
  EXPECT_EQ(m.ImageCount, 3);
  EXPECT_EQ(m.MaskType, 0);
  EXPECT_EQ(m.ImgType, itisaBorder);
  EXPECT_EQ(m.WL, 31);
  EXPECT_EQ(m.WT, 31);
  EXPECT_EQ(m.WR, 31);
  EXPECT_EQ(m.WB, 31);
  EXPECT_EQ(m.DrawMode, 5);
  EXPECT_EQ(m.CornerType, 2);
  EXPECT_GT(FrameWidth(m), 62);
  EXPECT_GT(m.Bmp->Height(), 62);
}

// COMBOBOX's glyph: three 9 × 5 frames in the master bitmap.
TEST(InternalSkinFacts, ComboGlyph) {
  const auto& m = Skin().M(L"COMBOBOX", L"GLYPHMASK");
  EXPECT_EQ(m.R, TRect(275, 74, 302, 79));
  EXPECT_EQ(m.ImageCount, 3);
  EXPECT_EQ(FrameWidth(m), 9);
  EXPECT_EQ(FrameHeight(m), 5);
}

// Caption buttons: the small close button 21 × 17 in three states; the metrics of the title.
TEST(InternalSkinFacts, CaptionButtons) {
  const auto& m = Skin().M(L"GLOBALINFO", L"SICONCLOSE");
  EXPECT_EQ(m.ImageCount, 3);
  EXPECT_EQ(FrameWidth(m), 21);
  EXPECT_EQ(FrameHeight(m), 17);
  EXPECT_EQ(Skin().MaskIndex(L"GLOBALINFO", L"SICONCLOSEGLOW0"), -1);
  const auto& d = Skin().t.CommonSkinData;
  EXPECT_EQ(d.BIKeepHUE, 2);
  EXPECT_EQ(d.BISpacing, -1);
  EXPECT_EQ(d.BIRightMargin, 1);
  EXPECT_EQ(d.BIVAlign, 1);
  EXPECT_EQ(d.BICloseGlow, 1);
  EXPECT_EQ(d.BICloseGlowMargin, 10);
  // A plain number makes no piece.
  EXPECT_EQ(Skin().MaskIndex(L"GLOBALINFO", L"BISPACE"), -1);
}

// FORM: two states, a frame with transparent corners that does not fill the middle, and a
// plain-colour background (no transparency, gradient, picture or corner images).
TEST(InternalSkinFacts, FormIsPlainColour) {
  const auto& s = Skin();
  const auto& f = s.Section(L"FORM");
  EXPECT_EQ(f.States, 2);
  EXPECT_EQ(f.Props[0].Transparency, 0);
  EXPECT_EQ(f.Props[0].GradientPercent, 0);
  EXPECT_EQ(f.Props[0].ImagePercent, 0);
  for (const wchar_t* k : {L"IMGTOPLEFT", L"IMGTOPRIGHT", L"IMGBTMLEFT", L"IMGBTMRIGHT"}) EXPECT_EQ(s.InheritedMask(L"FORM", k), -1);
  const auto& m = s.M(L"FORM", L"BORDERSMASK");
  EXPECT_EQ(m.CornerType, 1);
  EXPECT_EQ(m.DrawMode & 4, 0);
  EXPECT_EQ(s.M(L"FORMTITLE", L"BORDERSMASK").CornerType, 1);
  EXPECT_GE(s.MaskIndex(L"FORM", L"TITLEBAR"), 0);
}

// The shadow and the skin's own description.
TEST(InternalSkinFacts, GlobalValues) {
  const auto& d = Skin().t.CommonSkinData;
  EXPECT_EQ(d.Shadow1Color, 0);
  EXPECT_EQ(d.Shadow1Offset, 0);
  EXPECT_EQ(d.Shadow1Transparency, 0);
  EXPECT_FALSE(Skin().t.MasterBitmap.Empty());
}

// ---- Every look-up of the painters resolves ---------------------------------------------------

// Sections, and pieces (with PARENTCLASS inheritance where the painters inherit) of each.
TEST(InternalSkinLookups, SectionsAndPieces) {
  const auto& s = Skin();
  struct Need {
    const wchar_t* section;
    std::vector<const wchar_t*> pieces;
  };
  const std::vector<Need> needs = {
      {L"FORM", {L"BORDERSMASK", L"TITLEBAR"}},
      {L"FORMTITLE", {L"BORDERSMASK"}},
      {L"DIALOG", {L"BORDERSMASK", L"TITLEBAR"}},  // the form's frame and title, inherited
      {L"BUTTON", {L"BORDERSMASK"}},
      {L"SPEEDBUTTON", {L"BORDERSMASK"}},
      {L"SPEEDBUTTON_SMALL", {L"BORDERSMASK"}},
      {L"CHECKBOX", {}},
      {L"GAUGE", {L"BORDERSMASK"}},
      {L"PROGRESSH", {L"BORDERSMASK", L"LRGN"}},
      {L"PROGRESSV", {L"BORDERSMASK"}},
      {L"EDIT", {L"BORDERSMASK"}},
      {L"COMBOBOX", {L"BORDERSMASK", L"GLYPHMASK"}},
      {L"SELECTION", {}},
      {L"MENUITEM", {}},
      {L"WEBBUTTON", {}},
      {L"HINT", {}},
      {L"BAR", {}},
      {L"DIVIDER", {L"BORDERSMASK"}},
      {L"SCROLLBAR1H", {L"BORDERSMASK", L"PATTERN", L"HOTPATTERN"}},
      {L"SCROLLBAR2H", {L"BORDERSMASK", L"PATTERN", L"HOTPATTERN"}},
      {L"SCROLLBAR1V", {L"BORDERSMASK", L"PATTERN", L"HOTPATTERN"}},
      {L"SCROLLBAR2V", {L"BORDERSMASK", L"PATTERN", L"HOTPATTERN"}},
      {L"SCROLLBTNLEFT", {L"BORDERSMASK", L"GLYPHMASK"}},
      {L"SCROLLBTNTOP", {L"BORDERSMASK", L"GLYPHMASK"}},
      {L"SCROLLBTNRIGHT", {L"BORDERSMASK", L"GLYPHMASK"}},
      {L"SCROLLBTNBOTTOM", {L"BORDERSMASK", L"GLYPHMASK"}},
      {L"SCROLLSLIDERH", {L"BORDERSMASK", L"GLYPHMASK"}},
      {L"SCROLLSLIDERV", {L"BORDERSMASK", L"GLYPHMASK"}},
      {L"BUTTON_BIG", {L"BORDERSMASK"}},
      {L"TOOLBUTTON", {L"BORDERSMASK"}},
      {L"GLOBALINFO",
       {L"BOXCHECKED", L"BOXUNCHECKED", L"BOXGRAYED", L"GRIPIMAGE", L"TITLEBUTTON", L"BICONCLOSE", L"BICLOSEALONE",
        L"BICONMAX", L"BICONNORM", L"BICONMIN", L"BICONHELP", L"SICONCLOSE", L"SICONMAX", L"SICONNORM", L"SICONMIN",
        L"SICONHELP", L"BICONCLOSEGLOW0", L"BICLOSEALONEGLOW0", L"BICONMAXGLOW0", L"BICONMINGLOW0", L"BICONNORMGLOW0"}},
  };
  for (const Need& n : needs) {
    SCOPED_TRACE(WideToUtf8(n.section));
    ASSERT_GE(FindSection(s.t.gd, n.section), 0);
    for (const wchar_t* key : n.pieces) EXPECT_GE(s.InheritedMask(n.section, key), 0) << WideToUtf8(key);
  }
  // Textures are one-layer texture pieces.
  for (const wchar_t* sec : {L"SCROLLBAR1H", L"SCROLLBAR2H", L"SCROLLBAR1V", L"SCROLLBAR2V"})
    for (const wchar_t* key : {L"PATTERN", L"HOTPATTERN"}) {
      EXPECT_EQ(s.M(sec, key).ImgType, itisaTexture);
      EXPECT_EQ(s.M(sec, key).MaskType, 0);
    }
}

// The global values and palette keys are written in the options (not left to defaults).
TEST(InternalSkinLookups, GlobalKeysPresent) {
  const auto& ini = *Skin().ini;
  for (const wchar_t* key :
       {L"BISPACE", L"BIVALIGN", L"BIRIGHT", L"BILEFT", L"BIKEEPHUE", L"BICONCLOSEGLOW", L"BICONCLOSEGLOWMARGIN",
        L"BICONMAXGLOW", L"BICONMAXGLOWMARGIN", L"BICONMINGLOW", L"BICONMINGLOWMARGIN", L"COMBOMARGIN", L"SHADOW1COLOR",
        L"SHADOW1OFFSET", L"SHADOW1BLUR", L"SHADOW1TRANSPARENCY", L"COLOR", L"FONTCOLOR", L"TCBOTTOM", L"TCTOP",
        L"BORDERCOLOR", L"EDITTEXT_OK", L"EDITTEXT_WARN", L"EDITTEXT_ALERT", L"EDITBG_OK", L"EDITBG_WARN", L"EDITBG_ALERT",
        L"EDITTEXT_H1", L"EDITTEXT_H2", L"EDITTEXT_H3", L"EDITTEXT_INV", L"EDITBG_INV", L"EDITBG_ODD", L"EDITBG_EVEN"})
    EXPECT_FALSE(ini.ReadString(L"GLOBALINFO", key, L"").empty()) << WideToUtf8(key);
  // The palette takes the skin's colours, not the defaults.
  EXPECT_EQ(Skin().t.Palette[pcMainColor], ini.ReadInteger(L"GLOBALINFO", L"COLOR", -1));
  EXPECT_EQ(Skin().t.Palette[pcWebText], ini.ReadInteger(L"GLOBALINFO", L"TCBOTTOM", -1));
  EXPECT_EQ(Skin().t.Palette[pcEditBG], 0);
}

// Every master-bitmap piece lies inside the master bitmap and shows something in its first frame.
TEST(InternalSkinLookups, PiecesLieInTheMasterBitmap) {
  const auto& s = Skin();
  const TBitmap32& master = s.t.MasterBitmap;
  int pieces = 0;
  for (const auto& m : s.t.ma) {
    if (m.Bmp) continue;  // pictures of their own (files, and the loader's outer-effect pieces)
    SCOPED_TRACE(WideToUtf8(m.ClassName + L" " + m.PropertyName));
    ++pieces;
    ASSERT_LE(m.R.Right, master.Width());
    ASSERT_LE(m.R.Bottom, master.Height());
    int drawn = 0;
    for (int y = m.R.Top; y < m.R.Top + FrameHeight(m); ++y)
      for (int x = m.R.Left; x < m.R.Left + FrameWidth(m); ++x) drawn += master.Pixel(x, y) != 0x00FF00FF;
    EXPECT_GT(drawn, 0);
  }
  EXPECT_GT(pieces, 40);
}

// Under the window's hue offset of 196 the skin turns cool: a dark blue-violet client, a black
// edit, teal web text, an indigo title.
TEST(InternalSkinLook, ColoursAfterTheWindowsHueShift) {
  const auto& s = Skin();
  auto rgb = [](TColor c) { return std::array<int, 3>{int(c & 255), int(c >> 8 & 255), int(c >> 16 & 255)}; };
  const auto client = rgb(ChangeColorHue(196, s.Section(L"FORM").Props[0].Color));
  EXPECT_GT(client[2], client[0]);  // blue above red above green: blue-violet
  EXPECT_GT(client[0], client[1]);
  EXPECT_LT(client[2], 80);  // and dark
  EXPECT_EQ(ChangeColorHue(196, s.Section(L"EDIT").Props[0].Color), 0);
  const auto web = rgb(ChangeColorHue(196, s.t.Palette[pcWebText]));
  EXPECT_GT(web[1], 2 * web[0]);  // teal: green and blue well above red
  EXPECT_GT(web[2], 2 * web[0]);
  const auto title = rgb(ChangeColorHue(196, s.Section(L"FORMTITLE").Props[1].GradientArray.at(0).Color1));
  EXPECT_GT(title[2], title[0]);
  EXPECT_GT(title[0], title[1]);
}

// A preview of the master bitmap as the window shows it (hue shifted by 196, the close icons
// as stored), written beside the test for people to look at.
TEST(InternalSkinLook, WritesPreview) {
  const auto& s = Skin();
  const TBitmap32& master = s.t.MasterBitmap;
  std::vector<TRect> kept;
  for (const wchar_t* k : {L"SICONCLOSE", L"BICONCLOSE", L"BICLOSEALONE"}) kept.push_back(s.M(L"GLOBALINFO", k).R);
  const int scale = 2;
  TBitmap32 out(master.Width() * scale, master.Height() * scale);
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) {
      const int mx = x / scale, my = y / scale;
      std::uint32_t v = master.Pixel(mx, my);
      const bool keep = std::any_of(kept.begin(), kept.end(), [&](const TRect& r) {
        return mx >= r.Left && mx < r.Right && my >= r.Top && my < r.Bottom;
      });
      if (v != 0x00FF00FF && !keep) v = ChangePixelHue(196, v);
      out.Pixel(x, y) = v == 0x00FF00FF ? 0xFF404040u : (v | 0xFF000000u);
    }
  const auto png = EncodePng(out);
  std::ofstream(PRISMATONE_INTERNAL_PREVIEW, std::ios::binary)
      .write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
  EXPECT_FALSE(png.empty());
}
