// A bound label's place beside its control and its text alignment, for each stored layout name.
#include <gtest/gtest.h>

#include <cwchar>

#include "framework/Layout.h"
#include "skin/controls/sBoundLabelPlacement.h"

namespace {
struct TCase {
  const wchar_t* layout;
  TRect control;
  int width, height, indent;
  TPoint expected;
  TAlignment alignment;
};
}  // namespace

// Each layout name once, through the name the layout stores; the halves round toward zero where
// they are negative and odd (a label wider than its control, taller than it).
TEST(BoundLabelPlacement, EachLayout) {
  const TRect edit = Bounds(206, 110, 145, 21);
  const TRect narrow = Bounds(100, 50, 10, 10);  // (10 − 15) / 2 = −2, not −3
  constexpr auto L = TAlignment::taLeftJustify, R = TAlignment::taRightJustify, C = TAlignment::taCenter;
  const TCase cases[] = {
      {L"sclLeft", edit, 50, 13, 0, {152, 113}, R},
      {L"sclLeft", narrow, 20, 15, 2, {74, 47}, R},  // 50 + (10 − 15) / 2 − 1
      {L"sclTopLeft", edit, 50, 13, 3, {206, 94}, L},
      {L"sclTopCenter", narrow, 15, 13, 0, {98, 37}, C},
      {L"sclTopRight", edit, 50, 13, 0, {301, 97}, R},
      {L"sclLeftTop", edit, 50, 13, 1, {151, 113}, L},
      {L"sclBottomLeft", edit, 50, 13, 2, {206, 133}, L},
      {L"sclBottomCenter", edit, 50, 13, 0, {253, 131}, C},  // 206 + 95 / 2
      {L"sclBottomRight", edit, 50, 13, 0, {301, 131}, R},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << std::string(c.layout, c.layout + wcslen(c.layout)));
    const TsCaptionLayout layout = CaptionLayoutFromName(c.layout);
    EXPECT_EQ(BoundLabelPosition(layout, c.control, c.width, c.height, c.indent), c.expected);
    EXPECT_EQ(CaptionAlignment(layout), c.alignment);
  }
  EXPECT_THROW(CaptionLayoutFromName(L"sclRight"), ELayoutError);
}
