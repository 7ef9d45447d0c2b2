// Timers tick through the message loop; resource streams find the program's own resources.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/Application.h"
#include "framework/ErrorReport.h"
#include "framework/Exception.h"
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

// A handler that throws is reported once while its report is open: the report's modal loop
// (pumped here for 200 ms by the first, as a box would) must not run the next ticks, each with a report of its
// own over the last. Once the report is closed the timer ticks again.
TEST(Timer, AThrowingHandlerIsReportedOnceWhileItsReportIsOpen) {
  TApplication app;
  TTimer timer(nullptr);
  int reports = 0, open = 0, deepest = 0, ticks = 0;
  const TErrorReporter previous = SetErrorReporter([&](const std::exception_ptr&) {
    ++reports;
    deepest = std::max(deepest, ++open);
    const DWORD start = GetTickCount();
    while (open == 1 && GetTickCount() - start < 200) {
      app.ProcessMessages();
      Sleep(5);
    }
    --open;
  });
  timer.OnTimer = [&](TObject*) {
    ++ticks;
    throw Exception(L"tick");
  };
  timer.SetInterval(10);
  const DWORD start = GetTickCount();
  while (reports < 2 && GetTickCount() - start < 10000) {
    app.ProcessMessages();
    Sleep(5);
  }
  timer.SetEnabled(false);
  SetErrorReporter(previous);
  EXPECT_EQ(deepest, 1);
  EXPECT_EQ(reports, 2);
  EXPECT_EQ(ticks, reports);
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
