// The skinned check box: the platform's three-state button painted entirely from the skin (the
// section as background, the box glyph from the skin's GLOBALINFO masks, custom strips or an image
// list, the caption in the section's font colours, a dotted focus frame), with a read-only mode, a
// pressed look and fades between states. Without an active skin it is the platform's check box.
//
// While skinned, the box owns its input: presses and the space bar are handled here and never
// reach the platform's button, which would report a click of its own; what the platform's button
// still does (focus, check and push state, text) it does with redrawing off, since it paints
// those straight onto the window.
#pragma once
#include "framework/Buttons.h"
#include "framework/ImageList.h"
#include "skin/controls/sCheckBoxGeometry.h"
#include "skin/paint/sFade.h"
#include "skin/paint/sSkinItem.h"
#include "skin/paint/sSkinnedControl.h"

class TsCheckBox : public TsSkinnedControl<TCheckBox> {
 public:
  explicit TsCheckBox(TComponent* owner);
  ~TsCheckBox() override;

  int Margin() const { return FMargin; }
  void SetMargin(int v);
  int TextIndent() const { return FTextIndent; }
  void SetTextIndent(int v);
  bool ShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool v);
  bool ReadOnly() const { return FReadOnly; }
  void SetReadOnly(bool v) { FReadOnly = v; }
  bool WordWrap() const { return FWordWrap; }
  void SetWordWrap(bool v);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool v);
  TvaAlign VerticalAlign() const { return FVerticalAlign; }
  void SetVerticalAlign(TvaAlign v);
  unsigned DisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(unsigned v);
  TsAnimatEvents AnimatEvents() const { return FAnimatEvents; }
  void SetAnimatEvents(TsAnimatEvents v) { FAnimatEvents = v; }
  // Caption on the right of the glyph (the default) or on its left.
  bool CaptionRight() const { return FCaptionRight; }
  void SetCaptionRight(bool v);
  // Custom glyph strips (frames side by side, as wide as high); empty: the skin's glyph.
  const TBitmap32& GlyphChecked() const { return FGlyphChecked; }
  void SetGlyphChecked(const TBitmap32& v);
  const TBitmap32& GlyphUnChecked() const { return FGlyphUnChecked; }
  void SetGlyphUnChecked(const TBitmap32& v);
  // The image list (not owned) and the indexes of its two glyphs.
  TImageList* Images() const { return FImages; }
  void SetImages(TImageList* v);
  int ImgChecked() const { return FImgChecked; }
  void SetImgChecked(int v);
  int ImgUnchecked() const { return FImgUnchecked; }
  void SetImgUnchecked(int v);

  // The left button or the space bar is held down on the box.
  bool Pressed() const { return FPressed; }
  // Painting state: 2 pressed, 0 neither hot nor writable, 1 otherwise.
  int PaintState() const;
  // The glyph's size and place in the current state.
  TSize GlyphSize() const;
  TRect GlyphRect() const;
  // Sizes the box to its glyph and caption (when AutoSize; the skinned rule with a skin).
  void AdjustSize();
  bool Fading() const { return fadeTimer_ != nullptr; }

  // The Checked property: changes repaint and raise OnValueChanged.
  void SetChecked(bool v) override;
  TNotifyEvent OnValueChanged;

  void Loaded() override;
  void WndProc(TMessage& msg) override;
  void DefaultHandler(TMessage& msg) override;
  void Invalidate() override;
  bool SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) override;

 protected:
  void ButtonClicked() override;

 private:
  enum class TGlyphSource { gsImages, gsStrip, gsSkin };
  TGlyphSource GlyphSource() const;
  const TBitmap32& CurrentStrip() const;
  // The skin mask of the current state (−1 when the skin has none).
  int StateMask() const;
  // Builds the picture into the cache; false when the parent is not ready.
  bool PrepareCache();
  void PaintCaption(TBitmap& cache, int state);
  void PaintGlyph(TBitmap32& cache, int state);
  void PaintTo(HDC dc);
  // A look change: a fade for event e when it animates, else a repaint.
  void ChangeLook(TsAnimatEvent e);
  // After a toggle by mouse or key: a fade that was running ends on the new picture.
  void FixFadeAfterRelease();
  void Release();
  bool HandleSkinned(TMessage& m);
  bool HandleUnskinned(TMessage& m);
  // The platform's visual theme of the window on or off.
  void SetNativeTheme(bool on);

  int FMargin = 2;
  int FTextIndent = 0;
  bool FShowFocus = true;
  bool FReadOnly = false;
  bool FWordWrap = false;
  bool FAutoSize = true;
  bool FCaptionRight = true;
  TvaAlign FVerticalAlign = TvaAlign::vaMiddle;
  unsigned FDisabledKind = dkBlended;
  TsAnimatEvents FAnimatEvents = kDefaultAnimatEvents;
  TBitmap32 FGlyphChecked, FGlyphUnChecked;
  TImageList* FImages = nullptr;
  int FImgChecked = 0;
  int FImgUnchecked = 0;
  bool FPressed = false;
};
