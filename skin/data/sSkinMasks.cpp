#include "skin/data/sSkinMasks.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "skin/base/sColorMath.h"
#include "skin/data/sSkinImages.h"
#include "skin/data/sSkinIni.h"
#include "skin/data/sSkinValues.h"

namespace {
constexpr std::uint32_t kKeyPixel = scolor::KeyPixel;
// JPEG textures of at least this many pixels are kept as patterns.
constexpr long long kPatternPixels = 900000;

long long RectWidth(const TRect& r) { return (long long)r.Right - r.Left; }
long long RectHeight(const TRect& r) { return (long long)r.Bottom - r.Top; }

// Divisors of the frame formulas; a piece that claims no frames or a negative row count is
// measured as one frame of one row instead of dividing by zero.
long long FrameCount(const TsMaskData& m) { return m.ImageCount < 1 ? 1 : m.ImageCount; }
long long RowCount(const TsMaskData& m) { return m.MaskType + 1 < 1 ? 1 : m.MaskType + 1; }

// The default border bands: a third of one frame's width and of one row's height.
void DefaultBorderWidths(TsMaskData& m) {
  m.WL = std::int16_t(RectWidth(m.R) / (FrameCount(m) * 3));
  m.WT = std::int16_t(RectHeight(m.R) / (RowCount(m) * 3));
  m.WR = m.WL;
  m.WB = m.WT;
}

// Border and legacy pieces: widths from BorderWidth (or the defaults) when none are given.
void BorderWidthsIfNone(TsMaskData& m) {
  if (m.WL + m.WT + m.WR + m.WB != 0) return;
  if (m.BorderWidth != 0) m.WL = m.WT = m.WR = m.WB = m.BorderWidth;
  else DefaultBorderWidths(m);
}

// 1 when a corner band of the first frame holds a key pixel, 0 otherwise; 2 for the one piece
// that is never examined.
std::int32_t CornerTest(const TsMaskData& m, const TBitmap32& master) {
  if (m.ClassName == L"BUTTON_HUGE" && m.PropertyName == L"BORDERSMASK") return 2;
  const TBitmap32& src = m.Bmp ? *m.Bmp : master;
  const long long fw = RectWidth(m.R) / FrameCount(m);
  const long long fh = RectHeight(m.R) / RowCount(m);
  if (fh <= 0 || fw <= 0 || src.Empty()) return 0;
  const long long l = m.R.Left, t = m.R.Top;
  struct Range {
    long long x0, y0, x1, y1;
  };
  const Range corners[4] = {
      {l, t, l + m.WL - 1, t + m.WT - 1},
      {l + fw - m.WR, t, l + fw - 1, t + m.WT - 1},
      {l, t + fh - m.WB, l + m.WL - 1, t + fh - 1},
      {l + fw - m.WR, t + fh - m.WB, l + fw - 1, t + fh - 1},
  };
  for (const Range& c : corners) {
    const long long x0 = std::max(0LL, c.x0), y0 = std::max(0LL, c.y0);
    const long long x1 = std::min<long long>(src.Width() - 1, c.x1), y1 = std::min<long long>(src.Height() - 1, c.y1);
    for (long long y = y0; y <= y1; ++y) {
      const std::uint32_t* row = src.Row(int(y));
      for (long long x = x0; x <= x1; ++x)
        if (row[x] == kKeyPixel) return 1;
    }
  }
  return 0;
}

class TMaskBuilder {
 public:
  TMaskBuilder(const TsSkinImages& images, const TsSkinLoadSettings& settings, TsSkinTables& t, double version)
      : images_(images), settings_(settings), t_(t), version_(version) {}

  // Classifies one value and appends its piece (if any). `extraText`: the application's extra
  // sections, whose bitmap-file and legacy values only are taken, files always from SkinPath.
  void Add(const std::wstring& section, const std::wstring& key, const std::wstring& value, bool extraText) {
    if (value.empty()) return;
    const std::wstring upper = UpperCaseAscii(value);
    switch (ClassifySkinValue(value, upper, !extraText)) {
      case TsValueSyntax::Border: return AddMasterPiece(ParseBorderPiece(value), section, key);
      case TsValueSyntax::Glyph: return AddMasterPiece(ParseGlyphPiece(value), section, key);
      case TsValueSyntax::Texture: return AddMasterPiece(ParseTexturePiece(value), section, key);
      case TsValueSyntax::External: return AddExternal(section, key, value);
      case TsValueSyntax::BitmapFile: return AddBitmapFile(section, key, upper, extraText);
      case TsValueSyntax::Legacy: return AddLegacy(section, key, value);
      case TsValueSyntax::Jpeg:  // JPEG textures are LoadAllPatterns' work
      case TsValueSyntax::None: return;
    }
  }

 private:
  void Push(TsMaskData m) {
    m.Manager = settings_.Manager;
    t_.ma.push_back(std::move(m));
  }

  // "^", "@" and "~": pieces of the master bitmap, named as written. Only border pieces have
  // bands and corners.
  void AddMasterPiece(TsMaskData m, const std::wstring& section, const std::wstring& key) {
    m.ClassName = section;
    m.PropertyName = key;
    if (m.ImgType == itisaBorder) {
      BorderWidthsIfNone(m);
      m.CornerType = CornerTest(m, t_.MasterBitmap);
    }
    Push(std::move(m));
  }

  // "!": an image entry or file with its frame and band numbers.
  void AddExternal(const std::wstring& section, const std::wstring& key, const std::wstring& v) {
    TsExternalValue e = ParseExternalValue(v);
    if (e.File.empty()) return;
    auto bmp = LoadSkinPiecePicture(images_, e.File, e.File, false, e.Png, version_, settings_.Brightness);
    if (!bmp) return;
    TsMaskData m = std::move(e.Mask);
    m.R = {0, 0, bmp->Width(), bmp->Height()};
    m.Bmp = std::make_unique<TBitmap32>(std::move(*bmp));
    m.ClassName = section;
    m.PropertyName = key;
    if (e.DefaultBands) DefaultBorderWidths(m);
    if (m.ImgType == itisaBorder) m.CornerType = CornerTest(m, t_.MasterBitmap);
    Push(std::move(m));
  }

  // A bare bitmap name: the whole bitmap as a three-frame, two-row border piece.
  void AddBitmapFile(const std::wstring& section, const std::wstring& key, const std::wstring& upperValue, bool fromFiles) {
    auto bmp = LoadSkinPiecePicture(images_, upperValue, upperValue, fromFiles, false, version_, settings_.Brightness);
    if (!bmp) return;
    TsMaskData m;
    m.R = {0, 0, bmp->Width(), bmp->Height()};
    m.Bmp = std::make_unique<TBitmap32>(std::move(*bmp));
    m.ImageCount = 3;
    m.MaskType = 1;
    m.DrawMode = 0;
    m.ImgType = itisaBorder;
    m.ClassName = UpperCaseAscii(section);
    m.PropertyName = UpperCaseAscii(key);
    DefaultBorderWidths(m);
    m.CornerType = CornerTest(m, t_.MasterBitmap);
    Push(std::move(m));
  }

  // The legacy rectangle form: a border piece of the master bitmap, names upper-cased.
  void AddLegacy(const std::wstring& section, const std::wstring& key, const std::wstring& v) {
    TsMaskData m = ParseLegacyPiece(v);
    m.ClassName = UpperCaseAscii(section);
    m.PropertyName = UpperCaseAscii(key);
    BorderWidthsIfNone(m);
    m.CornerType = CornerTest(m, t_.MasterBitmap);
    Push(std::move(m));
  }

  const TsSkinImages& images_;
  const TsSkinLoadSettings& settings_;
  TsSkinTables& t_;
  double version_;
};

// A JPEG value: kept as a pattern when large, else turned into a texture piece.
void AddJpeg(const TsSkinImages& images, const std::wstring& section, const std::wstring& key, const std::wstring& value,
             bool fromFiles, TsSkinTables& t, TsSkinManager* manager) {
  const std::wstring upper = UpperCaseAscii(value);
  const auto bytes = FindSkinImageBytes(images, upper, value, fromFiles);
  if (!bytes) return;
  // A damaged picture, or one that is no JPEG whatever its name, is skipped like a missing one.
  auto image = DecodeSkinImage(bytes->Bytes());
  if (!image || image->Format != TImageFormat::ifJpeg) return;
  TBitmap32& picture = image->Pixels;
  if ((long long)image->StoredSize.Width * image->StoredSize.Height >= kPatternPixels) {
    t.pa.push_back({std::make_unique<TBitmap32>(std::move(picture)), UpperCaseAscii(section), UpperCaseAscii(key)});
    return;
  }
  for (int y = 0; y < picture.Height(); ++y) {
    std::uint32_t* row = picture.Row(y);
    for (int x = 0; x < picture.Width(); ++x)
      row[x] = (row[x] & scolor::RgbMask) == 0xFF00FFu ? kKeyPixel : (row[x] | 0xFF000000u);
  }
  TsMaskData m;
  m.Bmp = std::make_unique<TBitmap32>(std::move(picture));
  m.ImgType = itisaTexture;
  m.ImageCount = 1;
  m.ClassName = UpperCaseAscii(section);
  m.PropertyName = UpperCaseAscii(key);
  m.Manager = manager;
  t.ma.push_back(std::move(m));
}
}  // namespace

void LoadAllMasks(const TMemIniFile& ini, const TsSkinImages& images, const TsSkinLoadSettings& settings, TsSkinTables& t) {
  t.ma.clear();
  t.MasterBitmap = TBitmap32();
  const std::wstring master = ini.ReadString(kGlobalInfo, L"MASTERBITMAP", L"");
  const double version = ini.ReadFloat(kGlobalInfo, L"VERSION", 0);
  if (!master.empty()) {
    // Packed skins compare the value as written with the upper-cased entry names.
    if (const auto bytes = FindSkinImageBytes(images, master, master, false)) {
      if (auto picture = DecodeSkinPicture(bytes->Bytes())) t.MasterBitmap = std::move(*picture);
    }
  }
  TMaskBuilder builder(images, settings, t, version);
  for (const auto& section : ini.Sections())
    for (const auto& [key, value] : section.Values) {
      if (section.Name == kGlobalInfo && key == L"MASTERBITMAP") continue;
      builder.Add(section.Name, key, value, false);
    }
}

void LoadAllPatterns(const TMemIniFile& ini, const TsSkinImages& images, const TsSkinLoadSettings& settings,
                     TsSkinTables& t) {
  t.pa.clear();
  TsSkinManager* manager = settings.Manager;
  for (const auto& section : ini.Sections())
    for (const auto& [key, value] : section.Values)
      if (IsJpegValue(UpperCaseAscii(value))) AddJpeg(images, section.Name, key, value, false, t, manager);
}

void AddExtraPieces(const TMemIniFile& extra, const TsSkinImages& images, const TsSkinLoadSettings& settings,
                    TsSkinTables& t) {
  TMaskBuilder builder(images, settings, t, t.CommonSkinData.Version);
  if (const auto* global = extra.FindSection(kGlobalInfo))
    for (const auto& [key, value] : global->Values) builder.Add(kGlobalInfo, key, value, true);
  for (const auto& section : extra.Sections())
    for (const auto& [key, value] : section.Values)
      if (IsJpegValue(UpperCaseAscii(value))) AddJpeg(images, section.Name, key, value, true, t, settings.Manager);
}
