// A released form lives until the messages waiting before its release have been handled, and a
// form its owner (or the end of the application) destroys first is simply forgotten.
#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/Form.h"

namespace {

// Counts its destructions, so that a double delete or a missing one shows.
class TCountedForm : public TForm {
 public:
  TCountedForm(TComponent* owner, int& destroyed) : TForm(owner), destroyed_(destroyed) {}
  ~TCountedForm() override { ++destroyed_; }

 private:
  int& destroyed_;
};

constexpr UINT kBefore = WM_APP + 11;

void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

}  // namespace

// The form and its window are still there while the messages queued before the release run.
TEST(FormRelease, DestroyedAfterThePendingMessages) {
  int destroyed = 0;
  auto* form = new TCountedForm(nullptr, destroyed);
  HWND wnd = form->Handle();
  bool aliveThen = false;
  form->OnClose = [&](TObject*, TCloseAction&) { aliveThen = IsWindow(wnd) != FALSE; };
  PostMessageW(wnd, WM_CLOSE, 0, 0);
  form->Release();
  form->Release();  // twice: still one destruction
  EXPECT_EQ(destroyed, 0);
  Pump();
  EXPECT_TRUE(aliveThen);
  EXPECT_EQ(destroyed, 1);
  EXPECT_FALSE(IsWindow(wnd));
}

// A release message posted by someone else (without the framework's cookie) destroys nothing.
TEST(FormRelease, ForeignReleaseMessageIsIgnored) {
  int destroyed = 0;
  auto* form = new TCountedForm(nullptr, destroyed);
  form->Release();
  HWND release = FindWindowExW(HWND_MESSAGE, nullptr, L"PrismatoneRelease", nullptr);
  ASSERT_TRUE(release);
  for (UINT msg = WM_APP; msg < WM_APP + 0x200; ++msg) SendMessageW(release, msg, 0xFFFFFFFF, 12345);
  EXPECT_EQ(destroyed, 0);
  Pump();
  EXPECT_EQ(destroyed, 1);
}

// An application that ends before the message arrives takes its released forms with it, owned or
// not, each exactly once; the late message then finds nothing to do.
TEST(FormRelease, ApplicationEndingFirst) {
  int destroyed = 0;
  {
    TApplication app;
    auto* owned = new TCountedForm(&app, destroyed);
    auto* ownerless = new TCountedForm(nullptr, destroyed);
    owned->Release();
    ownerless->Release();
  }
  EXPECT_EQ(destroyed, 2);
  Pump();
  EXPECT_EQ(destroyed, 2);
}
