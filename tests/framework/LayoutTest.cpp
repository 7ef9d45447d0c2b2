#include "framework/Layout.h"

#include <gtest/gtest.h>

// Every value syntax of the layout text is read with its kind and content.
TEST(Layout, ReadsEveryValueKind) {
  const TLayoutObject o = ParseLayout(
      "object Form1: TForm1\n"
      "  Caption = 'It''s ' +\n   'Установка'\n"
      "  Left = -3\n"
      "  Color = $FF00000F\n"
      "  BorderStyle = bsDialog\n"
      "  Font.Style = [fsBold, fsItalic]\n"
      "  Empty = []\n"
      "  Items.Strings = (\n    'a'\n    'b')\n"
      "  Picture.Data = {\n  0aFF\n  10}\n"
      "  Skins = <\n    item\n      Name = 'x'\n    end>\n"
      "  object A: TA\n  end\n"
      "end\n");
  EXPECT_EQ(o.name, "Form1");
  EXPECT_EQ(o.className, "TForm1");
  ASSERT_EQ(o.properties.size(), 9u);
  EXPECT_EQ(o.properties[0].value.AsString(), L"It's Установка");
  EXPECT_EQ(o.properties[1].value.AsInteger(), -3);
  EXPECT_EQ(std::uint32_t(o.properties[2].value.AsInteger()), 0xFF00000Fu);
  EXPECT_EQ(o.properties[3].value.AsIdentifier(), L"bsDialog");
  EXPECT_EQ(o.properties[4].name, "Font.Style");
  EXPECT_EQ(o.properties[4].value.items, (std::vector<std::wstring>{L"fsBold", L"fsItalic"}));
  EXPECT_TRUE(o.properties[5].value.items.empty());
  EXPECT_EQ(o.properties[6].value.items, (std::vector<std::wstring>{L"a", L"b"}));
  EXPECT_EQ(o.properties[7].value.bytes, (std::vector<std::uint8_t>{0x0A, 0xFF, 0x10}));
  ASSERT_EQ(o.properties[8].value.collection.size(), 1u);
  EXPECT_EQ(o.properties[8].value.collection[0][0].value.AsString(), L"x");
  ASSERT_EQ(o.children.size(), 1u);
  EXPECT_EQ(o.children[0].line, 19);
}

// Malformed texts are refused with the line of the fault, never half read.
TEST(Layout, RejectsMalformedTextWithItsLine) {
  const char* bad[] = {
      "object A: TA\n  X = 'open\nend\n",     // unterminated string
      "object A: TA\n  X = {ABC}\nend\n",     // odd hex digits
      "object A: TA\n  X = {GG}\nend\n",      // not hex
      "object A: TA\n  X = 99999999999\nend\n",  // out of range
      "object A: TA\n  X = \nend\n",          // missing value
      "object A: TA\n",                       // missing end
      "object A: TA\nend\nextra",             // text after the end
      "object A TA\nend\n",                   // missing colon
  };
  for (const char* text : bad) EXPECT_THROW(ParseLayout(text), ELayoutError) << text;
  try {
    ParseLayout("object A: TA\n\n  X = {ABC}\nend\n");
    FAIL();
  } catch (const ELayoutError& e) {
    EXPECT_NE(std::string(e.what()).find("line 3"), std::string::npos) << e.what();
  }
}

// Typed readers refuse a value of another kind instead of guessing.
TEST(Layout, TypedReadersCheckTheKind) {
  const TLayoutObject o = ParseLayout("object A: TA\n X = 5\n Y = True\n Z = Maybe\nend");
  EXPECT_THROW(o.properties[0].value.AsString(), ELayoutError);
  EXPECT_TRUE(o.properties[1].value.AsBoolean());
  EXPECT_THROW(o.properties[2].value.AsBoolean(), ELayoutError);
}

// Colours are stored as numbers (32-bit patterns) or by their framework names; an unknown name is
// an error.
TEST(Layout, Colours) {
  const TLayoutObject o = ParseLayout("object A: TA\n C1 = clCream\n C2 = 10065289\n C3 = $FF00000F\n C4 = clPink\nend");
  EXPECT_EQ(ColorFromLayout(o.properties[0].value), clCream);
  EXPECT_EQ(ColorFromLayout(o.properties[1].value), RGBColor(137, 149, 153));
  EXPECT_EQ(ColorFromLayout(o.properties[2].value), clBtnFace);
  EXPECT_THROW(ColorFromLayout(o.properties[3].value), ELayoutError);
}

// Reals: a decimal point with digits and an optional exponent, read whatever the C locale; an
// integer serves where a real is asked for; a point without digits is an error.
TEST(Layout, RealValues) {
  const TLayoutObject o = ParseLayout("object A: TA\n  X = 7.2\n  Y = -1.5E2\n  Z = 3\nend\n");
  ASSERT_EQ(o.properties.size(), 3u);
  EXPECT_EQ(o.properties[0].value.kind, TLayoutValue::Kind::Real);
  EXPECT_DOUBLE_EQ(o.properties[0].value.AsReal(), 7.2);
  EXPECT_DOUBLE_EQ(o.properties[1].value.AsReal(), -150.0);
  EXPECT_DOUBLE_EQ(o.properties[2].value.AsReal(), 3.0);
  EXPECT_THROW(o.properties[0].value.AsInteger(), ELayoutError);
  EXPECT_THROW(ParseLayout("object A: TA\n  X = 7.\nend\n"), ELayoutError);
}
