// The skin state of controls in real windows: section resolution, the skin commands, the
// background query, hover and focus, and the commands that foreign senders must not abuse.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "../data/manager/ManagerTestUtil.h"
#include "framework/Edits.h"
#include "framework/Form.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sGauge.h"
#include "skin/controls/sMaskEdit.h"
#include "skin/controls/sMemo.h"
#include "skin/data/sSkinSend.h"
#include "skin/paint/sBackground.h"
#include "skin/paint/sSkinEngine.h"
#include "skin/paint/sSkinText.h"
#include "skin/paint/sSkinnedControl.h"

namespace {

std::string Options() {
  return "[GLOBALINFO]\r\nVERSION=7.20\r\nMASTERBITMAP=MASTER.BMP\r\nCOLOR=16777215\r\n"
         "[EDIT]\r\nSTATES=2\r\nCOLOR=255\r\nFONTCOLOR=0\r\nHOTCOLOR=65280\r\nHOTFONTCOLOR=16711680\r\n"
         "[PANEL]\r\nSTATES=1\r\nTRANSPARENCY=100\r\nHOTTRANSPARENCY=100\r\n"
         "[SEMI]\r\nSTATES=1\r\nCOLOR=0\r\nTRANSPARENCY=50\r\nHOTTRANSPARENCY=50\r\n"
         "[GRAD]\r\nSTATES=1\r\nCOLOR=0\r\nGRADIENTDATA=255;65280;100;0;0\r\nGRADIENTPERCENT=100\r\n"
         "[GAUGE]\r\nCOLOR=0\r\n"
         "[GIVER]\r\nSTATES=1\r\nCOLOR=0\r\nFONTCOLOR=4210752\r\nGIVEOWNFONT=1\r\n"
         "[KEEPER]\r\nSTATES=1\r\nCOLOR=0\r\nFONTCOLOR=8421504\r\n"
         "[CHECKBOX]\r\nSTATES=2\r\nTRANSPARENCY=100\r\nHOTTRANSPARENCY=100\r\nFONTCOLOR=255\r\nHOTFONTCOLOR=255\r\n"
         "[BUTTON]\r\nCOLOR=12632256\r\n";
}

// A windowed skinned control of a given kind that records the skin commands reaching it.
class TProbe : public TsSkinnedControl<TWinControl> {
 public:
  TProbe(TComponent* owner, int coc) : TsSkinnedControl(owner, coc) {}
  std::vector<std::uint16_t> codes;
  int Count(std::uint16_t code) const { return int(std::count(codes.begin(), codes.end(), code)); }
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_SKINCOMMAND) codes.push_back(SkinCommandCode(m.WParam));
    TsSkinnedControl::WndProc(m);
  }
};

class CommonData : public ::testing::Test {
 protected:
  TsSkinManager manager{nullptr};
  TForm form{nullptr};
  void SetUp() override {
    InstallSkinEngine();
    ASSERT_EQ(DefaultManager(), &manager);
    manager.InternalSkins().Add(mgrtest::StoredSkin(L"T", WriteSkinPackage(mgrtest::TestPackageEntries(Options()))));
    manager.SetSkinName(L"T");
    ASSERT_GE(manager.GetSkinIndex(L"EDIT"), 0);
    form.SetColor(TColor(0xFFFFFF));
    form.SetClientSize(300, 200);
  }
  void TearDown() override { SetSkinPlatform(nullptr); }
  template <typename C = TProbe>
  C* Add(TWinControl* parent, int coc, TRect bounds, const wchar_t* section = nullptr) {
    auto* c = new C(&form, coc);
    c->SetParent(parent);
    c->SetBounds(bounds.Left, bounds.Top, bounds.Right - bounds.Left, bounds.Bottom - bounds.Top);
    if (section) c->SkinData().SetSkinSection(section);
    c->Loaded();
    return c;
  }
};

}  // namespace

// The kind code picks the section when none is stored; names are kept upper-case, and setting
// the same section again does not repaint a second time.
TEST_F(CommonData, DefaultSectionAndItsSetter) {
  TProbe* edit = Add(&form, 3, {0, 0, 100, 20});
  form.Show();
  EXPECT_EQ(edit->SkinData().SkinSection(), L"EDIT");
  EXPECT_EQ(edit->SkinData().SkinIndex, manager.GetSkinIndex(L"EDIT"));
  edit->codes.clear();
  edit->SkinData().SetSkinSection(L"Edit");
  EXPECT_EQ(edit->Count(SKIN_REFRESH), 0);
  edit->SkinData().SetSkinSection(L"button");
  EXPECT_EQ(edit->SkinData().SkinSection(), L"BUTTON");
  edit->SkinData().SetSkinSection(L"BUTTON");
  EXPECT_EQ(edit->Count(SKIN_REFRESH), 1);
}

// Removing the skin (command 2) forgets the indexes and makes painting wait; loading it again
// (command 1) resolves the section anew.
TEST_F(CommonData, SkinRemovedAndLoaded) {
  TProbe* edit = Add(&form, 3, {0, 0, 100, 20});
  form.Show();
  manager.SetActive(false);
  EXPECT_GE(edit->Count(SKIN_UNLOADED), 1);
  EXPECT_EQ(edit->SkinData().SkinIndex, -1);
  EXPECT_TRUE(edit->SkinData().FUpdating);
  manager.SetActive(true);
  EXPECT_GE(edit->Count(SKIN_LOADED), 1);
  EXPECT_EQ(edit->SkinData().SkinIndex, manager.GetSkinIndex(L"EDIT"));
}

// A control inside a fully transparent container is answered by the container's parent, with
// the container's position in the offsets.
TEST_F(CommonData, QueryThroughATransparentContainer) {
  TProbe* panel = Add(&form, 51, {10, 20, 110, 120});
  form.Show();
  TProbe* child = Add(panel, 3, {5, 5, 50, 25});
  ASSERT_EQ(panel->SkinData().SkinSection(), L"PANEL");
  EXPECT_TRUE(SendSkinCommand(*panel, SKIN_SKINSTATE) & ssTransparentForChildren);
  const TCacheInfo bg = GetControlBackground(child->SkinData());
  EXPECT_EQ(bg.X, 10);
  EXPECT_EQ(bg.Y, 20);
  EXPECT_FALSE(bg.Ready);
  EXPECT_EQ(bg.FillColor, manager.GetGlobalColor());
}

// A skinned control answering with its picture keeps the offsets the query arrives with: a
// transparent container on the way has added its own position to them.
TEST_F(CommonData, AnAnswerKeepsTheOffsetsItArrivesWith) {
  for (const wchar_t* section : {L"GRAD", L"SEMI"}) {
    SCOPED_TRACE(testing::Message() << section);
    auto button = std::make_unique<TsButton>(&form);
    button->SetParent(&form);
    button->SetBounds(0, 0, 120, 40);
    button->SkinData().SetSkinSection(section);
    button->Loaded();
    form.Show();
    SendSkinCommand(*button, SKIN_PREPARECACHE);
    TsBackgroundQuery q;
    q.X = 10;
    q.Y = 20;
    AnswerBackgroundQuery(button->SkinData(), q);
    EXPECT_EQ(q.Answer, qaBitmap);
    EXPECT_EQ(q.X, 10);
    EXPECT_EQ(q.Y, 20);
  }
}

// A parent whose picture is not ready answers "not yet"; the child waits and paints when the
// parent says its background is done (command 6).
TEST_F(CommonData, EmptyParentCacheMakesTheChildWait) {
  TProbe* parent = Add(&form, 51, {0, 0, 200, 100}, L"GRAD");
  form.Show();
  TProbe* child = Add(parent, 3, {5, 5, 50, 25});
  parent->SkinData().EmptyCache();
  TsBackgroundQuery q;
  QueryParentBackground(q, *parent, false);
  EXPECT_EQ(q.Answer, qaNotReady);
  GetControlBackground(child->SkinData());
  EXPECT_TRUE(child->SkinData().FUpdating);
  SendSkinCommand(*parent, SKIN_UPDATEDONE);
  EXPECT_FALSE(child->SkinData().FUpdating);
  EXPECT_GE(child->Count(SKIN_UPDATEDONE), 1);
}

// The gauge never turns hot: the mouse entering it leaves FMouseAbove clear.
TEST_F(CommonData, GaugeIsNeverHot) {
  auto* gauge = new TsGauge(&form);
  gauge->SetParent(&form);
  gauge->Loaded();
  form.Show();
  ASSERT_TRUE(gauge->SkinData().Skinned());
  gauge->Perform(FN_MOUSEENTER);
  EXPECT_FALSE(gauge->SkinData().FMouseAbove);
}

// An edit takes its section's hot colours with the focus and gives them back when it leaves.
TEST_F(CommonData, FocusSwapsAnEditsColours) {
  auto* edit = new TsMaskEdit(&form);
  edit->SetParent(&form);
  edit->SetBounds(0, 0, 100, 20);
  edit->SetTabStop(true);
  edit->Loaded();
  auto* other = new TEdit(&form);
  other->SetParent(&form);
  other->SetBounds(0, 40, 100, 20);
  form.Show();
  other->SetFocus();
  EXPECT_FALSE(edit->SkinData().FFocused);
  EXPECT_EQ(edit->Color(), TColor(255));
  edit->SetFocus();
  EXPECT_TRUE(edit->SkinData().FFocused);
  EXPECT_EQ(edit->Color(), TColor(65280));
  EXPECT_EQ(edit->Font().Color(), TColor(16711680));
  other->SetFocus();
  EXPECT_EQ(edit->Color(), TColor(255));
  EXPECT_EQ(edit->Font().Color(), TColor(0));
}

// The colour seen at a half transparent black control over white is 49 per channel; one more
// inside it sees 9. Each asks its parent with its own locals, so nesting cannot mix them up.
TEST_F(CommonData, SeenColourOfNestedHalfTransparentControls) {
  TProbe* outer = Add(&form, 51, {0, 0, 200, 100}, L"SEMI");
  form.Show();
  TProbe* inner = Add(outer, 51, {10, 10, 100, 50}, L"SEMI");
  EXPECT_EQ(SendSkinCommand(*outer, SKIN_GETBGCOLOR), 0x313131);
  EXPECT_EQ(SendSkinCommand(*inner, SKIN_GETBGCOLOR), 0x090909);
}

// A skin command carrying a pointer is ignored when it does not come from our own sends: sent
// or posted from another thread with a bogus address, it answers 0 and changes nothing.
TEST_F(CommonData, ForeignPointerCommandsAreIgnored) {
  TProbe* edit = Add(&form, 3, {0, 0, 100, 20});
  form.Show();
  HWND wnd = edit->Handle();
  LRESULT sent = -1;
  std::atomic<bool> done{false};
  std::thread foreign([&] {
    sent = SendMessageW(wnd, SM_SKINCOMMAND, SkinCommandWParam(SKIN_SETSECTION), 0x10);
    PostMessageW(wnd, SM_SKINCOMMAND, SkinCommandWParam(SKIN_SETSECTION), 0x10);
    PostMessageW(wnd, SM_SKINCOMMAND, SkinCommandWParam(SKIN_GETBOUNDS), 0x10);
    done = true;
  });
  // The other thread's send is delivered while this one waits for it.
  while (!done) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(5);
  }
  foreign.join();
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  EXPECT_EQ(sent, 0);
  EXPECT_EQ(edit->SkinData().SkinSection(), L"EDIT");
  // Our own send of the same command works.
  EXPECT_EQ(SendSkinCommand(*edit, SKIN_SETSECTION, reinterpret_cast<LPARAM>(L"BUTTON")), 1);
  EXPECT_EQ(edit->SkinData().SkinSection(), L"BUTTON");
}

// A control that goes away stops being the manager's active control: the next one entered is
// told it became active, and nobody is told of a deactivation.
TEST_F(CommonData, ActiveControlDoesNotOutliveItsControl) {
  TProbe* first = Add(&form, 3, {0, 0, 100, 20});
  TProbe* second = Add(&form, 3, {0, 40, 100, 20});
  form.Show();
  first->Perform(FN_MOUSEENTER);
  EXPECT_EQ(manager.ActiveControl(), first->Handle());
  delete first;
  EXPECT_EQ(manager.ActiveControl(), nullptr);
  second->codes.clear();
  second->Perform(FN_MOUSEENTER);
  EXPECT_EQ(manager.ActiveControl(), second->Handle());
  EXPECT_EQ(second->Count(SKIN_ACTIVATED), 1);
  EXPECT_EQ(second->Count(SKIN_DEACTIVATED), 0);
}

// Text over a transparent standard section takes its colour from the parent's section when that
// one gives its font, and keeps its own otherwise; disabled unskinned text ends in the shadow
// colour of the embossed look. (The colour the text was drawn in is read back from the canvas:
// glyph pixels differ between systems.)
TEST_F(CommonData, TextColourFromTheSectionThatGivesItsFont) {
  TProbe* giver = Add(&form, 51, {0, 0, 150, 60}, L"GIVER");
  TProbe* keeper = Add(&form, 51, {150, 0, 300, 60}, L"KEEPER");
  form.Show();
  TProbe* inGiver = Add(giver, 32, {5, 5, 100, 25});
  TProbe* inKeeper = Add(keeper, 32, {5, 5, 100, 25});
  ASSERT_EQ(inGiver->SkinData().SkinSection(), L"CHECKBOX");
  TBitmap picture(100, 20);
  TCanvas canvas(picture.DC());
  DrawSkinText(canvas, L"Ab", true, false, inGiver->SkinData(), DT_LEFT, {0, 0, 100, 20});
  EXPECT_EQ(canvas.Font.Color(), TColor(4210752));
  DrawSkinText(canvas, L"Ab", true, false, inKeeper->SkinData(), DT_LEFT, {0, 0, 100, 20});
  EXPECT_EQ(canvas.Font.Color(), TColor(255));
  inKeeper->SkinData().SetCustomFont(true);
  DrawSkinText(canvas, L"Ab", false, false, inKeeper->SkinData(), DT_LEFT, {0, 0, 100, 20});
  EXPECT_EQ(canvas.Font.Color(), clBtnShadow);
}
