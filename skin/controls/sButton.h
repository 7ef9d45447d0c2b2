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
#include "skin/controls/sRegionHost.h"
#include "skin/paint/sFade.h"
#include "skin/paint/sSkinItem.h"
#include "skin/paint/sSkinText.h"
#include "skin/paint/sSkinnedControl.h"

class TsButton : public TsSkinnedControl<TButton> {
 public:
  // regions: where the window regions of a cut border come from (not owned; it outlives the button).
  explicit TsButton(TComponent* owner, TsRegionHost& regions = PlatformRegions());
  ~TsButton() override;

  TsAnimatEvents AnimatEvents() const { return FAnimatEvents; }
  void SetAnimatEvents(TsAnimatEvents v) { FAnimatEvents = v; }
  bool ShowFocus() const { return FShowFocus; }
  void SetShowFocus(bool v);
  unsigned DisabledKind() const { return FDisabledKind; }
  void SetDisabledKind(unsigned v);
  bool Down() const { return FDown; }
  void SetDown(bool v);
  int FocusMargin() const { return FFocusMargin; }
  void SetFocusMargin(int v) { FFocusMargin = v; }
  TButtonStyle Style() const { return FStyle; }
  void SetStyle(TButtonStyle v);
  int ContentMargin() const { return FContentMargin; }
  void SetContentMargin(int v);
  bool Reflected() const { return FReflected; }
  void SetReflected(bool v);
  bool DroppedDown() const { return FDroppedDown; }

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
  bool RegionPending() const { return bool(FRegion); }
  // The framework's flag: show as the active default button (BM_SETSTYLE from the dialog manager).
  bool IsFocused() const { return FIsFocused; }

  void Loaded() override;
  void WndProc(TMessage& msg) override;
  void DefaultHandler(TMessage& msg) override;
  bool SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void LookChanged() override;
  void DefaultChanged() override { LookChanged(); }

 private:
  TsButtonGeometry Geometry() const;
  const TsGeneralData* Section() const;
  const TsMaskData* BorderMask() const;
  bool InvalidateSkin();
  void PaintHandler(HDC given);
  // The paint of a border whose corners are cut out of the window: the cache prepared, its
  // corners copied, the region it built given to the window; false when the cache is not ready.
  bool PaintCutCorners(HDC dc, const TsMaskData& mask, bool redraw);
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

  TsAnimatEvents FAnimatEvents = kDefaultAnimatEvents;
  bool FShowFocus = true;
  unsigned FDisabledKind = dkBlended;
  bool FDown = false;
  int FFocusMargin = 1;
  TButtonStyle FStyle = TButtonStyle::bsPushButton;
  int FContentMargin = 6;
  bool FReflected = false;
  bool FMouseClicked = false;
  bool FRegionChanged = true;
  TRect FLastRect{};
  bool FIsFocused = false;
  TsRegionHost* FRegionHost;  // not owned
  // The pending region (owned until the window takes it) and whether any was ever given.
  TsHostedRgn FRegion;
  bool FRegionNeverSet = true;
  bool FDroppedDown = false;
  bool FSettingRegion = false;
  mutable TsKeptCanvas FCanvas;
  TsKeptGlowMask FGlow;
  // Process-wide, user-interface thread only: the click flash shows the pressed look whatever the
  // platform's button says.
  static inline bool FForcedPressed = false;
};
