#include "FuzzSkinInput.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "framework/MemIniFile.h"
#include "skin/data/sSkinPack.h"

namespace {
std::vector<std::uint8_t> BytesOf(std::string_view s) { return {s.begin(), s.end()}; }
}  // namespace

void FileFuzzSkinEntries(std::string_view input, TsSkinConvertor& convertor) {
  constexpr std::size_t kNone = std::string_view::npos;
  const std::string_view sep("\0IMG\0", 5);
  std::size_t at = input.find(sep);
  AddSkinPackageEntry(convertor, "Options.dat", BytesOf(input.substr(0, at)));
  int entries = 1;
  while (at != kNone && entries < 8) {
    const std::size_t start = at + sep.size();
    at = input.find(sep, start);
    const std::string_view part = input.substr(start, at == kNone ? kNone : at - start);
    const std::size_t nl = part.find('\n');
    const std::string_view name = part.substr(0, std::min<std::size_t>(nl, 64));
    AddSkinPackageEntry(convertor, name, BytesOf(nl == kNone ? std::string_view() : part.substr(nl + 1)));
    ++entries;
  }
  convertor.ImageCount = entries - 1;  // N − 1, as a package of these entries reads
}

void LoadFuzzSkin(std::string_view input, TsSkinTables& tables, TsSkinManager* manager,
                  const std::function<void(TsSkinTables&)>& maskIndexPass) {
  TsSkinConvertor convertor;
  FileFuzzSkinEntries(input, convertor);
  const auto ini = LoadSkinOptions(*convertor.Options);
  TsSkinImages images;
  images.Package = &convertor;
  TStringList extra;
  extra.SetText(L"[EDIT]\nCOLOR=0x10\n[GLOBALINFO]\nX=#A (1,2,3,4) (1,0,2,1)\n");
  TsSkinLoadSettings settings;
  settings.Manager = manager;
  settings.CommonSections = &extra;
  settings.Blur5 = nullptr;
  LoadSkinTables(*ini, images, settings, tables, maskIndexPass);
}
