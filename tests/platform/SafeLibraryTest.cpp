// The optional system functions: found in the system's own library, null for a missing library
// or function, and still callable once the lookup has returned.
#include "platform/SafeLibrary.h"

#include <gtest/gtest.h>

// A function is there exactly when both its library and its name are; asking twice gives the same.
TEST(SystemFunction, FoundOnlyWhereTheSystemHasIt) {
  struct TCase {
    const wchar_t* Library;
    const char* Name;
    bool Found;
  };
  const TCase cases[] = {
      {L"uxtheme.dll", "OpenThemeData", true},
      {L"dwmapi.dll", "DwmIsCompositionEnabled", true},
      {L"uxtheme.dll", "NoSuchFunctionAnywhere", false},
      {L"no-such-library.dll", "OpenThemeData", false},
  };
  for (const TCase& c : cases) {
    const FARPROC f = SystemLibraryProc(c.Library, c.Name);
    EXPECT_EQ(f != nullptr, c.Found) << c.Name;
    EXPECT_EQ(SystemLibraryProc(c.Library, c.Name), f) << c.Name;
  }
}

// The library stays loaded after the lookup: the typed function can be called.
TEST(SystemFunction, StaysCallable) {
  using TDwmIsCompositionEnabled = HRESULT(WINAPI*)(BOOL*);
  const auto query = SystemFunction<TDwmIsCompositionEnabled>(L"dwmapi.dll", "DwmIsCompositionEnabled");
  ASSERT_NE(query, nullptr);
  BOOL on = 2;
  EXPECT_TRUE(SUCCEEDED(query(&on)));
  EXPECT_TRUE(on == FALSE || on == TRUE);
}
