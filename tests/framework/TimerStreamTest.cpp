// Timers tick through the message loop; resource streams find the program's own resources.
#include <gtest/gtest.h>

#include "framework/Application.h"
#include "framework/ResourceStream.h"
#include "framework/Timer.h"

// A timer runs its handler from the message loop until disabled.
TEST(Timer, TicksThroughTheMessageLoop) {
  TApplication app;
  TTimer timer(nullptr);
  int ticks = 0;
  timer.OnTimer = [&](TObject* sender) {
    EXPECT_EQ(sender, &timer);
    if (++ticks == 3) timer.SetEnabled(false);
  };
  timer.SetInterval(10);
  timer.SetEnabled(false);
  timer.SetEnabled(true);
  const DWORD start = GetTickCount();
  while (ticks < 3 && GetTickCount() - start < 5000) {
    app.ProcessMessages();
    Sleep(5);
  }
  EXPECT_EQ(ticks, 3);
  Sleep(50);
  app.ProcessMessages();
  EXPECT_EQ(ticks, 3);  // disabled: no more ticks
}

// A resource is read whole, whatever the case of its name; a missing one names itself.
TEST(ResourceStream, FindsAndReports) {
  TResourceStream s(GetModuleHandleW(nullptr), std::wstring(L"probe_data"), RT_RCDATA);
  std::string text(std::size_t(s.Size()), '\0');
  s.ReadBuffer(text.data(), text.size());
  EXPECT_EQ(text, "resource bytes");
  try {
    TResourceStream missing(GetModuleHandleW(nullptr), std::wstring(L"bass"), RT_RCDATA);
    FAIL();
  } catch (const EResNotFound& e) {
    EXPECT_EQ(e.Message(), L"Resource bass not found");
  }
}
