// A thread object: Execute runs on a thread of its own, and Synchronize hands a call to the
// user-interface thread and waits until it returned.
//
// Synchronised calls go to the user-interface thread through a hidden message-only window made
// on that thread, so whichever loop is dispatching its messages (TApplication's Run and
// ProcessMessages, a message box, any modal loop) runs them. A thread that waits in WaitFor on
// the user-interface thread runs them too (and nothing else), so that a worker waiting in
// Synchronize can never deadlock the thread that waits for it.
#pragma once
#include <windows.h>

#include <atomic>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>

#include "framework/Exception.h"
#include "framework/Handles.h"

enum class TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

// The THREAD_PRIORITY_* value of a priority.
int ThreadPriorityValue(TThreadPriority p);

class EThread : public Exception {
 public:
  using Exception::Exception;
};

class TThread {
 public:
  // The thread is made but does not run until Start. Execute cannot be reached from this
  // constructor (the derived part does not exist yet), so a thread that should run at once is
  // made with Create(false, ...).
  TThread();
  // Ends a running thread (Terminate, WaitFor) as a last resort. A derived class whose Execute
  // uses its own members must stop the thread in its own destructor: by the time this one runs
  // they are gone.
  virtual ~TThread();
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;

  // Makes a T and starts it unless createSuspended.
  template <typename T, typename... Args>
  static std::unique_ptr<T> Create(bool createSuspended, Args&&... args) {
    auto t = std::make_unique<T>(std::forward<Args>(args)...);
    if (!createSuspended) t->Start();
    return t;
  }

  // Starts Execute on a new thread. Throws EThread when already started or the thread cannot
  // be made.
  void Start();
  bool Started() const { return bool(handle_); }
  // Asks Execute to end; Execute looks at Terminated and returns.
  void Terminate() { terminated_ = true; }
  bool Terminated() const { return terminated_; }
  bool Finished() const { return finished_; }
  // Waits until Execute has returned (at once when never started). On the user-interface thread
  // it runs the synchronised calls that arrive meanwhile. Returns the thread's exit code.
  DWORD WaitFor();
  // WaitFor for destructors: never throws.
  void WaitQuietly() noexcept;
  // An exception that left Execute (kept here rather than reported from the worker), or null.
  std::exception_ptr FatalException() const { return fatal_; }

  TThreadPriority Priority() const;
  void SetPriority(TThreadPriority p);
  DWORD ThreadID() const { return id_; }
  HANDLE Handle() const { return handle_.get(); }

  // Hands ownership of a thread to itself: it frees itself when Execute returns (at once when
  // it has ended or never started). For a thread that cannot be waited for where it is let go,
  // e.g. from inside one of its own synchronised calls.
  static void Detach(std::unique_ptr<TThread> thread);

  // Runs call on the user-interface thread and waits until it returned; on that thread itself,
  // runs it directly. An exception from the call is caught on the user-interface thread and
  // rethrown here, in the calling thread, so that the worker decides what it means. Throws
  // EThread when no user-interface thread has been set up (see InitSynchronize).
  static void Synchronize(const std::function<void()>& call);

  // Makes the calling thread the user-interface thread of Synchronize (creates the hidden
  // window). TApplication's constructor calls it; without an application the first TThread made
  // calls it. Later calls, from any thread, change nothing.
  static void InitSynchronize();
  static bool IsUIThread();
  // Runs the synchronised calls waiting now, on the user-interface thread only (elsewhere it
  // does nothing). Returns whether any ran.
  static bool CheckSynchronize();

 protected:
  virtual void Execute() = 0;
  // The exit code WaitFor returns.
  void SetReturnValue(DWORD v) { returnValue_ = v; }

 private:
  static unsigned __stdcall ThreadProc(void* self);

  TUniqueKernelHandle handle_;
  DWORD id_ = 0;
  std::atomic<bool> terminated_{false};
  std::atomic<bool> finished_{false};
  std::exception_ptr fatal_;
  DWORD returnValue_ = 0;
  // Guards the priority and the hand-over of ownership in Detach (read by the thread as
  // Execute returns).
  mutable std::mutex mutex_;
  TThreadPriority priority_ = TThreadPriority::tpNormal;
  bool freeOnTerminate_ = false;
};
