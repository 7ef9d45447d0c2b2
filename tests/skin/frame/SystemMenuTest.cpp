// Which caption buttons a form shows and which commands they may give, from its border style,
// border icons and system menu.
#include <gtest/gtest.h>

#include "framework/Form.h"
#include "skin/frame/sSystemMenu.h"

TEST(SystemMenu, ButtonsFollowStyleIconsAndMenu) {
  struct Row {
    TFormBorderStyle border;
    unsigned icons;
    bool close, max, min, enabledMax, enabledMin, help;
  } rows[] = {
      {TFormBorderStyle::bsDialog, kDefaultBorderIcons, true, false, false, false, true, false},
      {TFormBorderStyle::bsSizeable, kDefaultBorderIcons, true, true, true, true, true, false},
      {TFormBorderStyle::bsSingle, biSystemMenu, true, false, false, false, false, false},
      {TFormBorderStyle::bsSingle, biMinimize | biMaximize, false, false, false, true, true, false},
      {TFormBorderStyle::bsDialog, biSystemMenu | biHelp, true, false, false, false, false, true},
  };
  for (const Row& r : rows) {
    TForm form(nullptr);
    form.SetBorderStyle(r.border);
    form.SetBorderIcons(r.icons);
    form.HandleNeeded();
    TsSystemMenu menu(form);
    const std::string row = std::to_string(int(r.border)) + "/" + std::to_string(r.icons);
    EXPECT_EQ(menu.VisibleClose(), r.close) << row;
    EXPECT_EQ(menu.VisibleMax(), r.max) << row;
    EXPECT_EQ(menu.VisibleMin(), r.min) << row;
    EXPECT_EQ(menu.EnabledMax(), r.enabledMax) << row;
    EXPECT_EQ(menu.EnabledMin(), r.enabledMin) << row;
    EXPECT_EQ(menu.VisibleHelp(), r.help) << row;
    EXPECT_FALSE(menu.EnabledRestore()) << row;
  }
  // A greyed close command: the button shows but does not close.
  TForm form(nullptr);
  form.SetBorderStyle(TFormBorderStyle::bsDialog);
  form.HandleNeeded();
  TsSystemMenu menu(form);
  EXPECT_TRUE(menu.EnabledClose());
  EnableMenuItem(GetSystemMenu(form.Handle(), FALSE), SC_CLOSE, MF_BYCOMMAND | MF_GRAYED);
  EXPECT_TRUE(menu.VisibleClose());
  EXPECT_FALSE(menu.EnabledClose());
}
