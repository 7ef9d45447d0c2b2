#include "GalleryChecks.h"

#include <algorithm>
#include <cstdio>

#include "framework/Utf.h"
#include "skin/data/sSkinManager.h"
#include "skin/paint/sSkinItem.h"

namespace {

std::string Hex(std::uint32_t v) {
  char s[11];
  std::snprintf(s, sizeof s, "0x%08X", unsigned(v));
  return s;
}

std::string At(TPoint p) { return "(" + std::to_string(p.X) + ", " + std::to_string(p.Y) + ")"; }

TRect Inner(const TGalleryTile& t, const TBands& b) {
  return Rect(b.Left, b.Top, t.Width - b.Right, t.Height - b.Bottom);
}

}  // namespace

TBands SectionBands(const TsSkinManager& manager, int sectionIndex) {
  if (sectionIndex < 0 || sectionIndex >= int(manager.gd().size())) return {};
  const int border = manager.gd()[sectionIndex].BorderIndex;
  if (border < 0 || border >= int(manager.ma().size())) return {};
  const TsMaskData& m = manager.ma()[border];
  return {m.WL, m.WT, m.WR, m.WB};
}

TPoint FirstDifference(const TBitmap32& a, const TBitmap32& b, const TRect& area) {
  const int right = std::min({area.Right, a.Width(), b.Width()});
  const int bottom = std::min({area.Bottom, a.Height(), b.Height()});
  for (int y = std::max(area.Top, 0); y < bottom; ++y)
    for (int x = std::max(area.Left, 0); x < right; ++x)
      if (a.Pixel(x, y) != b.Pixel(x, y)) return {x, y};
  return {-1, -1};
}

int CheckAllDifferent(const std::vector<const TGalleryTile*>& tiles, std::ostream& out) {
  int failures = 0;
  for (std::size_t i = 0; i < tiles.size(); ++i)
    for (std::size_t j = i + 1; j < tiles.size(); ++j) {
      const TGalleryTile &a = *tiles[i], &b = *tiles[j];
      if (FirstDifference(a.Pixels, b.Pixels, Rect(0, 0, a.Width, a.Height)).X < 0) {
        out << "FAIL: " << a.File << " and " << b.File << " are identical\n";
        ++failures;
      }
    }
  return failures;
}

int CheckShowsCheck(const TGalleryTile& tile, const TBitmap32& check, const TBands& bands, std::ostream& out) {
  const TPoint p = FirstDifference(tile.Pixels, check, Inner(tile, bands));
  if (p.X < 0) return 0;
  out << "FAIL: " << tile.File << " pixel " << At(p) << " is " << Hex(tile.Pixels.Pixel(p.X, p.Y))
      << " where the check behind it is " << Hex(check.Pixel(p.X, p.Y)) << "\n";
  return 1;
}

int CheckDifferOnlyInBands(const TGalleryTile& a, const TGalleryTile& b, const TBands& bands, std::ostream& out) {
  if (bands.Left + bands.Top + bands.Right + bands.Bottom == 0) {
    out << "FAIL: " << a.File << " has no border bands to differ in\n";
    return 1;
  }
  const TPoint inside = FirstDifference(a.Pixels, b.Pixels, Inner(a, bands));
  if (inside.X >= 0) {
    out << "FAIL: " << a.File << " and " << b.File << " differ inside the border at " << At(inside) << ": "
        << Hex(a.Pixels.Pixel(inside.X, inside.Y)) << " against " << Hex(b.Pixels.Pixel(inside.X, inside.Y)) << "\n";
    return 1;
  }
  if (FirstDifference(a.Pixels, b.Pixels, Rect(0, 0, a.Width, a.Height)).X < 0) {
    out << "FAIL: " << a.File << " and " << b.File << " are identical, border too\n";
    return 1;
  }
  return 0;
}

int RunGalleryChecks(const TsSkinManager& manager, const std::vector<TGalleryTile>& tiles, std::ostream& out) {
  using Bg = TGalleryBackground;
  int failures = 0;
  auto need = [&](std::wstring_view section, int w, int h, int state, Bg bg) {
    const TGalleryTile* t = FindTile(tiles, section, w, h, state, bg);
    if (!t) {
      out << "FAIL: no tile " << TileFileName(std::wstring(section), w, h, state, bg, false) << "\n";
      ++failures;
    }
    return t;
  };

  for (Bg bg : {Bg::Check, Bg::Colour}) {
    std::vector<const TGalleryTile*> button;
    for (int state : {0, 1, 2, kDisabledState})
      if (const TGalleryTile* t = need(L"BUTTON", 75, 25, state, bg)) button.push_back(t);
    failures += CheckAllDifferent(button, out);
  }
  out << "check: BUTTON states 0, 1, 2 and disabled differ pairwise\n";

  // The check is what lies behind the tile, so it is the reference itself.
  const int checkbox = manager.GetSkinIndex(L"CHECKBOX");
  if (checkbox < 0) {
    out << "FAIL: the skin has no CHECKBOX section\n";
    ++failures;
  } else {
    const TsGeneralData& gd = manager.gd()[checkbox];
    const TBands bands = SectionBands(manager, checkbox);
    const TBitmap32 check = CheckBitmap(197, 19);
    int compared = 0;
    for (int state = 0; state < ShownStates(gd.States); ++state) {
      if (gd.Props[PropertyIndex(SectionState(gd, state))].Transparency != 100) continue;
      if (const TGalleryTile* t = need(L"CHECKBOX", 197, 19, state, Bg::Check)) {
        failures += CheckShowsCheck(*t, check, bands, out);
        ++compared;
      }
    }
    if (compared == 0) {
      out << "FAIL: CHECKBOX is fully transparent in no state; nothing shows the check\n";
      ++failures;
    }
    out << "check: CHECKBOX over the check shows the check (" << compared << " states)\n";
  }

  const int edit = manager.GetSkinIndex(L"EDIT");
  const TBands editBands = SectionBands(manager, edit);
  int editPairs = 0;
  for (const TGallerySection& s : DefaultSections()) {
    if (s.Name != L"EDIT") continue;
    for (Bg bg : {Bg::Check, Bg::Colour}) {
      const TGalleryTile* s0 = need(L"EDIT", s.Width, s.Height, 0, bg);
      const TGalleryTile* s1 = need(L"EDIT", s.Width, s.Height, 1, bg);
      if (s0 && s1) failures += CheckDifferOnlyInBands(*s0, *s1, editBands, out), ++editPairs;
    }
  }
  out << "check: EDIT states 0 and 1 differ only on the border (" << editPairs << " pairs)\n";
  return failures;
}
