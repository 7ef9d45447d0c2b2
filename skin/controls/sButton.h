// The skinned push button; without an active skin it is the platform's button.
#pragma once
#include "framework/Buttons.h"
#include "skin/paint/sCommonData.h"

class TsButton : public TButton {
 public:
  explicit TsButton(TComponent* owner) : TButton(owner) {}
  TsCommonData& SkinData() { return skinData_; }
  bool SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) override {
    if (name.rfind("SkinData.", 0) == 0) return skinData_.SetProperty(name.substr(9), v);
    return TButton::SetProperty(name, v, ctx);
  }

 private:
  TsCommonData skinData_{93};
};
