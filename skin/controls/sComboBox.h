// The skinned combo box; without an active skin it is the platform's combo box.
#pragma once
#include "framework/Edits.h"
#include "framework/Labels.h"
#include "skin/controls/sBoundLabel.h"
#include "skin/paint/sSkinnedControl.h"

class TsCustomComboBox : public TsSkinnedControl<TComboBox> {
 public:
  explicit TsCustomComboBox(TComponent* owner) : TsSkinnedControl(owner, 3), boundLabel_(*this) {}
  TsBoundLabel& BoundLabel() { return boundLabel_; }
  TAlignment Alignment() const { return alignment_; }
  TTextLayout VerticalAlignment() const { return verticalAlignment_; }
  bool SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) override {
    if (name.rfind("BoundLabel.", 0) == 0) return boundLabel_.SetProperty(name.substr(11), v);
    if (name == "Alignment") {
      const auto& s = v.AsIdentifier();
      alignment_ = s == L"taCenter" ? TAlignment::taCenter : s == L"taRightJustify" ? TAlignment::taRightJustify : TAlignment::taLeftJustify;
    } else if (name == "VerticalAlignment") {
      const auto& s = v.AsIdentifier();
      verticalAlignment_ = s == L"taVerticalCenter" ? TTextLayout::tlCenter : s == L"taAlignBottom" ? TTextLayout::tlBottom : TTextLayout::tlTop;
    } else return TsSkinnedControl::SetProperty(name, v, ctx);
    return true;
  }
  void WndProc(TMessage& m) override {
    TsSkinnedControl::WndProc(m);
    boundLabel_.OwnerMessage(m);  // last: the label follows what the control became
  }

 private:
  TsBoundLabel boundLabel_;
  TAlignment alignment_ = TAlignment::taLeftJustify;
  TTextLayout verticalAlignment_ = TTextLayout::tlCenter;
};

class TsComboBox : public TsCustomComboBox {
 public:
  using TsCustomComboBox::TsCustomComboBox;
};
