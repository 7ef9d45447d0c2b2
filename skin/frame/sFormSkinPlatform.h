// Form skinning for the whole program: the skin manager's Windows platform whose window hook
// gives every form that has no skinned frame yet one (a TsProvider) when it is first activated,
// as the manager's rules allow (srStdForms).
#pragma once
#include "skin/data/sSkinManagerWin.h"

class TsFormSkinPlatform : public TsWinSkinPlatform {
 public:
  using TsWinSkinPlatform::TsWinSkinPlatform;
  void WindowHookNotice(int code, WPARAM wParam, LPARAM lParam) override;
};

// Makes every skin manager of the process use the form-skinning platform with the engine's host
// (instead of InstallSkinEngine). Call once at start-up, before the first form exists.
void InstallFormSkinning();
