// The skinned check box; without an active skin it is the platform's check box.
#pragma once
#include "framework/Buttons.h"
#include "skin/paint/sSkinnedControl.h"

class TsCheckBox : public TsSkinnedControl<TCheckBox> {
 public:
  explicit TsCheckBox(TComponent* owner) : TsSkinnedControl(owner, 32) {}
  int ImgChecked() const { return imgChecked_; }
  int ImgUnchecked() const { return imgUnchecked_; }
  bool SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) override {
    if (name == "ImgChecked") imgChecked_ = int(v.AsInteger());
    else if (name == "ImgUnchecked") imgUnchecked_ = int(v.AsInteger());
    else return TsSkinnedControl::SetProperty(name, v, ctx);
    return true;
  }

 private:
  int imgChecked_ = 0;
  int imgUnchecked_ = 0;
};
