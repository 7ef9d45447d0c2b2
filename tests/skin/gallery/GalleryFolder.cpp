#include "GalleryFolder.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <stdexcept>

#include "framework/Utf.h"
#include "imaging/ImageError.h"
#include "imaging/PngCodec.h"

namespace fs = std::filesystem;

namespace {

std::string StateColumn(int state) { return state == kDisabledState ? "dis" : "s" + std::to_string(state); }

void WriteBytes(const fs::path& file, const void* data, std::size_t size) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(static_cast<const char*>(data), std::streamsize(size));
  if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
}

bool ReadBytes(const fs::path& file, std::string& bytes) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

// The tile's pixels, or an empty bitmap with `error` set.
TBitmap32 ReadTile(const fs::path& file, std::string& error) {
  std::string bytes;
  if (!ReadBytes(file, bytes)) {
    error = "missing";
    return {};
  }
  try {
    return DecodePng(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  } catch (const EImageError& e) {
    error = e.what();
    return {};
  }
}

std::string Hex(std::uint32_t v) {
  char s[11];
  std::snprintf(s, sizeof s, "0x%08X", unsigned(v));
  return s;
}

// Empty when equal, else what differs.
std::string TileDifference(const TBitmap32& a, const TBitmap32& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height())
    return "size " + std::to_string(a.Width()) + "x" + std::to_string(a.Height()) + " against " +
           std::to_string(b.Width()) + "x" + std::to_string(b.Height());
  long count = 0;
  int fx = -1, fy = -1;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y) && count++ == 0) fx = x, fy = y;
  if (count == 0) return {};
  // PNG pixels are read back as B, G, R, A words: printed as 0xAARRGGBB.
  return "first differing pixel (" + std::to_string(fx) + ", " + std::to_string(fy) + "): " + Hex(a.Pixel(fx, fy)) +
         " against " + Hex(b.Pixel(fx, fy)) + ", " + std::to_string(count) + " pixels differ";
}

}  // namespace

TBitmap32 ContactSheet(const std::vector<TGalleryTile>& tiles) {
  // Place first, then paint: the sheet's size is known only after the last row.
  struct TPlace { const TGalleryTile* tile; int x, y; };
  std::vector<TPlace> places;
  int x = kSheetGap, y = kSheetGap, rowHeight = 0, width = 0;
  const std::wstring* section = nullptr;
  std::pair<int, int> size{};
  for (const TGalleryTile& t : tiles) {
    const bool newGroup = !section || *section != t.Section || size != std::pair{t.Width, t.Height};
    if (x > kSheetGap && (newGroup || x + t.Width + kSheetGap > kSheetWidth)) {
      x = kSheetGap;
      y += rowHeight + kSheetGap;
      rowHeight = 0;
    }
    section = &t.Section;
    size = {t.Width, t.Height};
    places.push_back({&t, x, y});
    x += t.Width + kSheetGap;
    rowHeight = std::max(rowHeight, t.Height);
    width = std::max(width, x);
  }
  TBitmap32 sheet(std::max(width, 1), y + rowHeight + kSheetGap);
  for (int j = 0; j < sheet.Height(); ++j) std::fill_n(sheet.Row(j), sheet.Width(), kSheetBackground);
  for (const TPlace& p : places)
    for (int j = 0; j < p.tile->Height; ++j)
      for (int i = 0; i < p.tile->Width; ++i) sheet.Pixel(p.x + i, p.y + j) = p.tile->Pixels.Pixel(i, j) | 0xFF000000u;
  return sheet;
}

std::string IndexText(const std::vector<TGalleryTile>& tiles) {
  std::string s = "# file\tsection\tsize\tstate\tbackground\tkind\n";
  for (const TGalleryTile& t : tiles)
    s += t.File + "\t" + WideToUtf8(t.Section) + "\t" + std::to_string(t.Width) + "x" + std::to_string(t.Height) + "\t" +
         StateColumn(t.State) + "\t" + (t.Background == TGalleryBackground::Check ? "bg" : "col") + "\t" +
         (t.Text ? "text" : "item") + "\n";
  return s;
}

std::vector<TIndexEntry> ParseIndex(const std::string& text) {
  std::vector<TIndexEntry> entries;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> cols;
    std::istringstream fields(line);
    for (std::string f; std::getline(fields, f, '\t');) cols.push_back(f);
    if (cols.size() != 6) continue;
    entries.push_back({cols[0], cols[1], cols[2], cols[3], cols[4], cols[5] == "text"});
  }
  return entries;
}

void WriteGallery(const fs::path& dir, const std::vector<TGalleryTile>& tiles) {
  fs::create_directories(dir);
  for (const TGalleryTile& t : tiles) {
    const auto png = EncodePng(t.Pixels);
    WriteBytes(dir / t.File, png.data(), png.size());
  }
  if (!tiles.empty()) {
    const auto sheet = EncodePng(ContactSheet(tiles));
    WriteBytes(dir / kSheetFile, sheet.data(), sheet.size());
  }
  const std::string index = IndexText(tiles);
  WriteBytes(dir / kIndexFile, index.data(), index.size());
}

int CompareGalleries(const fs::path& a, const fs::path& b, std::ostream& out) {
  std::string textA, textB;
  if (!ReadBytes(a / kIndexFile, textA) || !ReadBytes(b / kIndexFile, textB)) {
    out << "no tile index in " << (textA.empty() ? a : b).string() << "\n";
    return 1;
  }
  // Item tiles only: text tiles hold the platform's glyphs, which differ between systems.
  auto items = [](const std::string& text) {
    std::map<std::string, TIndexEntry> m;
    for (TIndexEntry& e : ParseIndex(text))
      if (!e.Text) m.emplace(e.File, std::move(e));
    return m;
  };
  const auto itemsA = items(textA), itemsB = items(textB);
  int differing = 0;
  for (const auto& [file, entry] : itemsB)
    if (!itemsA.count(file)) out << file << ": only in " << b.string() << "\n", ++differing;
  for (const auto& [file, entry] : itemsA) {
    if (!itemsB.count(file)) {
      out << file << ": only in " << a.string() << "\n";
      ++differing;
      continue;
    }
    std::string errorA, errorB;
    const TBitmap32 pa = ReadTile(a / file, errorA), pb = ReadTile(b / file, errorB);
    std::string diff;
    if (!errorA.empty() || !errorB.empty())
      diff = "unreadable (" + (errorA.empty() ? errorB : errorA) + ")";
    else
      diff = TileDifference(pa, pb);
    if (!diff.empty()) out << file << ": " << diff << "\n", ++differing;
  }
  if (itemsA.empty()) out << "no item tiles in " << a.string() << "\n", ++differing;
  return differing;
}
