#include "framework/WindowProcHook.h"

TWindowProcHook::TWindowProcHook(TControl& control, THandler handler)
    : control_(&control),
      state_(std::make_shared<TState>(TState{std::move(handler), control.GetWindowProc()})),
      previousOwner_(control.WindowProcOwner()) {
  // The entry holds the state, not this object: it stays valid in a chain that outlives us. The
  // handler may detach or destroy the hook while it runs, which replaces (frees) this very
  // closure and drops the hook's share of the state: the call therefore holds a share of its own
  // on the stack, and the state (the running handler, the previous entry it was handed) goes
  // when the outermost call through it returns.
  control.SetWindowProc(
      [state = state_](TMessage& m) {
        const std::shared_ptr<TState> running = state;  // the closure may be gone after the call
        if (running->active) running->handler(m, running->previous);
        else running->previous(m);
      },
      this);
}

void TWindowProcHook::Detach() {
  if (!control_) return;
  state_->active = false;
  if (control_->WindowProcOwner() == this)
    control_->SetWindowProc(previousOwner_ ? state_->previous : TWndMethod(), previousOwner_);
  control_ = nullptr;
}
