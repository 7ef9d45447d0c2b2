#include "framework/Timer.h"

#include "framework/CallbackGuard.h"
#include "framework/ErrorReport.h"
#include "framework/MessageWindow.h"

namespace {
constexpr wchar_t kTimerClass[] = L"PrismatoneTimer";
constexpr UINT_PTR kTimerId = 1;
}  // namespace

TTimer::TTimer(TComponent* owner) : TComponent(owner) { Update(); }

TTimer::~TTimer() {
  if (wnd_) KillTimer(wnd_.get(), kTimerId);
}

void TTimer::SetEnabled(bool v) {
  if (v == enabled_) return;
  enabled_ = v;
  Update();
}

void TTimer::SetInterval(unsigned ms) {
  if (ms == interval_) return;
  interval_ = ms;
  Update();
}

void TTimer::Update() {
  // A timer read from a layout starts once loading has finished.
  const bool run = enabled_ && interval_ > 0 && !Loading() && !reporting_;
  if (!wnd_) {
    // The window comes with the first start (on the user-interface thread, where timers live):
    // many timers wait for an event that may never come, and a window costs start-up time.
    if (!run) return;
    wnd_.reset(CreateMessageWindow(kTimerClass, WndProc));
    if (!wnd_) return;
    SetWindowLongPtrW(wnd_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  KillTimer(wnd_.get(), kTimerId);
  if (run) SetTimer(wnd_.get(), kTimerId, interval_, nullptr);
}

void TTimer::Loaded() {
  TComponent::Loaded();
  Update();
}

void TTimer::ReportTickError(const std::exception_ptr& error) noexcept {
  // The error box's modal loop dispatches this timer's ticks too: each would open one more box
  // over the first. The timer stops until the box is closed, then goes on as it was set.
  HWND wnd = wnd_.get();
  reporting_ = true;
  KillTimer(wnd, kTimerId);
  ReportError(error);
  // The box's loop may have freed the timer, and its window with it.
  if (!IsWindow(wnd) || GetWindowLongPtrW(wnd, GWLP_USERDATA) != reinterpret_cast<LONG_PTR>(this)) return;
  reporting_ = false;
  Update();
}

LRESULT CALLBACK TTimer::WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_TIMER) {
    auto* self = reinterpret_cast<TTimer*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (self && self->OnTimer) {
      // The handler runs from a copy: it may free its own timer (a finished animation does).
      const TNotifyEvent handler = self->OnTimer;
      CallbackGuard([&] { handler(self); }, [&](const std::exception_ptr& error) { self->ReportTickError(error); });
    }
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}

bool TTimer::SetProperty(const std::string& name, const TLayoutValue& v, const TLayoutContext& ctx) {
  if (name == "Enabled") enabled_ = v.AsBoolean();
  else if (name == "Interval") interval_ = unsigned(v.AsInteger());
  else if (name == "OnTimer") OnTimer = ctx.MethodAs<TNotifyEvent>(v.AsIdentifier());
  else return TComponent::SetProperty(name, v, ctx);
  return true;
}
