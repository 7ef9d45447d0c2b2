// The skinned check box; without an active skin it is the platform's check box.
#pragma once
#include "framework/Buttons.h"
#include "skin/paint/sCommonData.h"

class TsCheckBox : public TCheckBox {
 public:
  explicit TsCheckBox(TComponent* owner) : TCheckBox(owner) {}
  TsCommonData& SkinData() { return skinData_; }
  int ImgChecked() const { return imgChecked_; }
  int ImgUnchecked() const { return imgUnchecked_; }
  bool SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) override {
    if (name.rfind("SkinData.", 0) == 0) return skinData_.SetProperty(name.substr(9), v);
    if (name == "ImgChecked") imgChecked_ = int(v.AsInteger());
    else if (name == "ImgUnchecked") imgUnchecked_ = int(v.AsInteger());
    else return TCheckBox::SetProperty(name, v, ctx);
    return true;
  }

 private:
  TsCommonData skinData_{32};
  int imgChecked_ = 0;
  int imgUnchecked_ = 0;
};
