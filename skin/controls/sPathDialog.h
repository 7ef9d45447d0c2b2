// The folder dialog of the directory edit: a skinned, sizeable form around the shell folder tree,
// with OK, Cancel and Create, read from its stored layout ("TPATHDIALOGFORM") with its texts from
// the program's string table.
#pragma once
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/Form.h"
#include "framework/ImageList.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sScrollBox.h"
#include "skin/controls/sShellCtrls.h"
#include "skin/controls/sSpeedButton.h"

class TsDirectoryEdit;

class TPathDialogForm : public TForm {
 public:
  // owner: the form the dialog is shown over (null: none).
  explicit TPathDialogForm(TComponent* owner);

  TsShellTreeView* sShellTreeView1 = nullptr;
  TsButton* sBitBtn1 = nullptr;  // OK
  TsButton* sBitBtn2 = nullptr;  // Cancel
  TsButton* sBitBtn3 = nullptr;  // Create
  TsScrollBox* sScrollBox1 = nullptr;
  TsLabel* sLabel1 = nullptr;

  // Failures are told through this (text, caption); tests replace it.
  std::function<void(const std::wstring& text, const std::wstring& caption)> ShowError;

  // The selection changed: OK and Create are enabled exactly when it is an existing folder.
  void sShellTreeView1Change(TObject* sender);
  // OK ends a name being edited instead of closing; Cancel then keeps the dialog open.
  void sBitBtn1Click(TObject* sender);
  void sBitBtn2Click(TObject* sender);
  // Makes "New folder<i>" in the selected folder, selects it and starts editing its name.
  void sBitBtn3Click(TObject* sender);
  // The client area may not be made smaller than this (the size it was designed at).
  void KeepClientAtLeast(int width, int height);
  // Shows the scroll box beside the tree with a button for each of the desktop, My Computer, the
  // documents and the network, in that order, with the shell's names and icons; a click roots the
  // tree there. The tree, OK and Cancel move right and the form widens to make room. Once.
  void ShowRootButtons();
  const std::vector<TsSpeedButton*>& RootButtons() const { return rootButtons_; }

 protected:
  void LayoutRead() override;

 private:
  bool Editing() const;

  std::unique_ptr<TImageList> rootImages_;
  std::vector<TsSpeedButton*> rootButtons_;  // owned by the form
};

// The directory edit's dialog from the text's folder (path, in-out): captions, the Create button
// by the edit's options, the tree's caption and root, and the folder selected when it exists.
// Returns whether the user chose OK; path is then the chosen folder.
bool RunPathDialog(TsDirectoryEdit& edit, std::wstring& path);
