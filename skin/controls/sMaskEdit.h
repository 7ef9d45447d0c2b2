// Skinned edit and memo; without an active skin they are the platform's edit windows.
#pragma once
#include "framework/Edits.h"
#include "skin/controls/sBoundLabel.h"
#include "skin/paint/sSkinnedControl.h"

// Stored settings shared by the skinned edit-like controls: skin state and bound label.
template <typename Base>
class TsEditLike : public TsSkinnedControl<Base> {
 public:
  TsEditLike(TComponent* owner, int coc) : TsSkinnedControl<Base>(owner, coc) {}
  TsBoundLabel& BoundLabel() { return boundLabel_; }
  bool SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) override {
    if (name.rfind("BoundLabel.", 0) == 0) return boundLabel_.SetProperty(name.substr(11), v);
    return TsSkinnedControl<Base>::SetProperty(name, v, ctx);
  }

 private:
  TsBoundLabel boundLabel_;
};

class TsMaskEdit : public TsEditLike<TMaskEdit> {
 public:
  explicit TsMaskEdit(TComponent* owner, int coc = 3) : TsEditLike(owner, coc) {}
};

class TsMemo : public TsEditLike<TMemo> {
 public:
  explicit TsMemo(TComponent* owner) : TsEditLike(owner, 7) {}
};
