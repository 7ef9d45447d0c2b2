// The folder dialog shown modally, driven from inside its loop by a thread timer, on a scratch
// tree under C:\: OK and Create follow the selection, OK gives the selected folder, Create makes
// "New folder1" then "New folder2" and starts editing the name, a failed creation is told and the
// dialog stays open, Escape and the close button cancel.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <functional>

#include "../paint/PumpUtil.h"
#include "skin/controls/sPathDialog.h"
#include "skin/controls/sToolEdit.h"

namespace {

namespace fs = std::filesystem;
const fs::path kScratch = L"C:\\pathdialog-scratch";

// Steps run one per timer tick inside the modal loop; once they are done, the dialog is closed
// (a step that should have ended it and did not fails its test, not the run).
std::deque<std::function<void()>> steps;
HWND running = nullptr;
void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
  if (steps.empty()) {
    if (running) PostMessageW(running, WM_CLOSE, 0, 0);
    return;
  }
  auto step = std::move(steps.front());
  steps.pop_front();
  step();
}

class PathDialog : public ::testing::Test {
 protected:
  TComApartment com;
  std::unique_ptr<TPathDialogForm> dialog;
  std::vector<std::wstring> errors;
  UINT_PTR timer = 0;

  void SetUp() override {
    fs::remove_all(kScratch);
    fs::create_directories(kScratch / L"a");
    dialog = std::make_unique<TPathDialogForm>(nullptr);
    dialog->ShowError = [this](const std::wstring& text, const std::wstring& caption) {
      errors.push_back(caption + L": " + text);
    };
    dialog->sShellTreeView1->SetRoot(kScratch.wstring());
    dialog->HandleNeeded();
    dialog->sShellTreeView1Change(nullptr);
    timer = SetTimer(nullptr, 0, 60, Tick);
  }
  void TearDown() override {
    KillTimer(nullptr, timer);
    steps.clear();
    dialog.reset();
    fs::remove_all(kScratch);
  }
  TsShellTreeView& Tree() { return *dialog->sShellTreeView1; }
  TModalResult Run(std::initializer_list<std::function<void()>> s) {
    steps.assign(s.begin(), s.end());
    running = dialog->Handle();
    const TModalResult r = dialog->ShowModal();
    running = nullptr;
    return r;
  }
};

// Nothing selected: OK and Create are off; a folder selected turns both on, and OK gives it.
TEST_F(PathDialog, OkFollowsTheSelectionAndGivesThePath) {
  bool offAtFirst = false, onWithFolder = false;
  const TModalResult r = Run({
      [&] { offAtFirst = !dialog->sBitBtn1->Enabled() && !dialog->sBitBtn3->Enabled(); },
      [&] {
        Tree().SetPath((kScratch / L"a").wstring());
        onWithFolder = dialog->sBitBtn1->Enabled() && dialog->sBitBtn3->Enabled();
      },
      [&] { dialog->sBitBtn1->Click(); },
  });
  EXPECT_TRUE(offAtFirst);
  EXPECT_TRUE(onWithFolder);
  EXPECT_EQ(r, mrOk);
  EXPECT_EQ(_wcsicmp(Tree().Path().c_str(), (kScratch / L"a").c_str()), 0);
}

// Create twice under one folder (selected again between): "New folder1", then "New folder2",
// each selected with its name being edited; ending an edit with OK keeps the dialog open. Under a
// folder deleted meanwhile: the error, and the dialog stays.
TEST_F(PathDialog, CreateNamesFoldersInTurnAndReportsFailure) {
  std::vector<std::wstring> created;
  bool editing = false, stillOpen = false;
  auto create = [&] {
    Tree().SetPath((kScratch / L"a").wstring());
    dialog->sBitBtn3->Click();
    created.push_back(Tree().Path());
    editing = SendMessageW(Tree().Handle(), TVM_GETEDITCONTROL, 0, 0) != 0;
  };
  const TModalResult r = Run({
      create,
      [&] { dialog->sBitBtn1->Click(); },  // ends the edit, the dialog stays
      create,
      [&] {
        stillOpen = IsWindowVisible(dialog->Handle()) != FALSE;
        SendMessageW(Tree().Handle(), TVM_ENDEDITLABELNOW, TRUE, 0);
        Tree().SetPath((kScratch / L"a").wstring());
        fs::remove_all(kScratch / L"a");
        dialog->sBitBtn3->Click();
      },
      [&] { PostMessageW(dialog->Handle(), WM_CLOSE, 0, 0); },
  });
  ASSERT_EQ(created.size(), 2u);
  EXPECT_EQ(_wcsicmp(created[0].c_str(), (kScratch / L"a\\New folder1").c_str()), 0) << created[0];
  EXPECT_EQ(_wcsicmp(created[1].c_str(), (kScratch / L"a\\New folder2").c_str()), 0) << created[1];
  EXPECT_TRUE(editing);
  EXPECT_TRUE(stillOpen);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0].rfind(L"Error: Directory " + (kScratch / L"a\\New folder1").wstring() + L" can`t be created!", 0), 0u)
      << errors[0];
  EXPECT_EQ(r, mrCancel);
}

// The root buttons: four from the top of the scroll box, named, each taller than its icon with
// the margins; the tree, OK and Cancel moved right beside the box, the form wider. The second
// (My Computer) roots the tree there, which leaves nothing selected.
TEST_F(PathDialog, RootButtonsRootTheTree) {
  const TRect tree0 = Tree().BoundsRect(), ok0 = dialog->sBitBtn1->BoundsRect();
  const int client0 = dialog->ClientWidth();
  dialog->ShowRootButtons();
  const int shift = dialog->sScrollBox1->Width() + 4;
  EXPECT_TRUE(dialog->sScrollBox1->Visible());
  EXPECT_EQ(Tree().BoundsRect(), (TRect{tree0.Left + shift, tree0.Top, tree0.Right + shift, tree0.Bottom}));
  EXPECT_EQ(dialog->sBitBtn1->Left(), ok0.Left + shift);
  EXPECT_EQ(dialog->ClientWidth(), client0 + shift + GetSystemMetrics(SM_CXSIZEFRAME));
  const auto& buttons = dialog->RootButtons();
  ASSERT_EQ(buttons.size(), 4u);
  int top = 0;
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_FALSE(buttons[i]->Caption().empty()) << i;
    EXPECT_EQ(buttons[i]->Top(), top) << i;
    EXPECT_GT(buttons[i]->Height(), GetSystemMetrics(SM_CYICON) + 10 + buttons[i]->Spacing()) << i;
    top += buttons[i]->Height();
  }
  std::wstring root;
  bool okOff = false;
  Run({[&] {
    Tree().SetPath((kScratch / L"a").wstring());
    buttons[1]->Click();
    root = Tree().Root();
    okOff = !dialog->sBitBtn1->Enabled() && Tree().Path().empty();
  }});
  EXPECT_EQ(root, L"rfMyComputer");
  EXPECT_TRUE(okOff);
}

// Escape cancels, as the close button does.
TEST_F(PathDialog, EscapeCancels) {
  const TModalResult r = Run({[&] {
    SetFocus(Tree().Handle());
    keybd_event(VK_ESCAPE, 0, 0, 0);
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
  }});
  EXPECT_EQ(r, mrCancel);
}

}  // namespace

namespace {

// The directory edit's button action with the real dialog, from outside the edit: an existing
// folder in the text opens the dialog on it and becomes the current folder unless NoChangeDir.
// OK gives OnAfterDialog that folder with Action true, InitialDir takes it, and the text becomes
// what OnAfterDialog made of it; Cancel gives Action false with the text, which stays, without a
// change notice.
struct DialogCase {
  const char* name;
  bool showButton, noChangeDir, ok;
};
class DirectoryEditDialog : public ::testing::TestWithParam<DialogCase> {};

TEST_P(DirectoryEditDialog, RunsFromTheEditsText) {
  const DialogCase& c = GetParam();
  TComApartment com;
  fs::remove_all(kScratch);
  fs::create_directories(kScratch / L"a");
  const std::wstring folder = (kScratch / L"a").wstring();
  wchar_t before[MAX_PATH]{};
  GetCurrentDirectoryW(MAX_PATH, before);
  TForm form{nullptr};
  form.SetBounds(40, 40, 300, 120);
  auto* edit = new TsDirectoryEdit(&form);
  edit->SetParent(&form);
  edit->SetBounds(10, 10, 250, 21);
  edit->SetShowButton(c.showButton);
  edit->SetNoChangeDir(c.noChangeDir);
  edit->SetText(folder);
  int changes = 0;
  edit->OnChange = [&](TObject*) { ++changes; };
  std::wstring got;
  bool gotAction = !c.ok;
  edit->OnAfterDialog = [&](TObject*, std::wstring& name, bool& action) {
    got = name;
    gotAction = action;
    name += L"\\Prismatone";
  };
  form.Show();
  pumptest::PumpPending();
  std::wstring selected, current;
  const UINT_PTR timer = SetTimer(nullptr, 0, 60, Tick);
  std::function<void()> step;
  step = [&] {
    auto* dialog = dynamic_cast<TPathDialogForm*>(TWinControl::FromHandle(GetActiveWindow()));
    if (!dialog) {
      steps.push_back(step);  // not up yet: the next tick looks again
      return;
    }
    running = dialog->Handle();
    selected = dialog->sShellTreeView1->Path();
    wchar_t cwd[MAX_PATH]{};
    GetCurrentDirectoryW(MAX_PATH, cwd);
    current = cwd;
    (c.ok ? dialog->sBitBtn1 : dialog->sBitBtn2)->Click();
  };
  steps.assign({step});
  edit->ButtonAction();
  KillTimer(nullptr, timer);
  running = nullptr;
  SetCurrentDirectoryW(before);
  EXPECT_EQ(_wcsicmp(selected.c_str(), folder.c_str()), 0) << selected;
  EXPECT_EQ(_wcsicmp(current.c_str(), c.noChangeDir ? before : folder.c_str()), 0) << current;
  EXPECT_EQ(gotAction, c.ok);
  EXPECT_EQ(_wcsicmp(got.c_str(), folder.c_str()), 0) << got;
  if (c.ok) {
    EXPECT_EQ(_wcsicmp(edit->InitialDir().c_str(), folder.c_str()), 0);
    EXPECT_EQ(edit->GetText(), got + L"\\Prismatone");
  } else {
    EXPECT_EQ(edit->InitialDir(), L"");
    EXPECT_EQ(edit->GetText(), folder);
    EXPECT_EQ(changes, 0);
  }
  form.Hide();
  fs::remove_all(kScratch);
}

INSTANTIATE_TEST_SUITE_P(Cases, DirectoryEditDialog,
                         ::testing::Values(DialogCase{"Ok", true, false, true},
                                           DialogCase{"OkWithoutButtonNorFolderChange", false, true, true},
                                           DialogCase{"Cancel", true, false, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
