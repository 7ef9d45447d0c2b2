// What only the Windows builds of the gallery add: tiles with the section's text drawn by the
// platform, and a window showing one painted button for a screen capture. The native build links
// the stand-ins that add nothing.
#pragma once
#include <string>
#include <vector>

#include "GalleryTiles.h"

class TsSkinManager;

// Adds a text tile for each colour-background item tile of a section that carries text in the
// setup window (its caption drawn with DrawSectionText over a copy of the tile).
void AddTextTiles(TsSkinManager& manager, std::vector<TGalleryTile>& tiles);

// Shows a borderless window titled kGalleryWindowTitle at (kGalleryWindowX, kGalleryWindowY),
// filled with kPlainColour, with BUTTON state 1 painted by PaintSectionToDC over that colour at
// (kGalleryButtonX, kGalleryButtonY) of its client area. Runs until the file `untilFile` exists
// (or 5 minutes passed). Returns the process exit code: 0, or 2 where there are no windows.
int ShowButtonWindow(TsSkinManager& manager, const std::string& untilFile);

// The labels page: each effect and web label of the setup window's stored layout (layoutFile)
// painted by the real control on a form of the window's colour, the web labels also hovered.
// Text tiles only. Empty where there are no windows or the layout cannot be read.
std::vector<TGalleryTile> LabelTiles(const std::string& layoutFile);

inline constexpr const char* kGalleryWindowTitle = "Prismatone skin gallery";
inline constexpr int kGalleryWindowX = 40, kGalleryWindowY = 40;
inline constexpr int kGalleryWindowWidth = 115, kGalleryWindowHeight = 65;
inline constexpr int kGalleryButtonX = 20, kGalleryButtonY = 20;
