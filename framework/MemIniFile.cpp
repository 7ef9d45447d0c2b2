#include "framework/MemIniFile.h"

#include <charconv>
#include <cstdint>
#include <system_error>
#include <string>

#include "framework/TextCase.h"

namespace {
// Blanks and control characters, as a trim function drops them (wchar_t is signed on some hosts).
bool IsBlank(wchar_t c) { return static_cast<std::uint32_t>(c) <= static_cast<std::uint32_t>(L' '); }

std::wstring_view Trim(std::wstring_view s) {
  std::size_t b = 0, e = s.size();
  while (b < e && IsBlank(s[b])) ++b;
  while (e > b && IsBlank(s[e - 1])) --e;
  return s.substr(b, e - b);
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}
}  // namespace

bool TryStrToInt(std::wstring_view text, int& value) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == L' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'-' || text[i] == L'+')) negative = text[i++] == L'-';
  if (i >= text.size()) return false;
  if (text[i] == L'$' || (text[i] == L'0' && i + 1 < text.size() && (text[i + 1] == L'x' || text[i + 1] == L'X'))) {
    i += text[i] == L'$' ? 1 : 2;
    if (i >= text.size()) return false;
    std::uint64_t v = 0;
    for (; i < text.size(); ++i) {
      const int d = HexDigit(text[i]);
      if (d < 0) return false;
      v = v * 16 + std::uint64_t(d);
      if (v > 0xFFFFFFFFull) return false;
    }
    const std::uint32_t bits = negative ? std::uint32_t(0u - std::uint32_t(v)) : std::uint32_t(v);
    value = std::int32_t(bits);
    return true;
  }
  std::int64_t v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < L'0' || text[i] > L'9') return false;
    v = v * 10 + (text[i] - L'0');
    if (v > std::int64_t(2147483648LL)) return false;
  }
  if (negative) v = -v;
  if (v > 2147483647LL || v < -2147483648LL) return false;
  value = int(v);
  return true;
}

int StrToInt(std::wstring_view text) {
  int v = 0;
  if (!TryStrToInt(text, v)) throw EConvertError(Format(L"'%s' is not a valid integer value", {text}));
  return v;
}

bool TryStrToFloatDot(std::wstring_view text, double& value) {
  const std::wstring_view t = Trim(text);
  if (t.empty() || t.size() > 64) return false;
  std::string narrow;
  for (wchar_t c : t) {
    // Only the characters of a plain real: no hexadecimal floats, "inf" or "nan".
    if (!((c >= L'0' && c <= L'9') || c == L'.' || c == L'-' || c == L'+' || c == L'e' || c == L'E')) return false;
    narrow += char(c);
  }
  // from_chars ignores the locale, so "." is the separator whatever the user chose.
  // from_chars takes no leading "+".
  const char* first = narrow.data() + (narrow[0] == '+' ? 1 : 0);
  double v = 0;
  const auto [end, ec] = std::from_chars(first, narrow.data() + narrow.size(), v);
  if (ec != std::errc() || end != narrow.data() + narrow.size()) return false;
  value = v;
  return true;
}

std::wstring TMemIniFile::Fold(std::wstring_view name) const {
  return caseSensitive_ ? std::wstring(name) : UpperCaseAscii(name);
}

void TMemIniFile::Clear() {
  sections_.clear();
  sectionIndex_.clear();
  keyIndex_.clear();
}

void TMemIniFile::SetStrings(const TStringList& lines) {
  Clear();
  std::size_t current = std::size_t(-1);
  for (const auto& raw : lines) {
    const std::wstring_view line = Trim(raw);
    if (line.empty() || line[0] == L';') continue;
    if (line[0] == L'[' && line.back() == L']') {
      const std::wstring name(Trim(line.substr(1, line.size() - 2)));
      const auto [it, added] = sectionIndex_.try_emplace(Fold(name), sections_.size());
      if (added) {
        sections_.push_back({name, {}});
        keyIndex_.emplace_back();
      }
      current = it->second;
      continue;
    }
    const std::size_t eq = line.find(L'=');
    if (eq == std::wstring_view::npos || current == std::size_t(-1)) continue;
    std::wstring key(Trim(line.substr(0, eq)));
    if (key.empty()) continue;
    auto& section = sections_[current];
    if (keyIndex_[current].try_emplace(Fold(key), section.Values.size()).second)
      section.Values.emplace_back(std::move(key), std::wstring(Trim(line.substr(eq + 1))));
  }
}

const TMemIniFile::TSection* TMemIniFile::FindSection(std::wstring_view section) const {
  const auto it = sectionIndex_.find(Fold(section));
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

const std::wstring* TMemIniFile::FindValue(std::wstring_view section, std::wstring_view key) const {
  const auto it = sectionIndex_.find(Fold(section));
  if (it == sectionIndex_.end()) return nullptr;
  const auto& keys = keyIndex_[it->second];
  const auto k = keys.find(Fold(key));
  return k == keys.end() ? nullptr : &sections_[it->second].Values[k->second].second;
}

bool TMemIniFile::ValueExists(std::wstring_view section, std::wstring_view key) const {
  return FindValue(section, key) != nullptr;
}

std::wstring TMemIniFile::ReadString(std::wstring_view section, std::wstring_view key, const std::wstring& def) const {
  const std::wstring* v = FindValue(section, key);
  return v ? *v : def;
}

int TMemIniFile::ReadInteger(std::wstring_view section, std::wstring_view key, int def) const {
  const std::wstring* v = FindValue(section, key);
  int result = def;
  if (v && TryStrToInt(*v, result)) return result;
  return def;
}

double TMemIniFile::ReadFloat(std::wstring_view section, std::wstring_view key, double def) const {
  const std::wstring* v = FindValue(section, key);
  double result = def;
  if (v && TryStrToFloatDot(*v, result)) return result;
  return def;
}

bool TMemIniFile::ReadBool(std::wstring_view section, std::wstring_view key, bool def) const {
  return ReadInteger(section, key, def ? 1 : 0) != 0;
}
