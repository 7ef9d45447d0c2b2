// The skinned shell folder tree: the folders of the system's namespace under a root, with the
// system's names and icons, enumerated when a node is first opened; hidden folders included. The
// selected folder's path is read and written as text; a node's name can be edited, which renames
// the folder. Skinned with the section "EDIT": its colours, its frame and scroll bars, and the
// skin's selection colours; a caption label can sit above it.
#pragma once
#include <shlobj.h>

#include <memory>
#include <string>

#include "framework/TreeView.h"
#include "imaging/Bitmap32.h"
#include "skin/controls/sBoundLabel.h"
#include "skin/frame/sSBUtils.h"
#include "skin/paint/sSkinnedControl.h"

class TsCustomShellTreeView : public TsSkinnedControl<TTreeView, TsScrollWndData> {
 public:
  explicit TsCustomShellTreeView(TComponent* owner);
  ~TsCustomShellTreeView() override;

  TsBoundLabel& BoundLabel() { return boundLabel_; }
  // A root folder's name or a folder's path. Another value (compared without regard to letter
  // case) builds the tree anew.
  const std::wstring& Root() const { return root_; }
  void SetRoot(const std::wstring& value);
  // The selected folder's file-system path; empty when nothing, or a folder outside the file
  // system, is selected. Writing it selects that folder, opening the nodes above it; a folder
  // outside the root leaves nothing selected. A text the shell cannot parse raises
  // "Error Setting Path".
  std::wstring Path() const;
  void SetPath(const std::wstring& value);
  // Enumerates the node's children anew (the root's for null).
  void Refresh(HTREEITEM node);
  // The node whose folder has this full item id list, searched among the nodes already made.
  HTREEITEM FindNode(PCIDLIST_ABSOLUTE folder) const;
  // The folder of a node: its absolute item id list (owned by the node), null for none.
  PCIDLIST_ABSOLUTE NodeFolder(HTREEITEM node) const;
  // Wrong names and folders that will not be renamed are told to the user through this; tests
  // replace it.
  std::function<void(const std::wstring& text)> ShowError;

  bool SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) override;
  void WndProc(TMessage& m) override;
  void Loaded() override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void DestroyWnd() override;
  void Notify(const NMHDR& header, TMessage& m) override;

 private:
  struct TNode;
  static constexpr int kUnknown = -2;
  void Rebuild();
  // A node for folder (owned by the node from now on) under parent.
  HTREEITEM AddNode(HTREEITEM parent, PIDLIST_ABSOLUTE folder, const std::wstring& name);
  // What the tree asks of a node when it first shows it: its icons, whether it has subfolders.
  void NodeLook(NMTVDISPINFOW& info);
  // Adds the children of node once (and again after Refresh); false when the folder cannot be
  // listed, which takes the node's expand button away.
  bool Enumerate(HTREEITEM node);
  // The node of a folder under the root, opening the nodes above it; null outside the root.
  HTREEITEM WalkTo(PCIDLIST_ABSOLUTE target);
  // Selects node (none for null) as the program, which the tree does not hold back.
  void SelectNode(HTREEITEM node);
  void Expanding(const NMTREEVIEWW& info, TMessage& m);
  void EndEdit(const NMTVDISPINFOW& info, TMessage& m);
  void CustomDraw(NMTVCUSTOMDRAW& draw, TMessage& m);
  TNode* NodeOf(HTREEITEM node) const;
  void RefreshScrolls();

  TsBoundLabel boundLabel_;
  std::wstring root_ = L"rfDesktop";
  std::wstring pendingPath_;  // a path set before the window exists
  std::shared_ptr<TsEditWnd> ListSW_;
  bool editing_ = false;  // a node's name is being edited
  bool ownSelect_ = false;  // the program selects a node
};

class TsShellTreeView : public TsCustomShellTreeView {
 public:
  using TsCustomShellTreeView::TsCustomShellTreeView;
};

// How a root folder shows on a button: the shell's display name of the special folder and its
// icon from the system's image list, iconSize square with straight alpha (empty when the shell
// gives none). Names of no root folder stand for the desktop.
struct TRootFolderLook {
  std::wstring Name;
  TBitmap32 Icon;
};
TRootFolderLook RootFolderLook(const std::wstring& rootName, int iconSize);
