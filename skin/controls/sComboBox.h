// The skinned combo box, painted with the section "COMBOBOX". The closed control (the field and
// the drop-down button) is drawn from its cache; the list items are drawn by the control through
// the platform's owner-draw requests (the drop-down styles are made owner-drawn for that); the
// drop-down list gets a skinned frame and scroll bars from a list handler (sComboListWnd.h). While
// a drop-down combo has the focus the platform paints its field, and the control only its frame
// bands and button. Without an active skin it is the platform's combo box, still owner-drawn.
#pragma once
#include <memory>

#include "framework/Edits.h"
#include "framework/Labels.h"
#include "skin/controls/sBoundLabel.h"
#include "skin/controls/sComboBoxGeometry.h"
#include "skin/controls/sComboBoxPicture.h"
#include "skin/paint/sSkinItem.h"
#include "skin/paint/sSkinnedControl.h"

class TsComboListWnd;

class TsCustomComboBox : public TsSkinnedControl<TComboBox> {
 public:
  explicit TsCustomComboBox(TComponent* owner);
  ~TsCustomComboBox() override;

  TsBoundLabel& BoundLabel() { return boundLabel_; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment value);
  TTextLayout VerticalAlignment() const { return FVerticalAlignment; }
  void SetVerticalAlignment(TTextLayout value);
  // Blocks the clicks and keys that would change the value; the list can still be opened by
  // program.
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool value) { FReadOnly = value; }
  unsigned DisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(unsigned value);
  bool ShowButton() const { return FShowButton; }
  void SetShowButton(bool value);
  // The list is open (between the drop-down and the close-up notifications).
  bool DropDownShown() const { return FDropDown; }

  // The index of the first item exactly equal to text (case-sensitive), −1 when none.
  int IndexOf(const std::wstring& text) const;
  TRect ButtonRect() const;
  int ButtonHeight() const;
  // The drop-down button into the cache.
  void PaintButton();

  // The field or the list has the keyboard focus, or the skin state says focused.
  bool Focused() const override;
  void Invalidate() override;
  // The owner-drawn drop-down styles: the list's item height; styles 3 and 4: the stored value.
  int ItemHeight() const override;
  // Scales bounds and font by m / d; the item height follows the accumulated factors.
  void ChangeScale(int m, int d) override;
  const TsComboScale& Scale() const { return scale_; }

  // The list window met at its first colour request, and its handler; none before.
  HWND ListWindow() const { return lboxhandle; }
  const std::shared_ptr<TsComboListWnd>& ListSW() const { return ListSW_; }
  // The list window went: its record and handler are forgotten (only when it is the one recorded).
  void ListGone(HWND list);

  bool SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) override;
  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void DrawItem(int index, const TRect& rect, unsigned state) override;
  void MeasureItem(int index, int& height) override;
  void EditWndProc(TMessage& m) override;

 private:
  int StyleCode() const { return int(Style()); }
  bool OwnerDrawnWithHandler() const;
  // The framework reads text left to right only: the mirrored layout the geometry offers stays
  // unused.
  bool RightToLeft() const { return false; }
  bool Hot() const;
  // The platform's painting of the field is let through (focused, enabled, editable).
  bool FieldPaintsItself() const;

  // Painting (sComboBoxPaint.cpp).
  void PaintTo(HDC dc);
  TsComboLook Look() const;
  void PrepareCache();
  void DrawItemSkinned(int index, const TRect& rect, unsigned state);
  void DrawItemPlain(int index, const TRect& rect, unsigned state);
  std::wstring ItemText(int index) const;

  // Messages (sComboBoxMessages.cpp).
  bool ReadOnlyFilter(TMessage& m);
  bool HandleSkinCommand(TMessage& m);
  bool HandleSkinned(TMessage& m);
  void AfterSkinned(const TMessage& m);
  void MouseEnterLeave(TMessage& m);
  void FocusChange(TMessage& m, bool gained);
  void AttachList(HWND list);
  void DetachList();
  void RefreshItemHeight();

  TsBoundLabel boundLabel_;
  TAlignment FAlignment = TAlignment::taLeftJustify;
  bool FReadOnly = false;
  unsigned FDisabledKind = dkBlended;
  bool FShowButton = true;
  TTextLayout FVerticalAlignment = TTextLayout::tlCenter;
  HWND lboxhandle = nullptr;
  TsComboScale scale_;
  std::shared_ptr<TsComboListWnd> ListSW_;
  bool FDropDown = false;
};

class TsComboBox : public TsCustomComboBox {
 public:
  using TsCustomComboBox::TsCustomComboBox;
};
