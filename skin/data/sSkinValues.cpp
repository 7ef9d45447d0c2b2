#include "skin/data/sSkinValues.h"

#include <algorithm>
#include <cstdint>

#include "framework/MemIniFile.h"

namespace {
// Rectangles written in the legacy form can hold any 32-bit number; real pieces lie far inside
// this range, and keeping them there keeps every width and height computation in range.
constexpr int kMaxCoordinate = 1000000;

bool Contains(std::wstring_view s, std::wstring_view part) { return s.find(part) != std::wstring_view::npos; }

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

// The rectangle every master-bitmap piece starts with: four 4-digit numbers at 2, 7, 12 and 17.
TRect PieceRect(const std::wstring& v) { return {FieldAt(v, 2, 4), FieldAt(v, 7, 4), FieldAt(v, 12, 4), FieldAt(v, 17, 4)}; }

int ClampCoordinate(int v) { return std::clamp(v, -kMaxCoordinate, kMaxCoordinate); }
}  // namespace

bool SkinBoolValue(const std::wstring& text) { return text == L"TRUE" || text == L"1"; }

bool IsJpegValue(const std::wstring& upper) { return Contains(upper, L".JPG") || Contains(upper, L".JPEG"); }

TsValueSyntax ClassifySkinValue(const std::wstring& value, const std::wstring& upper, bool markers) {
  if (value.empty()) return TsValueSyntax::None;
  if (IsJpegValue(upper)) return TsValueSyntax::Jpeg;
  if (markers) {
    switch (value[0]) {
      case L'!': return TsValueSyntax::External;
      case L'@': return TsValueSyntax::Glyph;
      case L'^': return TsValueSyntax::Border;
      case L'~': return TsValueSyntax::Texture;
      default: break;
    }
  }
  if (!Contains(value, L"#")) return Contains(upper, L".BMP") ? TsValueSyntax::BitmapFile : TsValueSyntax::None;
  return value != L"#" ? TsValueSyntax::Legacy : TsValueSyntax::None;
}

std::vector<std::wstring> SkinWords(std::wstring_view text, std::wstring_view delimiters) {
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

TsMaskData ParseBorderPiece(const std::wstring& v) {
  TsMaskData m;
  m.R = PieceRect(v);
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

TsMaskData ParseGlyphPiece(const std::wstring& v) {
  TsMaskData m;
  m.R = PieceRect(v);
  m.ImageCount = std::int16_t(FieldAt(v, 22, 1));
  m.MaskType = std::int16_t(FieldAt(v, 24, 1));
  m.ImgType = itisaGlyph;
  return m;
}

TsMaskData ParseTexturePiece(const std::wstring& v) {
  TsMaskData m;
  m.R = PieceRect(v);
  m.DrawMode = std::int16_t(FieldAt(v, 22, 2));
  m.MaskType = std::int16_t(v.size() < 25 ? 0 : FieldAt(v, 25, 1));
  m.ImageCount = 1;
  m.ImgType = itisaTexture;
  return m;
}

TsExternalValue ParseExternalValue(const std::wstring& v) {
  TsExternalValue e;
  const auto words = SkinWords(v, L"!");
  if (words.empty()) return e;
  const bool isBmp = Contains(words[0], L".BMP");
  if (!isBmp && !Contains(words[0], L".PNG")) return e;
  e.File = words[0];
  e.Png = !isBmp;
  TsMaskData& m = e.Mask;
  m.ImageCount = std::int16_t(WordInt(words, 2));
  m.MaskType = std::int16_t(WordInt(words, 3));
  m.ImgType = TsImgType(std::clamp(WordInt(words, 4), 0, 4));
  m.WL = std::int16_t(WordInt(words, 5));
  m.WT = std::int16_t(WordInt(words, 6));
  m.WR = std::int16_t(WordInt(words, 7));
  m.WB = std::int16_t(WordInt(words, 8));
  m.DrawMode = std::int16_t(words.size() < 9 ? 1 : WordInt(words, 9));
  e.DefaultBands = words.size() < 5;
  return e;
}

TsMaskData ParseLegacyPiece(const std::wstring& v) {
  const auto words = SkinWords(v, L" ()");
  const auto rect = words.size() >= 2 ? SkinWords(words[1], L" ,") : std::vector<std::wstring>();
  const auto nums = words.size() >= 3 ? SkinWords(words[2], L" ,") : std::vector<std::wstring>();
  TsMaskData m;
  m.R = {ClampCoordinate(WordInt(rect, 1)), ClampCoordinate(WordInt(rect, 2)), ClampCoordinate(WordInt(rect, 3)),
         ClampCoordinate(WordInt(rect, 4))};
  m.ImageCount = std::int16_t(std::max(1, WordInt(nums, 1)));
  m.MaskType = std::int16_t(std::max(0, WordInt(nums, 2)));
  m.BorderWidth = std::int16_t(std::max(0, nums.size() >= 3 ? StrToInt(nums[2]) : 0));
  m.DrawMode = std::int16_t(nums.size() >= 4 ? StrToInt(nums[3]) : 1);
  m.ImgType = itisaBorder;
  return m;
}
