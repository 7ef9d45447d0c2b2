// The skin state that every skinned control carries: its common data made with the control and
// its kind code, read from the layout ("SkinData.…"), told when the layout is loaded, the common
// handling of skin commands and framework notices after the control's own, and the slot of the
// fade that changes its look (stopped when a skin is loaded or removed, when the fade asks for
// it, and with the control).
#pragma once
#include <string>

#include "skin/paint/sCommonData.h"
#include "skin/paint/sFade.h"
#include "skin/paint/sSkinCommands.h"

// Data: the skin state's type, TsCtrlSkinData or one derived from it (TsScrollWndData for
// controls with skinned scroll bars); its SetProperty takes the "SkinData." properties.
template <typename Base, typename Data = TsCtrlSkinData>
class TsSkinnedControl : public Base {
 public:
  TsSkinnedControl(TComponent* owner, int coc) : Base(owner), skinData_(this, coc) {}
  ~TsSkinnedControl() override { StopFade(fadeTimer_); }
  Data& SkinData() { return skinData_; }
  const Data& SkinData() const { return skinData_; }
  // A manager with a skin, a valid section, nothing being destroyed.
  bool Skinned() const { return skinData_.Skinned(); }

  void Loaded() override {
    Base::Loaded();
    skinData_.Loaded();
  }
  void WndProc(TMessage& m) override {
    if (m.Msg == SM_SKINCOMMAND) {
      const std::uint16_t code = SkinCommandCode(m.WParam);
      if (code == SKIN_LOADED || code == SKIN_UNLOADED || code == SKIN_STOPANIMATION) StopFade(fadeTimer_);
    }
    if (!CommonWndProc(m, skinData_)) Base::WndProc(m);
  }
  bool SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) override {
    if (name.rfind("SkinData.", 0) == 0) return skinData_.SetProperty(name.substr(9), v);
    return Base::SetProperty(name, v, ctx);
  }

 protected:
  Data skinData_;
  TsFadeTimer* fadeTimer_ = nullptr;
};
