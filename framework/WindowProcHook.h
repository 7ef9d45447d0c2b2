// Takes over a control's message entry (TControl::WindowProc) and chains to the one it replaced:
// the skin engine's frame provider, scroll-bar handlers and controls hook in this way.
#pragma once
#include <functional>
#include <memory>

#include "framework/Control.h"

class TWindowProcHook {
 public:
  // handler gets every message first; it calls previous for what it leaves to the control.
  using THandler = std::function<void(TMessage& msg, const TWndMethod& previous)>;

  TWindowProcHook(TControl& control, THandler handler);
  // Detaches. The hook must not outlive its control.
  ~TWindowProcHook() { Detach(); }
  TWindowProcHook(const TWindowProcHook&) = delete;
  TWindowProcHook& operator=(const TWindowProcHook&) = delete;

  // Gives the entry back when it is still ours. When another hook has taken it over since, that
  // one keeps calling ours as its previous entry: ours then passes every message straight on.
  void Detach();

 private:
  struct TState {
    THandler handler;
    TWndMethod previous;
    bool active = true;
  };
  TControl* control_;
  std::shared_ptr<TState> state_;
  const void* previousOwner_;
};
