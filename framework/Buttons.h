// Push button, check box (platform windows) and speed button (windowless).
#pragma once
#include "framework/CheckState.h"
#include "framework/WinControl.h"

// Controls over the platform's BUTTON class: the click comes from the platform's button
// notification, never from the framework's press-and-release handling (it would come twice).
class TButtonControl : public TWinControl {
 public:
  explicit TButtonControl(TComponent* owner);
  void WndProc(TMessage& msg) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  // The platform reported a click (BN_CLICKED).
  virtual void ButtonClicked() { Click(); }
};

class TButton : public TButtonControl {
 public:
  explicit TButton(TComponent* owner);
  bool Default() const { return default_; }
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

 protected:
  void CreateParams(TCreateParams& params) override;

 private:
  bool default_ = false;
};

// A three-state platform button whose state the framework keeps: the platform only reports the
// click, and the framework's toggle decides the next state.
class TCheckBox : public TButtonControl {
 public:
  explicit TCheckBox(TComponent* owner);
  bool Checked() const { return State() == TCheckBoxState::cbChecked; }
  virtual void SetChecked(bool v) { SetState(v ? TCheckBoxState::cbChecked : TCheckBoxState::cbUnchecked); }
  TCheckBoxState State() const;
  void SetState(TCheckBoxState s);
  bool AllowGrayed() const { return allowGrayed_; }
  void SetAllowGrayed(bool v) { allowGrayed_ = v; }
  // The click's change (ToggledState), then the click event.
  void Toggle();
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void ButtonClicked() override;

 private:
  TCheckBoxState state_ = TCheckBoxState::cbUnchecked;
  bool allowGrayed_ = false;
};

enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

// A windowless button drawn by the framework; in a group (GroupIndex ≠ 0) one stays down.
class TSpeedButton : public TGraphicControl {
 public:
  explicit TSpeedButton(TComponent* owner);
  bool Down() const { return down_; }
  void SetDown(bool v);
  int GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(int v) { groupIndex_ = v; }
  bool Flat() const { return flat_; }
  TButtonState State() const { return state_; }
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;
  void WndProc(TMessage& msg) override;

 protected:
  void PaintPlain(TCanvas& canvas) override;
  void MouseDown(TMouseButton button, int x, int y) override;
  void MouseMove(int x, int y) override;
  void MouseUp(TMouseButton button, int x, int y) override;

  TButtonState state_ = TButtonState::bsUp;

 private:
  bool down_ = false;
  int groupIndex_ = 0;
  bool allowAllUp_ = false;
  bool flat_ = false;
};
