// Skinned edit and memo; without an active skin they are the platform's edit windows.
#pragma once
#include "framework/Edits.h"
#include "skin/controls/sBoundLabel.h"
#include "skin/paint/sSkinnedControl.h"

// Shared by the skinned edit-like controls: skin state (of type Data) and bound label, which
// sees every message after the control.
template <typename Base, typename Data = TsCtrlSkinData>
class TsEditLike : public TsSkinnedControl<Base, Data> {
 public:
  TsEditLike(TComponent* owner, int coc) : TsSkinnedControl<Base, Data>(owner, coc), boundLabel_(*this) {}
  TsBoundLabel& BoundLabel() { return boundLabel_; }
  bool SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) override {
    if (name.rfind("BoundLabel.", 0) == 0) return boundLabel_.SetProperty(name.substr(11), v);
    return TsSkinnedControl<Base, Data>::SetProperty(name, v, ctx);
  }
  void WndProc(TMessage& m) override {
    TsSkinnedControl<Base, Data>::WndProc(m);
    boundLabel_.OwnerMessage(m);
  }

 private:
  TsBoundLabel boundLabel_;
};

class TsMaskEdit : public TsEditLike<TMaskEdit> {
 public:
  explicit TsMaskEdit(TComponent* owner, int coc = 3) : TsEditLike(owner, coc) {}
};

// Its skin state carries the sizes of the skinned scroll bars.
class TsMemo : public TsEditLike<TMemo, TsScrollWndData> {
 public:
  explicit TsMemo(TComponent* owner) : TsEditLike(owner, 7) {}
};
