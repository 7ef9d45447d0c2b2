// Skins stored inside the window layout: a name, shadow settings and the package bytes.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "framework/Types.h"

struct TsStoredSkin {
  std::wstring Name;
  TColor ShadowColor = clBlack;
  int ShadowOffset = 0;
  int ShadowTransparency = 0;
  std::vector<std::uint8_t> Data;  // the skin package
};

using TsStoredSkins = std::vector<TsStoredSkin>;
