// skin_gallery: paints skin sections in all their states into PNG tiles, a contact sheet and a
// tile index, checks what the setup window's skin must look like, and compares two galleries.
//
//   skin_gallery OUTDIR [--package FILE] [--hue N] [--section NAME:WxH]... [--check | --no-check]
//       The setup window's sections (and any added ones) from the window's internal skin at hue
//       196, or from another package. The checks (GalleryChecks.h) run for the window's own skin
//       unless --no-check; --check runs them for another package too.
//   skin_gallery --compare A B
//       Fails when any item tile of the two folders differs; prints the first differing pixel.
//   skin_gallery --window UNTIL_FILE        (Windows builds)
//       Shows the painted button in a window until UNTIL_FILE exists, for a screen capture.
//
// Exit codes: 0 passed, 1 a check or the comparison failed, 2 bad arguments or unreadable skin.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "GalleryChecks.h"
#include "GalleryFolder.h"
#include "GalleryPlatform.h"
#include "GalleryTiles.h"
#include "framework/Utf.h"
#include "imaging/PngCodec.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sStoredSkinLoad.h"

namespace {

struct TOptions {
  std::string OutDir;
  std::string Package = PRISMATONE_GALLERY_SKIN;
  bool OwnSkin = true;  // the window's internal skin, which the checks describe
  int Hue = 196;
  std::vector<TGallerySection> Sections = DefaultSections();
  int Check = -1;  // −1: only for the window's own skin
  std::string CompareA, CompareB;
  std::string WindowUntil;
};

int Usage(const std::string& why) {
  std::cerr << "skin_gallery: " << why << "\n"
            << "usage: skin_gallery OUTDIR [--package FILE] [--hue N] [--section NAME:WxH]... [--check|--no-check]\n"
            << "       skin_gallery --compare A B\n"
            << "       skin_gallery --window UNTIL_FILE\n";
  return 2;
}

// Empty when the arguments are good, else why not.
std::string ParseArgs(int argc, char** argv, TOptions& o) {
  std::vector<std::string> args(argv + 1, argv + argc);
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--compare") {
      if (i + 2 >= args.size()) return "--compare needs two folders";
      o.CompareA = args[i + 1];
      o.CompareB = args[i + 2];
      i += 2;
    } else if (a == "--package" && hasValue) {
      o.Package = args[++i];
      o.OwnSkin = false;
    } else if (a == "--hue" && hasValue) {
      try {
        o.Hue = std::stoi(args[++i]);
      } catch (const std::exception&) {
        return "bad hue " + args[i];
      }
    } else if (a == "--section" && hasValue) {
      const auto s = ParseSection(args[++i]);
      if (!s) return "bad section " + args[i] + " (NAME:WxH)";
      o.Sections.push_back(*s);
    } else if (a == "--window" && hasValue) {
      o.WindowUntil = args[++i];
    } else if (a == "--check") {
      o.Check = 1;
    } else if (a == "--no-check") {
      o.Check = 0;
    } else if (a.rfind("--", 0) == 0 || !o.OutDir.empty()) {
      return "unexpected argument " + a;
    } else {
      o.OutDir = a;
    }
  }
  if (o.CompareA.empty() && o.WindowUntil.empty() && o.OutDir.empty()) return "no output folder";
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  TOptions o;
  if (const std::string why = ParseArgs(argc, argv, o); !why.empty()) return Usage(why);
  if (!o.CompareA.empty()) {
    const int differing = CompareGalleries(o.CompareA, o.CompareB, std::cout);
    std::cout << (differing ? "DIFFERENT: " : "same: ") << differing << " tiles differ between " << o.CompareA
              << " and " << o.CompareB << "\n";
    return differing ? 1 : 0;
  }

  TsSkinManager manager(nullptr);
  const auto package = storedskin::ReadFileBytes(o.Package.c_str());
  if (package.empty()) {
    std::cerr << "skin_gallery: cannot read the skin package " << o.Package << "\n";
    return 2;
  }
  const std::wstring name = o.OwnSkin ? L"Cobalt3 (internal)" : L"Gallery";
  storedskin::PrepareStoredSkin(manager, package, o.Hue, name);
  manager.SetSkinName(name);
  if (manager.gd().empty()) {
    std::cerr << "skin_gallery: the package " << o.Package << " did not load as a skin\n";
    return 2;
  }
  if (!o.WindowUntil.empty()) return ShowButtonWindow(manager, o.WindowUntil);

  std::vector<std::wstring> missing;
  std::vector<TGalleryTile> tiles = PaintTiles(manager, o.Sections, missing);
  for (const std::wstring& m : missing)
    std::cout << "skin has no section " << WideToUtf8(m) << "; not painted\n";
  AddTextTiles(manager, tiles);
  try {
    WriteGallery(o.OutDir, tiles);
    WriteGallery(std::filesystem::path(o.OutDir) / "fades", FadeTiles(tiles));
    WriteGallery(std::filesystem::path(o.OutDir) / "checkboxes", CheckBoxTiles(manager));
    WriteGallery(std::filesystem::path(o.OutDir) / "buttons", ButtonTiles(manager));
    WriteGallery(std::filesystem::path(o.OutDir) / "scrolls", ScrollTiles(manager));
    WriteGallery(std::filesystem::path(o.OutDir) / "edits", EditTiles(manager));
    WriteGallery(std::filesystem::path(o.OutDir) / "combo", ComboTiles(manager));
    WriteGallery(std::filesystem::path(o.OutDir) / "frame", FrameTiles(manager));
    const auto light = storedskin::ReadFileBytes(PRISMATONE_GALLERY_LIGHT);
    WriteGallery(std::filesystem::path(o.OutDir) / "gauge",
                 GaugeTiles(manager, light.empty() ? TBitmap32() : DecodePng(light.data(), light.size())));
    // The window's labels, where there are windows to paint them.
    if (const auto labels = o.OwnSkin ? LabelTiles(PRISMATONE_GALLERY_LAYOUT) : std::vector<TGalleryTile>{}; !labels.empty())
      WriteGallery(std::filesystem::path(o.OutDir) / "labels", labels);
  } catch (const std::exception& e) {
    std::cerr << "skin_gallery: " << e.what() << "\n";
    return 2;
  }
  std::cout << tiles.size() << " tiles written to " << o.OutDir << "\n";

  const bool check = o.Check == 1 || (o.Check == -1 && o.OwnSkin);
  if (!check) return 0;
  const int failures = RunGalleryChecks(manager, tiles, std::cout);
  std::cout << (failures ? "FAILED: " : "passed: ") << failures << " check failures\n";
  return failures ? 1 : 0;
}
