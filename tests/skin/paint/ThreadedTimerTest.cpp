// The threaded timer: ticks reach OnTimer on the user-interface thread, pausing drops ticks,
// and stopping always ends, even while a tick waits for the user-interface thread.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "framework/Application.h"
#include "framework/Handles.h"
#include "skin/paint/sThreadedTimer.h"

namespace {
// Dispatches messages until done() holds; gives up after a long while only to turn a hang into
// a failure. Returns done().
template <typename Done>
bool PumpUntil(TApplication& app, Done done) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > 30000) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    app.ProcessMessages();
  }
  return true;
}

// Dispatches for a few rounds, letting any tick still in flight arrive.
void PumpAWhile(TApplication& app) {
  for (int i = 0; i < 20; ++i) {
    Sleep(2);
    app.ProcessMessages();
  }
}

// Whether the suite runs where 32-bit code is only emulated (scripts/test.sh says so).
bool EmulatedHost() {
  wchar_t mode[16] = {};
  return GetEnvironmentVariableW(L"PRISMATONE_I386_MODE", mode, 16) && std::wstring(mode) == L"emulated";
}

// Ends the process when a deadlock keeps a test from finishing.
class TWatchdog {
 public:
  explicit TWatchdog(const char* what)
      : thread_([this, what] {
          if (WaitForSingleObject(done_.get(), 120000) == WAIT_TIMEOUT) {
            std::fprintf(stderr, "hung: %s\n", what);
            std::_Exit(3);
          }
        }) {}
  ~TWatchdog() {
    SetEvent(done_.get());
    thread_.join();
  }

 private:
  TUniqueKernelHandle done_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
  std::thread thread_;
};

class TCountingTimer : public TsThreadedTimer {
 public:
  explicit TCountingTimer(TComponent* owner) : TsThreadedTimer(CreateOwned, owner, true) {}
  int hits = 0;

 protected:
  void TimeHandler() override { ++hits; }
};
}  // namespace

// Create's defaults; each tick calls OnTimer with the timer, on the user-interface thread.
TEST(ThreadedTimer, TicksOnTheUIThread) {
  TApplication app;
  TsThreadedTimer timer(nullptr);
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 1000u);
  EXPECT_EQ(timer.ThreadPriority(), TThreadPriority::tpNormal);
  std::vector<DWORD> threads;
  timer.SetInterval(5);
  timer.SetOnTimer([&](TObject* sender) {
    EXPECT_EQ(sender, &timer);
    threads.push_back(GetCurrentThreadId());
  });
  ASSERT_TRUE(PumpUntil(app, [&] { return threads.size() >= 3; }));
  for (DWORD id : threads) EXPECT_EQ(id, GetCurrentThreadId());
}

// No handler runs once Enabled is false, not even for a tick already handed over.
TEST(ThreadedTimer, NoTickAfterDisabling) {
  TApplication app;
  TsThreadedTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(1);
  timer.SetOnTimer([&](TObject*) { ++ticks; });
  ASSERT_TRUE(PumpUntil(app, [&] { return ticks >= 2; }));
  Sleep(20);  // a tick now most likely waits for this thread
  timer.SetEnabled(false);
  const int atDisable = ticks;
  PumpAWhile(app);
  EXPECT_EQ(ticks, atDisable);
  timer.SetEnabled(true);  // and it comes back
  ASSERT_TRUE(PumpUntil(app, [&] { return ticks > atDisable; }));
}

// Destroying a busy timer ends even when its tick waits for the destroying thread: 200 cycles of
// a 1 ms timer whose handler takes 2 ms, destroyed with and without ticks handled, and from
// inside its own handler.
TEST(ThreadedTimer, CreateDestroyCyclesFinish) {
  // qemu-user, which runs 32-bit code on hosts that cannot, crashes among hundreds of short-lived
  // threads ("uncaught target signal 11"); the x86-64 run and native 32-bit hosts keep the test.
  if (sizeof(void*) == 4 && EmulatedHost()) GTEST_SKIP() << "32-bit code is emulated on this host";
  TApplication app;
  TWatchdog watchdog("create/destroy cycles");
  int ticks = 0;
  for (int i = 0; i < 200; ++i) {
    bool destroyed = false;
    {
      TsThreadedTimer timer(nullptr);
      timer.SetInterval(1);
      timer.SetOnTimer([&](TObject*) {
        EXPECT_FALSE(destroyed);
        Sleep(2);
        ++ticks;
      });
      Sleep(3);
      if (i % 2) app.ProcessMessages();
      Sleep(3);
    }
    destroyed = true;
    app.ProcessMessages();  // nothing of the destroyed timer may arrive now
  }
  // A timer freed by its own handler: its worker waits for that very handler.
  for (int i = 0; i < 20; ++i) {
    auto* timer = new TsThreadedTimer(nullptr);
    bool freed = false;
    timer->SetInterval(1);
    timer->SetOnTimer([&freed, timer](TObject*) {
      if (freed) ADD_FAILURE() << "tick after the timer was freed";
      freed = true;
      delete timer;
    });
    ASSERT_TRUE(PumpUntil(app, [&] { return freed; }));
  }
  PumpAWhile(app);
  RecordProperty("ticks", ticks);
}

// Reset starts the worker over with the same settings, also from inside the handler.
TEST(ThreadedTimer, Reset) {
  TApplication app;
  TsThreadedTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(5);
  timer.SetOnTimer([&](TObject*) {
    if (++ticks == 2) timer.Reset();
  });
  ASSERT_TRUE(PumpUntil(app, [&] { return ticks >= 4; }));
  timer.Reset();
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 5u);
  const int before = ticks;
  ASSERT_TRUE(PumpUntil(app, [&] { return ticks >= before + 2; }));
}

// Setting Interval, ThreadPriority or Enabled to the value they have does nothing: were the
// interval started over each time, the 50 ms ticks would never come while it is set every ~10 ms.
TEST(ThreadedTimer, EqualSettersDoNothing) {
  TApplication app;
  TsThreadedTimer timer(nullptr);
  int ticks = 0;
  timer.SetInterval(50);
  timer.SetThreadPriority(TThreadPriority::tpLower);
  EXPECT_EQ(timer.ThreadPriority(), TThreadPriority::tpLower);
  timer.SetOnTimer([&](TObject*) { ++ticks; });
  ASSERT_TRUE(PumpUntil(app, [&] {
    timer.SetInterval(50);
    timer.SetThreadPriority(TThreadPriority::tpLower);
    timer.SetEnabled(true);
    return ticks >= 2;
  }));
}

// CreateOwned: disabled, remembers its owner, ticks through TimeHandler, freed with its owner.
TEST(ThreadedTimer, CreateOwnedCallsTimeHandler) {
  TApplication app;
  TComponent owner(nullptr);
  auto* timer = new TCountingTimer(&owner);
  EXPECT_FALSE(timer->Enabled());
  EXPECT_EQ(timer->TimerOwner(), &owner);
  EXPECT_EQ(owner.ComponentCount(), 1);
  timer->SetInterval(5);
  PumpAWhile(app);
  EXPECT_EQ(timer->hits, 0);
  timer->SetEnabled(true);
  ASSERT_TRUE(PumpUntil(app, [&] { return timer->hits >= 2; }));
}
