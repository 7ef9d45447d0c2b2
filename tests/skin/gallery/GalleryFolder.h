// A gallery's output folder: one PNG per tile, the contact sheet of all tiles and the tile index
// (index.txt), and the comparison of two such folders tile by tile.
#pragma once
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "GalleryTiles.h"

inline constexpr const char* kIndexFile = "index.txt";
inline constexpr const char* kSheetFile = "sheet.png";
inline constexpr int kSheetGap = 4;
inline constexpr int kSheetWidth = 2400;  // rows wrap before this width
inline constexpr std::uint32_t kSheetBackground = 0xFF303030u;

// One line of the index.
struct TIndexEntry {
  std::string File, Section, Size, State, Background;
  bool Text = false;
};

// The tiles side by side, each section on a new row (wrapped at kSheetWidth), kSheetGap pixels
// apart on a dark ground. Tiles keep their colours but are made opaque: painted alpha is kept in
// the tile files, the sheet is only for looking at.
TBitmap32 ContactSheet(const std::vector<TGalleryTile>& tiles);

// The index text: a comment line naming the columns, then one line per tile, tab-separated:
// file, section, WxH, state (s0, s1 …, dis), background (bg, col), kind (item, text).
std::string IndexText(const std::vector<TGalleryTile>& tiles);
// The index lines of a folder's index text; comment and empty lines are skipped.
std::vector<TIndexEntry> ParseIndex(const std::string& text);

// Writes every tile, the sheet and the index into dir (made when missing). Throws on a write
// error.
void WriteGallery(const std::filesystem::path& dir, const std::vector<TGalleryTile>& tiles);

// Compares the item tiles of two gallery folders pixel by pixel (text tiles are never compared):
// every tile of either index must exist in both with the same size and pixels. Writes one line
// per difference (for pixels: the first differing one in row order, both values and how many
// differ) and returns how many tiles differ or are missing; an unreadable index counts as one.
int CompareGalleries(const std::filesystem::path& a, const std::filesystem::path& b, std::ostream& out);
