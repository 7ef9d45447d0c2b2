// Skinned labels: the skin-aware base (a section's background and font colour), the plain
// skinned label, the hyperlink label (hover font, opens its address on a click) and the effect
// label that draws its text over a soft glow in a chosen colour and can turn its text. Labels are
// windowless and keep no skin state of their own: each paint looks its section up anew.
#pragma once
#include <memory>
#include <string>

#include "framework/Labels.h"
#include "skin/controls/sLabelGeometry.h"
#include "skin/controls/sLabelGlow.h"

class TsSkinManager;
struct TsBoundLabel;

// Set while a label's paint takes its font colour from the skin: the font change that causes is
// the label's own and must not make it repaint (or re-measure) again. One flag for the process
// (the user-interface thread); a guard that finds it set stays inactive.
class TLabelColorUpdate {
 public:
  TLabelColorUpdate();
  ~TLabelColorUpdate();
  TLabelColorUpdate(const TLabelColorUpdate&) = delete;
  TLabelColorUpdate& operator=(const TLabelColorUpdate&) = delete;
  // This guard set the flag (it was clear before).
  bool Owns() const { return owns_; }
  static bool Active();

 private:
  bool owns_;
};

enum class TsEllipsisPosition { epNone, epPathEllipsis, epEndEllipsis, epWordEllipsis };

class TsCustomLabel : public TCustomLabel {
 public:
  explicit TsCustomLabel(TComponent* owner);
  const std::wstring& SkinSection() const { return skinSection_; }
  void SetSkinSection(const std::wstring& value);
  // The explicit manager, or the process-wide default one.
  TsSkinManager* SkinManager() const;
  void SetSkinManager(TsSkinManager* value) { skinManager_ = value; }
  TsEllipsisPosition EllipsisPosition() const { return ellipsis_; }
  void SetEllipsisPosition(TsEllipsisPosition v);
  // The section's index during a paint, −1 otherwise.
  int SkinIndex = -1;

  // The font to draw with.
  virtual const TFont& LabelFont() const { return Font(); }
  // The text colour of the skinned path.
  virtual TColor LabelTextColor() const;

  // A manager exists and its skin is active.
  bool Skinned() const;
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;
  void WndProc(TMessage& msg) override;

 protected:
  void Paint(TCanvas& canvas) override;
  void DoDrawText(TCanvas& canvas, TRect& r, UINT flags) override;
  // The colour seen at the label's parent (its skinned background colour, else its own colour).
  TColor ParentBackColor() const;
  // The section's normal font colour, resolved to RGB.
  TColor SectionFontColor(int index) const;

 private:
  // Cuts a word-wrapped text before its last blank, with "...", until it fits the height.
  std::wstring CutToHeight(TCanvas& canvas, std::wstring text, const TRect& r, UINT flags) const;
  std::wstring skinSection_;
  TsSkinManager* skinManager_ = nullptr;
  TsEllipsisPosition ellipsis_ = TsEllipsisPosition::epNone;
};

class TsLabel : public TsCustomLabel {
 public:
  using TsCustomLabel::TsCustomLabel;
  bool UseSkinColor() const { return useSkinColor_; }
  void SetUseSkinColor(bool v);
  TColor LabelTextColor() const override;
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

 private:
  bool useSkinColor_ = true;
};

// The caption label of an edit-like control, pointing back to the settings that own it.
class TsEditLabel : public TsLabel {
 public:
  TsEditLabel(TComponent* owner, TsBoundLabel* boundLabel) : TsLabel(owner), BoundLabel(boundLabel) {}
  TsBoundLabel* const BoundLabel;
};

// Show commands of the platform, in their numeric order.
enum class TsWindowShowMode { soHide, soNormal, soShowMinimized, soMaximize, soShowNoActivate, soShow, soMinimize,
                              soShowMinNoActive, soShowNA, soRestore, soDefault };

class TsWebLabel : public TsLabel {
 public:
  explicit TsWebLabel(TComponent* owner);
  // The normal font; setting it sets the framework font too.
  const TFont& NormalFont() const { return normalFont_; }
  void SetNormalFont(const TFont& f);
  TFont& HoverFont() { return hoverFont_; }
  void SetHoverFont(const TFont& f) { hoverFont_.Assign(f); }
  const std::wstring& URL() const { return url_; }
  void SetURL(const std::wstring& v) { url_ = v; }
  TsWindowShowMode ShowMode() const { return showMode_; }
  void SetShowMode(TsWindowShowMode v) { showMode_ = v; }
  bool MouseAbove() const { return mouseAbove_; }

  const TFont& LabelFont() const override;
  TColor LabelTextColor() const override;
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;
  void Loaded() override;
  void WndProc(TMessage& msg) override;

 protected:
  void MouseDown(TMouseButton button, int x, int y) override;

 private:
  void SetMouseAbove(bool v);
  TFont normalFont_;
  TFont hoverFont_;
  std::wstring url_;
  TsWindowShowMode showMode_ = TsWindowShowMode::soDefault;
  bool mouseAbove_ = false;
};

enum class TsShadowMode { smNone, smCustom, smSkin1 };
enum class TsKindType { ktStandard, ktCustom, ktSkin };

class TsLabelFX;

// The shadow margins a label's bounds include.
struct TsOffsetKeeper {
  int LeftTop = 0;
  int RightBottom = 0;
};

// The glow settings of one effect label; a change moves or repaints it.
class TsShadow {
 public:
  explicit TsShadow(TsLabelFX& parent) : parent_(parent) {}
  TsLabelFX& ParentControl() const { return parent_; }
  TsShadowMode Mode() const { return mode_; }
  void SetMode(TsShadowMode v);
  TColor Color() const { return color_; }
  void SetColor(TColor v);
  int BlurCount() const { return blurCount_; }
  void SetBlurCount(int v);
  int Distance() const { return distance_; }
  void SetDistance(int v);
  int AlphaValue() const { return alpha_; }
  void SetAlphaValue(int v);
  TsOffsetKeeper OffsetKeeper;
  // Keep the first glow image for ever (not stored).
  bool ShadowBuffered = false;
  // The glow colour's channels, as cached for drawing.
  int sr = 0, sg = 0, sb = 0;
  void CacheChannels(TColor c);

 private:
  TsLabelFX& parent_;
  TsShadowMode mode_ = TsShadowMode::smSkin1;
  TColor color_ = clBlack;
  int blurCount_ = 4;
  int distance_ = 1;
  int alpha_ = 255;
};

// Where the effect label's text colour comes from.
class TsKind {
 public:
  explicit TsKind(TsLabelFX& owner) : owner_(owner) {}
  TsKindType KindType() const { return kindType_; }
  void SetKindType(TsKindType v);
  TColor Color() const { return color_; }
  void SetColor(TColor v);

 private:
  TsLabelFX& owner_;
  TsKindType kindType_ = TsKindType::ktSkin;
  TColor color_ = clWhite;
};

class TsLabelFX : public TsCustomLabel {
 public:
  explicit TsLabelFX(TComponent* owner);
  TsShadow& Shadow() { return shadow_; }
  const TsShadow& Shadow() const { return shadow_; }
  TsKind& Kind() { return kind_; }
  int Angle() const { return angle_; }
  // A non-zero angle turns word wrap off.
  void SetAngle(int v);

  TShadowData CurrentShadowData() const;
  // The text colour, as an RGB value.
  TColor CurrentFontColor();
  // Moves and sizes the label after its shadow margins changed, keeping its text in place.
  void UpdatePosition();
  void Invalidate() override;
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;
  void WndProc(TMessage& msg) override;

  // The current top-left shadow margin; true while the label moves itself.
  int OffsTopLeft = 0;
  bool IntPosChanging = false;

 protected:
  void AdjustBounds() override;
  void DoDrawText(TCanvas& canvas, TRect& r, UINT flags) override;

 private:
  // The text extent on a screen device context with the label's font.
  TPoint MeasureText(const std::wstring& text, const TRect& r, UINT format) const;
  void DrawGlowImage(TCanvas& canvas, const TRect& r, const TRect& t, const std::wstring& text, UINT format,
                     const TShadowData& s, HFONT rotated, TPoint origin);
  TsShadow shadow_{*this};
  TsKind kind_{*this};
  int angle_ = 0;
  std::unique_ptr<TBitmap> FMask;
  TLabelGlow glow_;
  bool FNeedInvalidate = true;
};
