// Speed of the setup's two buttons under Wine, each figure beside a plain BitBlt of the same
// size to the same window measured in the same run: one fade frame of the push button
// (TsFadeTimer::Change, the blend and its copy to the window), one fade frame of the speed button
// (TsAnimTimer::DoFade with the repaint it asks for), and one rebuild of each cache in the hot
// state (PrepareCache). The ratio is taken against the BitBlt with its device context taken and
// given back, as a frame's copy to the screen does; the held-context figure is printed beside it. Targets: a fade frame at most 4 times its BitBlt and under 1 ms (a
// twelfth of the 12 ms step); a hot rebuild under 0.5 ms. The minimum of 7 rounds counts.
#include <cstdio>

#include "WineBench.h"
#include "framework/Form.h"
#include "skin/controls/sButton.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/data/sStoredSkinLoad.h"
#include "skin/paint/sSkinEngine.h"

using namespace winbench;

int main(int argc, char** argv) {
  TsSkinManager manager(nullptr);
  if (!LoadWindowSkin(manager, argc, argv, L"BUTTON", "button_bench")) return 2;
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
