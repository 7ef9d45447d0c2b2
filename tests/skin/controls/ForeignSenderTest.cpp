// Private messages from another thread: every skin command and every framework notification,
// sent and posted with a bogus lParam to a real button, check box and (through its form) gauge,
// answers 0 and changes nothing. From another process they arrive the same way.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <tuple>

#include "../paint/PumpUtil.h"
#include "framework/Form.h"
#include "framework/Messages.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sCheckBox.h"
#include "skin/controls/sGauge.h"
#include "skin/data/sSkinSend.h"
#include "skin/data/sStoredSkinLoad.h"
#include "skin/paint/sGlow.h"
#include "skin/paint/sSkinEngine.h"

namespace {

constexpr LPARAM kBogus = 0x10;

class ForeignSender : public ::testing::Test {
 protected:
  TsSkinManager manager{nullptr};
  TForm form{nullptr};
  TsButton* button = nullptr;
  TsCheckBox* check = nullptr;
  TsGauge* gauge = nullptr;

  void SetUp() override {
    InstallSkinEngine();
    storedskin::PrepareStoredSkin(manager, storedskin::ReadFileBytes(PRISMATONE_WINDOW_SKIN_PATH), 0, L"T");
    manager.SetSkinName(L"T");
    form.SetBounds(60, 60, 320, 220);
    button = Place(new TsButton(&form), 10);
    button->SetCaption(L"Установить");
    check = Place(new TsCheckBox(&form), 50);
    check->SetCaption(L"Ярлык");
    check->SetChecked(true);
    gauge = Place(new TsGauge(&form), 90);
    gauge->SetProgress(40);
    gauge->SetAnimated(true);
    form.Show();
    pumptest::PumpPending();
  }
  void TearDown() override {
    HideAllGlows(true);
    SetSkinPlatform(nullptr);
  }
  template <class T>
  T* Place(T* control, int top) {
    control->SetParent(&form);
    control->SetBounds(20, top, 120, 25);
    control->Loaded();
    return control;
  }
  // What a foreign message could change: the windows, the skin state, the values, the timer.
  auto State() {
    return std::make_tuple(form.Handle(), button->Handle(), check->Handle(), form.ControlCount(),
                           button->SkinData().SkinIndex, button->SkinData().SkinSection(), button->SkinData().SkinManager(),
                           check->SkinData().SkinIndex, check->Checked(), button->Caption(), check->Caption(),
                           gauge->SkinData().SkinIndex, gauge->Progress(), gauge->TimerEnabled(),
                           button->Enabled(), IsWindowVisible(form.Handle()));
  }
};

TEST_F(ForeignSender, PrivateMessagesFromAnotherThreadAnswerZeroAndChangeNothing) {
  ASSERT_GE(button->SkinData().SkinIndex, 0);
  ASSERT_TRUE(gauge->TimerEnabled());
  const auto before = State();
  const HWND targets[] = {button->Handle(), check->Handle(), form.Handle()};

  std::atomic<bool> done{false};
  int nonZero = 0;
  std::thread foreign([&] {
    for (HWND wnd : targets) {
      for (UINT code = 0; code <= 80; ++code) {
        if (SendMessageW(wnd, SM_SKINCOMMAND, SkinCommandWParam(std::uint16_t(code), 1), kBogus) != 0) ++nonZero;
        PostMessageW(wnd, SM_SKINCOMMAND, SkinCommandWParam(std::uint16_t(code)), kBogus);
      }
      for (UINT msg = FN_BASE; msg <= FN_LAST; ++msg) {
        if (SendMessageW(wnd, msg, 1, kBogus) != 0) ++nonZero;
        PostMessageW(wnd, msg, 1, kBogus);
      }
    }
    done = true;
  });
  // The other thread's sends are delivered while this one pumps.
  pumptest::Pump([&] { return done.load(); });
  foreign.join();
  pumptest::PumpPending();

  EXPECT_EQ(nonZero, 0);
  EXPECT_TRUE(State() == before);
  // Our own sends still work.
  EXPECT_EQ(SendSkinCommand(*button, SKIN_ISSKINNED), 1);
}

}  // namespace
