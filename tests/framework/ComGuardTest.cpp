// COM entry points return an HRESULT for every exception instead of letting it reach the caller.
#include <gtest/gtest.h>

#include <stdexcept>

#include "framework/ComGuard.h"

TEST(ComGuard, ExceptionsBecomeHResults) {
  EXPECT_EQ(ComGuard([]() -> HRESULT { return S_FALSE; }), S_FALSE);
  EXPECT_EQ(ComGuard([]() -> HRESULT { throw std::bad_alloc(); }), E_OUTOFMEMORY);
  EXPECT_EQ(ComGuard([]() -> HRESULT { throw std::runtime_error("registry"); }), E_FAIL);
  EXPECT_EQ(ComGuard([]() -> HRESULT { throw 7; }), E_FAIL);
}
