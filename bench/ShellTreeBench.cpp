// The shell tree's expansion of a folder with 2,000 subfolders (names, icons, attributes through
// the shell, nodes made and sorted), beside listing the same folder with FindFirstFileW, in the
// same run. Prints both and the ratio (target: at most 10). Runs under Wine.
#include <windows.h>

#include <cstdio>
#include <string>

#include "WineBench.h"
#include "framework/Form.h"
#include "skin/controls/sShellCtrls.h"

namespace {

const std::wstring kFolder = L"C:\\shelltree-bench";
constexpr int kCount = 2000;

int ListPlainly() {
  WIN32_FIND_DATAW f;
  int n = 0;
  HANDLE h = FindFirstFileW((kFolder + L"\\*").c_str(), &f);
  if (h == INVALID_HANDLE_VALUE) return 0;
  do {
    if ((f.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && f.cFileName[0] != L'.') ++n;
  } while (FindNextFileW(h, &f));
  FindClose(h);
  return n;
}

}  // namespace

int main() {
  TComApartment com;
  CreateDirectoryW(kFolder.c_str(), nullptr);
  for (int i = 0; i < kCount; ++i) CreateDirectoryW((kFolder + L"\\folder " + std::to_wstring(i)).c_str(), nullptr);
  TForm form{nullptr};
  form.SetBounds(0, 0, 400, 400);
  auto* tree = new TsShellTreeView(&form);
  tree->SetParent(&form);
  tree->SetBounds(0, 0, 380, 380);
  tree->Loaded();
  form.Show();
  winbench::Pump();
  int listed = 0;
  const double plain = winbench::Time(1, [&] { listed = ListPlainly(); });
  int nodes = 0;
  const double expand = winbench::Time(1, [&] {
    tree->SetRoot(L"C:\\");  // another root: the tree is built anew, nothing listed yet
    tree->SetRoot(kFolder);
    nodes = 0;
    HWND w = tree->Handle();
    auto top = HTREEITEM(SendMessageW(w, TVM_GETNEXTITEM, TVGN_ROOT, 0));
    for (auto c = HTREEITEM(SendMessageW(w, TVM_GETNEXTITEM, TVGN_CHILD, LPARAM(top))); c;
         c = HTREEITEM(SendMessageW(w, TVM_GETNEXTITEM, TVGN_NEXT, LPARAM(c))))
      ++nodes;
  });
  std::printf("expanding %d subfolders: %.1f ms; FindFirstFileW listing %d: %.1f ms; ratio %.1f (target <= 10)\n", nodes,
              expand / 1000, listed, plain / 1000, expand / plain);
  form.Hide();
  delete tree;
  for (int i = 0; i < kCount; ++i) RemoveDirectoryW((kFolder + L"\\folder " + std::to_wstring(i)).c_str());
  RemoveDirectoryW(kFolder.c_str());
  return nodes == kCount ? 0 : 1;
}
