// The native gallery: no platform text and no windows.
#include <iostream>

#include "GalleryPlatform.h"

void AddTextTiles(TsSkinManager&, std::vector<TGalleryTile>&) {}

int ShowButtonWindow(TsSkinManager&, const std::string&) {
  std::cerr << "skin_gallery: --window needs a Windows build\n";
  return 2;
}

std::vector<TGalleryTile> LabelTiles(const std::string&) { return {}; }
