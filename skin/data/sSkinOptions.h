// Skin options: the "Options.dat" INI text turned into the skin tables (sConst.h).
//
// The load runs in this order, each step seeing the results of the earlier ones: the master
// bitmap and the image pieces (LoadAllMasks), JPEG textures (LoadAllPatterns), the global data
// and the outer effects, the sections (LoadAllSections) with the application's extra sections
// (ApplyCommonSections), the manager's mask-index pass, the palette (LoadPalette) and the
// TRANSPARENT section. LoadSkinTables runs the whole sequence. Recolouring follows in the manager.
//
// Options texts and images are untrusted: a malformed fixed-position number (image pieces,
// gradient data) ends the load with EConvertError; images that are missing, damaged or of an
// unknown format are skipped and yield no piece; nothing reads outside a buffer.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "framework/MemIniFile.h"
#include "framework/StringList.h"
#include "framework/Streams.h"
#include "skin/data/sConst.h"
#include "skin/data/sSkinPack.h"

// Everything a load builds.
struct TsSkinTables {
  TsSkinData CommonSkinData;
  TBitmap32 MasterBitmap;  // empty when the skin names none (pieces cut from it then draw nothing)
  TsMaskArray ma;
  TsPatternArray pa;
  TsGeneralDataArray gd;
  TsOutEffArray oe{};
  TsPaletteArray Palette{};
};

// Where the images of a skin come from: the package being loaded, or files under SkinPath.
struct TsSkinImages {
  const TsSkinConvertor* Package = nullptr;  // packed skins
  std::wstring SkinPath;                    // with its final "\"; prefixed to names without ":"
};

// What the platform and the manager supply to a load.
struct TsSkinLoadSettings {
  TsSkinManager* Manager = nullptr;  // stored in every piece
  int Brightness = 0;                // above 0 the PNG alpha preparation is left to recolouring
  // The "BLUR5" picture (the program's bitmap resource on Windows); null = MakeBlur5Bitmap().
  std::function<TBitmap32()> Blur5;
  // The platform's sizing-frame width (default of FORMOFFSET).
  int SizingFrameWidth = 4;
  // The manager's CommonSections (blanks already removed, see StripCommonSections); may be null.
  const TStringList* CommonSections = nullptr;
};

// The options text of a package or file (single-byte text) as a case-sensitive INI reader.
std::unique_ptr<TMemIniFile> LoadSkinOptions(TStream& options);
std::unique_ptr<TMemIniFile> LoadSkinOptionsText(const std::wstring& text);

// Removes all blanks from every line that is not a comment (";"), as the manager does when its
// CommonSections list is assigned.
void StripCommonSections(TStringList& lines);

// The steps of a load (see the top of this file).
void LoadAllMasks(const TMemIniFile& ini, const TsSkinImages& images, const TsSkinLoadSettings& settings, TsSkinTables& t);
void LoadAllPatterns(const TMemIniFile& ini, const TsSkinImages& images, const TsSkinLoadSettings& settings,
                     TsSkinTables& t);
void LoadGlobalData(const TMemIniFile& ini, const TsSkinLoadSettings& settings, TsSkinTables& t);
void LoadOuterEffects(const TMemIniFile& ini, const TsSkinLoadSettings& settings, TsSkinTables& t);
void LoadAllSections(const TMemIniFile& ini, TsSkinTables& t);
void ApplyCommonSections(const TStringList& commonSections, const TsSkinImages& images,
                         const TsSkinLoadSettings& settings, TsSkinTables& t);
void LoadPalette(const TMemIniFile& ini, TsSkinTables& t);
void AddTransparentSection(TsSkinTables& t);

// Skins newer than this store their PNG pieces premultiplied by the load.
constexpr double kPremultiplyVersion = 7.45;
// The alpha preparation of a PNG piece: up to version 7.45 every pixel 0x00FFFFFF becomes 0,
// newer skins get premultiplied pixels; with skipKey the key pixel 0x00FF00FF is left alone.
void PrepareAlpha(TBitmap32& bmp, double version, bool skipKey = false);

// The whole sequence; `maskIndexPass` (the manager's) runs between the extra sections and the
// palette. The tables are rebuilt from scratch.
void LoadSkinTables(const TMemIniFile& ini, const TsSkinImages& images, const TsSkinLoadSettings& settings,
                    TsSkinTables& t, const std::function<void(TsSkinTables&)>& maskIndexPass = {});

// The first section named exactly `name`, −1 when none.
int FindSection(const TsGeneralDataArray& gd, std::wstring_view name);

// Value syntaxes, exposed for the tests and the later tools.
// Syntax 9: true exactly for "TRUE" and "1".
bool SkinBoolValue(const std::wstring& text);
