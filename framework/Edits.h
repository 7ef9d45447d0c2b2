// Text controls over the platform's EDIT and COMBOBOX windows.
#pragma once
#include "framework/StringList.h"
#include "framework/WinControl.h"

// Shared by edits, memos and combo boxes: text and background in the control's own colours.
class TColoredWinControl : public TWinControl {
 public:
  using TWinControl::TWinControl;
  void WndProc(TMessage& msg) override;

 private:
  TUniqueBrush brush_;
  TColor brushColor_ = clNone;
};

class TCustomEdit : public TColoredWinControl {
 public:
  explicit TCustomEdit(TComponent* owner);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int v);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  TNotifyEvent OnChange;
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;

 private:
  int maxLength_ = 0;
  bool readOnly_ = false;
  bool autoSize_ = true;  // stored; the edit keeps the height it is given
};

class TEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
};

// An edit with an input mask; the setup's edits use none, so the mask is stored and not applied.
class TMaskEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
  const std::wstring& EditMask() const { return editMask_; }
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

 private:
  std::wstring editMask_;
};

enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };

class TMemo : public TCustomEdit {
 public:
  explicit TMemo(TComponent* owner);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  // A window that exists is made anew with the bars asked for.
  void SetScrollBars(TScrollStyle value);
  bool WordWrap() const { return wordWrap_; }
  // The lines; read from and written to the window when it exists.
  TStringList Lines() const;
  void SetLines(const TStringList& lines);
  // Appends one line at the end and scrolls it into view.
  void AddLine(const std::wstring& line);
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  TScrollStyle scrollBars_ = TScrollStyle::ssNone;
  bool wordWrap_ = true;
};

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList };

class TComboBox : public TColoredWinControl {
 public:
  explicit TComboBox(TComponent* owner);
  const TStringList& Items() const { return items_; }
  void SetItems(const TStringList& items);
  int ItemIndex() const;
  void SetItemIndex(int i);
  TComboBoxStyle Style() const { return style_; }
  TNotifyEvent OnChange;
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;

 private:
  TStringList items_;
  int itemIndex_ = -1;
  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
};
