// libFuzzer target: the input is split into an options text and up to seven images, and a whole
// skin load runs on them. It must end in complete tables or EConvertError (a malformed
// fixed-position number), never a crash, a hang or a read outside a buffer.
//
// The entries are filed into the convertor as the package reader files them, without packing
// and inflating them first: that round trip and its copies of every picture cost several times
// what the load itself does, and the reader has a fuzzer of its own (fuzz_package).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "framework/MemIniFile.h"
#include "skin/data/sSkinOptions.h"
#include "skin/data/sSkinPack.h"

namespace {
std::vector<std::uint8_t> BytesOf(std::string_view s) { return {s.begin(), s.end()}; }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Layout: options text, then optionally "\0IMG\0" followed by images separated by "\0IMG\0",
  // each image named by its first line (at most 64 bytes of it).
  constexpr std::size_t kNone = std::string_view::npos;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view sep("\0IMG\0", 5);
  TsSkinConvertor convertor;
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
  auto ini = LoadSkinOptions(*convertor.Options);

  TsSkinImages images;
  images.Package = &convertor;
  TStringList extra;
  extra.SetText(L"[EDIT]\nCOLOR=0x10\n[GLOBALINFO]\nX=#A (1,2,3,4) (1,0,2,1)\n");
  TsSkinLoadSettings settings;
  settings.CommonSections = &extra;
  settings.Blur5 = nullptr;
  TsSkinTables tables;
  try {
    LoadSkinTables(*ini, images, settings, tables);
    if (tables.gd.empty()) __builtin_trap();  // TRANSPARENT is always there
    for (const auto& m : tables.ma)
      if (m.Bmp && m.Bmp->Empty() && m.ImgType != itisaTexture) __builtin_trap();
  } catch (const EConvertError&) {
  }
  return 0;
}
