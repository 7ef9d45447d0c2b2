// The skinned push button; without an active skin it is the platform's button.
#pragma once
#include "framework/Buttons.h"
#include "skin/paint/sSkinnedControl.h"

class TsButton : public TsSkinnedControl<TButton> {
 public:
  explicit TsButton(TComponent* owner) : TsSkinnedControl(owner, 93) {}
};
