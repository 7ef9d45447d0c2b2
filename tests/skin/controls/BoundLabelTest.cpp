// The caption label bound to an edit, in a real window under Wine, and the stored settings of
// the edit-like controls that reach their parts (bound label, scroll-bar sizes).
#include <gtest/gtest.h>

#include <string>

#include "framework/Form.h"
#include "framework/LayoutReader.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sMaskEdit.h"
#include "skin/controls/sMemo.h"

// Made on the control's parent beside it when activated, the label moves with the control, shows,
// hides and is enabled with it (kept enabled by EnabledAlways) and goes when deactivated or when
// the control goes.
TEST(BoundLabel, FollowsItsControl) {
  TForm form(nullptr);
  form.SetBounds(40, 40, 420, 220);
  form.Show();
  auto* edit = new TsMaskEdit(&form);
  edit->SetName("sEdit1");
  edit->SetParent(&form);
  edit->SetBounds(206, 110, 145, 21);
  edit->Handle();  // moves and sizes reach it as window messages
  TsBoundLabel& bound = edit->BoundLabel();
  const int before = form.ControlCount();
  bound.SetActive(true);
  TsEditLabel* label = bound.TheLabel();
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->Parent(), &form);
  EXPECT_EQ(label->Caption(), L"sEdit1");  // no caption: the control's name
  EXPECT_EQ(label->Alignment(), TAlignment::taRightJustify);
  EXPECT_GT(label->Width(), 0);  // sized to its text
  auto expectLeftOfEdit = [&] {
    EXPECT_EQ(label->Left() + label->Width(), edit->Left() - 4);
    EXPECT_EQ(label->Top(), edit->Top() + (edit->Height() - label->Height()) / 2 - 1);
  };
  expectLeftOfEdit();
  edit->SetBounds(250, 60, 100, 30);
  expectLeftOfEdit();
  edit->SetVisible(false);
  EXPECT_FALSE(label->Visible());
  edit->SetVisible(true);
  EXPECT_TRUE(label->Visible());
  edit->SetEnabled(false);
  EXPECT_FALSE(label->Enabled());
  bound.SetEnabledAlways(true);
  EXPECT_TRUE(label->Enabled());
  bound.SetLayout(TsCaptionLayout::sclBottomLeft);
  EXPECT_EQ(label->Alignment(), TAlignment::taLeftJustify);
  EXPECT_EQ(label->Left(), 250);
  EXPECT_EQ(label->Top(), 90);
  bound.SetActive(false);
  EXPECT_EQ(bound.TheLabel(), nullptr);
  EXPECT_EQ(form.ControlCount(), before);
  bound.SetActive(true);
  delete edit;  // takes its label along
  EXPECT_EQ(form.ControlCount(), before - 1);
}

namespace {
class TTestRoot : public TComponent {
 public:
  using TComponent::TComponent;
};

// Reads one memo with the given stored lines.
TsMemo* ReadMemo(TTestRoot& root, const std::string& lines) {
  TClassRegistry classes;
  classes.Register<TsMemo>("TsMemo");
  TPublishedMethods ctx;
  ReadComponent(root, ParseLayout("object Root: TTestRoot\n  object sMemo1: TsMemo\n" + lines + "  end\nend\n"), classes, ctx);
  return dynamic_cast<TsMemo*>(root.FindComponent("sMemo1"));
}
}  // namespace

// The memo's skin state takes each bar's sizes beside the common settings, and its bound label
// its layout by name; an unknown layout name stops the reading.
TEST(EditLayout, MemoScrollSizesAndLabelLayout) {
  TTestRoot root(nullptr);
  TsMemo* memo = ReadMemo(root,
                          "    SkinData.SkinSection = 'EDIT'\n"
                          "    SkinData.VertScrollData.ScrollWidth = 12\n"
                          "    SkinData.HorzScrollData.ButtonsSize = 9\n"
                          "    BoundLabel.Layout = sclTopRight\n");
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->SkinData().SkinSection(), L"EDIT");
  EXPECT_EQ(memo->SkinData().VertScrollData.ScrollWidth, 12);
  EXPECT_EQ(memo->SkinData().VertScrollData.ButtonsSize, -1);
  EXPECT_EQ(memo->SkinData().HorzScrollData.ButtonsSize, 9);
  EXPECT_EQ(memo->SkinData().HorzScrollData.ScrollWidth, -1);
  EXPECT_EQ(memo->BoundLabel().Layout(), TsCaptionLayout::sclTopRight);
  TTestRoot other(nullptr);
  EXPECT_THROW(ReadMemo(other, "    BoundLabel.Layout = sclMiddle\n"), ELayoutError);
}
