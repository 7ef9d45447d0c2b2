// The skinned edit with a small button inside its right edge and an optional popup window: the
// base of the file and directory edits. The button is windowless: the edit routes the mouse to
// it and paints it over its own picture.
#pragma once
#include "framework/Handles.h"
#include "skin/controls/sMaskEdit.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/controls/sToolEditRules.h"

class TImageList;
class TsCustomComboEdit;

// Where the button's glyph comes from when an image list is given (the indexes -1: none).
struct TsGlyphMode {
  int Blend = 0;
  bool Grayed = false;
  std::wstring Hint;
  TImageList* Images = nullptr;  // not owned
  int ImageIndex = -1, ImageIndexHot = -1, ImageIndexPressed = -1;
  bool SetProperty(const std::string& name, const TLayoutValue& v);
};

// The button: a flat skinned speed button (section "SPEEDBUTTON_SMALL") without caption.
class TsEditButton : public TsSpeedButton {
 public:
  // A child of edit, owned by it; its click runs the edit's ButtonAction.
  explicit TsEditButton(TsCustomComboEdit& edit);
  // The glyph mode's hot and pressed images when they are in its list.
  int StateImageIndex(int state) const override;
  // Disabled, or on a read-only edit: the button does nothing then.
  bool LooksDisabled() const override;

 private:
  TsCustomComboEdit& edit_;
};

// The built-in glyph pictures ("SF", "SR", "SD", "SE", "SC" of the program's data resources, three
// 16-pixel frames each); null for an index outside them or a program without them.
const TBitmap32* BuiltInGlyph(int index);

class TsCustomComboEdit : public TsMaskEdit {
 public:
  explicit TsCustomComboEdit(TComponent* owner, int coc = 138);

  TsEditButton& Button() { return *FButton; }
  bool ShowButton() const { return FShowButton; }
  void SetShowButton(bool v);
  // The shortcut that runs ButtonAction: a virtual key plus 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt.
  unsigned ClickKey() const { return FClickKey; }
  void SetClickKey(unsigned v) { FClickKey = v; }
  // The family's own read-only state; the window is read-only also without DirectInput.
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v);
  bool DirectInput() const { return FDirectInput; }
  void SetDirectInput(bool v);
  bool AutoSelect() const { return FAutoSelect; }
  void SetAutoSelect(bool v) { FAutoSelect = v; }
  TsGlyphMode& GlyphMode() { return FGlyphMode; }
  const TsGlyphMode& GlyphMode() const { return FGlyphMode; }
  // Re-reads the glyph: the button's width, glyph and hint follow it.
  void GlyphChanged();
  // The tip window that shows GlyphMode.Hint over the button; null without a hint or button.
  HWND HintWindow() const { return FHintWnd.get(); }
  int DefBmpID() const { return FDefBmpID; }
  void SetDefBmpID(int v);
  // The width of one glyph image: the image list's when its ImageIndex is valid, else the
  // built-in glyph's at DefBmpID; 0 without either.
  int GlyphWidth() const;

  TPopupWindowAlign PopupWindowAlign() const { return FPopupWindowAlign; }
  void SetPopupWindowAlign(TPopupWindowAlign v) { FPopupWindowAlign = v; }
  int PopupWidth() const { return FPopupWidth; }
  int PopupHeight() const { return FPopupHeight; }
  void SetPopupSize(int w, int h) { FPopupWidth = w; FPopupHeight = h; }
  // The window ShowPopup shows (not owned); none by default.
  TWinControl* PopupWindow() const { return FPopupWindow; }
  void SetPopupWindow(TWinControl* w) { FPopupWindow = w; }
  bool PopupShown() const;
  virtual void ShowPopup();
  virtual void HidePopup();

  TNotifyEvent OnButtonClick;
  // The button's click and the ClickKey: only when not ReadOnly. OnButtonClick, then the popup
  // is closed when shown, else shown.
  virtual void ButtonAction();
  // Selects all text, when there is any.
  void SelectAll();
  // The formatting rectangle leaves the button's place free; the button sits at the right edge,
  // its hint with it.
  void AdjustEditRect();

  // Tells OnChange as a single-line edit would: a multi-line window does not for a text set.
  void SetText(const std::wstring& s) override;

  void Loaded() override;
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;
  void WndProc(TMessage& m) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void DestroyWnd() override;

 private:
  // Puts GlyphMode.Hint on the button's place, or takes the tip away.
  void UpdateHint();
  // Where the client area starts in the window (and in the cache): 2 with the client edge.
  int ClientOffset();
  bool IsClickKey(WPARAM key) const;
  // Enter and Escape go to the window's dialog handling, as in a single-line edit.
  void FilterDialogCode(TMessage& m);
  // The clipboard's text up to its first line end, replacing the selection.
  void PasteFirstLine();
  // The button over the picture just painted onto dc (window coordinates).
  void PaintButton(HDC dc);
  // Answers the button's background query with the edit's cache at the button's place.
  bool AnswerButtonQuery(TMessage& m);

  TsEditButton* FButton;
  unsigned FClickKey = 32808;  // Alt+Down
  bool FReadOnly = false;
  bool FDirectInput = true;
  TPopupWindowAlign FPopupWindowAlign = TPopupWindowAlign::pwaRight;
  TsGlyphMode FGlyphMode;
  int FPopupWidth = 197;
  bool FShowButton = true;
  int FPopupHeight = 166;
  int FDefBmpID = -1;
  TWinControl* FPopupWindow = nullptr;
  bool FAutoSelect = true;
  // The window told a change while SetText ran.
  bool FChangeTold = false;
  TUniqueWindow FHintWnd;
};
