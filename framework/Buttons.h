// Push button, check box (platform windows) and speed button (windowless).
#pragma once
#include <string>

#include "framework/ButtonTypes.h"
#include "framework/CheckState.h"
#include "framework/FormTypes.h"
#include "framework/WinControl.h"
#include "imaging/Bitmap32.h"

class TImageList;
class TPopupMenu;

// Controls over the platform's BUTTON class: the click comes from the platform's button
// notification, never from the framework's press-and-release handling (it would come twice).
class TButtonControl : public TWinControl {
 public:
  explicit TButtonControl(TComponent* owner);
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  // The platform reported a click (BN_CLICKED).
  virtual void ButtonClicked() { Click(); }
};

// The push button. Its image list and drop-down menu are not owned: whoever sets them keeps
// them alive as long as the button uses them.
class TButton : public TButtonControl {
 public:
  explicit TButton(TComponent* owner);
  bool Default() const { return default_; }
  void SetDefault(bool v);
  // Escape (IDCANCEL from the dialog handling) clicks the form's enabled, showing Cancel button.
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  // A click first gives its form this result (not mrNone), so that a modal form closes with it
  // unless OnClick sets the form's ModalResult back.
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult v) { modalResult_ = v; }
  void Click() override;
  TImageList* Images() const { return images_; }
  virtual void SetImages(TImageList* v);
  // The image indexes of the looks: normal, hot, pressed, selected (focused), disabled.
  int ImageIndex() const { return imageIndexes_[0]; }
  int HotImageIndex() const { return imageIndexes_[1]; }
  int PressedImageIndex() const { return imageIndexes_[2]; }
  int SelectedImageIndex() const { return imageIndexes_[3]; }
  int DisabledImageIndex() const { return imageIndexes_[4]; }
  const int (&ImageIndexes() const)[5] { return imageIndexes_; }
  void SetImageIndex(int v) { SetImageIndexOf(0, v); }
  void SetHotImageIndex(int v) { SetImageIndexOf(1, v); }
  void SetPressedImageIndex(int v) { SetImageIndexOf(2, v); }
  void SetSelectedImageIndex(int v) { SetImageIndexOf(3, v); }
  void SetDisabledImageIndex(int v) { SetImageIndexOf(4, v); }
  TImageAlignment ImageAlignment() const { return imageAlignment_; }
  void SetImageAlignment(TImageAlignment v);
  const TImageMargins& ImageMargins() const { return imageMargins_; }
  void SetImageMargins(const TImageMargins& v);
  const std::wstring& CommandLinkHint() const { return commandLinkHint_; }
  void SetCommandLinkHint(const std::wstring& v);
  TPopupMenu* DropDownMenu() const { return dropDownMenu_; }
  void SetDropDownMenu(TPopupMenu* v) { dropDownMenu_ = v; }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  // Images set and ImageIndex one of its images.
  bool HasValidImage() const;
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  // A setting that changes the look: the window is repainted.
  virtual void LookChanged() { Invalidate(); }
  // Default changed: the platform's button takes the matching push-button type.
  virtual void DefaultChanged();

 private:
  void SetImageIndexOf(int look, int v);

  bool default_ = false;
  bool cancel_ = false;
  TModalResult modalResult_ = mrNone;
  TImageList* images_ = nullptr;
  int imageIndexes_[5] = {-1, -1, -1, -1, -1};
  TImageAlignment imageAlignment_ = TImageAlignment::iaLeft;
  TImageMargins imageMargins_;
  std::wstring commandLinkHint_;
  TPopupMenu* dropDownMenu_ = nullptr;
  bool wordWrap_ = false;
};

// A three-state platform button whose state the framework keeps: the platform only reports the
// click, and the framework's toggle decides the next state.
class TCheckBox : public TButtonControl {
 public:
  explicit TCheckBox(TComponent* owner);
  bool Checked() const { return State() == TCheckBoxState::cbChecked; }
  virtual void SetChecked(bool v) { SetState(v ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
  TCheckBoxState State() const;
  void SetState(TCheckBoxState s);
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool v) { allowGrayed_ = v; }
  // The click's change (ToggledState), then the click event.
  void Toggle();
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void ButtonClicked() override;

 private:
  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
  bool allowGrayed_ = false;
};

enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// A windowless button drawn by the framework; in a group (GroupIndex ≠ 0) one stays down.
class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);
  bool Down() const { return down_; }
  void SetDown(bool v);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int v) { groupIndex_ = v; }
  bool Flat() const { return flat_; }
  void SetFlat(bool v);
  TButtonState State() const { return state_; }
  // The glyph: a strip of NumGlyphs frames side by side (normal, disabled, pressed, down).
  const TBitmap32& Glyph() const { return glyph_; }
  void SetGlyph(const TBitmap32& v);
  int NumGlyphs() const { return numGlyphs_; }
  // Kept within 1 … 4.
  void SetNumGlyphs(int v);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout v);
  // Distance of the content from the edge; −1 centres it.
  int Margin() const { return margin_; }
  void SetMargin(int v);
  int Spacing() const { return spacing_; }
  void SetSpacing(int v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  // Raised after every change of Glyph.
  TNotifyEvent OnGlyphChange;
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;
  void WndProc(TMessage& msg) override;

 protected:
  void PaintPlain(TCanvas& canvas) override;
  // Where the plain look centres the caption: the whole button; a button that lays out a glyph
  // beside the caption gives the caption's own place.
  virtual TRect PlainCaptionRect() const { return {0, 0, Width(), Height()}; }
  void MouseDown(TMouseButton button, int x, int y) override;
  void MouseMove(int x, int y) override;
  void MouseUp(TMouseButton button, int x, int y) override;

  TButtonState state_ = TButtonState::bsUp;

 private:
  bool down_ = false;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool flat_ = false;
  TBitmap32 glyph_;
  int numGlyphs_ = 1;
  TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  bool transparent_ = false;
};
