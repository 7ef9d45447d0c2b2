// A packed skin file loaded into a manager as the window's stored layout loads its internal skin
// (hue offset stored while the component is read, then SkinName). The benchmarks and the skin
// gallery load the setup window's own skin this way.
#pragma once
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/data/sSkinManager.h"

namespace storedskin {

// The file's bytes, or nothing when it cannot be read.
inline std::vector<std::uint8_t> ReadFileBytes(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Adds `package` as the internal skin `name` and puts the manager in the reading state with the
// hue offset stored; the caller's SetSkinName then loads and recolours the skin once.
inline void PrepareStoredSkin(TsSkinManager& m, const std::vector<std::uint8_t>& package, int hueOffset,
                              const std::wstring& name) {
  TsStoredSkin item;
  item.Name = name;
  item.ReadData(package);
  m.InternalSkins().Add(std::move(item));
  m.SetComponentState(csLoading | csReading);
  m.SetHueOffset(hueOffset);
}

}  // namespace storedskin
