// The gallery's own logic (section arguments, tile names, the folder comparison, the checks on
// tiny made-up tiles) and the checks over the setup window's real skin.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "GalleryChecks.h"
#include "GalleryFolder.h"
#include "GalleryTiles.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sStoredSkinLoad.h"

namespace fs = std::filesystem;

namespace {

TGalleryTile Tile(const std::wstring& section, int w, int h, int state, std::uint32_t fill, bool text = false) {
  TGalleryTile t{TileFileName(section, w, h, state, TGalleryBackground::Check, text), section, w, h, state,
                 TGalleryBackground::Check, text, TBitmap32(w, h)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) t.Pixels.Pixel(x, y) = fill;
  return t;
}

// A fresh folder under the system's temporary folder, removed with the object.
struct TTempDir {
  fs::path Path;
  explicit TTempDir(const std::string& name)
      : Path(fs::temp_directory_path() / ("gallery_test_" + name + "_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()))) {
    fs::remove_all(Path);
  }
  ~TTempDir() { fs::remove_all(Path); }
};

}  // namespace

// NAME:WxH is the only accepted form; names are upper case, sides 1 … 4096.
TEST(GallerySection, ParsesOnlyNameColonWidthByHeight) {
  const auto s = ParseSection("BUTTON_BIG:120x30");
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Name, L"BUTTON_BIG");
  EXPECT_EQ(s->Width, 120);
  EXPECT_EQ(s->Height, 30);
  for (const char* bad : {"BUTTON", "BUTTON:75", "BUTTON:75x", "button:75x25", ":75x25", "BUTTON:0x25",
                          "BUTTON:75x4097", "BUTTON:75x25x3", "BUTTON:-5x25", "BUTTON:75 x25"})
    EXPECT_FALSE(ParseSection(bad)) << bad;
}

// File names carry section, size, state (or "dis"), background and the text mark.
TEST(GalleryTiles, FileNames) {
  EXPECT_EQ(TileFileName(L"BUTTON", 75, 25, 1, TGalleryBackground::Check, false), "BUTTON_75x25_s1_bg.png");
  EXPECT_EQ(TileFileName(L"BUTTON", 75, 25, 0, TGalleryBackground::Colour, false), "BUTTON_75x25_s0_col.png");
  EXPECT_EQ(TileFileName(L"EDIT", 465, 201, kDisabledState, TGalleryBackground::Check, false), "EDIT_465x201_dis_bg.png");
  EXPECT_EQ(TileFileName(L"BUTTON", 75, 25, 2, TGalleryBackground::Colour, true), "BUTTON_75x25_s2_col_text.png");
}

// Sections show at least states 0 and 1, and all their own.
TEST(GalleryTiles, ShownStates) {
  EXPECT_EQ(ShownStates(0), 2);
  EXPECT_EQ(ShownStates(1), 2);
  EXPECT_EQ(ShownStates(3), 3);
  EXPECT_EQ(ShownStates(4), 4);
}

// Squares of kCheckSquare pixels, light at the origin, alternating both ways.
TEST(GalleryTiles, CheckPattern) {
  const TBitmap32 c = CheckBitmap(20, 18);
  EXPECT_EQ(c.Pixel(0, 0), kCheckLight);
  EXPECT_EQ(c.Pixel(7, 7), kCheckLight);
  EXPECT_EQ(c.Pixel(8, 0), kCheckDark);
  EXPECT_EQ(c.Pixel(0, 8), kCheckDark);
  EXPECT_EQ(c.Pixel(8, 8), kCheckLight);
  EXPECT_EQ(c.Pixel(19, 17), kCheckLight);
}

// Tiles of one section share a row; the next section starts a new one; the ground shows between.
TEST(GalleryFolder, ContactSheetLayout) {
  const std::vector<TGalleryTile> tiles = {Tile(L"A", 10, 6, 0, 0x11223344u), Tile(L"A", 10, 6, 1, 0x00556677u),
                                           Tile(L"B", 5, 9, 0, 0xFF000000u)};
  const TBitmap32 sheet = ContactSheet(tiles);
  EXPECT_EQ(sheet.Width(), kSheetGap + 2 * (10 + kSheetGap));
  EXPECT_EQ(sheet.Height(), kSheetGap + 6 + kSheetGap + 9 + kSheetGap);
  EXPECT_EQ(sheet.Pixel(kSheetGap, kSheetGap), 0xFF223344u);  // made opaque
  EXPECT_EQ(sheet.Pixel(2 * kSheetGap + 10, kSheetGap), 0xFF556677u);
  EXPECT_EQ(sheet.Pixel(kSheetGap, 2 * kSheetGap + 6), 0xFF000000u);
  EXPECT_EQ(sheet.Pixel(kSheetGap + 10, kSheetGap), kSheetBackground);
}

// The index lists every tile with its columns and reads back the same.
TEST(GalleryFolder, IndexRoundTrip) {
  const std::vector<TGalleryTile> tiles = {Tile(L"A", 3, 2, kDisabledState, 0), Tile(L"A", 3, 2, 1, 0, true)};
  const auto entries = ParseIndex(IndexText(tiles));
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].File, "A_3x2_dis_bg.png");
  EXPECT_EQ(entries[0].Section, "A");
  EXPECT_EQ(entries[0].Size, "3x2");
  EXPECT_EQ(entries[0].State, "dis");
  EXPECT_EQ(entries[0].Background, "bg");
  EXPECT_FALSE(entries[0].Text);
  EXPECT_TRUE(entries[1].Text);
}

// Equal folders pass; one changed pixel fails and is reported at its place; a differing text tile
// is ignored; a tile missing on one side fails.
TEST(GalleryFolder, ComparisonFindsEveryPixel) {
  TTempDir a("a"), b("b");
  std::vector<TGalleryTile> tiles = {Tile(L"A", 6, 4, 0, 0xFF102030u), Tile(L"A", 6, 4, 0, 0xFF000000u, true),
                                     Tile(L"B", 3, 3, 1, 0x80FFFFFFu)};
  WriteGallery(a.Path, tiles);
  WriteGallery(b.Path, tiles);
  std::ostringstream out;
  EXPECT_EQ(CompareGalleries(a.Path, b.Path, out), 0) << out.str();

  tiles[1].Pixels.Pixel(0, 0) = 0xFFFFFFFFu;  // text tile: never compared
  tiles[0].Pixels.Pixel(3, 2) = 0xFF102031u;
  tiles[0].Pixels.Pixel(5, 3) = 0xFF102031u;
  WriteGallery(b.Path, tiles);
  out.str("");
  EXPECT_EQ(CompareGalleries(a.Path, b.Path, out), 1);
  EXPECT_NE(out.str().find("A_6x4_s0_bg.png: first differing pixel (3, 2): 0xFF102030 against 0xFF102031, 2 pixels"),
            std::string::npos)
      << out.str();

  // Only the alpha byte differs: still a difference.
  tiles[0].Pixels.Pixel(3, 2) = tiles[0].Pixels.Pixel(5, 3) = 0xFF102030u;
  tiles[2].Pixels.Pixel(2, 2) = 0x81FFFFFFu;
  WriteGallery(b.Path, tiles);
  out.str("");
  EXPECT_EQ(CompareGalleries(a.Path, b.Path, out), 1) << out.str();

  tiles.pop_back();
  fs::remove_all(b.Path);
  WriteGallery(b.Path, tiles);
  out.str("");
  EXPECT_EQ(CompareGalleries(a.Path, b.Path, out), 1);
  EXPECT_NE(out.str().find("B_3x3_s1_bg.png: only in"), std::string::npos) << out.str();

  out.str("");
  EXPECT_EQ(CompareGalleries(a.Path, b.Path / "none", out), 1);
}

// A pair of equal tiles fails "all different"; distinct ones pass.
TEST(GalleryChecks, AllDifferent) {
  const TGalleryTile a = Tile(L"A", 4, 4, 0, 1), b = Tile(L"A", 4, 4, 1, 2), c = Tile(L"A", 4, 4, 2, 1);
  std::ostringstream out;
  EXPECT_EQ(CheckAllDifferent({&a, &b}, out), 0);
  EXPECT_EQ(CheckAllDifferent({&a, &b, &c}, out), 1);
  EXPECT_NE(out.str().find("A_4x4_s0_bg.png and A_4x4_s2_bg.png are identical"), std::string::npos) << out.str();
}

// A tile showing the check passes; one pixel off inside fails; pixels on the bands do not count.
TEST(GalleryChecks, ShowsCheckOutsideTheBands) {
  const TBitmap32 check = CheckBitmap(12, 10);
  TGalleryTile t = Tile(L"C", 12, 10, 0, 0);
  t.Pixels = check;
  std::ostringstream out;
  EXPECT_EQ(CheckShowsCheck(t, check, {}, out), 0);
  t.Pixels.Pixel(0, 9) = 0;
  EXPECT_EQ(CheckShowsCheck(t, check, {}, out), 1);
  EXPECT_NE(out.str().find("pixel (0, 9)"), std::string::npos) << out.str();
  EXPECT_EQ(CheckShowsCheck(t, check, {1, 0, 0, 1}, out), 0);
  t.Pixels.Pixel(1, 8) = 0;
  EXPECT_EQ(CheckShowsCheck(t, check, {1, 0, 0, 1}, out), 1);
}

// States that differ only on the border pass; inside, or not at all, fails.
TEST(GalleryChecks, DifferOnlyInBands) {
  const TBands bands{2, 1, 2, 1};
  TGalleryTile a = Tile(L"E", 10, 6, 0, 5), b = Tile(L"E", 10, 6, 1, 5);
  std::ostringstream out;
  EXPECT_EQ(CheckDifferOnlyInBands(a, b, bands, out), 1);  // identical
  b.Pixels.Pixel(9, 5) = 6;
  EXPECT_EQ(CheckDifferOnlyInBands(a, b, bands, out), 0);
  b.Pixels.Pixel(2, 1) = 6;
  EXPECT_EQ(CheckDifferOnlyInBands(a, b, bands, out), 1);
  EXPECT_NE(out.str().find("differ inside the border at (2, 1)"), std::string::npos) << out.str();
  EXPECT_EQ(CheckDifferOnlyInBands(a, b, {}, out), 1);  // nothing to differ in
}

// The setup window's skin at hue 196: every default section is there and the checks hold.
TEST(GalleryRealSkin, ChecksHold) {
  TsSkinManager manager(nullptr);
  const auto package = storedskin::ReadFileBytes(PRISMATONE_GALLERY_SKIN);
  ASSERT_FALSE(package.empty());
  storedskin::PrepareStoredSkin(manager, package, 196, L"Cobalt3 (internal)");
  manager.SetSkinName(L"Cobalt3 (internal)");
  ASSERT_FALSE(manager.gd().empty());
  std::vector<std::wstring> missing;
  const auto tiles = PaintTiles(manager, DefaultSections(), missing);
  EXPECT_TRUE(missing.empty());
  std::ostringstream out;
  EXPECT_EQ(RunGalleryChecks(manager, tiles, out), 0) << out.str();
  // BUTTON has 4 states: s0 … s3 and the disabled look over each background.
  EXPECT_TRUE(FindTile(tiles, L"BUTTON", 75, 25, 3, TGalleryBackground::Colour));
  EXPECT_FALSE(FindTile(tiles, L"BUTTON", 75, 25, 4, TGalleryBackground::Colour));
}
