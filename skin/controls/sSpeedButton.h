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

  TsAnimatEvents AnimatEvents() const { return animatEvents_; }
  void SetAnimatEvents(TsAnimatEvents v) { animatEvents_ = v; }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  TAlignment TextAlignment() const { return textAlignment_; }
  void SetTextAlignment(TAlignment v);
  int Blend() const { return blend_; }
  void SetBlend(int v);
  TToolButtonStyle ButtonStyle() const { return buttonStyle_; }
  void SetButtonStyle(TToolButtonStyle v);
  unsigned DisabledKind() const { return disabledKind_; }
  void SetDisabledKind(unsigned v);
  unsigned DisabledGlyphKind() const { return disabledGlyphKind_; }
  void SetDisabledGlyphKind(unsigned v);
  // Not owned.
  TPopupMenu* DropdownMenu() const { return dropdownMenu_; }
  void SetDropdownMenu(TPopupMenu* v) { dropdownMenu_ = v; }
  bool Grayed() const;
  void SetGrayed(bool v);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v);
  // Not owned.
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* v);
  bool Reflected() const { return reflected_; }
  void SetReflected(bool v);
  bool ShowCaption() const { return showCaption_; }
  void SetShowCaption(bool v);
  bool DrawOverBorder() const { return drawOverBorder_; }
  void SetDrawOverBorder(bool v);
  int TextOffset() const { return offset_; }
  void SetTextOffset(int v);
  bool WordWrap() const { return wordWrap_; }
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

  bool Fading() const { return animTimer_ != nullptr; }
  const TsAnimTimer* AnimTimer() const { return animTimer_; }
  TsAnimTimer* AnimTimer() { return animTimer_; }
  bool DroppedDown() const { return droppedDown_; }
  bool MenuVisible() const { return menuVisible_; }
  // Set while the button is painted into a sibling's picture.
  bool PaintingCopy = false;

  void Loaded() override;
  void WndProc(TMessage& msg) override;
  bool SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) override;

 protected:
  void Paint(TCanvas& canvas) override;
  void MouseDown(TMouseButton button, int x, int y) override;
  void MouseUp(TMouseButton button, int x, int y) override;

 private:
  bool Skinned() const { return skinData_.Skinned(); }
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

  int oldNumGlyphs_ = 0, oldSpacing_ = 0;
  bool storedDown_ = false;
  unsigned disabledKind_ = dkBlended;
  TsAnimTimer* animTimer_ = nullptr;
  unsigned disabledGlyphKind_ = dgBlended;
  int blend_ = 0;
  int offset_ = 0;
  int imageIndex_ = -1;
  TImageList* images_ = nullptr;
  bool showCaption_ = true;
  TAlignment alignment_ = TAlignment::taCenter;
  TToolButtonStyle buttonStyle_ = TToolButtonStyle::tbsButton;
  TPopupMenu* dropdownMenu_ = nullptr;
  bool drawOverBorder_ = true;
  TAlignment textAlignment_ = TAlignment::taCenter;
  TsAnimatEvents animatEvents_ = kDefaultAnimatEvents;
  bool reflected_ = false;
  bool wordWrap_ = true;
  bool grayed_ = false;
  bool droppedDown_ = false;
  bool menuOwnerMode_ = false;
  bool hotState_ = false;
  TButtonLayout oldLayout_ = TButtonLayout::blGlyphLeft;
  int oldMargin_ = -1;
  bool menuVisible_ = false;
  // The last left press opened the menu: its release clicks nothing.
  bool menuPress_ = false;
  mutable TsKeptCanvas canvas_;
  // The fade frame's picture as the platform copies it, kept between frames.
  TBitmap frame_;
  // Copies the current fade frame onto dc; false when there is none of the button's width.
  bool CopyFadeFrame(HDC dc);
  TsKeptGlowMask glow_;
};
