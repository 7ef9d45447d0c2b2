#include "skin/data/sSkinOptions.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <unordered_set>
#include <vector>

#include "imaging/BmpCodec.h"
#include "imaging/JpegCodec.h"
#include "imaging/PngCodec.h"
#include "skin/data/sBlur5.h"
#include "skin/data/sSkinFiles.h"
#include "skin/paint/sColorMath.h"

namespace {
const std::wstring kGlobalInfo = L"GLOBALINFO";
constexpr std::uint32_t kKeyPixel = scolor::KeyPixel;
// Rectangles written in the legacy form can hold any 32-bit number; real pieces lie far inside
// this range, and keeping them there keeps every width and height computation in range.
constexpr int kMaxCoordinate = 1000000;
// JPEG textures of at least this many pixels are kept as patterns.
constexpr long long kPatternPixels = 900000;
// Skins up to this version mark transparency by white with alpha 0 instead of premultiplying.

bool Contains(std::wstring_view s, std::wstring_view part) { return s.find(part) != std::wstring_view::npos; }

bool IsJpegValue(const std::wstring& upper) { return Contains(upper, L".JPG") || Contains(upper, L".JPEG"); }

// The words of `text` split at any run of the delimiters (no empty words).
std::vector<std::wstring> Words(std::wstring_view text, std::wstring_view delimiters) {
  std::vector<std::wstring> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && delimiters.find(text[i]) != std::wstring_view::npos) ++i;
    const std::size_t start = i;
    while (i < text.size() && delimiters.find(text[i]) == std::wstring_view::npos) ++i;
    if (i > start) words.emplace_back(text.substr(start, i - start));
  }
  return words;
}

// Word n (1-based) as an integer; missing or invalid words read as 0.
int WordInt(const std::vector<std::wstring>& words, std::size_t n) {
  int v = 0;
  if (n == 0 || n > words.size() || !TryStrToInt(words[n - 1], v)) return 0;
  return v;
}

// The fixed-position number at 1-based `pos`, `len` characters (fewer when the value is short):
// it must be a valid integer.
int FieldAt(const std::wstring& value, std::size_t pos, std::size_t len) {
  const std::wstring_view v(value);
  const std::wstring_view field = pos - 1 < v.size() ? v.substr(pos - 1, len) : std::wstring_view();
  return StrToInt(field);
}

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

// Syntaxes 1 and 6: widths from BorderWidth (or the defaults) when none are given.
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

// ---- Images ---------------------------------------------------------------------------------

// Bits per pixel of a .bmp file (0 when the header is too short).
int BmpBitCount(const std::vector<std::uint8_t>& d) {
  if (d.size() < 30) return 0;
  const std::uint32_t headerSize = d[14] | d[15] << 8 | d[16] << 16 | std::uint32_t(d[17]) << 24;
  const std::size_t at = headerSize == 12 ? 24 : 28;
  return d.size() < at + 2 ? 0 : d[at] | d[at + 1] << 8;
}

// True when a PNG carries alpha: an alpha colour type or a tRNS chunk before the image data.
bool PngHasAlpha(const std::vector<std::uint8_t>& d) {
  if (d.size() < 26) return false;
  if (d[25] == 4 || d[25] == 6) return true;
  std::size_t at = 8;
  while (at + 8 <= d.size()) {
    const std::uint64_t len = std::uint64_t(d[at]) << 24 | d[at + 1] << 16 | d[at + 2] << 8 | d[at + 3];
    const std::string_view type(reinterpret_cast<const char*>(&d[at + 4]), 4);
    if (type == "tRNS") return true;
    if (type == "IDAT" || type == "IEND" || len > d.size() - at - 8) return false;
    at += 12 + std::size_t(len);
  }
  return false;
}

struct TDecoded {
  TBitmap32 Bmp;
  bool Is32Bit = false;  // carries its own alpha
};

// Decodes by content; nothing for an unknown format or a damaged picture.
std::optional<TDecoded> DecodeImage(const std::vector<std::uint8_t>& d) {
  try {
    if (IsBmp(d.data(), d.size())) return TDecoded{DecodeBmp(d.data(), d.size()), BmpBitCount(d) == 32};
    if (IsPng(d.data(), d.size())) return TDecoded{DecodePng(d.data(), d.size()), PngHasAlpha(d)};
    if (IsJpeg(d.data(), d.size())) return TDecoded{DecodeJpeg(d.data(), d.size()), false};
  } catch (const EImageError&) {
  }
  return std::nullopt;
}

// A picture without alpha of its own: every pixel that is not the key becomes opaque.
void MakeOpaqueExceptKey(TBitmap32& bmp) {
  for (int y = 0; y < bmp.Height(); ++y) {
    std::uint32_t* row = bmp.Row(y);
    for (int x = 0; x < bmp.Width(); ++x)
      if (row[x] != kKeyPixel) row[x] |= 0xFF000000u;
  }
}


// The bytes of an image: a package entry whose upper-cased name equals `entryName`, or the file
// (SkinPath prefixed when the name has no ":"). Nothing when absent.
std::optional<std::vector<std::uint8_t>> FindImageBytes(const TsSkinImages& images, const std::wstring& entryName,
                                                         const std::wstring& fileName, bool fromFiles) {
  if (images.Package && !fromFiles) {
    const int i = images.Package->FindImage(entryName);
    if (i < 0) return std::nullopt;
    return images.Package->Files[std::size_t(i)].FileStream->Bytes();
  }
  const std::wstring path = Contains(fileName, L":") ? fileName : images.SkinPath + fileName;
  if (!SkinFileExists(path)) return std::nullopt;
  try {
    return ReadSkinFile(path);
  } catch (const Exception&) {
    return std::nullopt;
  }
}

// An image piece's picture as 32 bits, or nothing (missing, damaged, or width 0).
std::optional<TBitmap32> LoadPiece(const TsSkinImages& images, const std::wstring& entryName, const std::wstring& fileName,
                                   bool fromFiles, bool isPng, double version, int brightness) {
  const auto bytes = FindImageBytes(images, entryName, fileName, fromFiles);
  if (!bytes) return std::nullopt;
  auto decoded = DecodeImage(*bytes);
  if (!decoded || decoded->Bmp.Width() == 0) return std::nullopt;
  if (!decoded->Is32Bit) MakeOpaqueExceptKey(decoded->Bmp);
  if (isPng && brightness <= 0) PrepareAlpha(decoded->Bmp, version);
  return std::move(decoded->Bmp);
}

// ---- Pieces ---------------------------------------------------------------------------------

// Syntax 1 at its fixed positions (also the outer effects' GLOBALINFO pieces).
TsMaskData ParseBorderPiece(const std::wstring& v) {
  TsMaskData m;
  m.R = {FieldAt(v, 2, 4), FieldAt(v, 7, 4), FieldAt(v, 12, 4), FieldAt(v, 17, 4)};
  m.WL = std::int16_t(FieldAt(v, 22, 4));
  m.WT = std::int16_t(FieldAt(v, 27, 4));
  m.WR = std::int16_t(FieldAt(v, 32, 4));
  m.WB = std::int16_t(FieldAt(v, 37, 4));
  m.ImageCount = std::int16_t(FieldAt(v, 42, 1));
  m.MaskType = std::int16_t(FieldAt(v, 44, 1));
  m.DrawMode = std::int16_t(FieldAt(v, 46, 1));
  m.BorderWidth = std::int16_t(FieldAt(v, 48, 1));
  m.ImgType = itisaBorder;
  return m;
}

int ClampCoordinate(int v) { return std::clamp(v, -kMaxCoordinate, kMaxCoordinate); }

class TMaskBuilder {
 public:
  TMaskBuilder(const TsSkinImages& images, const TsSkinLoadSettings& settings, TsSkinTables& t, double version)
      : images_(images), settings_(settings), t_(t), version_(version) {}

  // Classifies one value and appends its piece (if any). `extraText`: the application's extra
  // sections, whose bitmap-file and legacy values only are taken, files always from SkinPath.
  void Add(const std::wstring& section, const std::wstring& key, const std::wstring& value, bool extraText) {
    if (value.empty()) return;
    const std::wstring upper = UpperCaseAscii(value);
    if (IsJpegValue(upper)) return;  // JPEG textures are LoadAllPatterns' work
    if (!extraText) {
      switch (value[0]) {
        case L'!': return AddExternal(section, key, value);
        case L'@': return AddGlyph(section, key, value);
        case L'^': return AddBorder(section, key, value);
        case L'~': return AddTexture(section, key, value);
        default: break;
      }
    }
    if (!Contains(value, L"#")) {
      if (Contains(upper, L".BMP")) AddBitmapFile(section, key, upper, extraText);
    } else if (value != L"#") {
      AddLegacy(section, key, value);
    }
  }

 private:
  void Push(TsMaskData m) {
    m.Manager = settings_.Manager;
    t_.ma.push_back(std::move(m));
  }

  // Syntax 1: a border piece of the master bitmap.
  void AddBorder(const std::wstring& section, const std::wstring& key, const std::wstring& v) {
    TsMaskData m = ParseBorderPiece(v);
    m.ClassName = section;
    m.PropertyName = key;
    BorderWidthsIfNone(m);
    m.CornerType = CornerTest(m, t_.MasterBitmap);
    Push(std::move(m));
  }

  // Syntax 2: a glyph of the master bitmap.
  void AddGlyph(const std::wstring& section, const std::wstring& key, const std::wstring& v) {
    TsMaskData m;
    m.R = {FieldAt(v, 2, 4), FieldAt(v, 7, 4), FieldAt(v, 12, 4), FieldAt(v, 17, 4)};
    m.ImageCount = std::int16_t(FieldAt(v, 22, 1));
    m.MaskType = std::int16_t(FieldAt(v, 24, 1));
    m.ImgType = itisaGlyph;
    m.ClassName = section;
    m.PropertyName = key;
    Push(std::move(m));
  }

  // Syntax 3: a texture of the master bitmap.
  void AddTexture(const std::wstring& section, const std::wstring& key, const std::wstring& v) {
    TsMaskData m;
    m.R = {FieldAt(v, 2, 4), FieldAt(v, 7, 4), FieldAt(v, 12, 4), FieldAt(v, 17, 4)};
    m.DrawMode = std::int16_t(FieldAt(v, 22, 2));
    m.MaskType = std::int16_t(v.size() < 25 ? 0 : FieldAt(v, 25, 1));
    m.ImageCount = 1;
    m.ImgType = itisaTexture;
    m.ClassName = section;
    m.PropertyName = key;
    Push(std::move(m));
  }

  // Syntax 4: an image entry or file with its frame and band numbers.
  void AddExternal(const std::wstring& section, const std::wstring& key, const std::wstring& v) {
    const auto words = Words(v, L"!");
    if (words.empty()) return;
    const std::wstring& file = words[0];
    const bool isBmp = Contains(file, L".BMP");
    if (!isBmp && !Contains(file, L".PNG")) return;
    auto bmp = LoadPiece(images_, file, file, false, !isBmp, version_, settings_.Brightness);
    if (!bmp) return;
    TsMaskData m;
    m.ImageCount = std::int16_t(WordInt(words, 2));
    m.MaskType = std::int16_t(WordInt(words, 3));
    m.ImgType = TsImgType(std::clamp(WordInt(words, 4), 0, 4));
    m.WL = std::int16_t(WordInt(words, 5));
    m.WT = std::int16_t(WordInt(words, 6));
    m.WR = std::int16_t(WordInt(words, 7));
    m.WB = std::int16_t(WordInt(words, 8));
    m.DrawMode = std::int16_t(words.size() < 9 ? 1 : WordInt(words, 9));
    m.R = {0, 0, bmp->Width(), bmp->Height()};
    m.Bmp = std::make_unique<TBitmap32>(std::move(*bmp));
    m.ClassName = section;
    m.PropertyName = key;
    if (words.size() < 5) DefaultBorderWidths(m);
    if (m.ImgType == itisaBorder) m.CornerType = CornerTest(m, t_.MasterBitmap);
    Push(std::move(m));
  }

  // Syntax 5: a whole bitmap file as a three-frame, two-row border piece.
  void AddBitmapFile(const std::wstring& section, const std::wstring& key, const std::wstring& upperValue, bool fromFiles) {
    auto bmp = LoadPiece(images_, upperValue, upperValue, fromFiles, false, version_, settings_.Brightness);
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

  // Syntax 6: "… (Left,Top,Right,Bottom) (ImageCount,MaskType,BorderWidth,DrawMode)".
  void AddLegacy(const std::wstring& section, const std::wstring& key, const std::wstring& v) {
    const auto words = Words(v, L" ()");
    const auto rect = words.size() >= 2 ? Words(words[1], L" ,") : std::vector<std::wstring>();
    const auto nums = words.size() >= 3 ? Words(words[2], L" ,") : std::vector<std::wstring>();
    TsMaskData m;
    m.R = {ClampCoordinate(WordInt(rect, 1)), ClampCoordinate(WordInt(rect, 2)), ClampCoordinate(WordInt(rect, 3)),
           ClampCoordinate(WordInt(rect, 4))};
    m.ImageCount = std::int16_t(std::max(1, WordInt(nums, 1)));
    m.MaskType = std::int16_t(std::max(0, WordInt(nums, 2)));
    m.BorderWidth = std::int16_t(std::max(0, nums.size() >= 3 ? StrToInt(nums[2]) : 0));
    m.DrawMode = std::int16_t(nums.size() >= 4 ? StrToInt(nums[3]) : 1);
    m.ImgType = itisaBorder;
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
  const auto bytes = FindImageBytes(images, upper, value, fromFiles);
  if (!bytes || !IsJpeg(bytes->data(), bytes->size())) return;
  try {
    const TImageSize size = JpegSize(bytes->data(), bytes->size());
    TBitmap32 picture = DecodeJpeg(bytes->data(), bytes->size());
    if ((long long)size.Width * size.Height >= kPatternPixels) {
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
  } catch (const EImageError&) {
    // A damaged picture is skipped like a missing one.
  }
}

// ---- Sections -------------------------------------------------------------------------------

// Reads section keys, following PARENTCLASS when a key is absent.
class TChainReader {
 public:
  explicit TChainReader(const TMemIniFile& ini) : ini_(ini) {}

  // Absent, invalid and −1 all count as absent; an inherited value goes through colour to RGB;
  // the result is limited to `max`.
  int Int(const std::wstring& section, const wchar_t* key, int def, int max) const {
    int v = -1;
    if (Present(section, key, v)) return std::min(v, max);
    std::optional<int> found;
    Walk(section, [&](const std::wstring& parent) {
      if (!Present(parent, key, v)) return false;
      found = int(ColorToRGB(TColor(v)));
      return true;
    });
    return std::min(found.value_or(def), max);
  }

  // "?" marks absence.
  std::wstring Str(const std::wstring& section, const wchar_t* key, const std::wstring& def) const {
    std::wstring v = ini_.ReadString(section, key, L"?");
    if (v != L"?") return v;
    std::optional<std::wstring> found;
    Walk(section, [&](const std::wstring& parent) {
      v = ini_.ReadString(parent, key, L"?");
      if (v == L"?") return false;
      found = v;
      return true;
    });
    return found.value_or(def);
  }

  bool Bool(const std::wstring& section, const wchar_t* key) const { return SkinBoolValue(Str(section, key, L"?")); }

 private:
  bool Present(const std::wstring& section, const wchar_t* key, int& v) const {
    return TryStrToInt(ini_.ReadString(section, key, L""), v) && v != -1;
  }

  // Visits the ancestors of `section` until `visit` returns true. The walk stops at an empty or
  // "?" PARENTCLASS, at a section naming itself, and at a section met before (a loop).
  template <class F>
  void Walk(const std::wstring& section, F&& visit) const {
    std::unordered_set<std::wstring> seen{section};
    std::wstring current = section;
    for (;;) {
      std::wstring parent = ini_.ReadString(current, L"PARENTCLASS", L"?");
      if (parent.empty() || parent == L"?" || parent == current || !seen.insert(parent).second) return;
      if (visit(parent)) return;
      current = std::move(parent);
    }
  }

  const TMemIniFile& ini_;
};

// One integer key of the section table.
struct TIntKey {
  const wchar_t* Name;
  int Default;
  int Max;
  bool Hot;
  void (*Set)(TsGeneralData&, int);
};

#define SKIN_FIELD(expr) [](TsGeneralData& g, int v) { g.expr = decltype(g.expr)(v); }
const TIntKey kIntKeys[] = {
    {L"GLOW", 0, 255, false, SKIN_FIELD(GlowCount)},
    {L"GLOWMARGIN", 0, 255, false, SKIN_FIELD(GlowMargin)},
    {L"STATES", 3, 255, false, SKIN_FIELD(States)},
    {L"OUTERMODE", 2, INT_MAX, false, SKIN_FIELD(OuterMode)},
    {L"OUTOPACITY", 200, 255, false, SKIN_FIELD(OuterOpacity)},
    {L"OUTOFFSL", 0, 255, false, SKIN_FIELD(OuterOffset.Left)},
    {L"OUTOFFST", 0, 255, false, SKIN_FIELD(OuterOffset.Top)},
    {L"OUTOFFSR", 0, 255, false, SKIN_FIELD(OuterOffset.Right)},
    {L"OUTOFFSB", 0, 255, false, SKIN_FIELD(OuterOffset.Bottom)},
    {L"COLOR", 0xFFFFFF, INT_MAX, false, SKIN_FIELD(Props[0].Color)},
    {L"FONTCOLOR", 0, INT_MAX, false, SKIN_FIELD(Props[0].FontColor.Color)},
    {L"TCLEFT", -1, INT_MAX, false, SKIN_FIELD(Props[0].FontColor.Left)},
    {L"TCTOP", -1, INT_MAX, false, SKIN_FIELD(Props[0].FontColor.Top)},
    {L"TCRIGHT", -1, INT_MAX, false, SKIN_FIELD(Props[0].FontColor.Right)},
    {L"TCBOTTOM", -1, INT_MAX, false, SKIN_FIELD(Props[0].FontColor.Bottom)},
    {L"GCOL", 0xFFFFFF, INT_MAX, false, SKIN_FIELD(Props[0].GlowColor)},
    {L"GSIZE", 0, 255, false, SKIN_FIELD(Props[0].GlowSize)},
    {L"GRADIENTPERCENT", 0, 100, false, SKIN_FIELD(Props[0].GradientPercent)},
    {L"IMAGEPERCENT", 0, 100, false, SKIN_FIELD(Props[0].ImagePercent)},
    {L"TRANSPARENCY", 0, 100, false, SKIN_FIELD(Props[0].Transparency)},
    {L"HOTCOLOR", 0xFFFFFF, INT_MAX, true, SKIN_FIELD(Props[1].Color)},
    {L"HOTFONTCOLOR", 0, INT_MAX, true, SKIN_FIELD(Props[1].FontColor.Color)},
    {L"HOTTCLEFT", -1, INT_MAX, true, SKIN_FIELD(Props[1].FontColor.Left)},
    {L"HOTTCTOP", -1, INT_MAX, true, SKIN_FIELD(Props[1].FontColor.Top)},
    {L"HOTTCRIGHT", -1, INT_MAX, true, SKIN_FIELD(Props[1].FontColor.Right)},
    {L"HOTTCBOTTOM", -1, INT_MAX, true, SKIN_FIELD(Props[1].FontColor.Bottom)},
    {L"HGCOL", 0xFFFFFF, INT_MAX, true, SKIN_FIELD(Props[1].GlowColor)},
    {L"HGSIZE", 0, 255, true, SKIN_FIELD(Props[1].GlowSize)},
    {L"HOTGRADIENTPERCENT", 0, 100, true, SKIN_FIELD(Props[1].GradientPercent)},
    {L"HOTIMAGEPERCENT", 0, 100, true, SKIN_FIELD(Props[1].ImagePercent)},
    {L"HOTTRANSPARENCY", 0, 100, true, SKIN_FIELD(Props[1].Transparency)},
};
#undef SKIN_FIELD

// Steps 2 to 5 of building a section: gradients, the copy of state 0 for one-state sections,
// and the flat fields.
void FinishSection(TsGeneralData& g, bool hotRead) {
  TsGenState& n = g.Props[0];
  TsGenState& h = g.Props[1];
  if (n.GradientData.size() < 2) n.GradientPercent = 0;
  else n.GradientArray = ParseGradientData(n.GradientData);
  if (!hotRead) {
    h.Color = n.Color;
    h.FontColor = n.FontColor;
    h.GlowColor = n.GlowColor;
    h.GlowSize = n.GlowSize;
    h.GradientPercent = n.GradientPercent;
    h.GradientData = n.GradientData;
    h.ImagePercent = n.ImagePercent;
    h.Transparency = n.Transparency;
  }
  if (h.GradientData.size() < 6) h.GradientPercent = 0;
  else h.GradientArray = ParseGradientData(h.GradientData);

  g.Color = n.Color;
  g.FontColor = n.FontColor;
  g.GlowColor = n.GlowColor;
  g.GlowSize = n.GlowSize;
  g.GradientPercent = n.GradientPercent;
  g.GradientData = n.GradientData;
  g.ImagePercent = n.ImagePercent;
  g.Transparency = n.Transparency;
  g.GradientArray = n.GradientArray;
  g.HotColor = h.Color;
  g.HotFontColor = h.FontColor;
  g.HotGlowColor = h.GlowColor;
  g.HotGlowSize = h.GlowSize;
  g.HotGradientPercent = h.GradientPercent;
  g.HotGradientData = h.GradientData;
  g.HotImagePercent = h.ImagePercent;
  g.HotTransparency = h.Transparency;
  g.HotGradientArray = h.GradientArray;
}

TColor SysColorRGB(int index) { return ColorToRGB(clSystemColor | TColor(index)); }
constexpr int kColorHighlight = 13;
constexpr int kColorHighlightText = 14;

// The BLUR5 piece of an outer effect: the four colours above, the blur below.
int AddBlurPiece(TsOutEffData& e, const std::wstring& key, const TsSkinLoadSettings& settings, TsSkinTables& t) {
  const TBitmap32 blur = settings.Blur5 ? settings.Blur5() : MakeBlur5Bitmap();
  const int w = blur.Width();
  if (w <= 0 || blur.Height() <= 0) return -1;
  const int s = w / 2;
  for (int* width : {&e.WidthL, &e.WidthT, &e.WidthR, &e.WidthB})
    if (*width == -1) *width = s;
  auto bmp = std::make_unique<TBitmap32>(w, 2 * w);
  auto pixel = [](TColor c) { return scolor::SwapRB(ColorToRGB(c) & scolor::RgbMask) | 0xFF000000u; };
  for (int y = 0; y < w; ++y) {
    const std::uint32_t p = pixel(y < s ? e.ColorT : e.ColorB);
    for (int x = 0; x < w; ++x) bmp->Pixel(x, y) = p;
  }
  // Triangles including their edges (the outline is drawn in the fill colour).
  auto triangle = [&](TPoint a, TPoint b, TPoint c, TColor color) {
    const std::uint32_t p = pixel(color);
    auto edge = [](TPoint p0, TPoint p1, int x, int y) {
      return (long long)(p1.X - p0.X) * (y - p0.Y) - (long long)(p1.Y - p0.Y) * (x - p0.X);
    };
    for (int y = 0; y < w; ++y)
      for (int x = 0; x < w; ++x) {
        const long long e0 = edge(a, b, x, y), e1 = edge(b, c, x, y), e2 = edge(c, a, x, y);
        if ((e0 >= 0 && e1 >= 0 && e2 >= 0) || (e0 <= 0 && e1 <= 0 && e2 <= 0)) bmp->Pixel(x, y) = p;
      }
  };
  triangle({0, 1}, {s - 1, s}, {0, w - 2}, e.ColorL);
  triangle({w - 1, 1}, {s + 1, s}, {w - 1, w - 2}, e.ColorR);
  for (int y = 0; y < std::min(w, blur.Height()); ++y)
    for (int x = 0; x < w; ++x) bmp->Pixel(x, w + y) = blur.Pixel(x, y);

  TsMaskData m;
  m.Bmp = std::move(bmp);
  m.R = {0, 0, w, 2 * w};
  m.ImageCount = 1;
  m.MaskType = 1;
  m.BorderWidth = std::int16_t(s);
  m.WL = m.WT = m.WR = m.WB = std::int16_t(s);
  m.DrawMode = 1;
  m.ImgType = itisaBorder;
  m.ClassName = kGlobalInfo;
  m.PropertyName = key;
  m.Manager = settings.Manager;
  t.ma.push_back(std::move(m));
  return int(t.ma.size()) - 1;
}
}  // namespace

// ---- Public ---------------------------------------------------------------------------------

std::unique_ptr<TMemIniFile> LoadSkinOptionsText(const std::wstring& text) {
  TStringList lines;
  lines.SetText(text);
  return std::make_unique<TMemIniFile>(lines, true);
}

std::unique_ptr<TMemIniFile> LoadSkinOptions(TStream& options) {
  options.SetPosition(0);
  const std::int64_t size = options.Size();
  std::string bytes(std::size_t(size > 0 ? size : 0), '\0');
  bytes.resize(options.Read(bytes.data(), bytes.size()));
  return LoadSkinOptionsText(AnsiToWide(bytes));
}

void StripCommonSections(TStringList& lines) {
  for (int i = 0; i < lines.Count(); ++i) {
    const std::wstring& line = lines[i];
    if (!line.empty() && line[0] == L';') continue;
    std::wstring s;
    for (wchar_t c : line)
      if (c != L' ' && c != L'\t') s += c;
    lines.Set(i, std::move(s));
  }
}

bool SkinBoolValue(const std::wstring& text) { return text == L"TRUE" || text == L"1"; }

int FindSection(const TsGeneralDataArray& gd, std::wstring_view name) {
  for (std::size_t i = 0; i < gd.size(); ++i)
    if (gd[i].ClassName == name) return int(i);
  return -1;
}

void LoadAllMasks(const TMemIniFile& ini, const TsSkinImages& images, const TsSkinLoadSettings& settings, TsSkinTables& t) {
  t.ma.clear();
  t.MasterBitmap = TBitmap32();
  const std::wstring master = ini.ReadString(kGlobalInfo, L"MASTERBITMAP", L"");
  const double version = ini.ReadFloat(kGlobalInfo, L"VERSION", 0);
  if (!master.empty()) {
    // Packed skins compare the value as written with the upper-cased entry names.
    if (const auto bytes = FindImageBytes(images, master, master, false)) {
      if (auto decoded = DecodeImage(*bytes)) {
        if (!decoded->Is32Bit) MakeOpaqueExceptKey(decoded->Bmp);
        t.MasterBitmap = std::move(decoded->Bmp);
      }
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

void LoadGlobalData(const TMemIniFile& ini, const TsSkinLoadSettings& settings, TsSkinTables& t) {
  TsSkinData& d = t.CommonSkinData;
  auto i = [&](const wchar_t* key, int def) { return ini.ReadInteger(kGlobalInfo, key, def); };
  d.Version = ini.ReadFloat(kGlobalInfo, L"VERSION", 0);
  d.Author = ini.ReadString(kGlobalInfo, L"AUTHOR", L"");
  d.Description = ini.ReadString(kGlobalInfo, L"DESCRIPTION", L"");
  d.ExBorderWidth = i(L"BORDERWIDTH", 4);
  d.ExTitleHeight = i(L"TITLEHEIGHT", 30);
  if (d.ExTitleHeight == 0) d.ExTitleHeight = 30;
  d.ExMaxHeight = i(L"MAXHEIGHT", d.ExTitleHeight);
  if (d.ExMaxHeight == 0) d.ExMaxHeight = d.ExTitleHeight;
  d.ExContentOffs = i(L"FORMOFFSET", settings.SizingFrameWidth);
  d.ExCenterOffs = i(L"CENTEROFFSET", 0);
  d.ExDrawMode = i(L"BORDERMODE", 0);
  d.BrightMin = i(L"BRIGHTMIN", -50);
  d.BrightMax = i(L"BRIGHTMAX", 50);
  d.ExShadowOffs = i(L"ALIGNOFFSET", 0);
  d.ExShadowOffsR = i(L"ALIGNOFFSETR", d.ExShadowOffs);
  d.ExShadowOffsT = i(L"ALIGNOFFSETT", d.ExShadowOffs);
  d.ExShadowOffsB = i(L"ALIGNOFFSETB", d.ExShadowOffs);
  d.BISpacing = i(L"BISPACE", 0);
  d.BIVAlign = i(L"BIVALIGN", 0);
  d.BIRightMargin = i(L"BIRIGHT", 0);
  d.BILeftMargin = i(L"BILEFT", 0);
  d.BITopMargin = i(L"BITOP", 0);
  d.BIKeepHUE = i(L"BIKEEPHUE", 0);
  d.UseAeroBluring = i(L"AEROBLUR", 0) != 0;
  d.BICloseGlow = i(L"BICONCLOSEGLOW", 0);
  d.BICloseGlowMargin = i(L"BICONCLOSEGLOWMARGIN", 0);
  d.BIMaxGlow = i(L"BICONMAXGLOW", 0);
  d.BIMaxGlowMargin = i(L"BICONMAXGLOWMARGIN", 0);
  d.BIMinGlow = i(L"BICONMINGLOW", 0);
  d.BIMinGlowMargin = i(L"BICONMINGLOWMARGIN", 0);
  d.Shadow1Color = TColor(i(L"SHADOW1COLOR", 0));
  d.Shadow1Offset = i(L"SHADOW1OFFSET", 0);
  d.Shadow1Blur = i(L"SHADOW1BLUR", -1);
  d.Shadow1Transparency = i(L"SHADOW1TRANSPARENCY", 0);
  d.ComboBoxMargin = i(L"COMBOMARGIN", 2);
  d.TabsCovering = ini.ReadInteger(L"TABTOP", L"TABSCOVERING", 0);
  d.RibbonCovering = ini.ReadInteger(L"RIBBONTAB", L"TABSCOVERING", 0);
}

void LoadOuterEffects(const TMemIniFile& ini, const TsSkinLoadSettings& settings, TsSkinTables& t) {
  struct Defaults {
    const wchar_t* Prefix;
    TColor L, T, R, B;
    int OffL, OffT, OffR, OffB, Opacity;
  };
  // Entry 0 light outline, entry 1 shadow.
  const Defaults defaults[2] = {{L"LO_", 0xFFFFFF, 0, 0xFFFFFF, 0xFFFFFF, 2, 2, 2, 4, 200},
                                {L"SH_", 0, 0, 0, 0, 3, 2, 3, 5, 60}};
  for (int n = 0; n < 2; ++n) {
    const Defaults& d = defaults[n];
    const std::wstring p = d.Prefix;
    auto i = [&](const wchar_t* key, int def) { return ini.ReadInteger(kGlobalInfo, p + key, def); };
    TsOutEffData& e = t.oe[std::size_t(n)];
    e.ColorL = TColor(i(L"COLORL", int(d.L)));
    e.ColorR = TColor(i(L"COLORR", int(d.R)));
    e.ColorT = TColor(i(L"COLORT", int(d.T)));
    e.ColorB = TColor(i(L"COLORB", int(d.B)));
    e.WidthL = i(L"WIDTHL", -1);
    e.WidthR = i(L"WIDTHR", -1);
    e.WidthT = i(L"WIDTHT", -1);
    e.WidthB = i(L"WIDTHB", -1);
    e.OffsetL = i(L"OFFSETL", d.OffL);
    e.OffsetR = i(L"OFFSETR", d.OffR);
    e.OffsetT = i(L"OFFSETT", d.OffT);
    e.OffsetB = i(L"OFFSETB", d.OffB);
    e.Source = i(L"SOURCE", 2);
    e.Opacity = i(L"OPACITY", d.Opacity);
    const std::wstring maskKey = p + L"MASK";
    if (e.Source == 0) {
      e.Mask = -1;
    } else if (e.Source == 1) {
      const std::wstring value = ini.ReadString(kGlobalInfo, maskKey, L"");
      if (value.empty()) {
        e.Mask = -1;
      } else {
        TsMaskData m = ParseBorderPiece(value);
        m.ClassName = kGlobalInfo;
        m.PropertyName = maskKey;
        m.CornerType = 0;
        m.Manager = settings.Manager;
        t.ma.push_back(std::move(m));
        e.Mask = int(t.ma.size()) - 1;
      }
    } else {
      e.Mask = AddBlurPiece(e, maskKey, settings, t);
    }
  }
}

void LoadAllSections(const TMemIniFile& ini, TsSkinTables& t) {
  t.gd.clear();
  const TChainReader read(ini);
  for (const auto& section : ini.Sections()) {
    const std::wstring& s = section.Name;
    TsGeneralData g;
    g.ClassName = s;
    g.ParentClass = ini.ReadString(s, L"PARENTCLASS", L"");
    g.ReservedBoolean = read.Bool(s, L"RESERVEDBOOLEAN");
    g.GiveOwnFont = read.Bool(s, L"GIVEOWNFONT");
    for (const TIntKey& k : kIntKeys)
      if (!k.Hot) k.Set(g, read.Int(s, k.Name, k.Default, k.Max));
    g.Props[0].GradientData = read.Str(s, L"GRADIENTDATA", L" ");
    const bool hot = g.States >= 2;
    if (hot) {
      for (const TIntKey& k : kIntKeys)
        if (k.Hot) k.Set(g, read.Int(s, k.Name, k.Default, k.Max));
      g.Props[1].GradientData = read.Str(s, L"HOTGRADIENTDATA", L" ");
    }
    FinishSection(g, hot);
    t.gd.push_back(std::move(g));
  }
}

void ApplyCommonSections(const TStringList& commonSections, const TsSkinImages& images,
                         const TsSkinLoadSettings& settings, TsSkinTables& t) {
  const TMemIniFile extra(commonSections, true);
  for (const auto& section : extra.Sections()) {
    const std::wstring& s = section.Name;
    // Absent values come from the section of that name, else from the one PARENTCLASS names
    // (compared upper-cased), else from the table defaults with no text colours.
    TsGeneralData base;
    const int existing = FindSection(t.gd, s);
    const std::wstring parent = extra.ReadString(s, L"PARENTCLASS", L"");
    int source = existing;
    if (source < 0 && !parent.empty()) {
      const std::wstring upperParent = UpperCaseAscii(parent);
      for (std::size_t i = 0; i < t.gd.size() && source < 0; ++i)
        if (UpperCaseAscii(t.gd[i].ClassName) == upperParent) source = int(i);
    }
    if (source >= 0) {
      base = t.gd[std::size_t(source)];
    } else {
      for (const TIntKey& k : kIntKeys) k.Set(base, k.Default);
      base.Props[0].FontColor.Color = TColor(-1);
      base.Props[1].FontColor.Color = TColor(-1);
      base.Props[0].GradientData = base.Props[1].GradientData = L" ";
    }
    TsGeneralData g = base;
    g.ClassName = s;
    g.ParentClass = extra.ValueExists(s, L"PARENTCLASS") ? parent
                    : existing >= 0                     ? t.gd[std::size_t(existing)].ParentClass
                                                        : std::wstring();
    auto boolKey = [&](const wchar_t* key, bool& field) {
      if (extra.ValueExists(s, key)) field = SkinBoolValue(extra.ReadString(s, key, L""));
    };
    boolKey(L"RESERVEDBOOLEAN", g.ReservedBoolean);
    boolKey(L"GIVEOWNFONT", g.GiveOwnFont);
    for (const TIntKey& k : kIntKeys) {
      int v = 0;
      if (TryStrToInt(extra.ReadString(s, k.Name, L""), v)) k.Set(g, std::min(v, k.Max));
    }
    if (extra.ValueExists(s, L"GRADIENTDATA")) g.Props[0].GradientData = extra.ReadString(s, L"GRADIENTDATA", L"");
    if (extra.ValueExists(s, L"HOTGRADIENTDATA")) g.Props[1].GradientData = extra.ReadString(s, L"HOTGRADIENTDATA", L"");
    g.Props[0].GradientArray.clear();
    g.Props[1].GradientArray.clear();
    FinishSection(g, g.States >= 2);
    if (existing >= 0) t.gd[std::size_t(existing)] = std::move(g);
    else t.gd.push_back(std::move(g));
  }

  // Pieces: only GLOBALINFO's bitmap files (always files under SkinPath) and legacy rectangles.
  const double version = t.CommonSkinData.Version;
  TMaskBuilder builder(images, settings, t, version);
  if (const auto* global = extra.FindSection(kGlobalInfo))
    for (const auto& [key, value] : global->Values) builder.Add(kGlobalInfo, key, value, true);
  for (const auto& section : extra.Sections())
    for (const auto& [key, value] : section.Values)
      if (IsJpegValue(UpperCaseAscii(value))) AddJpeg(images, section.Name, key, value, true, t, settings.Manager);
}

void LoadPalette(const TMemIniFile& ini, TsSkinTables& t) {
  TsPaletteArray& p = t.Palette;
  auto i = [&](const wchar_t* key, TColor def) { return TColor(ini.ReadInteger(kGlobalInfo, key, int(def))); };
  p[pcMainColor] = i(L"COLOR", ColorToRGB(clBtnFace));
  p[pcLabelText] = i(L"FONTCOLOR", 0);
  p[pcWebText] = i(L"TCBOTTOM", 0xFF0000);
  p[pcWebTextHot] = i(L"TCTOP", 0x0000FF);
  p[pcBorder] = i(L"BORDERCOLOR", 0);

  const int edit = FindSection(t.gd, L"EDIT");
  if (edit >= 0) {
    p[pcEditText] = ColorToRGB(t.gd[std::size_t(edit)].Props[0].FontColor.Color);
    p[pcEditBG] = ColorToRGB(t.gd[std::size_t(edit)].Props[0].Color);
  } else {
    p[pcEditText] = ColorToRGB(clWindowText);
    p[pcEditBG] = ColorToRGB(clWindow);
  }

  constexpr TColor kNone = TColor(-1);
  const int selection = FindSection(t.gd, L"SELECTION");
  if (selection >= 0) {
    const TsGeneralData& s = t.gd[std::size_t(selection)];
    const TsGenState& focused = s.States >= 2 ? s.Props[1] : s.Props[0];
    p[pcSelectionBG] = s.Props[0].Color;
    p[pcSelectionText] = s.Props[0].FontColor.Color;
    p[pcSelectionBG_Focused] = focused.Color;
    p[pcSelectionText_Focused] = focused.FontColor.Color;
  } else {
    p[pcSelectionBG] = p[pcSelectionText] = p[pcSelectionBG_Focused] = p[pcSelectionText_Focused] = kNone;
  }
  if (p[pcSelectionText] == kNone || p[pcSelectionText] == clFuchsia) {
    const int menu = FindSection(t.gd, L"MENUITEM");
    if (menu >= 0) {
      const TsGenState& hot = t.gd[std::size_t(menu)].Props[1];
      const TColor text = hot.FontColor.Color;
      p[pcSelectionText] = (text == kNone || text == clFuchsia) ? (clSystemColor | kColorHighlightText) : ColorToRGB(text);
      p[pcSelectionBG] = p[pcSelectionBG_Focused] = hot.Color;
      p[pcSelectionText_Focused] = p[pcSelectionText];
    } else {
      p[pcSelectionText] = p[pcSelectionText_Focused] = SysColorRGB(kColorHighlightText);
      p[pcSelectionBG] = p[pcSelectionBG_Focused] = SysColorRGB(kColorHighlight);
    }
  }

  p[pcEditText_Ok] = i(L"EDITTEXT_OK", 0x008000);
  p[pcEditText_Warning] = i(L"EDITTEXT_WARN", 0x008484);
  p[pcEditText_Alert] = i(L"EDITTEXT_ALERT", 0x0000FF);
  p[pcEditText_Caution] = i(L"EDITTEXT_ALERT", 0x8597D9);
  p[pcEditText_Bypassed] = i(L"EDITTEXT_ALERT", 0x4AB28F);
  p[pcEditBG_Ok] = i(L"EDITBG_OK", 0x6CC2A5);
  p[pcEditBG_Warning] = i(L"EDITBG_WARN", 0x40FFFF);
  p[pcEditBG_Alert] = i(L"EDITBG_ALERT", 0x95A7E9);
  p[pcEditBG_Caution] = i(L"EDITBG_ALERT", 0x8597D9);
  p[pcEditBG_Bypassed] = i(L"EDITBG_ALERT", 0x4AB28F);
  p[pcEditText_Highlight1] = i(L"EDITTEXT_H1", 0);
  p[pcEditText_Highlight2] = i(L"EDITTEXT_H2", 0);
  p[pcEditText_Highlight3] = i(L"EDITTEXT_H3", 0);

  p[pcEditText_Inverted] = i(L"EDITTEXT_INV", p[pcEditBG]);
  p[pcEditBG_Inverted] = i(L"EDITBG_INV", p[pcEditText]);
  p[pcEditBG_OddRow] = i(L"EDITBG_ODD", p[pcEditBG]);
  // 5 % of the text colour over 95 % of the background, each channel rounded to nearest.
  const TColor text = p[pcEditText], bg = p[pcEditBG];
  auto mix = [](int a, int b) { return scolor::ClampByte(scolor::Round(0.05 * a + 0.95 * b)); };
  const TColor even = RGBColor(unsigned(mix(scolor::ColR(text), scolor::ColR(bg))),
                               unsigned(mix(scolor::ColG(text), scolor::ColG(bg))),
                               unsigned(mix(scolor::ColB(text), scolor::ColB(bg))));
  p[pcEditBG_EvenRow] = i(L"EDITBG_EVEN", even);
}

void AddTransparentSection(TsSkinTables& t) {
  if (FindSection(t.gd, L"TRANSPARENT") >= 0) return;
  TsGeneralData g;  // every other field 0, the piece indexes −1 (none)
  g.ClassName = L"TRANSPARENT";
  g.States = 1;
  g.OuterMask = -1;
  for (TsGenState& s : g.Props) {
    s.Transparency = 100;
    s.Color = 0xFFFFFF;
    s.FontColor.Color = t.Palette[pcLabelText];
    s.FontColor.Left = s.FontColor.Top = s.FontColor.Right = s.FontColor.Bottom = TColor(-1);
    s.TextureIndex = -1;
  }
  FinishSection(g, true);
  t.gd.push_back(std::move(g));
}

void LoadSkinTables(const TMemIniFile& ini, const TsSkinImages& images, const TsSkinLoadSettings& settings,
                    TsSkinTables& t, const std::function<void(TsSkinTables&)>& maskIndexPass) {
  t = TsSkinTables();
  t.CommonSkinData.SkinPath = images.SkinPath;
  LoadAllMasks(ini, images, settings, t);
  LoadAllPatterns(ini, images, settings, t);
  LoadGlobalData(ini, settings, t);
  LoadOuterEffects(ini, settings, t);
  LoadAllSections(ini, t);
  if (settings.CommonSections && settings.CommonSections->Count() > 0)
    ApplyCommonSections(*settings.CommonSections, images, settings, t);
  if (maskIndexPass) maskIndexPass(t);
  LoadPalette(ini, t);
  AddTransparentSection(t);
}

void PrepareAlpha(TBitmap32& bmp, double version, bool skipKey) {
  for (int y = 0; y < bmp.Height(); ++y) {
    std::uint32_t* row = bmp.Row(y);
    for (int x = 0; x < bmp.Width(); ++x) {
      std::uint32_t& p = row[x];
      if (skipKey && p == scolor::KeyPixel) continue;
      if (p == 0x00FFFFFFu) {
        p = 0;
      } else if (version > kPremultiplyVersion) {
        const std::uint32_t a = p >> 24;
        const std::uint32_t b = ((p & 0xFF) * a) >> 8, g = (((p >> 8) & 0xFF) * a) >> 8,
                            r = (((p >> 16) & 0xFF) * a) >> 8;
        p = a << 24 | r << 16 | g << 8 | b;
      }
    }
  }
}
