// Reading an options text: single-byte text through the ANSI decoder, then lines, then a
// case-sensitive INI reader.
#include "skin/data/sSkinOptions.h"

#include <cstdint>
#include <string>

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
