// The setup window's own skin for benchmarks: the packed internal skin of the native build,
// loaded into a manager as the window's stored layout does (hue offset stored while the
// component is read, then SkinName).
#pragma once
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/data/sSkinManager.h"

namespace benchskin {

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

}  // namespace benchskin
