// What the benchmarks run under Wine share (plain programs: no Google Benchmark for the Windows
// builds): the clock, the fastest of 7 rounds, the message pump, and the BitBlt of the same size
// that each figure is judged against, measured in the same run.
#pragma once
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "framework/Graphics.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sStoredSkinLoad.h"
#include "skin/paint/sSkinEngine.h"

namespace winbench {

// The skin engine with the window's own skin at hue 196 (the first argument, else the built one);
// false, with a line on stderr, when the skin lacks `section`.
inline bool LoadWindowSkin(TsSkinManager& manager, int argc, char** argv, const wchar_t* section, const char* program) {
  const char* skin = argc > 1 ? argv[1] : PRISMATONE_WINDOW_SKIN_PATH;
  InstallSkinEngine();
  storedskin::PrepareStoredSkin(manager, storedskin::ReadFileBytes(skin), 196, L"T");
  manager.SetSkinName(L"T");
  if (manager.GetSkinIndex(section) >= 0) return true;
  std::fprintf(stderr, "%s: the skin %s did not load\n", program, skin);
  return false;
}

inline double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return double(c.QuadPart) / double(f.QuadPart);
}

// Microseconds per call: the fastest of 7 rounds of n calls.
inline double Time(int n, const std::function<void()>& f) {
  double best = 1e30;
  for (int round = 0; round < 7; ++round) {
    const double start = Now();
    for (int i = 0; i < n; ++i) f();
    best = std::min(best, (Now() - start) * 1e6 / n);
  }
  return best;
}

inline void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// A BitBlt of a w × h memory picture onto the window, flushed: with the window's device context
// taken for it and given back (as every paint of ours does), and into one held throughout.
struct TBaseline {
  double WithDC = 0, HeldDC = 0;
};
inline TBaseline BitBltBaseline(HWND wnd, int x, int y, int w, int h, int n) {
  TBitmap picture(w, h);
  TBaseline b;
  b.WithDC = Time(n, [&] {
    HDC dc = GetDC(wnd);
    BitBlt(dc, x, y, w, h, picture.DC(), 0, 0, SRCCOPY);
    GdiFlush();
    ReleaseDC(wnd, dc);
  });
  HDC dc = GetDC(wnd);
  b.HeldDC = Time(n, [&] {
    BitBlt(dc, x, y, w, h, picture.DC(), 0, 0, SRCCOPY);
    GdiFlush();
  });
  ReleaseDC(wnd, dc);
  return b;
}

// One line: the figure, both baselines and the ratios, and the verdict against the targets (a
// ratio limit of 0 sets none; with neither limit the line says there is no target).
inline void Report(const char* what, double us, const TBaseline& b, double limitRatio, double limitUs) {
  const double ratio = us / b.WithDC;
  const bool ok = (limitRatio <= 0 || ratio <= limitRatio) && (limitUs <= 0 || us <= limitUs);
  const char* verdict = limitRatio <= 0 && limitUs <= 0 ? "no target" : ok ? "meets target" : "MISSES target";
  std::printf("%-42s %8.1f us | BitBlt with its DC %6.1f us (ratio %6.2f), into a held DC %5.1f us (ratio %7.2f) | %s\n",
              what, us, b.WithDC, ratio, b.HeldDC, us / b.HeldDC, verdict);
}

}  // namespace winbench
