// CallbackGuard for COM methods and exported COM entry points: an exception becomes an HRESULT
// (E_OUTOFMEMORY for an allocation failure, E_FAIL for anything else).
#pragma once
#include <windows.h>

#include <new>

#include "framework/CallbackGuard.h"

inline HRESULT HResultOfException(const std::exception_ptr& e) noexcept {
  try {
    std::rethrow_exception(e);
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_FAIL;
  }
}

template <typename Body>
HRESULT ComGuard(Body&& body) noexcept {
  return CallbackGuard(std::forward<Body>(body), HResultOfException);
}
