// The in-memory INI reader, and the text-to-number conversions it (and the skin options) use.
//
// Dialect: a line "[name]" starts a section; "key=value" lines belong to the current section;
// names and values are trimmed of surrounding blanks; lines starting with ";" are comments and
// every other line is ignored. Sections and keys keep file order. Names are compared exactly when
// the reader is case-sensitive (the skin options switch that on) and ignoring ASCII case
// otherwise. A section header that repeats continues the first section of that name, and of two
// equal keys in a section the first one is the one read.
#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "framework/Exception.h"
#include "framework/StringList.h"

// The integer conversion failure: "'<text>' is not a valid integer value".
class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

// Decimal with an optional sign, or hexadecimal with "$" or "0x"/"0X" after the optional sign
// (up to eight digits, read as an unsigned 32-bit pattern, so "$FF000005" is a negative value).
// Leading blanks are skipped; anything else, an empty text or a decimal outside the 32-bit range
// fails.
bool TryStrToInt(std::wstring_view text, int& value);
// TryStrToInt or EConvertError.
int StrToInt(std::wstring_view text);
// A real number with "." as decimal separator whatever the user's locale ("7.20", "-1", "1e3").
bool TryStrToFloatDot(std::wstring_view text, double& value);

class TMemIniFile {
 public:
  struct TSection {
    std::wstring Name;
    std::vector<std::pair<std::wstring, std::wstring>> Values;  // key, value in file order
  };

  explicit TMemIniFile(bool caseSensitive = false) : caseSensitive_(caseSensitive) {}
  TMemIniFile(const TStringList& lines, bool caseSensitive) : caseSensitive_(caseSensitive) { SetStrings(lines); }

  // Replaces the whole content by the parsed lines.
  void SetStrings(const TStringList& lines);
  void Clear();

  bool CaseSensitive() const { return caseSensitive_; }
  bool SectionExists(std::wstring_view section) const { return FindSection(section) != nullptr; }
  bool ValueExists(std::wstring_view section, std::wstring_view key) const;

  // The value, or def when the section or the key is absent. An empty value is a present value.
  std::wstring ReadString(std::wstring_view section, std::wstring_view key, const std::wstring& def) const;
  // The value as an integer (TryStrToInt), def when absent or not a valid integer.
  int ReadInteger(std::wstring_view section, std::wstring_view key, int def) const;
  // The value as a real with "." as separator, def when absent or invalid.
  double ReadFloat(std::wstring_view section, std::wstring_view key, double def) const;
  // ReadInteger(..., def ? 1 : 0) != 0.
  bool ReadBool(std::wstring_view section, std::wstring_view key, bool def) const;

  // Every section in file order.
  const std::vector<TSection>& Sections() const { return sections_; }
  // The section of that name, or null.
  const TSection* FindSection(std::wstring_view section) const;

 private:
  std::wstring Fold(std::wstring_view name) const;
  const std::wstring* FindValue(std::wstring_view section, std::wstring_view key) const;

  bool caseSensitive_;
  std::vector<TSection> sections_;
  std::unordered_map<std::wstring, std::size_t> sectionIndex_;
  // Per section: folded key -> index of its first occurrence in Values.
  std::vector<std::unordered_map<std::wstring, std::size_t>> keyIndex_;
};
