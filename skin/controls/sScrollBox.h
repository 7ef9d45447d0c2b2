// The skinned scroll box: the framework's scroll box with its background painted from its section
// ("BAR" by default) into its cache, which its windowless children take as their background.
// Without an active skin it paints its colour.
#pragma once
#include "framework/ScrollBox.h"
#include "skin/paint/sSkinnedControl.h"

class TsScrollBox : public TsSkinnedControl<TScrollBox> {
 public:
  explicit TsScrollBox(TComponent* owner);

  void WndProc(TMessage& m) override;

 protected:
  void PaintWindow(HDC dc) override;

 private:
  // Paints the section over the parent's background into the cache, client-sized; false while
  // the parent's picture is not ready.
  bool PrepareCache();
};
