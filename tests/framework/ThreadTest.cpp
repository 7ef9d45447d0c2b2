// Thread objects: synchronised calls reach the user-interface thread, waits end, errors come back.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include "framework/Application.h"
#include "framework/Thread.h"

namespace {
// A thread running the given body.
class TBodyThread : public TThread {
 public:
  explicit TBodyThread(std::function<void(TBodyThread&)> body) : body_(std::move(body)) {}
  ~TBodyThread() override {
    Terminate();
    WaitFor();  // body_ is used by Execute: wait before it goes
  }

 protected:
  void Execute() override { body_(*this); }

 private:
  std::function<void(TBodyThread&)> body_;
};
}  // namespace

// A synchronised call runs on the user-interface thread and the worker sees its effect; a
// WaitFor on the user-interface thread runs it and returns.
TEST(Thread, SynchronizeRunsOnTheUIThread) {
  TApplication app;
  const DWORD ui = GetCurrentThreadId();
  DWORD worker = 0, ranOn = 0;
  int seen = 0;
  auto t = TThread::Create<TBodyThread>(false, [&](TBodyThread&) {
    worker = GetCurrentThreadId();
    int value = 0;
    TThread::Synchronize([&] {
      ranOn = GetCurrentThreadId();
      value = 42;
    });
    seen = value;
  });
  t->WaitFor();
  EXPECT_TRUE(t->Finished());
  EXPECT_NE(worker, ui);
  EXPECT_EQ(ranOn, ui);
  EXPECT_EQ(seen, 42);
}

// The message loop runs synchronised calls, in the order they were made.
TEST(Thread, SynchronizeThroughTheMessageLoop) {
  TApplication app;
  std::vector<int> order;
  auto t = TThread::Create<TBodyThread>(false, [&](TBodyThread&) {
    for (int i = 1; i <= 3; ++i) TThread::Synchronize([&order, i] { order.push_back(i); });
  });
  const HANDLE h = t->Handle();
  while (MsgWaitForMultipleObjects(1, &h, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) app.ProcessMessages();
  EXPECT_EQ(order, (std::vector<int>{1, 2, 3}));
}

// An exception in the synchronised call is rethrown in the worker; one leaving Execute is kept.
TEST(Thread, ErrorsComeBackToTheWorker) {
  TApplication app;
  std::wstring caught;
  auto t = TThread::Create<TBodyThread>(false, [&](TBodyThread&) {
    try {
      TThread::Synchronize([] { throw Exception(L"in the call"); });
    } catch (const Exception& e) {
      caught = e.Message();
    }
    throw Exception(L"in Execute");
  });
  t->WaitFor();
  EXPECT_EQ(caught, L"in the call");
  ASSERT_TRUE(t->FatalException());
  EXPECT_EQ(ExceptionMessage(t->FatalException()), L"in Execute");
}

// Two workers wait in Synchronize at once, so that their two wake-ups are one; the first call
// waits for the second worker from inside. Every queued call runs and both waits end. Should the
// wait hang, a watchdog ends the program with a message rather than the suite's timeout.
TEST(Thread, WaitForInsideASynchronisedCallRunsTheOtherQueuedCalls) {
  TApplication app;
  std::atomic<int> queued{0};
  bool secondRan = false;
  std::unique_ptr<TBodyThread> second;
  auto first = TThread::Create<TBodyThread>(false, [&](TBodyThread&) {
    ++queued;
    TThread::Synchronize([&] { second->WaitFor(); });
  });
  // The first call is queued first, so that it runs first and waits for the second worker,
  // whose call stands behind it in the queue.
  while (queued < 1) Sleep(1);
  Sleep(200);
  second = TThread::Create<TBodyThread>(false, [&](TBodyThread&) {
    ++queued;
    TThread::Synchronize([&] { secondRan = true; });
  });
  while (queued < 2) Sleep(1);
  Sleep(200);  // both requests in the queue before this thread looks

  std::atomic<bool> ended{false};
  std::thread watchdog([&] {
    for (int i = 0; i < 600 && !ended; ++i) Sleep(100);
    if (ended) return;
    std::fputs("WaitFor inside a synchronised call hung\n", stderr);
    std::fflush(stderr);
    ExitProcess(3);
  });
  first->WaitFor();
  ended = true;
  watchdog.join();
  EXPECT_TRUE(secondRan);
  EXPECT_TRUE(second->Finished());
}

// A suspended thread starts on Start with its priority, follows later changes, ends on
// Terminate, and cannot be started twice.
TEST(Thread, PriorityTerminateAndStart) {
  TApplication app;
  auto t = TThread::Create<TBodyThread>(true, [](TBodyThread& self) {
    while (!self.Terminated()) Sleep(1);
  });
  EXPECT_FALSE(t->Started());
  EXPECT_EQ(t->WaitFor(), 0u);  // never started: nothing to wait for
  t->SetPriority(TThreadPriority::tpLowest);
  t->Start();
  EXPECT_EQ(GetThreadPriority(t->Handle()), THREAD_PRIORITY_LOWEST);
  t->SetPriority(TThreadPriority::tpHigher);
  EXPECT_EQ(GetThreadPriority(t->Handle()), THREAD_PRIORITY_ABOVE_NORMAL);
  EXPECT_EQ(t->Priority(), TThreadPriority::tpHigher);
  t->Terminate();
  t->WaitFor();
  EXPECT_TRUE(t->Finished());
  EXPECT_THROW(t->Start(), EThread);
}
