// Text controls over the platform's EDIT and COMBOBOX windows.
#pragma once
#include <functional>
#include <string>

#include "framework/StringList.h"
#include "framework/WinControl.h"

// Shared by edits, memos and combo boxes: text and background in the control's own colours, for
// its own window (reflected from the parent) and for the platform's windows inside it that no
// control is bound to (a combo box's field and list), which ask this window.
class TColoredWinControl : public TWinControl {
 public:
  using TWinControl::TWinControl;
  void WndProc(TMessage& msg) override;

 protected:
  // Whether wnd is this control's window or one of the platform's windows it is made of: by
  // default a window inside this one.
  virtual bool OwnsWindow(HWND wnd) const;

 private:
  // Prepares dc for the text and returns the background brush.
  HBRUSH ColorsFor(HDC dc);

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
  // Whether Tab is typed into the text; otherwise it moves the focus on, as in any dialog.
  bool WantTabs() const { return wantTabs_; }
  void SetWantTabs(bool value) { wantTabs_ = value; }
  // The lines; read from and written to the window when it exists.
  TStringList Lines() const;
  void SetLines(const TStringList& lines);
  // Appends one line at the end and scrolls it into view.
  void AddLine(const std::wstring& line);
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  TScrollStyle scrollBars_ = TScrollStyle::ssNone;
  bool wordWrap_ = true;
  bool wantTabs_ = false;
};

enum class TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// An item to draw: its index (-1: the field of an empty list), its rectangle on the control's
// Canvas() and the platform's item state bits (ODS_SELECTED 0x0001, ODS_FOCUS 0x0010,
// ODS_COMBOBOXEDIT 0x1000 ...).
using TDrawItemEvent = std::function<void(TWinControl* control, int index, const TRect& rect, unsigned state)>;
using TMeasureItemEvent = std::function<void(TWinControl* control, int index, int& height)>;

// The platform's combo box. Its properties are kept while no window exists and applied to each
// window made; a window made anew keeps the items, the selection and the text typed. The
// owner-drawn styles are selection lists whose items the control draws (DrawItem) and measures
// (MeasureItem). The control is one for focus and hover although the platform makes it of up to
// three windows (the box, the edit field, the list): entering and leaving are told once, moves
// between its own windows not at all.
class TComboBox : public TColoredWinControl {
 public:
  explicit TComboBox(TComponent* owner);
  ~TComboBox() override;

  // The items; the window's list when one exists (sorted, in its letter case).
  const TStringList& Items() const { return items_; }
  void SetItems(const TStringList& items);
  int ItemIndex() const;
  void SetItemIndex(int i);
  TComboBoxStyle Style() const { return style_; }
  // A window that exists is made anew in the new style.
  void SetStyle(TComboBoxStyle value);
  // Items the open list shows without scrolling.
  int DropDownCount() const { return dropDownCount_; }
  void SetDropDownCount(int value);
  // Owner-drawn styles: the stored height of their items. Others: the window's list's, once a
  // window exists.
  virtual int ItemHeight() const;
  virtual void SetItemHeight(int value);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase value);
  // Longest text the field takes; 0 for no limit.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  // Shown greyed in an empty field.
  const std::wstring& TextHint() const { return textHint_; }
  void SetTextHint(const std::wstring& value);
  // Typing in the field completes the text with the first item that begins with it (letter case
  // ignored); the completed part is selected, so that the next key replaces it.
  bool AutoComplete() const { return autoComplete_; }
  void SetAutoComplete(bool value) { autoComplete_ = value; }
  // Typing opens the list.
  bool AutoDropDown() const { return autoDropDown_; }
  void SetAutoDropDown(bool value) { autoDropDown_ = value; }
  bool AutoCloseUp() const { return autoCloseUp_; }  // stored
  void SetAutoCloseUp(bool value) { autoCloseUp_ = value; }
  int AutoCompleteDelay() const { return autoCompleteDelay_; }  // stored, in milliseconds
  void SetAutoCompleteDelay(int value) { autoCompleteDelay_ = value; }
  bool DroppedDown() const;
  void SetDroppedDown(bool value);
  // The platform's windows inside the control; null when the style has none or no window exists.
  HWND EditHandle() const;
  HWND ListHandle() const;

  // Where DrawItem draws: pointed at the platform's device context while a drawing request runs.
  TCanvas& Canvas() { return canvas_; }
  // The focus is on the box, its field or its list.
  bool Focused() const override;
  std::wstring GetText() const override;

  // Draws one item (or the selection field) into rect on Canvas(). By default OnDrawItem for an
  // item of the list, else the item's text on the highlight colour when selected, on Color
  // otherwise, with the focus rectangle when the state asks for it.
  virtual void DrawItem(int index, const TRect& rect, unsigned state);
  // The height of one item (index -1: the selection field): by default ItemHeight, then
  // OnMeasureItem.
  virtual void MeasureItem(int index, int& height);

  TNotifyEvent OnChange;    // the text changed: typed, or another item selected
  TNotifyEvent OnSelect;    // the user selected an item (before OnChange)
  TNotifyEvent OnDropDown;  // the list opens
  TNotifyEvent OnCloseUp;   // the list closed
  TNotifyEvent OnDblClick;
  TDrawItemEvent OnDrawItem;
  TMeasureItemEvent OnMeasureItem;

  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void FinishCreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void DestroyWnd() override;
  bool OwnsWindow(HWND wnd) const override;
  bool PointerStillOver() const override;

  // The reflected drawing request: points Canvas() at its device context and font for DrawItem
  // (the low 16 bits of the item state), and back afterwards. A derived control replaces this to
  // draw in another way altogether.
  virtual void DrawItemRequest(const DRAWITEMSTRUCT& item);
  // The reflected measuring request (also while the window is being made): MeasureItem's height.
  virtual void MeasureItemRequest(MEASUREITEMSTRUCT& item);

  // Every message of the edit field (csDropDown, csSimple). This framework handling follows the
  // pointer and the focus over the field, completes typed text and opens the list as asked,
  // then passes the message to DefaultEditHandler. A derived control handles the field's
  // messages it owns and passes the rest here.
  virtual void EditWndProc(TMessage& msg);
  // The field's own procedure (the platform's edit). Only from inside EditWndProc.
  void DefaultEditHandler(TMessage& msg);

 private:
  static LRESULT CALLBACK FieldProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
  HWND Wnd() const { return HandleAllocated() ? const_cast<TComboBox*>(this)->Handle() : nullptr; }
  bool HasField() const { return style_ == TComboBoxStyle::csDropDown || style_ == TComboBoxStyle::csSimple; }
  bool OwnerDrawn() const { return style_ == TComboBoxStyle::csOwnerDrawFixed || style_ == TComboBoxStyle::csOwnerDrawVariable; }
  void AddItemsToWindow();
  // Sorting and letter case are the window's: the items follow its list.
  void ReadItemsFromWindow();
  void AttachField(HWND field);
  void DetachField();
  // Tells focus entering or leaving the control as a whole, once, from wherever the focus now is.
  void FollowFocus();
  void ApplyTextHint();
  void CompleteTypedText();
  // A reflected notice of the box; false for those left to the base.
  bool Command(WORD code);

  TStringList items_;
  int itemIndex_ = -1;
  TComboBoxStyle style_ = TComboBoxStyle::csDropDown;
  int dropDownCount_ = 8;
  int itemHeight_ = 16;
  bool itemHeightSet_ = false;  // set by the program: applied to the lists of the plain styles too
  bool sorted_ = false;
  TEditCharCase charCase_ = TEditCharCase::ecNormal;
  int maxLength_ = 0;
  std::wstring textHint_;
  bool autoComplete_ = true;
  bool autoDropDown_ = false;
  bool autoCloseUp_ = false;
  int autoCompleteDelay_ = 500;
  TCanvas canvas_;
  HWND field_ = nullptr;         // the edit field while subclassed
  bool fieldTracking_ = false;  // a leave notice is asked for the field
  bool focusInside_ = false;    // focus entering was told and leaving not yet
  bool selecting_ = false;      // the user's selection is being told
  int droppedIndex_ = -1;       // the selection when the list last opened
};
