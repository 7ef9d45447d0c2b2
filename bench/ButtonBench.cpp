// Speed of the setup's two buttons under Wine, each figure beside a plain BitBlt of the same
// size to the same window measured in the same run: one fade frame of the push button
// (TsFadeTimer::Change, the blend and its copy to the window), one fade frame of the speed button
// (TsAnimTimer::DoFade with the repaint it asks for), and one rebuild of each cache in the hot
// state (PrepareCache). The ratio is taken against the BitBlt with its device context taken and
// given back, as a frame's copy to the screen does; the held-context figure is printed beside it. Targets: a fade frame at most 4 times its BitBlt and under 1 ms (a
// twelfth of the 12 ms step); a hot rebuild under 0.5 ms. The minimum of 7 rounds counts.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>

#include "framework/Form.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/data/sStoredSkinLoad.h"
#include "skin/paint/sSkinEngine.h"

namespace {

double Now() {
  LARGE_INTEGER f, c;
  QueryPerformanceFrequency(&f);
  QueryPerformanceCounter(&c);
  return double(c.QuadPart) / double(f.QuadPart);
}

// Microseconds per call: the fastest of 7 rounds of n calls.
double Time(int n, const std::function<void()>& f) {
  double best = 1e30;
  for (int round = 0; round < 7; ++round) {
    const double start = Now();
    for (int i = 0; i < n; ++i) f();
    best = std::min(best, (Now() - start) * 1e6 / n);
  }
  return best;
}

void Pump() {
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
TBaseline BitBltBaseline(HWND wnd, int x, int y, int w, int h, int n) {
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

void Report(const char* what, double us, const TBaseline& b, double limitRatio, double limitUs) {
  const double ratio = us / b.WithDC;
  const bool ok = (limitRatio <= 0 || ratio <= limitRatio) && us <= limitUs;
  std::printf("%-42s %8.1f us | BitBlt with its DC %6.1f us (ratio %6.2f), into a held DC %5.1f us (ratio %7.2f) | %s\n",
              what, us, b.WithDC, ratio, b.HeldDC, us / b.HeldDC, ok ? "meets target" : "MISSES target");
}

}  // namespace

int main(int argc, char** argv) {
  const char* skin = argc > 1 ? argv[1] : PRISMATONE_WINDOW_SKIN_PATH;
  InstallSkinEngine();
  TsSkinManager manager(nullptr);
  storedskin::PrepareStoredSkin(manager, storedskin::ReadFileBytes(skin), 196, L"T");
  manager.SetSkinName(L"T");
  if (manager.GetSkinIndex(L"BUTTON") < 0) {
    std::fprintf(stderr, "button_bench: the skin %s did not load\n", skin);
    return 2;
  }
  TForm form(nullptr);
  form.SetBounds(40, 40, 300, 120);
  auto* button = new TsButton(&form);
  button->SetParent(&form);
  button->SetBounds(20, 20, 75, 25);
  button->SetCaption(L"Установить");
  button->SkinData().SetSkinSection(L"BUTTON");
  button->Loaded();
  auto* speed = new TsSpeedButton(&form);
  speed->SetParent(&form);
  speed->SetBounds(120, 20, 23, 22);
  speed->SetCaption(L"...");
  speed->SkinData().SetSkinSection(L"SPEEDBUTTON");
  speed->Loaded();
  form.Show();
  Pump();
  constexpr int n = 400;

  // The push button: a hover fade held still, its frames drawn one after another.
  button->Perform(FN_MOUSEENTER);
  TsFadeTimer* fade = button->FadeTimer();
  if (!fade) {
    std::fprintf(stderr, "button_bench: the push button did not start a fade\n");
    return 2;
  }
  fade->SetDirection(TFadeDirection::fdNone);
  const TBaseline bitBltButton = BitBltBaseline(button->Handle(), 0, 0, 75, 25, n);
  const double fadeFrame = Time(n, [&] {
    fade->FadeLevel = 3;
    fade->Change();
    GdiFlush();
  });
  const double hotButton = Time(n, [&] {
    button->PrepareCache();
    GdiFlush();
  });

  // The speed button: a hover fade held still, each frame blended and repainted.
  speed->Perform(FN_MOUSEENTER);
  TsAnimTimer* anim = speed->AnimTimer();
  if (!anim) {
    std::fprintf(stderr, "button_bench: the speed button did not start a fade\n");
    return 2;
  }
  anim->SetEnabled(false);
  const TBaseline bitBltSpeed = BitBltBaseline(form.Handle(), 120, 20, 23, 22, n);
  anim->SetEnabled(true);
  const double animFrame = Time(n, [&] {
    anim->FadeLevel = 3;
    anim->DoFade();
    GdiFlush();
  });
  anim->SetEnabled(false);
  const double hotSpeed = Time(n, [&] {
    speed->PrepareCache();
    GdiFlush();
  });

  std::printf("button_bench: minimum of 7 rounds of %d calls\n", n);
  Report("push button fade frame (75x25)", fadeFrame, bitBltButton, 4, 1000);
  Report("push button hot PrepareCache (75x25)", hotButton, bitBltButton, 0, 500);
  Report("speed button fade frame + repaint (23x22)", animFrame, bitBltSpeed, 4, 1000);
  Report("speed button hot PrepareCache (23x22)", hotSpeed, bitBltSpeed, 0, 500);
  return 0;
}
