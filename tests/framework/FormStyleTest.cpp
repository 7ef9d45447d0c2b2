// A form's border icons from the layout and the window style they give; its bounds once made.
#include <gtest/gtest.h>

#include "framework/Form.h"
#include "framework/LayoutReader.h"

namespace {

TLayoutValue Set(std::vector<std::wstring> items) {
  TLayoutValue v;
  v.kind = TLayoutValue::Kind::Set;
  v.items = std::move(items);
  return v;
}

TEST(FormStyle, BorderIconsShapeTheWindowStyle) {
  struct Row {
    TFormBorderStyle border;
    std::vector<std::wstring> icons;
    DWORD has, lacks, exHas;
  } rows[] = {
      {TFormBorderStyle::bsSingle, {L"biSystemMenu", L"biMinimize", L"biMaximize"}, WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0, 0},
      {TFormBorderStyle::bsSingle, {L"biSystemMenu"}, WS_SYSMENU, WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0},
      {TFormBorderStyle::bsSizeable, {L"biMinimize", L"biMaximize"}, WS_CAPTION, WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0},
      {TFormBorderStyle::bsDialog, {L"biSystemMenu", L"biHelp"}, WS_SYSMENU, 0, WS_EX_CONTEXTHELP},
  };
  TPublishedMethods none;
  for (const Row& r : rows) {
    TForm form(nullptr);
    form.SetBorderStyle(r.border);
    ASSERT_TRUE(form.SetProperty("BorderIcons", Set(r.icons), none));
    const DWORD style = DWORD(GetWindowLongW(form.Handle(), GWL_STYLE));
    const DWORD ex = DWORD(GetWindowLongW(form.Handle(), GWL_EXSTYLE));
    EXPECT_EQ(style & r.has, r.has) << int(r.border) << " " << r.icons.size();
    EXPECT_EQ(style & r.lacks, 0u) << int(r.border) << " " << r.icons.size();
    EXPECT_EQ(ex & r.exHas, r.exHas) << int(r.border) << " " << r.icons.size();
  }
  TForm form(nullptr);
  EXPECT_EQ(form.BorderIcons(), kDefaultBorderIcons);
  EXPECT_THROW(form.SetProperty("BorderIcons", Set({L"biClose"}), none), ELayoutError);
}

// A form sized from its client area knows its window's size as soon as the window exists.
TEST(FormStyle, BoundsAreTheWindowsOnceMade) {
  TForm form(nullptr);
  form.SetBorderStyle(TFormBorderStyle::bsDialog);
  form.SetClientSize(300, 200);
  RECT r{};
  GetWindowRect(form.Handle(), &r);
  EXPECT_EQ(form.Width(), r.right - r.left);
  EXPECT_EQ(form.Height(), r.bottom - r.top);
  EXPECT_GT(form.Width(), 300);
}

}  // namespace
