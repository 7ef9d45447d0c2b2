// The setup window's internal skin, recoloured by hue 196 as the window loads it, and the form's
// picture painted from it: what the item benchmarks paint from and over. Each is made once.
#pragma once
#include "skin/base/sFill.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sStoredSkinLoad.h"
#include "skin/paint/sSkinItem.h"

// Loads the internal skin into manager as the window does; false when the package is missing or
// did not load.
inline bool LoadBenchSkin(TsSkinManager& manager) {
  const auto package = storedskin::ReadFileBytes(PRISMATONE_INTERNAL_SKIN_FILE);
  if (package.empty()) return false;
  storedskin::PrepareStoredSkin(manager, package, 196, L"Cobalt3 (internal)");
  manager.SetSkinName(L"Cobalt3 (internal)");
  return !manager.gd().empty();
}

// The loaded skin, or null when the package is missing or did not load.
inline TsSkinManager* BenchSkin() {
  static TsSkinManager* m = [] {
    static TsSkinManager manager(nullptr);
    return LoadBenchSkin(manager) ? &manager : nullptr;
  }();
  return m;
}

// The form's picture (680 × 495), what the controls on it show through.
inline TBitmap32& BenchFormPicture() {
  static TBitmap32 form = [] {
    TBitmap32 b = NewBitmap32(680, 495);
    if (TsSkinManager* m = BenchSkin())
      PaintSectionItem(m->GetSkinIndex(L"FORM"), L"FORM", EmptyCacheInfo(), -1, -1, m, b, {}, Rect(0, 0, 680, 495), 0);
    return b;
  }();
  return form;
}
