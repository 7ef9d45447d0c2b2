// Our internal skin loaded by a skin manager under the window's hue offset of 196: the caption's
// close icons keep their colours (BIKEEPHUE 2) while maximise and minimise change.
#include <gtest/gtest.h>


#include "framework/Utf.h"
#include "skin/data/sSkinFiles.h"
#include "skin/data/sSkinManager.h"

namespace {

std::unique_ptr<TsSkinManager> LoadInternalSkin(int hue) {
  TsStoredSkin skin;
  skin.Name = L"Cobalt3 (internal)";
  skin.ReadData(ReadSkinFile(Utf8ToWide(PRISMATONE_INTERNAL_SKIN)));
  auto m = std::make_unique<TsSkinManager>(nullptr);
  m->BeginUpdate();
  m->InternalSkins().Add(std::move(skin));
  m->SetHueOffset(hue);
  m->SetSkinName(L"Cobalt3 (internal)");
  return m;
}

// Pixels of a piece of the master bitmap that differ between two loads.
int ChangedPixels(const TsSkinManager& a, const TsSkinManager& b, const wchar_t* key) {
  const int i = a.GetMaskIndex(L"GLOBALINFO", key);
  EXPECT_GE(i, 0) << key;
  if (i < 0) return -1;
  const TsMaskData& piece = a.ma()[std::size_t(i)];
  EXPECT_EQ(piece.Bmp, nullptr) << key << " lies in the master bitmap";
  int changed = 0;
  for (int y = piece.R.Top; y < piece.R.Bottom; ++y)
    for (int x = piece.R.Left; x < piece.R.Right; ++x)
      changed += a.MasterBitmap().Pixel(x, y) != b.MasterBitmap().Pixel(x, y);
  return changed;
}

}  // namespace

TEST(InternalSkinRecolor, CloseIconsKeepTheirColoursUnder196) {
  const auto plain = LoadInternalSkin(0), shifted = LoadInternalSkin(196);
  ASSERT_TRUE(plain->Active());
  ASSERT_TRUE(shifted->Active());
  EXPECT_EQ(ChangedPixels(*plain, *shifted, L"BICONCLOSE"), 0);
  EXPECT_GT(ChangedPixels(*plain, *shifted, L"BICONMAX"), 100);
  EXPECT_GT(ChangedPixels(*plain, *shifted, L"BICONMIN"), 100);
}
