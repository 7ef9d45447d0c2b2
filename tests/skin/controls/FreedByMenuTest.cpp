// A drop-down menu item whose click frees the button that showed the menu: nothing of the
// button is touched after the click. The buttons live on pages that become inaccessible when
// they are deleted, so that any read after the click faults at once.
#include <gtest/gtest.h>

#include <functional>
#include <new>

#include "../paint/PumpUtil.h"
#include "framework/Form.h"
#include "framework/Menus.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/data/sStoredSkinLoad.h"
#include "skin/paint/sGlow.h"
#include "skin/paint/sSkinEngine.h"

namespace {

// An object whose memory stays reserved, but inaccessible, once it is deleted.
template <class T>
class TGuarded : public T {
 public:
  using T::T;
  static void* operator new(std::size_t size) {
    void* p = VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!p) throw std::bad_alloc();
    return p;
  }
  static void operator delete(void* p, std::size_t size) {
    DWORD old;
    VirtualProtect(p, size, PAGE_NOACCESS, &old);
  }
};

class FreedByMenu : public ::testing::Test {
 protected:
  TsSkinManager manager{nullptr};
  TForm form{nullptr};
  TPopupMenu menu{nullptr};
  TControl* victim = nullptr;
  bool clicked = false;

  void SetUp() override {
    InstallSkinEngine();
    storedskin::PrepareStoredSkin(manager, storedskin::ReadFileBytes(PRISMATONE_WINDOW_SKIN_PATH), 0, L"T");
    manager.SetSkinName(L"T");
    form.SetBounds(60, 60, 320, 220);
    menu.Add(L"Закрыть", [this](TObject*) {
      clicked = true;
      delete victim;
    });
  }
  void TearDown() override {
    HideAllGlows(true);
    SetSkinPlatform(nullptr);
  }
  template <class T>
  T* Place(T* control) {
    control->SetParent(&form);
    control->SetBounds(20, 20, 120, 25);
    control->Loaded();
    victim = control;
    form.Show();
    pumptest::PumpPending();
    // The menu's loop finds these in the queue: the first item is chosen as soon as it opens.
    PostMessageW(form.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(form.Handle(), WM_KEYDOWN, VK_RETURN, 0);
    return control;
  }
};

// The split button's arrow and the drop-down speed button: a press on each opens its menu.
TEST_F(FreedByMenu, ButtonsThatDropAMenu) {
  const std::function<void()> presses[] = {
      [this] {
        auto* b = Place(new TGuarded<TsButton>(&form));
        b->SetStyle(TButtonStyle::bsSplitButton);
        b->SetDropDownMenu(&menu);
        SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(b->Width() - 4, 12));
      },
      [this] {
        auto* b = Place(new TGuarded<TsSpeedButton>(&form));
        b->SetButtonStyle(TToolButtonStyle::tbsDropDown);
        b->SetDropdownMenu(&menu);
        b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(b->Width() - 4, 12));
      }};
  for (const auto& press : presses) {
    clicked = false;
    press();
    EXPECT_TRUE(clicked);
    EXPECT_EQ(form.ControlCount(), 0);
  }
}

}  // namespace
