#include "skin/paint/sThreadedTimer.h"

#include <array>
#include <string_view>
#include <utility>

#include "framework/Application.h"
#include "framework/CallbackGuard.h"
#include "framework/ErrorReport.h"

namespace {
bool ApplicationTerminating() { return Application && Application->Terminated(); }

TUniqueKernelHandle NewEvent(bool manualReset, bool signalled) {
  TUniqueKernelHandle e(CreateEventW(nullptr, manualReset, signalled, nullptr));
  if (!e) throw EThread(L"Cannot create a timer event");
  return e;
}

TThreadPriority PriorityNamed(const std::wstring& name) {
  constexpr std::array<std::wstring_view, 7> names = {L"tpIdle", L"tpLowest", L"tpLower", L"tpNormal",
                                                      L"tpHigher", L"tpHighest", L"tpTimeCritical"};
  for (std::size_t i = 0; i < names.size(); ++i)
    if (names[i] == name) return TThreadPriority(i);
  throw ELayoutError("not a thread priority");
}
}  // namespace

// ---- TsTimerThread ----

TsTimerThread::TsTimerThread()
    : TimeEvent(NewEvent(true, false)), FRunGate(NewEvent(true, true)), FRestart(NewEvent(false, false)) {}

TsTimerThread::~TsTimerThread() {
  // Execute uses the events: it has to be over before they close (the base would wait too late).
  SetEvent(TimeEvent.get());
  if (Started() && GetCurrentThreadId() != ThreadID()) WaitQuietly();
}

void TsTimerThread::Pause() { ResetEvent(FRunGate.get()); }
void TsTimerThread::Proceed() { SetEvent(FRunGate.get()); }
void TsTimerThread::Restart() { SetEvent(FRestart.get()); }

void TsTimerThread::Execute() {
  const HANDLE stopOrRun[] = {TimeEvent.get(), FRunGate.get()};
  const HANDLE stopOrRestart[] = {TimeEvent.get(), FRestart.get()};
  for (;;) {
    // Paused: wait until let run. TimeEvent comes first, so stopping wins over running.
    if (WaitForMultipleObjects(2, stopOrRun, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) break;
    const DWORD w = WaitForMultipleObjects(2, stopOrRestart, FALSE, Interval);
    if (w == WAIT_OBJECT_0 + 1) continue;  // settings changed: the interval starts over
    if (w != WAIT_TIMEOUT) break;          // stopped, or the wait failed
    // Paused during the wait: no tick. DoTimer checks again on the user-interface thread, where
    // the pause was decided.
    if (WaitForSingleObject(FRunGate.get(), 0) == WAIT_OBJECT_0) Synchronize([this] { DoTimer(); });
    if (Terminated() || FAppTerminating) break;
  }
}

void TsTimerThread::DoTimer() {
  FAppTerminating = ApplicationTerminating();
  if (FAppTerminating || !OwnerTimer || !OwnerTimer->Delivers(this)) return;
  TsThreadedTimer* timer = OwnerTimer;
  // The handler may free the timer (or Reset it): afterwards only what is still alive is touched.
  const std::shared_ptr<bool> alive = timer->FAlive;
  // A copy runs: the handler may assign OnTimer or free the timer, which destroys the original.
  const TNotifyEvent handler = timer->FOnTimer;
  const bool wasInHandler = std::exchange(timer->InHandler, true);
  FInDoTimer = true;
  CallbackGuard([&] { handler(timer); }, ReportError);
  FInDoTimer = false;
  if (*alive) timer->InHandler = wasInHandler;
}

// ---- TsThreadedTimer ----

TsThreadedTimer::TsThreadedTimer(TComponent* owner) : TComponent(owner) {
  if (ApplicationTerminating()) return;
  FEnabled = true;
  FInterval = 1000;
  Start();
  Update();  // no OnTimer yet: the worker waits paused
}

TsThreadedTimer::TsThreadedTimer(TCreateOwned, TComponent* owner, bool changeEvent) : TsThreadedTimer(owner) {
  SetEnabled(false);
  FOwner = owner;
  // The call goes through the virtual at tick time, when the descendant is complete.
  if (changeEvent) SetOnTimer([this](TObject*) { TimeHandler(); });
}

TsThreadedTimer::~TsThreadedTimer() {
  *FAlive = false;
  Stop();
}

void TsThreadedTimer::Start() {
  auto worker = std::make_unique<TsTimerThread>();
  worker->OwnerTimer = this;
  worker->Interval = FInterval;
  worker->SetPriority(FThreadPriority);
  ResetEvent(worker->TimeEvent.get());
  worker->Start();
  FTimerThread = std::move(worker);
  Executing = true;
}

void TsThreadedTimer::Stop() {
  // Taken out first: a tick of this worker still waiting for the user-interface thread sees it
  // gone and is dropped.
  std::unique_ptr<TsTimerThread> worker = std::move(FTimerThread);
  Executing = false;
  if (!worker) return;
  worker->Terminate();
  SetEvent(worker->TimeEvent.get());
  worker->Proceed();  // a paused worker must get to see TimeEvent
  if (worker->FInDoTimer) {
    // Stopped from inside this worker's own tick: the worker waits for the tick, so waiting for
    // the worker here would never end. It leaves as soon as the tick returns, and frees itself.
    TThread::Detach(std::move(worker));
    return;
  }
  // Runs the synchronised calls that arrive meanwhile (this worker's own tick among them, dropped
  // above), so a worker waiting in Synchronize gets to its end.
  worker->WaitQuietly();
}

void TsThreadedTimer::Update() {
  if (!FTimerThread) return;
  FTimerThread->Pause();
  Executing = false;
  if (FInterval != 0 && FEnabled && FOnTimer) {
    FTimerThread->Proceed();
    Executing = true;
  }
  FTimerThread->Restart();
}

bool TsThreadedTimer::Delivers(const TsTimerThread* worker) const {
  return Executing && FTimerThread.get() == worker && !Destroying();
}

void TsThreadedTimer::Reset() {
  Stop();
  Start();
  Update();
}

void TsThreadedTimer::SetEnabled(bool v) {
  if (v == FEnabled) return;
  FEnabled = v;
  Update();
}

void TsThreadedTimer::SetInterval(std::uint32_t ms) {
  if (ms == FInterval) return;
  FInterval = ms;
  if (FTimerThread) FTimerThread->Interval = ms;
  Update();
}

void TsThreadedTimer::SetOnTimer(TNotifyEvent handler) {
  FOnTimer = std::move(handler);
  Update();
}

void TsThreadedTimer::SetThreadPriority(TThreadPriority p) {
  if (p == FThreadPriority) return;
  FThreadPriority = p;
  if (FTimerThread) FTimerThread->SetPriority(p);
  Update();
}

bool TsThreadedTimer::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "Enabled") SetEnabled(v.AsBoolean());
  else if (name == "Interval") SetInterval(std::uint32_t(v.AsInteger()));
  else if (name == "OnTimer") SetOnTimer(ctx.MethodAs<TNotifyEvent>(v.AsIdentifier()));
  else if (name == "ThreadPriority") SetThreadPriority(PriorityNamed(v.AsIdentifier()));
  else return TComponent::SetProperty(name, v, ctx);
  return true;
}
