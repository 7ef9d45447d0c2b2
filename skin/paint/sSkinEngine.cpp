#include "skin/paint/sSkinEngine.h"

#include "skin/paint/sFormAnimation.h"
#include "skin/paint/sGlow.h"

namespace {

class TsPaintLayerHost : public TsSkinEngineHost {
 public:
  void HideAllGlows() override { ::HideAllGlows(true); }
  void SetFormAnimationRunning(bool running) override { ::SetFormAnimationRunning(running); }
};

}  // namespace

TsSkinEngineHost& SkinEngineHost() {
  static TsPaintLayerHost host;
  return host;
}

void InstallSkinEngine() {
  static TsWinSkinPlatform platform(&SkinEngineHost());
  SetSkinPlatform(&platform);
}
