// The edit with a button, and the directory edit whose button opens a folder dialog.
#pragma once
#include <functional>

#include "skin/controls/sMaskEdit.h"

struct TsGlyphMode {
  int Blend = 0;
  bool Grayed = false;
  bool SetProperty(const std::string& name, const TLayoutValue& v) {
    if (name == "Blend") Blend = int(v.AsInteger());
    else if (name == "Grayed") Grayed = v.AsBoolean();
    else return false;
    return true;
  }
};

class TsCustomComboEdit : public TsMaskEdit {
 public:
  explicit TsCustomComboEdit(TComponent* owner, int coc = 138);
  bool ShowButton() const { return showButton_; }
  TsGlyphMode& GlyphMode() { return glyphMode_; }
  TNotifyEvent OnButtonClick;
  // The button's action: only when the edit is not read-only.
  virtual void ButtonAction();
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

 private:
  bool showButton_ = true;
  TsGlyphMode glyphMode_;
};

// Sender, the chosen path (in-out) and whether the user confirmed (in-out).
using TDialogEvent = std::function<void(TObject* sender, std::wstring& name, bool& action)>;

class TsFileDirEdit : public TsCustomComboEdit {
 public:
  explicit TsFileDirEdit(TComponent* owner, int coc = 132);
  TDialogEvent OnBeforeDialog;
  TDialogEvent OnAfterDialog;
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;
};

class TsDirectoryEdit : public TsFileDirEdit {
 public:
  explicit TsDirectoryEdit(TComponent* owner);
  const std::wstring& DialogText() const { return dialogText_; }
  const std::wstring& Root() const { return root_; }
  // Opens the folder dialog on the current text; when it closes, OnAfterDialog may change the
  // chosen path, which becomes the text when the choice stands.
  void ButtonAction() override;
  // The dialog itself; tests replace it. Returns whether the user confirmed; path in-out.
  std::function<bool(std::wstring& path)> RunDialog;
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

 private:
  std::wstring dialogText_;
  std::wstring root_ = L"rfDesktop";
};
