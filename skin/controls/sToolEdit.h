// The file edit that takes names dropped from the shell, and the directory edit whose button
// opens a folder dialog.
#pragma once
#include <functional>

#include "skin/controls/sCustomComboEdit.h"

// Sender, the chosen path (in-out) and whether the user confirmed (in-out).
using TDialogEvent = std::function<void(TObject* sender, std::wstring& name, bool& action)>;

class TsFileDirEdit : public TsCustomComboEdit {
 public:
  explicit TsFileDirEdit(TComponent* owner, int coc = 132);
  // Registers the window as a target of files dropped from the shell (again when it is made anew).
  bool AcceptFiles() const { return FAcceptFiles; }
  void SetAcceptFiles(bool v);
  // Dropped names are appended after ";" instead of replacing the text.
  bool MultipleDirs() const { return FMultipleDirs; }
  void SetMultipleDirs(bool v) { FMultipleDirs = v; }
  TNotifyEvent OnDropFiles;
  TDialogEvent OnBeforeDialog;
  TDialogEvent OnAfterDialog;
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;
  void WndProc(TMessage& m) override;

 protected:
  void CreateWindowHandle(const TCreateParams& params) override;

 private:
  // drop: the shell's HDROP, released here.
  void DropFiles(void* drop);

  bool FAcceptFiles = false;
  bool FMultipleDirs = false;
};

// What the folder dialog may do: offer to create a folder, create it, ask first.
enum TsDirOption : unsigned { sdAllowCreate = 1, sdPerformCreate = 2, sdPrompt = 4 };

class TsDirectoryEdit : public TsFileDirEdit {
 public:
  explicit TsDirectoryEdit(TComponent* owner);
  unsigned DialogOptions() const { return FOptions; }
  void SetDialogOptions(unsigned v) { FOptions = v; }
  const std::wstring& InitialDir() const { return FInitialDir; }
  void SetInitialDir(const std::wstring& v) { FInitialDir = v; }
  const std::wstring& DialogText() const { return FDialogText; }
  const std::wstring& Root() const { return FRoot; }
  // The dialog's start leaves the process's current directory alone.
  bool NoChangeDir() const { return FNoChangeDir; }
  void SetNoChangeDir(bool v) { FNoChangeDir = v; }
  bool ShowRootBtns() const { return FShowRootBtns; }
  void SetShowRootBtns(bool v) { FShowRootBtns = v; }
  // Opens the folder dialog on the current text (a folder that does not exist offers nothing);
  // when it closes, OnAfterDialog may change the chosen path, which becomes the text when the
  // choice stands. Cancelling leaves the text as it was.
  void ButtonAction() override;
  // The dialog itself; tests replace it. Returns whether the user confirmed; path in-out.
  std::function<bool(std::wstring& path)> RunDialog;
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

 private:
  unsigned FOptions = sdAllowCreate | sdPerformCreate | sdPrompt;
  std::wstring FInitialDir;
  std::wstring FDialogText;
  std::wstring FRoot = L"rfDesktop";
  bool FNoChangeDir = false;
  bool FShowRootBtns = false;
};
