// The skinned push button: the platform's button switched to owner drawing, its whole face
// (section, border, glyph, caption, focus frame, split arrow, disabled look) painted into its
// cache and copied to the window, with four looks (normal, hot, pressed, default) that fade into
// each other. A border whose corners are cut out of the window gives the window a region. Without
// an active skin it draws the platform's ordinary face through the owner-draw request.
//
// The platform's button still owns focus, the pushed state and the click (BN_CLICKED); what it
// does with them it does with redrawing off, since it paints those straight onto the window.
#pragma once
#include "framework/Buttons.h"
#include "framework/Handles.h"
#include "skin/controls/sButtonGeometry.h"
#include "skin/controls/sKeptCanvas.h"
#include "skin/paint/sFade.h"
#include "skin/paint/sSkinItem.h"
#include "skin/paint/sSkinText.h"
#include "skin/paint/sSkinnedControl.h"

class TsButton : public TsSkinnedControl<TButton> {
 public:
  explicit TsButton(TComponent* owner);
  ~TsButton() override;

  TsAnimatEvents AnimatEvents() const { return animatEvents_; }
  void SetAnimatEvents(TsAnimatEvents v) { animatEvents_ = v; }
  bool ShowFocus() const { return showFocus_; }
  void SetShowFocus(bool v);
  unsigned DisabledKind() const { return disabledKind_; }
  void SetDisabledKind(unsigned v);
  bool Down() const { return down_; }
  void SetDown(bool v);
  int FocusMargin() const { return focusMargin_; }
  void SetFocusMargin(int v) { focusMargin_ = v; }
  TButtonStyle Style() const { return style_; }
  void SetStyle(TButtonStyle v);
  int ContentMargin() const { return contentMargin_; }
  void SetContentMargin(int v);
  bool Reflected() const { return reflected_; }
  void SetReflected(bool v);
  bool DroppedDown() const { return droppedDown_; }

  // 0 normal, 1 hot, 2 pressed, 3 default.
  int CurrentState() const;
  // The section's frame for the current look.
  int PaintState() const;
  int GlyphIndex() const;
  TRect GlyphRect() const;
  TRect CaptionRect() const;
  // The caption's measured size (0 × 0 without a caption).
  TSize CaptionSize() const;
  // Paints the cache; false when the parent's background is not ready.
  bool PrepareCache();

  bool Fading() const { return fadeTimer_ != nullptr; }
  const TsFadeTimer* FadeTimer() const { return fadeTimer_; }
  TsFadeTimer* FadeTimer() { return fadeTimer_; }
  // A window region built by the last cache preparation and not yet given to the window.
  bool RegionPending() const { return bool(region_); }
  // Regions built and not yet deleted or given to the window: 0 or 1.
  static int LiveRegions();
  // The framework's flag: show as the active default button (BM_SETSTYLE from the dialog manager).
  bool IsFocused() const { return isFocused_; }

  void Loaded() override;
  void WndProc(TMessage& msg) override;
  void DefaultHandler(TMessage& msg) override;
  bool SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void LookChanged() override;
  void DefaultChanged() override { LookChanged(); }

 private:
  bool Skinned() const { return skinData_.Skinned(); }
  TsButtonGeometry Geometry() const;
  const TsGeneralData* Section() const;
  const TsMaskData* BorderMask() const;
  bool InvalidateSkin();
  void PaintHandler(HDC given);
  void PaintCaption(TCanvas& canvas, int state, bool skinned);
  void PaintGlyph(TBitmap32* dst, TCanvas& canvas, int state);
  void DrawUnskinned(const DRAWITEMSTRUCT& item);
  // A look change for event e: a fade when it animates, else a repaint.
  void FadeRequest(bool fast, TsAnimatEvent e);
  void HideGlow();
  void MouseDownSkinned(TMessage& m);
  void MouseUpSkinned(TMessage& m);
  void DropDown();
  bool HandleSkinned(TMessage& m);
  void SetRegion(HRGN r);

  TsAnimatEvents animatEvents_ = kDefaultAnimatEvents;
  bool showFocus_ = true;
  unsigned disabledKind_ = dkBlended;
  bool down_ = false;
  int focusMargin_ = 1;
  TButtonStyle style_ = TButtonStyle::bsPushButton;
  int contentMargin_ = 6;
  bool reflected_ = false;
  bool mouseClicked_ = false;
  bool regionChanged_ = true;
  TRect lastRect_{};
  bool isFocused_ = false;
  // The pending region (owned until the window takes it) and whether any was ever given.
  TUniqueRgn region_;
  bool regionNeverSet_ = true;
  bool droppedDown_ = false;
  bool settingRegion_ = false;
  mutable TsKeptCanvas canvas_;
  TsKeptGlowMask glow_;
};
