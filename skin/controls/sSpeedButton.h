// The skinned speed button; without an active skin it draws as the framework's speed button.
#pragma once
#include "framework/Buttons.h"
#include "skin/paint/sSkinnedControl.h"

class TsSpeedButton : public TsSkinnedControl<TSpeedButton> {
 public:
  explicit TsSpeedButton(TComponent* owner) : TsSkinnedControl(owner, 92) {}
};
