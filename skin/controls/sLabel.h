// Skinned labels: the plain skinned label, the hyperlink label and the label with a glowing
// shadow. Without an active skin they draw as ordinary labels.
#pragma once
#include "framework/Labels.h"
#include "skin/paint/sCommonData.h"

class TsCustomLabel : public TCustomLabel {
 public:
  explicit TsCustomLabel(TComponent* owner);
  TsCommonData& SkinData() { return skinData_; }
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

 private:
  TsCommonData skinData_{this, 0};
};

class TsLabel : public TsCustomLabel {
 public:
  using TsCustomLabel::TsCustomLabel;
  bool UseSkinColor() const { return useSkinColor_; }
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

 private:
  bool useSkinColor_ = true;
};

// Show commands of the platform, in their numeric order.
enum class TsWindowShowMode { soHide, soNormal, soShowMinimized, soMaximize, soShowNoActivate, soShow, soMinimize,
                              soShowMinNoActive, soShowNA, soRestore, soDefault };

class TsWebLabel : public TsLabel {
 public:
  explicit TsWebLabel(TComponent* owner);
  TFont& HoverFont() { return hoverFont_; }
  const TFont& NormalFont() const { return normalFont_; }
  const std::wstring& URL() const { return url_; }
  TsWindowShowMode ShowMode() const { return showMode_; }
  bool MouseAbove() const { return mouseAbove_; }
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;
  void Loaded() override;
  void WndProc(TMessage& msg) override;

 protected:
  void MouseDown(TMouseButton button, int x, int y) override;

 private:
  TFont normalFont_;
  TFont hoverFont_;
  std::wstring url_;
  TsWindowShowMode showMode_ = TsWindowShowMode::soDefault;
  bool mouseAbove_ = false;
};

enum class TsShadowMode { smNone, smCustom, smSkin1 };
enum class TsKindType { ktStandard, ktCustom, ktSkin };

struct TsOffsetKeeper {
  int LeftTop = 0;
  int RightBottom = 0;
};

struct TsShadow {
  TsShadowMode Mode = TsShadowMode::smSkin1;
  TColor Color = clBlack;
  int BlurCount = 4;
  int Distance = 1;
  int AlphaValue = 255;
  TsOffsetKeeper OffsetKeeper;
};

struct TsKind {
  TsKindType KindType = TsKindType::ktSkin;
  TColor Color = clWhite;
};

class TsLabelFX : public TsCustomLabel {
 public:
  explicit TsLabelFX(TComponent* owner);
  TsShadow& Shadow() { return shadow_; }
  TsKind& Kind() { return kind_; }
  int Angle() const { return angle_; }
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

 private:
  TsShadow shadow_;
  TsKind kind_;
  int angle_ = 0;
};
