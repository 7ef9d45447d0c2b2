#include "framework/Thread.h"

#include <process.h>

#include <deque>

#include "framework/CallbackGuard.h"
#include "framework/ErrorReport.h"
#include "framework/MessageWindow.h"

namespace {
constexpr wchar_t kSyncClass[] = L"PrismatoneSynchronize";
// Posted to the hidden window for every synchronised call; the window is ours alone, so any
// private number will do.
constexpr UINT kSyncMessage = WM_APP + 1;

// One synchronised call on its way to the user-interface thread. It lives on the stack of the
// waiting worker, which frees it once done is signalled: the user-interface side must not
// touch it after that.
struct TSyncRequest {
  const std::function<void()>* call;
  std::exception_ptr error;
  TUniqueKernelHandle done;  // manual reset
};

// The calls waiting for the user-interface thread, and the means to wake it: a message for its
// message loop, an event for a WaitFor on it.
struct TSyncQueue {
  std::mutex mutex;
  std::deque<TSyncRequest*> pending;
  TUniqueKernelHandle arrived{CreateEventW(nullptr, FALSE, FALSE, nullptr)};  // auto reset
  TUniqueWindow window;
  // Published last, once the window exists: workers read window only after seeing it set.
  std::atomic<DWORD> uiThread{0};
};

// Never destroyed: threads stopped by static destructors at the program's end still wait on it.
TSyncQueue& Queue() {
  static TSyncQueue& queue = *new TSyncQueue;
  return queue;
}

LRESULT CALLBACK SyncWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kSyncMessage) {
    CallbackGuard([] { TThread::CheckSynchronize(); }, ReportError);
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}
}  // namespace

int ThreadPriorityValue(TThreadPriority p) {
  switch (p) {
    case TThreadPriority::tpIdle: return THREAD_PRIORITY_IDLE;
    case TThreadPriority::tpLowest: return THREAD_PRIORITY_LOWEST;
    case TThreadPriority::tpLower: return THREAD_PRIORITY_BELOW_NORMAL;
    case TThreadPriority::tpNormal: return THREAD_PRIORITY_NORMAL;
    case TThreadPriority::tpHigher: return THREAD_PRIORITY_ABOVE_NORMAL;
    case TThreadPriority::tpHighest: return THREAD_PRIORITY_HIGHEST;
    case TThreadPriority::tpTimeCritical: return THREAD_PRIORITY_TIME_CRITICAL;
  }
  return THREAD_PRIORITY_NORMAL;
}

void TThread::InitSynchronize() {
  TSyncQueue& q = Queue();
  std::lock_guard lock(q.mutex);
  if (q.uiThread) return;
  if (!q.arrived) throw EThread(L"Cannot create the synchronisation event");
  q.window.reset(CreateMessageWindow(kSyncClass, SyncWndProc));
  if (!q.window) throw EThread(L"Cannot create the synchronisation window");
  q.uiThread = GetCurrentThreadId();
}

bool TThread::IsUIThread() { return Queue().uiThread == GetCurrentThreadId(); }

bool TThread::CheckSynchronize() {
  if (!IsUIThread()) return false;
  TSyncQueue& q = Queue();
  bool ran = false;
  for (;;) {
    TSyncRequest* r;
    {
      std::lock_guard lock(q.mutex);
      if (q.pending.empty()) break;
      r = q.pending.front();
      q.pending.pop_front();
    }
    try {
      (*r->call)();
    } catch (...) {
      r->error = std::current_exception();
    }
    ran = true;
    SetEvent(r->done.get());  // r belongs to the worker again from here on
  }
  return ran;
}

void TThread::Synchronize(const std::function<void()>& call) {
  TSyncQueue& q = Queue();
  if (IsUIThread()) {
    call();
    return;
  }
  if (!q.uiThread) throw EThread(L"There is no user-interface thread to synchronise with");
  TSyncRequest r{&call, nullptr, TUniqueKernelHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr))};
  if (!r.done) throw EThread(L"Cannot create the synchronisation event");
  {
    std::lock_guard lock(q.mutex);
    q.pending.push_back(&r);
  }
  // Both wake-ups: a message for whatever loop dispatches the user-interface thread's
  // messages, the event for a WaitFor there. A failed post (a full queue) still leaves the
  // event and the next message.
  SetEvent(q.arrived.get());
  PostMessageW(q.window.get(), kSyncMessage, 0, 0);
  WaitForSingleObject(r.done.get(), INFINITE);
  if (r.error) std::rethrow_exception(r.error);
}

TThread::TThread() {
  // Without an application the first thread object decides which thread is the
  // user-interface one.
  InitSynchronize();
}

TThread::~TThread() {
  // A thread that frees itself (Detach) is past Execute and must not wait for itself.
  if (handle_ && GetCurrentThreadId() != id_) {
    Terminate();
    WaitQuietly();
  }
}

void TThread::WaitQuietly() noexcept {
  try {
    WaitFor();
  } catch (...) {
    // A destructor cannot report: the plain wait is all that is left.
    if (handle_) WaitForSingleObject(handle_.get(), INFINITE);
  }
}

void TThread::Start() {
  std::lock_guard lock(mutex_);
  if (handle_) throw EThread(L"The thread has already been started");
  unsigned id = 0;
  handle_.reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, ThreadProc, this, 0, &id)));
  if (!handle_) throw EThread(L"Cannot create a thread");
  id_ = id;
  // Set from here rather than by the thread itself, so that it holds once Start returned.
  SetThreadPriority(handle_.get(), ThreadPriorityValue(priority_));
}

unsigned __stdcall TThread::ThreadProc(void* self) {
  auto* t = static_cast<TThread*>(self);
  try {
    t->Execute();
  } catch (...) {
    // Reporting belongs to the user-interface thread; the owner reads it after WaitFor.
    t->fatal_ = std::current_exception();
  }
  const DWORD code = t->returnValue_;
  bool freeSelf;
  {
    std::lock_guard lock(t->mutex_);
    t->finished_ = true;
    freeSelf = t->freeOnTerminate_;
  }
  if (freeSelf) delete t;
  return code;
}

TThreadPriority TThread::Priority() const {
  std::lock_guard lock(mutex_);
  return priority_;
}

void TThread::SetPriority(TThreadPriority p) {
  std::lock_guard lock(mutex_);
  priority_ = p;
  // Before Start the thread applies it itself as it begins.
  if (handle_) SetThreadPriority(handle_.get(), ThreadPriorityValue(p));
}

DWORD TThread::WaitFor() {
  if (!handle_) return returnValue_;
  if (GetCurrentThreadId() == id_) throw EThread(L"A thread cannot wait for itself");
  if (IsUIThread()) {
    // The thread may be waiting in Synchronize for this very thread: run its calls (and only
    // those, no other messages) until it ends. The queue is emptied before each wait: the
    // wake-up event is one for any number of calls, and a WaitFor inside a synchronised call
    // finds the calls queued beside that one with their wake-up already taken by the outer wait.
    const HANDLE waits[] = {handle_.get(), Queue().arrived.get()};
    for (;;) {
      CheckSynchronize();
      const DWORD w = WaitForMultipleObjects(2, waits, FALSE, INFINITE);
      if (w == WAIT_OBJECT_0) break;
      if (w != WAIT_OBJECT_0 + 1) throw EThread(L"Waiting for a thread failed");
    }
  } else if (WaitForSingleObject(handle_.get(), INFINITE) != WAIT_OBJECT_0) {
    throw EThread(L"Waiting for a thread failed");
  }
  return returnValue_;
}

void TThread::Detach(std::unique_ptr<TThread> thread) {
  if (!thread) return;
  {
    std::lock_guard lock(thread->mutex_);
    if (thread->handle_ && !thread->finished_) {
      // ThreadProc reads this under the same lock once Execute has returned.
      thread->freeOnTerminate_ = true;
      thread.release();
      return;
    }
  }
  // Ended or never started: free it here (the destructor waits for a thread still leaving).
}
