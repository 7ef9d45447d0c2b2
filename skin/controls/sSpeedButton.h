// The skinned speed button; without an active skin it draws as the framework's speed button.
#pragma once
#include "framework/Buttons.h"
#include "skin/paint/sCommonData.h"

class TsSpeedButton : public TSpeedButton {
 public:
  explicit TsSpeedButton(TComponent* owner) : TSpeedButton(owner) {}
  TsCommonData& SkinData() { return skinData_; }
  bool SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) override {
    if (name.rfind("SkinData.", 0) == 0) return skinData_.SetProperty(name.substr(9), v);
    return TSpeedButton::SetProperty(name, v, ctx);
  }

 private:
  TsCommonData skinData_{0};
};
