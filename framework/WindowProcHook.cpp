#include "framework/WindowProcHook.h"

TWindowProcHook::TWindowProcHook(TControl& control, THandler handler)
    : control_(&control),
      state_(std::make_shared<TState>(TState{std::move(handler), control.GetWindowProc()})),
      previousOwner_(control.WindowProcOwner()) {
  // The entry holds the state, not this object: it stays valid in a chain that outlives us.
  control.SetWindowProc(
      [state = state_](TMessage& m) {
        if (state->active) state->handler(m, state->previous);
        else state->previous(m);
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
