// A window-message timer: OnTimer runs on the user-interface thread every Interval ms while
// Enabled. Each timer has a small message-only window of its own to receive WM_TIMER, made when
// it first runs.
#pragma once
#include <windows.h>

#include <exception>

#include "framework/Component.h"
#include "framework/Handles.h"

class TTimer : public TComponent {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  TNotifyEvent OnTimer;

  bool SetProperty(const std::string& name, const TLayoutValue& value, const TLayoutContext& ctx) override;
  void Loaded() override;

 private:
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  void Update();
  void ReportTickError(const std::exception_ptr& error) noexcept;

  bool enabled_ = true;
  bool reporting_ = false;  // an error of the handler is on screen: no ticks until it is closed
  unsigned interval_ = 1000;
  TUniqueWindow wnd_;
};
