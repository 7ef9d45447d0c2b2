// The provider's Wine tests' common ground: a skin manager with the setup window's own skin, and
// shown, skinned forms.
#pragma once
#include <gtest/gtest.h>

#include "../controls/WindowPixels.h"
#include "../paint/PumpUtil.h"
#include "framework/Form.h"
#include "framework/Handles.h"
#include "framework/WindowProcHook.h"
#include "skin/data/sHelperWindows.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinSend.h"
#include "skin/data/sStoredSkinLoad.h"
#include "skin/frame/sSkinProvider.h"
#include "skin/paint/sGlow.h"
#include "skin/paint/sSkinEngine.h"

namespace providertest {

using pumptest::PumpPending;

inline void PumpFor(int ms) {
  const DWORD end = GetTickCount() + DWORD(ms);
  while (GetTickCount() < end) {
    PumpPending();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

// Counts the visible helper windows of the thread (covers, overlays) into *count.
inline BOOL CALLBACK CountVisibleHelpers(HWND wnd, LPARAM count) {
  if (IsWindowVisible(wnd) && IsHelperForm(TWinControl::FromHandle(wnd))) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

// The setup window's skin, read and recoloured as the setup does, the manager done reading.
inline void LoadWindowSkin(TsSkinManager& manager) {
  storedskin::PrepareStoredSkin(manager, storedskin::ReadFileBytes(PRISMATONE_WINDOW_SKIN_PATH), 196, L"T");
  manager.SetSkinName(L"T");
  manager.ClearComponentState(csReading);
  manager.Loaded();
}

class Provider : public ::testing::Test {
 protected:
  TsSkinManager manager{nullptr};

  void SetUp() override {
    InstallSkinEngine();
    LoadWindowSkin(manager);
    manager.Effects().AllowGlowing = false;  // buttons repaint directly: their pixels are the image's
  }
  void TearDown() override {
    HideAllGlows(true);
    SetSkinPlatform(nullptr);
  }
  // A skinned form, not yet shown; its provider belongs to it.
  std::unique_ptr<TForm> NewHiddenForm(TFormBorderStyle style, int left, TBorderIcons icons = kDefaultBorderIcons) {
    auto form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(style);
    form->SetBorderIcons(icons);
    form->SetBounds(left, 60, 320, 200);
    form->SetCaption(L"Frame");
    new RiDuraRidareza(form.get());
    return form;
  }
  // The same, shown and painted.
  std::unique_ptr<TForm> NewForm(TFormBorderStyle style, int left, TBorderIcons icons = kDefaultBorderIcons) {
    auto form = NewHiddenForm(style, left, icons);
    form->Show();
    PumpPending();
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    PumpPending();
    return form;
  }
  static RiDuraRidareza& Of(TForm& form) { return *ProviderOf(form.Handle()); }
  static LPARAM ScreenAt(TForm& form, TPoint p) {
    RECT w{};
    GetWindowRect(form.Handle(), &w);
    return MAKELPARAM(w.left + p.X, w.top + p.Y);
  }
};

}  // namespace providertest
