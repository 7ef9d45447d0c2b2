// Modal forms in real windows (a thread timer runs each case's steps from inside the modal loop);
// anchors, size constraints and the scroll box.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "framework/Application.h"
#include "framework/Buttons.h"
#include "framework/Edits.h"
#include "framework/Form.h"
#include "framework/ScrollBox.h"

namespace {

// Read from a stored layout: the cases rely on what the reader gives it.
constexpr char kDialogLayout[] = R"(object Dialog: TDialog
  ClientWidth = 300
  ClientHeight = 200
  Constraints.MinWidth = 320
  Constraints.MinHeight = 240
  object Ok: TButton
    Default = True
    ModalResult = mrOk
    Anchors = [akRight, akBottom]
  end
  object Quit: TButton
    Left = 80
    Cancel = True
    ModalResult = 7
  end
end)";

struct TDialog : TForm {
  explicit TDialog(TComponent* owner) : TForm(owner) {
    TClassRegistry classes;
    classes.Register<TButton>("TButton");
    ReadLayoutText(kDialogLayout, classes);
    ok = static_cast<TButton*>(Components(0));
  }
  TButton* ok;
};

// Runs one step per tick, from inside whatever loop is pumping.
std::vector<std::function<void()>> gSteps;
void CALLBACK RunStep(HWND, UINT, UINT_PTR, DWORD) {
  if (gSteps.empty()) return;
  auto step = gSteps.front();
  gSteps.erase(gSteps.begin());
  step();
}
struct TStepTimer {
  explicit TStepTimer(std::vector<std::function<void()>> steps) { gSteps = std::move(steps); }
  ~TStepTimer() { KillTimer(nullptr, id); }
  UINT_PTR id = SetTimer(nullptr, 0, 20, RunStep);
};

TEST(ModalForm, EndsWithTheResultOfEachWayAndGivesTheOwnerBack) {
  TApplication app;
  TForm owner(nullptr);
  owner.SetClientSize(200, 100);
  TButton other(&owner);
  other.SetParent(&owner);
  owner.Show();
  ASSERT_EQ(GetActiveWindow(), owner.Handle());

  TDialog dialog(nullptr);
  HWND dlg = dialog.Handle();  // made before ShowModal: it is given its owner then
  struct Row {
    const char* name;
    std::function<void()> action;
    TModalResult result;
    bool quits;
  } rows[] = {
      {"OK clicked", [&] { SendMessageW(dialog.ok->Handle(), BM_CLICK, 0, 0); }, mrOk, false},
      {"Enter", [&] { PostMessageW(dlg, WM_KEYDOWN, VK_RETURN, 1); }, mrOk, false},
      {"Escape", [&] { PostMessageW(dlg, WM_KEYDOWN, VK_ESCAPE, 1); }, mrNo, false},
      {"closed", [&] { PostMessageW(dlg, WM_CLOSE, 0, 0); }, mrCancel, false},
      {"quit", [&] { PostQuitMessage(42); }, mrCancel, true},
  };
  for (const Row& row : rows) {
    bool ownerDisabled = false, owned = false;
    TStepTimer timer({[&] {
                        ownerDisabled = !IsWindowEnabled(owner.Handle());
                        owned = GetWindow(dlg, GW_OWNER) == owner.Handle();
                        row.action();
                      },
                      [&] { dialog.SetModalResult(-1); }});  // the action did not end it
    EXPECT_EQ(dialog.ShowModal(), row.result) << row.name;
    EXPECT_TRUE(ownerDisabled) << row.name;
    EXPECT_TRUE(owned) << row.name;
    EXPECT_TRUE(IsWindowEnabled(owner.Handle())) << row.name;
    EXPECT_EQ(GetActiveWindow(), owner.Handle()) << row.name;
    EXPECT_EQ(GetFocus(), other.Handle()) << row.name;
    EXPECT_FALSE(IsWindowVisible(dlg)) << row.name;
    EXPECT_EQ(dialog.ModalResult(), mrNone) << row.name;
    MSG msg;
    EXPECT_EQ(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && msg.wParam == 42, row.quits) << row.name;
  }
}

// OnClick runs after the button gave its result, so it can keep the dialog open; OnClose can too.
TEST(ModalForm, HandlersCanKeepItOpen) {
  TApplication app;
  TDialog dialog(nullptr);
  int clicks = 0, closes = 0;
  dialog.ok->OnClick = [&](TObject*) {
    if (++clicks == 1) dialog.SetModalResult(mrNone);
  };
  dialog.OnClose = [&](TObject*, TCloseAction& action) {
    if (++closes == 1) action = TCloseAction::caNone;
  };
  const auto click = [&] { dialog.ok->Click(); };
  TStepTimer timer({click, click, click, [&] { dialog.SetModalResult(-1); }});
  EXPECT_EQ(dialog.ShowModal(), mrOk);
  EXPECT_EQ(clicks, 3);
  EXPECT_EQ(closes, 2);
}

// What the platform asks the form: the default button, only while it can be pressed (IDOK with
// no control then clicks nothing; IDCANCEL the cancel button); the minimum window size.
TEST(ModalForm, AnswersTheDefaultButtonAndTheMinimumSize) {
  TDialog dialog(nullptr);
  dialog.SetBounds(0, 0, 100, 100);
  EXPECT_EQ(dialog.Width(), 320);
  dialog.Show();
  MINMAXINFO info{};
  SendMessageW(dialog.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMinTrackSize.x, 320);
  EXPECT_EQ(info.ptMinTrackSize.y, 240);
  EXPECT_EQ(SendMessageW(dialog.Handle(), DM_GETDEFID, 0, 0), LRESULT(MAKELONG(dialog.ok->ChildId(), DC_HASDEFID)));
  dialog.ok->SetEnabled(false);
  EXPECT_EQ(SendMessageW(dialog.Handle(), DM_GETDEFID, 0, 0), 0);
  SendMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
  EXPECT_EQ(dialog.ModalResult(), mrNone);
  SendMessageW(dialog.Handle(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(dialog.ModalResult(), mrNo);
}

// Tab moves the focus out of a memo, as out of any control of a dialog, unless it takes tabs.
TEST(DialogKeys, TabLeavesAMemoThatTakesNoTabs) {
  TApplication app;
  TForm form(nullptr);
  TMemo memo(&form);
  memo.SetParent(&form);
  TButton next(&form);
  next.SetParent(&form);
  form.Show();
  for (bool wantTabs : {false, true}) {
    memo.SetWantTabs(wantTabs);
    memo.SetFocus();
    PostMessageW(memo.Handle(), WM_KEYDOWN, VK_TAB, 1);
    app.ProcessMessages();
    EXPECT_EQ(GetFocus(), wantTabs ? memo.Handle() : next.Handle()) << wantTabs;
  }
}

// Children keep their distances to the anchored sides; the distances are those the program set,
// not those a narrower parent squeezed them to. Windowed and windowless children alike.
TEST(Anchors, ChildrenFollowTheAnchoredSides) {
  TForm form(nullptr);
  form.SetBorderStyle(TFormBorderStyle::bsNone);
  form.SetClientSize(200, 100);
  constexpr TAnchors all = akLeft | akRight | akTop | akBottom;
  struct Row {
    TAnchors anchors;
    TAnchorBounds grown;  // from (20, 10, 50, 30) when the client goes from 200 × 100 to 260 × 140
    bool windowless;
  } rows[] = {
      {akLeft | akTop, {20, 10, 50, 30}, false}, {akRight | akTop, {80, 10, 50, 30}, false},
      {all, {20, 10, 110, 70}, false},           {all, {20, 10, 110, 70}, true},
      {akLeft | akBottom, {20, 50, 50, 30}, true}, {akTop, {50, 10, 50, 30}, false},
  };
  std::vector<TControl*> controls;
  for (const Row& r : rows) {
    TControl* c = r.windowless ? static_cast<TControl*>(new TSpeedButton(&form)) : new TButton(&form);
    c->SetParent(&form);
    c->SetBounds(20, 10, 50, 30);
    c->SetAnchors(r.anchors);
    controls.push_back(c);
  }
  form.HandleNeeded();
  form.SetClientSize(260, 140);
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const TAnchorBounds got{controls[i]->Left(), controls[i]->Top(), controls[i]->Width(), controls[i]->Height()};
    EXPECT_EQ(got, rows[i].grown) << i;
  }
  form.SetClientSize(100, 50);  // squeezed to nothing and back
  form.SetClientSize(260, 140);
  EXPECT_EQ(controls[2]->Width(), 110);
  EXPECT_EQ(controls[3]->Height(), 70);
  controls[2]->SetBounds(30, 10, 200, 100);  // the program's new place: measured from here
  form.SetClientSize(240, 150);
  EXPECT_EQ(controls[2]->Width(), 180);
  EXPECT_EQ(controls[2]->Height(), 110);
}

TEST(ScrollBox, ScrollsChildrenThatReachBelow) {
  TForm form(nullptr);
  TScrollBox box(&form);
  box.SetBorderStyle(TScrollBoxBorder::bsNone);
  box.SetParent(&form);
  box.SetBounds(0, 0, 100, 100);
  TButton low(&form);
  low.SetParent(&box);
  low.SetBounds(0, 150, 60, 30);
  const int page = box.ClientRect().Height();
  struct Row {
    UINT code;
    int pos;
  } rows[] = {{SB_LINEDOWN, 8}, {SB_BOTTOM, 180 - page}, {SB_PAGEDOWN, 180 - page}, {SB_LINEUP, 172 - page}, {SB_TOP, 0}};
  for (const Row& r : rows) {
    SendMessageW(box.Handle(), WM_VSCROLL, r.code, 0);
    EXPECT_EQ(box.VertScrollPos(), r.pos) << r.code;
    EXPECT_EQ(low.Top(), 150 - r.pos) << r.code;
    SCROLLINFO si{sizeof(si), SIF_POS | SIF_RANGE, 0, 0, 0, 0, 0};
    GetScrollInfo(box.Handle(), SB_VERT, &si);
    EXPECT_EQ(si.nPos, r.pos) << r.code;
    EXPECT_EQ(si.nMax, 179) << r.code;
  }
}

}  // namespace
