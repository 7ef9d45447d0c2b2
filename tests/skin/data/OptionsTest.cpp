// Skin options: the INI dialect, the value syntaxes and the tables built from them.
#include <gtest/gtest.h>

#include "SkinTestUtil.h"
#include "imaging/BmpCodec.h"
#include "imaging/JpegCodec.h"
#include "imaging/PngCodec.h"
#include "skin/data/sBlur5.h"
#include "skin/data/sSkinOptions.h"

using namespace skintest;

namespace {
using Loaded = TLoadedSkin;

Loaded Load(const std::string& options, std::vector<TsPackageEntry> images = {}, TsSkinLoadSettings settings = {}) {
  images.insert(images.begin(), {"Options.dat", Bytes(options)});
  Loaded l;
  l.pack = std::make_unique<TsSkinConvertor>();
  l.pack->SetPackedData(std::make_unique<TMemoryStream>(WriteSkinPackage(images)));
  ReadSkinPackage(l.pack);
  l.LoadTables(settings);
  return l;
}

// A 32-bit bitmap with a key pixel in the top-left corner and grey elsewhere.
TBitmap32 KeyedCorner(int w, int h) {
  TBitmap32 b = Solid(w, h, 0x00808080);
  b.Pixel(0, 0) = 0x00FF00FF;
  return b;
}
}  // namespace

// ---- The INI dialect ------------------------------------------------------------------------

// Names are case-sensitive; names and values trimmed; comments and stray lines ignored; a
// repeated section continues the first; of two equal keys the first is read.
TEST(SkinIni, Dialect) {
  TStringList lines;
  lines.SetText(L"junk before\n[EDIT]\n  COLOR =  12  \n;COLOR=99\ncolor=5\nnot a pair\n[ edit ]\nCOLOR=7\n[EDIT]\nCOLOR=8\nFONT=1\n");
  TMemIniFile ini(lines, true);
  ASSERT_EQ(ini.Sections().size(), 2u);
  EXPECT_EQ(ini.Sections()[0].Name, L"EDIT");
  EXPECT_EQ(ini.Sections()[1].Name, L"edit");
  EXPECT_EQ(ini.ReadInteger(L"EDIT", L"COLOR", -1), 12);
  EXPECT_EQ(ini.ReadInteger(L"EDIT", L"color", -1), 5);
  EXPECT_EQ(ini.ReadInteger(L"edit", L"COLOR", -1), 7);
  EXPECT_EQ(ini.ReadInteger(L"EDIT", L"FONT", -1), 1);
  EXPECT_FALSE(ini.SectionExists(L"Edit"));
  TMemIniFile loose(lines, false);
  EXPECT_EQ(loose.ReadInteger(L"Edit", L"Color", -1), 12);
}

// Integers: decimal, "0x" or "$" hexadecimal (a 32-bit pattern), anything else is invalid.
TEST(SkinIni, IntegerSyntax) {
  int v = 0;
  EXPECT_TRUE(TryStrToInt(L"0x0000FF", v));
  EXPECT_EQ(v, 255);
  EXPECT_TRUE(TryStrToInt(L"$0000FF", v));
  EXPECT_EQ(v, 255);
  EXPECT_TRUE(TryStrToInt(L"$FF000005", v));
  EXPECT_EQ(v, int(0xFF000005u));
  EXPECT_TRUE(TryStrToInt(L"-2147483648", v));
  EXPECT_EQ(v, INT_MIN);
  EXPECT_TRUE(TryStrToInt(L" 42", v));
  for (const wchar_t* bad : {L"", L"-", L"0x", L"$", L"2147483648", L"12 ", L"1.5", L"0x1FFFFFFFF", L"abc", L"$G"})
    EXPECT_FALSE(TryStrToInt(bad, v)) << WideToUtf8(bad);
  try {
    StrToInt(L"0x");
    FAIL();
  } catch (const EConvertError& e) {
    EXPECT_EQ(e.Message(), L"'0x' is not a valid integer value");
  }
  double d = 0;
  EXPECT_TRUE(TryStrToFloatDot(L"7.20", d));
  EXPECT_DOUBLE_EQ(d, 7.2);
  EXPECT_FALSE(TryStrToFloatDot(L"7,20", d));
  EXPECT_FALSE(TryStrToFloatDot(L"nan", d));
}

// ---- Sections -------------------------------------------------------------------------------

// A colour written as 0x or $ hexadecimal reads as its value.
TEST(SkinSections, HexadecimalColours) {
  const auto l = Load("[A]\nCOLOR=0x0000FF\nFONTCOLOR=$0000FF\n");
  EXPECT_EQ(l.Section(L"A").Props[0].Color, 255u);
  EXPECT_EQ(l.Section(L"A").Props[0].FontColor.Color, 255u);
}

// Defaults of every key of the section table (DIVIDERV: no STATES, no COLOR).
TEST(SkinSections, Defaults) {
  const auto l = Load("[DIVIDERV]\nPARENTCLASS=\n");
  const TsGeneralData& g = l.Section(L"DIVIDERV");
  EXPECT_EQ(g.States, 3);
  EXPECT_EQ(g.Props[0].Color, 0xFFFFFFu);
  EXPECT_EQ(g.Props[0].FontColor.Color, 0u);
  EXPECT_EQ(g.Props[0].FontColor.Left, TColor(-1));
  EXPECT_EQ(g.Props[0].FontColor.Bottom, TColor(-1));
  EXPECT_EQ(g.Props[0].GlowColor, 0xFFFFFFu);
  EXPECT_EQ(g.Props[0].GradientData, L" ");
  EXPECT_EQ(g.Props[0].GradientPercent, 0);
  EXPECT_EQ(g.Props[1].Color, 0xFFFFFFu);
  EXPECT_EQ(g.Props[1].FontColor.Top, TColor(-1));
  EXPECT_EQ(g.OuterMode, 2);
  EXPECT_EQ(g.OuterOpacity, 200);
  EXPECT_EQ(g.OuterOffset, TRect());
  EXPECT_EQ(g.GlowCount, 0);
  EXPECT_FALSE(g.GiveOwnFont);
  EXPECT_EQ(g.ParentClass, L"");
  EXPECT_EQ(g.BorderIndex, -1);
  EXPECT_EQ(g.ImgTL, -1);
}

// Upper limits apply after reading; there is no lower limit.
TEST(SkinSections, Limits) {
  const auto l = Load(
      "[A]\nGLOW=300\nGLOWMARGIN=-7\nSTATES=999\nOUTOPACITY=1000\nOUTOFFSL=256\nGSIZE=300\nGRADIENTPERCENT=150\n"
      "IMAGEPERCENT=101\nTRANSPARENCY=-20\nHGSIZE=1000\nHOTTRANSPARENCY=200\nHOTIMAGEPERCENT=300\nCOLOR=-16777211\n");
  const TsGeneralData& g = l.Section(L"A");
  EXPECT_EQ(g.GlowCount, 255);
  EXPECT_EQ(g.GlowMargin, -7);
  EXPECT_EQ(g.States, 255);
  EXPECT_EQ(g.OuterOpacity, 255);
  EXPECT_EQ(g.OuterOffset.Left, 255);
  EXPECT_EQ(g.Props[0].GlowSize, 255);
  EXPECT_EQ(g.Props[0].GradientPercent, 0);  // data " " is shorter than 2: no gradient
  EXPECT_EQ(g.Props[0].ImagePercent, 100);
  EXPECT_EQ(g.Props[0].Transparency, -20);
  EXPECT_EQ(g.Props[1].GlowSize, 255);
  EXPECT_EQ(g.Props[1].Transparency, 100);
  EXPECT_EQ(g.Props[1].ImagePercent, 100);
  // A system colour written in the section itself stays a reference.
  EXPECT_EQ(g.Props[0].Color, 0xFF000005u);
}

// Inheritance: absent, invalid and −1 values come from the parent chain, converted to RGB; own
// values are used as written; a self-reference or a loop stops and the default applies.
TEST(SkinSections, Inheritance) {
  const auto l = Load(
      "[BASE]\nCOLOR=-16777211\nGLOW=7\nGRADIENTDATA=255;0;100;1;0\nGIVEOWNFONT=TRUE\nFONTCOLOR=77\n"
      "[MID]\nPARENTCLASS=BASE\nGSIZE=4\n"
      "[LEAF]\nPARENTCLASS=MID\nGLOW=-1\nGSIZE=oops\nGRADIENTPERCENT=50\n"
      "[SELF]\nPARENTCLASS=SELF\n"
      "[LOOP1]\nPARENTCLASS=LOOP2\n[LOOP2]\nPARENTCLASS=LOOP3\n[LOOP3]\nPARENTCLASS=LOOP1\n"
      "[ORPHAN]\nPARENTCLASS=NOWHERE\n[QMARK]\nPARENTCLASS=?\n");
  const TsGeneralData& leaf = l.Section(L"LEAF");
  EXPECT_EQ(leaf.ParentClass, L"MID");
  EXPECT_EQ(leaf.Props[0].Color, 0xFFFFFFu);  // clWindow from BASE, as RGB
  EXPECT_EQ(leaf.GlowCount, 7);               // −1 counts as absent
  EXPECT_EQ(leaf.Props[0].GlowSize, 4);       // invalid counts as absent
  EXPECT_EQ(leaf.Props[0].FontColor.Color, 77u);
  EXPECT_TRUE(leaf.GiveOwnFont);
  EXPECT_EQ(leaf.Props[0].GradientData, L"255;0;100;1;0");
  ASSERT_EQ(leaf.Props[0].GradientArray.size(), 1u);
  EXPECT_EQ(leaf.Props[0].GradientPercent, 50);
  EXPECT_EQ(l.Section(L"MID").Props[0].GradientPercent, 0);
  EXPECT_EQ(l.Section(L"SELF").States, 3);
  EXPECT_EQ(l.Section(L"LOOP1").States, 3);
  EXPECT_EQ(l.Section(L"LOOP3").Props[0].Color, 0xFFFFFFu);
  EXPECT_EQ(l.Section(L"ORPHAN").GlowCount, 0);
  EXPECT_EQ(l.Section(L"QMARK").GlowCount, 0);
  EXPECT_EQ(l.Section(L"BASE").Props[0].Color, 0xFF000005u);
}

// Inside a loop each section finds the first value on its own walk round it, whichever section
// of the loop is built first.
TEST(SkinSections, InheritanceInsideLoops) {
  const auto l = Load(
      "[A]\nPARENTCLASS=B\n[B]\nPARENTCLASS=C\nGLOW=5\n[C]\nPARENTCLASS=A\nGSIZE=9\n"
      "[T]\nPARENTCLASS=A\nGRADIENTPERCENT=3\n");
  EXPECT_EQ(l.Section(L"A").GlowCount, 5);
  EXPECT_EQ(l.Section(L"A").Props[0].GlowSize, 9);
  EXPECT_EQ(l.Section(L"B").Props[0].GlowSize, 9);
  EXPECT_EQ(l.Section(L"C").GlowCount, 5);  // C → A → B
  EXPECT_EQ(l.Section(L"T").GlowCount, 5);
  EXPECT_EQ(l.Section(L"T").Props[0].GlowSize, 9);
  EXPECT_EQ(l.Section(L"A").Props[0].GradientPercent, 0);  // T is below the loop, not in it
}

// A long PARENTCLASS chain that closes into a loop: every section still finds the first value
// on its own walk. Walking afresh from each section made four thousand of them take minutes.
TEST(SkinSections, LongChain) {
  constexpr int n = 4000;
  std::string text;
  for (int i = 0; i < n; ++i) {
    text += "[S" + std::to_string(i) + "]\nPARENTCLASS=S" + std::to_string((i + 1) % n) + "\n";
    if (i == n - 1) text += "GLOW=9\n";
    if (i == n / 2) text += "GSIZE=4\nGRADIENTDATA=255;0;100;1;0\n";
  }
  const auto l = Load(text);
  EXPECT_EQ(l.Section(L"S0").GlowCount, 9);
  EXPECT_EQ(l.Section(L"S" + std::to_wstring(n - 1)).GlowCount, 9);
  EXPECT_EQ(l.Section(L"S" + std::to_wstring(n / 2 - 1)).Props[0].GlowSize, 4);
  EXPECT_EQ(l.Section(L"S" + std::to_wstring(n / 2 + 1)).Props[0].GlowSize, 4);  // round the loop
  EXPECT_EQ(l.Section(L"S" + std::to_wstring(n - 1)).Props[0].GradientData, L"255;0;100;1;0");
}

// States below 2: state 1 copies state 0 and the HOT keys are not read; GAUGE-like sections.
TEST(SkinSections, OneStateCopiesNormalState) {
  const auto l = Load(
      "[GAUGE]\nSTATES=1\nCOLOR=123\nFONTCOLOR=5\nTCLEFT=6\nGCOL=7\nGSIZE=8\nTRANSPARENCY=9\nIMAGEPERCENT=10\n"
      "HOTCOLOR=999\nHOTFONTCOLOR=999\n"
      "[EDIT]\nSTATES=2\nCOLOR=0\nFONTCOLOR=9013657\nHOTFONTCOLOR=8816263\n");
  const TsGeneralData& g = l.Section(L"GAUGE");
  EXPECT_EQ(g.Props[1].Color, 123u);
  EXPECT_EQ(g.Props[1].FontColor, g.Props[0].FontColor);
  EXPECT_EQ(g.Props[1].GlowColor, 7u);
  EXPECT_EQ(g.Props[1].GlowSize, 8);
  EXPECT_EQ(g.Props[1].Transparency, 9);
  EXPECT_EQ(g.Props[1].ImagePercent, 10);
  EXPECT_EQ(g.HotColor, 123u);
  const TsGeneralData& e = l.Section(L"EDIT");
  EXPECT_EQ(e.States, 2);
  EXPECT_EQ(e.Props[0].Color, 0u);
  EXPECT_EQ(e.Props[0].FontColor.Color, 9013657u);
  EXPECT_EQ(e.Props[1].FontColor.Color, 8816263u);
  EXPECT_EQ(e.Props[1].FontColor.Right, TColor(-1));
  EXPECT_EQ(e.Props[1].Color, 0xFFFFFFu);
}

// Gradient data: five numbers per segment, colours to RGB, percent 0–100; "N/A" gives nothing
// and HOTGRADIENTDATA "N/A" forces the hot percentage to 0.
TEST(SkinSections, GradientData) {
  const auto l = Load(
      "[G]\nSTATES=2\nGRADIENTDATA=16777215;2894936;40;0;0;2894936;0;2;0;0;1;2\nGRADIENTPERCENT=60\n"
      "HOTGRADIENTDATA=N/A\nHOTGRADIENTPERCENT=100\n"
      "[NA]\nGRADIENTDATA=N/A\nGRADIENTPERCENT=0\n"
      "[CLAMP]\nGRADIENTDATA=-16777211;1;250;3;0\nGRADIENTPERCENT=10\n");
  const TsGeneralData& g = l.Section(L"G");
  ASSERT_EQ(g.Props[0].GradientArray.size(), 2u);
  EXPECT_EQ(g.Props[0].GradientArray[0], (TsGradPie{16777215, 2894936, 40, 0, 0}));
  EXPECT_EQ(g.Props[0].GradientArray[1], (TsGradPie{2894936, 0, 2, 0, 0}));
  EXPECT_EQ(g.Props[0].GradientPercent, 60);
  EXPECT_TRUE(g.Props[1].GradientArray.empty());
  EXPECT_EQ(g.Props[1].GradientPercent, 0);
  EXPECT_EQ(g.HotGradientPercent, 0);
  EXPECT_EQ(g.GradientArray.size(), 2u);
  EXPECT_TRUE(l.Section(L"NA").Props[0].GradientArray.empty());
  EXPECT_EQ(l.Section(L"NA").Props[0].GradientPercent, 0);
  const TsGradPie& c = l.Section(L"CLAMP").Props[0].GradientArray.at(0);
  EXPECT_EQ(c.Color1, 0xFFFFFFu);
  EXPECT_EQ(c.Percent, 100);
  EXPECT_EQ(c.Mode1, 3);
  // A number that is read and is not an integer aborts the load; the unused fifth word and the
  // words past the last whole segment are not read.
  EXPECT_THROW(Load("[G]\nGRADIENTDATA=1;2;x;4;5\n"), EConvertError);
  const auto fifth = Load("[G]\nGRADIENTDATA=1;2;3;4;none;6;x\nGRADIENTPERCENT=50\n");
  EXPECT_EQ(fifth.Section(L"G").Props[0].GradientArray, (TsGradArray{TsGradPie{1, 2, 3, 4, 0}}));
}

// Booleans are true exactly for "TRUE" and "1".
TEST(SkinSections, Booleans) {
  const auto l = Load("[A]\nGIVEOWNFONT=1\nRESERVEDBOOLEAN=TRUE\n[B]\nGIVEOWNFONT=true\nRESERVEDBOOLEAN=2\n");
  EXPECT_TRUE(l.Section(L"A").GiveOwnFont);
  EXPECT_TRUE(l.Section(L"A").ReservedBoolean);
  EXPECT_FALSE(l.Section(L"B").GiveOwnFont);
  EXPECT_FALSE(l.Section(L"B").ReservedBoolean);
}

// Sections keep file order, GLOBALINFO included, and TRANSPARENT is appended when missing.
TEST(SkinSections, OrderAndTransparent) {
  const auto l = Load("[GLOBALINFO]\nFONTCOLOR=4660\n[Z]\n[A]\n");
  ASSERT_EQ(l.t.gd.size(), 4u);
  EXPECT_EQ(l.t.gd[0].ClassName, L"GLOBALINFO");
  EXPECT_EQ(l.t.gd[1].ClassName, L"Z");
  EXPECT_EQ(l.t.gd[2].ClassName, L"A");
  const TsGeneralData& tr = l.t.gd[3];
  EXPECT_EQ(tr.ClassName, L"TRANSPARENT");
  EXPECT_EQ(tr.States, 1);
  for (const TsGenState& s : tr.Props) {
    EXPECT_EQ(s.Transparency, 100);
    EXPECT_EQ(s.Color, 0xFFFFFFu);
    EXPECT_EQ(s.FontColor.Color, 4660u);
    EXPECT_EQ(s.FontColor.Left, TColor(-1));
    EXPECT_EQ(s.GlowColor, 0u);
  }
  EXPECT_EQ(tr.BorderIndex, -1);
  // A skin with its own TRANSPARENT keeps it and gets no second one.
  const auto m = Load("[TRANSPARENT]\nTRANSPARENCY=40\n");
  EXPECT_EQ(m.t.gd.size(), 1u);
  EXPECT_EQ(m.t.gd[0].Props[0].Transparency, 40);
}

// ---- Masks ----------------------------------------------------------------------------------

// Syntax 1: the EDIT border piece of the master bitmap.
TEST(SkinMasks, BorderPiece) {
  const auto l = Load("[EDIT]\nBORDERSMASK=^0000^0037^0154^0046^0002^0002^0002^0002^2^0^1^1\n");
  const TsMaskData* m = l.Mask(L"EDIT", L"BORDERSMASK");
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->R, Rect(0, 37, 154, 46));
  EXPECT_EQ(m->WL, 2);
  EXPECT_EQ(m->WT, 2);
  EXPECT_EQ(m->WR, 2);
  EXPECT_EQ(m->WB, 2);
  EXPECT_EQ(m->ImageCount, 2);
  EXPECT_EQ(m->MaskType, 0);
  EXPECT_EQ(m->DrawMode, 1);
  EXPECT_EQ(m->BorderWidth, 1);
  EXPECT_EQ(m->ImgType, itisaBorder);
  EXPECT_EQ(m->Bmp, nullptr);
  EXPECT_EQ(m->CornerType, 0);  // no master bitmap: nothing to find
}

// Syntax 1 without bands: BorderWidth, or a third of a frame and of a row.
TEST(SkinMasks, BorderPieceDefaultWidths) {
  const auto l = Load(
      "[A]\nB1=^0000^0000^0090^0060^0000^0000^0000^0000^3^1^1^4\nB2=^0000^0000^0090^0060^0000^0000^0000^0000^3^1^1^0\n"
      "B3=^0000^0000^0090^0060^0000^0000^0000^0000^0^0^1^0\n");
  EXPECT_EQ(l.Mask(L"A", L"B1")->WL, 4);
  EXPECT_EQ(l.Mask(L"A", L"B1")->WB, 4);
  EXPECT_EQ(l.Mask(L"A", L"B2")->WL, 10);  // 90 div (3·3)
  EXPECT_EQ(l.Mask(L"A", L"B2")->WT, 10);  // 60 div (2·3)
  EXPECT_EQ(l.Mask(L"A", L"B3")->WL, 30);  // no frames counts as one
}

// Syntax 2 and 3: glyph and texture pieces of the master bitmap.
TEST(SkinMasks, GlyphAndTexture) {
  const auto l = Load("[GLOBALINFO]\nBOXCHECKED=@0128@0074@0173@0089@3@0\n[P]\nPATTERN=~0619~0045~0625~0048~07~1\nSHORT=~0001~0002~0003~0004~05\n");
  const TsMaskData* g = l.Mask(L"GLOBALINFO", L"BOXCHECKED");
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->R, Rect(128, 74, 173, 89));
  EXPECT_EQ(g->ImageCount, 3);
  EXPECT_EQ(g->MaskType, 0);
  EXPECT_EQ(g->ImgType, itisaGlyph);
  EXPECT_EQ(g->WL + g->WT + g->WR + g->WB + g->DrawMode + g->CornerType, 0);
  const TsMaskData* t = l.Mask(L"P", L"PATTERN");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->R, Rect(619, 45, 625, 48));
  EXPECT_EQ(t->DrawMode, 7);
  EXPECT_EQ(t->MaskType, 1);
  EXPECT_EQ(t->ImageCount, 1);
  EXPECT_EQ(t->ImgType, itisaTexture);
  EXPECT_EQ(l.Mask(L"P", L"SHORT")->MaskType, 0);
}

// Fixed-position numbers must be integers: a short or malformed value aborts the load.
TEST(SkinMasks, MalformedFixedFieldsFail) {
  EXPECT_THROW(Load("[A]\nB=^0000^0037\n"), EConvertError);
  EXPECT_THROW(Load("[A]\nB=@00x8@0074@0173@0089@3@0\n"), EConvertError);
  EXPECT_THROW(Load("[A]\nB=~\n"), EConvertError);
  EXPECT_THROW(Load("[A]\nB=^\n"), EConvertError);
}

// Syntax 4: PNG glyph from a package entry found by its upper-case name; lower case finds
// nothing; BUTTON_HUGE's border bitmap is never examined for corners.
TEST(SkinMasks, ExternalImages) {
  TBitmap32 glow = Solid(4, 2, 0x80FF8040);
  const auto l = Load(
      "[GLOBALINFO]\nVERSION=7.20\nBICONCLOSEGLOW0=!CLOSEG.PNG!1!0!4!0000!0000!0000!0000!0\n"
      "LOWER=!closeg.png!1!0!4!0000!0000!0000!0000!0\n"
      "[BUTTON_HUGE]\nBORDERSMASK=!HUGE.BMP!3!0!0!0031!0031!0031!0031!5\n"
      "[B]\nFEW=!HUGE.BMP!3!1\nBIGTYPE=!HUGE.BMP!1!0!9\nNEGTYPE=!HUGE.BMP!1!0!-3\nNOFILE=!MISSING.PNG!1\nTXT=!NOTES.TXT!1\n",
      {{"CloseG.png", EncodePng(glow)}, {"Huge.bmp", EncodeBmp(KeyedCorner(90, 60), 24)}});
  const TsMaskData* g = l.Mask(L"GLOBALINFO", L"BICONCLOSEGLOW0");
  ASSERT_NE(g, nullptr);
  EXPECT_EQ(g->ImgType, itisaPngGlyph);
  EXPECT_EQ(g->ImageCount, 1);
  EXPECT_EQ(g->DrawMode, 0);
  EXPECT_EQ(g->WL + g->WT + g->WR + g->WB, 0);
  ASSERT_NE(g->Bmp, nullptr);
  EXPECT_EQ(g->R, Rect(0, 0, 4, 2));
  EXPECT_EQ(l.Mask(L"GLOBALINFO", L"LOWER"), nullptr);

  const TsMaskData* h = l.Mask(L"BUTTON_HUGE", L"BORDERSMASK");
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->ImgType, itisaBorder);
  EXPECT_EQ(h->ImageCount, 3);
  EXPECT_EQ(h->WL, 31);
  EXPECT_EQ(h->WB, 31);
  EXPECT_EQ(h->DrawMode, 5);
  EXPECT_EQ(h->CornerType, 2);

  const TsMaskData* few = l.Mask(L"B", L"FEW");
  ASSERT_NE(few, nullptr);
  EXPECT_EQ(few->WL, 10);  // 90 div (3·3)
  EXPECT_EQ(few->WT, 10);  // 60 div (2·3)
  EXPECT_EQ(few->DrawMode, 1);
  EXPECT_EQ(few->CornerType, 1);  // the key pixel sits in the top-left band
  EXPECT_EQ(l.Mask(L"B", L"BIGTYPE")->ImgType, itisaPngGlyph);
  EXPECT_EQ(l.Mask(L"B", L"NEGTYPE")->ImgType, itisaBorder);
  EXPECT_EQ(l.Mask(L"B", L"NOFILE"), nullptr);
  EXPECT_EQ(l.Mask(L"B", L"TXT"), nullptr);
}

// Syntax 5: a bare bitmap name, any case, upper-cased names; syntax 6: the legacy rectangle.
TEST(SkinMasks, BareBitmapAndLegacy) {
  const auto l = Load(
      "[lower]\nkey=frame.bmp\n[L]\nOLD=#X (1,2,31,22) (2,1,3,4)\nOLD2=#X (1,2,31,22) (0,-1)\nJUST=#\nNUM=-1\nHGCOL=123\n"
      "TEXT=hello\n",
      {{"FRAME.BMP", EncodeBmp(Solid(30, 12, 0x00102030), 24)}});
  const TsMaskData* b = l.Mask(L"LOWER", L"KEY");
  ASSERT_NE(b, nullptr);
  EXPECT_EQ(b->ImageCount, 3);
  EXPECT_EQ(b->MaskType, 1);
  EXPECT_EQ(b->DrawMode, 0);
  EXPECT_EQ(b->WL, 3);  // 30 div 9
  EXPECT_EQ(b->WT, 2);  // 12 div 6
  EXPECT_EQ(b->CornerType, 0);
  EXPECT_EQ(b->Bmp->Pixel(0, 0), 0xFF102030u);  // 24-bit source made opaque

  const TsMaskData* o = l.Mask(L"L", L"OLD");
  ASSERT_NE(o, nullptr);
  EXPECT_EQ(o->R, Rect(1, 2, 31, 22));
  EXPECT_EQ(o->ImageCount, 2);
  EXPECT_EQ(o->MaskType, 1);
  EXPECT_EQ(o->BorderWidth, 3);
  EXPECT_EQ(o->DrawMode, 4);
  EXPECT_EQ(o->WL, 3);
  const TsMaskData* o2 = l.Mask(L"L", L"OLD2");
  EXPECT_EQ(o2->ImageCount, 1);
  EXPECT_EQ(o2->MaskType, 0);
  EXPECT_EQ(o2->DrawMode, 1);
  EXPECT_EQ(o2->WL, 10);  // no BorderWidth: 30 div 3
  EXPECT_EQ(o2->WT, 6);   // 20 div 3
  // "#" alone, plain numbers and text make no piece.
  EXPECT_EQ(l.Mask(L"L", L"JUST"), nullptr);
  EXPECT_EQ(l.Mask(L"L", L"NUM"), nullptr);
  EXPECT_EQ(l.Mask(L"L", L"HGCOL"), nullptr);
  EXPECT_EQ(l.Mask(L"L", L"TEXT"), nullptr);
  EXPECT_THROW(Load("[L]\nOLD=#X (1,2,3,4) (1,1,x)\n"), EConvertError);
}

// The master bitmap: found by the value as written against upper-cased entry names, made opaque
// except its key pixels, and used for the corner test of pieces that lie in it.
TEST(SkinMasks, MasterBitmap) {
  TBitmap32 master = Solid(40, 20, 0x00336699);
  master.Pixel(39, 0) = 0x00FF00FF;
  const auto l = Load(
      "[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n[A]\nB=^0000^0000^0040^0020^0002^0002^0002^0002^1^0^1^0\n"
      "C=^0000^0000^0020^0020^0002^0002^0002^0002^1^0^1^0\n",
      {{"Master.bmp", EncodeBmp(master, 24)}});
  ASSERT_EQ(l.t.MasterBitmap.Width(), 40);
  EXPECT_EQ(l.t.MasterBitmap.Pixel(0, 0), 0xFF336699u);
  EXPECT_EQ(l.t.MasterBitmap.Pixel(39, 0), 0x00FF00FFu);
  EXPECT_EQ(l.Mask(L"A", L"B")->CornerType, 1);
  EXPECT_EQ(l.Mask(L"A", L"C")->CornerType, 0);
  EXPECT_EQ(l.Mask(L"GLOBALINFO", L"MASTERBITMAP"), nullptr);
  // Written in lower case it is not found; a damaged picture leaves it empty.
  EXPECT_TRUE(Load("[GLOBALINFO]\nMASTERBITMAP=Master.bmp\n", {{"Master.bmp", EncodeBmp(master, 24)}}).t.MasterBitmap.Empty());
  EXPECT_TRUE(Load("[GLOBALINFO]\nMASTERBITMAP=MASTER.BMP\n", {{"Master.bmp", Bytes("BM-not-really")}}).t.MasterBitmap.Empty());
}

// Whether a picture keeps its own alpha is the skin's rule, not the pixels': every 32-bit bitmap
// keeps what it decoded to, even bit fields without an alpha mask (alpha 0 throughout), while a
// 24-bit one is made opaque except its key pixels.
TEST(SkinMasks, BitmapAlphaByBitCount) {
  TBitmap32 src = Solid(3, 3, 0x40102030);
  src.Pixel(0, 0) = 0x00FF00FF;
  std::vector<std::uint8_t> fields = EncodeBmp(src, 32);
  fields[30] = 3;   // BI_BITFIELDS, masks after the 40-byte header
  fields[10] = 66;  // the pixels move behind the three masks
  const std::uint8_t masks[12] = {0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0xFF, 0, 0, 0};
  fields.insert(fields.begin() + 54, masks, masks + 12);
  const auto l = Load("[A]\nRGBA=RGBA.BMP\nFIELDS=FIELDS.BMP\nRGB=RGB.BMP\n",
                      {{"RGBA.BMP", EncodeBmp(src, 32)}, {"FIELDS.BMP", fields}, {"RGB.BMP", EncodeBmp(src, 24)}});
  EXPECT_EQ(l.M(L"A", L"RGBA").Bmp->Pixel(1, 1), 0x40102030u);
  EXPECT_EQ(l.M(L"A", L"FIELDS").Bmp->Pixel(1, 1), 0x00102030u);
  EXPECT_EQ(l.M(L"A", L"RGB").Bmp->Pixel(1, 1), 0xFF102030u);
  EXPECT_EQ(l.M(L"A", L"RGB").Bmp->Pixel(0, 0), 0x00FF00FFu);
}

// PNG pieces: up to version 7.45 white with alpha 0 is cleared, later versions premultiply
// (c · a >> 8); with Brightness above 0 the step is left to recolouring.
TEST(SkinMasks, PngAlphaByVersion) {
  TBitmap32 png(3, 1);
  png.Pixel(0, 0) = 0x00FFFFFF;
  png.Pixel(1, 0) = 0x80FF8040;
  png.Pixel(2, 0) = 0xFF102030;
  const std::vector<TsPackageEntry> images = {{"G.png", EncodePng(png)}};
  const std::string key = "\nG=!G.PNG!1!0!4\n";
  const auto old = Load("[GLOBALINFO]\nVERSION=7.45" + key, images);
  EXPECT_EQ(old.Mask(L"GLOBALINFO", L"G")->Bmp->Pixel(0, 0), 0u);
  EXPECT_EQ(old.Mask(L"GLOBALINFO", L"G")->Bmp->Pixel(1, 0), 0x80FF8040u);
  const auto now = Load("[GLOBALINFO]\nVERSION=7.46" + key, images);
  const TBitmap32& b = *now.Mask(L"GLOBALINFO", L"G")->Bmp;
  EXPECT_EQ(b.Pixel(0, 0), 0u);
  EXPECT_EQ(b.Pixel(1, 0), 0x807F4020u);  // 0xFF·0x80 >> 8 = 0x7F, 0x80·0x80 >> 8 = 0x40, 0x40·0x80 >> 8 = 0x20
  TsSkinLoadSettings bright;
  bright.Brightness = 10;
  const auto kept = Load("[GLOBALINFO]\nVERSION=7.46" + key, images, bright);
  EXPECT_EQ(kept.Mask(L"GLOBALINFO", L"G")->Bmp->Pixel(1, 0), 0x80FF8040u);
}

// JPEG textures: 900,000 pixels or more stay patterns, fewer become texture pieces.
TEST(SkinMasks, JpegPatternRule) {
  TBitmap32 big = Solid(1000, 900, 0x00404040);
  TBitmap32 small = Solid(1000, 899, 0x00404040);
  small.Pixel(0, 0) = 0x00FF00FF;
  const auto l = Load("[FORM]\nPATTERN=big.jpg\nHOTPATTERN=Small.JPEG\n",
                      {{"BIG.JPG", EncodeJpeg(big, 90)}, {"SMALL.JPEG", EncodeJpeg(small, 100)}});
  ASSERT_EQ(l.t.pa.size(), 1u);
  EXPECT_EQ(l.t.pa[0].ClassName, L"FORM");
  EXPECT_EQ(l.t.pa[0].PropertyName, L"PATTERN");
  EXPECT_EQ(l.t.pa[0].Img->Width(), 1000);
  EXPECT_EQ(l.t.pa[0].Img->Height(), 900);
  const TsMaskData* m = l.Mask(L"FORM", L"HOTPATTERN");
  ASSERT_NE(m, nullptr);
  EXPECT_EQ(m->ImgType, itisaTexture);
  EXPECT_EQ(m->ImageCount, 1);
  EXPECT_EQ(m->R, TRect());
  EXPECT_EQ(m->Bmp->Height(), 899);
  EXPECT_EQ(m->Bmp->Pixel(500, 500) >> 24, 0xFFu);
  EXPECT_EQ(l.Mask(L"FORM", L"PATTERN"), nullptr);
}

// An image entry that is no valid picture is skipped: no piece, no error.
TEST(SkinMasks, InvalidImagesAreSkipped) {
  const auto l = Load("[A]\nB=!X.PNG!1\nC=Y.BMP\nD=Z.JPG\n",
                      {{"X.png", Bytes("\x89PNG\r\n\x1a\nnope")}, {"Y.bmp", Bytes("BM")}, {"Z.jpg", Bytes("\xFF\xD8\xFF\xE0")}});
  EXPECT_EQ(l.Mask(L"A", L"B"), nullptr);
  EXPECT_EQ(l.Mask(L"A", L"C"), nullptr);
  EXPECT_TRUE(l.t.pa.empty());
}

// ---- Global data, outer effects, palette ----------------------------------------------------

// Global data defaults and their special rules.
TEST(SkinGlobal, Defaults) {
  TsSkinLoadSettings s;
  s.SizingFrameWidth = 8;
  const auto l = Load("[GLOBALINFO]\nTITLEHEIGHT=0\nALIGNOFFSET=3\nALIGNOFFSETT=1\nVERSION=7.20\nAEROBLUR=5\n[TABTOP]\nTABSCOVERING=2\n", {}, s);
  const TsSkinData& d = l.t.CommonSkinData;
  EXPECT_DOUBLE_EQ(d.Version, 7.2);
  EXPECT_EQ(d.ExBorderWidth, 4);
  EXPECT_EQ(d.ExTitleHeight, 30);
  EXPECT_EQ(d.ExMaxHeight, 30);
  EXPECT_EQ(d.ExContentOffs, 8);
  EXPECT_EQ(d.BrightMin, -50);
  EXPECT_EQ(d.BrightMax, 50);
  EXPECT_EQ(d.ExShadowOffsR, 3);
  EXPECT_EQ(d.ExShadowOffsT, 1);
  EXPECT_EQ(d.ExShadowOffsB, 3);
  EXPECT_TRUE(d.UseAeroBluring);
  EXPECT_EQ(d.Shadow1Blur, -1);
  EXPECT_EQ(d.ComboBoxMargin, 2);
  EXPECT_EQ(d.TabsCovering, 2);
  EXPECT_EQ(d.RibbonCovering, 0);
  const auto m = Load("[GLOBALINFO]\nTITLEHEIGHT=22\nMAXHEIGHT=0\nBISPACE=-1\nBIKEEPHUE=2\n");
  EXPECT_EQ(m.t.CommonSkinData.ExMaxHeight, 22);
  EXPECT_EQ(m.t.CommonSkinData.BISpacing, -1);
  EXPECT_EQ(m.t.CommonSkinData.BIKeepHUE, 2);
  EXPECT_EQ(m.Mask(L"GLOBALINFO", L"BISPACE"), nullptr);
}

// Outer effects: defaults, the generated BLUR5 piece (colours above, blur below), a master
// piece for source 1, and no piece for source 0.
TEST(SkinGlobal, OuterEffects) {
  const auto l = Load("[GLOBALINFO]\nSH_COLORT=255\nSH_COLORB=65280\nSH_COLORL=16711680\nSH_COLORR=16777215\nSH_WIDTHL=2\n");
  const TsOutEffData& lo = l.t.oe[0];
  const TsOutEffData& sh = l.t.oe[1];
  EXPECT_EQ(lo.ColorL, 0xFFFFFFu);
  EXPECT_EQ(lo.ColorT, 0u);
  EXPECT_EQ(lo.OffsetB, 4);
  EXPECT_EQ(lo.Opacity, 200);
  EXPECT_EQ(sh.OffsetL, 3);
  EXPECT_EQ(sh.OffsetT, 2);
  EXPECT_EQ(sh.OffsetB, 5);
  EXPECT_EQ(sh.Opacity, 60);
  EXPECT_EQ(sh.Source, 2);
  EXPECT_EQ(sh.WidthL, 2);
  EXPECT_EQ(sh.WidthT, 9);
  ASSERT_GE(sh.Mask, 0);
  const TsMaskData& m = l.t.ma[std::size_t(sh.Mask)];
  EXPECT_EQ(m.PropertyName, L"SH_MASK");
  EXPECT_EQ(m.ClassName, L"GLOBALINFO");
  EXPECT_EQ(m.R, Rect(0, 0, 19, 38));
  EXPECT_EQ(m.MaskType, 1);
  EXPECT_EQ(m.BorderWidth, 9);
  EXPECT_EQ(m.WB, 9);
  EXPECT_EQ(m.DrawMode, 1);
  const TBitmap32& b = *m.Bmp;
  // Pixels are 0xAARRGGBB: the colour value 255 (red) is the pixel 0xFF0000.
  EXPECT_EQ(b.Pixel(9, 0) & 0xFFFFFF, 0xFF0000u);    // ColorT (red) at the top
  EXPECT_EQ(b.Pixel(9, 18) & 0xFFFFFF, 0x00FF00u);   // ColorB (green) below the middle
  EXPECT_EQ(b.Pixel(0, 9) & 0xFFFFFF, 0x0000FFu);    // ColorL (blue) on the left triangle
  EXPECT_EQ(b.Pixel(18, 9) & 0xFFFFFF, 0xFFFFFFu);   // ColorR on the right
  EXPECT_EQ(b.Pixel(0, 0) & 0xFFFFFF, 0xFF0000u);    // row 0 lies above both triangles
  const TBitmap32 blur = MakeBlur5Bitmap();
  for (int y = 0; y < 19; ++y)
    for (int x = 0; x < 19; ++x) ASSERT_EQ(b.Pixel(x, 19 + y), blur.Pixel(x, y));
  ASSERT_GE(lo.Mask, 0);

  const auto n = Load("[GLOBALINFO]\nLO_SOURCE=0\nSH_SOURCE=1\nSH_MASK=@0001^0002^0003^0004^0005^0006^0007^0008^1^1^1^1\n");
  EXPECT_EQ(n.t.oe[0].Mask, -1);
  EXPECT_EQ(n.t.oe[0].WidthL, -1);
  const TsMaskData& p = n.t.ma.at(std::size_t(n.t.oe[1].Mask));
  EXPECT_EQ(p.R, Rect(1, 2, 3, 4));
  EXPECT_EQ(p.ImgType, itisaBorder);
  EXPECT_EQ(p.CornerType, 0);
  EXPECT_EQ(Load("[GLOBALINFO]\nSH_SOURCE=1\n").t.oe[1].Mask, -1);
}

// The BLUR5 picture is the same on every call, darkest in the middle and white in the corners,
// and its .bmp file decodes to the same pixels.
TEST(SkinGlobal, Blur5Picture) {
  const TBitmap32 a = MakeBlur5Bitmap(), b = MakeBlur5Bitmap();
  ASSERT_EQ(a.Width(), 19);
  ASSERT_EQ(a.Height(), 19);
  EXPECT_EQ(a.Pixel(9, 9), 0u);
  EXPECT_EQ(a.Pixel(0, 0), 0x00FFFFFFu);
  EXPECT_LT(a.Pixel(9, 5) & 0xFF, a.Pixel(9, 1) & 0xFF);
  const auto bmp = EncodeBlur5Bmp();
  const TBitmap32 c = DecodeBmp(bmp.data(), bmp.size());
  for (int y = 0; y < 19; ++y)
    for (int x = 0; x < 19; ++x) {
      ASSERT_EQ(a.Pixel(x, y), b.Pixel(x, y));
      ASSERT_EQ(a.Pixel(x, y), c.Pixel(x, y));
    }
  // The platform's picture is taken through the settings when given.
  TsSkinLoadSettings s;
  s.Blur5 = [] { return Solid(5, 5, 0x00111111); };
  const auto l = Load("[GLOBALINFO]\n", {}, s);
  EXPECT_EQ(l.t.ma.at(std::size_t(l.t.oe[1].Mask)).R, Rect(0, 0, 5, 10));
  EXPECT_EQ(l.t.oe[1].WidthT, 2);
}

// Palette defaults without EDIT, SELECTION or MENUITEM (native builds use the classic colours).
TEST(SkinPalette, Defaults) {
  const auto l = Load("[GLOBALINFO]\n");
  const TsPaletteArray& p = l.t.Palette;
  EXPECT_EQ(p[pcMainColor], ColorToRGB(clBtnFace));
  EXPECT_EQ(p[pcLabelText], 0u);
  EXPECT_EQ(p[pcWebText], 0xFF0000u);
  EXPECT_EQ(p[pcWebTextHot], 0x0000FFu);
  EXPECT_EQ(p[pcBorder], 0u);
  EXPECT_EQ(p[pcEditText], ColorToRGB(clWindowText));
  EXPECT_EQ(p[pcEditBG], ColorToRGB(clWindow));
  EXPECT_EQ(p[pcSelectionText], ColorToRGB(clSystemColor | 14));
  EXPECT_EQ(p[pcSelectionText_Focused], ColorToRGB(clSystemColor | 14));
  EXPECT_EQ(p[pcSelectionBG], ColorToRGB(clSystemColor | 13));
  EXPECT_EQ(p[pcSelectionBG_Focused], ColorToRGB(clSystemColor | 13));
  EXPECT_EQ(p[pcEditText_Ok], 0x008000u);
  EXPECT_EQ(p[pcEditText_Warning], 0x008484u);
  EXPECT_EQ(p[pcEditText_Alert], 0x0000FFu);
  EXPECT_EQ(p[pcEditText_Caution], 0x8597D9u);
  EXPECT_EQ(p[pcEditText_Bypassed], 0x4AB28Fu);
  EXPECT_EQ(p[pcEditBG_Ok], 0x6CC2A5u);
  EXPECT_EQ(p[pcEditBG_Warning], 0x40FFFFu);
  EXPECT_EQ(p[pcEditBG_Alert], 0x95A7E9u);
  EXPECT_EQ(p[pcEditBG_Caution], 0x8597D9u);
  EXPECT_EQ(p[pcEditBG_Bypassed], 0x4AB28Fu);
  EXPECT_EQ(p[pcEditText_Highlight1], 0u);
  EXPECT_EQ(p[pcEditText_Highlight3], 0u);
  EXPECT_EQ(p[pcEditText_Inverted], p[pcEditBG]);
  EXPECT_EQ(p[pcEditBG_Inverted], p[pcEditText]);
  EXPECT_EQ(p[pcEditBG_OddRow], p[pcEditBG]);
  EXPECT_EQ(p[pcEditBG_EvenRow], RGBColor(242, 242, 242));  // 5 % black over white: 242.25
}

// Palette from EDIT, SELECTION and MENUITEM; the Caution and Bypassed entries share Alert's key.
TEST(SkinPalette, FromSections) {
  const auto l = Load(
      "[GLOBALINFO]\nCOLOR=1\nEDITTEXT_ALERT=77\nEDITBG_EVEN=5\n"
      "[EDIT]\nCOLOR=0\nFONTCOLOR=200\n"
      "[SELECTION]\nSTATES=2\nCOLOR=10\nFONTCOLOR=11\nHOTCOLOR=12\nHOTFONTCOLOR=13\n");
  const TsPaletteArray& p = l.t.Palette;
  EXPECT_EQ(p[pcMainColor], 1u);
  EXPECT_EQ(p[pcEditText], 200u);
  EXPECT_EQ(p[pcEditBG], 0u);
  EXPECT_EQ(p[pcSelectionBG], 10u);
  EXPECT_EQ(p[pcSelectionText], 11u);
  EXPECT_EQ(p[pcSelectionBG_Focused], 12u);
  EXPECT_EQ(p[pcSelectionText_Focused], 13u);
  EXPECT_EQ(p[pcEditText_Alert], 77u);
  EXPECT_EQ(p[pcEditText_Caution], 77u);
  EXPECT_EQ(p[pcEditText_Bypassed], 77u);
  EXPECT_EQ(p[pcEditBG_EvenRow], 5u);

  // A selection without text colour (the key colour) falls back on MENUITEM's hot state, whose
  // key-coloured text means the system highlight-text colour, kept as a reference.
  const auto m = Load(
      "[SELECTION]\nSTATES=1\nFONTCOLOR=16711935\nCOLOR=3\n[MENUITEM]\nSTATES=2\nHOTCOLOR=44\nHOTFONTCOLOR=16711935\n");
  EXPECT_EQ(m.t.Palette[pcSelectionText], clSystemColor | 14);
  EXPECT_EQ(m.t.Palette[pcSelectionText_Focused], clSystemColor | 14);
  EXPECT_EQ(m.t.Palette[pcSelectionBG], 44u);
  EXPECT_EQ(m.t.Palette[pcSelectionBG_Focused], 44u);
  const auto n = Load("[SELECTION]\nFONTCOLOR=16711935\n[MENUITEM]\nSTATES=2\nHOTFONTCOLOR=-16777208\n");
  EXPECT_EQ(n.t.Palette[pcSelectionText], ColorToRGB(clWindowText));
}

// ---- Extra sections -------------------------------------------------------------------------

// The application's extra sections update a section of the same name, append others (values
// from their PARENTCLASS, else defaults with no text colour), and add GLOBALINFO pieces.
TEST(SkinExtra, CommonSections) {
  TStringList extra;
  extra.SetText(L"; comment stays\n[EDIT]\nCOLOR = 0x10\n[NEW]\nPARENTCLASS=edit\nGLOW=3\n[BARE]\nGLOW=1\n[GLOBALINFO]\nOLD=#X (1, 2, 3, 4) (1, 0, 2, 1)\n");
  StripCommonSections(extra);
  EXPECT_EQ(extra[0], L"; comment stays");
  EXPECT_EQ(extra[2], L"COLOR=0x10");
  TsSkinLoadSettings s;
  s.CommonSections = &extra;
  const auto l = Load("[EDIT]\nSTATES=2\nFONTCOLOR=7\nCOLOR=1\n", {}, s);
  const TsGeneralData& e = l.Section(L"EDIT");
  EXPECT_EQ(e.Props[0].Color, 16u);
  EXPECT_EQ(e.Props[0].FontColor.Color, 7u);
  EXPECT_EQ(e.States, 2);
  const TsGeneralData& n = l.Section(L"NEW");
  EXPECT_EQ(n.GlowCount, 3);
  EXPECT_EQ(n.Props[0].FontColor.Color, 7u);
  EXPECT_EQ(n.ParentClass, L"edit");
  const TsGeneralData& b = l.Section(L"BARE");
  EXPECT_EQ(b.Props[0].FontColor.Color, TColor(-1));
  EXPECT_EQ(b.States, 3);
  EXPECT_NE(l.Mask(L"GLOBALINFO", L"OLD"), nullptr);
  EXPECT_EQ(l.Mask(L"GLOBALINFO", L"OLD")->R, Rect(1, 2, 3, 4));
}
