// No exception may leave a function that the system calls: a window or hook procedure, an
// enumeration callback, a COM method. It would unwind through frames that know nothing of C++
// and end the process, or leave the system's own state half changed. Every such entry point runs
// its body through CallbackGuard, which turns an exception into the callback's error result.
#pragma once
#include <exception>
#include <utility>

// Runs body(); when it throws, returns onError(the exception) instead. onError must not throw.
template <typename Body, typename OnError>
auto CallbackGuard(Body&& body, OnError&& onError) noexcept -> decltype(body()) {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    return std::forward<OnError>(onError)(std::current_exception());
  }
}
