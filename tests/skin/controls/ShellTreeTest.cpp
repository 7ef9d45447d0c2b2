// The shell folder tree on the real namespace, rooted at a scratch folder under C:\ (never the
// whole desktop: under Wine it holds Z:, the Unix root): what it lists, the path read and
// written in the ways users type it, the root's name, and renaming on disk. (Folders deeper than
// 260 characters are not listed here: Wine's shell corrupts its memory on them.)
#include <gtest/gtest.h>

#include <filesystem>

#include "../paint/PumpUtil.h"
#include "framework/Exception.h"
#include "framework/Form.h"
#include "skin/controls/sShellCtrls.h"

namespace {

namespace fs = std::filesystem;
using pumptest::PumpPending;

const fs::path kScratch = L"C:\\shelltree-scratch";

// Removes a folder with everything in it, paths of any length (the library's own removal stops
// at the old 260-character limit here).
void RemoveTree(const std::wstring& dir) {
  const std::wstring whole = L"\\\\?\\" + dir;
  WIN32_FIND_DATAW f;
  HANDLE h = FindFirstFileW((whole + L"\\*").c_str(), &f);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = f.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = dir + L"\\" + name;
      SetFileAttributesW((L"\\\\?\\" + child).c_str(), FILE_ATTRIBUTE_NORMAL);
      if (f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(child);
      else DeleteFileW((L"\\\\?\\" + child).c_str());
    } while (FindNextFileW(h, &f));
    FindClose(h);
  }
  RemoveDirectoryW(whole.c_str());
}

class ShellTree : public ::testing::Test {
 protected:
  TComApartment com;
  TForm form{nullptr};
  TsShellTreeView* tree = nullptr;
  std::vector<std::wstring> errors;

  void SetUp() override {
    RemoveTree(kScratch.wstring());
    for (const wchar_t* d : {L"a\\inner", L"b", L"hidden"}) fs::create_directories(kScratch / d);
    SetFileAttributesW((kScratch / L"hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    form.SetBounds(40, 40, 400, 400);
    tree = new TsShellTreeView(&form);
    tree->SetParent(&form);
    tree->SetBounds(10, 10, 300, 300);
    tree->ShowError = [this](const std::wstring& text) { errors.push_back(text); };
    tree->SetRoot(kScratch.wstring());
    tree->Loaded();
    form.Show();
    PumpPending();
  }
  void TearDown() override {
    form.Hide();
    delete tree;
    RemoveTree(kScratch.wstring());
  }
  std::vector<std::wstring> ChildNames(HTREEITEM node) {
    std::vector<std::wstring> names;
    for (auto c = HTREEITEM(SendMessageW(tree->Handle(), TVM_GETNEXTITEM, TVGN_CHILD, LPARAM(node))); c;
         c = HTREEITEM(SendMessageW(tree->Handle(), TVM_GETNEXTITEM, TVGN_NEXT, LPARAM(c))))
      names.push_back(tree->ItemText(c));
    return names;
  }
  HTREEITEM Top() { return HTREEITEM(SendMessageW(tree->Handle(), TVM_GETNEXTITEM, TVGN_ROOT, 0)); }
};

// The path as users type it opens on the folder; a folder outside the root selects nothing; text
// the shell cannot parse raises.
TEST_F(ShellTree, PathReadAndWritten) {
  const std::wstring inner = (kScratch / L"a\\inner").wstring();
  struct Case {
    std::wstring typed, expected;
  };
  const Case cases[] = {
      {inner, inner},
      {L"c:/SHELLTREE-SCRATCH/a/inner/", inner},  // other case, slashes, a trailing separator
      {(kScratch / L"b").wstring(), (kScratch / L"b").wstring()},
      {L"C:\\windows", L""},  // outside the root
  };
  for (const Case& c : cases) {
    tree->SetPath(c.typed);
    EXPECT_EQ(_wcsicmp(tree->Path().c_str(), c.expected.c_str()), 0) << c.typed << " gave " << tree->Path();
  }
  try {
    tree->SetPath(L"C:\\shelltree-scratch\\missing\\nowhere");
    ADD_FAILURE() << "a missing folder was set";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Error Setting Path");
  }
}

// Another letter case of the same root keeps the tree; another root builds it anew.
TEST_F(ShellTree, RootComparedWithoutCase) {
  HTREEITEM before = Top();
  std::wstring upper = kScratch.wstring();
  for (wchar_t& ch : upper) ch = wchar_t(towupper(ch));
  tree->SetRoot(upper);
  EXPECT_EQ(Top(), before);
  tree->SetRoot((kScratch / L"a").wstring());
  EXPECT_EQ(ChildNames(Top()), std::vector<std::wstring>{L"inner"});
}

// Editing a node's name renames the folder; a name already taken is reported and the old one kept.
// The folders are listed in the shell's order, hidden ones too.
TEST_F(ShellTree, RenameOnDisk) {
  auto rename = [&](const std::wstring& from, const wchar_t* to) {
    tree->SetPath((kScratch / from).wstring());
    auto edit = HWND(SendMessageW(tree->Handle(), TVM_EDITLABELW, 0, LPARAM(tree->Selected())));
    if (!edit) return false;
    SetWindowTextW(edit, to);
    SendMessageW(tree->Handle(), TVM_ENDEDITLABELNOW, FALSE, 0);
    PumpPending();
    return true;
  };
  ASSERT_TRUE(rename(L"b", L"renamed"));
  EXPECT_TRUE(fs::is_directory(kScratch / L"renamed"));
  EXPECT_FALSE(fs::exists(kScratch / L"b"));
  EXPECT_EQ(_wcsicmp(tree->Path().c_str(), (kScratch / L"renamed").c_str()), 0);
  EXPECT_TRUE(errors.empty());

  ASSERT_TRUE(rename(L"renamed", L"a"));
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_TRUE(fs::is_directory(kScratch / L"renamed"));
  EXPECT_EQ(ChildNames(Top()), (std::vector<std::wstring>{L"a", L"hidden", L"renamed"}));
}

}  // namespace
