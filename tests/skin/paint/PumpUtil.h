// Message pumping for the tests that run real windows and timers.
#pragma once
#include <windows.h>

#include <chrono>
#include <functional>

namespace pumptest {

// Handles every message already waiting.
inline void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Handles messages until `until` holds (60 s at most: emulated hosts are slow).
inline void Pump(const std::function<bool()>& until) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (!until() && std::chrono::steady_clock::now() < end) {
    PumpPending();
    if (!until()) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  }
}

}  // namespace pumptest
