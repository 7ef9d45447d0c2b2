// A timer whose interval is measured by a worker thread rather than by WM_TIMER, so that it keeps
// its pace while the message queue is busy. Each tick is still handed to the user-interface
// thread (TThread::Synchronize) and the worker waits until it was handled: OnTimer always runs
// on the user-interface thread, one tick at a time. The timer's properties are set on the
// user-interface thread only.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>
#include <memory>

#include "framework/Component.h"
#include "framework/Handles.h"
#include "framework/Thread.h"

class TsTimerThread;

class TsThreadedTimer : public TComponent {
 public:
  // Create: a 1000 ms timer, enabled, its worker started (unless the application is already
  // terminating). It delivers nothing until OnTimer is assigned.
  explicit TsThreadedTimer(TComponent* owner);
  // CreateOwned: as Create, but disabled and remembering owner; with changeEvent, OnTimer calls
  // the virtual TimeHandler (for descendants that override it).
  static constexpr struct TCreateOwned {
  } CreateOwned{};
  TsThreadedTimer(TCreateOwned, TComponent* owner, bool changeEvent);
  // Destroy: stops the worker (see Stop).
  ~TsThreadedTimer() override;

  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool v);
  std::uint32_t Interval() const { return FInterval; }
  void SetInterval(std::uint32_t ms);
  const TNotifyEvent& OnTimer() const { return FOnTimer; }
  void SetOnTimer(TNotifyEvent handler);
  TThreadPriority ThreadPriority() const { return FThreadPriority; }
  void SetThreadPriority(TThreadPriority p);
  // The object given to CreateOwned (null after Create).
  TObject* TimerOwner() const { return FOwner; }

  // Stops the worker and starts a new one: the interval starts over.
  void Reset();

  // Enabled, Interval, OnTimer, ThreadPriority (tpIdle … tpTimeCritical).
  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;

 protected:
  // The tick of a timer made with CreateOwned(…, true). Does nothing here.
  virtual void TimeHandler() {}

 private:
  friend class TsTimerThread;
  void Start();
  void Stop();
  void Update();
  // Whether a tick handed over by this worker may still run its handler.
  bool Delivers(const TsTimerThread* worker) const;

  bool FEnabled = false;
  std::uint32_t FInterval = 0;
  TNotifyEvent FOnTimer;
  std::unique_ptr<TsTimerThread> FTimerThread;
  TThreadPriority FThreadPriority = TThreadPriority::tpNormal;
  // The worker is let run (not paused).
  bool Executing = false;
  TObject* FOwner = nullptr;
  // OnTimer is running.
  bool InHandler = false;
  // Cleared by the destructor: a handler that freed its own timer returns into a tick that must
  // not touch the timer any more.
  std::shared_ptr<bool> FAlive = std::make_shared<bool>(true);
};

// The worker of a TsThreadedTimer. It only waits: on TimeEvent for Interval ms, then hands the
// tick to the user-interface thread (DoTimer) and waits for it. Its owner frees it.
class TsTimerThread : public TThread {
 public:
  TsTimerThread();
  ~TsTimerThread() override;

  TsThreadedTimer* OwnerTimer = nullptr;
  std::atomic<std::uint32_t> Interval{1000};
  // Signalled to make the worker end (manual reset, made not signalled).
  TUniqueKernelHandle TimeEvent;

  // Pausing is a wait on an event: the worker is never suspended where it stands.
  void Pause();
  void Proceed();
  // Makes a waiting worker start its interval over (after a change of settings).
  void Restart();

 protected:
  void Execute() override;

 private:
  friend class TsThreadedTimer;
  // On the user-interface thread: the tick.
  void DoTimer();

  TUniqueKernelHandle FRunGate;  // manual reset: signalled while the worker may run
  TUniqueKernelHandle FRestart;  // auto reset
  // Seen by DoTimer on the user-interface thread, read by the worker after the tick returned.
  std::atomic<bool> FAppTerminating{false};
  // The user-interface thread is inside this worker's DoTimer, which the worker waits for: it
  // cannot be waited for from there.
  bool FInDoTimer = false;
};
