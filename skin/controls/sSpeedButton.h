// The skinned speed button: a windowless button painted from its section into its cache and
// copied onto its parent at once, with an image-list or strip glyph, caption and block alignment,
// a drop-down style with a popup menu (with OnClick split into a click part and an arrow part),
// separator and divider styles, and fades between its looks painted by the button itself.
// Without an active skin it draws as the framework's speed button.
#pragma once
#include "framework/Buttons.h"
#include "skin/controls/sButtonGeometry.h"
#include "skin/controls/sButtonGlyph.h"
#include "skin/controls/sKeptCanvas.h"
#include "skin/paint/sFade.h"
#include "skin/paint/sSkinItem.h"
#include "skin/paint/sSkinText.h"
#include "skin/paint/sSkinnedControl.h"

class TImageList;
class TPopupMenu;

enum class TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider, tbsTextButton };

using TBmpPaintEvent = std::function<void(TObject* sender, TBitmap32& bmp)>;

class TsSpeedButton : public TsSkinnedControl<TSpeedButton> {
 public:
  explicit TsSpeedButton(TComponent* owner);
  ~TsSpeedButton() override;

  TsAnimatEvents AnimatEvents() const { return FAnimatEvents; }
  void SetAnimatEvents(TsAnimatEvents v) { FAnimatEvents = v; }
  TAlignment Alignment() const { return FAlignment; }
  void SetAlignment(TAlignment v);
  TAlignment TextAlignment() const { return FTextAlignment; }
  void SetTextAlignment(TAlignment v);
  int Blend() const { return FBlend; }
  void SetBlend(int v);
  TToolButtonStyle ButtonStyle() const { return FButtonStyle; }
  void SetButtonStyle(TToolButtonStyle v);
  unsigned DisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(unsigned v);
  unsigned DisabledGlyphKind() const { return FDisabledGlyphKind; }
  void SetDisabledGlyphKind(unsigned v);
  // Not owned.
  TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
  void SetDropdownMenu(TPopupMenu* v) { FDropdownMenu = v; }
  bool Grayed() const;
  void SetGrayed(bool v);
  int ImageIndex() const { return FImageIndex; }
  void SetImageIndex(int v);
  // Not owned.
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* v);
  bool Reflected() const { return FReflected; }
  void SetReflected(bool v);
  bool ShowCaption() const { return FShowCaption; }
  void SetShowCaption(bool v);
  bool DrawOverBorder() const { return FDrawOverBorder; }
  void SetDrawOverBorder(bool v);
  int TextOffset() const { return FOffset; }
  void SetTextOffset(int v);
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  TBmpPaintEvent OnPaint;

  // 0 normal, 1 hot, 2 pressed.
  int CurrentState() const;
  TSize TextRectSize() const;
  TRect CaptionRect(bool shiftClicked) const;
  TRect ImgRect(bool shiftClicked) const;
  TRect ArrowRect() const;
  bool PrepareCache();
  // Paints the cache (or the fade's frame) onto the parent at once.
  void GraphRepaint();
  void Invalidate() override;

  bool Fading() const { return FAnimTimer != nullptr; }
  const TsAnimTimer* AnimTimer() const { return FAnimTimer; }
  TsAnimTimer* AnimTimer() { return FAnimTimer; }
  bool DroppedDown() const { return FDroppedDown; }
  bool MenuVisible() const { return FMenuVisible; }

  void Loaded() override;
  void WndProc(TMessage& msg) override;
  bool SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) override;

 protected:
  void Paint(TCanvas& canvas) override;
  TRect PlainCaptionRect() const override { return CaptionRect(false); }
  // The image list index of the glyph in a state (0 normal, 1 hot, 2 pressed): ImageIndex.
  virtual int StateImageIndex(int state) const;
  // Whether the button wears the disabled look: when it is disabled.
  virtual bool LooksDisabled() const { return !Enabled(); }
  void MouseDown(TMouseButton button, int x, int y) override;
  void MouseUp(TMouseButton button, int x, int y) override;

 private:
  bool Busy() const;
  TsSpeedGeometry Geometry() const;
  TSize GlyphSize() const;
  const TsGeneralData* Section() const;
  void PaintCaption(TCanvas& canvas, int state);
  void PaintArrow(TBitmap32& bmp, const TRect& r, int state);
  void PaintGlyph(TBitmap32& bmp, TCanvas& canvas, int state);
  void PaintUnskinned(TCanvas& canvas);
  void PaintSiblings(HDC dc);
  void StartAnim(bool fast);
  void StopAnim();
  void FadeRequest(bool fast, TsAnimatEvent e);
  void Enter();
  void Leave();
  void Changed();
  // Copies the current fade frame onto dc; false when there is none of the button's width.
  bool CopyFadeFrame(HDC dc);

  int FOldNumGlyphs = 0, FOldSpacing = 0;
  bool FStoredDown = false;
  unsigned FDisabledKind = dkBlended;
  TsAnimTimer* FAnimTimer = nullptr;
  unsigned FDisabledGlyphKind = dgBlended;
  int FBlend = 0;
  int FOffset = 0;
  int FImageIndex = -1;
  TImageList* FImages = nullptr;
  bool FShowCaption = true;
  TAlignment FAlignment = TAlignment::taCenter;
  TToolButtonStyle FButtonStyle = TToolButtonStyle::tbsButton;
  TPopupMenu* FDropdownMenu = nullptr;
  bool FDrawOverBorder = true;
  TAlignment FTextAlignment = TAlignment::taCenter;
  TsAnimatEvents FAnimatEvents = kDefaultAnimatEvents;
  bool FReflected = false;
  bool FWordWrap = true;
  bool FGrayed = false;
  bool FDroppedDown = false;
  bool FMenuOwnerMode = false;
  bool FHotState = false;
  TButtonLayout FOldLayout = TButtonLayout::blGlyphLeft;
  int FOldMargin = -1;
  bool FMenuVisible = false;
  // The last left press opened the menu: its release clicks nothing.
  bool FMenuPress = false;
  mutable TsKeptCanvas FCanvas;
  // The fade frame's picture as the platform copies it, kept between frames.
  TBitmap FFrame;
  TsKeptGlowMask FGlow;
  // Set while the button is painted into a sibling's picture.
  bool FPaintingCopy = false;
  // The speed button whose drop-down menu is open; user-interface thread only.
  static inline TsSpeedButton* FOpenMenuButton = nullptr;
};
